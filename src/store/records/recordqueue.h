#pragma once

#include "records/ledger.h"
#include "records/result.h"

#include <string>

class RecordStore;

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

    struct Recorded
    {
        bool queued = false; // kept locally, not on the server yet
        EntryRow row; // the server's row when sent
    };
    // Never fails for want of the server; fails for a refused entry (a bad
    // value, a permission) and when the outbox cannot be written either.
    Result<Recorded> record(NewEntry entry);

    // How many records wait, for the status bar.
    Result<int> pending();
    // Sends what waits, oldest first, until the server fails; the count sent.
    // A record the server refuses (not for being away) stays, with its reason.
    Result<int> flush();

private:
    Result<void> enqueue(const NewEntry& entry, const std::string& why);

    RecordStore& m_local;
    RecordStore& m_server;
    std::string m_address;
};

// Whether an error means the server is away rather than that it said no.
bool ServerAway(const StoreError& error);
