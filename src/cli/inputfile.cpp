#include "cli/inputfile.h"

#include "cli/clioutput.h"

#include <cerrno>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

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
                return source + ": " + (error != 0 ? SystemErrorText(error) : "read failed");
            return {};
        }
    }
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

CommandInput::CommandInput(const std::string& file, const std::string& option)
{
    if (file == "-") {
        m_stream = stdin;
        m_source = "standard input";
        return;
    }
    // An empty name is a mistake (an unset variable), not a wish for stdin.
    if (file.empty()) {
        m_error = (option.empty() ? "FILE" : option)
            + ": empty; name a file, or \"-\" for standard input";
        return;
    }
    m_source = Quoted(file, std::string::npos);
    m_stream = OpenForReading(file);
    if (!m_stream)
        m_error = (option.empty() ? "" : option + ": ") + m_source + ": " + SystemErrorText(errno);
}

CommandInput::~CommandInput()
{
    if (m_stream && m_stream != stdin)
        std::fclose(m_stream);
}
