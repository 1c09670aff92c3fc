#pragma once

#include "records/ledger.h"
#include "records/recordstore.h"
#include "records/result.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Records a calculation on the laboratory's server, and when the server
// cannot be reached keeps it in the local store's outbox instead, to be sent
// when the server is back: oldest first, each once (a key per record, which
// the server keeps, makes a second sending of a delivered record a no-op).
class RecordQueue
{
public:
    // `local`: the SQLite store that holds the outbox; `server`: the server's
    // store, which may be closed (unreachable at start).
    RecordQueue(RecordStore& local, RecordStore& server, std::string serverAddress);
    // How flush() opens the server again when it is closed (the session's password).
    void setServerOptions(OpenOptions options) { m_options = std::move(options); }
    // Once the server was found away, record() keeps records in the outbox
    // for this long without trying it again, so that a press never waits for
    // a server that does not answer; flush() always tries. 0: always try.
    void setRetryAfter(std::chrono::milliseconds wait) { m_retryAfter = wait; }
    // Whether the last try found the server away.
    bool serverAway() const { return m_awayAt.has_value(); }
    // The outbox is flushed by another queue on the same files (one with
    // connections of its own, in a worker thread): record() then never sends
    // what waits itself, and a record made behind them waits too.
    void setFlushedElsewhere(bool elsewhere) { m_flushedElsewhere = elsewhere; }
    // What such a flush found. Back: this queue's server store is opened
    // again, or its dropped connection made anew, as flush() does.
    Result<void> serverFound(bool away);

    struct Recorded
    {
        bool queued = false; // kept locally, not on the server yet
        EntryRow row; // the server's row when sent
    };
    // Never fails for want of the server; fails for a refused entry (a bad
    // value, a permission) and when the outbox cannot be written either.
    Result<Recorded> record(NewEntry entry);

    // A queued record the server refused for what it is (a value, a right):
    // kept in the outbox, never sent again by itself, with the server's reason.
    struct SetAside
    {
        std::int64_t id = 0;
        std::string queuedAt;
        std::string kind;
        std::string reason;
    };

    // How many records wait, for the status bar; the set-aside ones not counted.
    Result<int> pending();
    // Sends what waits, oldest first, until the server is away; the count
    // sent. A record the server refuses is set aside (added to `setAside`)
    // and the ones behind it are still sent.
    Result<int> flush(std::vector<SetAside>* setAside = nullptr);
    // Every record set aside for this server, oldest first.
    Result<std::vector<SetAside>> setAside();

private:
    Result<void> enqueue(const NewEntry& entry, const std::string& why);
    bool waitingForRetry() const;
    // Opens the server store, or makes its connection anew after it was found away.
    Result<void> reach();

    RecordStore& m_local;
    RecordStore& m_server;
    std::string m_address;
    OpenOptions m_options;
    std::chrono::milliseconds m_retryAfter { 0 };
    bool m_flushedElsewhere = false;
    std::optional<std::chrono::steady_clock::time_point> m_awayAt;
};

// Whether an error means the server is away rather than that it said no.
bool ServerAway(const StoreError& error);
