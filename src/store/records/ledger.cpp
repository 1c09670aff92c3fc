#include "records/ledger.h"

#include "records/connection.h"
#include "records/recordstore.h"

#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <map>
#include <set>

namespace {

const char* StateCode(EntryState state)
{
    switch (state) {
    case EntryState::Draft:
        return "draft";
    case EntryState::Reviewed:
        return "reviewed";
    case EntryState::Issued:
        return "issued";
    }
    return "";
}

EntryState StateFromCode(const QString& code)
{
    if (code == QLatin1String("issued"))
        return EntryState::Issued;
    return code == QLatin1String("reviewed") ? EntryState::Reviewed : EntryState::Draft;
}

const char* RoleCode(MaterialRole role)
{
    switch (role) {
    case MaterialRole::Cement:
        return "cement";
    case MaterialRole::Powder1:
        return "powder1";
    case MaterialRole::Powder2:
        return "powder2";
    case MaterialRole::Fine:
        return "fine";
    case MaterialRole::Coarse:
        return "coarse";
    case MaterialRole::Admixture:
        return "admixture";
    }
    return "";
}

MaterialRole RoleFromCode(const QString& code)
{
    for (MaterialRole role : kMaterialRoles)
        if (code == QLatin1String(RoleCode(role)))
            return role;
    return MaterialRole::Cement;
}

// An editable field's name as the audit says it, and its column.
const struct
{
    EntryField field;
    const char* name;
    const char* column;
} kFields[] = {
    { EntryField::Number, "编号", "number" },
    { EntryField::Project, "工程名称", "project" },
    { EntryField::Part, "施工部位", "part" },
    { EntryField::Note, "备注", "note" },
};

QString FieldName(EntryField field)
{
    for (const auto& f : kFields)
        if (f.field == field)
            return QString::fromUtf8(f.name);
    return {};
}

QString FieldColumn(EntryField field)
{
    for (const auto& f : kFields)
        if (f.field == field)
            return QString::fromLatin1(f.column);
    return {};
}

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// What the text filter matches: the four columns, lower-case, apart.
QString SearchKey(
    const QString& number, const QString& project, const QString& part, const QString& grade)
{
    return QStringList { number, project, part, grade }.join(QLatin1Char('\n')).toLower();
}

const QString kRowColumns = QStringLiteral("e.id, e.number, e.kind, e.grade, e.project, e.part, "
                                           "e.created_at, e.operator_name, e.state, e.in_bin, "
                                           "e.row_version, e.owner_name");

EntryRow ReadRow(const QSqlQuery& q)
{
    EntryRow row;
    row.id = q.value(0).toLongLong();
    row.number = S(q.value(1).toString());
    row.kind = S(q.value(2).toString());
    row.grade = S(q.value(3).toString());
    row.project = S(q.value(4).toString());
    row.part = S(q.value(5).toString());
    row.time = S(q.value(6).toString());
    row.operatorName = S(q.value(7).toString());
    row.state = StateFromCode(q.value(8).toString());
    row.inBin = q.value(9).toInt() != 0;
    row.rowVersion = q.value(10).toInt();
    row.owner = S(q.value(11).toString());
    return row;
}

Result<std::vector<EntryRow>> Rows(
    StoreConnection& c, const QString& where, const QVariantList& values)
{
    auto q = c.run(
        QStringLiteral("SELECT %1 FROM entries e WHERE %2").arg(kRowColumns, where), values);
    if (!q)
        return q.error();
    std::vector<EntryRow> rows;
    while (q->next())
        rows.push_back(ReadRow(q.value()));
    return rows;
}

Result<EntryRow> LoadRow(StoreConnection& c, std::int64_t id)
{
    auto rows = Rows(c, QStringLiteral("e.id = ?"), { Id(id) });
    if (!rows)
        return rows.error();
    if (rows->empty())
        return Error(
            StoreErrorCode::NotFound, QStringLiteral("找不到这条台账记录，它可能已被彻底删除。"));
    return rows->front();
}

Result<void> Audit(StoreConnection& c, std::optional<std::int64_t> entryId, const QString& number,
    const std::string& user, const QString& action, const QString& field = {},
    const QString& oldValue = {}, const QString& newValue = {})
{
    return c.exec(
        QStringLiteral(
            "INSERT INTO audit (changed_at, user_name, entry_id, entry_number, action, field,"
            " old_value, new_value) VALUES (%1, ?, ?, ?, ?, ?, ?, ?)")
            .arg(Q(c.dialect().now)),
        { Q(user), entryId ? Id(*entryId) : QVariant(QMetaType::fromType<qlonglong>()), number,
            action, field, oldValue, newValue });
}

Result<void> CheckNumberFree(StoreConnection& c, const QString& number, std::int64_t self)
{
    auto taken = c.scalar(QStringLiteral("SELECT id FROM entries WHERE number = ? AND id <> ?"),
        { number, Id(self) });
    if (!taken)
        return taken.error();
    if (taken->isValid())
        return StoreError { StoreErrorCode::Duplicate,
            S(QStringLiteral("编号“%1”已被另一条台账记录使用。").arg(number)), "number" };
    return {};
}

// The next PB-<year>-nnnn no entry holds; numbers are never given twice,
// even after a purge.
Result<QString> NextNumber(StoreConnection& c, int year)
{
    // The counter's row is taken first and held to the end of the
    // transaction: writers on a server then number one after another.
    auto made = c.exec(QStringLiteral("INSERT INTO number_counters (counter_year, last_number)"
                                      " VALUES (?, 0) ON CONFLICT (counter_year) DO NOTHING"),
        { year });
    if (!made)
        return made.error();
    for (;;) {
        auto bumped
            = c.scalar(QStringLiteral("UPDATE number_counters SET last_number = last_number + 1"
                                      " WHERE counter_year = ? RETURNING last_number"),
                { year });
        if (!bumped)
            return bumped.error();
        const QString number
            = QStringLiteral("PB-%1-%2").arg(year).arg(bumped->toInt(), 4, 10, QLatin1Char('0'));
        auto taken
            = c.scalar(QStringLiteral("SELECT id FROM entries WHERE number = ?"), { number });
        if (!taken)
            return taken.error();
        if (!taken->isValid())
            return number;
    }
}

Result<QString> JsonObjectText(
    const std::string& text, const std::string& field, const QString& label)
{
    if (text.empty() && field == "figures")
        return QStringLiteral("{}");
    QJsonParseError error {};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return Invalid(field, QStringLiteral("%1不是一个 JSON 对象，记录没有保存。").arg(label));
    return Q(text);
}

QString Snapshot(const BatchChoice& choice)
{
    const Material& m = choice.material;
    const Batch& b = choice.batch;
    const MaterialValues& v = choice.effective;
    QJsonObject o {
        { QStringLiteral("kind"), Q(MaterialKindName(m.kind)) },
        { QStringLiteral("name"), Q(m.name) },
        { QStringLiteral("maker"), Q(m.maker) },
        { QStringLiteral("specText"), Q(m.specText) },
        { QStringLiteral("variety"), Q(m.variety) },
        { QStringLiteral("grade"), Q(m.grade) },
        { QStringLiteral("sizeRange"), Q(m.sizeRange) },
        { QStringLiteral("batchNo"), Q(b.batchNo) },
        { QStringLiteral("arrivalDate"), Q(b.arrivalDate) },
        { QStringLiteral("reportNo"), Q(b.reportNo) },
        { QStringLiteral("testDate"), Q(b.testDate) },
        { QStringLiteral("density"), Q(v.density) },
        { QStringLiteral("strength28"), Q(v.strength28) },
        { QStringLiteral("fineness"), Q(v.fineness) },
        { QStringLiteral("maxSize"), Q(v.maxSize) },
        { QStringLiteral("solids"), Q(v.solids) },
        { QStringLiteral("waterReduction"), Q(v.waterReduction) },
        { QStringLiteral("dosage"), Q(v.dosage) },
        { QStringLiteral("moisture"), Q(b.moisture) },
    };
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

struct Checked
{
    NewEntry entry;
    QString inputs;
    QString figures;
    QDateTime time;
};

// What can be checked without the store.
Result<Checked> CheckEntry(const NewEntry& in)
{
    Checked c { in, {}, {}, {} };
    NewEntry& e = c.entry;
    static const QRegularExpression kind(QStringLiteral("^[A-Za-z0-9_-]{1,32}$"));
    if (!kind.match(Q(e.kind)).hasMatch())
        return Invalid("kind", QStringLiteral("记录的类型“%1”无效。").arg(Q(e.kind)));
    if (e.time.empty()) {
        c.time = QDateTime::currentDateTime();
    } else {
        c.time = QDateTime::fromString(Q(e.time), kTimeFormat);
        if (!c.time.isValid())
            return Invalid(
                "time", QStringLiteral("记录时间“%1”不是一个存在的时刻。").arg(Q(e.time)));
    }
    e.time = S(c.time.toString(kTimeFormat));
    e.operatorName = S(Q(e.operatorName).trimmed());
    if (e.operatorName.empty())
        return Invalid("operatorName", QStringLiteral("“操作人”不能为空：请在设置中填写用户名。"));
    auto inputs = JsonObjectText(e.inputsJson, "inputs", QStringLiteral("计算的输入"));
    if (!inputs)
        return inputs.error();
    c.inputs = *inputs;
    auto figures = JsonObjectText(e.figuresJson, "figures", QStringLiteral("计算结果的主要数值"));
    if (!figures)
        return figures.error();
    c.figures = *figures;
    e.number = S(Q(e.number).trimmed());
    e.project = S(Q(e.project).trimmed());
    e.part = S(Q(e.part).trimmed());
    std::set<MaterialRole> roles;
    for (const UsedBatch& used : e.batches)
        if (!roles.insert(used.role).second)
            return Invalid("batches",
                QStringLiteral("“%1”只能选一个批次。").arg(Q(MaterialRoleName(used.role))));
    return c;
}

QString NextDay(const QDate& date)
{
    return date.addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
}

struct Where
{
    QString sql;
    QVariantList values;
};

Result<Where> FilterWhere(const Dialect& dialect, const LedgerFilter& filter)
{
    Where w { QStringLiteral("e.in_bin = ?"), { filter.shelf == Shelf::Bin ? 1 : 0 } };
    if (!filter.kind.empty()) {
        w.sql += QStringLiteral(" AND e.kind = ?");
        w.values << Q(filter.kind);
    }
    const auto bound
        = [&](const std::string& text, const char* field, const QString& label) -> Result<QDate> {
        const QDate date = QDate::fromString(Q(text), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return Invalid(field, QStringLiteral("“%1”不是一个存在的日期：%2").arg(label, Q(text)));
        return date;
    };
    if (!filter.from.empty()) {
        auto from = bound(filter.from, "from", QStringLiteral("起始日期"));
        if (!from)
            return from.error();
        w.sql += QStringLiteral(" AND e.created_at >= ?");
        w.values << from->toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (!filter.to.empty()) {
        auto to = bound(filter.to, "to", QStringLiteral("截止日期"));
        if (!to)
            return to.error();
        w.sql += QStringLiteral(" AND e.created_at < ?");
        w.values << NextDay(*to);
    }
    const QString text = Q(filter.text).trimmed().toLower();
    if (!text.isEmpty()) {
        w.sql += QStringLiteral(" AND ") + Q(dialect.containsCondition("e.search_key"));
        w.values << Q(LikePattern(S(text)));
    }
    return w;
}

const QString kNewest = QStringLiteral(" ORDER BY e.created_at DESC, e.id DESC");

} // namespace

std::string EntryStateName(EntryState state)
{
    switch (state) {
    case EntryState::Draft:
        return "草稿";
    case EntryState::Reviewed:
        return "已审核";
    case EntryState::Issued:
        return "已下发";
    }
    return {};
}

Result<EntryRow> DesignLedger::recordEntry(const NewEntry& entry)
{
    auto rows = recordEntries({ entry });
    if (!rows)
        return rows.error();
    return rows->front();
}

Result<std::vector<EntryRow>> DesignLedger::recordEntries(const std::vector<NewEntry>& entries)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    std::vector<Checked> checked;
    for (const NewEntry& e : entries) {
        auto ok = CheckEntry(e);
        if (!ok)
            return ok.error();
        checked.push_back(std::move(ok.value()));
    }
    MaterialLibrary library(m_store);
    std::vector<EntryRow> rows;
    auto done = c->write([&]() -> Result<void> {
        rows.clear();
        for (const Checked& ch : checked) {
            const NewEntry& e = ch.entry;
            if (!e.originKey.empty()) {
                auto known
                    = c->scalar(QStringLiteral("SELECT id FROM entries WHERE origin_key = ?"),
                        { Q(e.originKey) });
                if (!known)
                    return known.error();
                if (known->isValid()) {
                    auto row = LoadRow(*c, known->toLongLong());
                    if (!row)
                        return row.error();
                    rows.push_back(*row);
                    continue;
                }
            }
            QString number = Q(e.number);
            if (number.isEmpty()) {
                auto next = NextNumber(*c, ch.time.date().year());
                if (!next)
                    return next.error();
                number = *next;
            } else if (auto free = CheckNumberFree(*c, number, 0); !free) {
                return free;
            }
            if (e.parentId) {
                auto parent = LoadRow(*c, *e.parentId);
                if (!parent)
                    return parent.error();
            }
            auto id = c->insert(
                QStringLiteral("INSERT INTO entries (number, kind, created_at, operator_name, "
                               "grade, water_binder,"
                               " verdict, project, part, note, search_key, parent_id, origin_key)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                { number, Q(e.kind), Q(e.time), Q(e.operatorName), Q(e.grade), Q(e.waterBinder),
                    Q(e.verdict), Q(e.project), Q(e.part), Q(e.note),
                    SearchKey(number, Q(e.project), Q(e.part), Q(e.grade)),
                    e.parentId ? Id(*e.parentId) : QVariant(QMetaType::fromType<qlonglong>()),
                    // A null of another type: the store binds a null text as ''.
                    e.originKey.empty() ? QVariant(QMetaType::fromType<qlonglong>())
                                        : QVariant(Q(e.originKey)) });
            if (!id)
                return id.error();
            auto texts = c->exec(QStringLiteral("INSERT INTO entry_texts (entry_id, inputs, "
                                                "figures, report) VALUES (?, ?, ?, ?)"),
                { Id(*id), ch.inputs, ch.figures, Q(e.report) });
            if (!texts)
                return texts;
            for (const UsedBatch& used : e.batches) {
                auto choice = library.batchChoice(used.batchId);
                if (!choice)
                    return choice.error();
                const QString role = Q(MaterialRoleName(used.role));
                if (choice->material.kind != RoleKind(used.role))
                    return Invalid("batches",
                        QStringLiteral("“%1”选的批次“%2”是%3，不是%4。")
                            .arg(role, Q(choice->batch.batchNo),
                                Q(MaterialKindName(choice->material.kind)),
                                Q(MaterialKindName(RoleKind(used.role)))));
                if (!choice->batch.deletedAt.empty() || !choice->material.deletedAt.empty())
                    return Invalid("batches",
                        QStringLiteral("“%1”选的批次“%2”在回收站中。")
                            .arg(role, Q(choice->batch.batchNo)));
                auto linked = c->exec(QStringLiteral("INSERT INTO entry_batches (entry_id, role, "
                                                     "batch_id, snapshot) VALUES (?, ?, ?, ?)"),
                    { Id(*id), Q(RoleCode(used.role)), Id(used.batchId), Snapshot(*choice) });
                if (!linked)
                    return linked;
            }
            if (auto noted = Audit(*c, *id, number, e.operatorName, QStringLiteral("制单")); !noted)
                return noted;
            auto row = LoadRow(*c, *id);
            if (!row)
                return row.error();
            rows.push_back(*row);
        }
        return {};
    });
    if (!done)
        return done.error();
    return rows;
}

Result<std::vector<std::int64_t>> DesignLedger::entryIds(const LedgerFilter& filter)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto where = FilterWhere(c->dialect(), filter);
    if (!where)
        return where.error();
    auto q = c->run(
        QStringLiteral("SELECT e.id FROM entries e WHERE ") + where->sql + kNewest, where->values);
    if (!q)
        return q.error();
    std::vector<std::int64_t> ids;
    while (q->next())
        ids.push_back(q->value(0).toLongLong());
    return ids;
}

Result<std::vector<EntryRow>> DesignLedger::entryRows(const std::vector<std::int64_t>& ids)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    std::map<std::int64_t, EntryRow> found;
    constexpr size_t kChunk = 200;
    for (size_t first = 0; first < ids.size(); first += kChunk) {
        const size_t count = std::min(kChunk, ids.size() - first);
        QStringList marks;
        QVariantList values;
        for (size_t i = first; i < first + count; ++i) {
            marks << QStringLiteral("?");
            values << Id(ids[i]);
        }
        auto rows
            = Rows(*c, QStringLiteral("e.id IN (%1)").arg(marks.join(QLatin1Char(','))), values);
        if (!rows)
            return rows.error();
        for (EntryRow& row : rows.value())
            found.emplace(row.id, std::move(row));
    }
    std::vector<EntryRow> rows;
    for (std::int64_t id : ids)
        if (auto it = found.find(id); it != found.end())
            rows.push_back(it->second);
    return rows;
}

