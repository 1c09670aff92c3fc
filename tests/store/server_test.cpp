#include "records/documentfields.h"
#include "records/recordqueue.h"
#include "records/schema.h"
#include "records/serveradmin.h"
#include "records/serverurl.h"
#include "store/storetest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

namespace {

struct Admin
{
    int code = -1;
    QString err;
};

Admin RunAdmin(const QString& url, const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(QORU_ADMIN), QStringList { QStringLiteral("--server"), url } + args);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return { p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
        QString::fromUtf8(p.readAllStandardError()).trimmed() };
}

TEST(ServerUrl, ReadsAnAddressAsLibpqWould)
{
    auto url = ServerUrl::Parse(
        "postgresql://li%40lab:s%3Acret@%2Frun%2Fpg:6543/qoru%20lab?sslmode=verify-full");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->user, "li@lab");
    EXPECT_EQ(url->password, "s:cret");
    EXPECT_EQ(url->host, "/run/pg");
    EXPECT_EQ(url->port, 6543);
    EXPECT_EQ(url->database, "qoru lab");
    EXPECT_EQ(url->connectOptions(), "sslmode=verify-full");
    // Never the password in what is shown or kept.
    EXPECT_EQ(url->display().find("cret"), std::string::npos);
    EXPECT_EQ(ServerUrl::Parse(url->display())->host, "/run/pg");

    auto bare = ServerUrl::Parse("postgres://[::1]/lab?service=qoru&port=7000");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->host, "::1");
    EXPECT_EQ(bare->port, 7000);
    EXPECT_TRUE(bare->user.empty()); // left to libpq: PGUSER, the service file
    EXPECT_EQ(bare->connectOptions(), "service=qoru");

    for (const char* bad : { "postgresql://host:99999/db", "postgresql://host:x/db",
             "postgresql://host/db?colour=red", "postgresql://[::1/db", "/home/li/qoru.sqlite" }) {
        std::string why;
        EXPECT_FALSE(ServerUrl::Parse(bad, &why)) << bad;
        EXPECT_FALSE(why.empty()) << bad;
    }
}

class Server : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureApp();
        QString why;
        cluster = SharedCluster(&why);
        if (!cluster)
            GTEST_SKIP() << "no PostgreSQL server: " << why.toStdString();
        ASSERT_TRUE(cluster->recreateDatabase(QStringLiteral("lab")));
    }
    QString url(const QString& user) const { return cluster->url(user, QStringLiteral("lab")); }
    std::string as(const char* user) const { return url(QString::fromUtf8(user)).toStdString(); }
    QString psql(const char* user, const QString& sql, bool* ok) const
    {
        return cluster->psql(sql, QString::fromUtf8(user), QStringLiteral("lab"), ok);
    }

    PgCluster* cluster = nullptr;
};

TEST_F(Server, AdminMakesAndMigratesTheSchemaAndAnOlderQoruRefusesANewerOne)
{
    const QString owner = url(cluster->superuser());
    RecordStore store;
    auto bare = store.open(owner.toStdString());
    ASSERT_FALSE(bare);
    EXPECT_NE(bare.error().message.find("qoru-admin"), std::string::npos);
    EXPECT_EQ(RunAdmin(owner, { QStringLiteral("migrate") }).code, 2); // nothing to migrate

    OpenOptions first;
    first.schemaVersion = 1;
    first.serverSchema = ServerSchema::Create;
    ASSERT_TRUE(store.open(owner.toStdString(), first));
    store.close();
    auto older = store.open(owner.toStdString());
    ASSERT_FALSE(older);
    EXPECT_NE(older.error().message.find("migrate"), std::string::npos);

    const Admin migrated = RunAdmin(owner, { QStringLiteral("migrate") });
    ASSERT_EQ(migrated.code, 0) << migrated.err.toStdString();
    EXPECT_EQ(RunAdmin(owner, { QStringLiteral("init") }).code, 0); // twice is fine
    auto opened = store.open(owner.toStdString());
    ASSERT_TRUE(opened) << opened.error().message;
    EXPECT_EQ(opened->version, LatestSchemaVersion());
    store.close();

    bool ok = false;
    psql("postgres", QStringLiteral("INSERT INTO schema VALUES (99, '2099-01-01 00:00:00')"), &ok);
    ASSERT_TRUE(ok);
    auto newer = store.open(owner.toStdString());
    ASSERT_FALSE(newer);
    EXPECT_EQ(newer.error().code, StoreErrorCode::NewerVersion);
    EXPECT_NE(newer.error().message.find("99"), std::string::npos);
}

