#include "records/materials.h"

#include "records/connection.h"
#include "records/decimaltext.h"
#include "records/recordstore.h"

#include <QDate>
#include <QSqlQuery>

#include <algorithm>

namespace {

const char* KindCode(MaterialKind kind)
{
    switch (kind) {
    case MaterialKind::Cement:
        return "cement";
    case MaterialKind::Mineral:
        return "mineral";
    case MaterialKind::FineAggregate:
        return "fine";
    case MaterialKind::CoarseAggregate:
        return "coarse";
    case MaterialKind::Admixture:
        return "admixture";
    case MaterialKind::Water:
        return "water";
    }
    return "";
}

MaterialKind KindFromCode(const QString& code)
{
    for (MaterialKind kind : kMaterialKinds)
        if (code == QLatin1String(KindCode(kind)))
            return kind;
    return MaterialKind::Water;
}

bool IsAggregate(MaterialKind kind)
{
    return kind == MaterialKind::FineAggregate || kind == MaterialKind::CoarseAggregate;
}

enum class Range
{
    Positive,
    Percent
};

struct ValueField
{
    const char* key;
    const char* column;
    std::string MaterialValues::*member;
    Range range;
};

const ValueField kValueFields[] = {
    { "density", "density", &MaterialValues::density, Range::Positive },
    { "strength28", "strength28", &MaterialValues::strength28, Range::Positive },
    { "fineness", "fineness", &MaterialValues::fineness, Range::Positive },
    { "maxSize", "max_size", &MaterialValues::maxSize, Range::Positive },
    { "solids", "solids", &MaterialValues::solids, Range::Percent },
    { "waterReduction", "water_reduction", &MaterialValues::waterReduction, Range::Percent },
    { "dosage", "dosage", &MaterialValues::dosage, Range::Percent },
};

// The label of each value's box, by kind; a kind has only the values listed.
const struct
{
    MaterialKind kind;
    const char* key;
    const char* label;
} kValueLabels[] = {
    { MaterialKind::Cement, "density", "密度" },
    { MaterialKind::Cement, "strength28", "28 d 实测强度" },
    { MaterialKind::Mineral, "density", "密度" },
    { MaterialKind::FineAggregate, "density", "表观密度" },
    { MaterialKind::FineAggregate, "fineness", "细度模数" },
    { MaterialKind::CoarseAggregate, "density", "表观密度" },
    { MaterialKind::CoarseAggregate, "maxSize", "最大公称粒径" },
    { MaterialKind::Admixture, "solids", "固含量" },
    { MaterialKind::Admixture, "waterReduction", "减水率" },
    { MaterialKind::Admixture, "dosage", "推荐掺量" },
};

// The label of a value's box for a kind, or empty when the kind has no such value.
QString ValueLabel(MaterialKind kind, const std::string& key)
{
    for (const auto& v : kValueLabels)
        if (v.kind == kind && key == v.key)
            return QString::fromUtf8(v.label);
    return {};
}

// A number box's text as the exact decimal kept, "" for an empty box.
Result<std::string> CheckedNumber(
    const std::string& text, const std::string& field, const QString& label, Range range)
{
    if (Q(text).trimmed().isEmpty())
        return std::string();
    const auto decimal = DecimalText(text);
    if (!decimal)
        return Invalid(field, QStringLiteral("“%1”不是一个数：%2").arg(label, Q(text)));
    if (range == Range::Positive && DecimalSign(*decimal) <= 0)
        return Invalid(field, QStringLiteral("“%1”必须大于 0。").arg(label));
    if (range == Range::Percent && (DecimalSign(*decimal) < 0 || DecimalAbove(*decimal, 100)))
        return Invalid(field, QStringLiteral("“%1”必须在 0 到 100 之间（%）。").arg(label));
    return *decimal;
}

// A kind's own values checked and written plainly; the others cleared.
Result<MaterialValues> CheckedValues(MaterialKind kind, const MaterialValues& values)
{
    MaterialValues checked;
    for (const ValueField& f : kValueFields) {
        const QString label = ValueLabel(kind, f.key);
        if (label.isEmpty())
            continue;
        auto number = CheckedNumber(values.*f.member, f.key, label, f.range);
        if (!number)
            return number.error();
        checked.*f.member = *number;
    }
    return checked;
}

Result<std::string> CheckedDate(
    const std::string& text, const std::string& field, const QString& label)
{
    const QString date = Q(text).trimmed();
    if (date.isEmpty())
        return std::string();
    if (!QDate::fromString(date, QStringLiteral("yyyy-MM-dd")).isValid())
        return Invalid(field,
            QStringLiteral("“%1”不是一个存在的日期：%2（应写作 2026-03-15 的样子）。")
                .arg(label, date));
    return S(date);
}

std::string Trimmed(const std::string& text)
{
    return S(Q(text).trimmed());
}

Result<Material> Checked(const Material& in)
{
    Material m = in;
    m.name = Trimmed(in.name);
    if (m.name.empty())
        return Invalid("name", QStringLiteral("“名称”不能为空。"));
    m.maker = Trimmed(in.maker);
    m.specText = Trimmed(in.specText);
    m.variety = Trimmed(in.variety);
    m.grade = Trimmed(in.grade);
    m.sizeRange = in.kind == MaterialKind::CoarseAggregate ? Trimmed(in.sizeRange) : std::string();
    const auto& varieties = MaterialVarieties(in.kind);
    if (!m.variety.empty() && !varieties.empty()
        && std::find(varieties.begin(), varieties.end(), m.variety) == varieties.end()) {
        QStringList names;
        for (const std::string& v : varieties)
            names << Q(v);
        return Invalid("variety",
            QStringLiteral("“%1”只能是 %2 之一。")
                .arg(in.kind == MaterialKind::Cement ? QStringLiteral("品种")
                                                     : QStringLiteral("种类"),
                    names.join(QStringLiteral("、"))));
    }
    if (in.kind == MaterialKind::Cement && !m.grade.empty()
        && std::find(CementGrades().begin(), CementGrades().end(), m.grade) == CementGrades().end())
        return Invalid("grade", QStringLiteral("“强度等级”只能是 32.5、42.5、52.5、62.5 之一。"));
    if (in.kind != MaterialKind::Cement && in.kind != MaterialKind::Mineral)
        m.grade.clear();
    if (in.kind == MaterialKind::Water)
        m.variety.clear();
    auto values = CheckedValues(in.kind, in.values);
    if (!values)
        return values.error();
    m.values = *values;
    return m;
}

Result<Batch> CheckedBatch(MaterialKind kind, const Batch& in)
{
    Batch b = in;
    b.batchNo = Trimmed(in.batchNo);
    if (b.batchNo.empty())
        return Invalid("batchNo", QStringLiteral("“批号”不能为空。"));
    b.reportNo = Trimmed(in.reportNo);
    auto arrival = CheckedDate(in.arrivalDate, "arrivalDate", QStringLiteral("进场日期"));
    if (!arrival)
        return arrival.error();
    b.arrivalDate = *arrival;
    auto tested = CheckedDate(in.testDate, "testDate", QStringLiteral("检验日期"));
    if (!tested)
        return tested.error();
    b.testDate = *tested;
    auto values = CheckedValues(kind, in.measured);
    if (!values)
        return values.error();
    b.measured = *values;
    b.moisture.clear();
    if (IsAggregate(kind)) {
        auto moisture
            = CheckedNumber(in.moisture, "moisture", QStringLiteral("含水率"), Range::Percent);
        if (!moisture)
            return moisture.error();
        b.moisture = *moisture;
    }
    return b;
}

const QString kMaterialColumns = QStringLiteral(
    "m.id, m.kind, m.name, m.maker, m.spec_text, m.note, m.variety, m.grade, m.size_range, "
    "m.density,"
    " m.strength28, m.fineness, m.max_size, m.solids, m.water_reduction, m.dosage, m.deleted_at");
const QString kBatchColumns = QStringLiteral(
    "b.id, b.material_id, b.batch_no, b.arrival_date, b.report_no, b.test_date, b.density,"
    " b.strength28, b.fineness, b.max_size, b.solids, b.water_reduction, b.dosage, b.moisture,"
    " b.active, b.deleted_at");
constexpr int kMaterialColumnCount = 17;

MaterialValues ReadValues(const QSqlQuery& q, int first)
{
    MaterialValues v;
    int column = first;
    for (const ValueField& f : kValueFields)
        v.*f.member = S(q.value(column++).toString());
    return v;
}

Material ReadMaterial(const QSqlQuery& q, int first = 0)
{
    Material m;
    m.id = q.value(first).toLongLong();
    m.kind = KindFromCode(q.value(first + 1).toString());
    m.name = S(q.value(first + 2).toString());
    m.maker = S(q.value(first + 3).toString());
    m.specText = S(q.value(first + 4).toString());
    m.note = S(q.value(first + 5).toString());
    m.variety = S(q.value(first + 6).toString());
    m.grade = S(q.value(first + 7).toString());
    m.sizeRange = S(q.value(first + 8).toString());
    m.values = ReadValues(q, first + 9);
    m.deletedAt = S(q.value(first + 16).toString());
    return m;
}

Batch ReadBatch(const QSqlQuery& q, int first = 0)
{
    Batch b;
    b.id = q.value(first).toLongLong();
    b.materialId = q.value(first + 1).toLongLong();
    b.batchNo = S(q.value(first + 2).toString());
    b.arrivalDate = S(q.value(first + 3).toString());
    b.reportNo = S(q.value(first + 4).toString());
    b.testDate = S(q.value(first + 5).toString());
    b.measured = ReadValues(q, first + 6);
    b.moisture = S(q.value(first + 13).toString());
    b.active = q.value(first + 14).toInt() != 0;
    b.deletedAt = S(q.value(first + 15).toString());
    return b;
}

QVariantList MaterialValuesBound(const Material& m)
{
    QVariantList values = { Q(KindCode(m.kind)), Q(m.name), Q(m.name).toLower(), Q(m.maker),
        Q(m.specText), Q(m.note), Q(m.variety), Q(m.grade), Q(m.sizeRange) };
    for (const ValueField& f : kValueFields)
        values << Q(m.values.*f.member);
    return values;
}

QVariantList BatchValuesBound(const Batch& b)
{
    QVariantList values
        = { Id(b.materialId), Q(b.batchNo), Q(b.arrivalDate), Q(b.reportNo), Q(b.testDate) };
    for (const ValueField& f : kValueFields)
        values << Q(b.measured.*f.member);
    values << Q(b.moisture) << (b.active ? 1 : 0);
    return values;
}

const QString kMaterialInsert
    = QStringLiteral("INSERT INTO materials (kind, name, name_key, maker, spec_text, note, "
                     "variety, grade, size_range,"
                     " density, strength28, fineness, max_size, solids, water_reduction, dosage)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kBatchInsert = QStringLiteral(
    "INSERT INTO batches (material_id, batch_no, arrival_date, report_no, test_date, density,"
    " strength28, fineness, max_size, solids, water_reduction, dosage, moisture, active)"
    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");

StoreError Missing(const QString& what)
{
    return Error(StoreErrorCode::NotFound,
        QStringLiteral("找不到这个%1，它可能已被别的窗口删除。").arg(what));
}

Result<Material> LoadMaterial(StoreConnection& c, std::int64_t id)
{
    auto q
        = c.run(QStringLiteral("SELECT %1 FROM materials m WHERE m.id = ?").arg(kMaterialColumns),
            { Id(id) });
    if (!q)
        return q.error();
    if (!q->next())
        return Missing(QStringLiteral("材料"));
    return ReadMaterial(q.value());
}

Result<Batch> LoadBatch(StoreConnection& c, std::int64_t id)
{
    auto q = c.run(
        QStringLiteral("SELECT %1 FROM batches b WHERE b.id = ?").arg(kBatchColumns), { Id(id) });
    if (!q)
        return q.error();
    if (!q->next())
        return Missing(QStringLiteral("批次"));
    return ReadBatch(q.value());
}

// Refuses a name another material of the kind has, in use or in 回收站.
Result<void> CheckNameFree(StoreConnection& c, const Material& m)
{
    auto other = c.run(
        QStringLiteral("SELECT deleted_at FROM materials WHERE kind = ? AND name = ? AND id <> ?"),
        { Q(KindCode(m.kind)), Q(m.name), Id(m.id) });
    if (!other)
        return other.error();
    if (!other->next())
        return {};
    return StoreError { StoreErrorCode::Duplicate,
        S(QStringLiteral("%1中已有名为“%2”的材料%3。")
                .arg(Q(MaterialKindName(m.kind)), Q(m.name),
                    other->value(0).isNull() ? QString() : QStringLiteral("（在回收站中）"))),
        "name" };
}

Result<void> CheckBatchNoFree(StoreConnection& c, const Batch& b, const Material& m)
{
    auto other = c.run(
        QStringLiteral("SELECT id FROM batches WHERE material_id = ? AND batch_no = ? AND id <> ?"),
        { Id(b.materialId), Q(b.batchNo), Id(b.id) });
    if (!other)
        return other.error();
    if (!other->next())
        return {};
    return StoreError { StoreErrorCode::Duplicate,
        S(QStringLiteral("材料“%1”已有批号为“%2”的批次。").arg(Q(m.name), Q(b.batchNo))),
        "batchNo" };
}

// The first saved design that uses the batch (or one of the material's batches).
Result<QString> UsedBy(StoreConnection& c, const QString& condition, std::int64_t id)
{
    auto q = c.run(QStringLiteral("SELECT e.number, b.batch_no FROM entry_batches eb"
                                  " JOIN entries e ON e.id = eb.entry_id"
                                  " JOIN batches b ON b.id = eb.batch_id"
                                  " WHERE %1 ORDER BY e.id LIMIT 1")
                       .arg(condition),
        { Id(id) });
    if (!q)
        return q.error();
    if (!q->next())
        return QString();
    return QStringLiteral("批次“%1”已被配合比 %2 使用，不能删除；不再使用时请将它停用。")
        .arg(q->value(1).toString(), q->value(0).toString());
}

// A name for a copy that no row of the table holds yet.
Result<QString> CopyName(
    StoreConnection& c, const QString& sql, const QVariant& scope, const QString& name)
{
    for (int n = 1;; ++n) {
        const QString candidate
            = name + (n == 1 ? QStringLiteral("（副本）") : QStringLiteral("（副本%1）").arg(n));
        auto taken = c.scalar(sql, { scope, candidate });
        if (!taken)
            return taken.error();
        if (!taken->isValid())
            return candidate;
    }
}

std::vector<BatchChoice> ReadChoices(QSqlQuery& q)
{
    std::vector<BatchChoice> choices;
    while (q.next()) {
        BatchChoice choice;
        choice.material = ReadMaterial(q);
        choice.batch = ReadBatch(q, kMaterialColumnCount);
        choice.effective = EffectiveValues(choice.material.values, choice.batch.measured);
        choices.push_back(std::move(choice));
    }
    return choices;
}

// Deletes a material or a batch for good: only from 回收站, and only when no
// entry used it. `describe` names it in the messages; `nameUse` puts that
// name before the list of the entries that used it.
template <typename Load, typename Describe>
Result<void> PurgeFromBin(RecordStore& store, std::int64_t id, Load load, Describe describe,
    const QString& usedCondition, bool nameUse, const QString& table)
{
    StoreConnection* c = store.connection();
    if (!c)
        return store.closedError();
    return c->write([&]() -> Result<void> {
        auto row = load(*c, id);
        if (!row)
            return row.error();
        if (row->deletedAt.empty())
            return Error(StoreErrorCode::InUse,
                describe(*row) + QStringLiteral("不在回收站中：先删除到回收站，才能彻底删除。"));
        auto used = UsedBy(*c, usedCondition, id);
        if (!used)
            return used.error();
        if (!used->isEmpty())
            return Error(StoreErrorCode::InUse,
                nameUse ? describe(*row) + QStringLiteral("的") + *used : *used);
        return c->exec(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(table), { Id(id) });
    });
}

} // namespace

std::string MaterialKindName(MaterialKind kind)
{
    switch (kind) {
    case MaterialKind::Cement:
        return "水泥";
    case MaterialKind::Mineral:
        return "矿物掺合料";
    case MaterialKind::FineAggregate:
        return "细骨料";
    case MaterialKind::CoarseAggregate:
        return "粗骨料";
    case MaterialKind::Admixture:
        return "外加剂";
    case MaterialKind::Water:
        return "水";
    }
    return {};
}

const std::vector<std::string>& MaterialVarieties(MaterialKind kind)
{
    static const std::vector<std::string> cement
        = { "P·I", "P·II", "P·O", "P·S", "P·P", "P·F", "P·C" };
    static const std::vector<std::string> mineral
        = { "粉煤灰", "矿渣粉", "硅灰", "沸石粉", "石灰石粉", "复合掺合料" };
    static const std::vector<std::string> fine = { "河砂", "机制砂" };
    static const std::vector<std::string> coarse = { "碎石", "卵石" };
    static const std::vector<std::string> any;
    switch (kind) {
    case MaterialKind::Cement:
        return cement;
    case MaterialKind::Mineral:
        return mineral;
    case MaterialKind::FineAggregate:
        return fine;
    case MaterialKind::CoarseAggregate:
        return coarse;
    default:
        return any;
    }
}

const std::vector<std::string>& CementGrades()
{
    static const std::vector<std::string> grades = { "32.5", "42.5", "52.5", "62.5" };
    return grades;
}

std::string MaterialRoleName(MaterialRole role)
{
    switch (role) {
    case MaterialRole::Cement:
        return "水泥";
    case MaterialRole::Powder1:
        return "粉体一";
    case MaterialRole::Powder2:
        return "粉体二";
    case MaterialRole::Fine:
        return "细骨料";
    case MaterialRole::Coarse:
        return "粗骨料";
    case MaterialRole::Admixture:
        return "外加剂";
    }
    return {};
}

MaterialKind RoleKind(MaterialRole role)
{
    switch (role) {
    case MaterialRole::Cement:
        return MaterialKind::Cement;
    case MaterialRole::Powder1:
    case MaterialRole::Powder2:
        return MaterialKind::Mineral;
    case MaterialRole::Fine:
        return MaterialKind::FineAggregate;
    case MaterialRole::Coarse:
        return MaterialKind::CoarseAggregate;
    case MaterialRole::Admixture:
        return MaterialKind::Admixture;
    }
    return MaterialKind::Water;
}

MaterialValues EffectiveValues(const MaterialValues& material, const MaterialValues& batch)
{
    MaterialValues effective = material;
    for (const ValueField& f : kValueFields)
        if (!(batch.*f.member).empty())
            effective.*f.member = batch.*f.member;
    return effective;
}

Result<std::int64_t> MaterialLibrary::addMaterial(const Material& material)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto m = Checked(material);
    if (!m)
        return m.error();
    m.value().id = 0;
    std::int64_t id = 0;
    auto done = c->write([&]() -> Result<void> {
        if (auto free = CheckNameFree(*c, *m); !free)
            return free;
        auto inserted = c->insert(kMaterialInsert, MaterialValuesBound(*m));
        if (!inserted)
            return inserted.error();
        id = *inserted;
        return {};
    });
    if (!done)
        return done.error();
    return id;
}

