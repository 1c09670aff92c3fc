// Golden reports of the three worked examples, compared line by line.

#include "mix2/mix2calc.h"
#include "mix2/mix2lists.h"
#include "mix2golden.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A report is "\r\n" before each line and one more after the last.
Lines SplitReport(const std::string& report)
{
    Lines lines;
    EXPECT_EQ(report.rfind("\r\n", 0), 0u) << "the report begins with a line break";
    EXPECT_GE(report.size(), 4u);
    EXPECT_EQ(report.substr(report.size() - 2), "\r\n") << "the report ends with a line break";
    std::size_t pos = 2;
    while (pos < report.size()) {
        const std::size_t end = report.find("\r\n", pos);
        lines.push_back(report.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

void ExpectLines(const std::string& report, const Lines& expected)
{
    const Lines actual = SplitReport(report);
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());
}

Lines operator+(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Heading, requirements, materials and steps 1 and 2 with the opening values:
// the opening report up to the powder lines, which depend on the classes.
const Lines kOpeningHead = [] {
    const Lines all = Mix2OpeningReportLines();
    const auto powders = std::find(all.begin(), all.end(), "　　3.计算粉体材料单位体积用量：");
    return Lines(all.begin(), powders + 1);
}();

const char* const kCompareLine
    = "　　4.对比自密实混凝土规程所推荐的单位体积粉体量160～230L，水粉比0.8～"
      "1.15，单位体积浆体量320～400L。";

Mix2Outcome Press(const Mix2Members& m)
{
    return CalculateMix2({ m, Mix2Selections {} });
}

TEST(Mix2Report, OpeningValuesGiveTheFullReport)
{
    const Mix2Outcome out = Press(Mix2Members {});
    ASSERT_FALSE(out.stopped);
    EXPECT_TRUE(out.passed);
    ExpectLines(out.report, Mix2OpeningReportLines());
}

TEST(Mix2Report, InertFillerAndNoSecondPowder)
{
    Mix2Members m;
    ApplyPowderKind(m, 1, 6);
    ApplyPowderKind(m, 2, 0);
    m.powder1InertVol = 70;
    const Mix2Outcome out = Press(m);
    ASSERT_FALSE(out.stopped);
    EXPECT_TRUE(out.passed);
    EXPECT_TRUE(out.messages.empty());
    ExpectLines(out.report,
        kOpeningHead
            + Lines {
                "　　　采用惰性掺合料，表观密度 ρf1＝ 2.23（g/cm3）",
                "　　　　　惰性掺合料用量 Vf1＝70.0（L）",
                "　　　　　　　　　　 　　Mf1＝Vf1×ρf1＝156.1（kg）",
                "　　　　　　　取代水泥量 Mc1＝0（kg）",
                "　　　　　　　胶凝材料量 Mj1＝0（kg）",
                "　　　没有采用粉体材料二，所以：",
                "　　　　　粉体二用量 Mf2＝0.0（kg）",
                "　　　　　　　　　　 Vf2＝0.0（L）",
                "　　　　　取代水泥量 Mc2＝0（kg）",
                "　　　　　胶凝材料量 Mj2＝0（kg）",
                "　　　使用粉体材料后实际水泥用量：",
                "　　　　　Mc＝Mco－Mc1－Mc2＝300.0（kg）",
                "　　　　　Vc＝Mc／ρc＝96.8（L）",
                kCompareLine,
                "　　　　　粉体量Vf＝Vc＋Vf1＋Vf2＝166.8（L）",
                "　　　　　水粉比＝Vw／Vf＝1.08",
                "　　　　　浆体量＝Vw＋Vf＝346.8（L）",
                "　　　符合自密实混凝土规程推荐的要求。",
                "　　5.确定单位体积粗骨料体积用量 Vg：",
                "　　　根据自密实性能等级，选取单位体积粗骨料绝对体积＝0.320（m3）",
                "　　　　　即粗骨料用量 Vg＝320.0（L）",
                "　　　　　　　　　　　 Mg＝Vg×ρg＝864.0（kg）",
                "　　6.计算细骨料单位体积用量：",
                "　　　选取含气量为 3.00（%）",
                "　　　即单位体积含气量 Vgas＝30.0（L）",
                "　　　细骨料用量 Vs＝1000－Vw－Vf－Vg－Vgas＝303.2（L）",
                "　　　　　　　　 Ms＝Vs×ρs＝809.5（kg）",
                "　　7.计算水胶比：",
                "　　　胶凝材料用量 Mj＝Mc＋Mj1＋Mj2＝300.0（kg）",
                "　　　水胶比＝Mw／（Mc＋Mj1＋Mj2）＝0.60",
                "四、配合比设计成果：",
                "　　　自密实混凝土强度等级：C30",
                "　　　自密实性能等级：二级",
                "　　　坍落扩展目标值（mm）：650±50",
                "　　　Ｖ漏斗通过时间目标值（s）：7～25",
                "　　　水胶比（质量）：0.60",
                "　　　水粉比（体积）：1.08",
                "　　　含气量（％）：3.00",
                "　　　粗骨料最大粒径（mm）：20",
                "　　　单位体积粗骨料绝对体积（m3）：0.3200",
                "　　　单位体积材料用量：",
                "　　　　　　水　Ｗ： 体积用量（L）＝180.0，质量用量（kg）＝180.0",
                "　　　　　水泥　Ｃ： 体积用量（L）＝96.8，质量用量（kg）＝300.0",
                "　　　　惰性料　Ｆ1：体积用量（L）＝70.0，质量用量（kg）＝156.1",
                "　　　　粉体二　Ｆ2：体积用量（L）＝0.0，质量用量（kg）＝0.0",
                "　　　　细骨料　Ｓ： 体积用量（L）＝303.2，质量用量（kg）＝809.5",
                "　　　　粗骨料　Ｇ： 体积用量（L）＝320.0，质量用量（kg）＝864.0",
            });
}

TEST(Mix2Report, NoPowdersFailTheCheckAndEndAfterStepFour)
{
    Mix2Members m;
    ApplyPowderKind(m, 1, 0);
    ApplyPowderKind(m, 2, 0);
    const Mix2Outcome out = Press(m);
    ASSERT_FALSE(out.stopped);
    EXPECT_FALSE(out.passed);
    ExpectLines(out.report,
        kOpeningHead
            + Lines {
                "　　　没有采用粉体材料一，所以：",
                "　　　　　粉体一用量 Mf1＝0.0（kg）",
                "　　　　　　　　　　 Vf1＝0.0（L）",
                "　　　　　取代水泥量 Mc1＝0（kg）",
                "　　　　　胶凝材料量 Mj1＝0（kg）",
                "　　　没有采用粉体材料二，所以：",
                "　　　　　粉体二用量 Mf2＝0.0（kg）",
                "　　　　　　　　　　 Vf2＝0.0（L）",
                "　　　　　取代水泥量 Mc2＝0（kg）",
                "　　　　　胶凝材料量 Mj2＝0（kg）",
                "　　　使用粉体材料后实际水泥用量：",
                "　　　　　Mc＝Mco－Mc1－Mc2＝300.0（kg）",
                "　　　　　Vc＝Mc／ρc＝96.8（L）",
                kCompareLine,
                "　　　　　粉体量Vf＝Vc＋Vf1＋Vf2＝96.8（L）　　　粉体量＜160升，不符合。",
                "　　　　　水粉比＝Vw／Vf＝1.86　　　水粉比＞1.15，不符合。",
                "　　　　　浆体量＝Vw＋Vf＝276.8（L）　　　浆体量＜320升，不符合。",
            });

    // The failure is one notice of four lines; the blank before 升 is the
    // notice's, not the report's.
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].kind, MessageKind::Warn);
    EXPECT_EQ(out.messages[0].text,
        "粉体量＝96.8＜160 升，不符合。\n"
        "水粉比＝1.86＞1.15，不符合。\n"
        "浆体量＝276.8＜320升，不符合。\n"
        "不符合自密实性能要求，请重新设计。");
}

TEST(Mix2Report, HighRemarksStandOnTheirLines)
{
    // An inert filler of 133.3 L: Vf 230.1, W/P 0.78, Vpaste 410.1 fail high, low, high.
    Mix2Members m;
    ApplyPowderKind(m, 1, 6);
    ApplyPowderKind(m, 2, 0);
    m.powder1InertVol = 133.3;
    const Mix2Outcome out = Press(m);
    ASSERT_FALSE(out.passed);
    const Lines lines = SplitReport(out.report);
    ASSERT_EQ(lines.size(), kOpeningHead.size() + 17);
    EXPECT_EQ(lines[lines.size() - 3],
        "　　　　　粉体量Vf＝Vc＋Vf1＋Vf2＝230.1（L）　　　粉体量＞230升，不符合。");
    EXPECT_EQ(lines[lines.size() - 2], "　　　　　水粉比＝Vw／Vf＝0.78　　　水粉比＜0.8，不符合。");
    EXPECT_EQ(lines[lines.size() - 1],
        "　　　　　浆体量＝Vw＋Vf＝410.1（L）　　　浆体量＞400升，不符合。");
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].text,
        "粉体量＝230.1＞230 升，不符合。\n"
        "水粉比＝0.78＜0.8，不符合。\n"
        "浆体量＝410.1＞400升，不符合。\n"
        "不符合自密实性能要求，请重新设计。");
}

TEST(Mix2Report, NegativeFineAggregatePrintsItsSign)
{
    // 0.686 m3 of coarse aggregate leaves 1000 - 180 - 160.4 - 686 - 30 = -56.4 L of sand.
    Mix2Members m;
    m.coarseVolume = 0.686;
    const Mix2Outcome out = Press(m);
    ASSERT_TRUE(out.passed);
    const Lines lines = SplitReport(out.report);
    ASSERT_EQ(lines.size(), 73u);
    EXPECT_EQ(lines[45], "　　　根据自密实性能等级，选取单位体积粗骨料绝对体积＝0.686（m3）");
    EXPECT_EQ(lines[51], "　　　细骨料用量 Vs＝1000－Vw－Vf－Vg－Vgas＝-56.4（L）");
    EXPECT_EQ(lines[52], "　　　　　　　　 Ms＝Vs×ρs＝-150.6（kg）");
    EXPECT_EQ(lines[71], "　　　　细骨料　Ｓ： 体积用量（L）＝-56.4，质量用量（kg）＝-150.6");
    EXPECT_DOUBLE_EQ(out.members.volSand, -56.4);
}

} // namespace
