#include "records/recordstore.h"

#include "records/connection.h"
#include "records/schema.h"
#include "records/serverurl.h"
#include "records/storagekind.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>

#include <atomic>

namespace {

QString NewConnectionName()
{
    static std::atomic<int> count { 0 };
    return QStringLiteral("qoru-records-%1").arg(++count);
}

bool HasSqliteHeader(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

// A name next to `file` that is not taken yet: "<file><suffix>", else with "-2", "-3" …
QString FreeName(const QString& file, const QString& suffix)
{
    QString name = file + suffix;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = file + suffix + QStringLiteral("-%1").arg(n);
    return name;
}

Result<int> ReadVersion(StoreConnection& c)
{
    if (c.dialect().userVersion) {
        auto version = c.scalar(QStringLiteral("PRAGMA user_version"));
        if (!version)
            return version.error();
        return version->toInt();
    }
    auto tables = c.scalar(Q(c.dialect().countTables));
    if (!tables)
        return tables.error();
    if (tables->toInt() == 0)
        return 0;
    auto version = c.scalar(QStringLiteral("SELECT max(version) FROM schema"));
    if (!version)
        return version.error();
    return version->toInt();
}

enum class Health
{
    Sound,
    Damaged
};

// The file's state, or the error that keeps it from being used.
Result<Health> Check(StoreConnection& c, int& version)
{
    // The version and the tables in one snapshot: another Qoru may be
    // making the same new file right now.
    int tables = 0;
    auto read = c.read([&]() -> Result<void> {
        auto v = ReadVersion(c);
        if (!v)
            return v.error();
        version = *v;
        auto count = c.scalar(Q(c.dialect().countTables));
        if (!count)
            return count.error();
        tables = count->toInt();
        return {};
    });
    if (!read) {
        if (read.error().code == StoreErrorCode::Damaged)
            return Health::Damaged;
        return read.error();
    }
    if (version > LatestSchemaVersion())
        return Health::Sound;
    if (version == 0 && tables > 0)
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("文件“%1”是别的程序的数据库，不是 Qoru 的记录，没有改动它。")
                .arg(c.path()));
    if (c.dialect().kind != SqlDialect::SQLite)
        return Health::Sound;
    auto query = c.run(QStringLiteral("PRAGMA quick_check"));
    if (!query)
        return query.error().code == StoreErrorCode::Damaged ? Result<Health>(Health::Damaged)
                                                             : query.error();
    QStringList problems;
    while (query->next())
        problems << query->value(0).toString();
    return problems == QStringList { QStringLiteral("ok") } ? Health::Sound : Health::Damaged;
}

// Applies the steps after the database's version up to `target` in one
// transaction; gives the version found before.
Result<int> Migrate(StoreConnection& c, int target)
{
    int from = 0;
    auto migrated = c.write([&]() -> Result<void> {
        if (!c.dialect().migrationLock.empty())
            if (auto locked = c.exec(Q(c.dialect().migrationLock)); !locked)
                return locked;
        auto current = ReadVersion(c); // another program may have migrated it meanwhile
        if (!current)
            return current.error();
        from = *current;
        for (const SchemaStep& step : SchemaSteps()) {
            if (step.version <= from || step.version > target)
                continue;
            for (const std::string& sql : StepStatements(step, c.dialect()))
                if (auto done = c.exec(Q(sql)); !done)
                    return done;
            auto noted
                = c.exec(QStringLiteral("INSERT INTO schema (version, applied_at) VALUES (?, %1)")
                             .arg(Q(c.dialect().now)),
                    { step.version });
            if (!noted)
                return noted;
        }
        if (c.dialect().userVersion && target > from)
            return c.exec(QStringLiteral("PRAGMA user_version = %1").arg(target));
        return {};
    });
    if (!migrated)
        return migrated.error();
    return from;
}

} // namespace

StoreError StoreClosed()
{
    return Error(StoreErrorCode::Unavailable, QStringLiteral("没有打开数据库，记录功能不可用。"));
}

RecordStore::RecordStore() = default;
RecordStore::~RecordStore() = default;

StoreError RecordStore::closedError() const
{
    if (m_awayServer.empty())
        return StoreClosed();
    return Error(StoreErrorCode::Unavailable,
        QStringLiteral("没有连上数据库服务器“%1”：台账和原材料库的修改、审核和下发都要连上服务器，"
                       "请在服务器恢复后再试。")
            .arg(Q(m_awayServer)));
}

void RecordStore::close()
{
    m_awayServer.clear();
    m_server = false;
    m_connection.reset();
    m_path.clear();
    m_version = 0;
}

