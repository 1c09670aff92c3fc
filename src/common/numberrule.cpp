#include "common/numberrule.h"

#include <cctype>
#include <charconv>
#include <system_error>

namespace {

constexpr size_t kMaxChars = 31;

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, size_t count)
{
    size_t i = 0;
    for (size_t n = 0; i < text.size() && n < count; ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0U) == 0x80U)
            ++i;
    }
    return text.substr(0, i);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> ParseNumberBox(const std::string& text)
{
    const std::string s = FirstChars(text, kMaxChars);
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    const size_t start = i;

    // sign, digits, [. digits], [e [sign] digits]
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const size_t mantissaStart = i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            i = j;
        }
        // An "e" without digits ends the number before it, and is then
        // the trailing garbage that makes the text no number.
    }
    const size_t end = i;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i != s.size())
        return std::nullopt;

    double value = 0;
    // from_chars takes no plus sign.
    const size_t from = s[start] == '+' ? mantissaStart : start;
    const auto r = std::from_chars(s.data() + from, s.data() + end, value);
    if (r.ec != std::errc() || r.ptr != s.data() + end)
        return std::nullopt;
    if (value == 0.0 && s[start] != '0')
        return std::nullopt;
    return value;
}
