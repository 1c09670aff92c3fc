#include "mix1/mix1calc.h"
#include "mix1/mix1report.h"
#include "mix1golden.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void ExpectSameLines(
    const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());
}

// Line n of the report, numbered from 1 with both alternatives of step 8
// counted (39 custom ratio, 40 computed), of which a report holds one.
std::string LineOf(const Mix1Outcome& outcome, std::size_t n)
{
    const auto lines = ReportLinesOf(outcome.report);
    const std::size_t index = n <= 40 ? n - 1 : n - 2;
    return index < lines.size() ? lines[index] : std::string("<missing>");
}

TEST(Mix1Report, OpeningValuesGiveTheWorkedExampleLineByLine)
{
    const Mix1Outcome outcome = CalculateMix1(Mix1Inputs {});
    ASSERT_FALSE(outcome.stopped);
    // Starts with the lone line end and ends every line, the last one too.
    EXPECT_EQ(outcome.report.substr(0, 2), "\r\n");
    EXPECT_EQ(outcome.report.substr(outcome.report.size() - 2), "\r\n");
    ExpectSameLines(ReportLinesOf(outcome.report), OpeningReportLines());
}

TEST(Mix1Report, PrintsVgAsEnteredAndAsRounded)
{
    // SF1 with 0.333: line 21 through the format, line 22 through rounding.
    Mix1Inputs in;
    in.performanceIndex = 0;
    ApplyPerformanceGrade(in);
    in.vg = 0.333;
    const Mix1Outcome outcome = CalculateMix1(in);
    ASSERT_FALSE(outcome.stopped);
    EXPECT_EQ(LineOf(outcome, 4), "　　自密实性能：SF1");
    EXPECT_EQ(LineOf(outcome, 5), "　　坍落扩展度＝550～655（mm）");
    EXPECT_EQ(LineOf(outcome, 21), "　　　根据自密实性能等级，选取粗骨料体积 Vg＝0.33（m3）");
    EXPECT_EQ(LineOf(outcome, 22), "　　　粗骨料用量: Vg＝0.33（m3）");
    // Mg is taken from Vg as entered, the volume from the rounded Vg.
    EXPECT_EQ(LineOf(outcome, 23), "　　　　　　　　  Mg＝Vg×ρg＝899.1（kg）");
    EXPECT_EQ(
        LineOf(outcome, 61), "　　　　粗骨料　：体积用量（L）＝330.00，质量用量（kg）＝899.1");

    // 0.345 is stored just below the tie, so the format prints 0.34, while
    // rounding at the scaled value (34.5 exactly) gives 0.35.
    in.vg = 0.345;
    const Mix1Outcome tie = CalculateMix1(in);
    ASSERT_FALSE(tie.stopped);
    EXPECT_EQ(LineOf(tie, 21), "　　　根据自密实性能等级，选取粗骨料体积 Vg＝0.34（m3）");
    EXPECT_EQ(LineOf(tie, 22), "　　　粗骨料用量: Vg＝0.35（m3）");
}

TEST(Mix1Report, CustomRatioPrintsLine39InsteadOf40)
{
    Mix1Inputs in;
    in.customRatio = true;
    in.wb = 0.4;
    const Mix1Outcome outcome = CalculateMix1(in);
    ASSERT_FALSE(outcome.stopped);
    EXPECT_EQ(LineOf(outcome, 38), "　　8.计算水胶比 (Mw/Mb)：");
    EXPECT_EQ(LineOf(outcome, 39), "　　　自定水胶比  (Mw/Mb)＝0.40");
    EXPECT_EQ(LineOf(outcome, 41), "　　9.计算胶凝材料质量 Mb：");
    EXPECT_EQ(LineOf(outcome, 58), "　　　水胶比：0.40");
    // The computed-ratio line is not there, and the report is as long as ever.
    const auto lines = ReportLinesOf(outcome.report);
    EXPECT_EQ(lines.size(), OpeningReportLines().size());
    for (const auto& line : lines)
        EXPECT_EQ(line.find("0.42×fce×1.1"), std::string::npos) << line;
}

TEST(Mix1Report, UnusedPowdersShowTheReplacedDensityAndZeroQuantities)
{
    Mix1Inputs in;
    in.beta1 = 0;
    in.rhoF = 0;
    in.beta2 = 0.25;
    const Mix1Outcome outcome = CalculateMix1(in);
    ASSERT_FALSE(outcome.stopped);
    EXPECT_EQ(LineOf(outcome, 12), "　　粉煤灰表观密度　　ρf＝2300（kg/m3）");
    EXPECT_EQ(LineOf(outcome, 14), "　　粉煤灰质量分数　　β1＝0.00");
    EXPECT_EQ(LineOf(outcome, 15), "　　矿渣粉质量分数　　β2＝0.25");
    EXPECT_EQ(LineOf(outcome, 48), "　　　　　Mf＝Mb×β1＝0.0（kg）");
    EXPECT_EQ(LineOf(outcome, 65), "　　　　粉煤灰　：体积用量（L）＝0.00，质量用量（kg）＝0.0");
}

TEST(Mix1Report, HeldGradeTextsAndTheChosenGradesArePrinted)
{
    Mix1Inputs in;
    in.strengthIndex = 0; // C7.5
    in.cementIndex = 0; // 22.5
    in.performanceText = "held";
    in.slumpFlowText = "held flow";
    const Mix1Outcome outcome = CalculateMix1(in);
    ASSERT_FALSE(outcome.stopped);
    EXPECT_EQ(LineOf(outcome, 4), "　　自密实性能：held");
    EXPECT_EQ(LineOf(outcome, 5), "　　坍落扩展度＝held flow（mm）");
    EXPECT_EQ(LineOf(outcome, 6), "　　混凝土强度 fcu,k＝7.5（MPa）");
    EXPECT_EQ(LineOf(outcome, 8), "　　水泥强度等级　　　fce,g＝22.5（MPa）");
    EXPECT_EQ(LineOf(outcome, 37), "　　　　　fcu,o＝fcu,k＋1.645×σ＝12.40（MPa）");
    EXPECT_EQ(LineOf(outcome, 54), "　　　自密实混凝土强度等级：C7.5");
    EXPECT_EQ(LineOf(outcome, 56), "　　　坍落扩展度（mm）：held flow");
    EXPECT_EQ(LineOf(outcome, 57), "　　　水泥强度等级：22.5（MPa）");
}

} // namespace