TEST_F(Server, AdminRefusesBadCommandsWithOneLine)
{
    const QString owner = url(cluster->superuser());
    const QStringList cases[] = {
        {},
        { QStringLiteral("add-user"), QStringLiteral("li") },
        { QStringLiteral("add-user"), QStringLiteral("li"), QStringLiteral("--role"),
            QStringLiteral("boss") },
        { QStringLiteral("add-user"), QStringLiteral("x;drop"), QStringLiteral("--role"),
            QStringLiteral("tester") },
        { QStringLiteral("remove-user"), QStringLiteral("nobody_here") },
        { QStringLiteral("frobnicate") },
    };
    ASSERT_EQ(RunAdmin(owner, { QStringLiteral("init") }).code, 0);
    for (const QStringList& args : cases) {
        const Admin run = RunAdmin(owner, args);
        EXPECT_EQ(run.code, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(run.err.contains(QLatin1Char('\n'))) << run.err.toStdString();
    }
}

// Each role tried through the layer and through plain SQL under its login.
TEST_F(Server, TheServerEnforcesWhoMayDoWhat)
{
    const QString owner = url(cluster->superuser());
    ASSERT_EQ(RunAdmin(owner, { QStringLiteral("init") }).code, 0);
    for (const auto& [name, role] : { std::pair { "wang", "tester" }, { "zhao", "tester" },
             { "li", "reviewer" }, { "chen", "admin" } }) {
        const Admin added = RunAdmin(owner,
            { QStringLiteral("add-user"), QString::fromUtf8(name), QStringLiteral("--role"),
                QString::fromUtf8(role) });
        ASSERT_EQ(added.code, 0) << added.err.toStdString();
    }
    RecordStore wangStore, zhaoStore, liStore, chenStore;
    for (auto& [store, user] : { std::pair { &wangStore, "wang" }, { &zhaoStore, "zhao" },
             { &liStore, "li" }, { &chenStore, "chen" } })
        ASSERT_TRUE(store->open(as(user))) << user;
    EXPECT_EQ(*CurrentRole(wangStore), UserRole::Tester);
    EXPECT_EQ(*CurrentRole(liStore), UserRole::Reviewer);
    EXPECT_EQ(*CurrentRole(chenStore), UserRole::Admin);
    DesignLedger wang(wangStore), zhao(zhaoStore), li(liStore), chen(chenStore);

    // A tester records and manages materials.
    ASSERT_TRUE(MaterialLibrary(wangStore).addMaterial(Cement("海螺 P·O 42.5")));
    const std::int64_t wangs = wang.recordEntry(Design())->id;
    const std::int64_t lis = li.recordEntry(Design())->id;
    EXPECT_TRUE(wang.editField(wangs, EntryField::Project, "滨江二期", "王工"));

    struct Refusal
    {
        const char* what;
        std::function<Result<void>()> act;
    };
    const Refusal refusals[] = {
        { "tester reviews", [&] { return wang.advance(lis, EntryState::Reviewed, "王工"); } },
        { "tester edits another's",
            [&] { return zhao.editField(wangs, EntryField::Note, "改", "赵工"); } },
        { "reviewer reviews own", [&] { return li.advance(lis, EntryState::Reviewed, "李工"); } },
        { "reviewer edits another's",
            [&] { return li.editField(wangs, EntryField::Part, "桥墩", "李工"); } },
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.what);
        auto done = r.act();
        ASSERT_FALSE(done);
        EXPECT_EQ(done.error().code, StoreErrorCode::Denied);
        EXPECT_NE(done.error().message.find("服务器拒绝"), std::string::npos);
    }
    EXPECT_EQ(wang.entry(wangs)->row.project, "滨江二期");
    EXPECT_EQ(wang.entry(lis)->row.state, EntryState::Draft);

    ASSERT_TRUE(li.advance(wangs, EntryState::Reviewed, "李工"));
    ASSERT_TRUE(li.advance(wangs, EntryState::Issued, "李工"));

    // The 回收站 is emptied by the admin alone.
    const std::int64_t binned = wang.recordEntry(Design())->id;
    ASSERT_TRUE(wang.deleteEntry(binned, "王工"));
    EXPECT_EQ(wang.purgeEntry(binned, "王工").error().code, StoreErrorCode::Denied);
    EXPECT_EQ(li.purgeEntry(binned, "李工").error().code, StoreErrorCode::Denied);
    EXPECT_TRUE(chen.purgeEntry(binned, "陈工"));

    // Plain SQL under a tester's login is held to the same rules.
    const QString number = QString::fromStdString(wang.entry(lis)->row.number);
    const QString sqlRefusals[] = {
        QStringLiteral("UPDATE entries SET state = 'reviewed' WHERE number = '%1'").arg(number),
        QStringLiteral("UPDATE entries SET note = 'x' WHERE number = '%1'").arg(number),
        QStringLiteral("UPDATE entries SET owner_name = 'zhao' WHERE owner_name = 'wang'"),
        QStringLiteral("INSERT INTO entries (number, kind, created_at, operator_name, search_key,"
                       " owner_name) VALUES ('X-1', 'mix1', '2026-01-01', 'x', 'x', 'li')"),
        QStringLiteral("DELETE FROM entries"),
        QStringLiteral("DELETE FROM audit"),
    };
    for (const QString& sql : sqlRefusals) {
        bool ok = true;
        const QString said = psql("zhao", sql, &ok);
        EXPECT_FALSE(ok) << sql.toStdString();
        EXPECT_FALSE(said.isEmpty());
    }
    bool ok = false;
    EXPECT_EQ(
        psql("zhao",
            QStringLiteral("SELECT owner_name FROM entries WHERE number = '%1'").arg(number), &ok),
        QStringLiteral("li"));

    const Admin removed
        = RunAdmin(owner, { QStringLiteral("remove-user"), QStringLiteral("zhao") });
    EXPECT_EQ(removed.code, 0) << removed.err.toStdString();
    RecordStore gone;
    EXPECT_FALSE(gone.open(as("zhao")));
    for (const char* user : { "wang", "li", "chen" })
        RunAdmin(owner, { QStringLiteral("remove-user"), QString::fromUtf8(user) });
}