Result<void> MaterialLibrary::updateMaterial(const Material& material)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto m = Checked(material);
    if (!m)
        return m.error();
    return c->write([&]() -> Result<void> {
        auto old = LoadMaterial(*c, m->id);
        if (!old)
            return old.error();
        if (!old->deletedAt.empty())
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("材料“%1”在回收站中，请先恢复再修改。").arg(Q(old->name)));
        if (old->kind != m->kind)
            return Invalid("kind",
                QStringLiteral("材料的类别不能更改，请新建一个%1材料。")
                    .arg(Q(MaterialKindName(m->kind))));
        if (auto free = CheckNameFree(*c, *m); !free)
            return free;
        QVariantList values = MaterialValuesBound(*m);
        values.removeFirst(); // the kind stays
        values << Id(m->id);
        return c->exec(
            QStringLiteral(
                "UPDATE materials SET name = ?, name_key = ?, maker = ?, spec_text = ?, note = ?,"
                " variety = ?, grade = ?, size_range = ?, density = ?, strength28 = ?,"
                " fineness = ?, max_size = ?, solids = ?, water_reduction = ?, dosage = ?"
                " WHERE id = ?"),
            values);
    });
}

Result<std::int64_t> MaterialLibrary::copyMaterial(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    std::int64_t copy = 0;
    auto done = c->write([&]() -> Result<void> {
        auto m = LoadMaterial(*c, id);
        if (!m)
            return m.error();
        auto name
            = CopyName(*c, QStringLiteral("SELECT id FROM materials WHERE kind = ? AND name = ?"),
                Q(KindCode(m->kind)), Q(m->name));
        if (!name)
            return name.error();
        m.value().name = S(*name);
        auto inserted = c->insert(kMaterialInsert, MaterialValuesBound(*m));
        if (!inserted)
            return inserted.error();
        copy = *inserted;
        return {};
    });
    if (!done)
        return done.error();
    return copy;
}

