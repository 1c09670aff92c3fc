#include "documents/entryjson.h"

#include "app/entryfigures.h"
#include "records/inputsjson.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace {

const char* const kKinds[] = { "mix1", "mix2", "ordinary", "adjust", "evaluate", "stddev" };

// Kinds whose qoru-calc JSON has its figures at the top, not under "results".
bool TopLevelFigures(const QString& kind)
{
    return kind == QLatin1String("evaluate") || kind == QLatin1String("stddev");
}

const char* const kOwnKeys[] = { "stopped", "messages", "report", "kind", "inputs", "entry" };

QJsonObject Object(const std::string& json)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
}

std::string Compact(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact).toStdString();
}

// A figure as text: the grade or ratio the ledger lists.
QString Text(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return {};
}

class Checker
{
public:
    explicit Checker(const QString& file)
        : m_file(file)
    { }

    bool fail(const QString& field, const QString& problem)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("文件“%1”的字段“%2”%3，没有导入任何记录。")
                          .arg(m_file, field, problem);
        return false;
    }
    bool string(
        const QJsonObject& o, const QString& key, const QString& path, bool required, QString* out)
    {
        const QJsonValue v = o.value(key);
        if (v.isUndefined() && !required)
            return true;
        if (!v.isString())
            return fail(path, QStringLiteral("应为文字"));
        *out = v.toString();
        return true;
    }
    // qoru-calc prints a figure as a JSON number, or, where its decimals
    // matter, as the decimal text the report prints ("35.0").
    bool number(const QJsonObject& o, const QString& key, const QString& path)
    {
        static const QRegularExpression decimal(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
        const QJsonValue v = o.value(key);
        return v.isDouble() || (v.isString() && decimal.match(v.toString()).hasMatch())
            || fail(path, QStringLiteral("应为数值"));
    }
    const QString& error() const { return m_error; }

private:
    QString m_file;
    QString m_error;
};

QString Kind(const QJsonObject& o)
{
    const QJsonObject results = o.value(QLatin1String("results")).toObject();
    if (o.contains(QLatin1String("groups")))
        return QStringLiteral("evaluate");
    if (o.contains(QLatin1String("count")) && o.contains(QLatin1String("sigma")))
        return QStringLiteral("stddev");
    if (results.contains(QLatin1String("lab")) && results.contains(QLatin1String("site")))
        return QStringLiteral("adjust");
    if (o.contains(QLatin1String("powder1Name")) || results.contains(QLatin1String("powder1Mass")))
        return QStringLiteral("mix2");
    if (results.contains(QLatin1String("Mca")))
        return QStringLiteral("mix1");
    if (results.contains(QLatin1String("stone")) && results.contains(QLatin1String("trials")))
        return QStringLiteral("ordinary");
    return {};
}