Result<std::vector<EntryRow>> DesignLedger::listEntries(
    const LedgerFilter& filter, int offset, int limit)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto where = FilterWhere(c->dialect(), filter);
    if (!where)
        return where.error();
    QVariantList values = where->values;
    values << std::max(limit, 0) << std::max(offset, 0);
    return Rows(*c, where->sql + kNewest + QStringLiteral(" LIMIT ? OFFSET ?"), values);
}

Result<std::int64_t> DesignLedger::countEntries(const LedgerFilter& filter)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto where = FilterWhere(c->dialect(), filter);
    if (!where)
        return where.error();
    auto count = c->scalar(
        QStringLiteral("SELECT count(*) FROM entries e WHERE ") + where->sql, where->values);
    if (!count)
        return count.error();
    return count->toLongLong();
}

Result<Entry> DesignLedger::entry(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    Entry entry;
    auto done = c->read([&]() -> Result<void> {
        auto row = LoadRow(*c, id);
        if (!row)
            return row.error();
        entry.row = *row;
        auto q
            = c->run(QStringLiteral(
                         "SELECT e.water_binder, e.verdict, e.note, e.parent_id, e.revision_of,"
                         " e.revision, e.deleted_at, t.inputs, t.figures, t.report"
                         " FROM entries e JOIN entry_texts t ON t.entry_id = e.id WHERE e.id = ?"),
                { Id(id) });
        if (!q)
            return q.error();
        if (!q->next())
            return Error(StoreErrorCode::NotFound,
                QStringLiteral("台账记录 %1 缺少计算书。").arg(Q(row->number)));
        entry.waterBinder = S(q->value(0).toString());
        entry.verdict = S(q->value(1).toString());
        entry.note = S(q->value(2).toString());
        if (!q->value(3).isNull())
            entry.parentId = q->value(3).toLongLong();
        if (!q->value(4).isNull())
            entry.revisionOf = q->value(4).toLongLong();
        entry.revision = q->value(5).toInt();
        entry.deletedAt = S(q->value(6).toString());
        entry.inputsJson = S(q->value(7).toString());
        entry.figuresJson = S(q->value(8).toString());
        entry.report = S(q->value(9).toString());
        auto b = c->run(
            QStringLiteral("SELECT role, batch_id, snapshot FROM entry_batches WHERE entry_id = ?"),
            { Id(id) });
        if (!b)
            return b.error();
        while (b->next())
            entry.batches.push_back({ RoleFromCode(b->value(0).toString()),
                b->value(1).toLongLong(), S(b->value(2).toString()) });
        std::sort(entry.batches.begin(), entry.batches.end(),
            [](const EntryBatch& x, const EntryBatch& y) { return x.role < y.role; });
        return {};
    });
    if (!done)
        return done.error();
    return entry;
}