TEST_F(Server, RecordsMadeWhileTheServerIsDownWaitAndArriveOnceInOrder)
{
    const std::string owner = as("postgres");
    OpenOptions make;
    make.serverSchema = ServerSchema::Create;
    RecordStore server, local;
    ASSERT_TRUE(server.open(owner, make));
    QTemporaryDir dir;
    ASSERT_TRUE(local.open(dir.filePath(QStringLiteral("qoru.sqlite")).toStdString()));
    RecordQueue queue(local, server, owner);
    const auto design = [](int n) {
        NewEntry e = Design();
        e.note = "第" + std::to_string(n) + "次";
        return e;
    };

    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(queue.record(design(n))->queued);
    ASSERT_TRUE(cluster->stop());
    for (int n = 4; n <= 6; ++n) {
        auto kept = queue.record(design(n));
        ASSERT_TRUE(kept) << kept.error().message;
        EXPECT_TRUE(kept->queued);
    }
    EXPECT_EQ(*queue.pending(), 3);
    EXPECT_EQ(*queue.flush(), 0); // still away: nothing lost, nothing sent
    EXPECT_EQ(*queue.pending(), 3);

    ASSERT_TRUE(cluster->start());
    // A record made now goes behind those that wait.
    EXPECT_FALSE(queue.record(design(7))->queued);
    EXPECT_EQ(*queue.pending(), 0);
    bool ok = false;
    EXPECT_EQ(psql("postgres",
                  QStringLiteral("SELECT string_agg(note, ',' ORDER BY id) FROM entries"), &ok),
        QStringLiteral("第1次,第2次,第3次,第4次,第5次,第6次,第7次"));

    // A sending whose answer was lost is sent again: the server keeps it once.
    NewEntry again = design(6);
    again.originKey = psql(
        "postgres", QStringLiteral("SELECT origin_key FROM entries WHERE note = '第6次'"), &ok)
                          .toStdString();
    ASSERT_FALSE(again.originKey.empty());
    auto resent = queue.record(again);
    ASSERT_TRUE(resent) << resent.error().message;
    EXPECT_FALSE(resent->queued);
    EXPECT_EQ(QString::fromStdString(resent->row.number),
        psql("postgres", QStringLiteral("SELECT number FROM entries WHERE note = '第6次'"), &ok));
    EXPECT_EQ(
        psql("postgres", QStringLiteral("SELECT count(*) FROM entries"), &ok), QStringLiteral("7"));
    EXPECT_EQ(psql("postgres", QStringLiteral("SELECT count(DISTINCT number) FROM entries"), &ok),
        QStringLiteral("7"));
}

