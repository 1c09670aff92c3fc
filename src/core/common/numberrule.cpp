#include "common/numberrule.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, size_t count)
{
    size_t i = 0;
    for (size_t n = 0; i < text.size() && n < count; ++n) {
        ++i;
        while (i < text.size() && IsContinuation(text[i]))
            ++i;
    }
    return text.substr(0, i);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

namespace {

// Where the one number of a box's text lies, once the text passed the rule's
// shape (the value is not checked here).
struct Scan
{
    std::string text; // the first 31 characters
    size_t start = 0; // the sign or first digit
    size_t mantissaStart = 0; // after the sign
    size_t exponentMark = 0; // the "e", or `end` when there is none
    size_t end = 0;
};

std::optional<Scan> ScanNumber(const std::string& text)
{
    Scan sc;
    sc.text = FirstChars(text, kBoxChars);
    const std::string& s = sc.text;
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    sc.start = i;

    // sign, digits, [. digits], [e [sign] digits]
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    sc.mantissaStart = i;
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
    sc.exponentMark = i;
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
    sc.end = i;
    if (sc.exponentMark == i)
        sc.exponentMark = sc.end;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    if (i != s.size())
        return std::nullopt;
    return sc;
}

} // namespace

std::optional<double> ParseNumberBox(const std::string& text)
{
    const auto sc = ScanNumber(text);
    if (!sc)
        return std::nullopt;
    const std::string& s = sc->text;
    double value = 0;
    // from_chars takes no plus sign.
    const size_t from = s[sc->start] == '+' ? sc->mantissaStart : sc->start;
    const auto r = std::from_chars(s.data() + from, s.data() + sc->end, value);
    if (r.ec != std::errc() || r.ptr != s.data() + sc->end)
        return std::nullopt;
    if (value == 0.0 && s[sc->start] != '0')
        return std::nullopt;
    return value;
}

std::optional<NumberBoxDigits> ParseNumberBoxDigits(const std::string& text)
{
    if (!ParseNumberBox(text))
        return std::nullopt;
    const auto sc = ScanNumber(text);
    const std::string& s = sc->text;
    NumberBoxDigits d;
    d.negative = s[sc->start] == '-';
    long fractionDigits = 0;
    bool afterPoint = false;
    for (size_t i = sc->mantissaStart; i < sc->exponentMark; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
            continue;
        }
        d.digits += s[i];
        if (afterPoint)
            ++fractionDigits;
    }
    // The exponent has at most 29 digits here; a value that passed the rule
    // with a huge exponent has only zero digits, so clamping changes nothing.
    long exponent = 0;
    size_t i = sc->exponentMark;
    if (i < sc->end) {
        ++i;
        const bool negativeExponent = s[i] == '-';
        if (s[i] == '+' || s[i] == '-')
            ++i;
        for (; i < sc->end; ++i)
            exponent = std::min(exponent * 10 + (s[i] - '0'), 100000L);
        if (negativeExponent)
            exponent = -exponent;
    }
    d.exponent = exponent - fractionDigits;
    return d;
}

std::size_t BoxChars(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

bool FitsBox(const std::string& word)
{
    return BoxChars(word) <= kBoxChars;
}

std::optional<double> ParseNumberWord(const std::string& word)
{
    return FitsBox(word) ? ParseNumberBox(word) : std::nullopt;
}

bool IsBoxName(const std::string& text)
{
    if (text.empty() || !FitsBox(text))
        return false;
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = byte(i++);
        if (lead < 0x80) {
            if (lead < 0x20 || lead == 0x7F)
                return false;
            continue;
        }
        // Lead bytes of two to four bytes, and the least code point each may carry.
        size_t more = 0;
        char32_t cp = 0, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF)
            more = 1, cp = lead & 0x1FU, least = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            more = 2, cp = lead & 0x0FU, least = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            more = 3, cp = lead & 0x07U, least = 0x10000;
        else
            return false;
        for (; more > 0; --more, ++i) {
            if (i >= text.size() || !IsContinuation(text[i]))
                return false;
            cp = (cp << 6) | (byte(i) & 0x3FU);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp < 0xA0)
            return false; // overlong, beyond Unicode, a surrogate, or a C1 control
    }
    return true;
}

std::optional<double> ReadNumberBox(const std::string& text, NumberBoxType type)
{
    const std::optional<double> value = ParseNumberBox(text);
    if (!value)
        return std::nullopt;
    // Narrowing beyond a type's range would be undefined, or infinity.
    switch (type) {
    case NumberBoxType::Double:
        return value;
    case NumberBoxType::Float:
        if (std::fabs(*value) <= static_cast<double>(std::numeric_limits<float>::max()))
            return value;
        break;
    case NumberBoxType::Int:
        if (*value == std::trunc(*value) && std::fabs(*value) <= 2147483647.0)
            return value;
        break;
    }
    return std::nullopt;
}

Message NotANumberMessage()
{
    return { MessageKind::Stop, "请键入一个数。", MessageSource::Input };
}
