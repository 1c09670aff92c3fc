#include "records/inputsjson.h"

#include "common/inputfields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

// The Qt side of the field tables: writes into `out`, or reads from `in`
// what has the field's type, leaving the rest as it is.
struct Fields
{
    QJsonObject* out = nullptr; // writing
    const QJsonObject* in = nullptr; // reading

    void num(const char* key, double& v)
    {
        if (out)
            out->insert(QLatin1String(key), v);
        else if (in->value(QLatin1String(key)).isDouble())
            v = in->value(QLatin1String(key)).toDouble();
    }
    void num(const char* key, int& v)
    {
        double d = v;
        num(key, d);
        v = static_cast<int>(d);
    }
    void num(const char* key, std::int64_t& v)
    {
        double d = static_cast<double>(v);
        num(key, d);
        v = static_cast<std::int64_t>(d);
    }
    void flag(const char* key, bool& v)
    {
        if (out)
            out->insert(QLatin1String(key), v);
        else if (in->value(QLatin1String(key)).isBool())
            v = in->value(QLatin1String(key)).toBool();
    }
    void text(const char* key, std::string& v)
    {
        if (out)
            out->insert(QLatin1String(key), QString::fromStdString(v));
        else if (in->value(QLatin1String(key)).isString())
            v = in->value(QLatin1String(key)).toString().toStdString();
    }
    void numbers(const char* key, std::vector<double>& v)
    {
        if (out) {
            QJsonArray a;
            for (double d : v)
                a.append(d);
            out->insert(QLatin1String(key), a);
        } else if (in->value(QLatin1String(key)).isArray()) {
            v.clear();
            for (const QJsonValue& d : in->value(QLatin1String(key)).toArray())
                v.push_back(d.toDouble());
        }
    }
    void groups(const char* key, std::vector<std::vector<std::int64_t>>& v)
    {
        if (out) {
            QJsonArray groups;
            for (const auto& g : v) {
                QJsonArray a;
                for (std::int64_t n : g)
                    a.append(static_cast<double>(n));
                groups.append(a);
            }
            out->insert(QLatin1String(key), groups);
        } else if (in->value(QLatin1String(key)).isArray()) {
            v.clear();
            for (const QJsonValue& g : in->value(QLatin1String(key)).toArray()) {
                v.emplace_back();
                for (const QJsonValue& n : g.toArray())
                    v.back().push_back(static_cast<std::int64_t>(n.toDouble()));
            }
        }
    }
};

// Checks every key of `in` against a field table: the first key that is no
// field, or whose value has not the field's type, is the fault.
struct Checker
{
    const QJsonObject* in = nullptr;
    QStringList known;
    std::optional<InputsFault> fault;

    void fail(const std::string& key, const char* problem)
    {
        if (!fault)
            fault = InputsFault { key, problem };
    }
    // The value when `key` is given and no fault was found yet.
    std::optional<QJsonValue> given(const char* key)
    {
        known << QLatin1String(key);
        if (fault || !in->contains(QLatin1String(key)))
            return std::nullopt;
        return in->value(QLatin1String(key));
    }
    static bool whole(const QJsonValue& v, double limit)
    {
        const double d = v.toDouble();
        return v.isDouble() && d == std::trunc(d) && std::fabs(d) <= limit;
    }
    void number(const char* key, double limit)
    {
        if (const auto v = given(key); v && !v->isDouble())
            fail(key, "应为数值");
        else if (v && limit > 0 && !whole(*v, limit))
            fail(key, "应为整数");
    }
    void num(const char* key, double&) { number(key, 0); }
    void num(const char* key, int&) { number(key, 2147483647.0); }
    void num(const char* key, std::int64_t&) { number(key, 9007199254740992.0); }
    void flag(const char* key, bool&)
    {
        if (const auto v = given(key); v && !v->isBool())
            fail(key, "应为 true 或 false");
    }
    void text(const char* key, std::string&)
    {
        if (const auto v = given(key); v && !v->isString())
            fail(key, "应为文字");
    }
    void numbers(const char* key, std::vector<double>&)
    {
        const auto v = given(key);
        if (!v)
            return;
        if (!v->isArray())
            return fail(key, "应为数组");
        const QJsonArray a = v->toArray();
        for (qsizetype i = 0; i < a.size() && !fault; ++i)
            if (!a.at(i).isDouble())
                fail(std::string(key) + "[" + std::to_string(i) + "]", "应为数值");
    }
    void groups(const char* key, std::vector<std::vector<std::int64_t>>&)
    {
        const auto v = given(key);
        if (!v)
            return;
        if (!v->isArray())
            return fail(key, "应为数组");
        const QJsonArray groups = v->toArray();
        for (qsizetype i = 0; i < groups.size() && !fault; ++i) {
            const std::string at = std::string(key) + "[" + std::to_string(i) + "]";
            if (!groups.at(i).isArray()) {
                fail(at, "应为数组");
                break;
            }
            const QJsonArray g = groups.at(i).toArray();
            for (qsizetype j = 0; j < g.size() && !fault; ++j)
                if (!whole(g.at(j), 9007199254740992.0))
                    fail(at + "[" + std::to_string(j) + "]", "应为整数");
        }
    }
};

