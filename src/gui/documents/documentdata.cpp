#include "documents/documentdata.h"

#include "adjust/adjustcalc.h"
#include "app/qoruapp.h"
#include "common/reportnum.h"
#include "doc/mixratio.h"
#include "records/recordstore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

// The program's own settings, where 设置 keeps its values.
QSettings Settings()
{
    return QSettings(QString::fromLatin1(CQoruApp::kRegistryKey), QStringLiteral("Qoru"));
}

QJsonObject Object(const std::string& json)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

// A recorded figure as the report printed it: texts as they are, numbers
// to `decimals` places as the report prints them, or in their shortest form
// where no place is known.
QString Figure(const QJsonObject& o, std::initializer_list<const char*> keys, int decimals = -1)
{
    for (const char* key : keys) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isString() && !v.toString().trimmed().isEmpty())
            return v.toString().trimmed();
        if (v.isDouble())
            return decimals < 0 ? QString::number(v.toDouble(), 'g', 15)
                                : QString::fromStdString(ReportNumber(v.toDouble(), decimals));
    }
    return {};
}

QString OrMissing(const QString& text)
{
    return text.trimmed().isEmpty() ? QString::fromUtf8(kMissing) : text.trimmed();
}

QString Field(const DocumentFieldMap& fields, const char* name)
{
    const auto it = fields.find(name);
    return it == fields.end() ? QString() : QString::fromStdString(it->second);
}

QString Joined(const QJsonObject& o, std::initializer_list<const char*> keys)
{
    QStringList parts;
    for (const char* key : keys) {
        const QString s = Figure(o, { key });
        if (!s.isEmpty())
            parts << s;
    }
    return parts.join(QLatin1Char(' '));
}

struct MaterialSlot
{
    const char* role;
    std::optional<MaterialRole> batchRole;
    std::initializer_list<const char*> massKeys; // a design's results
    const char* trialKey; // a trial batch's "lab" and "site" masses
    int trialDecimals; // as the trial batch prints them
};

// Both self-compacting designs print every mass per m³ to 0.1 kg; the
// ordinary design records its masses as printed text.
constexpr int kDesignMassDecimals = 1;

const MaterialSlot kSlots[] = {
    // Self-compacting designs name their masses "...Mass"; the ordinary design plainly.
    { "水泥", MaterialRole::Cement, { "cementMass", "cement" }, "cement",
        AdjustMassDecimals(kAdjustCement) },
    { "粉体一", MaterialRole::Powder1, { "flyAshMass", "powder1Mass", "flyAsh" }, "powder1",
        AdjustMassDecimals(kAdjustPowder1) },
    { "粉体二", MaterialRole::Powder2, { "slagMass", "powder2Mass", "slag" }, "powder2",
        AdjustMassDecimals(kAdjustPowder2) },
    { "细骨料", MaterialRole::Fine, { "sandMass", "sand" }, "sand",
        AdjustMassDecimals(kAdjustSand) },
    { "粗骨料", MaterialRole::Coarse, { "coarseMass", "stone" }, "coarse",
        AdjustMassDecimals(kAdjustCoarse) },
    { "外加剂", MaterialRole::Admixture, { "admixtureMass", "admixture" }, "admixture",
        AdjustMassDecimals(kAdjustAdmixture) },
    { "水", std::nullopt, { "waterMass", "water" }, "water", AdjustMassDecimals(kAdjustWater) },
};

QStringList BatchValues(const QJsonObject& s)
{
    const struct
    {
        const char* key;
        const char* label;
        const char* unit;
    } values[] = {
        { "density", "密度", "" },
        { "strength28", "28 d 实测强度", " MPa" },
        { "fineness", "细度模数", "" },
        { "maxSize", "最大公称粒径", " mm" },
        { "solids", "固含量", " %" },
        { "waterReduction", "减水率", " %" },
        { "dosage", "推荐掺量", " %" },
        { "moisture", "含水率", " %" },
    };
    QStringList out;
    for (const auto& v : values) {
        const QString text = Figure(s, { v.key });
        if (!text.isEmpty())
            out << QString::fromUtf8(v.label) + QLatin1Char(' ') + text + QString::fromUtf8(v.unit);
    }
    return out;
}

} // namespace

QString LabName()
{
    return Settings().value(QLatin1String(kLabNameSettingKey)).toString().trimmed();
}

void SetLabName(const QString& name)
{
    Settings().setValue(QLatin1String(kLabNameSettingKey), name.trimmed());
}

const std::vector<const char*>& DocumentFieldNames()
{
    static const std::vector<const char*> names = { kFieldNoticeNumber, kFieldClient, kFieldPlacing,
        kFieldImpermeability, kFieldSlump, kFieldSandRatio, kFieldDate };
    return names;
}

QString DocumentTitle(DocumentKind kind)
{
    return kind == DocumentKind::Notice ? QStringLiteral("配合比通知单")
                                        : QStringLiteral("配合比设计报告");
}

QString EntryKindName(const std::string& kind)
{
    if (kind == "mix1")
        return QStringLiteral("自密实配合比（方法一）");
    if (kind == "mix2")
        return QStringLiteral("自密实配合比（方法二）");
    if (kind == "ordinary")
        return QStringLiteral("普通混凝土配合比");
    if (kind == "adjust")
        return QStringLiteral("试配调整");
    if (kind == "evaluate")
        return QStringLiteral("强度评定");
    if (kind == "stddev")
        return QStringLiteral("强度标准差");
    return QString::fromStdString(kind);
}

