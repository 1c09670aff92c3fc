// The Windows file layer against the real file system (Windows or Wine).
#include "doc/platformfile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int n
        = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string Utf8(const std::wstring& wide)
{
    const int n = WideCharToMultiByte(
        CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(
        CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// A fresh folder with Chinese characters and a space in its name, removed
// with everything in it afterwards.
class WinFileLayer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        m_dir = Utf8(temp) + "qoru 测试 " + std::to_string(GetCurrentProcessId()) + "\\";
        Clear();
        ASSERT_TRUE(CreateDirectoryW(Wide(m_dir).c_str(), nullptr));
    }
    void TearDown() override { Clear(); }

    std::string Path(const std::string& name) const { return m_dir + name; }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW(Wide(m_dir + "*").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(Utf8(name));
        } while (FindNextFileW(h, &found));
        FindClose(h);
        return names;
    }

    FileError Save(const std::string& path, const std::string& bytes)
    {
        return m_fs.WriteFile(path, bytes).error;
    }

    std::string ReadBack(const std::string& path)
    {
        const auto r = m_fs.ReadFile(path, kMaxReportBytes);
        EXPECT_EQ(r.status, FileSystem::ReadStatus::Ok) << path;
        return r.bytes;
    }

    FileSystem m_fs;
    std::string m_dir;

private:
    void Clear()
    {
        for (const std::string& name : Names()) {
            const std::wstring path = Wide(m_dir + name);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileW(path.c_str()))
                RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(Wide(m_dir).c_str());
    }
};

// GBK bytes, CR LF, a lone CR and a zero byte: the file holds them unchanged.
const std::string kOld = std::string("\xd2\xbb\xa1\xa2\xc9\xe8\xbc\xc6\r\nold\rline\n", 18) + '\0';
const std::string kNew = "\xc5\xe4\xba\xcf\xb1\xc8\r\nnew report\r\n";

TEST_F(WinFileLayer, ChineseNamesWithSpacesRoundTripAndLeaveNothingBehind)
{
    const std::string path = Path("配合比 报告 1.txt");
    ASSERT_EQ(Save(path, kOld), FileError::None);
    EXPECT_EQ(ReadBack(path), kOld);

    // Replacing keeps the name and holds exactly the new bytes, also when
    // they take more than one write.
    std::string large(kMaxReportBytes, 'x');
    large.replace(0, kNew.size(), kNew);
    ASSERT_EQ(Save(path, large), FileError::None);
    EXPECT_EQ(ReadBack(path), large);
    ASSERT_EQ(Save(path, ""), FileError::None);
    EXPECT_EQ(ReadBack(path), "");
    EXPECT_EQ(Names(), std::vector<std::string> { "配合比 报告 1.txt" });

    // A byte more than the limit is refused unread.
    ASSERT_EQ(Save(path, large + "y"), FileError::None);
    EXPECT_EQ(m_fs.ReadFile(path, kMaxReportBytes).status, FileSystem::ReadStatus::TooLarge);
    EXPECT_EQ(m_fs.ReadFile(path, kMaxReportBytes + 1).bytes.size(), kMaxReportBytes + 1);
}

