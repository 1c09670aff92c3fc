// The POSIX file layer's stamps on a real file system: our own save keeps
// the stamp it reports, and another program's rewrite changes it even when
// the size stays and the modification time is put back.
#include "doc/platformfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

class PosixFileStamp : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "qoru-stamp-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string Path(const char* name) const { return (m_dir / name).string(); }

    FileSystem m_files;
    std::filesystem::path m_dir;
};

TEST_F(PosixFileStamp, OurOwnSaveIsNoChange)
{
    for (const bool hardLinked : { false, true }) {
        SCOPED_TRACE(hardLinked ? "rewritten in place" : "replaced");
        const std::string path = Path(hardLinked ? "linked.txt" : "plain.txt");
        ASSERT_EQ(m_files.WriteFile(path, "first").error, FileError::None);
        if (hardLinked) {
            ASSERT_EQ(::link(path.c_str(), (path + ".link").c_str()), 0);
        }
        const FileSystem::WriteResult saved = m_files.WriteFile(path, "second");
        ASSERT_EQ(saved.error, FileError::None);
        EXPECT_EQ(m_files.Stamp(path), saved.stamp);
        EXPECT_EQ(m_files.ReadFile(path, 100).stamp, saved.stamp);
    }
}

TEST_F(PosixFileStamp, ASameSizeRewriteWithItsOldTimePutBackIsAChange)
{
    const std::string path = Path("report.txt");
    const FileSystem::WriteResult saved = m_files.WriteFile(path, "mine");
    ASSERT_EQ(saved.error, FileError::None);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    // Another program writes as many bytes in place and restores the time;
    // it does so until the clock has moved on from our save.
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "them";
    const struct timespec times[2] = { before.st_atim, before.st_mtim };
    struct stat after {};
    for (int tries = 0; tries < 1000; ++tries) {
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        if (after.st_ctim.tv_sec != before.st_ctim.tv_sec
            || after.st_ctim.tv_nsec != before.st_ctim.tv_nsec)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    ASSERT_EQ(after.st_ino, before.st_ino);
    EXPECT_NE(m_files.Stamp(path), saved.stamp);
}

} // namespace
