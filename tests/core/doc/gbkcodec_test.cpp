#include "doc/gbkcodec.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

using namespace std::string_literals;

struct Known
{
    const char* name;
    std::u16string text;
    std::string bytes;
};

TEST(GbkCodec, KnownCharactersHaveTheirCodes)
{
    const Known cases[] = {
        { "report_words", u"混凝土配合比", "\xBB\xEC\xC4\xFD\xCD\xC1\xC5\xE4\xBA\xCF\xB1\xC8" },
        { "ideographic_space", u"\u3000", "\xA1\xA1" },
        { "fullwidth_tilde_minus_parens", u"～－（）", "\xA1\xAB\xA3\xAD\xA3\xA8\xA3\xA9" },
        { "degree_times_ge", u"℃×≥·", "\xA1\xE6\xA1\xC1\xA1\xDD\xA1\xA4" },
        { "euro_is_two_bytes", u"€", "\xA2\xE3" },
        { "ascii_digits_and_nul", u"C30 \0 0.45"s, "C30 \0 0.45"s },
        { "first_two_byte_code", u"丂", "\x81\x40" },
        { "superscripts_are_four_bytes", u"m²m³", "m\x81\x30\x85\x35m\x81\x30\x85\x36" },
        { "first_four_byte_code", u"\u0080", "\x81\x30\x81\x30" },
        { "last_bmp_four_byte_code", u"\uFFFF", "\x84\x31\xA4\x39" },
        { "replacement_character", u"\uFFFD", "\x84\x31\xA4\x37" },
        { "below_surrogates", u"\uD7FF", "\x83\x36\xC7\x38" },
        { "private_use_two_byte", u"\uE000", "\xAA\xA1" },
        { "first_supplementary", u"\U00010000", "\x90\x30\x81\x30" },
        { "cjk_extension_b", u"\U00020000", "\x95\x32\x82\x36" },
        { "emoji", u"😀", "\x94\x39\xFC\x36" },
        { "last_scalar_value", u"\U0010FFFF", "\xE3\x32\x9A\x35" },
        // The low half of this pair lies in the byte-escape range; the pair wins.
        { "pair_with_escape_range_low_half", u"\U00010080", "\x90\x30\x8D\x38" },
    };
    for (const Known& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(GbkEncode(k.text), k.bytes);
        EXPECT_EQ(GbkEncodedLength(k.text), k.bytes.size());
        EXPECT_EQ(GbkDecode(k.bytes), k.text);
    }
}

TEST(GbkCodec, EveryTwoByteCodeIsOneCharacterAndComesBack)
{
    std::set<char16_t> seen;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            const std::string bytes { char(lead), char(trail) };
            const std::u16string text = GbkDecode(bytes);
            ASSERT_EQ(text.size(), 1u) << std::hex << lead << ' ' << trail;
            const char16_t c = text[0];
            EXPECT_TRUE(c >= 0x80 && (c < 0xD800 || c > 0xDFFF)) << std::hex << lead << trail;
            EXPECT_EQ(GbkEncode(text), bytes) << std::hex << lead << ' ' << trail;
            EXPECT_TRUE(seen.insert(c).second) << "two codes for U+" << std::hex << int(c);
        }
    }
    EXPECT_EQ(seen.size(), 126u * 190u);
}

TEST(GbkCodec, EveryBmpCharacterEncodesAndComesBack)
{
    std::string previousFour;
    for (char32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF)
            continue;
        const std::u16string text(1, char16_t(cp));
        const std::string bytes = GbkEncode(text);
        ASSERT_EQ(bytes.size(), GbkEncodedLength(text)) << std::hex << cp;
        ASSERT_EQ(GbkDecode(bytes), text) << std::hex << cp;
        if (cp < 0x80) {
            EXPECT_EQ(bytes, std::string(1, char(cp)));
        } else if (bytes.size() == 4) {
            // Four-byte BMP codes follow code point order.
            EXPECT_LT(previousFour, bytes) << std::hex << cp;
            EXPECT_LE(bytes, "\x84\x31\xA4\x39") << std::hex << cp;
            previousFour = bytes;
        } else {
            EXPECT_EQ(bytes.size(), 2u) << std::hex << cp;
        }
    }
}

