#include "records/documentfields.h"

#include "records/connection.h"
#include "records/recordstore.h"

Result<DocumentFieldMap> DocumentFieldStore::fields(std::int64_t entryId)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q
        = c->run(QStringLiteral(
                     "SELECT field, value FROM document_fields WHERE entry_id = ? ORDER BY field"),
            { Id(entryId) });
    if (!q)
        return q.error();
    DocumentFieldMap map;
    while (q->next())
        map[S(q->value(0).toString())] = S(q->value(1).toString());
    return map;
}

Result<void> DocumentFieldStore::setFields(std::int64_t entryId, const DocumentFieldMap& values)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    for (const auto& [name, value] : values)
        if (Q(name).trimmed().isEmpty())
            return Invalid("field", QStringLiteral("通知单字段的名称不能为空。"));
    return c->write([&]() -> Result<void> {
        auto q = c->run(QStringLiteral("SELECT number, state, in_bin FROM entries WHERE id = ?"),
            { Id(entryId) });
        if (!q)
            return q.error();
        if (!q->next())
            return Error(StoreErrorCode::NotFound, QStringLiteral("台账中没有这条记录。"));
        const QString number = q->value(0).toString();
        if (q->value(1).toString() == QLatin1String("issued"))
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral(
                    "台账记录 %1 已下发，不能再修改；需要改动时请“修订”，生成一个新版本。")
                    .arg(number));
        if (q->value(2).toInt() != 0)
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("台账记录 %1 在回收站中，请先恢复。").arg(number));
        if (auto cleared = c->exec(
                QStringLiteral("DELETE FROM document_fields WHERE entry_id = ?"), { Id(entryId) });
            !cleared)
            return cleared;
        for (const auto& [name, value] : values) {
            const QString text = Q(value).trimmed();
            if (text.isEmpty())
                continue;
            if (auto put = c->exec(QStringLiteral("INSERT INTO document_fields (entry_id, field,"
                                                  " value) VALUES (?, ?, ?)"),
                    { Id(entryId), Q(name).trimmed(), text });
                !put)
                return put;
        }
        return {};
    });
}

Result<std::int64_t> DocumentFieldStore::entryByNumber(const std::string& number)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto id = c->scalar(
        QStringLiteral("SELECT id FROM entries WHERE number = ? AND in_bin = 0"), { Q(number) });
    if (!id)
        return id.error();
    if (id->isNull())
        return Error(StoreErrorCode::NotFound,
            QStringLiteral("台账中没有编号为 %1 的记录。").arg(Q(number)));
    return std::int64_t(id->toLongLong());
}
