#pragma once

// The store's own Qt SQL plumbing: not for the windows, which see plain structs.

#include "records/dialect.h"
#include "records/result.h"
#include "records/serverurl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

QString Q(const std::string& text);
std::string S(const QString& text);
// A row id bound to a query (std::int64_t is long on Linux, which QVariant does not take).
inline QVariant Id(std::int64_t id)
{
    return QVariant(static_cast<qlonglong>(id));
}

// One database connection, used from the thread that opened it.
class StoreConnection
{
public:
    StoreConnection(Dialect dialect, QString connectionName, QString path, int busyTimeoutMs);
    ~StoreConnection();
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    // A server's address instead of a file: `path` is then what messages show.
    void setServer(const ServerUrl& server) { m_server = server; }
    const std::optional<ServerUrl>& server() const { return m_server; }

    // Opens the connection (SQLite makes the file if it does not exist).
    Result<void> open();
    void close();

    const Dialect& dialect() const { return m_dialect; }
    QSqlDatabase database() const;
    const QString& path() const { return m_path; }

    // Runs one statement with `values` bound to its '?' in order.
    Result<QSqlQuery> run(const QString& sql, const QVariantList& values = {});
    Result<void> exec(const QString& sql, const QVariantList& values = {});
    // Runs an INSERT and gives the new row's id.
    Result<std::int64_t> insert(const QString& sql, const QVariantList& values);
    // The first column of the first row, or an empty QVariant when there is no row.
    Result<QVariant> scalar(const QString& sql, const QVariantList& values = {});

    // Runs `body` in one write transaction: all of it is kept or none. When
    // another program holds the store the whole transaction is tried again
    // until the busy timeout has passed.
    Result<void> write(const std::function<Result<void>()>& body);
    // Runs `body` in one read transaction, so its queries see one state.
    Result<void> read(const std::function<Result<void>()>& body);

    // Whether the connection still answers (a server may have dropped it).
    bool alive() const;
    // Opens a server connection again after it broke.
    Result<void> reconnect();

    // Calls `heard` with the payload of each notification on `channel` that
    // another session sends; kept across a reconnect.
    bool watch(const std::string& channel, std::function<void(const std::string&)> heard);

    // The error of a failed statement, in words for the user.
    StoreError failure(const QSqlQuery& query) const;

private:
    Dialect m_dialect;
    QString m_name;
    QString m_path;
    int m_busyTimeoutMs;
    std::optional<ServerUrl> m_server;
    mutable bool m_broken = false; // the server dropped the connection
    bool subscribe();
    std::string m_channel;
    std::function<void(const std::string&)> m_heard;
};

// An error the user caused: nothing was written.
StoreError Invalid(const std::string& field, const QString& message);
StoreError Error(StoreErrorCode code, const QString& message);