TEST(GbkCodec, EverySupplementaryCharacterEncodesAndComesBack)
{
    std::u16string text;
    for (char32_t cp = 0x10000; cp <= 0x10FFFF; ++cp) {
        text += char16_t(0xD800 + ((cp - 0x10000) >> 10));
        text += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    }
    const std::string bytes = GbkEncode(text);
    ASSERT_EQ(bytes.size(), 4u * 0x100000);
    EXPECT_EQ(GbkEncodedLength(text), bytes.size());
    EXPECT_EQ(bytes.substr(0, 4), "\x90\x30\x81\x30");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\xE3\x32\x9A\x35");
    EXPECT_TRUE(GbkDecode(bytes) == text); // a mismatch would print megabytes
}

struct Invalid
{
    const char* name;
    std::string bytes;
    std::u16string text;
};

TEST(GbkCodec, BytesThatAreNoCharacterComeBackAlone)
{
    // clang-format off
    const Invalid cases[] = {
        { "lone_lead_at_end", "ab\x81", u"ab\xDC81" },
        { "lead_then_del", "\x81\x7F", u"\xDC81\x7F" },
        { "lead_then_ff", "\xB0\xFF", u"\xDCB0\xDCFF" },
        { "lead_then_ascii_below_trails", "\xB0\x3F", u"\xDCB0?" },
        { "lead_then_line_end", "\xB0\r\n", u"\xDCB0\r\n" },
        { "lead_then_nul", "\xB0\0\xB0"s, u"\xDCB0\0\xDCB0"s },
        { "single_80", "\x80", u"\xDC80" },
        { "single_ff", "\xFF", u"\xDCFF" },
        { "80_is_no_lead", "\x80\xA1", u"\xDC80\xDCA1" },
        { "ff_is_no_lead", "\xFF\xA1", u"\xDCFF\xDCA1" },
        { "bad_pair_then_good_pair", "\xB0\x7F\xB0\xA1", u"\xDCB0\x7F" u"啊" },
        { "truncated_four_byte", "\x81\x30\x81", u"\xDC81" u"0\xDC81" },
        { "four_byte_bad_fourth", "\x81\x30\x81\x41", u"\xDC81" u"0\u4E04" },
        { "four_byte_bad_third", "\x81\x30\x30\x30", u"\xDC81" u"000" },
        { "after_last_bmp_code", "\x84\x31\xA5\x30", u"\xDC84" u"1\xDCA5" u"0" },
        { "between_bmp_and_planes", "\x85\x30\x81\x30", u"\xDC85" u"0\xDC81" u"0" },
        { "before_first_plane_code", "\x8F\x39\xFE\x39", u"\xDC8F" u"9\xDCFE" u"9" },
        { "after_last_scalar", "\xE3\x32\x9A\x36", u"\xDCE3" u"2\xDC9A" u"6" },
        { "last_four_byte_shape", "\xFE\x39\xFE\x39", u"\xDCFE" u"9\xDCFE" u"9" },
        { "escape_then_character", "\xFF\xBB\xEC", u"\xDCFF" u"混" },
    };
    // clang-format on
    for (const Invalid& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(GbkDecode(k.bytes), k.text);
        EXPECT_EQ(GbkEncode(k.text), k.bytes);
        EXPECT_EQ(GbkEncodedLength(k.text), k.bytes.size());
    }
}

TEST(GbkCodec, LoneSurrogatesThatStandForNoByteBecomeReplacement)
{
    const std::string fffd = "\x84\x31\xA4\x37";
    const std::u16string cases[] = {
        u"\xD800", // high at the end
        u"\xDBFF"
        u"a", // high before no low
        u"\xDC00",
        u"\xDC7F", // just below the byte escapes
        u"\xDD00", // just above them
        u"\xDFFF",
    };
    for (const std::u16string& text : cases) {
        SCOPED_TRACE(testing::PrintToString(text));
        const std::string bytes = GbkEncode(text);
        EXPECT_EQ(bytes.substr(0, 4), fffd);
        EXPECT_EQ(bytes.find('?'), std::string::npos);
        EXPECT_EQ(GbkEncodedLength(text), bytes.size());
    }
    EXPECT_EQ(GbkEncode(u"\xD800\xD800\xDC00"), fffd + "\x90\x30\x81\x30");
}

