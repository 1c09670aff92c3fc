#include "store/storetest.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <memory>
#include <set>

namespace {

// Several Qoru programs on one server, and a server that lets them down.
class ServerWriters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApp();
        QString why;
        cluster = SharedCluster(&why);
        if (!cluster)
            GTEST_SKIP() << "no PostgreSQL server: " << why.toStdString();
        ASSERT_TRUE(cluster->recreateDatabase(QStringLiteral("qoru")));
        RecordStore store;
        OpenOptions options;
        options.serverSchema = ServerSchema::Create;
        auto made = store.open(url(), options);
        ASSERT_TRUE(made) << made.error().message;
    }
    std::string url() const { return cluster->url(cluster->superuser()).toStdString(); }

    static void StartWriter(QProcess& writer, const std::string& url, int count, const QString& tag)
    {
        writer.start(QStringLiteral(STORE_WRITER),
            { QString::fromStdString(url), QString::number(count), tag });
        ASSERT_TRUE(writer.waitForStarted());
    }
    static std::vector<std::string> Printed(QProcess& writer)
    {
        std::vector<std::string> numbers;
        for (const QByteArray& line : writer.readAllStandardOutput().split('\n'))
            if (!line.isEmpty())
                numbers.push_back(line.toStdString());
        return numbers;
    }
    int count(const QString& sql) const { return cluster->psql(sql).toInt(); }

    PgCluster* cluster = nullptr;
};

TEST_F(ServerWriters, TwentyWritersAtOnceGetTenThousandUniqueNumbers)
{
    constexpr int kWriters = 20;
    constexpr int kEach = 500;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int i = 0; i < kWriters; ++i) {
        writers.push_back(std::make_unique<QProcess>());
        StartWriter(*writers.back(), url(), kEach, QStringLiteral("W%1").arg(i));
    }
    std::set<std::string> numbers;
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(600000));
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
        const auto printed = Printed(*writer);
        EXPECT_EQ(printed.size(), static_cast<size_t>(kEach));
        numbers.insert(printed.begin(), printed.end());
    }
    EXPECT_EQ(numbers.size(), static_cast<size_t>(kWriters * kEach));
    EXPECT_EQ(
        count(QStringLiteral("SELECT count(DISTINCT number) FROM entries")), kWriters * kEach);
    EXPECT_EQ(count(kHalfEntries), 0);
}

TEST_F(ServerWriters, ABackendKilledMidWriteLosesNothingCommittedAndLeavesNoHalfEntry)
{
    QProcess writer;
    StartWriter(writer, url(), 1000000, QStringLiteral("K"));
    // Let it write a while, then end its server process as an operator would.
    QElapsedTimer clock;
    clock.start();
    while (count(QStringLiteral("SELECT count(*) FROM entries")) < 200 && clock.elapsed() < 60000)
        QThread::msleep(50);
    const QString killed = cluster->psql(
        QStringLiteral("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity"
                       " WHERE datname = 'qoru' AND pid <> pg_backend_pid()"));
    EXPECT_GE(killed.toInt(), 1);
    ASSERT_TRUE(writer.waitForFinished(60000));
    EXPECT_NE(writer.exitCode(), 0);
    const QString said = QString::fromUtf8(writer.readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("连接断开"))) << said.toStdString();
    const auto printed = Printed(writer);
    ASSERT_GE(printed.size(), 200U);
    // Each number it was told was committed is there, whole; nothing else is half-made.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM entries WHERE number IN ('%1', '%2')")
                        .arg(QString::fromStdString(printed.front()),
                            QString::fromStdString(printed.back()))),
        2);
    EXPECT_GE(
        count(QStringLiteral("SELECT count(*) FROM entries")), static_cast<int>(printed.size()));
    EXPECT_LE(count(QStringLiteral("SELECT count(*) FROM entries")),
        static_cast<int>(printed.size()) + 1);
    EXPECT_EQ(count(kHalfEntries), 0);
}

} // namespace