namespace {

// An entry that may still change: not issued, not in 回收站.
Result<EntryRow> Editable(StoreConnection& c, std::int64_t id)
{
    auto row = LoadRow(c, id);
    if (!row)
        return row;
    if (row->state == EntryState::Issued)
        return Error(StoreErrorCode::ReadOnly,
            QStringLiteral("台账记录 %1 已下发，不能再修改；需要改动时请“修订”，生成一个新版本。")
                .arg(Q(row->number)));
    if (row->inBin)
        return Error(StoreErrorCode::ReadOnly,
            QStringLiteral("台账记录 %1 在回收站中，请先恢复。").arg(Q(row->number)));
    return row;
}

// Refuses a change made on a copy older than the entry now is, saying what
// the last change was and who made it. The row stays locked to the end of
// the transaction, so two writers cannot both pass.
Result<void> CheckFresh(StoreConnection& c, std::int64_t id, std::optional<int> seen)
{
    auto now = c.run(QStringLiteral("SELECT row_version, number FROM entries WHERE id = ?")
            + Q(c.dialect().lockRow),
        { Id(id) });
    if (!now)
        return now.error();
    if (!now->next() || !seen || now->value(0).toInt() == *seen)
        return {}; // a missing entry is for the caller to report
    const QString number = now->value(1).toString();
    auto last = c.run(QStringLiteral("SELECT user_name, changed_at, action, field, old_value,"
                                     " new_value FROM audit WHERE entry_id = ?"
                                     " ORDER BY id DESC LIMIT 1"),
        { Id(id) });
    if (!last)
        return last.error();
    QString what = QStringLiteral("内容已变");
    QString who = QStringLiteral("其他用户");
    if (last->next()) {
        who = QStringLiteral("%1（%2）").arg(last->value(0).toString(), last->value(1).toString());
        what = last->value(3).toString().isEmpty()
            ? last->value(2).toString()
            : QStringLiteral("%1：“%2” → “%3”")
                  .arg(last->value(3).toString(), last->value(4).toString(),
                      last->value(5).toString());
    }
    return Error(StoreErrorCode::Stale,
        QStringLiteral("台账记录 %1 在您打开之后已被 %2 修改（%3），您的修改没有保存。"
                       "请刷新后再应用您的修改。")
            .arg(number, who, what));
}

} // namespace

