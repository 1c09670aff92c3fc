#include "doc/reporttext.h"

#include "doc/gbkcodec.h"

namespace {

constexpr char16_t kLoneLf = 0xDC0A;
constexpr char16_t kLoneCr = 0xDC0D;

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

// Characters that the view would split the text at.
bool TakenForLineBreak(char16_t c)
{
    return c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1;
}

std::size_t TakenForLineBreakCount(std::u16string_view text)
{
    std::size_t n = 0;
    for (char16_t c : text)
        n += TakenForLineBreak(c);
    return n;
}

// Writes the view text of decoded file text from o on and returns the end.
// o may be the start of the decoded text itself when nothing in it grows:
// every step writes no more units than it reads.
char16_t* MapLineEnds(std::u16string_view in, char16_t* o)
{
    const std::size_t n = in.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = in[i];
        if (c == u'\r') {
            if (i + 1 < n && in[i + 1] == u'\n') {
                *o++ = u'\n';
                ++i;
            } else {
                *o++ = kLoneCr;
            }
        } else if (c == u'\n') {
            *o++ = kLoneLf;
        } else if (TakenForLineBreak(c)) {
            // Kept as its four bytes instead: the lead bytes escaped, the digits plain.
            for (unsigned char b : GbkEncode(std::u16string_view(&c, 1)))
                *o++ = b < 0x80 ? char16_t(b) : char16_t(0xDC00 + b);
        } else {
            *o++ = c;
        }
    }
    return o;
}

// Splits view text into runs of characters and line ends; out.Text(run) for
// each run and out.Bytes(bytes) for each line end, in order.
template <class Out> void WalkViewText(std::u16string_view text, Out& out)
{
    const std::size_t n = text.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = text[i];
        std::string_view bytes;
        std::size_t next = i + 1;
        if (c == u'\n' || c == 0x2028 || c == 0x2029) {
            bytes = "\r\n";
        } else if (c == u'\r') {
            bytes = "\r\n";
            if (next < n && text[next] == u'\n')
                ++next;
        } else if ((c == kLoneLf || c == kLoneCr) && !(i > 0 && IsHighSurrogate(text[i - 1]))) {
            // After a high surrogate the same unit is the second half of a character.
            bytes = c == kLoneLf ? "\n" : "\r";
        } else {
            continue;
        }
        out.Text(text.substr(start, i - start));
        out.Bytes(bytes);
        start = next;
        i = next - 1;
    }
    out.Text(text.substr(start));
}

struct LengthOut
{
    std::size_t n = 0;
    void Text(std::u16string_view run) { n += GbkEncodedLength(run); }
    void Bytes(std::string_view bytes) { n += bytes.size(); }
};

struct BytesOut
{
    std::string& s;
    void Text(std::u16string_view run) { GbkEncodeAppend(run, s); }
    void Bytes(std::string_view bytes) { s.append(bytes); }
};

} // namespace

std::u16string FileBytesToViewText(std::string_view bytes)
{
    std::u16string decoded = GbkDecode(bytes);
    const std::size_t grows = TakenForLineBreakCount(decoded);
    if (grows == 0) {
        char16_t* end = MapLineEnds(decoded, decoded.data());
        decoded.resize(static_cast<std::size_t>(end - decoded.data()));
        return decoded;
    }
    std::u16string text(decoded.size() + 3 * grows, u'\0');
    char16_t* end = MapLineEnds(decoded, text.data());
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

std::size_t ViewTextFileLength(std::u16string_view text)
{
    LengthOut out;
    WalkViewText(text, out);
    return out.n;
}

std::string ViewTextToFileBytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(ViewTextFileLength(text));
    BytesOut out { bytes };
    WalkViewText(text, out);
    return bytes;
}