template <typename S> std::optional<InputsFault> Check(const QJsonObject& in)
{
    Checker c;
    c.in = &in;
    S s;
    Walk(c, s);
    for (auto it = in.begin(); it != in.end() && !c.fault; ++it)
        if (!c.known.contains(it.key()))
            c.fail(it.key().toStdString(), "不是这种计算的输入项");
    if (c.fault)
        return c.fault;
    // A value read and written back unchanged is one the form can hold:
    // this finds an index beyond its list.
    Fields reader;
    reader.in = &in;
    Walk(reader, s);
    QJsonObject back;
    Fields writer;
    writer.out = &back;
    Walk(writer, s);
    for (auto it = in.begin(); it != in.end(); ++it)
        if (back.value(it.key()) != it.value())
            return InputsFault { it.key().toStdString(), "不是可选的值" };
    return std::nullopt;
}

template <typename S> std::string Write(const S& s)
{
    QJsonObject out;
    Fields f;
    f.out = &out;
    S copy = s;
    Walk(f, copy);
    return QJsonDocument(out).toJson(QJsonDocument::Compact).toStdString();
}

template <typename S> std::optional<S> Read(const std::string& json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    if (!doc.isObject())
        return std::nullopt;
    const QJsonObject in = doc.object();
    S s;
    Fields f;
    f.in = &in;
    Walk(f, s);
    return s;
}

} // namespace

std::string CalcKindName(CalcKind kind)
{
    switch (kind) {
    case CalcKind::Mix1:
        return "mix1";
    case CalcKind::Mix2:
        return "mix2";
    case CalcKind::StdDev:
        return "stddev";
    case CalcKind::Evaluate:
        return "evaluate";
    case CalcKind::Adjust:
        return "adjust";
    case CalcKind::Ordinary:
        return "ordinary";
    }
    return "unknown";
}

std::string toJson(const Mix1Inputs& in)
{
    return Write(in);
}
std::string toJson(const Mix2Inputs& in)
{
    return Write(in);
}
std::string toJson(const StdDevInputs& in)
{
    return Write(in);
}
std::string toJson(const EvaluationInputs& in)
{
    return Write(in);
}
std::string toJson(const AdjustInputs& in)
{
    return Write(in);
}
std::string toJson(const OrdinaryInputs& in)
{
    return Write(in);
}

template <> std::optional<Mix1Inputs> fromJson<Mix1Inputs>(const std::string& json)
{
    return Read<Mix1Inputs>(json);
}
template <> std::optional<Mix2Inputs> fromJson<Mix2Inputs>(const std::string& json)
{
    return Read<Mix2Inputs>(json);
}
template <> std::optional<StdDevInputs> fromJson<StdDevInputs>(const std::string& json)
{
    return Read<StdDevInputs>(json);
}
template <> std::optional<EvaluationInputs> fromJson<EvaluationInputs>(const std::string& json)
{
    return Read<EvaluationInputs>(json);
}
template <> std::optional<AdjustInputs> fromJson<AdjustInputs>(const std::string& json)
{
    return Read<AdjustInputs>(json);
}
template <> std::optional<OrdinaryInputs> fromJson<OrdinaryInputs>(const std::string& json)
{
    return Read<OrdinaryInputs>(json);
}

std::optional<InputsFault> CheckInputsJson(CalcKind kind, const std::string& json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    if (!doc.isObject())
        return InputsFault { {}, "应为对象" };
    const QJsonObject in = doc.object();
    switch (kind) {
    case CalcKind::Mix1:
        return Check<Mix1Inputs>(in);
    case CalcKind::Mix2:
        return Check<Mix2Inputs>(in);
    case CalcKind::StdDev:
        return Check<StdDevInputs>(in);
    case CalcKind::Evaluate:
        return Check<EvaluationInputs>(in);
    case CalcKind::Adjust:
        return Check<AdjustInputs>(in);
    case CalcKind::Ordinary:
        return Check<OrdinaryInputs>(in);
    }
    return InputsFault { {}, "不是已知的计算类型" };
}