Result<void> DesignLedger::editField(std::int64_t id, EntryField field, const std::string& value,
    const std::string& user, std::optional<int> seen)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    const QString text = field == EntryField::Note ? Q(value) : Q(value).trimmed();
    if (field == EntryField::Number && text.isEmpty())
        return Invalid("number", QStringLiteral("“编号”不能为空。"));
    return c->write([&]() -> Result<void> {
        if (auto fresh = CheckFresh(*c, id, seen); !fresh)
            return fresh;
        auto row = Editable(*c, id);
        if (!row)
            return row.error();
        auto old = c->scalar(
            QStringLiteral("SELECT %1 FROM entries WHERE id = ?").arg(FieldColumn(field)),
            { Id(id) });
        if (!old)
            return old.error();
        if (old->toString() == text)
            return {};
        if (field == EntryField::Number)
            if (auto free = CheckNumberFree(*c, text, id); !free)
                return free;
        EntryRow now = *row;
        const std::string s = S(text);
        if (field == EntryField::Number)
            now.number = s;
        if (field == EntryField::Project)
            now.project = s;
        if (field == EntryField::Part)
            now.part = s;
        auto updated = c->exec(QStringLiteral("UPDATE entries SET row_version = row_version + 1, "
                                              "%1 = ?, search_key = ? WHERE id = ?")
                                   .arg(FieldColumn(field)),
            { text, SearchKey(Q(now.number), Q(now.project), Q(now.part), Q(now.grade)), Id(id) });
        if (!updated)
            return updated;
        return Audit(*c, id, Q(now.number), user, QStringLiteral("修改"), FieldName(field),
            old->toString(), text);
    });
}