Result<void> MaterialLibrary::deleteMaterial(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto m = LoadMaterial(*c, id);
        if (!m)
            return m.error();
        auto used = UsedBy(*c, QStringLiteral("b.material_id = ?"), id);
        if (!used)
            return used.error();
        if (!used->isEmpty())
            return Error(
                StoreErrorCode::InUse, QStringLiteral("材料“%1”的%2").arg(Q(m->name), *used));
        return c->exec(
            QStringLiteral(
                "UPDATE materials SET deleted_at = %1 WHERE id = ? AND deleted_at IS NULL")
                .arg(Q(c->dialect().now)),
            { Id(id) });
    });
}

Result<void> MaterialLibrary::restoreMaterial(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto m = LoadMaterial(*c, id);
        if (!m)
            return m.error();
        if (auto free = CheckNameFree(*c, *m); !free)
            return free;
        return c->exec(
            QStringLiteral("UPDATE materials SET deleted_at = NULL WHERE id = ?"), { Id(id) });
    });
}

Result<void> MaterialLibrary::purgeMaterial(std::int64_t id)
{
    return PurgeFromBin(
        m_store, id, LoadMaterial,
        [](const Material& m) { return QStringLiteral("材料“%1”").arg(Q(m.name)); },
        QStringLiteral("b.material_id = ?"), true, QStringLiteral("materials"));
}

