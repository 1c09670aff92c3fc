#include "stats/evaluation.h"

#include "common/exactdecimal.h"
#include "common/reportnum.h"
#include "stats/evaluationreport.h"

#include <algorithm>
#include <stdexcept>

using i64 = std::int64_t;

const std::array<const char*, 4> kEvalMethodItems = {
    "自动",
    "统计方法（标准差已知）",
    "统计方法（标准差未知）",
    "非统计方法",
};

const std::array<const char*, 3> kSpecimenSizeItems = { "150mm", "100mm", "200mm" };

namespace {

const char* const kSizeNotice = "C60及以上强度等级采用非标准尺寸试件时，尺寸折算系数应由试验确定。";
const char* const kFactorRange = "尺寸折算系数应在0.5～1.5之间。";
const char* const kNegativeSigma0 = "检验期标准差σ0不能为负数。";
const char* const kBadGroup = "每组应为3个试件强度或1个强度代表值。";
const char* const kNoGroup = "没有可用于评定的试件组。";
const char* const kUnknownTooFew = "标准差未知的统计方法要求样本容量不少于10组。";
const char* const kKnownNotThree = "标准差已知的统计方法，一个检验批应由连续的3组试件组成。";
const char* const kNonStatTooMany = "样本容量不少于10组时应采用统计方法评定。";
const char* const kBadStrength = "试件强度应大于零且不超过500MPa。";
const char* const kTooLarge = "数值过大，无法评定。";

constexpr i64 kFloor = 250; // 2.50 MPa, the least Sfcu or σ0 the rules use
constexpr i64 kC20 = 200; // 0.1 MPa
constexpr i64 kC60 = 600;
constexpr i64 kMaxStrength = 5000; // 0.1 MPa

Fraction Mpa1(i64 units)
{
    return Fraction::Units(units, 1);
}
Fraction Mpa2(i64 units)
{
    return Fraction::Units(units, 2);
}

// The exact value of a terminating fraction, with at least `decimals` decimals.
std::string ExactText(const Fraction& value, int decimals)
{
    for (int d = decimals; d <= 12; ++d) {
        const Fraction scaled = value * Fraction(Pow10(d));
        if (scaled.den() == 1)
            return UnitsText(scaled.num(), d);
    }
    return UnitsText(value.RoundUnits(12), 12);
}

std::string Text1(i64 units)
{
    return ReportUnits(units, 1);
}
std::string Text2(i64 units)
{
    return ReportUnits(units, 2);
}

EvalCoefficient Coefficient(const char* name, const char* key, i64 value)
{
    return { name, key, value };
}

// left ≥ right, right exact and then half up to 0.01, as printed.
EvalCondition Condition(
    const char* name, const char* leftName, i64 left, std::string expression, const Fraction& right)
{
    EvalCondition c;
    c.name = name;
    c.leftName = leftName;
    c.left = left;
    c.expression = std::move(expression);
    c.exact = ExactText(right, 2);
    c.right = right.RoundUnits(2);
    c.met = left * 10 >= c.right; // 0.1 MPa against 0.01 MPa
    return c;
}

// num / den half up, for num >= 0 and den > 0.
i64 HalfUp(i64 num, i64 den)
{
    return (2 * num + den) / (2 * den);
}

Message Stop(const char* text)
{
    return { MessageKind::Stop, text };
}

void Conditions(const EvaluationInputs& in, EvaluationOutcome& out)
{
    const Fraction fcuK = Mpa1(in.fcuK);
    const std::string k = Text1(in.fcuK);
    const i64 mean = *out.mean;
    const i64 min = *out.min;

    switch (*out.method) {
    case EvalMethod::Unknown: {
        const i64 l1 = out.n < 15 ? 115 : out.n < 20 ? 105 : 95;
        const i64 l2 = out.n < 15 ? 90 : 85;
        const i64 s = std::max(*out.sd, kFloor);
        out.sdUsed = s;
        out.coefficients = { Coefficient("λ1", "lambda1", l1), Coefficient("λ2", "lambda2", l2) };
        out.conditions = {
            Condition("mfcu≥fcu,k＋λ1×Sfcu", "mfcu", mean, k + "＋" + Text2(l1) + "×" + Text2(s),
                fcuK + Mpa2(l1) * Mpa2(s)),
            Condition("fcu,min≥λ2×fcu,k", "fcu,min", min, Text2(l2) + "×" + k, Mpa2(l2) * fcuK),
        };
        break;
    }
    case EvalMethod::Known: {
        const i64 s = std::max(in.sigma0, kFloor);
        const i64 lmin = in.fcuK <= kC20 ? 85 : 90;
        const Fraction spread = Fraction(7, 10) * Mpa2(s);
        const std::string sText = "0.7×" + Text2(s);
        out.sigma0Used = s;
        out.coefficients = { Coefficient("σ0的系数", "sigma0Factor", 70),
            Coefficient("fcu,k的系数", "minFactor", lmin) };
        out.conditions = {
            Condition("mfcu≥fcu,k＋0.7σ0", "mfcu", mean, k + "＋" + sText, fcuK + spread),
            Condition("fcu,min≥fcu,k－0.7σ0", "fcu,min", min, k + "－" + sText, fcuK - spread),
            Condition(lmin == 85 ? "fcu,min≥0.85fcu,k" : "fcu,min≥0.90fcu,k", "fcu,min", min,
                Text2(lmin) + "×" + k, Mpa2(lmin) * fcuK),
        };
        break;
    }
    case EvalMethod::NonStat:
    case EvalMethod::Auto: {
        const i64 l3 = in.fcuK < kC60 ? 115 : 110;
        const i64 l4 = 95;
        out.coefficients = { Coefficient("λ3", "lambda3", l3), Coefficient("λ4", "lambda4", l4) };
        out.conditions = {
            Condition("mfcu≥λ3×fcu,k", "mfcu", mean, Text2(l3) + "×" + k, Mpa2(l3) * fcuK),
            Condition("fcu,min≥λ4×fcu,k", "fcu,min", min, Text2(l4) + "×" + k, Mpa2(l4) * fcuK),
        };
        break;
    }
    }

    out.passed = true;
    for (const EvalCondition& c : out.conditions) {
        out.passed = out.passed && c.met;
        if (c.leftName == "fcu,min")
            out.minLimit = std::max(out.minLimit.value_or(c.right), c.right);
    }
}

void Run(const EvaluationInputs& in, EvaluationOutcome& out)
{
    if (in.sizeNotice) {
        if (auto notice = SizeNotice(in.fcuK, in.size))
            out.messages.push_back(*notice);
    }
    if (in.factor < 50 || in.factor > 150) {
        out.messages.push_back(Stop(kFactorRange));
        return;
    }
    if (in.method == EvalMethod::Known && in.sigma0 < 0) {
        out.messages.push_back(Stop(kNegativeSigma0));
        return;
    }

    std::vector<i64> values;
    values.reserve(in.groups.size());
    for (const EvalGroup& g : in.groups) {
        if (g.strengths.size() != 1 && g.strengths.size() != 3) {
            out.messages.push_back(Stop(kBadGroup));
            return;
        }
        // The readers hold strengths to (0, 500] MPa; the sums below rely on it.
        for (i64 s : g.strengths) {
            if (s <= 0 || s > kMaxStrength) {
                out.messages.push_back(Stop(kBadStrength));
                return;
            }
        }
        out.groups.push_back(EvaluateGroup(g, in.factor));
        if (out.groups.back().value)
            values.push_back(*out.groups.back().value);
    }
    out.n = static_cast<int>(values.size());
    if (values.empty()) {
        out.messages.push_back(Stop(kNoGroup));
        return;
    }

    // At most 750 MPa a group: no overflow for any list that fits in memory.
    for (i64 v : values) {
        out.sum += v;
        out.squares += v * v;
    }
    out.mean = HalfUp(out.sum, out.n);
    out.min = *std::min_element(values.begin(), values.end());
    if (out.n >= 2)
        out.sd = SampleSdUnits(values);

    out.autoChosen = in.method == EvalMethod::Auto;
    out.method
        = out.autoChosen ? (out.n >= 10 ? EvalMethod::Unknown : EvalMethod::NonStat) : in.method;
    if (out.method == EvalMethod::Unknown && out.n < 10) {
        out.messages.push_back(Stop(kUnknownTooFew));
        return;
    }
    if (out.method == EvalMethod::Known && out.n != 3) {
        out.messages.push_back(Stop(kKnownNotThree));
        return;
    }
    if (out.method == EvalMethod::NonStat && out.n >= 10) {
        out.messages.push_back(Stop(kNonStatTooMany));
        return;
    }

    Conditions(in, out);
    out.report = BuildEvaluationReport(in, out);
}

} // namespace