TEST_F(Server, AWindowLearnsOfAnotherProgramsNewEntry)
{
    OpenOptions make;
    make.serverSchema = ServerSchema::Create;
    RecordStore mine, theirs;
    ASSERT_TRUE(mine.open(as("postgres"), make));
    ASSERT_TRUE(theirs.open(as("postgres")));
    std::vector<std::string> heard;
    ASSERT_TRUE(mine.watchLedger([&](const std::string& number) { heard.push_back(number); }));
    DesignLedger myLedger(mine);
    const std::int64_t before = *myLedger.lastChange();

    ASSERT_TRUE(myLedger.recordEntry(Design())); // one's own change is no news
    const std::string number = DesignLedger(theirs).recordEntry(Design())->number;
    QElapsedTimer clock;
    clock.start();
    while (heard.empty() && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(heard, std::vector<std::string> { number });
    EXPECT_GT(*myLedger.lastChange(), before);
}

TEST_F(Server, ImportingTheLocalLedgerTwiceCopiesItOnce)
{
    OpenOptions make;
    make.serverSchema = ServerSchema::Create;
    RecordStore server, local;
    ASSERT_TRUE(server.open(as("postgres"), make));
    QTemporaryDir dir;
    ASSERT_TRUE(local.open(dir.filePath(QStringLiteral("qoru.sqlite")).toStdString()));
    MaterialLibrary library(local);
    const std::int64_t cement = *library.addMaterial(Cement("海螺 P·O 42.5"));
    const std::int64_t sand = *library.addMaterial(Sand("赣江河砂"));
    NewEntry design = Design();
    design.batches = { { MaterialRole::Cement, *library.addBatch(BatchOf(cement, "HL-01")) },
        { MaterialRole::Fine, *library.addBatch(BatchOf(sand, "GJ-01")) } };
    DesignLedger mine(local);
    const EntryRow first = *mine.recordEntry(design);
    ASSERT_TRUE(mine.editField(first.id, EntryField::Project, "滨江二期", "张工"));
    NewEntry trial = design;
    trial.kind = "adjust";
    trial.parentId = first.id;
    ASSERT_TRUE(mine.recordEntry(trial));
    // The server already has a PB-2026-0001 of its own, and the same cement.
    DesignLedger theirs(server);
    ASSERT_TRUE(theirs.recordEntry(Design()));
    ASSERT_TRUE(MaterialLibrary(server).addMaterial(Cement("海螺 P·O 42.5")));

    auto once = theirs.importFrom(local, "管理员");
    ASSERT_TRUE(once) << once.error().message;
    EXPECT_EQ(once->materials, 1);
    EXPECT_EQ(once->batches, 2);
    EXPECT_EQ(once->entries, 2);
    EXPECT_EQ(once->renumbered, 2);
    auto twice = theirs.importFrom(local, "管理员");
    ASSERT_TRUE(twice) << twice.error().message;
    EXPECT_EQ(twice->materials + twice->batches + twice->entries, 0);

    bool ok = false;
    EXPECT_EQ(
        psql("postgres", QStringLiteral("SELECT count(*) FROM entries"), &ok), QStringLiteral("3"));
    EXPECT_EQ(psql("postgres", QStringLiteral("SELECT count(*) FROM entry_batches"), &ok),
        QStringLiteral("4"));
    // The copied design keeps its history, its batches and its trial batch.
    const QString copied = psql("postgres",
        QStringLiteral("SELECT id FROM entries WHERE origin_key IS NOT NULL AND kind = 'mix1'"),
        &ok);
    auto entry = theirs.entry(copied.toLongLong());
    ASSERT_TRUE(entry) << entry.error().message;
    EXPECT_EQ(entry->row.project, "滨江二期");
    EXPECT_EQ(entry->batches.size(), 2U);
    EXPECT_EQ(theirs.children(entry->row.id)->size(), 1U);
    std::vector<std::string> actions;
    for (const AuditRow& a : *theirs.auditTrail(entry->row.id))
        actions.push_back(a.action);
    EXPECT_EQ(actions, (std::vector<std::string> { "制单", "修改", "导入" }));
}

TEST_F(Server, AQueuedRecordTheServerRefusesIsSetAsideAndTheRestArrive)
{
    const std::string owner = as("postgres");
    OpenOptions make;
    make.serverSchema = ServerSchema::Create;
    RecordStore server, local, other;
    ASSERT_TRUE(server.open(owner, make));
    QTemporaryDir dir;
    ASSERT_TRUE(local.open(dir.filePath(QStringLiteral("qoru.sqlite")).toStdString()));
    RecordQueue queue(local, server, owner);
    queue.setRetryAfter(std::chrono::hours(1));
    const auto design = [](int n, const std::string& number = {}) {
        NewEntry e = Design();
        e.note = "第" + std::to_string(n) + "次";
        e.number = number;
        return e;
    };

    ASSERT_TRUE(cluster->stop());
    for (const NewEntry& e : { design(1), design(2, "PB-2026-0900"), design(3) })
        ASSERT_TRUE(queue.record(e)->queued);
    ASSERT_TRUE(cluster->start());
    // Meanwhile someone else took the number the second record asks for.
    ASSERT_TRUE(other.open(owner));
    ASSERT_TRUE(DesignLedger(other).recordEntry(design(9, "PB-2026-0900")));
    // Found away, the server is not tried again by a press before its time.
    EXPECT_TRUE(queue.serverAway());
    EXPECT_TRUE(queue.record(design(4))->queued);

    std::vector<RecordQueue::SetAside> aside;
    auto sent = queue.flush(&aside);
    ASSERT_TRUE(sent) << sent.error().message;
    EXPECT_EQ(*sent, 3);
    EXPECT_FALSE(queue.serverAway());
    ASSERT_EQ(aside.size(), 1U);
    EXPECT_NE(aside[0].reason.find("PB-2026-0900"), std::string::npos) << aside[0].reason;
    EXPECT_EQ(*queue.pending(), 0);
    EXPECT_EQ(queue.setAside()->size(), 1U); // kept, not deleted
    // Nothing is left to hold up the next record, and a second flush says nothing new.
    EXPECT_FALSE(queue.record(design(5))->queued);
    aside.clear();
    EXPECT_EQ(*queue.flush(&aside), 0);
    EXPECT_TRUE(aside.empty());
    bool ok = false;
    EXPECT_EQ(psql("postgres",
                  QStringLiteral("SELECT string_agg(note, ',' ORDER BY id) FROM entries"), &ok),
        QStringLiteral("第9次,第1次,第3次,第4次,第5次"));
}

TEST_F(Server, OnlyTheMakerWritesADocumentsFields)
{
    const QString owner = url(cluster->superuser());
    ASSERT_EQ(RunAdmin(owner, { QStringLiteral("init") }).code, 0);
    for (const char* name : { "wang", "zhao" })
        ASSERT_EQ(RunAdmin(owner,
                      { QStringLiteral("add-user"), QString::fromUtf8(name),
                          QStringLiteral("--role"), QStringLiteral("tester") })
                      .code,
            0);
    RecordStore wangStore, zhaoStore;
    ASSERT_TRUE(wangStore.open(as("wang")));
    ASSERT_TRUE(zhaoStore.open(as("zhao")));
    const std::int64_t id = DesignLedger(wangStore).recordEntry(Design())->id;
    ASSERT_TRUE(DocumentFieldStore(wangStore).setFields(id, { { "client", "滨江建设" } }));

    auto refused = DocumentFieldStore(zhaoStore).setFields(id, { { "client", "别人" } });
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().code, StoreErrorCode::Denied);
    EXPECT_NE(refused.error().message.find("只有制单人"), std::string::npos)
        << refused.error().message;
    const QString sqlRefusals[] = {
        QStringLiteral("UPDATE document_fields SET value = 'x'"),
        QStringLiteral("DELETE FROM document_fields"),
        QStringLiteral("INSERT INTO document_fields VALUES (%1, 'part', 'x')").arg(id),
    };
    for (const QString& sql : sqlRefusals) {
        bool ok = true;
        psql("zhao", sql, &ok);
        EXPECT_FALSE(ok) << sql.toStdString();
    }
    EXPECT_EQ(
        *DocumentFieldStore(zhaoStore).fields(id), (DocumentFieldMap { { "client", "滨江建设" } }));
    for (const char* user : { "wang", "zhao" })
        RunAdmin(owner, { QStringLiteral("remove-user"), QString::fromUtf8(user) });
}

