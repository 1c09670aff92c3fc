// Checks, messages and write-back of a method-2 press.

#include "mix2/mix2calc.h"
#include "mix2/mix2lists.h"

#include "common/numberrule.h"
#include "common/reportnum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kBadInput = "请检查，输入的数值有错误。";
const std::string kWater = "规程要求：用水量取值范围是：155～180（kg）。";
const std::string kReplace
    = "取代水泥系数有最大限值要求，与混凝土种类和水泥类型相关，详细请参阅规程。";
const std::string kExcessStop = "超量系数应大于1。";
const std::string kExcessWarn = "超量系数通常取值范围：1.1～1.7，等量时取1。";
const std::string kAir = "含气量通常取值范围是：1.5～4.0％。";
const std::string kSum = "两种粉体材料取代系数之和应小于50％，即取代水泥上限不超过50％。";
const std::string kWc = "《普通混凝土配合比设计规程》规定最大水灰比不超过0.7，请重新设计。";
const std::string kCement
    = "《普通混凝土配合比设计规程》规定最小水泥用量不低于200kg，请重新设计。。";
const std::string kInvalid = "计算结果无效，请检查输入的数值。";
const std::string kSf2Range
    = "规程要求：\n二级密实性能，单位体积粗骨料绝对体积取值范围是：0.30--0.33（m3）。";

Mix2Outcome Press(const Mix2Members& m, const Mix2Selections& lists = {})
{
    return CalculateMix2({ m, lists });
}

std::vector<std::string> Texts(const Mix2Outcome& out)
{
    std::vector<std::string> texts;
    for (const Message& msg : out.messages)
        texts.push_back(msg.text);
    return texts;
}

bool Says(const Mix2Outcome& out, const std::string& text)
{
    const auto texts = Texts(out);
    return std::count(texts.begin(), texts.end(), text) == 1;
}

bool Mentions(const Mix2Outcome& out, const std::string& piece)
{
    for (const Message& msg : out.messages) {
        if (msg.text.find(piece) != std::string::npos)
            return true;
    }
    return false;
}

// Powder 1 an inert filler of the given volume, powder 2 none: Vf = 96.8 + volume
// with the opening water (or the cement of whatever water is chosen).
Mix2Members InertOnly(double volume, double water = 180)
{
    Mix2Members m;
    ApplyPowderKind(m, 1, 6);
    ApplyPowderKind(m, 2, 0);
    m.powder1InertVol = volume;
    m.water = water;
    return m;
}

// --- the worked example -----------------------------------------------------