i64 SizeFactorUnits(SpecimenSize size)
{
    switch (size) {
    case SpecimenSize::Mm100:
        return 95;
    case SpecimenSize::Mm200:
        return 105;
    case SpecimenSize::Mm150:
        break;
    }
    return 100;
}

const char* SpecimenSizeText(SpecimenSize size)
{
    return kSpecimenSizeItems[static_cast<size_t>(size)];
}

std::optional<Message> SizeNotice(i64 fcuK, SpecimenSize size)
{
    if (fcuK >= kC60 && size != SpecimenSize::Mm150)
        return Message { MessageKind::Warn, kSizeNotice };
    return std::nullopt;
}

GroupResult EvaluateGroup(const EvalGroup& group, i64 factor)
{
    GroupResult r;
    if (group.strengths.size() == 3) {
        std::vector<i64> s = group.strengths;
        std::sort(s.begin(), s.end());
        const i64 lo = s[0], mid = s[1], hi = s[2];
        // More than 15 % of the middle value, in integers: 100·d > 15·mid.
        r.middle = mid;
        r.highOff = 100 * (hi - mid) > 15 * mid;
        r.lowOff = 100 * (mid - lo) > 15 * mid;
        if (r.highOff && r.lowOff) {
            r.taken = GroupTaken::Invalid;
            return r;
        }
        // m × factor in 0.1 MPa is (sum / 3) × (factor / 100), or mid × factor / 100.
        const bool off = r.highOff || r.lowOff;
        r.taken = off ? GroupTaken::Middle : GroupTaken::Mean;
        r.value = off ? HalfUp(mid * factor, 100) : HalfUp((lo + mid + hi) * factor, 300);
    } else if (group.strengths.size() == 1) {
        r.taken = GroupTaken::Given;
        r.value = HalfUp(group.strengths[0] * factor, 100);
    } else {
        r.taken = GroupTaken::Invalid;
    }
    return r;
}

