// POSIX file access for the document.
#include "doc/platformfile.h"

#include <cerrno>
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

// A missing file is "not found" when its folder exists, a bad path when not.
FileError OpenError(int error, const std::string& path)
{
    if (error == ENOENT) {
        const size_t slash = path.find_last_of('/');
        const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
        struct stat st;
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

} // namespace

FileSystem::ReadResult FileSystem::ReadFile(const std::string& path, long long maxBytes)
{
    ReadResult r;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        r.status = ReadStatus::OpenFailed;
        r.error = OpenError(errno, path);
        return r;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) {
        r.status = ReadStatus::ReadFailed;
        r.error = FileErrorFromErrno(errno);
        return r;
    }
    if (S_ISDIR(st.st_mode)) {
        r.status = ReadStatus::OpenFailed;
        r.error = FileError::AccessDenied;
        return r;
    }
    if (st.st_size > maxBytes) {
        r.status = ReadStatus::TooLarge;
        return r;
    }
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

FileError FileSystem::WriteFile(const std::string& path, const std::string& bytes)
{
    // A size limit must fail the write, not kill the program.
    std::signal(SIGXFSZ, SIG_IGN);

    struct stat old;
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    // Replacing a file one may not write is refused, as writing it in place would be.
    if (replacing && (S_ISDIR(old.st_mode) || ::access(path.c_str(), W_OK) != 0))
        return FileError::AccessDenied;

    std::string temp = path + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    Fd fd(::mkstemp(name.data()));
    if (fd.get() < 0) {
        const int error = errno;
        return error == EEXIST ? FileError::Generic : OpenError(error, path);
    }
    temp.assign(name.data());

    auto fail = [&temp](int error) {
        ::unlink(temp.c_str());
        return FileErrorFromErrno(error);
    };

    ::fchmod(fd.get(), replacing ? (old.st_mode & 07777) : NewFileMode());
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(errno);
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (fd.close() != 0)
        return fail(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0)
        return fail(errno);
    return FileError::None;
}