TEST_F(WinFileLayer, AFileInUseIsASharingViolationAndStaysAsItWas)
{
    const std::string path = Path("报告.txt");
    ASSERT_EQ(Save(path, kOld), FileError::None);
    // Another program holding the report open: replacing it needs the
    // sharing of deletion, which none of these give.
    const struct
    {
        const char* holder;
        DWORD share;
        bool readable;
    } cases[] = {
        { "no sharing", 0, false },
        { "others may read", FILE_SHARE_READ, true },
        { "others may read and write", FILE_SHARE_READ | FILE_SHARE_WRITE, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holder);
        HANDLE held = CreateFileW(
            Wide(path).c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        const FileError saved = Save(path, kNew);
        const auto read = m_fs.ReadFile(path, kMaxReportBytes);
        CloseHandle(held);

        EXPECT_EQ(saved, FileError::SharingViolation);
        EXPECT_EQ(FileErrorMessage(saved, path), "在存取 " + path + " 时发生共享违例。");
        EXPECT_EQ(read.error, c.readable ? FileError::None : FileError::SharingViolation);
        EXPECT_EQ(ReadBack(path), kOld);
        EXPECT_EQ(Names(), std::vector<std::string> { "报告.txt" });
    }
}

TEST_F(WinFileLayer, FailedSavesKeepTheOldFileByteForByte)
{
    const std::string readOnly = Path("只读.txt");
    ASSERT_EQ(Save(readOnly, kOld), FileError::None);
    ASSERT_TRUE(SetFileAttributesW(Wide(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Save(readOnly, kNew), FileError::AccessDenied);
    EXPECT_EQ(ReadBack(readOnly), kOld);

    ASSERT_TRUE(CreateDirectoryW(Wide(Path("文件夹.txt")).c_str(), nullptr));
    EXPECT_EQ(Save(Path("文件夹.txt"), kNew), FileError::AccessDenied);
    EXPECT_EQ(m_fs.ReadFile(Path("文件夹.txt"), kMaxReportBytes).status,
        FileSystem::ReadStatus::OpenFailed);
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(WinFileLayer, AHardLinkedFileIsRewrittenInPlaceForEveryName)
{
    const std::string path = Path("报告.txt");
    ASSERT_EQ(Save(path, kOld), FileError::None);
    ASSERT_TRUE(CreateHardLinkW(Wide(Path("链接.txt")).c_str(), Wide(path).c_str(), nullptr));
    ASSERT_EQ(Save(path, kNew), FileError::None);
    EXPECT_EQ(ReadBack(path), kNew);
    EXPECT_EQ(ReadBack(Path("链接.txt")), kNew);
    EXPECT_EQ(Names().size(), 2u); // the copy of the old bytes is gone
}

TEST_F(WinFileLayer, BadPathsGiveTheirMessages)
{
    ASSERT_EQ(Save(Path("a.txt"), kOld), FileError::None);
    const struct
    {
        const char* what;
        std::string path;
        FileError write;
        FileError read;
    } cases[] = {
        { "missing folder", Path("没有的 文件夹\\报告.txt"), FileError::BadPath,
            FileError::BadPath },
        { "through a file", Path("a.txt\\报告.txt"), FileError::BadPath, FileError::BadPath },
        { "over-long name", Path(std::string(300, 'n') + ".txt"), FileError::BadPath,
            FileError::BadPath },
        { "missing file", Path("没有.txt"), FileError::None, FileError::FileNotFound },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto read = m_fs.ReadFile(c.path, kMaxReportBytes);
        EXPECT_EQ(read.status, FileSystem::ReadStatus::OpenFailed);
        EXPECT_EQ(read.error, c.read);
        if (c.write != FileError::None) {
            EXPECT_EQ(Save(c.path, kNew), c.write);
        }
    }
    EXPECT_EQ(
        FileErrorMessage(FileError::BadPath, cases[0].path), cases[0].path + " 中包含无效的路径。");
    EXPECT_EQ(FileErrorMessage(FileError::FileNotFound, cases[3].path),
        "没有找到 " + cases[3].path + "。");
    EXPECT_EQ(ReadBack(Path("a.txt")), kOld);
    EXPECT_EQ(Names(), std::vector<std::string> { "a.txt" });
}

TEST_F(WinFileLayer, ASameSizeRewriteWithItsOldTimePutBackIsAChange)
{
    const std::string path = Path("报告.txt");
    const FileSystem::WriteResult saved = m_fs.WriteFile(path, kOld);
    ASSERT_EQ(saved.error, FileError::None);
    EXPECT_EQ(m_fs.Stamp(path), saved.stamp); // our own save is no change

    // Another program writes as many bytes in place and puts the last write
    // time back, until the clock has moved on from our save.
    const std::wstring wide = Wide(path);
    HANDLE file = CreateFileW(
        wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written {};
    const std::string theirs(kOld.size(), 'x');
    DWORD n = 0;
    EXPECT_TRUE(GetFileTime(file, nullptr, nullptr, &written));
    EXPECT_TRUE(::WriteFile(file, theirs.data(), static_cast<DWORD>(theirs.size()), &n, nullptr));
    CloseHandle(file);
    FILE_BASIC_INFO basic {};
    for (int tries = 0; tries < 1000; ++tries) {
        file = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
            FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written));
        EXPECT_TRUE(GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic));
        CloseHandle(file);
        if (basic.ChangeTime.QuadPart != saved.stamp.changed)
            break;
        Sleep(1);
    }
    const std::optional<FileStamp> now = m_fs.Stamp(path);
    ASSERT_TRUE(now.has_value());
    ASSERT_EQ(now->size, saved.stamp.size);
    ASSERT_EQ(now->modified, saved.stamp.modified);
    EXPECT_NE(*now, saved.stamp);
    EXPECT_EQ(ReadBack(path), theirs);
}

} // namespace
