#include "records/inputsjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <type_traits>

namespace {

// One table of fields per struct drives both directions, so a field added
// to one direction cannot be forgotten in the other.
template <typename S> struct Fields
{
    QJsonObject* out = nullptr; // writing
    const QJsonObject* in = nullptr; // reading
    S* s = nullptr;

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
};

template <typename F> void Walk(F& f, Mix1Inputs& in)
{
    f.num("performanceIndex", in.performanceIndex);
    f.num("strengthIndex", in.strengthIndex);
    f.num("cementIndex", in.cementIndex);
    f.text("performanceText", in.performanceText);
    f.text("slumpFlowText", in.slumpFlowText);
    f.text("strengthText", in.strengthText);
    f.num("fcuK", in.fcuK);
    f.num("fceG", in.fceG);
    f.flag("customRatio", in.customRatio);
    f.num("sigma", in.sigma);
    f.num("rhoC", in.rhoC);
    f.num("wb", in.wb);
    f.num("vg", in.vg);
    f.num("phiS", in.phiS);
    f.num("beta1", in.beta1);
    f.num("beta2", in.beta2);
    f.num("va", in.va);
    f.num("rhoG", in.rhoG);
    f.num("rhoS", in.rhoS);
    f.num("rhoF", in.rhoF);
    f.num("rhoK", in.rhoK);
    f.num("alpha", in.alpha);
}

template <typename F> void Walk(F& f, Mix2Inputs& in)
{
    Mix2Members& m = in.members;
    f.text("powder1Name", m.powder1Name);
    f.text("powder2Name", m.powder2Name);
    f.num("powder1Class", m.powder1Class);
    f.num("powder2Class", m.powder2Class);
    f.text("sfGrade", m.sfGrade);
    f.text("slumpFlow", m.slumpFlow);
    f.text("vFunnelTime", m.vFunnelTime);
    f.num("strength", m.strength);
    f.text("strengthGrade", m.strengthGrade);
    f.num("cementGrade", m.cementGrade);
    f.text("aggregateKind", m.aggregateKind);
    f.num("alphaA", m.alphaA);
    f.num("alphaB", m.alphaB);
    f.num("coarseVolume", m.coarseVolume);
    f.num("cementSurplus", m.cementSurplus);
    f.num("stdDev", m.stdDev);
    f.num("powder1Replace", m.powder1Replace);
    f.num("powder2Replace", m.powder2Replace);
    f.num("powder1Excess", m.powder1Excess);
    f.num("powder2Excess", m.powder2Excess);
    f.num("sandDensity", m.sandDensity);
    f.num("coarseDensity", m.coarseDensity);
    f.num("airContent", m.airContent);
    f.num("powder1Density", m.powder1Density);
    f.num("powder2Density", m.powder2Density);
    f.num("water", m.water);
    f.num("cementDensity", m.cementDensity);
    f.num("powder1InertVol", m.powder1InertVol);
    f.num("powder2InertVol", m.powder2InertVol);
    // The result boxes are outputs: a reloaded form shows them as the press
    // that follows writes them, so they are not kept.
    Mix2Selections& s = in.lists;
    f.num("powder1Kind", s.powder1Kind);
    f.num("powder2Kind", s.powder2Kind);
    f.num("aggregateKindIndex", s.aggregateKind);
    f.num("sfGradeIndex", s.sfGrade);
    f.num("strengthGradeIndex", s.strengthGrade);
    f.num("cementGradeIndex", s.cementGrade);
}

template <typename F> void Walk(F& f, AdjustInputs& in)
{
    static const char* const kMasses[kAdjustMaterials]
        = { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" };
    f.text("powder1Name", in.powder1Name);
    f.text("powder2Name", in.powder2Name);
    for (int i = 0; i < kAdjustMaterials; ++i)
        f.text(kMasses[i], in.masses[static_cast<std::size_t>(i)]);
    f.text("measuredDensity", in.measuredDensity);
    f.text("sandMoisture", in.sandMoisture);
    f.text("coarseMoisture", in.coarseMoisture);
    f.text("volume", in.volume);
}

template <typename F> void Walk(F& f, EvaluationInputs& in)
{
    int method = static_cast<int>(in.method);
    int size = static_cast<int>(in.size);
    f.text("gradeText", in.gradeText);
    f.num("fcuK", in.fcuK);
    f.num("method", method);
    f.num("sigma0", in.sigma0);
    f.num("size", size);
    f.num("factor", in.factor);
    f.flag("sizeNotice", in.sizeNotice);
    if (method >= 0 && method <= static_cast<int>(EvalMethod::NonStat))
        in.method = static_cast<EvalMethod>(method);
    if (size >= 0 && size <= static_cast<int>(SpecimenSize::Mm200))
        in.size = static_cast<SpecimenSize>(size);
    // Each group a list of its strengths in 0.1 MPa.
    if (f.out) {
        QJsonArray groups;
        for (const EvalGroup& g : in.groups) {
            QJsonArray strengths;
            for (std::int64_t v : g.strengths)
                strengths.append(static_cast<double>(v));
            groups.append(strengths);
        }
        f.out->insert(QLatin1String("groups"), groups);
    } else if (f.in->value(QLatin1String("groups")).isArray()) {
        in.groups.clear();
        for (const QJsonValue& g : f.in->value(QLatin1String("groups")).toArray()) {
            EvalGroup group;
            for (const QJsonValue& v : g.toArray())
                group.strengths.push_back(static_cast<std::int64_t>(v.toDouble()));
            in.groups.push_back(group);
        }
    }
}

template <typename F> void Walk(F& f, StdDevInputs& in)
{
    if (f.out) {
        QJsonArray strengths;
        for (double v : in.strengths)
            strengths.append(v);
        f.out->insert(QLatin1String("strengths"), strengths);
    } else if (f.in->value(QLatin1String("strengths")).isArray()) {
        in.strengths.clear();
        for (const QJsonValue& v : f.in->value(QLatin1String("strengths")).toArray())
            in.strengths.push_back(v.toDouble());
    }
}

template <typename F> void Walk(F& f, OrdinaryInputs& in)
{
    // The lists as their index in the enum; no aggregate chosen is -1.
    const auto choice = [&f](const char* key, auto& e) {
        int n = static_cast<int>(e);
        f.num(key, n);
        e = static_cast<std::decay_t<decltype(e)>>(n);
    };
    f.num("grade", in.grade);
    f.text("sigma", in.sigma);
    choice("cementType", in.cementType);
    f.num("cementGrade", in.cementGrade);
    f.text("fce", in.fce);
    f.text("flyAsh", in.flyAsh);
    f.text("gammaF", in.gammaF);
    f.text("slag", in.slag);
    f.text("gammaS", in.gammaS);
    f.text("fb", in.fb);
    int aggregate = in.aggregate ? static_cast<int>(*in.aggregate) : -1;
    f.num("aggregate", aggregate);
    in.aggregate = aggregate < 0 ? std::nullopt
                                 : std::optional(static_cast<OrdinaryAggregate>(aggregate));
    f.num("maxSize", in.maxSize);
    choice("workability", in.workability);
    f.text("slump", in.slump);
    f.text("vebe", in.vebe);
    f.text("waterAdjust", in.waterAdjust);
    f.text("reducer", in.reducer);
    f.text("admixture", in.admixture);
    choice("structure", in.structure);
    choice("exposure", in.exposure);
    f.flag("airEntrained", in.airEntrained);
    f.num("impermeability", in.impermeability);
    f.num("frost", in.frost);
    f.flag("pumped", in.pumped);
    f.flag("massive", in.massive);
    f.text("wb", in.wb);
    f.text("sandRatio", in.sandRatio);
    choice("method", in.method);
    f.text("mcp", in.mcp);
    f.text("rhoC", in.rhoC);
    f.text("rhoF", in.rhoF);
    f.text("rhoK", in.rhoK);
    f.text("rhoS", in.rhoS);
    f.text("rhoG", in.rhoG);
    f.text("air", in.air);
}

template <typename S> std::string Write(const S& s)
{
    QJsonObject out;
    Fields<S> f;
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
    Fields<S> f;
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
