#pragma once

#include "doc/fileerror.h"

#include <optional>
#include <string>

// What tells one version of a file from another: a file changed or replaced
// by another program no longer has the stamp it had when we read or wrote it.
// The modification time can be put back by anyone; the change time cannot,
// so a same-size rewrite that restores it still shows.
struct FileStamp
{
    long long size = 0;
    long long modified = 0; // last write, in the platform's own ticks
    long long changed = 0; // last change of contents or attributes, likewise
    unsigned long long device = 0, node = 0; // where the platform tells them apart

    bool operator==(const FileStamp& o) const
    {
        return size == o.size && modified == o.modified && changed == o.changed
            && device == o.device && node == o.node;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The document's access to the file system: the one place that speaks to the
// operating system about files, and the seam through which tests make
// reading and writing fail in ways a machine will not fail on request.
// Paths are in the platform's own encoding (QFile::encodeName).
//
// Only regular files are read or written: a folder, a pipe or a device is
// refused as access denied, without waiting on it. A path that is a symbolic
// link stands for the file it leads to.
class FileSystem
{
public:
    enum class ReadStatus
    {
        Ok,
        OpenFailed, // the report is left as it was
        TooLarge, // larger than the limit; nothing read
        ReadFailed, // opened, but reading failed
        EndedEarly, // fewer bytes arrived than the file holds
    };
    struct ReadResult
    {
        ReadStatus status = ReadStatus::Ok;
        FileError error = FileError::None;
        std::string bytes;
        FileStamp stamp; // of the file read, when Ok
    };
    struct WriteResult
    {
        FileError error = FileError::None;
        // The path the error is about when it is not the file's own (the
        // folder a new file could not be made in); empty otherwise.
        std::string errorPath;
        FileStamp stamp; // of the file written, on success
    };

    virtual ~FileSystem() = default;

    // Reads the whole file, refusing one of more than maxBytes bytes.
    virtual ReadResult ReadFile(const std::string& path, long long maxBytes);

    // Writes the bytes to a new file beside the file `path` leads to and
    // puts it in place of that file only once every byte is on disk, so a
    // failure never harms the file that was there; the new file keeps the
    // old one's permissions and, where allowed, its owner. A file with other
    // hard links is rewritten in place instead, with a copy of its old bytes
    // kept on disk until the new ones are.
    virtual WriteResult WriteFile(const std::string& path, const std::string& bytes);

    // The stamp of the file `path` leads to, or none when there is none.
    virtual std::optional<FileStamp> Stamp(const std::string& path);
};
