#pragma once

#include "records/dialect.h"
#include "records/result.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class StoreConnection;

// What opening a server does to its schema.
enum class ServerSchema
{
    Use, // as it is: a user's login may not change it
    Migrate, // an older one brought forward; an empty database refused
    Create, // made in an empty database, or migrated
};

struct OpenOptions
{
    // How long a statement waits for another program's lock before giving up.
    int busyTimeoutMs = 5000;
    // Journal as on a network share (true) or a local disk (false); told
    // from the file's folder when not given.
    std::optional<bool> networkShare;
    // Builds a new file at this schema version, or leaves an older one
    // there, instead of the latest (for tests and sample files); 0: the latest.
    int schemaVersion = 0;
    // For a server: the password of this session (empty: libpq's password
    // file or PGSERVICE), and whether to build or migrate the laboratory's
    // schema there (qoru-admin does).
    std::string password;
    ServerSchema serverSchema = ServerSchema::Use;
};

struct OpenReport
{
    std::string path; // absolute
    int version = 0; // the schema version of the open store
    int migratedFrom = 0; // the version the file had before it was migrated, else 0
    std::string backupPath; // the copy made before migrating
    std::string damagedPath; // where a damaged file was moved
    JournalMode journal = JournalMode::WriteAheadLog;
    std::string notice; // what the user is to be told (Chinese), empty when nothing
};

// The records of the laboratory in one SQLite file, or on the laboratory's
// PostgreSQL server (a "postgresql://" address). Open it with open(); the
// materials library and the design ledger then work on it. When it cannot be
// opened the program goes on without records: every operation then answers
// StoreErrorCode::Unavailable. Use a store from the thread that opened it.
class RecordStore
{
public:
    RecordStore();
    ~RecordStore();
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    // Opens the file, making it when it does not exist. At open:
    // - a file of a newer schema is refused and left untouched;
    // - a damaged file (PRAGMA quick_check) is renamed aside to
    //   "<file>.damaged-yyyyMMdd-HHmmss" and a new empty store is made;
    // - an older file is copied to "<file>.bak-<version>" and then migrated
    //   forward in one transaction.
    // The report says which of these happened.
    // A server address opens the server's database instead: its schema must
    // be there (qoru-admin init) unless options.serverSchema says to make it; a newer one is
    // refused, and an older one too, since only qoru-admin migrates a server.
    Result<OpenReport> open(const std::string& path, const OpenOptions& options = {});
    void close();
    // Takes over the database `other` has open (a choice tried on its own
    // first), closing this one's and leaving `other` closed; the libraries
    // and ledgers made on this store then work on it.
    void takeOver(RecordStore& other);
    bool isOpen() const { return m_connection != nullptr; }
    bool onServer() const { return m_server; }
    const std::string& path() const { return m_path; }
    int version() const { return m_version; }

    // On a server: calls `changed` with the entry's number when another
    // program changes the ledger, from the event loop of the store's thread.
    // False on a local file, where a window polls DesignLedger::lastChange().
    bool watchLedger(std::function<void(const std::string& number)> changed);

    // What an operation on the closed store answers: after a server could
    // not be reached, that the server is away and what waits for it.
    StoreError closedError() const;

    // The connection the library and the ledger use; null when closed.
    StoreConnection* connection() { return m_connection.get(); }

    // AppDataLocation/qoru.sqlite, its folder made if missing (set the
    // application's names first).
    static std::string DefaultPath();

private:
    Result<OpenReport> openServer(const std::string& address, const OpenOptions& options);

    bool m_server = false;
    std::string m_awayServer; // the server the last open could not reach
    std::unique_ptr<StoreConnection> m_connection;
    std::string m_path;
    int m_version = 0;
};

// The message for any operation on a store that is not open.
StoreError StoreClosed();