Result<void> DesignLedger::advance(
    std::int64_t id, EntryState to, const std::string& user, std::optional<int> seen)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        if (auto fresh = CheckFresh(*c, id, seen); !fresh)
            return fresh;
        auto row = Editable(*c, id);
        if (!row)
            return row.error();
        const bool next = (row->state == EntryState::Draft && to == EntryState::Reviewed)
            || (row->state == EntryState::Reviewed && to == EntryState::Issued);
        if (!next)
            return Invalid("state",
                QStringLiteral(
                    "台账记录 %1 是“%2”，不能直接变为“%3”：状态依次为 草稿 → 已审核 → 已下发。")
                    .arg(Q(row->number), Q(EntryStateName(row->state)), Q(EntryStateName(to))));
        auto updated = c->exec(
            QStringLiteral(
                "UPDATE entries SET row_version = row_version + 1, state = ? WHERE id = ?"),
            { Q(StateCode(to)), Id(id) });
        if (!updated)
            return updated;
        return Audit(*c, id, Q(row->number), user,
            to == EntryState::Reviewed ? QStringLiteral("审核") : QStringLiteral("下发"),
            QStringLiteral("状态"), Q(EntryStateName(row->state)), Q(EntryStateName(to)));
    });
}

Result<EntryRow> DesignLedger::revise(std::int64_t id, const std::string& user)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    EntryRow made;
    auto done = c->write([&]() -> Result<void> {
        auto row = LoadRow(*c, id);
        if (!row)
            return row.error();
        if (row->inBin)
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("台账记录 %1 在回收站中，请先恢复。").arg(Q(row->number)));
        auto later = c->scalar(
            QStringLiteral("SELECT number FROM entries WHERE revision_of = ?"), { Id(id) });
        if (!later)
            return later.error();
        if (later->isValid())
            return Invalid("revision",
                QStringLiteral("台账记录 %1 已有修订版本 %2，请在最新的版本上修订。")
                    .arg(Q(row->number), later->toString()));
        auto root = c->scalar(
            QStringLiteral("SELECT coalesce(revision_root, id) FROM entries WHERE id = ?"),
            { Id(id) });
        if (!root)
            return root.error();
        auto rootNumber
            = c->scalar(QStringLiteral("SELECT number FROM entries WHERE id = ?"), { *root });
        auto last = c->scalar(
            QStringLiteral("SELECT max(revision) FROM entries WHERE id = ? OR revision_root = ?"),
            { *root, *root });
        if (!rootNumber || !last)
            return !rootNumber ? rootNumber.error() : last.error();
        const int revision = last->toInt() + 1;
        QString number;
        for (int n = revision;; ++n) {
            number = QStringLiteral("%1-R%2").arg(rootNumber->toString()).arg(n);
            auto taken
                = c->scalar(QStringLiteral("SELECT id FROM entries WHERE number = ?"), { number });
            if (!taken)
                return taken.error();
            if (!taken->isValid())
                break;
        }
        const QString now = QDateTime::currentDateTime().toString(kTimeFormat);
        auto newId = c->insert(
            QStringLiteral(
                "INSERT INTO entries (number, kind, created_at, operator_name, grade, "
                "water_binder, verdict,"
                " project, part, note, search_key, parent_id, revision_of, revision_root, revision)"
                " SELECT ?, kind, ?, ?, grade, water_binder, verdict, project, part, note, ?, "
                "parent_id, id,"
                " ?, ? FROM entries WHERE id = ?"),
            { number, now, Q(user), SearchKey(number, Q(row->project), Q(row->part), Q(row->grade)),
                *root, revision, Id(id) });
        if (!newId)
            return newId.error();
        for (const QString& copy :
            { QStringLiteral(
                  "INSERT INTO entry_texts (entry_id, inputs, figures, report)"
                  " SELECT ?, inputs, figures, report FROM entry_texts WHERE entry_id = ?"),
                QStringLiteral(
                    "INSERT INTO entry_batches (entry_id, role, batch_id, snapshot)"
                    " SELECT ?, role, batch_id, snapshot FROM entry_batches WHERE entry_id = ?") })
            if (auto copied = c->exec(copy, { Id(*newId), Id(id) }); !copied)
                return copied;
        if (auto noted = Audit(*c, *newId, number, user, QStringLiteral("修订"),
                QStringLiteral("编号"), Q(row->number), number);
            !noted)
            return noted;
        auto madeRow = LoadRow(*c, *newId);
        if (!madeRow)
            return madeRow.error();
        made = *madeRow;
        return {};
    });
    if (!done)
        return done.error();
    return made;
}