TEST(Mix2Calc, OpeningValuesGiveTheWorkedExample)
{
    const Mix2Outcome out = Press(Mix2Members {});
    ASSERT_FALSE(out.stopped);
    ASSERT_TRUE(out.passed);
    // 1.86 and 1.93 exceed 1.7: the only message, shown once.
    ASSERT_EQ(Texts(out), std::vector<std::string> { kExcessWarn });
    EXPECT_EQ(out.messages[0].kind, MessageKind::Warn);

    const Mix2Work& w = out.work;
    EXPECT_DOUBLE_EQ(w.fcuO, 34.935);
    EXPECT_DOUBLE_EQ(w.fce, 54.4);
    EXPECT_DOUBLE_EQ(w.wc, 0.60);
    EXPECT_DOUBLE_EQ(w.mco, 300.0);
    EXPECT_DOUBLE_EQ(w.vco, 96.8);
    EXPECT_DOUBLE_EQ(w.mf1, 111.6);
    EXPECT_DOUBLE_EQ(w.vf1, 50.0);
    EXPECT_DOUBLE_EQ(w.mc1, 60.0);
    EXPECT_DOUBLE_EQ(w.mf2, 173.7);
    EXPECT_DOUBLE_EQ(w.vf2, 62.0);
    EXPECT_DOUBLE_EQ(w.mc2, 90.0);
    EXPECT_DOUBLE_EQ(w.mc, 150.0);
    EXPECT_DOUBLE_EQ(w.vc, 48.4);
    EXPECT_DOUBLE_EQ(w.vf, 160.4);
    EXPECT_DOUBLE_EQ(w.wp, 1.12);
    EXPECT_DOUBLE_EQ(w.vpaste, 340.4);
    EXPECT_DOUBLE_EQ(w.vg, 320.0);
    EXPECT_DOUBLE_EQ(w.mg, 864.0);
    EXPECT_DOUBLE_EQ(w.vgas, 30.0);
    EXPECT_DOUBLE_EQ(w.vs, 309.6);
    EXPECT_DOUBLE_EQ(w.ms, 826.6);
    EXPECT_DOUBLE_EQ(w.mj, 435.3);
    EXPECT_DOUBLE_EQ(w.wb, 0.41);

    // The result boxes agree with the summary lines.
    const Mix2Members& m = out.members;
    EXPECT_DOUBLE_EQ(m.volWater, 180.0);
    EXPECT_DOUBLE_EQ(m.massWater, 180.0);
    EXPECT_DOUBLE_EQ(m.volCement, 48.4);
    EXPECT_DOUBLE_EQ(m.massCement, 150.0);
    EXPECT_DOUBLE_EQ(m.volPowder1, 50.0);
    EXPECT_DOUBLE_EQ(m.massPowder1, 111.6);
    EXPECT_DOUBLE_EQ(m.volPowder2, 62.0);
    EXPECT_DOUBLE_EQ(m.massPowder2, 173.7);
    EXPECT_DOUBLE_EQ(m.volSand, 309.6);
    EXPECT_DOUBLE_EQ(m.massSand, 826.6);
    EXPECT_DOUBLE_EQ(m.volCoarse, 320.0);
    EXPECT_DOUBLE_EQ(m.massCoarse, 864.0);
    // An active powder's computed volume goes into its inert field.
    EXPECT_DOUBLE_EQ(m.powder1InertVol, 50.0);
    EXPECT_DOUBLE_EQ(m.powder2InertVol, 62.0);
    // The grade handler ran.
    EXPECT_EQ(m.sfGrade, "二级");
    EXPECT_EQ(m.slumpFlow, "650±50");
    EXPECT_EQ(m.vFunnelTime, "7～25");
}

TEST(Mix2Calc, FailedCheckWritesNoResultsButTheWaterAndInertFields)
{
    Mix2Members m;
    ApplyPowderKind(m, 1, 0);
    ApplyPowderKind(m, 2, 0);
    m.water = 180.04;
    m.powder1InertVol = 70; // left over from an earlier inert choice
    m.volSand = 123.4; // a result of an earlier press
    m.massCoarse = 987.6;
    const Mix2Outcome out = Press(m);
    ASSERT_FALSE(out.stopped);
    ASSERT_FALSE(out.passed);
    EXPECT_TRUE(out.check.powderLow && out.check.ratioHigh && out.check.pasteLow);
    EXPECT_FALSE(out.check.powderHigh || out.check.ratioLow || out.check.pasteHigh);
    EXPECT_DOUBLE_EQ(out.members.volSand, 123.4);
    EXPECT_DOUBLE_EQ(out.members.massCoarse, 987.6);
    EXPECT_DOUBLE_EQ(out.members.volWater, 0);
    EXPECT_DOUBLE_EQ(out.members.water, 180.0);
    EXPECT_DOUBLE_EQ(out.members.powder1InertVol, 0);
    EXPECT_DOUBLE_EQ(out.members.powder2InertVol, 0);
    // Steps 10 to 12 did not run.
    EXPECT_EQ(out.work.vg, 0);
    EXPECT_EQ(out.work.mj, 0);
}

// --- the input checks -------------------------------------------------------

struct InputCase
{
    const char* name;
    std::function<void(Mix2Members&)> spoil;
};

class Mix2InputCheck : public ::testing::TestWithParam<InputCase>
{
};

TEST_P(Mix2InputCheck, StopsWithOnlyItsMessage)
{
    Mix2Members m;
    m.coarseVolume = 0.5; // would bring the grade notice if the check let it through
    m.water = 100; // and the water warning
    GetParam().spoil(m);
    const Mix2Outcome out = Press(m);
    EXPECT_TRUE(out.stopped);
    EXPECT_FALSE(out.passed);
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].kind, MessageKind::Stop);
    EXPECT_EQ(out.messages[0].text, kBadInput);
    EXPECT_TRUE(out.report.empty());
    // Stopped before the grade handler: nothing changed.
    EXPECT_EQ(out.members.sfGrade, "");
    EXPECT_EQ(out.members.water, m.water);
}