// Mostly bytes that make or break sequences: leads, digits, 0x80, 0xFF, DEL, NUL.
std::string HostileBytes(std::mt19937& rng)
{
    static const unsigned char pool[] = { 0x81, 0x84, 0x85, 0x8F, 0x90, 0xE3, 0xE4, 0xFE, 0xB0,
        0xA1, 0x30, 0x31, 0x32, 0x39, 0x40, 0x7E, 0x7F, 0x80, 0xFF, 0x00, '\r', '\n', 'a' };
    std::uniform_int_distribution<int> length(0, 300);
    std::uniform_int_distribution<int> pick(0, sizeof pool - 1);
    std::uniform_int_distribution<int> any(0, 255);
    std::bernoulli_distribution fromPool(0.7);
    std::string s(length(rng), '\0');
    for (char& b : s)
        b = char(fromPool(rng) ? pool[pick(rng)] : any(rng));
    return s;
}

TEST(GbkCodec, DecodeThenEncodeGivesBackAnyBytes)
{
    std::mt19937 rng(936);
    for (int round = 0; round < 5000; ++round) {
        const std::string bytes = HostileBytes(rng);
        const std::u16string text = GbkDecode(bytes);
        ASSERT_EQ(GbkEncode(text), bytes) << testing::PrintToString(bytes);
        ASSERT_EQ(GbkEncodedLength(text), bytes.size());
        ASSERT_EQ(GbkDecode(GbkEncode(text)), text);
    }
}

TEST(GbkCodec, EncodeThenDecodeGivesBackAnyValidText)
{
    std::mt19937 rng(18030);
    std::uniform_int_distribution<int> length(0, 200);
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_int_distribution<char32_t> ascii(0, 0x7F), cjk(0x4E00, 0x9FFF), bmp(0x80, 0xFFFF),
        planes(0x10000, 0x10FFFF);
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        for (int n = length(rng); n > 0; --n) {
            char32_t cp = 0;
            switch (kind(rng)) {
            case 0:
                cp = ascii(rng);
                break;
            case 1:
                cp = cjk(rng);
                break;
            case 2:
            case 3:
                do
                    cp = bmp(rng);
                while (cp >= 0xD800 && cp <= 0xDFFF);
                break;
            default:
                cp = planes(rng);
                break;
            }
            if (cp < 0x10000) {
                text += char16_t(cp);
            } else {
                text += char16_t(0xD800 + ((cp - 0x10000) >> 10));
                text += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
            }
        }
        const std::string bytes = GbkEncode(text);
        ASSERT_EQ(GbkDecode(bytes), text) << testing::PrintToString(text);
        ASSERT_EQ(GbkEncodedLength(text), bytes.size());
    }
}

TEST(GbkCodec, RawFormsWriteNoMoreThanTheySay)
{
    // Four-byte codes, escapes and ASCII: at most one unit a byte.
    const std::string bytes = "\x90\x30\x81\x30\xFFz\x81\x30\x81\x30\xBA\xF3";
    std::u16string text(bytes.size() + 1, u'#');
    char16_t* end = GbkDecodeInto(bytes, text.data());
    EXPECT_EQ(std::u16string(text.data(), end), u"\U00010000\xDCFFz\u0080后");
    EXPECT_EQ(text.back(), u'#');

    const std::u16string_view decoded(text.data(), static_cast<std::size_t>(end - text.data()));
    std::string out(GbkEncodedLength(decoded) + 1, '#');
    EXPECT_EQ(GbkEncodeInto(decoded, out.data()), out.data() + bytes.size());
    EXPECT_EQ(out, bytes + "#");
}

} // namespace