Result<std::vector<EntryRow>> DesignLedger::revisionChain(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto root = c->scalar(
        QStringLiteral("SELECT coalesce(revision_root, id) FROM entries WHERE id = ?"), { Id(id) });
    if (!root)
        return root.error();
    if (!root->isValid())
        return Error(
            StoreErrorCode::NotFound, QStringLiteral("找不到这条台账记录，它可能已被彻底删除。"));
    return Rows(*c, QStringLiteral("e.id = ? OR e.revision_root = ? ORDER BY e.revision, e.id"),
        { *root, *root });
}

Result<std::vector<EntryRow>> DesignLedger::children(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return Rows(*c, QStringLiteral("e.parent_id = ? AND e.in_bin = 0 ORDER BY e.created_at, e.id"),
        { Id(id) });
}

namespace {

// A move to, from or out of 回收站, in one transaction: the entry as `load`
// reads it, what `refuse` says of it (an answer ends the step there), the
// statement on its id, and the audit line, which keeps the id unless the
// entry is gone.
template <typename Load, typename Refuse>
Result<void> BinStep(RecordStore& store, std::int64_t id, const std::string& user, Load load,
    Refuse refuse, const QString& statement, const QString& action, bool gone = false)
{
    StoreConnection* c = store.connection();
    if (!c)
        return store.closedError();
    return c->write([&]() -> Result<void> {
        auto row = load(*c, id);
        if (!row)
            return row.error();
        if (std::optional<Result<void>> answer = refuse(*row))
            return *answer;
        auto changed = c->exec(statement, { Id(id) });
        if (!changed)
            return changed;
        return Audit(*c, gone ? std::nullopt : std::optional<std::int64_t>(id), Q(row->number),
            user, action);
    });
}

std::optional<Result<void>> Never(const EntryRow&)
{
    return std::nullopt;
}

} // namespace

