#pragma once

#include "doc/fileerror.h"

#include <string>

// The document's access to the file system: the one place that speaks to the
// operating system about files, and the seam through which tests make
// reading and writing fail in ways a machine will not fail on request.
// Paths are in the platform's own encoding (QFile::encodeName).
class FileSystem
{
public:
    enum class ReadStatus {
        Ok,
        OpenFailed, // the report is left as it was
        TooLarge, // larger than the limit; nothing read
        ReadFailed, // opened, but reading failed
        EndedEarly, // fewer bytes arrived than the file holds
    };
    struct ReadResult {
        ReadStatus status = ReadStatus::Ok;
        FileError error = FileError::None;
        std::string bytes;
    };

    virtual ~FileSystem() = default;

    // Reads the whole file, refusing one of more than maxBytes bytes.
    virtual ReadResult ReadFile(const std::string& path, long long maxBytes);

    // Writes the bytes to a new file beside `path` and puts it in place of
    // `path` only once every byte is on disk, so a failure never harms the
    // file that was there. Returns FileError::None on success.
    virtual FileError WriteFile(const std::string& path, const std::string& bytes);
};
