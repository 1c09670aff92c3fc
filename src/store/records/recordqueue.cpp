#include "records/recordqueue.h"

#include "records/connection.h"
#include "records/recordstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace {

QString ToJson(const NewEntry& e)
{
    QJsonArray batches;
    for (const UsedBatch& b : e.batches)
        batches.append(QJsonObject { { QStringLiteral("role"), static_cast<int>(b.role) },
            { QStringLiteral("batch"), QString::number(b.batchId) } });
    QJsonObject o { { QStringLiteral("kind"), Q(e.kind) }, { QStringLiteral("time"), Q(e.time) },
        { QStringLiteral("operator"), Q(e.operatorName) },
        { QStringLiteral("inputs"), Q(e.inputsJson) }, { QStringLiteral("grade"), Q(e.grade) },
        { QStringLiteral("waterBinder"), Q(e.waterBinder) },
        { QStringLiteral("verdict"), Q(e.verdict) },
        { QStringLiteral("figures"), Q(e.figuresJson) }, { QStringLiteral("report"), Q(e.report) },
        { QStringLiteral("batches"), batches }, { QStringLiteral("number"), Q(e.number) },
        { QStringLiteral("project"), Q(e.project) }, { QStringLiteral("part"), Q(e.part) },
        { QStringLiteral("note"), Q(e.note) }, { QStringLiteral("origin"), Q(e.originKey) } };
    if (e.parentId)
        o.insert(QStringLiteral("parent"), QString::number(*e.parentId));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

NewEntry FromJson(const QString& text)
{
    const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
    const auto str = [&](const char* key) { return S(o.value(QLatin1String(key)).toString()); };
    NewEntry e;
    e.kind = str("kind");
    e.time = str("time");
    e.operatorName = str("operator");
    e.inputsJson = str("inputs");
    e.grade = str("grade");
    e.waterBinder = str("waterBinder");
    e.verdict = str("verdict");
    e.figuresJson = str("figures");
    e.report = str("report");
    for (const QJsonValue& b : o.value(QStringLiteral("batches")).toArray())
        e.batches.push_back(
            { static_cast<MaterialRole>(b.toObject().value(QStringLiteral("role")).toInt()),
                b.toObject().value(QStringLiteral("batch")).toString().toLongLong() });
    e.number = str("number");
    e.project = str("project");
    e.part = str("part");
    e.note = str("note");
    e.originKey = str("origin");
    if (o.contains(QStringLiteral("parent")))
        e.parentId = o.value(QStringLiteral("parent")).toString().toLongLong();
    return e;
}

} // namespace

bool ServerAway(const StoreError& error)
{
    return error.code == StoreErrorCode::Lost || error.code == StoreErrorCode::Unavailable;
}

RecordQueue::RecordQueue(RecordStore& local, RecordStore& server, std::string serverAddress)
    : m_local(local)
    , m_server(server)
    , m_address(std::move(serverAddress))
{ }

Result<void> RecordQueue::enqueue(const NewEntry& entry, const std::string& why)
{
    StoreConnection* c = m_local.connection();
    if (!c)
        return StoreClosed();
    return c->write([&]() -> Result<void> {
        return c->exec(QStringLiteral("INSERT INTO outbox (origin_key, server, queued_at, entry,"
                                      " last_error) VALUES (?, ?, %1, ?, ?)")
                           .arg(Q(c->dialect().now)),
            { Q(entry.originKey), Q(m_address), ToJson(entry), Q(why) });
    });
}

bool RecordQueue::waitingForRetry() const
{
    return m_awayAt && m_retryAfter.count() > 0
        && std::chrono::steady_clock::now() - *m_awayAt < m_retryAfter;
}