Result<Material> MaterialLibrary::material(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return LoadMaterial(*c, id);
}

Result<std::vector<Material>> MaterialLibrary::materials(MaterialKind kind, Shelf shelf)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q
        = c->run(QStringLiteral("SELECT %1 FROM materials m WHERE m.kind = ? AND m.deleted_at IS %2"
                                " ORDER BY m.name_key, m.id")
                     .arg(kMaterialColumns,
                         shelf == Shelf::Bin ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")),
            { Q(KindCode(kind)) });
    if (!q)
        return q.error();
    std::vector<Material> list;
    while (q->next())
        list.push_back(ReadMaterial(q.value()));
    return list;
}

Result<std::vector<Material>> MaterialLibrary::searchMaterials(
    const std::string& text, std::optional<MaterialKind> kind)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    const QString key = Q(text).trimmed().toLower();
    QString sql = QStringLiteral("SELECT %1 FROM materials m WHERE m.deleted_at IS NULL AND %2")
                      .arg(kMaterialColumns, Q(c->dialect().containsCondition("m.name_key")));
    QVariantList values = { Q(LikePattern(S(key))) };
    if (kind) {
        sql += QStringLiteral(" AND m.kind = ?");
        values << Q(KindCode(*kind));
    }
    auto q = c->run(sql + QStringLiteral(" ORDER BY m.name_key, m.id"), values);
    if (!q)
        return q.error();
    std::vector<Material> list;
    while (q->next())
        list.push_back(ReadMaterial(q.value()));
    std::stable_partition(list.begin(), list.end(),
        [&](const Material& m) { return Q(m.name).toLower().startsWith(key); });
    return list;
}

