#pragma once

#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"
#include "store/pgcluster.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <string>

// The one QCoreApplication the SQL driver plugins need.
inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "qoru-store-test";
    static char* argv[] = { name, nullptr };
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// One value read from a store file through a connection of its own, not
// through the layer under test.
inline QVariant RawScalar(const QString& file, const QString& sql)
{
    static int count = 0;
    const QString name = QStringLiteral("raw-%1").arg(++count);
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                value = q.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return value;
}

// Entries missing a part of what is written with them: their texts, their two
// batches (as every test writer records them) or the audit row of their making.
inline const QString kHalfEntries = QStringLiteral(
    "SELECT count(*) FROM entries e WHERE"
    " (SELECT count(*) FROM entry_texts t WHERE t.entry_id = e.id) <> 1"
    " OR (SELECT count(*) FROM entry_batches b WHERE b.entry_id = e.id) <> 2"
    " OR (SELECT count(*) FROM audit a WHERE a.entry_id = e.id AND a.action = '制单') <> 1");

inline QByteArray FileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline Material Cement(const std::string& name)
{
    Material m;
    m.kind = MaterialKind::Cement;
    m.name = name;
    m.maker = "海螺";
    m.variety = "P·O";
    m.grade = "42.5";
    m.values.density = "3.10";
    m.values.strength28 = "48.5";
    return m;
}

inline Material Sand(const std::string& name)
{
    Material m;
    m.kind = MaterialKind::FineAggregate;
    m.name = name;
    m.variety = "河砂";
    m.values.density = "2650";
    m.values.fineness = "2.6";
    return m;
}

inline Batch BatchOf(
    std::int64_t materialId, const std::string& no, const std::string& arrival = "2026-03-01")
{
    Batch b;
    b.materialId = materialId;
    b.batchNo = no;
    b.arrivalDate = arrival;
    return b;
}

inline NewEntry Design(
    const std::string& kind = "mix1", const std::string& time = "2026-03-15 09:30:00")
{
    NewEntry e;
    e.kind = kind;
    e.time = time;
    e.operatorName = "张工";
    e.inputsJson = R"({"grade":"C30","sigma":5.0})";
    e.grade = "C30";
    e.waterBinder = "0.38";
    e.figuresJson = R"({"mc":"380","mw":"175"})";
    e.report = "自密实混凝土配合比设计计算书\r\n";
    e.project = "滨江大桥";
    e.part = "承台";
    return e;
}

// Where a test's store lives: the local file, or the laboratory's server.
enum class Backend
{
    Local,
    Server
};

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info)
{
    return info.param == Backend::Local ? "Local" : "Server";
}

// A fresh store in a temporary folder, or a fresh database on the test
// cluster opened by its superuser.
class StoreTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        EnsureApp();
        ASSERT_TRUE(m_dir.isValid());
        if (GetParam() == Backend::Server) {
            QString why;
            cluster = SharedCluster(&why);
            if (!cluster)
                GTEST_SKIP() << "no PostgreSQL server: " << why.toStdString();
            ASSERT_TRUE(cluster->recreateDatabase(QStringLiteral("qoru")))
                << cluster->error().toStdString();
            OpenOptions options;
            options.serverSchema = ServerSchema::Create;
            auto opened = store.open(cluster->url(cluster->superuser()).toStdString(), options);
            ASSERT_TRUE(opened) << opened.error().message;
            return;
        }
        auto opened = store.open(path());
        ASSERT_TRUE(opened) << opened.error().message;
    }

    std::string path() const { return m_dir.filePath(QStringLiteral("qoru.sqlite")).toStdString(); }
    QString file() const { return QString::fromStdString(path()); }

    // The first column of a query, read past the layer under test.
    QStringList rawColumn(const QString& sql) const
    {
        if (GetParam() == Backend::Server) {
            const QString out = cluster->psql(sql);
            return out.isEmpty() ? QStringList() : out.split(QLatin1Char('\n'));
        }
        QStringList values;
        static int count = 0;
        const QString name = QStringLiteral("raw-column-%1").arg(++count);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file());
            if (db.open()) {
                QSqlQuery q(db);
                if (q.exec(sql))
                    while (q.next())
                        values << q.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase(name);
        return values;
    }
    int rawCount(const QString& table) const
    {
        return rawColumn(QStringLiteral("SELECT count(*) FROM %1").arg(table)).value(0).toInt();
    }

    QTemporaryDir m_dir;
    PgCluster* cluster = nullptr;
    RecordStore store;
    MaterialLibrary library { store };
    DesignLedger ledger { store };
};

#define QORU_BOTH_STORES(suite)                                                                    \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Stores, suite, ::testing::Values(Backend::Local, Backend::Server), BackendName)