void RecordStore::takeOver(RecordStore& other)
{
    if (&other == this)
        return;
    close();
    m_awayServer = other.m_awayServer;
    m_server = other.m_server;
    m_connection = std::move(other.m_connection);
    m_path = other.m_path;
    m_version = other.m_version;
    other.close();
}

std::string RecordStore::DefaultPath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return S(QDir(folder).filePath(QStringLiteral("qoru.sqlite")));
}

Result<OpenReport> RecordStore::open(const std::string& path, const OpenOptions& options)
{
    close();
    if (ServerUrl::Is(path)) {
        auto opened = openServer(path, options);
        if (!opened) {
            const auto url = ServerUrl::Parse(path);
            m_awayServer = url ? url->shortName() : path;
        }
        return opened;
    }
    const QFileInfo info(Q(path));
    const QString file = info.absoluteFilePath();
    if (!info.absoluteDir().exists())
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("找不到数据库“%1”所在的文件夹，本次运行不保存记录。").arg(file));
    // SQLite would open a read-only file for reading without a word, and
    // its journal needs the folder: refuse both now, not at the first record.
    if (!QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable()))
        return Error(StoreErrorCode::ReadOnly,
            QStringLiteral("数据库“%1”或它所在的文件夹是只读的，本次运行不保存记录。").arg(file));
    if (info.exists() && !info.isFile())
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("“%1”不是一个文件，无法用作数据库。").arg(file));
    if (info.exists() && info.size() > 0 && !HasSqliteHeader(file))
        return Error(StoreErrorCode::Unavailable,
            QStringLiteral("文件“%1”不是 Qoru 的数据库，没有改动它。").arg(file));

    OpenReport report;
    report.path = S(file);
    const bool network = options.networkShare ? *options.networkShare : OnNetworkShare(report.path);
    const int target = options.schemaVersion > 0 ? options.schemaVersion : LatestSchemaVersion();
    const auto connect = [&]() -> Result<std::unique_ptr<StoreConnection>> {
        auto c = std::make_unique<StoreConnection>(
            Dialect::SQLite(), NewConnectionName(), file, options.busyTimeoutMs);
        auto opened = c->open();
        if (!opened)
            return opened.error();
        return c;
    };
    const auto locked = [&](StoreError error) {
        if (error.code == StoreErrorCode::Busy)
            error.message = S(QStringLiteral(
                "数据库“%1”被其他程序锁定，等待 %2 秒后仍未释放，本次运行不保存记录。")
                                  .arg(file)
                                  .arg(options.busyTimeoutMs / 1000.0));
        return error;
    };

    auto connection = connect();
    if (!connection)
        return connection.error();
    std::unique_ptr<StoreConnection> c = std::move(connection.value());

    int version = 0;
    auto health = Check(*c, version);
    if (!health)
        return locked(health.error());
    if (version > LatestSchemaVersion())
        return Error(StoreErrorCode::NewerVersion,
            QStringLiteral("数据库“%1”的版本是 %2，而本程序只认识到版本 %3：它是新版 Qoru 写的，"
                           "请用新版打开。文件没有改动。")
                .arg(file)
                .arg(version)
                .arg(LatestSchemaVersion()));
    if (*health == Health::Damaged) {
        c.reset(); // closed before it is renamed: Windows renames no open file
        const QString aside = FreeName(file,
            QStringLiteral(".damaged-")
                + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
        if (!QFile::rename(file, aside))
            return Error(StoreErrorCode::Unavailable,
                QStringLiteral("数据库“%1”已损坏，且无法改名保留，本次运行不保存记录。").arg(file));
        // Its log goes with it, so it cannot be replayed into the new file.
        for (const QString& log : { QStringLiteral("-wal"), QStringLiteral("-shm") })
            if (QFileInfo::exists(file + log))
                QFile::rename(file + log, aside + log);
        report.damagedPath = S(aside);
        report.notice
            = S(QStringLiteral("数据库“%1”已损坏，已改名为“%2”保留，并新建了一个空的数据库。")
                    .arg(file, aside));
        connection = connect();
        if (!connection)
            return connection.error();
        c = std::move(connection.value());
        version = 0;
    }

    // WAL lets two Qoru windows read while one writes, but its index lives
    // in shared memory, which processes on different machines do not share:
    // on a network share SQLite needs the rollback journal.
    for (const std::string& sql :
        c->dialect().sessionSetup(network ? JournalMode::Rollback : JournalMode::WriteAheadLog)) {
        // A journal mode another connection keeps is no error: the file stays in it.
        auto done = c->exec(Q(sql));
        if (!done && sql.find("journal_mode") == std::string::npos)
            return locked(done.error());
    }
    auto mode = c->scalar(QStringLiteral("PRAGMA journal_mode"));
    if (!mode)
        return locked(mode.error());
    report.journal = mode->toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) == 0
        ? JournalMode::WriteAheadLog
        : JournalMode::Rollback;

    if (version < target) {
        if (version > 0) {
            // VACUUM INTO writes a consistent copy, also of what still sits in the log.
            const QString backup = FreeName(file, QStringLiteral(".bak-%1").arg(version));
            auto copied = c->exec(QStringLiteral("VACUUM INTO ?"), { backup });
            if (!copied)
                return Error(StoreErrorCode::Unavailable,
                    QStringLiteral(
                        "无法把数据库“%1”备份为“%2”（%3），因此没有升级它，本次运行不保存记录。")
                        .arg(file, backup, Q(copied.error().message)));
            report.backupPath = S(backup);
        }
        auto migrated = Migrate(*c, target);
        if (!migrated) {
            StoreError error = locked(migrated.error());
            error.message = S(QStringLiteral("无法升级数据库“%1”：%2 文件保持原样。")
                                  .arg(file, Q(error.message)));
            return error;
        }
        const int from = *migrated;
        if (version > 0 && from < target) {
            report.migratedFrom = from;
            report.notice
                = S(QStringLiteral("数据库“%1”已从版本 %2 升级到版本 %3，升级前的文件备份为“%4”。")
                        .arg(file)
                        .arg(from)
                        .arg(target)
                        .arg(Q(report.backupPath)));
        }
        version = std::max(from, target);
    }

    report.version = version;
    m_connection = std::move(c);
    m_path = report.path;
    m_version = version;
    return report;
}