Result<std::int64_t> MaterialLibrary::addBatch(const Batch& batch)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    std::int64_t id = 0;
    auto done = c->write([&]() -> Result<void> {
        auto m = LoadMaterial(*c, batch.materialId);
        if (!m)
            return m.error();
        if (!m->deletedAt.empty())
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("材料“%1”在回收站中，请先恢复。").arg(Q(m->name)));
        auto b = CheckedBatch(m->kind, batch);
        if (!b)
            return b.error();
        b.value().id = 0;
        if (auto free = CheckBatchNoFree(*c, *b, *m); !free)
            return free;
        auto inserted = c->insert(kBatchInsert, BatchValuesBound(*b));
        if (!inserted)
            return inserted.error();
        id = *inserted;
        return {};
    });
    if (!done)
        return done.error();
    return id;
}

Result<void> MaterialLibrary::updateBatch(const Batch& batch)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto old = LoadBatch(*c, batch.id);
        if (!old)
            return old.error();
        if (!old->deletedAt.empty())
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("批次“%1”在回收站中，请先恢复再修改。").arg(Q(old->batchNo)));
        auto m = LoadMaterial(*c, old->materialId);
        if (!m)
            return m.error();
        Batch edited = batch;
        edited.materialId = old->materialId; // a batch stays with its material
        auto b = CheckedBatch(m->kind, edited);
        if (!b)
            return b.error();
        if (auto free = CheckBatchNoFree(*c, *b, *m); !free)
            return free;
        QVariantList values = BatchValuesBound(*b);
        values.removeFirst();
        values << Id(b->id);
        return c->exec(
            QStringLiteral(
                "UPDATE batches SET batch_no = ?, arrival_date = ?, report_no = ?, test_date = ?,"
                " density = ?, strength28 = ?, fineness = ?, max_size = ?, solids = ?,"
                " water_reduction = ?, dosage = ?, moisture = ?, active = ? WHERE id = ?"),
            values);
    });
}