Result<void> DesignLedger::deleteEntry(std::int64_t id, const std::string& user)
{
    StoreConnection* c = m_store.connection();
    return BinStep(m_store, id, user, Editable, Never,
        c ? QStringLiteral("UPDATE entries SET row_version = row_version + 1, "
                           "in_bin = 1, deleted_at = %1 WHERE id = ?")
                .arg(Q(c->dialect().now))
          : QString(),
        QStringLiteral("删除"));
}

Result<void> DesignLedger::restoreEntry(std::int64_t id, const std::string& user)
{
    return BinStep(
        m_store, id, user, LoadRow,
        [](const EntryRow& row) {
            // Already out of the bin: nothing to do, nothing to audit.
            return row.inBin ? std::nullopt : std::optional<Result<void>>(Result<void> {});
        },
        QStringLiteral("UPDATE entries SET row_version = row_version + 1, "
                       "in_bin = 0, deleted_at = NULL WHERE id = ?"),
        QStringLiteral("恢复"));
}

Result<void> DesignLedger::purgeEntry(std::int64_t id, const std::string& user)
{
    return BinStep(
        m_store, id, user, LoadRow,
        [](const EntryRow& row) -> std::optional<Result<void>> {
            if (row.inBin)
                return std::nullopt;
            return Result<void>(Error(StoreErrorCode::InUse,
                QStringLiteral("台账记录 %1 不在回收站中：先删除到回收站，才能彻底删除。")
                    .arg(Q(row.number))));
        },
        QStringLiteral("DELETE FROM entries WHERE id = ?"), QStringLiteral("彻底删除"), true);
}

Result<std::vector<AuditRow>> DesignLedger::auditTrail(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q = c->run(
        QStringLiteral(
            "SELECT id, changed_at, user_name, entry_id, entry_number, action, field, old_value,"
            " new_value FROM audit WHERE entry_id = ? ORDER BY id"),
        { Id(id) });
    if (!q)
        return q.error();
    std::vector<AuditRow> rows;
    while (q->next()) {
        AuditRow a;
        a.id = q->value(0).toLongLong();
        a.time = S(q->value(1).toString());
        a.user = S(q->value(2).toString());
        if (!q->value(3).isNull())
            a.entryId = q->value(3).toLongLong();
        a.entryNumber = S(q->value(4).toString());
        a.action = S(q->value(5).toString());
        a.field = S(q->value(6).toString());
        a.oldValue = S(q->value(7).toString());
        a.newValue = S(q->value(8).toString());
        rows.push_back(std::move(a));
    }
    return rows;
}

Result<std::int64_t> DesignLedger::lastChange()
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto mark = c->scalar(QStringLiteral("SELECT coalesce(max(id), 0) FROM audit"));
    if (!mark)
        return mark.error();
    return mark->toLongLong();
}

namespace {

// Inserts `row` into `table` of `to` but for its id, with `set` replacing columns.
Result<std::int64_t> CopyRow(StoreConnection& to, const QString& table, const QSqlRecord& row,
    const std::map<QString, QVariant>& set)
{
    QStringList names, marks;
    QVariantList values;
    for (int i = 0; i < row.count(); ++i) {
        const QString name = row.fieldName(i);
        if (name == QStringLiteral("id"))
            continue;
        names << name;
        marks << QStringLiteral("?");
        const auto over = set.find(name);
        QVariant value = over != set.end() ? over->second : row.value(i);
        // A NULL stays NULL: the store binds a null text as ''.
        if (value.isNull())
            value = QVariant(QMetaType::fromType<qlonglong>());
        values << value;
    }
    const QString sql
        = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    if (table == QStringLiteral("entry_texts") || table == QStringLiteral("entry_batches")) {
        auto done = to.exec(sql, values);
        if (!done)
            return done.error();
        return 0;
    }
    return to.insert(sql, values);
}

QVariant MappedId(const std::map<qlonglong, std::int64_t>& map, const QVariant& local)
{
    if (local.isNull())
        return QVariant(QMetaType::fromType<qlonglong>());
    const auto found = map.find(local.toLongLong());
    return found == map.end() ? QVariant(QMetaType::fromType<qlonglong>())
                              : QVariant(static_cast<qlonglong>(found->second));
}

} // namespace

