#include "print/printlines.h"

#include <cmath>

namespace {

constexpr double kSlack = 1e-6; // advances summed in floating point

bool IsBreak(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0xDC0A || c == 0xDC0D || c == 0x2028 || c == 0x2029;
}

// One code point of the text: a surrogate pair is one, a lone surrogate is
// an unprintable unit of its own.
struct Unit
{
    char32_t c;
    std::uint32_t size;
    bool printable;
};

Unit UnitAt(std::u16string_view text, std::size_t i)
{
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00
        && text[i + 1] <= 0xDFFF) {
        const char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        return { cp, 2, true };
    }
    if (c >= 0xD800 && c <= 0xDFFF)
        return { c, 1, false };
    if ((c < 0x20 && c != u'\t') || c == 0x7F)
        return { c, 1, false };
    if (c == 0xFDD0 || c == 0xFDD1)
        return { c, 1, false };
    return { c, 1, true };
}

double NextTabStop(double x, double tabWidth)
{
    return (std::floor(x / tabWidth + kSlack) + 1) * tabWidth;
}

class Wrapper
{
public:
    Wrapper(std::u16string_view text, double width, double tabWidth, const CharAdvance& advance)
        : m_text(text)
        , m_width(width)
        , m_tab(tabWidth > 0 ? tabWidth : 1)
        , m_advance(advance)
    { }

    PrintLayout run()
    {
        std::size_t start = 0;
        while (start < m_text.size()) {
            std::size_t end = start;
            while (end < m_text.size() && !IsBreak(m_text[end]))
                ++end;
            wrapLine(start, end);
            if (end >= m_text.size())
                break;
            // "\r\n" is one break.
            start = end
                + (m_text[end] == u'\r' && end + 1 < m_text.size() && m_text[end + 1] == u'\n' ? 2
                                                                                               : 1);
        }
        return std::move(m_out);
    }

private:
    double advanceOf(const Unit& u, double x) const
    {
        if (!u.printable)
            return x;
        if (u.c == u'\t')
            return NextTabStop(x, m_tab);
        return x + m_advance(u.c);
    }

    std::size_t skipSpaces(std::size_t i, std::size_t end) const
    {
        while (i < end) {
            const Unit u = UnitAt(m_text, i);
            if (u.printable && !IsPrintSpace(u.c))
                break;
            i += u.size;
        }
        return i;
    }

    void wrapLine(std::size_t start, std::size_t end)
    {
        if (start == end) {
            emit(start, end);
            return;
        }
        std::size_t pos = start;
        while (pos < end) {
            double x = 0;
            bool placed = false; // a printable character stands on the line
            bool content = false; // ... and one that is not white space
            std::size_t spaceStart = 0, spaceEnd = 0; // last white space after content
            std::size_t i = pos;
            bool overflow = false;
            while (i < end) {
                const Unit u = UnitAt(m_text, i);
                const double next = advanceOf(u, x);
                if (u.printable && placed && next > m_width + kSlack) {
                    overflow = true;
                    break;
                }
                if (u.printable) {
                    const bool space = IsPrintSpace(u.c);
                    if (space && content) {
                        if (spaceEnd != i)
                            spaceStart = i;
                        spaceEnd = i + u.size;
                    }
                    content = content || !space;
                    placed = true;
                }
                x = next;
                i += u.size;
            }
            if (!overflow) {
                emit(pos, end);
                return;
            }
            const Unit at = UnitAt(m_text, i);
            std::size_t lineEnd = i, next = i;
            if (IsPrintSpace(at.c)) {
                next = skipSpaces(i, end);
            } else if (spaceEnd > 0) {
                lineEnd = spaceStart;
                next = spaceEnd;
            }
            emit(pos, lineEnd);
            pos = next;
        }
    }

    // One printed line, cut into runs at tabs and unprintable characters.
    void emit(std::size_t start, std::size_t end)
    {
        PrintLine line;
        line.firstRun = static_cast<std::uint32_t>(m_out.runs.size());
        double x = 0;
        std::size_t runStart = start;
        double runX = 0;
        auto close = [&](std::size_t at) {
            if (at > runStart)
                m_out.runs.push_back({ static_cast<std::uint32_t>(runStart),
                    static_cast<std::uint32_t>(at - runStart), runX });
        };
        for (std::size_t i = start; i < end;) {
            const Unit u = UnitAt(m_text, i);
            if (!u.printable || u.c == u'\t') {
                close(i);
                x = advanceOf(u, x);
                runStart = i + u.size;
                runX = x;
            } else {
                x = advanceOf(u, x);
            }
            i += u.size;
        }
        close(end);
        line.runCount = static_cast<std::uint32_t>(m_out.runs.size()) - line.firstRun;
        m_out.lines.push_back(line);
    }

    std::u16string_view m_text;
    double m_width;
    double m_tab;
    const CharAdvance& m_advance;
    PrintLayout m_out;
};

} // namespace

bool IsPrintSpace(char32_t c)
{
    return c == u' ' || c == u'\t' || c == 0x3000 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A)
        || c == 0x205F;
}

PrintLayout LayOutText(
    std::u16string_view text, double width, double tabWidth, const CharAdvance& advance)
{
    return Wrapper(text, width, tabWidth, advance).run();
}

int LinesPerPage(double height, double pitch)
{
    if (!(pitch > 0) || !(height >= pitch))
        return 1;
    return static_cast<int>(std::floor(height / pitch + kSlack));
}

int PageCount(std::size_t lines, int linesPerPage)
{
    const std::size_t per = linesPerPage > 0 ? static_cast<std::size_t>(linesPerPage) : 1;
    return lines == 0 ? 1 : static_cast<int>((lines + per - 1) / per);
}
