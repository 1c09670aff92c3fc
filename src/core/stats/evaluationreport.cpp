#include "stats/evaluationreport.h"

#include "common/exactdecimal.h"
#include "common/reportlines.h"
#include "common/reportnum.h"

using i64 = std::int64_t;

namespace {

std::string T1(i64 units)
{
    return ReportUnits(units, 1);
}
std::string T2(i64 units)
{
    return ReportUnits(units, 2);
}

// "＝33.26≈33.3", "＝40.0" or "≈33.3": the exact value where it has a short
// decimal form, then what the rule rounds it to.
std::string Approx(const Fraction& value, int decimals)
{
    const i64 rounded = value.RoundUnits(decimals);
    if (Fraction::Units(rounded, decimals) == value)
        return "＝" + ReportUnits(rounded, decimals);
    for (int d = decimals + 1; d <= 6; ++d) {
        const Fraction scaled = value * Fraction(Pow10(d));
        if (scaled.den() == 1)
            return "＝" + ReportUnits(scaled.num(), d) + "≈" + ReportUnits(rounded, decimals);
    }
    return "≈" + ReportUnits(rounded, decimals);
}

void GroupLine(ReportLines& l, int number, const EvalGroup& g, const GroupResult& r, i64 factor)
{
    l.Add("　　第", std::to_string(number), "组：");
    const std::string f = T2(factor);
    const std::string value = r.value ? T1(*r.value) : std::string();
    if (r.taken == GroupTaken::Given) {
        const std::string given = T1(g.strengths[0]);
        l.Line("强度代表值", given, "（MPa），", given, "×", f, "＝", value, "（MPa）");
        return;
    }

    const std::string s1 = T1(g.strengths[0]), s2 = T1(g.strengths[1]), s3 = T1(g.strengths[2]);
    l.Add(s1, "，", s2, "，", s3, "（MPa），");
    switch (r.taken) {
    case GroupTaken::Invalid:
        l.Add("最大值和最小值与中间值之差均超过中间值的15%，无效，不参与评定");
        break;
    case GroupTaken::Middle:
        l.Add(r.highOff ? "最大值" : "最小值", "与中间值之差超过中间值的15%，取中间值：",
            T1(r.middle), "×", f, "＝", value, "（MPa）");
        break;
    case GroupTaken::Mean:
    case GroupTaken::Given:
        l.Add("取平均值：（", s1, "＋", s2, "＋", s3, "）／3×", f, "＝", value, "（MPa）");
        break;
    }
    l.Line();
}

std::string MethodLine(const EvaluationOutcome& out)
{
    std::string line = std::string("　　评定方法：") + MethodText(*out.method);
    if (out.autoChosen)
        line += "（自动选择：有效试件组数n＝" + std::to_string(out.n)
            + (out.n >= 10 ? "，不少于10组）" : "，少于10组）");
    return line;
}

} // namespace

std::string BuildEvaluationReport(const EvaluationInputs& in, const EvaluationOutcome& out)
{
    std::string r;
    r.reserve(1024 + 256 * in.groups.size()); // a group's line is under 256 bytes
    ReportLines l(r);

    l.Line("");
    l.Line("————Qoru计算书（GB/T 50107-2010）————");
    l.Line("一、评定条件：");
    l.Line("　　混凝土强度等级：" + in.gradeText + "，强度标准值 fcu,k＝" + T1(in.fcuK) + "（MPa）");
    l.Line(MethodLine(out));
    l.Line(std::string("　　试件尺寸：") + SpecimenSizeText(in.size) + "，尺寸折算系数＝"
        + T2(in.factor));

    l.Line("二、各组试件的强度代表值：");
    std::string invalid;
    for (size_t i = 0; i < in.groups.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        GroupLine(l, number, in.groups[i], out.groups[i], in.factor);
        if (!out.groups[i].value)
            invalid += (invalid.empty() ? "第" : "、第") + std::to_string(number) + "组";
    }

    l.Line("三、统计计算：");
    l.Line("　　有效试件组数 n＝" + std::to_string(out.n)
        + (invalid.empty() ? "" : "（" + invalid + "无效，不参与评定）"));
    const Fraction n(out.n);
    l.Line("　　强度平均值 mfcu＝Σfcu,i／n＝" + T1(out.sum) + "／" + std::to_string(out.n)
        + Approx(Fraction::Units(out.sum, 1) / n, 1) + "（MPa）");
    l.Line("　　强度最小值 fcu,min＝" + T1(*out.min) + "（MPa）");
    if (out.method == EvalMethod::Unknown) {
        l.Line("　　强度标准差 Sfcu＝√［（Σfcu,i²－(Σfcu,i)²／n）／（n－1）］＝√［（" + T2(out.squares)
            + "－" + T1(out.sum) + "²／" + std::to_string(out.n) + "）／" + std::to_string(out.n - 1)
            + "］＝" + T2(*out.sd) + "（MPa）");
        if (*out.sdUsed != *out.sd)
            l.Line("　　Sfcu＝" + T2(*out.sd) + "＜2.50（MPa），取 Sfcu＝" + T2(*out.sdUsed)
                + "（MPa）");
    }
    if (out.method == EvalMethod::Known) {
        l.Line("　　检验期标准差 σ0＝" + T2(in.sigma0) + "（MPa）"
            + (*out.sigma0Used != in.sigma0
                    ? "，小于2.50，取 σ0＝" + T2(*out.sigma0Used) + "（MPa）"
                    : std::string()));
    }
    std::string coefficients = "　　合格评定系数：";
    for (size_t i = 0; i < out.coefficients.size(); ++i)
        coefficients
            += (i ? "，" : "") + out.coefficients[i].name + "＝" + T2(out.coefficients[i].value);
    l.Line(coefficients);

    l.Line("四、合格条件：");
    std::string failed;
    for (size_t i = 0; i < out.conditions.size(); ++i) {
        const EvalCondition& c = out.conditions[i];
        const std::string tag = "（" + std::to_string(i + 1) + "）" + c.name;
        l.Line("　　" + tag);
        std::string check = "　　　　" + c.expression + "＝" + c.exact;
        if (c.exact != T2(c.right))
            check += "≈" + T2(c.right);
        check += "（MPa），" + c.leftName + "＝" + T1(c.left) + (c.met ? "≥" : "＜") + T2(c.right)
            + (c.met ? "，满足" : "，不满足");
        l.Line(check);
        if (!c.met)
            failed += (failed.empty() ? "" : "、") + tag;
    }

    l.Line("五、评定结论：");
    if (out.passed)
        l.Line("　　该检验批混凝土强度合格。");
    else
        l.Line("　　该检验批混凝土强度不合格（不满足条件" + failed + "）。");
    return r;
}
