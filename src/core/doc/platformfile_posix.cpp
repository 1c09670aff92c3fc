// POSIX file access for the document.
#include "doc/platformfile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) { }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    // Closes now, reporting the error a late write-back may bring.
    int close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

std::string Folder(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A missing file is "not found" when its folder exists, a bad path when not.
FileError OpenError(int error, const std::string& path)
{
    if (error == ENOENT) {
        struct stat st;
        const std::string dir = Folder(path);
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return FileError::BadPath;
    }
    return FileErrorFromErrno(error);
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

FileStamp StampOf(const struct stat& st)
{
    FileStamp s;
    s.size = static_cast<long long>(st.st_size);
    s.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    s.changed = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    s.device = static_cast<unsigned long long>(st.st_dev);
    s.node = static_cast<unsigned long long>(st.st_ino);
    return s;
}

// The file a chain of symbolic links ends at (which need not exist yet).
// Empty, with errno set, when the chain does not end.
std::string FollowLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size() - 1);
        if (n < 0)
            return path;
        const std::string next(target.data(), static_cast<size_t>(n));
        path = next.front() == '/' ? next : Folder(path) + "/" + next;
    }
    errno = ELOOP;
    return std::string();
}

// The folder as the user knows it, for a message about it.
std::string ShownFolder(const std::string& path)
{
    const std::string dir = Folder(path);
    char* real = ::realpath(dir.c_str(), nullptr);
    if (!real)
        return dir;
    std::string shown(real);
    std::free(real);
    return shown;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Copies all of `from` (read from its start) over `to`, which ends up exactly
// as long, and puts it on disk.
bool CopyOver(int from, int to)
{
    if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0)
        return false;
    std::vector<char> buffer(1 << 16);
    off_t total = 0;
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (!WriteAll(to, buffer.data(), static_cast<size_t>(n)))
            return false;
        total += n;
    }
    return ::ftruncate(to, total) == 0 && ::fsync(to) == 0;
}

// A new file with a short unique name in the folder of `path`: the name
// beside a long file name must not itself be too long. `prefix` names it.
int MakeTempBeside(const std::string& path, std::string* temp, const char* prefix = ".qoru-")
{
    std::string name = Folder(path) + "/" + prefix + "XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd >= 0)
        temp->assign(buffer.data());
    return fd;
}

FileSystem::WriteResult Failure(int error, const std::string& path)
{
    FileSystem::WriteResult r;
    r.error = OpenError(error, path);
    return r;
}

// The temporary file could not be made: a refusal is the folder's.
FileSystem::WriteResult TempFailure(int error, const std::string& target)
{
    FileSystem::WriteResult r = Failure(error, target);
    if (error == EEXIST)
        r.error = FileError::Generic;
    if (error == EACCES || error == EPERM || error == EROFS)
        r.errorPath = ShownFolder(target);
    return r;
}

// A file with other hard links keeps its identity: its old bytes go to a
// copy on disk, the new ones over the file itself; a failure puts the old
// ones back, and the copy is dropped only once the file is whole again.
FileSystem::WriteResult WriteInPlace(const std::string& target, const std::string& bytes)
{
    Fd file(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return Failure(errno, target);
    struct stat st;
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        FileSystem::WriteResult denied;
        denied.error = FileError::AccessDenied;
        return denied; // swapped for something else since we looked
    }
    std::string backupName;
    // Named to be found should both the write and the way back fail.
    Fd backup(MakeTempBeside(target, &backupName, "qoru-old-"));
    if (backup.get() < 0)
        return TempFailure(errno, target);
    ::fchmod(backup.get(), 0600);
    if (!CopyOver(file.get(), backup.get())) {
        const int error = errno;
        ::unlink(backupName.c_str());
        return Failure(error, target);
    }

    FileSystem::WriteResult r;
    if (::lseek(file.get(), 0, SEEK_SET) != 0 || !WriteAll(file.get(), bytes.data(), bytes.size())
        || ::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0
        || ::fsync(file.get()) != 0 || ::fstat(file.get(), &st) != 0) {
        r.error = FileErrorFromErrno(errno);
        if (!CopyOver(backup.get(), file.get()))
            return r; // the old bytes stay in the copy
    } else {
        r.stamp = StampOf(st);
    }
    ::unlink(backupName.c_str());
    return r;
}

} // namespace

FileSystem::ReadResult FileSystem::ReadFile(const std::string& path, long long maxBytes)
{
    ReadResult r;
    auto refuse = [&r] {
        r.status = ReadStatus::OpenFailed;
        r.error = FileError::AccessDenied;
        return r;
    };
    // A pipe or a device would make the open or the read wait: look first,
    // and open without waiting in case the file is swapped meanwhile.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return refuse();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        r.status = ReadStatus::OpenFailed;
        r.error = OpenError(errno, path);
        return r;
    }
    if (::fstat(fd.get(), &st) != 0) {
        r.status = ReadStatus::ReadFailed;
        r.error = FileErrorFromErrno(errno);
        return r;
    }
    if (!S_ISREG(st.st_mode))
        return refuse();
    if (st.st_size > maxBytes) {
        r.status = ReadStatus::TooLarge;
        return r;
    }
    r.stamp = StampOf(st);
    r.bytes.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < r.bytes.size()) {
        const ssize_t n = ::read(fd.get(), &r.bytes[got], r.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.status = ReadStatus::ReadFailed;
            r.error = FileErrorFromErrno(errno);
            r.bytes.clear();
            return r;
        }
        if (n == 0) {
            r.status = ReadStatus::EndedEarly;
            r.error = FileError::EndOfFile;
            r.bytes.clear();
            return r;
        }
        got += static_cast<size_t>(n);
    }
    return r;
}

FileSystem::WriteResult FileSystem::WriteFile(const std::string& path, const std::string& bytes)
{
    // A size limit must fail the write, not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);

    const std::string target = FollowLinks(path);
    if (target.empty())
        return Failure(errno, path);
    WriteResult denied;
    denied.error = FileError::AccessDenied;

    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    // Replacing a file one may not write is refused, as writing it in place would be.
    if (replacing && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0))
        return denied;
    if (replacing && old.st_nlink > 1)
        return WriteInPlace(target, bytes);

    std::string temp;
    Fd fd(MakeTempBeside(target, &temp));
    if (fd.get() < 0)
        return TempFailure(errno, target);

    auto fail = [&temp](int error) {
        ::unlink(temp.c_str());
        WriteResult r;
        r.error = FileErrorFromErrno(error);
        return r;
    };

    if (replacing) {
        // The owner where we may give it (as root), else at least the group;
        // the mode after, since a change of owner clears set-id bits.
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0)
            (void)!::fchown(fd.get(), static_cast<uid_t>(-1), old.st_gid);
        ::fchmod(fd.get(), old.st_mode & 07777);
    } else {
        ::fchmod(fd.get(), NewFileMode());
    }
    struct stat st;
    if (!WriteAll(fd.get(), bytes.data(), bytes.size()))
        return fail(errno);
    if (::fsync(fd.get()) != 0 || ::fstat(fd.get(), &st) != 0)
        return fail(errno);
    if (fd.close() != 0)
        return fail(errno);
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(errno);
    // The rename may touch the change time: the stamp is the file's as it
    // now stands, unless another file already stands in its place.
    struct stat placed;
    WriteResult r;
    r.stamp = ::stat(target.c_str(), &placed) == 0 && placed.st_dev == st.st_dev
            && placed.st_ino == st.st_ino
        ? StampOf(placed)
        : StampOf(st);
    return r;
}

std::optional<FileStamp> FileSystem::Stamp(const std::string& path)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return StampOf(st);
}
