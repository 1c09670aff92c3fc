// The acceptance evaluation: group values, the statistics, each method's
// coefficients and conditions at their bounds, the stops, the report and
// the lines a paste or the box gives.
#include "stats/evaluation.h"
#include "stats/groupinput.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<EvalGroup> Given(const std::vector<std::int64_t>& values)
{
    std::vector<EvalGroup> groups;
    for (std::int64_t v : values)
        groups.push_back({ { v } });
    return groups;
}

EvaluationInputs Batch(std::int64_t fcuK, const std::vector<std::int64_t>& values,
    EvalMethod method = EvalMethod::Auto)
{
    EvaluationInputs in;
    in.fcuK = fcuK;
    in.gradeText = "C" + std::to_string(fcuK / 10);
    in.method = method;
    in.groups = Given(values);
    return in;
}

std::vector<std::int64_t> Rights(const EvaluationOutcome& out)
{
    std::vector<std::int64_t> r;
    for (const EvalCondition& c : out.conditions)
        r.push_back(c.right);
    return r;
}

std::vector<bool> Met(const EvaluationOutcome& out)
{
    std::vector<bool> m;
    for (const EvalCondition& c : out.conditions)
        m.push_back(c.met);
    return m;
}

std::vector<std::string> Lines(const std::string& report)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(report.substr(start, end - start));
    EXPECT_EQ(start, report.size()) << "every line ends with CR LF";
    return lines;
}

} // namespace