i64 SampleSdUnits(const std::vector<i64>& values)
{
    // Variance in (0.1 MPa)² = (n·Σx² − (Σx)²) / (n(n − 1)); in MPa² one
    // hundredth of that. Exact all the way, so equal values give exactly 0.
    const auto n = static_cast<i64>(values.size());
    i64 sum = 0, squares = 0;
    for (i64 v : values) {
        sum += v;
        squares += v * v;
    }
    const Fraction variance = (Fraction(n) * Fraction(squares) - Fraction(sum) * Fraction(sum))
        / Fraction(n * (n - 1) * 100);
    return SqrtRoundUnits(variance, 2);
}

EvaluationOutcome Evaluate(const EvaluationInputs& in)
{
    EvaluationOutcome out;
    try {
        Run(in, out);
    } catch (const std::exception&) {
        // Only inputs far beyond any laboratory's get here; nothing is written.
        out = EvaluationOutcome();
        out.messages.push_back(Stop(kTooLarge));
    }
    out.stopped = !out.messages.empty() && out.messages.back().kind == MessageKind::Stop;
    if (out.stopped)
        out.report.clear();
    return out;
}

const char* MethodText(EvalMethod method)
{
    return kEvalMethodItems[static_cast<size_t>(method)];
}

const char* MethodKey(EvalMethod method)
{
    switch (method) {
    case EvalMethod::Known:
        return "known";
    case EvalMethod::Unknown:
        return "unknown";
    case EvalMethod::NonStat:
        return "nonstat";
    case EvalMethod::Auto:
        break;
    }
    return "auto";
}
