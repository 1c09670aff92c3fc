#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

// What a command reads: a file named by a UTF-8 path, or standard input.

// Reads `in` to its end in pieces, a UTF-8 BOM at the start dropped, and
// hands each piece to `feed`, which returns false to stop reading. Returns
// the message of a failed read, "source: why", or an empty text.
std::string FeedStream(std::FILE* in, const std::string& source,
    const std::function<bool(const char*, std::size_t)>& feed);

// Opens the file named by a UTF-8 path for reading bytes; nullptr with errno
// set when it cannot be opened.
std::FILE* OpenForReading(const std::string& path);

// The input of a command: the file named, or standard input for "-"; an
// empty name is refused. `option` is the option that named it, or empty for
// the FILE argument, and begins each message. Closes the file when it goes.
class CommandInput
{
public:
    explicit CommandInput(const std::string& file, const std::string& option = {});
    ~CommandInput();
    CommandInput(const CommandInput&) = delete;
    CommandInput& operator=(const CommandInput&) = delete;

    std::FILE* stream() const { return m_stream; } // nullptr when it cannot be opened
    const std::string& source() const { return m_source; } // how messages name it
    const std::string& error() const { return m_error; } // why it cannot be opened, in full

private:
    std::FILE* m_stream = nullptr;
    std::string m_source;
    std::string m_error;
};
