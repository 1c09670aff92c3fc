#pragma once

#include <string>

// Why a file could not be read or written, as the user is told.
enum class FileError {
    None,
    Generic, // a cause we cannot name
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidFile,
    RemoveCurrentDir,
    DirectoryFull,
    BadSeek,
    HardIO,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
};

// The message for a failed file operation on `path` (UTF-8).
std::string FileErrorMessage(FileError cause, const std::string& path);

// The cause for a C library error number (errno), as far as one can tell
// from the number alone.
FileError FileErrorFromErrno(int error);

// Messages of the document machinery that are not about one cause.
inline constexpr const char* kMsgFileTooLarge = "该文件太大，无法打开。";
inline constexpr const char* kMsgUnexpectedFormat = "非预期的文件格式。";
inline constexpr const char* kMsgOpenFailed = "打开文档失败。";
inline constexpr const char* kMsgSaveFailed = "保存文档失败。";
// Asked before a save would overwrite what another program wrote (%1: the path).
inline constexpr const char* kMsgChangedOnDisk = "%1 已被其他程序修改。是否覆盖？";

// The largest report file that can be opened, in bytes.
inline constexpr long long kMaxReportBytes = 0xFFFFF; // 1,048,575
