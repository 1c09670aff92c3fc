#include "cli/strengthinput.h"

#include "cli/clioutput.h"
#include "stats/stddev.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr std::size_t kBoxChars = 31; // what the input box holds
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
            if (c == '\n' || c == '\r') {
                if (c == '\n' && afterCr)
                    continue; // the LF of a CR LF: the CR ended the line
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
        if (m_wordChars > kBoxChars)
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

std::string FeedStream(std::FILE* in, const std::string& source,
    const std::function<bool(const char*, std::size_t)>& feed)
{
    std::vector<char> buffer(std::size_t { 1 } << 16);
    for (bool first = true;; first = false) {
        errno = 0;
        const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), in);
        const int error = errno;
        const char* bytes = buffer.data();
        std::size_t count = size;
        // fread fills the buffer unless the input ends, so a BOM lies whole
        // in the first piece.
        if (first && count >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0)
            bytes += 3, count -= 3;
        if (!feed(bytes, count))
            return {};
        if (size < buffer.size()) {
            if (std::ferror(in))
                return "cannot read " + source + ": "
                    + (error != 0 ? std::strerror(error) : "read failed");
            return {};
        }
    }
}

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

std::FILE* OpenForReading(const std::string& path)
{
#ifdef _WIN32
    // The ANSI functions cannot open every name a UTF-8 path can hold.
    const int size = MultiByteToWideChar(
        CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (size <= 0) {
        errno = ENOENT;
        return nullptr;
    }
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), static_cast<int>(path.size()),
        wide.data(), size);
    return _wfopen(wide.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}