Result<std::int64_t> MaterialLibrary::copyBatch(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    std::int64_t copy = 0;
    auto done = c->write([&]() -> Result<void> {
        auto b = LoadBatch(*c, id);
        if (!b)
            return b.error();
        auto number = CopyName(*c,
            QStringLiteral("SELECT id FROM batches WHERE material_id = ? AND batch_no = ?"),
            Id(b->materialId), Q(b->batchNo));
        if (!number)
            return number.error();
        b.value().batchNo = S(*number);
        b.value().active = true;
        auto inserted = c->insert(kBatchInsert, BatchValuesBound(*b));
        if (!inserted)
            return inserted.error();
        copy = *inserted;
        return {};
    });
    if (!done)
        return done.error();
    return copy;
}

Result<void> MaterialLibrary::setBatchActive(std::int64_t id, bool active)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto b = LoadBatch(*c, id);
        if (!b)
            return b.error();
        return c->exec(QStringLiteral("UPDATE batches SET active = ? WHERE id = ?"),
            { active ? 1 : 0, Id(id) });
    });
}

Result<void> MaterialLibrary::deleteBatch(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto b = LoadBatch(*c, id);
        if (!b)
            return b.error();
        auto used = UsedBy(*c, QStringLiteral("eb.batch_id = ?"), id);
        if (!used)
            return used.error();
        if (!used->isEmpty())
            return Error(StoreErrorCode::InUse, *used);
        return c->exec(
            QStringLiteral("UPDATE batches SET deleted_at = %1 WHERE id = ? AND deleted_at IS NULL")
                .arg(Q(c->dialect().now)),
            { Id(id) });
    });
}

