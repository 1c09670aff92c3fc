#include "cli/strengthinput.h"

#include "cli/clioutput.h"
#include "cli/inputfile.h"
#include "common/numberrule.h"
#include "stats/stddev.h"

namespace {

constexpr std::size_t kShownChars = 40; // what a message echoes of a value

bool IsLead(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

class StrengthParser
{
public:
    StrengthParser(StrengthReading& reading, std::size_t maxCount)
        : m_reading(reading)
        , m_maxCount(maxCount)
    { }

    // Takes the next bytes of the text; false once a value stopped the reading.
    bool Feed(const char* bytes, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const char c = bytes[i];
            const bool afterCr = m_afterCr;
            m_afterCr = false;
            if (c == '\n' && afterCr)
                continue; // the LF of a CR LF: the CR ended the line
            // Blank lines count too, or endless blank input would never end.
            if (static_cast<unsigned long long>(m_line) > m_maxCount) {
                m_reading.error = "line " + std::to_string(m_line) + ": more than "
                    + std::to_string(m_maxCount) + " lines";
                return false;
            }
            if (c == '\n' || c == '\r') {
                if (!EndWord())
                    return false;
                ++m_line;
                m_afterCr = c == '\r';
            } else if (c == ' ' || c == '\t') {
                if (!EndWord())
                    return false;
            } else {
                if (IsLead(c) && ++m_wordChars > kShownChars) {
                    // Longer than any box could hold and than a message shows:
                    // refused without reading the rest of it.
                    m_word += c;
                    return Refuse(NoNumberText());
                }
                m_word += c;
            }
        }
        return true;
    }

    // The end of the text.
    bool Finish() { return EndWord(); }

private:
    static std::string NoNumberText() { return ReadStrengthBox(std::string()).notice.text; }

    bool Refuse(const std::string& why)
    {
        m_reading.error = "line " + std::to_string(m_line) + ": " + Quoted(m_word) + ": " + why;
        return false;
    }

    bool EndWord()
    {
        if (m_word.empty())
            return true;
        if (!FitsBox(m_word))
            return Refuse(NoNumberText());
        const StrengthEntry entry = ReadStrengthBox(m_word);
        if (entry.check != StrengthCheck::Accepted)
            return Refuse(entry.notice.text);
        if (m_reading.strengths.size() == m_maxCount) {
            m_reading.error = "line " + std::to_string(m_line) + ": more than "
                + std::to_string(m_maxCount) + " strengths";
            return false;
        }
        m_reading.strengths.push_back(static_cast<double>(entry.value));
        m_word.clear();
        m_wordChars = 0;
        return true;
    }

    StrengthReading& m_reading;
    const std::size_t m_maxCount;
    std::string m_word;
    std::size_t m_wordChars = 0;
    long long m_line = 1;
    bool m_afterCr = false;
};

} // namespace

StrengthReading ReadStrengths(std::FILE* in, const std::string& source, std::size_t maxCount)
{
    StrengthReading reading;
    StrengthParser parser(reading, maxCount);
    bool stopped = false;
    const std::string error = FeedStream(in, source, [&](const char* bytes, std::size_t count) {
        stopped = !parser.Feed(bytes, count);
        return !stopped;
    });
    if (!error.empty())
        reading.error = error;
    else if (!stopped)
        parser.Finish();
    return reading;
}
