#include "doc/reporttext.h"

#include "doc/gbkcodec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct Mapping
{
    const char* name;
    std::string bytes;
    std::u16string view;
};

TEST(ReportText, FileLineEndsMapToViewTextAndBack)
{
    // clang-format off
    const Mapping cases[] = {
        { "crlf_is_a_line_break", "a\r\nb\r\n", u"a\nb\n" },
        { "no_final_line_break", "a\r\nb", u"a\nb" },
        { "lone_lf", "a\nb", u"a\xDC0A" u"b" },
        { "lone_cr", "a\rb", u"a\xDC0D" u"b" },
        { "cr_cr_lf", "a\r\r\nb", u"a\xDC0D\nb" },
        { "cr_lf_lf", "a\r\n\nb", u"a\n\xDC0A" u"b" },
        { "lf_cr", "\n\r", u"\xDC0A\xDC0D" },
        { "cr_at_end", "a\r", u"a\xDC0D" },
        { "cr_cr_at_end", "\r\r", u"\xDC0D\xDC0D" },
        { "blank_lines", "\r\n\r\n", u"\n\n" },
        { "empty", "", u"" },
        { "nul_bytes", "\0\r\n\0"s, u"\0\n\0"s },
        { "report_line", "\xCB\xAE\xBD\xBA\xB1\xC8\xA3\xBA" "0.45\r\n", u"水胶比：0.45\n" },
        { "lead_before_line_end", "\xB0\r\n", u"\xDCB0\n" },
        // Characters the view would break lines at stay as their bytes.
        { "paragraph_separator", "\x81\x36\xA6\x36", u"\xDC81" u"6\xDCA6" u"6" },
        { "line_separator", "\x81\x36\xA6\x35", u"\xDC81" u"6\xDCA6" u"5" },
        { "qt_frame_marks", "\x84\x30\xFA\x32\x84\x30\xFA\x33",
            u"\xDC84" u"0\xDCFA" u"2\xDC84" u"0\xDCFA" u"3" },
        // U+1000A and U+1000D: their second halves are the lone LF and CR marks.
        { "pair_ending_like_lone_lf", "\x90\x30\x82\x30\n", u"\U0001000A\xDC0A" },
        { "pair_ending_like_lone_cr", "\x90\x30\x82\x33\r", u"\U0001000D\xDC0D" },
    };
    // clang-format on
    for (const Mapping& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(FileBytesToViewText(k.bytes), k.view);
        EXPECT_EQ(ViewTextToFileBytes(k.view), k.bytes);
        EXPECT_EQ(ViewTextFileLength(k.view), k.bytes.size());
    }
}

TEST(ReportText, EveryLineBreakOfTheViewIsSavedAsCrLf)
{
    const Mapping cases[] = {
        { "lf", "a\r\nb", u"a\nb" },
        { "plain_cr", "a\r\nb", u"a\rb" },
        { "cr_lf_is_one_break", "a\r\nb", u"a\r\nb" },
        { "cr_at_end", "a\r\n", u"a\r" },
        { "cr_cr_lf", "\r\n\r\n", u"\r\r\n" },
        { "paragraph_separator", "a\r\nb", u"a\u2029b" },
        { "line_separator", "a\r\nb", u"a\u2028b" },
        { "marks_beside_breaks", "\r\r\n\n\r\n", u"\xDC0D\n\xDC0A\r" },
    };
    for (const Mapping& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(ViewTextToFileBytes(k.view), k.bytes);
        EXPECT_EQ(ViewTextFileLength(k.view), k.bytes.size());
    }
}

TEST(ReportText, TypedCharactersOutsideGbkKeepTheirGb18030Form)
{
    EXPECT_EQ(ViewTextToFileBytes(u"😀\n"), "\x94\x39\xFC\x36\r\n");
    EXPECT_EQ(ViewTextToFileBytes(u"ḿ²"), "\x81\x35\xF4\x37\x81\x30\x85\x35");
    EXPECT_EQ(ViewTextToFileBytes(u"\U00020000"), "\x95\x32\x82\x36");
    EXPECT_EQ(ViewTextToFileBytes(u"\uFDD0"), "\x84\x30\xFA\x32");
    EXPECT_EQ(ViewTextToFileBytes(u"\u3000\u3000强度等级：C30"),
        "\xA1\xA1\xA1\xA1\xC7\xBF\xB6\xC8\xB5\xC8\xBC\xB6\xA3\xBA"
        "C30");
}