Result<void> MaterialLibrary::restoreBatch(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return c->write([&]() -> Result<void> {
        auto b = LoadBatch(*c, id);
        if (!b)
            return b.error();
        auto m = LoadMaterial(*c, b->materialId);
        if (!m)
            return m.error();
        if (!m->deletedAt.empty())
            return Error(StoreErrorCode::ReadOnly,
                QStringLiteral("批次“%1”所属的材料“%2”在回收站中，请先恢复材料。")
                    .arg(Q(b->batchNo), Q(m->name)));
        return c->exec(
            QStringLiteral("UPDATE batches SET deleted_at = NULL WHERE id = ?"), { Id(id) });
    });
}

Result<void> MaterialLibrary::purgeBatch(std::int64_t id)
{
    return PurgeFromBin(
        m_store, id, LoadBatch,
        [](const Batch& b) { return QStringLiteral("批次“%1”").arg(Q(b.batchNo)); },
        QStringLiteral("eb.batch_id = ?"), false, QStringLiteral("batches"));
}

Result<Batch> MaterialLibrary::batch(std::int64_t id)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    return LoadBatch(*c, id);
}

Result<std::vector<Batch>> MaterialLibrary::batches(std::int64_t materialId, Shelf shelf)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q = c->run(
        QStringLiteral("SELECT %1 FROM batches b WHERE b.material_id = ? AND b.deleted_at IS %2"
                       " ORDER BY b.arrival_date DESC, b.id DESC")
            .arg(kBatchColumns,
                shelf == Shelf::Bin ? QStringLiteral("NOT NULL") : QStringLiteral("NULL")),
        { Id(materialId) });
    if (!q)
        return q.error();
    std::vector<Batch> list;
    while (q->next())
        list.push_back(ReadBatch(q.value()));
    return list;
}