Result<RecordQueue::Recorded> RecordQueue::record(NewEntry entry)
{
    if (entry.originKey.empty())
        entry.originKey = S(QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (waitingForRetry()) {
        if (auto kept = enqueue(entry, {}); !kept)
            return kept.error();
        return Recorded { true, {} };
    }
    // Behind others that wait, a record waits too: they reach the server in order.
    auto waiting = pending();
    if (!waiting)
        return waiting.error();
    if (*waiting > 0 && !m_flushedElsewhere)
        if (auto sent = flush(); !sent)
            return sent.error();
    waiting = pending();
    if (!waiting)
        return waiting.error();
    if (*waiting == 0) {
        DesignLedger ledger(m_server);
        auto row = ledger.recordEntry(entry);
        if (row) {
            m_awayAt.reset();
            return Recorded { false, *row };
        }
        if (!ServerAway(row.error()))
            return row.error();
        m_awayAt = std::chrono::steady_clock::now();
        if (auto kept = enqueue(entry, row.error().message); !kept)
            return kept.error();
        return Recorded { true, {} };
    }
    if (auto kept = enqueue(entry, {}); !kept)
        return kept.error();
    return Recorded { true, {} };
}

Result<int> RecordQueue::pending()
{
    StoreConnection* c = m_local.connection();
    if (!c)
        return StoreClosed();
    auto n = c->scalar(
        QStringLiteral("SELECT count(*) FROM outbox WHERE server = ? AND set_aside_at IS NULL"),
        { Q(m_address) });
    if (!n)
        return n.error();
    return n->toInt();
}

Result<void> RecordQueue::reach()
{
    Result<void> reached;
    if (!m_server.isOpen()) {
        if (auto opened = m_server.open(m_address, m_options); !opened)
            reached = opened.error();
    } else if (m_awayAt) {
        // Found away before: see that it answers again, also with nothing to send.
        StoreConnection* s = m_server.connection();
        if (!s->alive())
            reached = s->reconnect();
    }
    if (reached)
        m_awayAt.reset();
    else
        m_awayAt = std::chrono::steady_clock::now();
    return reached;
}

Result<void> RecordQueue::serverFound(bool away)
{
    if (away) {
        m_awayAt = std::chrono::steady_clock::now();
        return {};
    }
    return reach();
}

Result<int> RecordQueue::flush(std::vector<SetAside>* setAside)
{
    StoreConnection* c = m_local.connection();
    if (!c)
        return StoreClosed();
    if (!reach())
        return 0; // still away: everything stays queued
    DesignLedger ledger(m_server);
    int sent = 0;
    for (;;) {
        auto next = c->run(QStringLiteral("SELECT id, entry, queued_at FROM outbox WHERE server = ?"
                                          " AND set_aside_at IS NULL ORDER BY id LIMIT 1"),
            { Q(m_address) });
        if (!next)
            return next.error();
        if (!next->next())
            return sent;
        const qlonglong id = next->value(0).toLongLong();
        const NewEntry entry = FromJson(next->value(1).toString());
        const std::string queuedAt = S(next->value(2).toString());
        next.value().finish();
        auto row = ledger.recordEntry(entry);
        if (!row) {
            if (ServerAway(row.error())) {
                m_awayAt = std::chrono::steady_clock::now();
                return sent;
            }
            // Refused for what it is: sending it again would be refused
            // again, and would hold up every record behind it.
            auto kept = c->exec(QStringLiteral("UPDATE outbox SET last_error = ?, set_aside_at = %1"
                                               " WHERE id = ?")
                                    .arg(Q(c->dialect().now)),
                { Q(row.error().message), id });
            if (!kept)
                return kept.error();
            if (setAside)
                setAside->push_back({ id, queuedAt, entry.kind, row.error().message });
            continue;
        }
        // Delivered (or found there from a sending whose answer was lost).
        if (auto gone = c->exec(QStringLiteral("DELETE FROM outbox WHERE id = ?"), { id }); !gone)
            return gone.error();
        ++sent;
    }
}

Result<std::vector<RecordQueue::SetAside>> RecordQueue::setAside()
{
    StoreConnection* c = m_local.connection();
    if (!c)
        return StoreClosed();
    auto q = c->run(QStringLiteral("SELECT id, queued_at, entry, last_error FROM outbox"
                                   " WHERE server = ? AND set_aside_at IS NOT NULL ORDER BY id"),
        { Q(m_address) });
    if (!q)
        return q.error();
    std::vector<SetAside> list;
    while (q->next())
        list.push_back({ q->value(0).toLongLong(), S(q->value(1).toString()),
            FromJson(q->value(2).toString()).kind, S(q->value(3).toString()) });
    return list;
}
