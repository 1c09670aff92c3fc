#pragma once

#include <QString>

#include <memory>

class QTemporaryDir;

// A throwaway PostgreSQL cluster for the tests: initdb into a temporary
// folder, a server listening on a Unix socket in that folder (no password)
// and on 127.0.0.1 (scram-sha-256 passwords) at a free port, stopped
// and removed when the test program ends, however it ends. As root (CI) the
// cluster runs as the `postgres` user, since initdb refuses root.
class PgCluster
{
public:
    PgCluster();
    ~PgCluster();
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // Starts the cluster; false with the reason in error() when it cannot.
    bool start();
    // Stops the server (fast shutdown) and keeps the folder; start() brings it back.
    bool stop();
    bool restart() { return stop() && start(); }
    bool running() const { return m_running; }
    const QString& error() const { return m_error; }

    const QString& socketDir() const { return m_socketDir; }
    int port() const { return m_port; }
    // The superuser that owns the cluster.
    QString superuser() const { return QStringLiteral("postgres"); }
    // postgresql://user@<socket folder, percent-encoded>:port/db
    QString url(const QString& user, const QString& db = QStringLiteral("qoru")) const;

    // Runs `sql` through psql as `user` on `db`; the output (unaligned, no
    // headers) or, on failure, the error text with ok false.
    QString psql(const QString& sql, const QString& user = QStringLiteral("postgres"),
        const QString& db = QStringLiteral("qoru"), bool* ok = nullptr) const;
    // A fresh database `db`, dropped first if it exists.
    bool recreateDatabase(const QString& db);

private:
    bool run(const QStringList& command, QString* output = nullptr) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_socketDir;
    QString m_dataDir;
    int m_port = 0;
    bool m_initialised = false;
    bool m_running = false;
    bool m_asPostgres = false;
    qint64 m_watchdog = 0;
    QString m_error;
};

// The cluster every server test of this program shares, started on first use.
// Null (with the reason in `why`) when no PostgreSQL server binaries are here.
PgCluster* SharedCluster(QString* why = nullptr);
// Stops and removes it (the test programs' global environment does, at the end).
void StopSharedCluster();