DocumentData MakeDocumentData(const Entry& entry, const DocumentFieldMap& fields,
    const QString& labName, const std::vector<Entry>& children)
{
    const QJsonObject figures = Object(entry.figuresJson);
    const QJsonObject inputs = Object(entry.inputsJson);
    // A trial batch prints its lab masses; a site mix also the corrected ones.
    const bool trial = entry.row.kind == "adjust";
    const QJsonObject lab = figures.value(QLatin1String("lab")).toObject();
    const QJsonObject site = figures.value(QLatin1String("site")).toObject();
    DocumentData d;
    d.labName = OrMissing(labName);
    d.draft = entry.row.state == EntryState::Draft;
    d.siteMix = trial && !site.isEmpty();
    d.kindName = EntryKindName(entry.row.kind);
    d.designNumber = OrMissing(QString::fromStdString(entry.row.number));
    d.noticeNumber = OrMissing(Field(fields, kFieldNoticeNumber));
    d.client = OrMissing(Field(fields, kFieldClient));
    d.project = OrMissing(QString::fromStdString(entry.row.project));
    d.part = OrMissing(QString::fromStdString(entry.row.part));
    d.placing = OrMissing(Field(fields, kFieldPlacing));
    d.grade = OrMissing(QString::fromStdString(entry.row.grade));
    d.impermeability = OrMissing(Field(fields, kFieldImpermeability));
    const QString slump = Field(fields, kFieldSlump);
    d.slump = OrMissing(slump.isEmpty() ? Figure(figures, { "slumpFlow", "slump" }) : slump);
    d.waterBinder = OrMissing(QString::fromStdString(entry.waterBinder));
    const QString sand = Field(fields, kFieldSandRatio);
    d.sandRatio = OrMissing(sand.isEmpty() ? Figure(figures, { "sandRatio" }) : sand);
    d.verdict = OrMissing(QString::fromStdString(entry.verdict));
    d.note = OrMissing(QString::fromStdString(entry.note));
    d.date = OrMissing(Field(fields, kFieldDate));
    d.operatorName = OrMissing(QString::fromStdString(entry.row.operatorName));
    d.time = OrMissing(QString::fromStdString(entry.row.time));
    d.report = QString::fromStdString(entry.report);

    std::vector<std::string> masses;
    for (const MaterialSlot& slot : kSlots)
        masses.push_back((trial ? Figure(lab, { slot.trialKey }, slot.trialDecimals)
                                : Figure(figures, slot.massKeys, kDesignMassDecimals))
                             .toStdString());
    const std::string binder = SumMassText({ masses[0], masses[1], masses[2] });
    const std::vector<std::string> ratios = MixRatioParts(masses, binder);
    for (std::size_t i = 0; i < std::size(kSlots); ++i) {
        const MaterialSlot& slot = kSlots[i];
        DocumentMaterial m;
        m.role = QString::fromUtf8(slot.role);
        QJsonObject snapshot;
        if (slot.batchRole)
            for (const EntryBatch& b : entry.batches)
                if (b.role == *slot.batchRole)
                    snapshot = Object(b.snapshotJson);
        m.specText = OrMissing(Joined(snapshot, { "variety", "grade", "sizeRange", "specText" }));
        m.origin = OrMissing(Figure(snapshot, { "maker" }));
        m.batchNo = OrMissing(Figure(snapshot, { "batchNo" }));
        m.reportNo = OrMissing(Figure(snapshot, { "reportNo" }));
        m.values = BatchValues(snapshot);
        m.mass = OrMissing(QString::fromStdString(masses[i]));
        m.ratio = OrMissing(ratios.empty() ? QString() : QString::fromStdString(ratios[i]));
        const char* moistureKey = i == 3 ? "sandMoisture" : i == 4 ? "coarseMoisture" : nullptr;
        m.moisture = OrMissing(moistureKey ? Figure(inputs, { moistureKey }) : QString());
        m.siteMass = OrMissing(Figure(site, { slot.trialKey }, slot.trialDecimals));
        d.materials.push_back(m);
    }
    // 胶凝材料：细骨料：粗骨料：水：外加剂
    if (!ratios.empty()) {
        const std::vector<std::string> order = { "1", ratios[3], ratios[4], ratios[6], ratios[5] };
        d.ratioText = QString::fromStdString(MixRatioText(order));
    }
    d.ratioText = OrMissing(d.ratioText);

    d.requirements << QStringLiteral("强度等级：") + d.grade
                   << QStringLiteral("坍落度/扩展度：") + d.slump
                   << QStringLiteral("抗渗等级：") + d.impermeability
                   << QStringLiteral("浇筑方式：") + d.placing;
    for (const Entry& child : children) {
        QString line = QString::fromStdString(child.row.number) + QStringLiteral("　")
            + EntryKindName(child.row.kind) + QStringLiteral("　")
            + QString::fromStdString(child.row.time);
        if (!child.waterBinder.empty())
            line += QStringLiteral("　水胶比 ") + QString::fromStdString(child.waterBinder);
        if (!child.verdict.empty())
            line += QStringLiteral("　") + QString::fromStdString(child.verdict);
        d.trials << line;
    }
    return d;
}

bool LoadDocumentData(RecordStore& store, std::int64_t entryId, const QString& labName,
    DocumentData* data, QString* error)
{
    DesignLedger ledger(store);
    auto entry = ledger.entry(entryId);
    if (!entry) {
        *error = QString::fromStdString(entry.error().message);
        return false;
    }
    auto fields = DocumentFieldStore(store).fields(entryId);
    if (!fields) {
        *error = QString::fromStdString(fields.error().message);
        return false;
    }
    std::vector<Entry> children;
    if (auto rows = ledger.children(entryId))
        for (const EntryRow& row : *rows)
            if (auto child = ledger.entry(row.id))
                children.push_back(*child);
    *data = MakeDocumentData(*entry, *fields, labName, children);
    return true;
}
