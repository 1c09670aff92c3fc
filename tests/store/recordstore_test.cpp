#include "records/schema.h"
#include "store/storetest.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

class OpenTest : public ::testing::Test
{
protected:
    void SetUp() override { EnsureApp(); }
    QString file(const QString& name = QStringLiteral("qoru.sqlite")) const
    {
        return m_dir.filePath(name);
    }
    QTemporaryDir m_dir;
};

TEST_F(OpenTest, RefusesWhatIsNoQoruStoreAndLeavesItAsItWas)
{
    struct Case
    {
        const char* what;
        std::function<QString(const QString&)> make; // returns the path to open
    };
    const Case cases[] = {
        { "missing folder",
            [](const QString& f) { return f + QStringLiteral("-missing/qoru.sqlite"); } },
        { "text file",
            [](const QString& f) {
                QFile text(f);
                text.open(QIODevice::WriteOnly);
                text.write("配合比\r\n");
                return f;
            } },
        { "another program's database",
            [](const QString& f) {
                RawScalar(f, QStringLiteral("CREATE TABLE customers (id INTEGER)"));
                return f;
            } },
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = c.make(file(QStringLiteral("case%1.sqlite").arg(++n)));
        const QByteArray before = FileBytes(path);
        RecordStore store;
        auto opened = store.open(path.toStdString());
        ASSERT_FALSE(opened);
        EXPECT_EQ(opened.error().code, StoreErrorCode::Unavailable);
        EXPECT_NE(opened.error().message.find(QFileInfo(path).fileName().toStdString()),
            std::string::npos);
        EXPECT_FALSE(store.isOpen());
        EXPECT_EQ(FileBytes(path), before);
    }
}

TEST_F(OpenTest, MigratesTheFirstSchemaAfterCopyingIt)
{
    std::int64_t batchId = 0;
    {
        RecordStore first;
        OpenOptions options;
        options.schemaVersion = 1;
        ASSERT_TRUE(first.open(file().toStdString(), options));
        MaterialLibrary library(first);
        auto cement = library.addMaterial(Cement("海螺 P·O 42.5"));
        ASSERT_TRUE(cement);
        auto batch = library.addBatch(BatchOf(*cement, "HL-2603"));
        ASSERT_TRUE(batch);
        batchId = *batch;
    }
    ASSERT_EQ(RawScalar(file(),
                  QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'entries'"))
                  .toInt(),
        0);

    RecordStore store;
    auto opened = store.open(file().toStdString());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_EQ(opened->migratedFrom, 1);
    EXPECT_EQ(opened->version, LatestSchemaVersion());
    EXPECT_EQ(opened->backupPath, (file() + QStringLiteral(".bak-1")).toStdString());
    EXPECT_NE(opened->notice.find(".bak-1"), std::string::npos);

    const QString backup = QString::fromStdString(opened->backupPath);
    EXPECT_EQ(RawScalar(backup, QStringLiteral("PRAGMA user_version")).toInt(), 1);
    EXPECT_EQ(RawScalar(backup, QStringLiteral("SELECT name FROM materials")).toString(),
        QStringLiteral("海螺 P·O 42.5"));
    QStringList steps;
    for (int v = 1; v <= LatestSchemaVersion(); ++v)
        steps << QString::number(v);
    EXPECT_EQ(
        RawScalar(file(), QStringLiteral("SELECT group_concat(version) FROM schema")).toString(),
        steps.join(QLatin1Char(',')));

    // The material made under the first schema serves the ledger of the second.
    DesignLedger ledger(store);
    NewEntry e = Design();
    e.batches = { { MaterialRole::Cement, batchId } };
    auto row = ledger.recordEntry(e);
    ASSERT_TRUE(row) << row.error().message;
    EXPECT_NE(ledger.entry(row->id)->batches.at(0).snapshotJson.find("HL-2603"), std::string::npos);

    // Opening again migrates nothing and copies nothing.
    store.close();
    auto again = store.open(file().toStdString());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->migratedFrom, 0);
    EXPECT_TRUE(again->backupPath.empty());
}

