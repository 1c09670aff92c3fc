#include "stats/evaluationreport.h"

#include "common/exactdecimal.h"
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

// Appends the texts to `line`, without the temporaries a chain of + makes:
// a report of a thousand groups is built well within a millisecond.
class Line
{
public:
    explicit Line(std::string& out)
        : m_out(out)
    { }
    Line& operator<<(const char* text)
    {
        m_out += text;
        return *this;
    }
    Line& operator<<(const std::string& text)
    {
        m_out += text;
        return *this;
    }

private:
    std::string& m_out;
};

void GroupLine(std::string& out, int number, const EvalGroup& g, const GroupResult& r, i64 factor)
{
    Line line(out);
    line << "　　第" << std::to_string(number) << "组：";
    const std::string f = T2(factor);
    const std::string value = r.value ? T1(*r.value) : std::string();
    if (r.taken == GroupTaken::Given) {
        const std::string given = T1(g.strengths[0]);
        line << "强度代表值" << given << "（MPa），" << given << "×" << f << "＝" << value
             << "（MPa）" << kCrLf;
        return;
    }

    const std::string s1 = T1(g.strengths[0]), s2 = T1(g.strengths[1]), s3 = T1(g.strengths[2]);
    line << s1 << "，" << s2 << "，" << s3 << "（MPa），";
    i64 lo = g.strengths[0], mid = g.strengths[1], hi = g.strengths[2];
    if (lo > mid)
        std::swap(lo, mid);
    if (mid > hi)
        std::swap(mid, hi);
    if (lo > mid)
        std::swap(lo, mid);
    const bool high = 100 * (hi - mid) > 15 * mid;
    switch (r.taken) {
    case GroupTaken::Invalid:
        line << "最大值和最小值与中间值之差均超过中间值的15%，无效，不参与评定";
        break;
    case GroupTaken::Middle:
        line << (high ? "最大值" : "最小值") << "与中间值之差超过中间值的15%，取中间值：" << T1(mid)
             << "×" << f << "＝" << value << "（MPa）";
        break;
    case GroupTaken::Mean:
    case GroupTaken::Given:
        line << "取平均值：（" << s1 << "＋" << s2 << "＋" << s3 << "）／3×" << f << "＝" << value
             << "（MPa）";
        break;
    }
    line << kCrLf;
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
    auto line = [&r](const std::string& text) {
        r += text;
        r += kCrLf;
    };

    line("");
    line("————Qoru计算书（GB/T 50107-2010）————");
    line("一、评定条件：");
    line("　　混凝土强度等级：" + in.gradeText + "，强度标准值 fcu,k＝" + T1(in.fcuK) + "（MPa）");
    line(MethodLine(out));
    line(std::string("　　试件尺寸：") + SpecimenSizeText(in.size) + "，尺寸折算系数＝"
        + T2(in.factor));

    line("二、各组试件的强度代表值：");
    std::string invalid;
    for (size_t i = 0; i < in.groups.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        GroupLine(r, number, in.groups[i], out.groups[i], in.factor);
        if (!out.groups[i].value)
            invalid += (invalid.empty() ? "第" : "、第") + std::to_string(number) + "组";
    }

    line("三、统计计算：");
    line("　　有效试件组数 n＝" + std::to_string(out.n)
        + (invalid.empty() ? "" : "（" + invalid + "无效，不参与评定）"));
    i64 sum = 0, squares = 0; // 0.1 MPa and 0.01 MPa²
    for (const GroupResult& g : out.groups) {
        if (g.value) {
            sum += *g.value;
            squares += *g.value * *g.value;
        }
    }
    const Fraction n(out.n);
    line("　　强度平均值 mfcu＝Σfcu,i／n＝" + T1(sum) + "／" + std::to_string(out.n)
        + Approx(Fraction::Units(sum, 1) / n, 1) + "（MPa）");
    line("　　强度最小值 fcu,min＝" + T1(*out.min) + "（MPa）");
    if (out.method == EvalMethod::Unknown) {
        line("　　强度标准差 Sfcu＝√［（Σfcu,i²－(Σfcu,i)²／n）／（n－1）］＝√［（" + T2(squares)
            + "－" + T1(sum) + "²／" + std::to_string(out.n) + "）／" + std::to_string(out.n - 1)
            + "］＝" + T2(*out.sd) + "（MPa）");
        if (*out.sdUsed != *out.sd)
            line("　　Sfcu＝" + T2(*out.sd) + "＜2.50（MPa），取 Sfcu＝" + T2(*out.sdUsed)
                + "（MPa）");
    }
    if (out.method == EvalMethod::Known) {
        line("　　检验期标准差 σ0＝" + T2(in.sigma0) + "（MPa）"
            + (*out.sigma0Used != in.sigma0
                    ? "，小于2.50，取 σ0＝" + T2(*out.sigma0Used) + "（MPa）"
                    : std::string()));
    }
    std::string coefficients = "　　合格评定系数：";
    for (size_t i = 0; i < out.coefficients.size(); ++i)
        coefficients
            += (i ? "，" : "") + out.coefficients[i].name + "＝" + T2(out.coefficients[i].value);
    line(coefficients);

    line("四、合格条件：");
    std::string failed;
    for (size_t i = 0; i < out.conditions.size(); ++i) {
        const EvalCondition& c = out.conditions[i];
        const std::string tag = "（" + std::to_string(i + 1) + "）" + c.name;
        line("　　" + tag);
        std::string check = "　　　　" + c.expression + "＝" + c.exact;
        if (c.exact != T2(c.right))
            check += "≈" + T2(c.right);
        check += "（MPa），" + c.leftName + "＝" + T1(c.left) + (c.met ? "≥" : "＜") + T2(c.right)
            + (c.met ? "，满足" : "，不满足");
        line(check);
        if (!c.met)
            failed += (failed.empty() ? "" : "、") + tag;
    }

    line("五、评定结论：");
    if (out.passed)
        line("　　该检验批混凝土强度合格。");
    else
        line("　　该检验批混凝土强度不合格（不满足条件" + failed + "）。");
    return r;
}
