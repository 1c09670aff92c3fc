#include "store/storetest.h"

#include <QDir>
#include <QProcess>

#include <set>

namespace {

class Processes : public ::testing::Test
{
protected:
    void SetUp() override { EnsureApp(); }

    QString file() const { return m_dir.filePath(QStringLiteral("qoru.sqlite")); }

    static void StartWriter(QProcess& writer, const QString& file, int count, const QString& tag)
    {
        writer.start(QStringLiteral(STORE_WRITER), { file, QString::number(count), tag });
        ASSERT_TRUE(writer.waitForStarted());
    }

    // The numbers a writer printed, each committed.
    static std::vector<std::string> Printed(QProcess& writer)
    {
        std::vector<std::string> numbers;
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                numbers.push_back(line.toStdString());
        return numbers;
    }

    QTemporaryDir m_dir;
};

TEST_F(Processes, TwoWritersAtOnceLoseNothing)
{
    QProcess a;
    QProcess b;
    StartWriter(a, file(), 1000, QStringLiteral("A"));
    StartWriter(b, file(), 1000, QStringLiteral("B"));
    std::set<std::string> numbers;
    for (QProcess* writer : { &a, &b }) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
        const auto printed = Printed(*writer);
        EXPECT_EQ(printed.size(), 1000U);
        numbers.insert(printed.begin(), printed.end());
    }
    EXPECT_EQ(numbers.size(), 2000U);
    EXPECT_EQ(
        RawScalar(file(), QStringLiteral("SELECT count(DISTINCT number) FROM entries")).toInt(),
        2000);
    EXPECT_EQ(RawScalar(file(), kHalfEntries).toInt(), 0);
}

TEST_F(Processes, AWriterKilledMidWayLosesNothingCommitted)
{
    QProcess writer;
    StartWriter(writer, file(), 1000000, QStringLiteral("K"));
    QByteArray seen;
    while (seen.count('\n') < 300 && writer.waitForReadyRead(30000))
        seen += writer.peek(1 << 20);
    ASSERT_GE(seen.count('\n'), 300);
    writer.kill(); // SIGKILL
    ASSERT_TRUE(writer.waitForFinished());
    const auto printed = Printed(writer);

    RecordStore store;
    auto opened = store.open(file().toStdString());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_TRUE(opened->damagedPath.empty());
    DesignLedger ledger(store);
    const std::int64_t kept = *ledger.countEntries({});
    EXPECT_GE(kept, static_cast<std::int64_t>(printed.size()));
    EXPECT_LE(kept, static_cast<std::int64_t>(printed.size()) + 1); // the one in flight, at most
    LedgerFilter last;
    last.text = printed.back();
    EXPECT_EQ(*ledger.countEntries(last), 1);
    EXPECT_EQ(RawScalar(file(), kHalfEntries).toInt(), 0);
}

// A tmpfs of its own, mounted where the test may (as root).
class SmallDisk
{
public:
    explicit SmallDisk(const QString& where)
        : m_where(where)
    {
        QDir().mkpath(where);
        QProcess mount;
        mount.start(QStringLiteral("mount"), { "-t", "tmpfs", "-o", "size=768k", "tmpfs", where });
        m_mounted = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit
            && mount.exitCode() == 0;
        m_why = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed().toStdString();
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), { m_where });
    }
    bool remountReadOnly()
    {
        return QProcess::execute(QStringLiteral("mount"), { "-o", "remount,ro", m_where }) == 0;
    }
    bool mounted() const { return m_mounted; }
    const std::string& why() const { return m_why; }

private:
    QString m_where;
    bool m_mounted = false;
    std::string m_why;
};

TEST_F(Processes, AWriteOnAFullDiskLeavesTheStoreAsItWas)
{
    SmallDisk disk(m_dir.filePath(QStringLiteral("disk")));
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << disk.why();
    const QString small = m_dir.filePath(QStringLiteral("disk/qoru.sqlite"));
    {
        RecordStore store;
        ASSERT_TRUE(store.open(small.toStdString()));
        MaterialLibrary library(store);
        NewEntry e = Design();
        e.report.assign(24 * 1024, 'x');
        e.batches = { { MaterialRole::Cement,
                          *library.addBatch(BatchOf(*library.addMaterial(Cement("海螺")), "H")) },
            { MaterialRole::Fine,
                *library.addBatch(BatchOf(*library.addMaterial(Sand("河砂")), "S")) } };
        DesignLedger ledger(store);
        std::vector<std::int64_t> before;
        Result<EntryRow> recorded = StoreError {};
        for (int i = 0; i < 200; ++i) {
            before = *ledger.entryIds({});
            recorded = ledger.recordEntry(e);
            if (!recorded)
                break;
        }
        ASSERT_FALSE(recorded);
        EXPECT_EQ(recorded.error().code, StoreErrorCode::DiskFull) << recorded.error().message;
        EXPECT_GT(before.size(), 3U);
        EXPECT_EQ(*ledger.entryIds({}), before);
        // A small change still fits where the big one did not.
        EXPECT_TRUE(ledger.editField(before.front(), EntryField::Note, "满", "张工"));
    }
    RecordStore store;
    auto opened = store.open(small.toStdString());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_TRUE(opened->damagedPath.empty());
    EXPECT_EQ(RawScalar(small, kHalfEntries).toInt(), 0);
}

TEST_F(Processes, AStoreOnAReadOnlyDiskIsRefusedAtOpen)
{
    SmallDisk disk(m_dir.filePath(QStringLiteral("disk")));
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << disk.why();
    const QString path = m_dir.filePath(QStringLiteral("disk/qoru.sqlite"));
    {
        RecordStore store;
        ASSERT_TRUE(store.open(path.toStdString()));
    }
    ASSERT_TRUE(disk.remountReadOnly());
    const QByteArray before = FileBytes(path);
    RecordStore store;
    auto opened = store.open(path.toStdString());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, StoreErrorCode::ReadOnly);
    EXPECT_NE(opened.error().message.find(path.toStdString()), std::string::npos);
    EXPECT_EQ(FileBytes(path), before);
}

} // namespace
