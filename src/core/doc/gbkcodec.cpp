#include "doc/gbkcodec.h"

#include "doc/gbktable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // byte b >= 0x80 that is no character: U+DC00 + b

bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsLead(unsigned b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool IsDigit(unsigned b)
{
    return b >= 0x30 && b <= 0x39;
}

std::uint32_t FourBytes(std::uint32_t linear)
{
    const std::uint32_t b3 = 0x30 + linear % 10;
    linear /= 10;
    const std::uint32_t b2 = 0x81 + linear % 126;
    linear /= 126;
    const std::uint32_t b1 = 0x30 + linear % 10;
    const std::uint32_t b0 = 0x81 + linear / 10;
    return b0 << 24 | b1 << 16 | b2 << 8 | b3;
}

// The bytes of each UTF-16 code unit, packed first byte highest: below 0x100
// one byte (ASCII or an escaped byte), below 0x10000 two, else four; lead
// bytes are 0x81 or more, so the value says how many. What a high surrogate
// gives depends on the unit after it.
constexpr std::uint32_t kHighSurrogate = 0xFFFFFFFF;

struct EncodeTable
{
    std::array<std::uint32_t, 0x10000> code {};
    std::uint32_t replacement = 0; // U+FFFD

    EncodeTable()
    {
        constexpr std::uint32_t unset = 0xFFFFFFFE;
        code.fill(unset);
        for (std::uint32_t c = 0; c < 0x80; ++c)
            code[c] = c;
        for (int lead = 0; lead < kGbkLeadCount; ++lead) {
            for (int trail = 0; trail < kGbkTrailSlots; ++trail) {
                if (std::uint16_t u = kGbkTwoByte[lead][trail])
                    code[u] = std::uint32_t(0x81 + lead) << 8 | std::uint32_t(0x40 + trail);
            }
        }
        for (std::size_t i = 0; i < kGbkFourByteRunCount; ++i) {
            const GbkFourByteRun& r = kGbkFourByteRuns[i];
            const std::uint32_t end = i + 1 < kGbkFourByteRunCount ? kGbkFourByteRuns[i + 1].linear
                                                                   : kGbkBmpFourByteCodes;
            if (r.unicode == 0)
                continue;
            for (std::uint32_t linear = r.linear; linear < end; ++linear)
                code[r.unicode + (linear - r.linear)] = FourBytes(linear);
        }
        // A lone surrogate that no decoded byte gives (valid text holds none) has
        // nothing to give back: it is written as U+FFFD. The tables leave no other
        // character out, but were one missing it would get the same.
        replacement = code[0xFFFD];
        for (std::uint32_t c = 0xD800; c <= 0xDFFF; ++c)
            code[c] = replacement;
        for (std::uint32_t c = 0xD800; c <= 0xDBFF; ++c)
            code[c] = kHighSurrogate;
        for (std::uint32_t c = 0xDC80; c <= 0xDCFF; ++c)
            code[c] = c - kEscapeBase;
        for (std::uint32_t& v : code) {
            if (v == unset)
                v = replacement;
        }
    }
};

const EncodeTable& Encoding()
{
    static const EncodeTable table;
    return table;
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

} // namespace

char16_t* GbkDecodeInto(std::string_view bytes, char16_t* o)
{
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
    return o;
}

std::u16string GbkDecode(std::string_view bytes)
{
    // Filling a string of the largest size first would cost as much as decoding.
    std::unique_ptr<char16_t[]> buffer(new char16_t[bytes.size()]);
    char16_t* end = GbkDecodeInto(bytes, buffer.get());
    return std::u16string(buffer.get(), end);
}

std::size_t GbkEncodedLength(std::u16string_view text)
{
    const EncodeTable& table = Encoding();
    std::size_t n = 0;
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint32_t v = table.code[text[i]];
        // 1, 2 or 4 bytes without branches: ASCII and Chinese alternate too freely
        // for them to be predicted. A pair is four bytes, as is U+FFFD.
        n += 1 + (v >= 0x100) + 2 * (v >= 0x10000);
        if (v == kHighSurrogate && i + 1 < size && IsLowSurrogate(text[i + 1]))
            ++i;
    }
    return n;
}

char* GbkEncodeInto(std::u16string_view text, char* o)
{
    const EncodeTable& table = Encoding();
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        std::uint32_t v = table.code[text[i]];
        if (v < 0x100) {
            *o++ = static_cast<char>(v);
            continue;
        }
        if (v < 0x10000) {
            o[0] = static_cast<char>(v >> 8);
            o[1] = static_cast<char>(v);
            o += 2;
            continue;
        }
        if (v == kHighSurrogate) {
            if (i + 1 < size && IsLowSurrogate(text[i + 1])) {
                const std::uint32_t s
                    = std::uint32_t(text[i] - 0xD800) << 10 | (text[i + 1] - 0xDC00);
                v = FourBytes(kGbkSupplementaryFirst + s);
                ++i;
            } else {
                v = table.replacement;
            }
        }
        o[0] = static_cast<char>(v >> 24);
        o[1] = static_cast<char>(v >> 16);
        o[2] = static_cast<char>(v >> 8);
        o[3] = static_cast<char>(v);
        o += 4;
    }
    return o;
}

std::string GbkEncode(std::u16string_view text)
{
    std::string out(GbkEncodedLength(text), '\0');
    GbkEncodeInto(text, out.data());
    return out;
}
