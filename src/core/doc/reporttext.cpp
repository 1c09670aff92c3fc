#include "doc/reporttext.h"

#include "doc/gbkcodec.h"

#include <cstring>
#include <memory>

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
        // Nearly every unit is no line end; one test without branches, since text
        // mixes ASCII and Chinese too freely for branches to be predicted.
        const bool maybeLineEnd = (c <= u'\r') | ((c | 1) == 0x2029)
            | (unsigned(c - kLoneLf) <= unsigned(kLoneCr - kLoneLf));
        if (!maybeLineEnd)
            continue;
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
    char* o;
    void Text(std::u16string_view run) { o = GbkEncodeInto(run, o); }
    void Bytes(std::string_view bytes)
    {
        std::memcpy(o, bytes.data(), bytes.size());
        o += bytes.size();
    }
};

} // namespace

std::u16string FileBytesToViewText(std::string_view bytes)
{
    std::unique_ptr<char16_t[]> decoded(new char16_t[bytes.size()]);
    const std::u16string_view text(decoded.get(),
        static_cast<std::size_t>(GbkDecodeInto(bytes, decoded.get()) - decoded.get()));
    if (const std::size_t grows = TakenForLineBreakCount(text)) {
        std::unique_ptr<char16_t[]> view(new char16_t[text.size() + 3 * grows]);
        return std::u16string(view.get(), MapLineEnds(text, view.get()));
    }
    return std::u16string(decoded.get(), MapLineEnds(text, decoded.get()));
}

std::size_t ViewTextFileLength(std::u16string_view text)
{
    LengthOut out;
    WalkViewText(text, out);
    return out.n;
}

std::string ViewTextToFileBytes(std::u16string_view text)
{
    std::string bytes(ViewTextFileLength(text), '\0');
    BytesOut out { bytes.data() };
    WalkViewText(text, out);
    return bytes;
}
