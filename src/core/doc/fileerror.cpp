#include "doc/fileerror.h"

#include <cerrno>

namespace {

const char* Pattern(FileError cause)
{
    switch (cause) {
    case FileError::None:
    case FileError::Generic: return "在对 %1 进行访问时发生了一个不明错误。";
    case FileError::FileNotFound: return "没有找到 %1。";
    case FileError::BadPath: return "%1 中包含无效的路径。";
    case FileError::TooManyOpenFiles: return "无法打开 %1 因为太多文件已被打开。";
    case FileError::AccessDenied: return "对 %1 的存取被拒绝。";
    case FileError::InvalidFile: return "一个无效的文件柄与 %1 相关联。";
    case FileError::RemoveCurrentDir: return "无法删除 %1 因为它是当前目录。";
    case FileError::DirectoryFull: return "该目录已满，无法创建 %1。";
    case FileError::BadSeek: return "对 %1 进行查找失败。";
    case FileError::HardIO: return "在存取 %1 时一个硬件输入/输出错误被报告。";
    case FileError::SharingViolation: return "在存取 %1 时发生共享违例。";
    case FileError::LockViolation: return "在存取 %1 时发生锁违例。";
    case FileError::DiskFull: return "在存取 %1 时磁盘已满。";
    case FileError::EndOfFile: return "试图越过其尾端对 %1 进行读写。";
    }
    return "在对 %1 进行访问时发生了一个不明错误。";
}

} // namespace

std::string FileErrorMessage(FileError cause, const std::string& path)
{
    std::string text = Pattern(cause);
    const size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

FileError FileErrorFromErrno(int error)
{
    switch (error) {
    case ENOENT: return FileError::FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
    case EXDEV: return FileError::BadPath;
    case EMFILE:
    case ENFILE: return FileError::TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return FileError::AccessDenied;
    case EBADF: return FileError::InvalidFile;
    case EBUSY:
    case ETXTBSY: return FileError::SharingViolation;
    case ENOLCK:
    case EDEADLK: return FileError::LockViolation;
    case ESPIPE: return FileError::BadSeek;
    case EIO:
    case ENXIO:
    case ENODEV: return FileError::HardIO;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileError::DiskFull;
    case EFBIG:
    case EOVERFLOW: return FileError::EndOfFile;
    default: return FileError::Generic;
    }
}
