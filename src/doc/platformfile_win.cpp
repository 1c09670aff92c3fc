// Windows file access for the document. Paths arrive as UTF-8 (what
// QFile::encodeName gives on Windows) and are used as wide strings.
#include "doc/platformfile.h"

#include <windows.h>

#include <string>

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

FileError FromWin32(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return FileError::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE: return FileError::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES: return FileError::TooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::AccessDenied;
    case ERROR_INVALID_HANDLE: return FileError::InvalidFile;
    case ERROR_CURRENT_DIRECTORY: return FileError::RemoveCurrentDir;
    case ERROR_CANNOT_MAKE: return FileError::DirectoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return FileError::BadSeek;
    case ERROR_CRC:
    case ERROR_GEN_FAILURE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return FileError::HardIO;
    case ERROR_SHARING_VIOLATION: return FileError::SharingViolation;
    case ERROR_LOCK_VIOLATION: return FileError::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return FileError::DiskFull;
    case ERROR_HANDLE_EOF: return FileError::EndOfFile;
    default: return FileError::Generic;
    }
}

// A name longer than a file system's 255 characters is a bad path on
// Windows, but some file systems (and Wine) report it as "not found".
bool HasOverlongName(const std::wstring& path)
{
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of(L"\\/", start);
        if (end == std::wstring::npos)
            end = path.size();
        if (end - start > 255)
            return true;
        start = end + 1;
    }
    return false;
}

// Replacing a file needs the right to delete it, which another program's
// handle denies unless it shares deletion; asking for that right first
// tells a file in use (a sharing violation) from one we may not write.
DWORD ReplaceableError(const std::wstring& target)
{
    HANDLE h = CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    CloseHandle(h);
    return ERROR_SUCCESS;
}

class Handle
{
public:
    explicit Handle(HANDLE h) : m_h(h) { }
    ~Handle()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_h; }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
    BOOL close()
    {
        const BOOL ok = CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_h;
};

} // namespace

FileSystem::ReadResult FileSystem::ReadFile(const std::string& path, long long maxBytes)
{
    ReadResult r;
    if (HasOverlongName(Wide(path))) {
        r.status = ReadStatus::OpenFailed;
        r.error = FileError::BadPath;
        return r;
    }
    // Others may read the file meanwhile, but not write it.
    Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        r.status = ReadStatus::OpenFailed;
        r.error = FromWin32(GetLastError());
        return r;
    }
    LARGE_INTEGER size {};
    if (!GetFileSizeEx(file.get(), &size)) {
        r.status = ReadStatus::ReadFailed;
        r.error = FromWin32(GetLastError());
        return r;
    }
    if (size.QuadPart > maxBytes) {
        r.status = ReadStatus::TooLarge;
        return r;
    }
    r.bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < r.bytes.size()) {
        DWORD n = 0;
        if (!::ReadFile(file.get(), &r.bytes[got], static_cast<DWORD>(r.bytes.size() - got), &n, nullptr)) {
            r.status = ReadStatus::ReadFailed;
            r.error = FromWin32(GetLastError());
            r.bytes.clear();
            return r;
        }
        if (n == 0) {
            r.status = ReadStatus::EndedEarly;
            r.error = FileError::EndOfFile;
            r.bytes.clear();
            return r;
        }
        got += n;
    }
    return r;
}

FileError FileSystem::WriteFile(const std::string& path, const std::string& bytes)
{
    const std::wstring target = Wide(path);
    if (HasOverlongName(target))
        return FileError::BadPath;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES
        && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return FileError::AccessDenied;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (const DWORD error = ReplaceableError(target))
            return FromWin32(error);
    }

    const std::wstring temp = target + L".qoru-save";
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return FromWin32(GetLastError());
    auto fail = [&temp](DWORD error) {
        DeleteFileW(temp.c_str());
        return FromWin32(error);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &n, nullptr))
            return fail(GetLastError());
        done += n;
    }
    if (!FlushFileBuffers(file.get()))
        return fail(GetLastError());
    if (!file.close())
        return fail(GetLastError());
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    return FileError::None;
}