TEST_F(OpenTest, RefusesANewerSchemaUntouched)
{
    {
        RecordStore store;
        ASSERT_TRUE(store.open(file().toStdString()));
    }
    RawScalar(file(), QStringLiteral("PRAGMA user_version = 7"));
    const QByteArray before = FileBytes(file());

    RecordStore store;
    auto opened = store.open(file().toStdString());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, StoreErrorCode::NewerVersion);
    const std::string& message = opened.error().message;
    EXPECT_NE(message.find(file().toStdString()), std::string::npos);
    EXPECT_NE(message.find("7"), std::string::npos);
    EXPECT_NE(message.find(std::to_string(LatestSchemaVersion())), std::string::npos);
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(FileBytes(file()), before);
    EXPECT_EQ(
        QDir(m_dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("qoru.sqlite") });
}

TEST_F(OpenTest, KeepsADamagedFileAsideAndStartsAnew)
{
    {
        RecordStore store;
        ASSERT_TRUE(store.open(file().toStdString()));
        std::vector<NewEntry> entries(400, Design());
        ASSERT_TRUE(DesignLedger(store).recordEntries(entries));
    }
    QByteArray bytes = FileBytes(file());
    const int page = 4096;
    ASSERT_GT(bytes.size(), 8 * page);
    const int middle = bytes.size() / page / 2 * page;
    bytes.replace(middle, page, QByteArray(page, '\x5A'));
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    RecordStore store;
    auto opened = store.open(file().toStdString());
    ASSERT_TRUE(opened) << opened.error().message;
    const QString aside = QString::fromStdString(opened->damagedPath);
    EXPECT_TRUE(aside.startsWith(file() + QStringLiteral(".damaged-")));
    EXPECT_EQ(FileBytes(aside), bytes);
    EXPECT_NE(opened->notice.find(opened->damagedPath), std::string::npos);
    EXPECT_EQ(opened->version, LatestSchemaVersion());
    EXPECT_EQ(*DesignLedger(store).countEntries({}), 0);
}

TEST_F(OpenTest, GivesUpOnALockPastTheBusyTimeout)
{
    OpenOptions options;
    options.busyTimeoutMs = 200;
    options.networkShare = true;
    RecordStore store;
    auto opened = store.open(file().toStdString(), options);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->journal, JournalMode::Rollback);
    store.close();

    // Another program writes under the rollback journal: no one may read.
    QSqlDatabase other
        = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    other.setDatabaseName(file());
    ASSERT_TRUE(other.open());
    QSqlQuery lock(other);
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    ASSERT_TRUE(lock.exec(QStringLiteral("INSERT INTO number_counters VALUES (2026, 1)")));

    opened = store.open(file().toStdString(), options);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().code, StoreErrorCode::Busy);
    EXPECT_NE(opened.error().message.find(file().toStdString()), std::string::npos);

    lock.exec(QStringLiteral("ROLLBACK"));
    lock = QSqlQuery();
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_TRUE(store.open(file().toStdString(), options));
}

TEST_F(OpenTest, AWriteLockedPastTheTimeoutWritesNothing)
{
    OpenOptions options;
    options.busyTimeoutMs = 200;
    RecordStore store;
    auto opened = store.open(file().toStdString(), options);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->journal, JournalMode::WriteAheadLog);

    RecordStore other;
    ASSERT_TRUE(other.open(file().toStdString(), options));
    QSqlDatabase locker
        = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
    locker.setDatabaseName(file());
    ASSERT_TRUE(locker.open());
    QSqlQuery lock(locker);
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));

    auto recorded = DesignLedger(store).recordEntry(Design());
    ASSERT_FALSE(recorded);
    EXPECT_EQ(recorded.error().code, StoreErrorCode::Busy);

    lock.exec(QStringLiteral("ROLLBACK"));
    lock = QSqlQuery();
    locker.close();
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    EXPECT_EQ(*DesignLedger(other).countEntries({}), 0);
    EXPECT_TRUE(DesignLedger(store).recordEntry(Design()));
}

} // namespace