Result<std::vector<BatchChoice>> MaterialLibrary::binnedBatches()
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q = c->run(
        QStringLiteral("SELECT %1, %2 FROM batches b JOIN materials m ON m.id = b.material_id"
                       " WHERE b.deleted_at IS NOT NULL AND m.deleted_at IS NULL"
                       " ORDER BY b.deleted_at DESC, b.id DESC")
            .arg(kMaterialColumns, kBatchColumns));
    if (!q)
        return q.error();
    return ReadChoices(q.value());
}

Result<std::vector<BatchChoice>> MaterialLibrary::batchesInUse(MaterialKind kind)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q = c->run(
        QStringLiteral(
            "SELECT %1, %2 FROM batches b JOIN materials m ON m.id = b.material_id"
            " WHERE m.kind = ? AND b.active = 1 AND b.deleted_at IS NULL AND m.deleted_at IS NULL"
            " ORDER BY b.arrival_date DESC, b.id DESC")
            .arg(kMaterialColumns, kBatchColumns),
        { Q(KindCode(kind)) });
    if (!q)
        return q.error();
    return ReadChoices(q.value());
}

Result<BatchChoice> MaterialLibrary::batchChoice(std::int64_t batchId)
{
    StoreConnection* c = m_store.connection();
    if (!c)
        return m_store.closedError();
    auto q = c->run(
        QStringLiteral(
            "SELECT %1, %2 FROM batches b JOIN materials m ON m.id = b.material_id WHERE b.id = ?")
            .arg(kMaterialColumns, kBatchColumns),
        { Id(batchId) });
    if (!q)
        return q.error();
    auto choices = ReadChoices(q.value());
    if (choices.empty())
        return Missing(QStringLiteral("批次"));
    return choices.front();
}
