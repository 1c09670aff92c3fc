#include "doc/fileerror.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(FileErrorMessage, PutsThePathInPlace)
{
    EXPECT_EQ(FileErrorMessage(FileError::FileNotFound, "/tmp/a.txt"), "没有找到 /tmp/a.txt。");
    EXPECT_EQ(FileErrorMessage(FileError::BadPath, "x"), "x 中包含无效的路径。");
    EXPECT_EQ(FileErrorMessage(FileError::DiskFull, "d"), "在存取 d 时磁盘已满。");
    EXPECT_EQ(FileErrorMessage(FileError::Generic, "g"), "在对 g 进行访问时发生了一个不明错误。");
    // A path that itself holds "%1" is not expanded again.
    EXPECT_EQ(FileErrorMessage(FileError::AccessDenied, "%1"), "对 %1 的存取被拒绝。");
}

TEST(FileErrorFromErrno, MapsTheCommonCauses)
{
    EXPECT_EQ(FileErrorFromErrno(ENOENT), FileError::FileNotFound);
    EXPECT_EQ(FileErrorFromErrno(ENOTDIR), FileError::BadPath);
    EXPECT_EQ(FileErrorFromErrno(ENAMETOOLONG), FileError::BadPath);
    EXPECT_EQ(FileErrorFromErrno(EACCES), FileError::AccessDenied);
    EXPECT_EQ(FileErrorFromErrno(EISDIR), FileError::AccessDenied);
    EXPECT_EQ(FileErrorFromErrno(EROFS), FileError::AccessDenied);
    EXPECT_EQ(FileErrorFromErrno(EMFILE), FileError::TooManyOpenFiles);
    EXPECT_EQ(FileErrorFromErrno(ENOSPC), FileError::DiskFull);
    EXPECT_EQ(FileErrorFromErrno(EIO), FileError::HardIO);
    EXPECT_EQ(FileErrorFromErrno(EFBIG), FileError::EndOfFile);
    EXPECT_EQ(FileErrorFromErrno(EBADF), FileError::InvalidFile);
    EXPECT_EQ(FileErrorFromErrno(0x7fff), FileError::Generic);
}

} // namespace
