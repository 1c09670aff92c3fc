#pragma once

#include <string>
#include <vector>

// Every query of the records is standard SQL with bound values, and runs as
// written on SQLite (QSQLITE) and PostgreSQL (QPSQL). What differs between
// the two lives here and nowhere else.

enum class SqlDialect
{
    SQLite,
    PostgreSQL
};

// How the store journals its writes; see RecordStore::open for the choice.
enum class JournalMode
{
    WriteAheadLog,
    Rollback,
    Server
};

// What a failure of the database means to the store.
enum class FailureKind
{
    Busy, // locked by another connection; the whole transaction may be tried again
    DiskFull,
    ReadOnly,
    Damaged,
    Constraint,
    CantOpen,
    Denied, // the server refused the user's login this change
    Lost, // the connection to the server broke
    Other,
};

struct Dialect
{
    SqlDialect kind = SqlDialect::SQLite;
    std::string driver; // the Qt SQL driver
    // The type of a primary key that numbers itself. SQLite's rowid alias
    // must be spelled exactly "INTEGER PRIMARY KEY".
    std::string idColumn;
    // Starts a write transaction holding the write lock from its first
    // statement: on SQLite a deferred transaction that reads first and
    // writes later fails with SQLITE_BUSY instead of waiting.
    std::string beginWrite;
    // The current local time as 'yyyy-MM-dd HH:mm:ss' text, by the database's clock.
    std::string now;
    // INSERT … RETURNING id (PostgreSQL) or the driver's last insert id (SQLite).
    bool insertReturnsId = false;
    // SQLite keeps the schema version in the file header too (PRAGMA
    // user_version), where a program reads it without knowing the tables.
    bool userVersion = false;
    // Counts the tables of the database, to tell an empty store from a
    // database of another program.
    std::string countTables;
    // Taken first in the transaction that migrates, so that two programs
    // migrating one server at once take turns; SQLite's write lock does it there.
    std::string migrationLock;
    // Ends a SELECT that takes the rows it reads for the rest of the
    // transaction (SQLite's write transaction holds the whole file already).
    std::string lockRow;
    // The database has logins and roles of its own, which enforce who may do what.
    bool logins = false;

    static Dialect SQLite();
    static Dialect PostgreSQL();

    // Statements that set up each new connection.
    std::vector<std::string> sessionSetup(JournalMode journal) const;

    // INSERT that updates the row whose `key` already exists (the same
    // ON CONFLICT form on both: SQLite 3.24 and PostgreSQL 9.5 onwards).
    std::string upsert(const std::string& table, const std::string& key,
        const std::vector<std::string>& columns) const;

    // `column` contains the text bound to the next '?': use with
    // LikePattern(). Key columns are kept lower-case by the store (Unicode
    // aware, in C++), which makes SQLite's ASCII-only case folding and
    // PostgreSQL's case-sensitive LIKE agree.
    std::string containsCondition(const std::string& column) const;

    // The driver's error code (SQLite's result code, PostgreSQL's SQLSTATE) sorted out.
    FailureKind classify(const std::string& nativeCode) const;
};

// "%text%" with the LIKE wildcards of `text` escaped; `text` already lower-case.
std::string LikePattern(const std::string& text);