Result<OpenReport> RecordStore::openServer(const std::string& address, const OpenOptions& options)
{
    std::string why;
    auto url = ServerUrl::Parse(address, &why);
    if (!url)
        return Error(StoreErrorCode::Unavailable, Q(why));
    if (!options.password.empty())
        url->password = options.password;
    const QString shown = Q(url->shortName());
    auto c = std::make_unique<StoreConnection>(
        Dialect::PostgreSQL(), NewConnectionName(), shown, options.busyTimeoutMs);
    c->setServer(*url);
    if (auto opened = c->open(); !opened)
        return opened.error();
    for (const std::string& sql : c->dialect().sessionSetup(JournalMode::Server))
        if (auto done = c->exec(Q(sql)); !done)
            return done.error();

    int version = 0;
    auto health = Check(*c, version);
    if (!health)
        return health.error();
    const int latest = LatestSchemaVersion();
    const int target = options.schemaVersion > 0 ? options.schemaVersion : latest;
    if (version > latest)
        return Error(StoreErrorCode::NewerVersion,
            QStringLiteral("服务器上的数据库“%1”的版本是 %2，而本程序只认识到版本 %3：它是新版 "
                           "Qoru 建的，请用新版连接。数据库没有改动。")
                .arg(shown)
                .arg(version)
                .arg(latest));
    OpenReport report;
    report.path = url->display();
    report.journal = JournalMode::Server;
    if (version < target) {
        const bool allowed = options.serverSchema == ServerSchema::Create
            || (options.serverSchema == ServerSchema::Migrate && version > 0);
        if (!allowed)
            return Error(StoreErrorCode::Unavailable,
                version == 0
                    ? QStringLiteral("服务器上的数据库“%1”还没有 Qoru 的记录表，请管理员先运行"
                                     "“qoru-admin --server 地址 init”。")
                          .arg(shown)
                    : QStringLiteral("服务器上的数据库“%1”的版本是 %2，本程序需要版本 %3，"
                                     "请管理员运行“qoru-admin --server 地址 migrate”。")
                          .arg(shown)
                          .arg(version)
                          .arg(target));
        auto from = Migrate(*c, target);
        if (!from)
            return Error(from.error().code,
                QStringLiteral("无法升级服务器上的数据库“%1”：%2 数据库保持原样。")
                    .arg(shown, Q(from.error().message)));
        if (*from > 0 && *from < target) {
            report.migratedFrom = *from;
            report.notice = S(QStringLiteral("服务器上的数据库“%1”已从版本 %2 升级到版本 %3。")
                                  .arg(shown)
                                  .arg(*from)
                                  .arg(target));
        }
        version = std::max(*from, target);
    }
    report.version = version;
    m_connection = std::move(c);
    m_path = report.path;
    m_version = version;
    m_server = true;
    return report;
}

bool RecordStore::watchLedger(std::function<void(const std::string& number)> changed)
{
    if (!m_connection || !m_server)
        return false;
    return m_connection->watch("qoru_ledger", std::move(changed));
}
