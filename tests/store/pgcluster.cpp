#include "store/pgcluster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kBin = QStringLiteral("/usr/lib/postgresql/15/bin/");

QString Tool(const QString& name)
{
    return kBin + name;
}

// A TCP port on 127.0.0.1 that nothing listens on now.
int FreePort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof a;
    int port = 0;
    if (s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) == 0)
        port = ntohs(a.sin_port);
    if (s >= 0)
        close(s);
    return port != 0 ? port : 50000 + static_cast<int>(QCoreApplication::applicationPid() % 10000);
}

} // namespace

PgCluster::PgCluster() = default;

PgCluster::~PgCluster()
{
    stop();
}

bool PgCluster::run(const QStringList& command, QString* output) const
{
    QStringList args = command;
    QString program = args.takeFirst();
    if (m_asPostgres) {
        args = QStringList {
            QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program
        } + args;
        program = QStringLiteral("runuser");
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        if (output)
            *output = QStringLiteral("%1 did not finish").arg(program);
        return false;
    }
    if (output)
        *output = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PgCluster::start()
{
    if (m_running)
        return true;
    if (!QFileInfo::exists(Tool(QStringLiteral("initdb")))) {
        m_error = QStringLiteral("no PostgreSQL 15 server binaries in ") + kBin;
        return false;
    }
    QString out;
    if (!m_initialised) {
        // A short path: a Unix socket's name has room for about 100 bytes.
        m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/qoru-pg-XXXXXX"));
        if (!m_dir->isValid()) {
            m_error = QStringLiteral("no temporary folder");
            return false;
        }
        m_socketDir = m_dir->path();
        m_dataDir = m_dir->filePath(QStringLiteral("data"));
        m_port = FreePort();
        m_asPostgres = geteuid() == 0;
        if (m_asPostgres) {
            const passwd* pw = getpwnam("postgres");
            if (!pw
                || chown(QFile::encodeName(m_socketDir).constData(), pw->pw_uid, pw->pw_gid) != 0) {
                m_error = QStringLiteral("running as root, and no postgres user to run the server");
                return false;
            }
        }
        if (!run({ Tool(QStringLiteral("initdb")), QStringLiteral("-D"), m_dataDir,
                     QStringLiteral("-U"), superuser(), QStringLiteral("--auth-local=trust"),
                     QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("-E"),
                     QStringLiteral("UTF8"), QStringLiteral("--no-locale"),
                     QStringLiteral("--no-sync") },
                &out)) {
            m_error = QStringLiteral("initdb failed: ") + out;
            return false;
        }
        m_initialised = true;
        // Whatever ends this program (a crash, SIGKILL from a timeout), a
        // watchdog stops the server and removes the folder after it.
        const QString stopAs = m_asPostgres ? QStringLiteral("runuser -u postgres -- ") : QString();
        const QString script
            = QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; "
                             "%2'%3' -D '%4' stop -m immediate >/dev/null 2>&1; rm -rf '%5'")
                  .arg(QCoreApplication::applicationPid())
                  .arg(stopAs, Tool(QStringLiteral("pg_ctl")), m_dataDir, m_socketDir);
        QProcess watchdog;
        watchdog.setProgram(QStringLiteral("sh"));
        watchdog.setArguments({ QStringLiteral("-c"), script });
        watchdog.setStandardInputFile(QProcess::nullDevice());
        watchdog.setStandardOutputFile(QProcess::nullDevice());
        watchdog.setStandardErrorFile(QProcess::nullDevice());
        watchdog.startDetached(&m_watchdog);
    }
    const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -k %1 -p %2 -c fsync=off"
                                           " -c max_connections=120")
                                .arg(m_socketDir)
                                .arg(m_port);
    if (!run({ Tool(QStringLiteral("pg_ctl")), QStringLiteral("-D"), m_dataDir,
                 QStringLiteral("-l"), m_dir->filePath(QStringLiteral("server.log")),
                 QStringLiteral("-w"), QStringLiteral("-o"), options, QStringLiteral("start") },
            &out)) {
        m_error = QStringLiteral("pg_ctl start failed: ") + out;
        return false;
    }
    m_running = true;
    return true;
}

bool PgCluster::stop()
{
    if (!m_running)
        return true;
    QString out;
    const bool stopped = run(
        { Tool(QStringLiteral("pg_ctl")), QStringLiteral("-D"), m_dataDir, QStringLiteral("-w"),
            QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop") },
        &out);
    if (!stopped)
        m_error = QStringLiteral("pg_ctl stop failed: ") + out;
    m_running = !stopped;
    return stopped;
}

QString PgCluster::url(const QString& user, const QString& db) const
{
    // Joined, not .arg()ed: the encoded folder is full of "%2F".
    return QStringLiteral("postgresql://") + QString::fromUtf8(QUrl::toPercentEncoding(user))
        + QLatin1Char('@') + QString::fromUtf8(QUrl::toPercentEncoding(m_socketDir))
        + QLatin1Char(':') + QString::number(m_port) + QLatin1Char('/') + db;
}

QString PgCluster::psql(const QString& sql, const QString& user, const QString& db, bool* ok) const
{
    QProcess p;
    p.start(Tool(QStringLiteral("psql")),
        { QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
            QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"),
            m_socketDir, QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-U"), user,
            QStringLiteral("-d"), db, QStringLiteral("-c"), sql });
    const bool finished = p.waitForFinished(60000);
    const bool good = finished && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = good;
    return QString::fromUtf8(good ? p.readAllStandardOutput() : p.readAllStandardError()).trimmed();
}

bool PgCluster::recreateDatabase(const QString& db)
{
    bool ok = false;
    psql(QStringLiteral("DROP DATABASE IF EXISTS \"%1\" WITH (FORCE)").arg(db), superuser(),
        QStringLiteral("postgres"), &ok);
    if (ok)
        psql(QStringLiteral("CREATE DATABASE \"%1\"").arg(db), superuser(),
            QStringLiteral("postgres"), &ok);
    if (!ok)
        m_error = QStringLiteral("cannot make database ") + db;
    return ok;
}

namespace {

std::unique_ptr<PgCluster>& Shared()
{
    static std::unique_ptr<PgCluster> cluster;
    return cluster;
}

} // namespace

void StopSharedCluster()
{
    Shared().reset();
}

PgCluster* SharedCluster(QString* why)
{
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        auto cluster = std::make_unique<PgCluster>();
        if (cluster->start()) {
            Shared() = std::move(cluster);
            std::atexit(StopSharedCluster);
        } else {
            failure = cluster->error();
        }
    }
    if (why)
        *why = failure;
    return Shared().get();
}
