#include "doc/gbkcodec.h"

#include "doc/gbktable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // byte b >= 0x80 that is no character: U+DC00 + b

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsByteEscape(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}
bool IsLead(unsigned b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool IsDigit(unsigned b)
{
    return b >= 0x30 && b <= 0x39;
}

// The four-byte BMP runs looked up by code point, for encoding.
struct UnicodeRun
{
    std::uint16_t unicode;
    std::uint16_t linear;
    std::uint16_t length;
};

struct EncodeTables
{
    // The two-byte code (lead << 8 | trail) of each BMP character, 0 if it has none.
    std::array<std::uint16_t, 0x10000> twoByte {};
    std::vector<UnicodeRun> runs;
    // What a lone surrogate that stands for no byte becomes: U+FFFD, four bytes.
    std::uint32_t replacementLinear = 0;

    EncodeTables()
    {
        for (int lead = 0; lead < kGbkLeadCount; ++lead) {
            for (int trail = 0; trail < kGbkTrailSlots; ++trail) {
                if (std::uint16_t u = kGbkTwoByte[lead][trail])
                    twoByte[u] = static_cast<std::uint16_t>((0x81 + lead) << 8 | (0x40 + trail));
            }
        }
        for (std::size_t i = 0; i < kGbkFourByteRunCount; ++i) {
            const GbkFourByteRun& r = kGbkFourByteRuns[i];
            const std::uint32_t end = i + 1 < kGbkFourByteRunCount ? kGbkFourByteRuns[i + 1].linear
                                                                   : kGbkBmpFourByteCodes;
            if (r.unicode != 0)
                runs.push_back({ r.unicode, r.linear, static_cast<std::uint16_t>(end - r.linear) });
        }
        // The generator keeps real runs in code point order; sorting costs nothing and
        // keeps the binary search right whatever it emits.
        std::sort(runs.begin(), runs.end(),
            [](const UnicodeRun& a, const UnicodeRun& b) { return a.unicode < b.unicode; });
        replacementLinear = BmpLinear(0xFFFD);
    }

    // Linear four-byte index of a BMP character without a two-byte code, or
    // kGbkBmpFourByteCodes if it has none (the tables leave none out).
    std::uint32_t BmpLinear(char16_t c) const
    {
        auto it = std::upper_bound(runs.begin(), runs.end(), c,
            [](char16_t v, const UnicodeRun& r) { return v < r.unicode; });
        if (it == runs.begin())
            return kGbkBmpFourByteCodes;
        --it;
        if (c - it->unicode >= it->length)
            return kGbkBmpFourByteCodes;
        return it->linear + (c - it->unicode);
    }
};

const EncodeTables& Encoding()
{
    static const EncodeTables tables;
    return tables;
}

// The BMP character of a four-byte linear index below kGbkBmpFourByteCodes, or 0.
char16_t BmpFromLinear(std::uint32_t linear)
{
    const GbkFourByteRun* end = kGbkFourByteRuns + kGbkFourByteRunCount;
    const GbkFourByteRun* run
        = std::upper_bound(kGbkFourByteRuns, end, linear,
              [](std::uint32_t v, const GbkFourByteRun& r) { return v < r.linear; })
        - 1;
    if (run->unicode == 0)
        return 0;
    return static_cast<char16_t>(run->unicode + (linear - run->linear));
}

char* PutFour(char* o, std::uint32_t linear)
{
    o[3] = static_cast<char>(0x30 + linear % 10);
    linear /= 10;
    o[2] = static_cast<char>(0x81 + linear % 126);
    linear /= 126;
    o[1] = static_cast<char>(0x30 + linear % 10);
    o[0] = static_cast<char>(0x81 + linear / 10);
    return o + 4;
}

} // namespace

void GbkDecodeAppend(std::string_view bytes, std::u16string& out)
{
    const std::size_t start = out.size();
    out.resize(start + bytes.size()); // never more code units than bytes
    char16_t* o = out.data() + start;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();

    while (p < end) {
        const unsigned b = p[0];
        if (b < 0x80) {
            *o++ = static_cast<char16_t>(b);
            ++p;
            continue;
        }
        if (IsLead(b) && end - p >= 2) {
            const unsigned t = p[1];
            if (t >= 0x40 && t <= 0xFE) {
                if (char16_t u = kGbkTwoByte[b - 0x81][t - 0x40]) {
                    *o++ = u;
                    p += 2;
                    continue;
                }
            } else if (IsDigit(t) && end - p >= 4 && IsLead(p[2]) && IsDigit(p[3])) {
                const std::uint32_t linear
                    = ((b - 0x81) * 10 + (t - 0x30)) * 1260 + (p[2] - 0x81) * 10 + (p[3] - 0x30);
                if (linear < kGbkBmpFourByteCodes) {
                    if (char16_t u = BmpFromLinear(linear)) {
                        *o++ = u;
                        p += 4;
                        continue;
                    }
                } else if (linear >= kGbkSupplementaryFirst
                    && linear - kGbkSupplementaryFirst < 0x100000) {
                    const std::uint32_t v = linear - kGbkSupplementaryFirst;
                    *o++ = static_cast<char16_t>(0xD800 + (v >> 10));
                    *o++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
                    p += 4;
                    continue;
                }
            }
        }
        // Not the start of a character (0x80 and 0xFF never are): keep the byte alone
        // and read on from the next one.
        *o++ = static_cast<char16_t>(kEscapeBase + b);
        ++p;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

std::u16string GbkDecode(std::string_view bytes)
{
    std::u16string out;
    GbkDecodeAppend(bytes, out);
    return out;
}

std::size_t GbkEncodedLength(std::u16string_view text)
{
    const EncodeTables& tables = Encoding();
    std::size_t n = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c < 0x80 || IsByteEscape(c)) {
            n += 1;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            // A pair, or a lone surrogate written as U+FFFD: four bytes either way.
            if (IsHighSurrogate(c) && i + 1 < size && IsLowSurrogate(text[i + 1]))
                ++i;
            n += 4;
        } else {
            n += tables.twoByte[c] != 0 ? 2 : 4;
        }
    }
    return n;
}

void GbkEncodeAppend(std::u16string_view text, std::string& out)
{
    const EncodeTables& tables = Encoding();
    const std::size_t start = out.size();
    out.resize(start + GbkEncodedLength(text));
    char* o = out.data() + start;
    const std::size_t size = text.size();

    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c < 0x80) {
            *o++ = static_cast<char>(c);
        } else if (IsByteEscape(c)) {
            *o++ = static_cast<char>(c - kEscapeBase);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            if (IsHighSurrogate(c) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
                const std::uint32_t v = (std::uint32_t(c - 0xD800) << 10) | (text[i + 1] - 0xDC00);
                o = PutFour(o, kGbkSupplementaryFirst + v);
                ++i;
            } else {
                // A lone surrogate that no decoded byte gives (valid text holds none):
                // there is nothing to give back, so write U+FFFD.
                o = PutFour(o, tables.replacementLinear);
            }
        } else if (const std::uint16_t code = tables.twoByte[c]) {
            *o++ = static_cast<char>(code >> 8);
            *o++ = static_cast<char>(code & 0xFF);
        } else {
            std::uint32_t linear = tables.BmpLinear(c);
            if (linear >= kGbkBmpFourByteCodes)
                linear = tables.replacementLinear;
            o = PutFour(o, linear);
        }
    }
}

std::string GbkEncode(std::u16string_view text)
{
    std::string out;
    GbkEncodeAppend(text, out);
    return out;
}