// Pieces that line ends, escapes and pairs are made of, glued at random.
std::string HostileFile(std::mt19937& rng, int pieces)
{
    static const char* const pool[] = { "\r", "\n", "\r\n", "\r\n", "\0", "a", "0", "\x80", "\xFF",
        "\x81", "\xB0", "\x81\x30", "\xBB\xEC", "\xA1\xA1", "\x81\x36\xA6\x35", "\x81\x36\xA6\x36",
        "\x84\x30\xFA\x32", "\x84\x30\xFA\x33", "\x90\x30\x82\x30", "\x90\x30\x82\x33",
        "\x94\x39\xFC\x36", "\x81\x30\x85\x35" };
    std::uniform_int_distribution<int> pick(0, sizeof pool / sizeof pool[0] - 1);
    std::uniform_int_distribution<int> any(0, 255);
    std::bernoulli_distribution fromPool(0.8);
    std::string s;
    for (int i = 0; i < pieces; ++i) {
        if (fromPool(rng)) {
            const char* p = pool[pick(rng)];
            s += *p ? std::string(p) : std::string(1, '\0');
        } else {
            s += char(any(rng));
        }
    }
    return s;
}

std::vector<std::string> SplitAtCrLf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    lines.push_back(bytes.substr(start));
    return lines;
}

TEST(ReportText, OpeningAndSavingGivesBackAnyFile)
{
    std::mt19937 rng(1048575);
    std::uniform_int_distribution<int> pieces(0, 120);
    for (int round = 0; round < 4000; ++round) {
        const std::string bytes = HostileFile(rng, pieces(rng));
        const std::u16string view = FileBytesToViewText(bytes);
        ASSERT_EQ(ViewTextToFileBytes(view), bytes) << testing::PrintToString(bytes);
        ASSERT_EQ(ViewTextFileLength(view), bytes.size());
        // The view must find exactly the file's CRLF breaks, and nothing else to
        // break at.
        std::size_t breaks = 0;
        for (char16_t c : view) {
            ASSERT_TRUE(c != u'\r' && c != 0x2028 && c != 0x2029 && c != 0xFDD0 && c != 0xFDD1)
                << testing::PrintToString(bytes);
            breaks += c == u'\n';
        }
        ASSERT_EQ(breaks + 1, SplitAtCrLf(bytes).size()) << testing::PrintToString(bytes);
    }
}

TEST(ReportText, EditingOneLineChangesOnlyThatLinesBytes)
{
    std::mt19937 rng(283);
    const std::u16string typed[]
        = { u"", u"x", u"坍落扩展度　650mm", u"😀", u"C30～C35", u"\U0010FFFF", u"（强度）－" };
    std::uniform_int_distribution<int> pieces(1, 80);
    std::uniform_int_distribution<int> pickTyped(0, sizeof typed / sizeof typed[0] - 1);
    for (int round = 0; round < 2000; ++round) {
        const std::string bytes = HostileFile(rng, pieces(rng));
        std::vector<std::u16string> viewLines { u"" };
        for (char16_t c : FileBytesToViewText(bytes)) {
            if (c == u'\n')
                viewLines.emplace_back();
            else
                viewLines.back() += c;
        }
        std::vector<std::string> fileLines = SplitAtCrLf(bytes);
        ASSERT_EQ(viewLines.size(), fileLines.size());

        const std::size_t k
            = std::uniform_int_distribution<std::size_t>(0, viewLines.size() - 1)(rng);
        const std::u16string& line = typed[pickTyped(rng)];
        viewLines[k] = line;
        fileLines[k] = GbkEncode(line);

        std::u16string edited;
        std::string expected;
        for (std::size_t i = 0; i < viewLines.size(); ++i) {
            if (i > 0) {
                edited += u'\n';
                expected += "\r\n";
            }
            edited += viewLines[i];
            expected += fileLines[i];
        }
        ASSERT_EQ(ViewTextToFileBytes(edited), expected) << testing::PrintToString(bytes);
        ASSERT_EQ(ViewTextFileLength(edited), expected.size());
    }
}

} // namespace