// Over TCP the cluster asks for scram-sha-256 passwords: the session's own,
// libpq's password file, a service file, and what a failure says.
TEST_F(Server, ConnectsAsLibpqUsersExpectAndSaysWhyNot)
{
    OpenOptions make;
    make.serverSchema = ServerSchema::Create;
    {
        RecordStore admin;
        ASSERT_TRUE(admin.open(as("postgres"), make));
        ASSERT_TRUE(AddUser(admin, "wang", UserRole::Tester, "s3cret"));
    }
    QTemporaryDir dir;
    const QString tcp = QStringLiteral("127.0.0.1:%1").arg(cluster->port());
    const auto write = [&](const char* name, const QString& text) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner); // libpq ignores a readable one
        return f.fileName();
    };
    const QString passfile = write("pgpass", tcp + QStringLiteral(":lab:wang:s3cret\n"));
    const QString services = write("services",
        QStringLiteral("[qorulab]\nhost=127.0.0.1\nport=%1\ndbname=lab\nuser=wang\n")
            .arg(cluster->port()));
    qputenv("PGSERVICEFILE", services.toLocal8Bit());

    struct Case
    {
        QString address;
        const char* password;
        bool passFile;
        const char* service; // PGSERVICE
        const char* failure; // what the message says; null when it connects
    };
    const QString wang = QStringLiteral("postgresql://wang@") + tcp;
    const Case cases[] = {
        { wang + QStringLiteral("/lab?sslmode=disable"), "s3cret", false, "", nullptr },
        { wang + QStringLiteral("/lab?sslmode=prefer"), "", true, "", nullptr },
        { QStringLiteral("postgresql://"), "", true, "qorulab", nullptr },
        { QStringLiteral("postgresql:///?service=qorulab"), "", true, "", nullptr },
        { wang + QStringLiteral("/lab?sslmode=require"), "s3cret", false, "", "SSL" },
        { wang + QStringLiteral("/lab"), "wrong", true, "", "密码" },
        { wang + QStringLiteral("/lab"), "", false, "", "要求密码" },
        { wang + QStringLiteral("/nolab"), "s3cret", false, "", "没有这个数据库" },
        { QStringLiteral("postgresql://wang@127.0.0.1:1/lab"), "s3cret", false, "", "没有应答" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.toStdString() + " " + c.service);
        qputenv("PGPASSFILE",
            (c.passFile ? passfile : dir.filePath(QStringLiteral("none"))).toLocal8Bit());
        if (*c.service)
            qputenv("PGSERVICE", c.service);
        else
            qunsetenv("PGSERVICE"); // set but empty, it names a service ""
        RecordStore store;
        OpenOptions options;
        options.password = c.password;
        auto opened = store.open(c.address.toStdString(), options);
        if (!c.failure) {
            ASSERT_TRUE(opened) << opened.error().message;
            EXPECT_EQ(*CurrentLogin(store), "wang");
        } else {
            ASSERT_FALSE(opened);
            EXPECT_NE(opened.error().message.find(c.failure), std::string::npos)
                << opened.error().message;
            EXPECT_EQ(opened.error().message.find("s3cret"), std::string::npos);
            // What the windows then hear of the ledger says the server is away.
            EXPECT_NE(DesignLedger(store).entry(1).error().message.find("没有连上数据库服务器"),
                std::string::npos);
        }
    }
    for (const char* variable : { "PGPASSFILE", "PGSERVICE", "PGSERVICEFILE" })
        qunsetenv(variable);
    RecordStore admin;
    ASSERT_TRUE(admin.open(as("postgres")));
    EXPECT_TRUE(RemoveUser(admin, "wang"));
}

} // namespace