INSTANTIATE_TEST_SUITE_P(Each, Mix2InputCheck,
    ::testing::Values(InputCase { "sigma_negative", [](Mix2Members& m) { m.stdDev = -0.1; } },
        InputCase { "surplus_0_99", [](Mix2Members& m) { m.cementSurplus = 0.99; } },
        InputCase { "cement_density_0", [](Mix2Members& m) { m.cementDensity = 0; } },
        InputCase { "air_negative", [](Mix2Members& m) { m.airContent = -1; } },
        InputCase { "coarse_volume_negative", [](Mix2Members& m) { m.coarseVolume = -0.01; } },
        InputCase { "coarse_density_0", [](Mix2Members& m) { m.coarseDensity = 0; } },
        InputCase { "sand_density_0", [](Mix2Members& m) { m.sandDensity = 0; } },
        InputCase { "water_negative", [](Mix2Members& m) { m.water = -1; } },
        InputCase { "unused_powder1_density_0",
            [](Mix2Members& m) {
                ApplyPowderKind(m, 1, 0);
                m.powder1Density = 0;
            } },
        InputCase { "powder2_density_negative", [](Mix2Members& m) { m.powder2Density = -2.8; } },
        InputCase { "inert_powder1_replace_negative",
            [](Mix2Members& m) {
                ApplyPowderKind(m, 1, 6);
                m.powder1Replace = -1;
            } },
        InputCase { "powder2_replace_negative", [](Mix2Members& m) { m.powder2Replace = -5; } },
        InputCase { "active_powder1_inert_volume_negative",
            [](Mix2Members& m) { m.powder1InertVol = -1; } },
        InputCase {
            "powder2_inert_volume_negative", [](Mix2Members& m) { m.powder2InertVol = -0.1; } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mix2Calc, ZeroSigmaPassesTheInputCheck)
{
    Mix2Members m;
    m.stdDev = 0;
    const Mix2Outcome out = Press(m);
    EXPECT_FALSE(out.stopped);
    EXPECT_DOUBLE_EQ(out.work.fcuO, 30.0);
}

// --- the plausibility warnings and the excess check -------------------------

TEST(Mix2Calc, WaterIsJudgedAsEnteredWithBothBoundsAccepted)
{
    for (double water : { 155.0, 180.0 }) {
        SCOPED_TRACE(water);
        EXPECT_FALSE(Says(Press(InertOnly(70, water)), kWater));
    }
    for (double water : { 154.9, 180.1, 180.04 }) {
        SCOPED_TRACE(water);
        EXPECT_TRUE(Says(Press(InertOnly(70, water)), kWater));
    }
    // 180.04 warns, then is used, printed and shown as 180.0.
    const Mix2Outcome out = Press(InertOnly(70, 180.04));
    EXPECT_DOUBLE_EQ(out.work.water, 180.0);
    EXPECT_DOUBLE_EQ(out.members.water, 180.0);
    EXPECT_NE(out.report.find("Mw＝180.0（kg）"), std::string::npos);
}

TEST(Mix2Calc, ReplacementWarningsCountEveryPowderField)
{
    Mix2Members m = InertOnly(70); // neither powder replaces cement
    m.powder1Replace = 50;
    m.powder2Replace = 0;
    EXPECT_TRUE(Press(m).messages.empty()) << "50 and a sum of 50 are accepted";

    m.powder1Replace = 50.1;
    Mix2Outcome out = Press(m);
    EXPECT_TRUE(Says(out, kReplace));
    EXPECT_TRUE(Says(out, kSum));

    m.powder1Replace = 20;
    m.powder2Replace = 30.1; // powder 2 is none, its field still counts
    out = Press(m);
    EXPECT_FALSE(Says(out, kReplace));
    EXPECT_TRUE(Says(out, kSum));

    m.powder1Replace = 60;
    m.powder2Replace = 70;
    out = Press(m);
    EXPECT_TRUE(Says(out, kReplace)) << "one warning for both powders";
}

TEST(Mix2Calc, ExcessCoefficientOnActivePowders)
{
    Mix2Members m;
    m.powder2Excess = 1.5;
    m.powder1Excess = 1;
    Mix2Outcome out = Press(m);
    EXPECT_FALSE(out.stopped);
    EXPECT_FALSE(Says(out, kExcessWarn));

    m.powder1Excess = 1.7;
    EXPECT_FALSE(Says(Press(m), kExcessWarn));

    m.powder1Excess = 1.71;
    EXPECT_TRUE(Says(Press(m), kExcessWarn));

    m.powder1Excess = 0.99;
    out = Press(m);
    EXPECT_TRUE(out.stopped);
    EXPECT_TRUE(out.report.empty());
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_EQ(out.messages[0].kind, MessageKind::Stop);
    EXPECT_EQ(out.messages[0].text, kExcessStop);
    // Only the grade handler has run; the water is not rounded.
    EXPECT_EQ(out.members.sfGrade, "二级");

    // The stop takes precedence over the other powder's warning.
    m.powder2Excess = 1.8;
    out = Press(m);
    EXPECT_EQ(Texts(out), std::vector<std::string> { kExcessStop });

    // Both powders above 1.7: one warning.
    m.powder1Excess = 1.8;
    EXPECT_TRUE(Says(Press(m), kExcessWarn));
}

TEST(Mix2Calc, ExcessCoefficientOfUnusedPowdersIsIgnored)
{
    for (int kind : { 0, 6 }) {
        SCOPED_TRACE(kind);
        Mix2Members m;
        m.powder2Excess = 1.5;
        ApplyPowderKind(m, 1, kind);
        m.powder1InertVol = 70;
        m.powder1Excess = 0.5;
        Mix2Outcome out = Press(m);
        EXPECT_FALSE(out.stopped);
        EXPECT_FALSE(Says(out, kExcessStop));
        m.powder1Excess = 1.71;
        EXPECT_FALSE(Says(Press(m), kExcessWarn));
    }
}

TEST(Mix2Calc, AirWarnsOnlyAboveFour)
{
    for (double air : { 4.0, 0.5 }) {
        Mix2Members m = InertOnly(70);
        m.airContent = air;
        EXPECT_TRUE(Press(m).messages.empty()) << air;
    }
    Mix2Members m = InertOnly(70);
    m.airContent = 4.01;
    EXPECT_EQ(Texts(Press(m)), std::vector<std::string> { kAir });
}

// --- the warnings on rounded values -----------------------------------------

TEST(Mix2Calc, WaterCementRatioOfExactlyPointSevenPasses)
{
    Mix2Members m = InertOnly(70);
    Mix2Selections lists;
    lists.strengthGrade = 4; // C25
    m.stdDev = 2.24; // w/c 0.700021 rounds to 0.70
    Mix2Outcome out = Press(m, lists);
    EXPECT_NE(out.report.find("＝0.70\r\n"), std::string::npos);
    EXPECT_FALSE(Says(out, kWc));

    m.stdDev = 2.0; // 0.7075 rounds to 0.71
    out = Press(m, lists);
    EXPECT_TRUE(Says(out, kWc));
}

TEST(Mix2Calc, CementOfExactlyTwoHundredPasses)
{
    Mix2Members m = InertOnly(70, 120); // 120 / 0.60
    Mix2Outcome out = Press(m);
    EXPECT_DOUBLE_EQ(out.work.mco, 200.0);
    EXPECT_FALSE(Says(out, kCement));

    m.water = 119.9; // Mco 199.8
    out = Press(m);
    EXPECT_TRUE(Says(out, kCement));
}

TEST(Mix2Calc, ValuesLeftUnroundedCarryTheirDigitsOn)
{
    // Powder 2's replaced cement: 30.15 % of 300.0 is 90.45, and 300 - 60 - 90.45
    // rounds to 149.6; a rounded 90.5 would give 149.5.
    Mix2Members m;
    m.powder2Replace = 30.15;
    Mix2Outcome out = Press(m);
    EXPECT_DOUBLE_EQ(out.work.mc2, 90.45);
    EXPECT_DOUBLE_EQ(out.work.mc, 149.6);

    // The sand takes 1000 × Vg,abs = 320.05 as it is, not the rounded Vg 320.1.
    m = Mix2Members {};
    m.coarseVolume = 0.32005;
    out = Press(m);
    EXPECT_DOUBLE_EQ(out.work.vg, 320.1);
    EXPECT_DOUBLE_EQ(out.work.vs, 309.6);
}

// --- the self-compacting check at its bounds --------------------------------

struct BoundCase
{
    const char* name;
    double inertVolume; // powder 1 inert, powder 2 none
    double water;
    const char* failedLine; // nullptr: the condition passes
};

class Mix2CheckBound : public ::testing::TestWithParam<BoundCase>
{
};

TEST_P(Mix2CheckBound, EachConditionAtAndBeyondItsEdge)
{
    const BoundCase& c = GetParam();
    const Mix2Outcome out = Press(InertOnly(c.inertVolume, c.water));
    ASSERT_FALSE(out.stopped);
    if (c.failedLine) {
        EXPECT_TRUE(Mentions(out, c.failedLine)) << out.report;
        return;
    }
    // A value on its bound brings no line of its quantity.
    const std::string name = c.name;
    const char* label = name.rfind("vf_", 0) == 0 ? "粉体量＝"
        : name.rfind("wp_", 0) == 0               ? "水粉比＝"
                                                  : "浆体量＝";
    EXPECT_FALSE(Mentions(out, label)) << out.report;
}

INSTANTIATE_TEST_SUITE_P(Bounds, Mix2CheckBound,
    ::testing::Values( //
        BoundCase { "vf_160_0_passes", 63.2, 180, nullptr },
        BoundCase { "vf_159_9_fails", 63.1, 180, "粉体量＝159.9＜160 升，不符合。\n" },
        BoundCase { "vf_230_0_passes", 133.2, 180, nullptr },
        BoundCase { "vf_230_1_fails", 133.3, 180, "粉体量＝230.1＞230 升，不符合。\n" },
        BoundCase { "wp_1_15_passes", 61.1, 184, nullptr },
        BoundCase { "wp_1_16_fails", 60.3, 186, "水粉比＝1.16＞1.15，不符合。\n" },
        BoundCase { "wp_0_80_passes", 128.2, 180, nullptr },
        BoundCase { "wp_0_79_fails", 131.2, 180, "水粉比＝0.79＜0.8，不符合。\n" },
        BoundCase { "paste_320_0_passes", 74.0, 160, nullptr },
        BoundCase { "paste_319_9_fails", 73.9, 160, "浆体量＝319.9＜320升，不符合。\n" },
        BoundCase { "paste_400_0_passes", 92.5, 200, nullptr },
        BoundCase { "paste_400_1_fails", 92.6, 200, "浆体量＝400.1＞400升，不符合。\n" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mix2Calc, AllBoundsAtOnceStillPass)
{
    // Vf 160.0 and W/P 1.15: 115 * 0.01 lies above 1.15 in binary, yet passes.
    Mix2Outcome out = Press(InertOnly(61.1, 184));
    EXPECT_TRUE(out.passed);
    EXPECT_DOUBLE_EQ(out.work.vf, 160.0);
    EXPECT_DOUBLE_EQ(out.work.wp, 1.15);
    // Vf 160.0 and Vpaste 320.0; Vf 200.0 and Vpaste 400.0.
    EXPECT_TRUE(Press(InertOnly(74.0, 160)).passed);
    EXPECT_TRUE(Press(InertOnly(92.5, 200)).passed);
}

// --- order, invalid results, repetition -------------------------------------

TEST(Mix2Calc, MessagesComeInStepOrder)
{
    Mix2Members m;
    m.coarseVolume = 0.35; // outside 二级
    m.water = 150;
    m.powder1Replace = 60;
    m.powder1Excess = 1.8;
    m.airContent = 5;
    Mix2Selections lists;
    lists.strengthGrade = 2; // C15: w/c 0.91, Mco 164.8
    const Mix2Outcome out = Press(m, lists);
    ASSERT_FALSE(out.stopped);
    EXPECT_FALSE(out.passed);
    const std::vector<std::string> expected { kSf2Range, kWater, kReplace, kExcessWarn, kAir, kSum,
        kWc, kCement,
        "粉体量＝119.2＜160 升，不符合。\n"
        "水粉比＝1.26＞1.15，不符合。\n"
        "浆体量＝269.2＜320升，不符合。\n"
        "不符合自密实性能要求，请重新设计。" };
    EXPECT_EQ(Texts(out), expected);
    for (const Message& msg : out.messages)
        EXPECT_EQ(msg.kind, MessageKind::Warn);
}

TEST(Mix2Calc, InvalidResultsStopBeforeAnythingIsWritten)
{
    struct Case
    {
        const char* name;
        std::function<void(Mix2Members&, Mix2Selections&)> make;
    };
    const Case cases[] = {
        // No water and no powder volume: W/P is 0 / 0.
        { "vf_zero",
            [](Mix2Members& m, Mix2Selections&) {
                ApplyPowderKind(m, 1, 0);
                m.water = 0;
            } },
        // A huge σ rounds w/c to 0.00.
        { "wc_zero", [](Mix2Members& m, Mix2Selections&) { m.stdDev = 1e6; } },
        // A coarse density beyond range overflows the coarse mass.
        { "overflow", [](Mix2Members& m, Mix2Selections&) { m.coarseDensity = 1e308; } },
        // A report that ends at the check would still print the sand density.
        { "nan_input_printed_by_a_failed_check",
            [](Mix2Members& m, Mix2Selections&) {
                ApplyPowderKind(m, 1, 0);
                m.sandDensity = std::nan("");
            } },
        // Held values a list handler would have set, never refreshed.
        { "no_cement_grade",
            [](Mix2Members& m, Mix2Selections& l) {
                l.cementGrade = -1;
                m.cementGrade = 0; // fce 0: w/c 0
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mix2Members m = InertOnly(70);
        m.water = 180.04;
        Mix2Selections lists;
        c.make(m, lists);
        const Mix2Outcome out = Press(m, lists);
        EXPECT_TRUE(out.stopped);
        EXPECT_FALSE(out.passed);
        EXPECT_TRUE(out.report.empty());
        ASSERT_FALSE(out.messages.empty());
        EXPECT_EQ(out.messages.back().kind, MessageKind::Stop);
        EXPECT_EQ(out.messages.back().text, kInvalid);
        EXPECT_FALSE(Says(out, kCement)) << "no warning of the computation precedes the stop";
        EXPECT_EQ(out.members.water, m.water) << "the water is not rounded";
        EXPECT_EQ(out.members.powder1InertVol, 70);
    }
}

// The form shows each double with 15 significant digits and reads it back.
Mix2Members ThroughTheBoxes(Mix2Members m)
{
    for (double Mix2Members::*value : { &Mix2Members::coarseVolume, &Mix2Members::cementSurplus,
             &Mix2Members::stdDev, &Mix2Members::powder1Replace, &Mix2Members::powder2Replace,
             &Mix2Members::powder1Excess, &Mix2Members::powder2Excess, &Mix2Members::sandDensity,
             &Mix2Members::coarseDensity, &Mix2Members::airContent, &Mix2Members::powder1Density,
             &Mix2Members::powder2Density, &Mix2Members::water, &Mix2Members::volPowder1,
             &Mix2Members::volPowder2, &Mix2Members::volSand, &Mix2Members::volCement,
             &Mix2Members::volCoarse, &Mix2Members::volWater, &Mix2Members::massPowder1,
             &Mix2Members::massPowder2, &Mix2Members::massSand, &Mix2Members::massCement,
             &Mix2Members::massCoarse, &Mix2Members::massWater, &Mix2Members::cementDensity,
             &Mix2Members::powder1InertVol, &Mix2Members::powder2InertVol }) {
        const auto read = ParseNumberBox(FormatGeneral(m.*value, 15));
        EXPECT_TRUE(read.has_value()) << m.*value;
        m.*value = read.value_or(0);
    }
    return m;
}

TEST(Mix2Calc, PressingTwiceGivesTheSameReport)
{
    Mix2Members m;
    m.water = 180.04;
    const Mix2Outcome first = Press(m);
    const Mix2Outcome second = Press(ThroughTheBoxes(first.members));
    EXPECT_FALSE(first.report.empty());
    EXPECT_EQ(second.report, first.report);
    EXPECT_EQ(Texts(second), std::vector<std::string> { kExcessWarn }) << "the water now reads 180";
    EXPECT_EQ(Texts(first), (std::vector<std::string> { kWater, kExcessWarn }));
}

} // namespace