bool CheckFigures(Checker& check, const QString& kind, const QJsonObject& o)
{
    const QJsonObject r = o.value(QLatin1String("results")).toObject();
    auto masses
        = [&](const QJsonObject& in, const QString& path, std::initializer_list<const char*> keys) {
              for (const char* key : keys)
                  if (!check.number(in, QLatin1String(key), path + QLatin1String(key)))
                      return false;
              return true;
          };
    if (kind == QLatin1String("mix1"))
        return masses(r, QStringLiteral("results."),
            { "cementMass", "flyAshMass", "slagMass", "sandMass", "coarseMass", "waterMass",
                "admixtureMass", "WB", "fcuK" });
    if (kind == QLatin1String("mix2"))
        return masses(r, QStringLiteral("results."),
            { "cementMass", "powder1Mass", "powder2Mass", "sandMass", "coarseMass", "waterMass",
                "WB", "fcuK" });
    if (kind == QLatin1String("ordinary"))
        return masses(r, QStringLiteral("results."),
            { "cement", "flyAsh", "slag", "sand", "stone", "water", "admixture", "wb" });
    if (kind == QLatin1String("adjust")) {
        for (const char* part : { "lab", "site" }) {
            const QJsonValue v = r.value(QLatin1String(part));
            const QString path = QStringLiteral("results.") + QLatin1String(part);
            if (!v.isObject())
                return check.fail(path, QStringLiteral("应为对象"));
            if (!masses(v.toObject(), path + QLatin1Char('.'),
                    { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" }))
                return false;
        }
        return true;
    }
    if (kind == QLatin1String("evaluate")) {
        if (!o.value(QLatin1String("groups")).isArray())
            return check.fail(QStringLiteral("groups"), QStringLiteral("应为数组"));
        if (!o.value(QLatin1String("passed")).isBool())
            return check.fail(QStringLiteral("passed"), QStringLiteral("应为 true 或 false"));
        return masses(o, QString(), { "n", "mean", "min" });
    }
    return masses(o, QString(), { "count", "sigma" });
}

std::optional<CalcKind> KindNamed(const QString& name)
{
    for (CalcKind k : { CalcKind::Mix1, CalcKind::Mix2, CalcKind::StdDev, CalcKind::Evaluate,
             CalcKind::Adjust, CalcKind::Ordinary })
        if (QString::fromStdString(CalcKindName(k)) == name)
            return k;
    return std::nullopt;
}

// The first key whose value differs between two objects, either way.
QString FirstDifference(const QJsonObject& a, const QJsonObject& b)
{
    for (auto it = a.begin(); it != a.end(); ++it)
        if (b.value(it.key()) != it.value())
            return it.key();
    for (auto it = b.begin(); it != b.end(); ++it)
        if (!a.contains(it.key()))
            return it.key();
    return {};
}

} // namespace

QByteArray EntryJson(const Entry& e)
{
    const QString kind = QString::fromStdString(e.row.kind);
    const QJsonObject figures = Object(e.figuresJson);
    QJsonObject o;
    if (TopLevelFigures(kind))
        o = figures;
    o[QStringLiteral("stopped")] = false;
    o[QStringLiteral("messages")] = QJsonArray();
    o[QStringLiteral("report")] = QString::fromStdString(e.report);
    if (!TopLevelFigures(kind)) {
        // What qoru-calc prints beside "results" (mix2's powder names …) was
        // kept with the figures under a leading '_'.
        QJsonObject results;
        for (auto it = figures.begin(); it != figures.end(); ++it)
            if (it.key().startsWith(QLatin1Char('_')))
                o[it.key().mid(1)] = it.value();
            else
                results[it.key()] = it.value();
        o[QStringLiteral("results")] = results;
    }
    o[QStringLiteral("kind")] = kind;
    o[QStringLiteral("inputs")] = Object(e.inputsJson);
    o[QStringLiteral("entry")] = QJsonObject {
        { QStringLiteral("number"), QString::fromStdString(e.row.number) },
        { QStringLiteral("time"), QString::fromStdString(e.row.time) },
        { QStringLiteral("operator"), QString::fromStdString(e.row.operatorName) },
        { QStringLiteral("grade"), QString::fromStdString(e.row.grade) },
        { QStringLiteral("waterBinder"), QString::fromStdString(e.waterBinder) },
        { QStringLiteral("verdict"), QString::fromStdString(e.verdict) },
        { QStringLiteral("project"), QString::fromStdString(e.row.project) },
        { QStringLiteral("part"), QString::fromStdString(e.row.part) },
        { QStringLiteral("note"), QString::fromStdString(e.note) },
    };
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool ParseEntryJson(const QByteArray& bytes, const QString& fileName, const std::string& user,
    NewEntry* entry, QString* error)
{
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    Checker check(fileName);
    auto failed = [&]() {
        *error = check.error();
        return false;
    };
    auto refuse = [&](const QString& field, const QString& problem) {
        check.fail(field, problem);
        return failed();
    };
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("文件“%1”不是 JSON 对象（第 %2 个字符处：%3），没有导入任何记录。")
                     .arg(fileName)
                     .arg(parse.offset)
                     .arg(parse.errorString());
        return false;
    }
    const QJsonObject o = doc.object();

    const QJsonValue stopped = o.value(QLatin1String("stopped"));
    if (!stopped.isBool())
        return refuse(QStringLiteral("stopped"), QStringLiteral("应为 true 或 false"));
    if (stopped.toBool())
        return refuse(QStringLiteral("stopped"), QStringLiteral("表明计算未完成"));
    const QJsonValue messages = o.value(QLatin1String("messages"));
    if (!messages.isArray())
        return refuse(QStringLiteral("messages"), QStringLiteral("应为数组"));
    for (int i = 0; i < messages.toArray().size(); ++i) {
        const QJsonObject m = messages.toArray().at(i).toObject();
        const QString path = QStringLiteral("messages[%1].").arg(i);
        const QString kind = m.value(QLatin1String("kind")).toString();
        if (kind != QLatin1String("stop") && kind != QLatin1String("warn"))
            return refuse(path + QLatin1String("kind"), QStringLiteral("应为 stop 或 warn"));
        if (!m.value(QLatin1String("text")).isString())
            return refuse(path + QLatin1String("text"), QStringLiteral("应为文字"));
    }

    QString kind;
    if (!check.string(o, QStringLiteral("kind"), QStringLiteral("kind"), false, &kind))
        return failed();
    if (kind.isEmpty())
        kind = Kind(o);
    if (!std::count(std::begin(kKinds), std::end(kKinds), kind.toStdString()))
        return refuse(QStringLiteral("kind"),
            kind.isEmpty() ? QStringLiteral("缺少，且从内容看不出计算类型")
                           : QStringLiteral("不是已知的计算类型"));

    QString report;
    if (!check.string(o, QStringLiteral("report"), QStringLiteral("report"),
            kind != QLatin1String("stddev"), &report))
        return failed();
    if (kind != QLatin1String("stddev") && report.trimmed().isEmpty())
        return refuse(QStringLiteral("report"), QStringLiteral("不能为空"));
    if (!TopLevelFigures(kind) && !o.value(QLatin1String("results")).isObject())
        return refuse(QStringLiteral("results"), QStringLiteral("应为对象"));
    if (!CheckFigures(check, kind, o))
        return failed();
    const QJsonValue inputs = o.value(QLatin1String("inputs"));
    if (!inputs.isUndefined() && !inputs.isObject())
        return refuse(QStringLiteral("inputs"), QStringLiteral("应为对象"));
    const QJsonValue ledger = o.value(QLatin1String("entry"));
    if (!ledger.isUndefined() && !ledger.isObject())
        return refuse(QStringLiteral("entry"), QStringLiteral("应为对象"));
    const QJsonObject l = ledger.toObject();
    QString fields[9];
    const char* const names[9] = { "number", "time", "operator", "grade", "waterBinder", "verdict",
        "project", "part", "note" };
    for (int i = 0; i < 9; ++i)
        if (!check.string(l, QLatin1String(names[i]),
                QStringLiteral("entry.") + QLatin1String(names[i]), false, &fields[i]))
            return failed();
    if (!fields[1].isEmpty()
        && !QDateTime::fromString(fields[1], QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid())
        return refuse(
            QStringLiteral("entry.time"), QStringLiteral("应为“yyyy-MM-dd HH:mm:ss”格式的时间"));

    QJsonObject figures;
    if (TopLevelFigures(kind)) {
        figures = o;
        for (const char* key : kOwnKeys)
            figures.remove(QLatin1String(key));
    } else {
        figures = o.value(QLatin1String("results")).toObject();
    }
    // Top-level extras of qoru-calc (mix2's powder names, passed) stay with the figures.
    if (!TopLevelFigures(kind))
        for (auto it = o.begin(); it != o.end(); ++it)
            if (it.key() != QLatin1String("results")
                && !std::count_if(std::begin(kOwnKeys), std::end(kOwnKeys),
                    [&](const char* k) { return it.key() == QLatin1String(k); }))
                figures.insert(QStringLiteral("_") + it.key(), it.value());

    // Recorded inputs decide the figures as a press records them; results
    // that differ from what the inputs give mean a tampered or foreign file.
    const QJsonObject given = inputs.toObject();
    std::optional<EntryFigures> worked;
    if (!given.isEmpty()) {
        const CalcKind calcKind = *KindNamed(kind);
        if (const auto fault = CheckInputsJson(calcKind, Compact(given)))
            return refuse(QStringLiteral("inputs.") + QString::fromStdString(fault->key),
                QString::fromStdString(fault->problem));
        worked = FiguresOf(calcKind, Compact(given));
        const QJsonObject own
            = TopLevelFigures(kind) ? figures : o.value(QLatin1String("results")).toObject();
        if (Object(worked->figuresJson).isEmpty())
            return refuse(QStringLiteral("inputs"), QStringLiteral("算不出结果"));
        const QString differs = FirstDifference(own, Object(worked->figuresJson));
        if (!differs.isEmpty())
            return refuse(TopLevelFigures(kind) ? differs : QStringLiteral("results.") + differs,
                QStringLiteral("与输入算出的结果不符"));
    }

    NewEntry e;
    e.kind = kind.toStdString();
    e.time = fields[1].toStdString();
    e.operatorName = fields[2].isEmpty() ? user : fields[2].toStdString();
    e.inputsJson = Compact(inputs.toObject());
    e.figuresJson = Compact(figures);
    e.report = report.toStdString();
    e.number = fields[0].toStdString();
    e.grade = fields[3].toStdString();
    e.waterBinder = fields[4].toStdString();
    e.verdict = fields[5].toStdString();
    e.project = fields[6].toStdString();
    e.part = fields[7].toStdString();
    e.note = fields[8].toStdString();
    if (worked) {
        e.figuresJson = worked->figuresJson;
        e.grade = worked->grade;
        e.waterBinder = worked->waterBinder;
        e.verdict = worked->verdict;
    } else if (l.isEmpty()) {
        // A file of qoru-calc without inputs: the ledger fields from its figures.
        const QJsonObject r = o.value(QLatin1String("results")).toObject();
        if (r.value(QLatin1String("fcuK")).isDouble())
            e.grade = "C" + Text(r.value(QLatin1String("fcuK"))).toStdString();
        e.waterBinder
            = Text(r.value(QLatin1String(kind == QLatin1String("ordinary") ? "wb" : "WB")))
                  .toStdString();
        if (o.value(QLatin1String("passed")).isBool())
            e.verdict = o.value(QLatin1String("passed")).toBool() ? "合格" : "不合格";
    }
    *entry = e;
    return true;
}

bool ImportEntryJsonFiles(RecordStore& store, const QStringList& paths, const std::string& user,
    QStringList* numbers, QString* error)
{
    std::vector<NewEntry> entries;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("不能读取文件“%1”，没有导入任何记录。")
                         .arg(QFileInfo(path).absoluteFilePath());
            return false;
        }
        NewEntry e;
        if (!ParseEntryJson(file.readAll(), QFileInfo(path).fileName(), user, &e, error))
            return false;
        entries.push_back(std::move(e));
    }
    auto rows = DesignLedger(store).recordEntries(entries);
    if (!rows) {
        *error
            = QString::fromStdString(rows.error().message) + QStringLiteral("没有导入任何记录。");
        return false;
    }
    numbers->clear();
    for (const EntryRow& row : *rows)
        *numbers << QString::fromStdString(row.number);
    return true;
}

bool WriteEntryJson(const Entry& entry, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EntryJson(entry)) < 0 || !file.commit()) {
        *error = QStringLiteral("不能写入文件“%1”。").arg(QFileInfo(path).absoluteFilePath());
        return false;
    }
    return true;
}
