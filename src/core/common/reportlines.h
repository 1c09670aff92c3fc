#pragma once

#include "common/message.h"

#include <string>
#include <string_view>
#include <type_traits>

// The one way a report is written: line by line, each line its pieces in
// order and then "\r\n". Pieces are appended straight to the report, with no
// temporaries between, so a report of a thousand groups is built well within
// a millisecond.
class ReportLines
{
public:
    explicit ReportLines(std::string& out)
        : m_out(out)
    { }

    // Appends pieces to the line being written.
    template <typename... Pieces> ReportLines& Add(const Pieces&... pieces)
    {
        // A number would go in as one character: numbers are formatted first.
        static_assert((std::is_convertible_v<const Pieces&, std::string_view> && ...),
            "report pieces are texts");
        ((m_out += pieces), ...);
        return *this;
    }

    // Appends pieces and ends the line.
    template <typename... Pieces> void Line(const Pieces&... pieces)
    {
        Add(pieces...);
        m_out += kCrLf;
    }

private:
    std::string& m_out;
};