Result<ImportReport> DesignLedger::importFrom(RecordStore& from, const std::string& user)
{
    StoreConnection* to = m_store.connection();
    StoreConnection* src = from.connection();
    if (!to || !src)
        return m_store.closedError();
    ImportReport report;
    std::map<qlonglong, std::int64_t> materials, batches, entries;
    auto done = to->write([&]() -> Result<void> {
        report = {};
        materials.clear();
        batches.clear();
        entries.clear();
        auto m = src->run(QStringLiteral("SELECT * FROM materials ORDER BY id"));
        if (!m)
            return m.error();
        while (m->next()) {
            const QSqlRecord row = m->record();
            auto there
                = to->scalar(QStringLiteral("SELECT id FROM materials WHERE kind = ? AND name = ?"),
                    { row.value(QStringLiteral("kind")), row.value(QStringLiteral("name")) });
            if (!there)
                return there.error();
            if (there->isValid()) {
                materials[row.value(0).toLongLong()] = there->toLongLong();
                continue;
            }
            auto id = CopyRow(*to, QStringLiteral("materials"), row, {});
            if (!id)
                return id.error();
            materials[row.value(QStringLiteral("id")).toLongLong()] = *id;
            ++report.materials;
        }
        auto b = src->run(QStringLiteral("SELECT * FROM batches ORDER BY id"));
        if (!b)
            return b.error();
        while (b->next()) {
            const QSqlRecord row = b->record();
            const QVariant material = MappedId(materials, row.value(QStringLiteral("material_id")));
            auto there = to->scalar(
                QStringLiteral("SELECT id FROM batches WHERE material_id = ? AND batch_no = ?"),
                { material, row.value(QStringLiteral("batch_no")) });
            if (!there)
                return there.error();
            if (there->isValid()) {
                batches[row.value(QStringLiteral("id")).toLongLong()] = there->toLongLong();
                continue;
            }
            auto id = CopyRow(*to, QStringLiteral("batches"), row,
                { { QStringLiteral("material_id"), material } });
            if (!id)
                return id.error();
            batches[row.value(QStringLiteral("id")).toLongLong()] = *id;
            ++report.batches;
        }
        // Oldest first: a parent and an earlier revision are there before the entries that name
        // them.
        auto e = src->run(QStringLiteral("SELECT * FROM entries ORDER BY id"));
        if (!e)
            return e.error();
        while (e->next()) {
            const QSqlRecord row = e->record();
            const qlonglong localId = row.value(QStringLiteral("id")).toLongLong();
            QString origin = row.value(QStringLiteral("origin_key")).toString();
            if (origin.isEmpty())
                origin = QStringLiteral("local:%1:%2:%3")
                             .arg(row.value(QStringLiteral("created_at")).toString(),
                                 row.value(QStringLiteral("kind")).toString(),
                                 row.value(QStringLiteral("number")).toString());
            auto there = to->scalar(
                QStringLiteral("SELECT id FROM entries WHERE origin_key = ?"), { origin });
            if (!there)
                return there.error();
            if (there->isValid()) {
                entries[localId] = there->toLongLong();
                continue;
            }
            QString number = row.value(QStringLiteral("number")).toString();
            const QString localNumber = number;
            auto taken
                = to->scalar(QStringLiteral("SELECT id FROM entries WHERE number = ?"), { number });
            if (!taken)
                return taken.error();
            if (taken->isValid()) {
                const QDateTime time = QDateTime::fromString(
                    row.value(QStringLiteral("created_at")).toString(), kTimeFormat);
                auto next = NextNumber(
                    *to, time.isValid() ? time.date().year() : QDate::currentDate().year());
                if (!next)
                    return next.error();
                number = *next;
                ++report.renumbered;
            }
            std::map<QString, QVariant> set {
                { QStringLiteral("number"), number },
                { QStringLiteral("origin_key"), origin },
                { QStringLiteral("parent_id"),
                    MappedId(entries, row.value(QStringLiteral("parent_id"))) },
                { QStringLiteral("revision_of"),
                    MappedId(entries, row.value(QStringLiteral("revision_of"))) },
                { QStringLiteral("revision_root"),
                    MappedId(entries, row.value(QStringLiteral("revision_root"))) },
            };
            if (number != localNumber)
                set[QStringLiteral("search_key")]
                    = row.value(QStringLiteral("search_key"))
                          .toString()
                          .replace(localNumber.toLower(), number.toLower());
            QSqlRecord copied = row;
            if (to->dialect().logins) // the server says who imported it
                copied.remove(copied.indexOf(QStringLiteral("owner_name")));
            auto id = CopyRow(*to, QStringLiteral("entries"), copied, set);
            if (!id)
                return id.error();
            entries[localId] = *id;
            ++report.entries;
            for (const QString& table : { QStringLiteral("entry_texts"),
                     QStringLiteral("entry_batches"), QStringLiteral("audit") }) {
                auto rows = src->run(
                    QStringLiteral("SELECT * FROM %1 WHERE entry_id = ? ORDER BY %2")
                        .arg(table,
                            table == QStringLiteral("audit") ? QStringLiteral("id")
                                                             : QStringLiteral("entry_id")),
                    { localId });
                if (!rows)
                    return rows.error();
                while (rows->next()) {
                    std::map<QString, QVariant> links { { QStringLiteral("entry_id"), Id(*id) } };
                    if (table == QStringLiteral("entry_batches"))
                        links[QStringLiteral("batch_id")]
                            = MappedId(batches, rows->value(QStringLiteral("batch_id")));
                    if (table == QStringLiteral("audit") && number != localNumber)
                        links[QStringLiteral("entry_number")] = number;
                    auto copiedRow = CopyRow(*to, table, rows->record(), links);
                    if (!copiedRow)
                        return copiedRow.error();
                }
            }
            if (auto noted = Audit(*to, *id, number, user, QStringLiteral("导入"),
                    QStringLiteral("编号"), localNumber, number);
                !noted)
                return noted;
        }
        return {};
    });
    if (!done)
        return done.error();
    return report;
}
