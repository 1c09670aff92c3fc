// Windows file access for the document. Paths arrive as UTF-8 (what
// QFile::encodeName gives on Windows) and are used as wide strings.
#include "doc/platformfile.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& wide)
{
    const int n = WideCharToMultiByte(
        CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
    return s;
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
// tells a file in use (a sharing violation) before anything is written.
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

// `file` must be open with at least FILE_READ_ATTRIBUTES.
FileStamp StampOf(HANDLE file, const BY_HANDLE_FILE_INFORMATION& info)
{
    FileStamp s;
    s.size = static_cast<long long>(
        (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    s.modified = static_cast<long long>(
        (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32)
        | info.ftLastWriteTime.dwLowDateTime);
    s.device = info.dwVolumeSerialNumber;
    s.node = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    // SetFileTime can put the last write time back, but not the change time.
    FILE_BASIC_INFO basic {};
    if (GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        s.changed = basic.ChangeTime.QuadPart;
    return s;
}

// What a path leads to, following symbolic links.
struct Inspection
{
    bool exists = false;
    DWORD error = ERROR_SUCCESS; // why an existing path could not be looked at
    bool regular = false; // a file on disk, not a folder, pipe or device
    bool readOnly = false;
    DWORD links = 0;
    std::wstring finalPath; // the file the links end at
    FileStamp stamp;
};

Inspection Inspect(const std::wstring& path)
{
    Inspection r;
    Handle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        r.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND
            && error != ERROR_INVALID_NAME && error != ERROR_BAD_PATHNAME;
        if (r.exists)
            r.error = error;
        return r;
    }
    r.exists = true;
    BY_HANDLE_FILE_INFORMATION info {};
    if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info)
        || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return r;
    r.regular = true;
    r.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    r.links = info.nNumberOfLinks;
    r.stamp = StampOf(file.get(), info);
    const DWORD n = GetFinalPathNameByHandleW(file.get(), nullptr, 0, FILE_NAME_NORMALIZED);
    if (n > 0) {
        std::vector<wchar_t> buffer(n + 1);
        const DWORD got
            = GetFinalPathNameByHandleW(file.get(), buffer.data(), n + 1, FILE_NAME_NORMALIZED);
        if (got > 0 && got <= n)
            r.finalPath.assign(buffer.data(), got);
    }
    return r;
}

std::wstring Folder(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

// A folder as the user knows it: without the long-path prefix.
std::string Shown(std::wstring path)
{
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
        path = L"\\\\" + path.substr(8);
    else if (path.rfind(L"\\\\?\\", 0) == 0)
        path = path.substr(4);
    return Narrow(path);
}

// A new file with a short unique name in the folder of `path`: the name
// beside a long file name must not itself be too long.
HANDLE MakeTempBeside(
    const std::wstring& path, std::wstring* temp, const wchar_t* prefix = L"~qoru")
{
    const std::wstring folder = Folder(path);
    DWORD seed = GetCurrentProcessId() * 7919u + GetTickCount();
    for (int attempt = 0; attempt < 100; ++attempt, ++seed) {
        wchar_t name[16];
        wsprintfW(name, L"%08lx.tmp", static_cast<unsigned long>(seed));
        *temp = folder + L"\\" + prefix + name;
        HANDLE h = CreateFileW(temp->c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

FileSystem::WriteResult Failure(DWORD error)
{
    FileSystem::WriteResult r;
    r.error = FromWin32(error);
    return r;
}

// The temporary file could not be made: a refusal is the folder's.
FileSystem::WriteResult TempFailure(DWORD error, const std::wstring& target)
{
    FileSystem::WriteResult r = Failure(error);
    if (error == ERROR_FILE_EXISTS)
        r.error = FileError::Generic;
    if (r.error == FileError::AccessDenied)
        r.errorPath = Shown(Folder(target));
    return r;
}

bool WriteAll(HANDLE file, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
        if (!::WriteFile(file, data + done, chunk, &n, nullptr))
            return false;
        done += n;
    }
    return true;
}

bool Rewind(HANDLE file)
{
    LARGE_INTEGER zero {};
    return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != 0;
}

// Copies all of `from` over `to`, which ends up exactly as long, on disk.
bool CopyOver(HANDLE from, HANDLE to)
{
    if (!Rewind(from) || !Rewind(to))
        return false;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr))
            return false;
        if (n == 0)
            break;
        if (!WriteAll(to, buffer.data(), n))
            return false;
    }
    return SetEndOfFile(to) && FlushFileBuffers(to);
}

// A file with other hard links keeps its identity: its old bytes go to a
// copy on disk, the new ones over the file itself; a failure puts the old
// ones back, and the copy is dropped only once the file is whole again.
FileSystem::WriteResult WriteInPlace(const std::wstring& target, const std::string& bytes)
{
    Handle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return Failure(GetLastError());
    std::wstring backupName;
    // Named to be found should both the write and the way back fail.
    Handle backup(MakeTempBeside(target, &backupName, L"qoru-old-"));
    if (!backup.valid())
        return TempFailure(GetLastError(), target);
    if (!CopyOver(file.get(), backup.get())) {
        const DWORD error = GetLastError();
        backup.close();
        DeleteFileW(backupName.c_str());
        return Failure(error);
    }

    FileSystem::WriteResult r;
    BY_HANDLE_FILE_INFORMATION info {};
    if (!Rewind(file.get()) || !WriteAll(file.get(), bytes.data(), bytes.size())
        || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())
        || !GetFileInformationByHandle(file.get(), &info)) {
        r.error = FromWin32(GetLastError());
        if (!CopyOver(backup.get(), file.get()))
            return r; // the old bytes stay in the copy
    } else {
        r.stamp = StampOf(file.get(), info);
    }
    backup.close();
    DeleteFileW(backupName.c_str());
    return r;
}

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
    Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        r.status = ReadStatus::OpenFailed;
        r.error = FromWin32(GetLastError());
        return r;
    }
    // A pipe or a device would make the read wait: only files on disk.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        r.status = ReadStatus::OpenFailed;
        r.error = FileError::AccessDenied;
        return r;
    }
    BY_HANDLE_FILE_INFORMATION info {};
    LARGE_INTEGER size {};
    if (!GetFileInformationByHandle(file.get(), &info) || !GetFileSizeEx(file.get(), &size)) {
        r.status = ReadStatus::ReadFailed;
        r.error = FromWin32(GetLastError());
        return r;
    }
    r.stamp = StampOf(file.get(), info);
    if (size.QuadPart > maxBytes) {
        r.status = ReadStatus::TooLarge;
        return r;
    }
    r.bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < r.bytes.size()) {
        DWORD n = 0;
        if (!::ReadFile(
                file.get(), &r.bytes[got], static_cast<DWORD>(r.bytes.size() - got), &n, nullptr)) {
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

FileSystem::WriteResult FileSystem::WriteFile(const std::string& path, const std::string& bytes)
{
    std::wstring target = Wide(path);
    if (HasOverlongName(target))
        return Failure(ERROR_FILENAME_EXCED_RANGE);
    const Inspection old = Inspect(target);
    if (old.exists) {
        if (old.error != ERROR_SUCCESS)
            return Failure(old.error);
        if (!old.regular || old.readOnly)
            return Failure(ERROR_ACCESS_DENIED);
        if (const DWORD error = ReplaceableError(target))
            return Failure(error);
        if (!old.finalPath.empty())
            target = old.finalPath; // through a link to the file it leads to
        if (old.links > 1) {
            // The times as they stand once the handle is closed, which may set them.
            WriteResult r = WriteInPlace(target, bytes);
            if (r.error == FileError::None)
                r.stamp = Inspect(target).stamp;
            return r;
        }
    }

    std::wstring temp;
    Handle file(MakeTempBeside(target, &temp));
    if (!file.valid())
        return TempFailure(GetLastError(), target);
    auto fail = [&temp, &file](DWORD error) {
        if (file.valid())
            file.close();
        DeleteFileW(temp.c_str());
        return Failure(error);
    };
    if (!WriteAll(file.get(), bytes.data(), bytes.size()))
        return fail(GetLastError());
    if (!FlushFileBuffers(file.get()))
        return fail(GetLastError());
    if (!file.close())
        return fail(GetLastError());
    // Replacing keeps the old file's attributes, security and owner.
    bool placed = old.exists
        && ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr);
    if (!placed) {
        const DWORD error = old.exists ? GetLastError() : ERROR_SUCCESS;
        // Without the old file (or when it is gone after all) a plain move does.
        if (old.exists && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT
            && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 && error != ERROR_FILE_NOT_FOUND)
            return fail(error);
        if (!MoveFileExW(
                temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return fail(GetLastError());
    }
    WriteResult r;
    r.stamp = Inspect(target).stamp;
    return r;
}

std::optional<FileStamp> FileSystem::Stamp(const std::string& path)
{
    const Inspection found = Inspect(Wide(path));
    if (!found.exists || !found.regular)
        return std::nullopt;
    return found.stamp;
}