// Hand-checked sheets: each number is what the report must print.
TEST(Evaluation, WorkedExamples)
{
    struct Row
    {
        const char* name;
        std::int64_t fcuK;
        std::vector<std::int64_t> values;
        std::int64_t mean, min, sd, sdUsed;
        std::vector<std::int64_t> rights;
        std::vector<bool> met;
    };
    const Row rows[] = {
        { "C30_fails_on_the_mean", 300, { 336, 381, 289, 306, 353, 361, 342, 333, 317, 298 }, 332,
            289, 293, 293, { 3337, 2700 }, { false, true } },
        { "C20_passes_with_Sfcu_raised_to_2.50", 200,
            { 235, 206, 254, 265, 238, 253, 245, 271, 232, 223 }, 242, 206, 196, 250,
            { 2288, 1800 }, { true, true } },
        { "C20_min_exactly_on_its_bound", 200, { 213, 205, 196, 212, 213, 205, 196, 212, 205, 180 },
            204, 180, 105, 250, { 2288, 1800 }, { false, true } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const EvaluationOutcome out = Evaluate(Batch(row.fcuK, row.values));
        ASSERT_FALSE(out.stopped);
        EXPECT_EQ(out.method, EvalMethod::Unknown);
        EXPECT_TRUE(out.autoChosen);
        EXPECT_EQ(out.n, 10);
        EXPECT_EQ(out.mean, row.mean);
        EXPECT_EQ(out.min, row.min);
        EXPECT_EQ(out.sd, row.sd);
        EXPECT_EQ(out.sdUsed, row.sdUsed);
        EXPECT_EQ(Rights(out), row.rights);
        EXPECT_EQ(Met(out), row.met);
        EXPECT_EQ(out.passed, row.met[0] && row.met[1]);
    }
}

TEST(Evaluation, GroupValueByTheFifteenPercentRule)
{
    struct Row
    {
        const char* name;
        std::vector<std::int64_t> strengths;
        std::int64_t factor;
        GroupTaken taken;
        std::int64_t value; // -1: none
        const char* off; // which of the extremes lies beyond 15 % of the middle
    };
    const Row rows[] = {
        { "both_differences_exactly_15pc_mean", { 400, 460, 340 }, 100, GroupTaken::Mean, 400, "" },
        { "high_just_beyond_takes_middle", { 400, 461, 340 }, 100, GroupTaken::Middle, 400,
            "high" },
        { "low_just_beyond_takes_middle", { 339, 400, 460 }, 100, GroupTaken::Middle, 400, "low" },
        { "worked_5.1_over_4.995", { 333, 384, 330 }, 100, GroupTaken::Middle, 333, "high" },
        { "both_beyond_invalid", { 300, 400, 200 }, 100, GroupTaken::Invalid, -1, "both" },
        { "mean_of_thirds_half_up", { 300, 310, 311 }, 105, GroupTaken::Mean, 322, "" }, // 32.235
        { "given_value_factored_half_up", { 301 }, 95, GroupTaken::Given, 286, "" }, // 28.595
        { "mean_rounds_down_below_half", { 300, 300, 301 }, 100, GroupTaken::Mean, 300, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const GroupResult r = EvaluateGroup({ row.strengths }, row.factor);
        EXPECT_EQ(r.taken, row.taken);
        EXPECT_EQ(r.value.value_or(-1), row.value);
        const std::string off = row.off;
        EXPECT_EQ(r.highOff, off == "high" || off == "both");
        EXPECT_EQ(r.lowOff, off == "low" || off == "both");
        if (r.taken == GroupTaken::Middle) {
            EXPECT_EQ(r.middle * row.factor / 100, row.value);
        }
    }
}

// n decides the method under 自动 and the λ of 标准差未知.
TEST(Evaluation, CoefficientsAtEachBoundOfN)
{
    struct Row
    {
        int n;
        EvalMethod method;
        std::vector<std::int64_t> coefficients;
    };
    const Row rows[] = {
        { 9, EvalMethod::NonStat, { 115, 95 } },
        { 10, EvalMethod::Unknown, { 115, 90 } },
        { 14, EvalMethod::Unknown, { 115, 90 } },
        { 15, EvalMethod::Unknown, { 105, 85 } },
        { 19, EvalMethod::Unknown, { 105, 85 } },
        { 20, EvalMethod::Unknown, { 95, 85 } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.n);
        const EvaluationOutcome out
            = Evaluate(Batch(300, std::vector<std::int64_t>(static_cast<size_t>(row.n), 360)));
        ASSERT_FALSE(out.stopped);
        EXPECT_EQ(out.method, row.method);
        std::vector<std::int64_t> values;
        for (const EvalCoefficient& c : out.coefficients)
            values.push_back(c.value);
        EXPECT_EQ(values, row.coefficients);
    }
}

TEST(Evaluation, GradeSwitchesAndTheSigmaFloor)
{
    auto known = [](std::int64_t fcuK, std::int64_t sigma0) {
        EvaluationInputs in = Batch(fcuK, { fcuK + 50, fcuK + 50, fcuK + 50 }, EvalMethod::Known);
        in.sigma0 = sigma0;
        return Evaluate(in);
    };
    // 0.85 fcu,k up to C20, 0.90 above; σ0 below 2.50 is taken as 2.50.
    EXPECT_EQ(Rights(known(200, 210)), (std::vector<std::int64_t> { 2175, 1825, 1700 }));
    EXPECT_EQ(known(200, 210).sigma0Used, 250);
    EXPECT_EQ(Rights(known(250, 300)), (std::vector<std::int64_t> { 2710, 2290, 2250 }));
    EXPECT_EQ(known(250, 300).sigma0Used, 300);

    // λ3 1.15 below C60, 1.10 from C60.
    EXPECT_EQ(Rights(Evaluate(Batch(550, { 700 }))), (std::vector<std::int64_t> { 6325, 5225 }));
    EXPECT_EQ(Rights(Evaluate(Batch(600, { 700 }))), (std::vector<std::int64_t> { 6600, 5700 }));
}

// A left side equal to its printed bound holds; 0.1 below it does not.
TEST(Evaluation, TieAtTheBoundHolds)
{
    // C30 by 非统计: λ3 × fcu,k = 34.50, λ4 × fcu,k = 28.50.
    const EvaluationOutcome onBound = Evaluate(Batch(300, { 285, 405 }));
    EXPECT_EQ(Rights(onBound), (std::vector<std::int64_t> { 3450, 2850 }));
    EXPECT_EQ(onBound.mean, 345);
    EXPECT_EQ(Met(onBound), (std::vector<bool> { true, true }));
    EXPECT_TRUE(onBound.passed);
    // The mean is exact, then half up: 30.1 and 30.2 give 30.2.
    EXPECT_EQ(Evaluate(Batch(300, { 301, 302 })).mean, 302);
    const EvaluationOutcome below = Evaluate(Batch(300, { 284, 404 }));
    EXPECT_EQ(Met(below), (std::vector<bool> { false, false }));
    EXPECT_FALSE(below.passed);
    EXPECT_NE(below.report.find("不满足条件（1）mfcu≥λ3×fcu,k、（2）fcu,min≥λ4×fcu,k）。"),
        std::string::npos);
}

TEST(Evaluation, StopsWriteNothing)
{
    struct Row
    {
        const char* name;
        EvaluationInputs in;
        const char* message;
    };
    EvaluationInputs factor = Batch(300, { 300 });
    factor.factor = 151;
    EvaluationInputs invalid = Batch(300, {});
    invalid.groups = { { { 300, 400, 200 } } };
    const Row rows[] = {
        { "factor_above_1.50", factor, "尺寸折算系数应在0.5～1.5之间。" },
        { "strength_above_500", Batch(300, { 5001 }), "试件强度应大于零且不超过500MPa。" },
        { "only_an_invalid_group", invalid, "没有可用于评定的试件组。" },
        { "unknown_with_9", Batch(300, std::vector<std::int64_t>(9, 350), EvalMethod::Unknown),
            "标准差未知的统计方法要求样本容量不少于10组。" },
        { "known_with_4", Batch(300, { 350, 350, 350, 350 }, EvalMethod::Known),
            "标准差已知的统计方法，一个检验批应由连续的3组试件组成。" },
        { "nonstat_with_10", Batch(300, std::vector<std::int64_t>(10, 350), EvalMethod::NonStat),
            "样本容量不少于10组时应采用统计方法评定。" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const EvaluationOutcome out = Evaluate(row.in);
        EXPECT_TRUE(out.stopped);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(out.messages[0].text, row.message);
        EXPECT_TRUE(out.report.empty());
    }

    // The size notice warns first and the evaluation goes on.
    EvaluationInputs c60 = Batch(600, { 700 });
    c60.size = SpecimenSize::Mm100;
    const EvaluationOutcome warned = Evaluate(c60);
    ASSERT_EQ(warned.messages.size(), 1u);
    EXPECT_EQ(warned.messages[0].kind, MessageKind::Warn);
    EXPECT_FALSE(warned.stopped);
    c60.sizeNotice = false;
    EXPECT_TRUE(Evaluate(c60).messages.empty());
}

TEST(Evaluation, ReportLineByLine)
{
    EvaluationInputs in = Batch(300, {});
    in.groups
        = { { { 400, 460, 340 } }, { { 333, 384, 330 } }, { { 300, 400, 200 } }, { { 336 } } };
    const std::vector<std::string> expected = {
        "",
        "————Qoru计算书（GB/T 50107-2010）————",
        "一、评定条件：",
        "　　混凝土强度等级：C30，强度标准值 fcu,k＝30.0（MPa）",
        "　　评定方法：非统计方法（自动选择：有效试件组数n＝3，少于10组）",
        "　　试件尺寸：150mm，尺寸折算系数＝1.00",
        "二、各组试件的强度代表值：",
        "　　第1组：40.0，46.0，34.0（MPa），取平均值：（40.0＋46.0＋34.0）／3×1.00＝40.0（MPa）",
        "　　第2组：33.3，38.4，33.0（MPa），最大值与中间值之差超过中间值的15%，取中间值：33.3×1."
        "00＝33.3（MPa）",
        "　　第3组：30.0，40.0，20.0（MPa），最大值和最小值与中间值之差均超过中间值的15%"
        "，无效，不参与评定",
        "　　第4组：强度代表值33.6（MPa），33.6×1.00＝33.6（MPa）",
        "三、统计计算：",
        "　　有效试件组数 n＝3（第3组无效，不参与评定）",
        "　　强度平均值 mfcu＝Σfcu,i／n＝106.9／3≈35.6（MPa）",
        "　　强度最小值 fcu,min＝33.3（MPa）",
        "　　合格评定系数：λ3＝1.15，λ4＝0.95",
        "四、合格条件：",
        "　　（1）mfcu≥λ3×fcu,k",
        "　　　　1.15×30.0＝34.50（MPa），mfcu＝35.6≥34.50，满足",
        "　　（2）fcu,min≥λ4×fcu,k",
        "　　　　0.95×30.0＝28.50（MPa），fcu,min＝33.3≥28.50，满足",
        "五、评定结论：",
        "　　该检验批混凝土强度合格。",
    };
    EXPECT_EQ(Lines(Evaluate(in).report), expected);
}

// The worked C30 sheet: Sfcu's working and a bound rounded half up.
TEST(Evaluation, ReportShowsTheRoundedBoundAndTheFailedCondition)
{
    const std::string report
        = Evaluate(Batch(300, { 336, 381, 289, 306, 353, 361, 342, 333, 317, 298 })).report;
    for (const char* line : { "　　强度平均值 mfcu＝Σfcu,i／n＝331.6／10＝33.16≈33.2（MPa）\r\n",
             "　　强度标准差 "
             "Sfcu＝√［（Σfcu,i²－(Σfcu,i)²／n）／（n－1）］＝√［（11072.90－331.6²／10）／9］＝2."
             "93（MPa）\r\n",
             "　　　　30.0＋1.15×2.93＝33.3695≈33.37（MPa），mfcu＝33.2＜33.37，不满足\r\n",
             "　　该检验批混凝土强度不合格（不满足条件（1）mfcu≥fcu,k＋λ1×Sfcu）。\r\n" }) {
        EXPECT_NE(report.find(line), std::string::npos) << line;
    }
}

TEST(GroupInput, LinesAndValues)
{
    struct Row
    {
        const char* text;
        GroupLineCheck check;
        std::vector<std::int64_t> strengths;
        std::string value = {}; // the value named as refused
    };
    const Row rows[] = {
        { "33.3 38.4\t33.0", GroupLineCheck::Accepted, { 333, 384, 330 } },
        { " 33.25,38.44 ，33 ", GroupLineCheck::Accepted, { 333, 384, 330 } },
        { "500", GroupLineCheck::Accepted, { 5000 } },
        { "0.05", GroupLineCheck::Accepted, { 1 } },
        { "500.04", GroupLineCheck::OutOfRange, {}, "500.04" },
        { "30 -1 30", GroupLineCheck::OutOfRange, {}, "-1" },
        { "0.04", GroupLineCheck::NotPositive, {}, "0.04" },
        { "30 abc", GroupLineCheck::NotANumber, {}, "abc" },
        { "", GroupLineCheck::NotANumber, {} },
        { "30 31", GroupLineCheck::WrongCount, {} },
        { "30 31 32 33", GroupLineCheck::WrongCount, {} },
        { "３５．５ ３６、３４．８", GroupLineCheck::Accepted, { 355, 360, 348 } },
        { "35,5 36,2 34,8", GroupLineCheck::WrongCount, {} },
        // A value is read whole: one longer than the box's 31 characters is
        // no number, though its first 31 would be 3.0 or 30.
        { "30.0000000000000000000000000000 31 32", GroupLineCheck::Accepted, { 300, 310, 320 } },
        { "3.00000000000000000000000000000e1", GroupLineCheck::NotANumber, {},
            "3.00000000000000000000000000000e1" },
        { "30.000000000000000000000000000000xyz 31 32", GroupLineCheck::NotANumber, {},
            "30.000000000000000000000000000000xyz" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const GroupLineEntry e = ReadGroupLine(row.text);
        EXPECT_EQ(e.check, row.check);
        EXPECT_EQ(e.group.strengths, row.strengths);
        EXPECT_EQ(e.message.empty(), row.check == GroupLineCheck::Accepted);
        EXPECT_EQ(e.value, row.value);
    }
    // A comma between digits was meant as a decimal point: the count message says why.
    const std::string comma = "逗号";
    EXPECT_NE(ReadGroupLine("35,5 36,2 34,8").message.find(comma), std::string::npos);
    EXPECT_EQ(ReadGroupLine("30, 31").message.find(comma), std::string::npos);
}

TEST(Evaluation, EveryInputTheLimitsAcceptIsEvaluated)
{
    // Up to 100,000 groups of up to 500 MPa times 1.5: the variance's
    // numerator nears 2^63 and its root must not overflow. Expected Sfcu
    // from an independent exact computation.
    const struct
    {
        std::vector<std::int64_t> pattern; // 0.1 MPa, repeated
        int n;
        std::int64_t factor;
        std::int64_t sd; // 0.01 MPa
    } rows[] = {
        { { 5000, 1, 1 }, 60758, 150, 35346 },
        { { 1, 5000, 5000 }, 100000, 150, 35346 },
        { { 5000, 1 }, 100000, 150, 37490 },
        { { 5000, 1 }, 100000, 50, 12495 },
        { { 5000 }, 100000, 150, 0 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.n);
        EvaluationInputs in;
        for (int i = 0; i < row.n; ++i)
            in.groups.push_back({ { row.pattern[static_cast<size_t>(i) % row.pattern.size()] } });
        in.factor = row.factor;
        const EvaluationOutcome out = Evaluate(in);
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        EXPECT_EQ(out.n, row.n);
        EXPECT_EQ(out.sd, row.sd);
    }
}

TEST(GroupInput, PastedBlockIsAllOrNothing)
{
    const GroupBlock good = ReadGroupBlock("\xEF\xBB\xBF"
                                           "33.6\t38.1\t28.9\r\n\r\n30.6\r\n");
    EXPECT_EQ(good.badLine, 0);
    ASSERT_EQ(good.groups.size(), 2u);
    EXPECT_EQ(good.groups[1].strengths, (std::vector<std::int64_t> { 306 }));

    const GroupBlock bad = ReadGroupBlock("33.6\t38.1\t28.9\n30.6\n31.2\t\t29\n35");
    EXPECT_TRUE(bad.groups.empty());
    EXPECT_EQ(bad.badLine, 3);
    EXPECT_EQ(GroupBlockNotice(bad),
        "第3行“31.2  29”有误：每组应为3个试件强度或1个强度代表值。\n未添加任何试件组。");
}
