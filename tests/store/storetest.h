#pragma once

#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
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

// A fresh store in a temporary folder.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApp();
        ASSERT_TRUE(m_dir.isValid());
        auto opened = store.open(path());
        ASSERT_TRUE(opened) << opened.error().message;
    }

    std::string path() const { return m_dir.filePath(QStringLiteral("qoru.sqlite")).toStdString(); }
    QString file() const { return QString::fromStdString(path()); }

    QTemporaryDir m_dir;
    RecordStore store;
    MaterialLibrary library { store };
    DesignLedger ledger { store };
};
