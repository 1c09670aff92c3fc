#include "mix1/mix1calc.h"

#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <string>
#include <vector>

namespace {

// Message texts, as the user reads them.
const char* const kInputError = "输入的数值有错误，请更正。";
const char* const kFlyAshDensity = "粉煤灰表观密度输入有错误，请更正。";
const char* const kSlagDensity = "矿渣粉表观密度输入有错误，请更正。";
const char* const kFlyAshShare = "粉煤灰占胶凝材料质量分数应该≤0.3，请更正。";
const char* const kSlagShare = "矿渣粉占胶凝材料质量分数应该≤0.4，请更正。";
const char* const kPowderShare
    = "规程规定：粉煤灰、矿渣粉占胶凝材料质量分数不宜小于0.2，建议调整。";
const char* const kSandFraction = "规程规定：砂的体积分数取值范围是0.42～0.45，请重新选取。";
const char* const kVgRange = "规程规定：粗骨料体积取值范围是0.28～0.35，请重新选取。";
const char* const kAirRange = "规程规定：引入空气的体积取值范围是10～20 (L)，建议调整。";
const char* const kSf1 = "规程要求：\n自密实性能等级SF1，粗骨料体积取值范围是：0.32--0.35(m3)。";
const char* const kSf2 = "规程要求：\n自密实性能等级SF2，粗骨料体积取值范围是：0.30--0.33(m3)。";
const char* const kSf3 = "规程要求：\n自密实性能等级SF3，粗骨料体积取值范围是：0.28--0.30(m3)。";
const char* const kRatio = "规程要求：水胶比宜小于0.45，建议调整水胶比。";
const char* const kBinder = "规程要求：胶凝材料用量宜控制在400～500(kg/m3)之间。\n"
                            "现在的计算用量超出规程规定，建议调整参数。";
const char* const kInvalid = "计算结果无效，请检查输入的数值。";

using Setter = std::function<void(Mix1Inputs&)>;

Mix1Inputs With(const Setter& set)
{
    Mix1Inputs in;
    set(in);
    return in;
}

std::vector<std::string> Texts(const Messages& messages)
{
    std::vector<std::string> texts;
    for (const Message& m : messages)
        texts.push_back((m.kind == MessageKind::Stop ? "stop: " : "warn: ") + m.text);
    return texts;
}

std::string Stop(const char* text)
{
    return std::string("stop: ") + text;
}
std::string Warn(const char* text)
{
    return std::string("warn: ") + text;
}

bool Shows(const Mix1Outcome& outcome, const std::string& message)
{
    for (const auto& text : Texts(outcome.messages))
        if (text == message)
            return true;
    return false;
}

void SetSf(Mix1Inputs& in, int index)
{
    in.performanceIndex = index;
    ApplyPerformanceGrade(in);
}

// The worked example: every working value and result box of the opening form.
TEST(Mix1Calc, OpeningValuesGiveTheWorkedExample)
{
    const Mix1Outcome out = CalculateMix1(Mix1Inputs {});
    ASSERT_FALSE(out.stopped);
    // Only the binder warning, for Mb 525.5.
    EXPECT_EQ(Texts(out.messages), std::vector<std::string> { Warn(kBinder) });

    const Mix1Working& w = out.working;
    EXPECT_DOUBLE_EQ(w.vg, 0.33);
    EXPECT_DOUBLE_EQ(w.mg, 891.0);
    EXPECT_DOUBLE_EQ(w.vm, 0.67);
    EXPECT_DOUBLE_EQ(w.vs, 0.30);
    EXPECT_DOUBLE_EQ(w.ms, 801.0);
    EXPECT_DOUBLE_EQ(w.vp, 0.37);
    EXPECT_DOUBLE_EQ(w.rhoB, 2898);
    EXPECT_DOUBLE_EQ(w.fcu0, 64.9);
    EXPECT_DOUBLE_EQ(w.mb, 525.5);
    EXPECT_NEAR(w.mw, 178.67, 1e-9); // kept unrounded
    EXPECT_DOUBLE_EQ(w.mf, 52.6);
    EXPECT_DOUBLE_EQ(w.mk, 52.6);
    EXPECT_DOUBLE_EQ(w.mc, 420.3);
    EXPECT_NEAR(w.mca, 7.8825, 1e-9);
    EXPECT_DOUBLE_EQ(out.inputs.wb, 0.34);

    // The boxes hold what the report prints, to the last bit, so that they
    // show 178.7 and 135.58 rather than 178.67 and 135.580645161...
    const Mix1Results& r = out.results;
    EXPECT_EQ(r.coarseVolume, 330.0);
    EXPECT_EQ(r.sandVolume, 300.0);
    EXPECT_EQ(r.waterVolume, 178.67);
    EXPECT_EQ(r.cementVolume, 135.58);
    EXPECT_EQ(r.flyAshVolume, 22.87);
    EXPECT_EQ(r.slagVolume, 22.87);
    EXPECT_EQ(r.coarseMass, 891.0);
    EXPECT_EQ(r.sandMass, 801.0);
    EXPECT_EQ(r.waterMass, 178.7);
    EXPECT_EQ(r.cementMass, 420.3);
    EXPECT_EQ(r.flyAshMass, 52.6);
    EXPECT_EQ(r.slagMass, 52.6);
    EXPECT_EQ(r.admixtureMass, 7.9);
}

// One check at and just beyond its bounds. `shown` says whether the row's
// message appears; a stop message must then be the last one and end the press.
struct CheckCase
{
    const char* name;
    Setter set;
    const char* message;
    MessageKind kind;
    bool shown;
};

class Mix1Check : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(Mix1Check, AppliesItsBounds)
{
    const CheckCase& c = GetParam();
    const Mix1Outcome out = CalculateMix1(With(c.set));
    const std::string message = (c.kind == MessageKind::Stop ? Stop : Warn)(c.message);
    SCOPED_TRACE(::testing::PrintToString(Texts(out.messages)));
    EXPECT_EQ(Shows(out, message), c.shown);
    if (c.kind == MessageKind::Stop && c.shown) {
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(Texts(out.messages).back(), message);
        EXPECT_TRUE(out.report.empty());
    } else {
        // Every row that does not stop by design runs through to a report.
        EXPECT_FALSE(out.stopped);
        EXPECT_FALSE(out.report.empty());
    }
}

const auto Stops = MessageKind::Stop;
const auto Warns = MessageKind::Warn;

INSTANTIATE_TEST_SUITE_P(Bounds, Mix1Check,
    ::testing::Values(
        // 1: signs of the inputs
        CheckCase { "sigma_0_passes", [](auto& in) { in.sigma = 0; }, kInputError, Stops, false },
        CheckCase {
            "sigma_negative_stops", [](auto& in) { in.sigma = -0.1; }, kInputError, Stops, true },
        CheckCase { "rhoC_0_stops", [](auto& in) { in.rhoC = 0; }, kInputError, Stops, true },
        CheckCase {
            "beta1_negative_stops", [](auto& in) { in.beta1 = -0.01; }, kInputError, Stops, true },
        CheckCase {
            "beta2_negative_stops", [](auto& in) { in.beta2 = -0.01; }, kInputError, Stops, true },
        CheckCase { "rhoG_0_stops", [](auto& in) { in.rhoG = 0; }, kInputError, Stops, true },
        CheckCase { "rhoS_0_stops", [](auto& in) { in.rhoS = 0; }, kInputError, Stops, true },
        CheckCase { "va_0_passes_check1", [](auto& in) { in.va = 0; }, kInputError, Stops, false },
        CheckCase { "va_negative_stops", [](auto& in) { in.va = -1; }, kInputError, Stops, true },
        CheckCase {
            "vg_0_stops_before_check8", [](auto& in) { in.vg = 0; }, kInputError, Stops, true },
        CheckCase { "alpha_0_passes", [](auto& in) { in.alpha = 0; }, kInputError, Stops, false },
        CheckCase {
            "alpha_negative_stops", [](auto& in) { in.alpha = -0.5; }, kInputError, Stops, true },
        // 2, 3: a density matters only for a powder that is used
        CheckCase { "beta1_0_with_rhoF_0_passes",
            [](auto& in) { in.beta1 = 0, in.beta2 = 0.2, in.rhoF = 0; }, kFlyAshDensity, Stops,
            false },
        CheckCase { "beta1_used_with_rhoF_0_stops", [](auto& in) { in.beta1 = 0.05, in.rhoF = 0; },
            kFlyAshDensity, Stops, true },
        CheckCase { "beta2_0_with_rhoK_negative_passes",
            [](auto& in) { in.beta2 = 0, in.beta1 = 0.2, in.rhoK = -1; }, kSlagDensity, Stops,
            false },
        CheckCase { "beta2_used_with_rhoK_0_stops", [](auto& in) { in.rhoK = 0; }, kSlagDensity,
            Stops, true },
        // 4, 5, 6: powder shares
        CheckCase {
            "beta1_0.3_no_warning", [](auto& in) { in.beta1 = 0.3; }, kFlyAshShare, Warns, false },
        CheckCase {
            "beta1_0.35_warns", [](auto& in) { in.beta1 = 0.35; }, kFlyAshShare, Warns, true },
        CheckCase {
            "beta2_0.4_no_warning", [](auto& in) { in.beta2 = 0.4; }, kSlagShare, Warns, false },
        CheckCase {
            "beta2_0.41_warns", [](auto& in) { in.beta2 = 0.41; }, kSlagShare, Warns, true },
        CheckCase { "shares_0.1_and_0.1_no_warning", [](auto&) {}, kPowderShare, Warns, false },
        CheckCase { "shares_0.05_and_0.05_warn", [](auto& in) { in.beta1 = 0.05, in.beta2 = 0.05; },
            kPowderShare, Warns, true },
        // 7: sand fraction
        CheckCase {
            "phiS_0.42_passes", [](auto& in) { in.phiS = 0.42; }, kSandFraction, Stops, false },
        CheckCase {
            "phiS_0.45_passes", [](auto& in) { in.phiS = 0.45; }, kSandFraction, Stops, false },
        CheckCase {
            "phiS_0.41_stops", [](auto& in) { in.phiS = 0.41; }, kSandFraction, Stops, true },
        CheckCase {
            "phiS_0.46_stops", [](auto& in) { in.phiS = 0.46; }, kSandFraction, Stops, true },
        // 8: coarse-aggregate volume, before the grade's own range
        CheckCase { "vg_0.35_passes_check8", [](auto& in) { SetSf(in, 0), in.vg = 0.35; }, kVgRange,
            Stops, false },
        CheckCase { "vg_0.28_passes_check8", [](auto& in) { SetSf(in, 2), in.vg = 0.28; }, kVgRange,
            Stops, false },
        CheckCase { "vg_0.27_stops_check8", [](auto& in) { SetSf(in, 2), in.vg = 0.27; }, kVgRange,
            Stops, true },
        CheckCase { "vg_0.36_stops_check8", [](auto& in) { SetSf(in, 0), in.vg = 0.36; }, kVgRange,
            Stops, true },
        // 9: air
        CheckCase { "va_10_no_warning", [](auto& in) { in.va = 10; }, kAirRange, Warns, false },
        CheckCase { "va_20_no_warning", [](auto& in) { in.va = 20; }, kAirRange, Warns, false },
        CheckCase { "va_9.9_warns", [](auto& in) { in.va = 9.9; }, kAirRange, Warns, true },
        CheckCase { "va_20.1_warns", [](auto& in) { in.va = 20.1; }, kAirRange, Warns, true },
        CheckCase { "va_0_warns", [](auto& in) { in.va = 0; }, kAirRange, Warns, true },
        // 10, 11, 12: the performance grade's range
        CheckCase {
            "sf1_0.32_passes", [](auto& in) { SetSf(in, 0), in.vg = 0.32; }, kSf1, Stops, false },
        CheckCase {
            "sf1_0.35_passes", [](auto& in) { SetSf(in, 0), in.vg = 0.35; }, kSf1, Stops, false },
        CheckCase {
            "sf1_0.31_stops", [](auto& in) { SetSf(in, 0), in.vg = 0.31; }, kSf1, Stops, true },
        CheckCase { "sf2_0.30_passes", [](auto& in) { in.vg = 0.30; }, kSf2, Stops, false },
        CheckCase { "sf2_0.33_passes", [](auto& in) { in.vg = 0.33; }, kSf2, Stops, false },
        CheckCase { "sf2_0.34_stops", [](auto& in) { in.vg = 0.34; }, kSf2, Stops, true },
        CheckCase { "sf2_0.29_stops", [](auto& in) { in.vg = 0.29; }, kSf2, Stops, true },
        CheckCase {
            "sf3_0.28_passes", [](auto& in) { SetSf(in, 2), in.vg = 0.28; }, kSf3, Stops, false },
        CheckCase {
            "sf3_0.30_passes", [](auto& in) { SetSf(in, 2), in.vg = 0.30; }, kSf3, Stops, false },
        CheckCase {
            "sf3_0.31_stops", [](auto& in) { SetSf(in, 2), in.vg = 0.31; }, kSf3, Stops, true },
        CheckCase { "no_grade_selected_no_range",
            [](auto& in) { in.performanceIndex = -1, in.vg = 0.35; }, kSf2, Stops, false }),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            if (c == '.')
                c = '_';
        return name;
    });

TEST(Mix1Calc, MessagesComeInTheOrderOfTheChecksAndSteps)
{
    // Checks 4, 5 and 9, then the custom-ratio warning of step 8 and the
    // binder warning of step 9 (Mb about 378).
    const Mix1Outcome out = CalculateMix1(With([](auto& in) {
        in.beta1 = 0.35, in.beta2 = 0.45, in.va = 25, in.customRatio = true, in.wb = 0.5;
    }));
    EXPECT_FALSE(out.stopped);
    EXPECT_EQ(Texts(out.messages),
        (std::vector<std::string> {
            Warn(kFlyAshShare), Warn(kSlagShare), Warn(kAirRange), Warn(kRatio), Warn(kBinder) }));
    EXPECT_LT(out.working.mb, 400);

    // A warning shown before a stop stays in front of it; checks after the
    // stop are not made (Va 30 would warn under check 9).
    const Mix1Outcome stopped = CalculateMix1(
        With([](auto& in) { in.beta1 = 0.05, in.beta2 = 0.05, in.phiS = 0.5, in.va = 30; }));
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(Texts(stopped.messages),
        (std::vector<std::string> { Warn(kPowderShare), Stop(kSandFraction) }));
}

TEST(Mix1Calc, StoppedPressChangesNothing)
{
    Mix1Inputs in;
    in.strengthIndex = 0; // would set C7.5
    in.cementIndex = 0; // would set 22.5
    in.vg = 0.34; // SF2 stops
    const Mix1Outcome out = CalculateMix1(in);
    ASSERT_TRUE(out.stopped);
    EXPECT_EQ(out.inputs.fcuK, 60);
    EXPECT_EQ(out.inputs.strengthText, "C60");
    EXPECT_EQ(out.inputs.fceG, 52.5);
    EXPECT_EQ(out.inputs.wb, 0.34);
    EXPECT_EQ(out.results.cementMass, 0);
    EXPECT_TRUE(out.report.empty());
}

TEST(Mix1Calc, CalculateRunsTheStrengthAndCementHandlers)
{
    Mix1Inputs in;
    in.strengthIndex = 15;
    in.cementIndex = 5;
    const Mix1Outcome out = CalculateMix1(in);
    ASSERT_FALSE(out.stopped);
    EXPECT_EQ(out.inputs.fcuK, 80);
    EXPECT_EQ(out.inputs.strengthText, "C80");
    EXPECT_EQ(out.inputs.fceG, 62.5);
    EXPECT_DOUBLE_EQ(out.working.fcu0, 84.9); // 80 + 4.935

    // Without a selection the held values stay.
    in.strengthIndex = -1;
    in.cementIndex = -1;
    in.fcuK = 42;
    in.strengthText = "C42";
    in.fceG = 50;
    const Mix1Outcome held = CalculateMix1(in);
    ASSERT_FALSE(held.stopped);
    EXPECT_EQ(held.inputs.fcuK, 42);
    EXPECT_EQ(held.inputs.strengthText, "C42");
    EXPECT_EQ(held.inputs.fceG, 50);
    EXPECT_DOUBLE_EQ(held.working.fcu0, 46.9);
}

TEST(Mix1Calc, SigmaZeroMakesThePreparationStrengthTheGrade)
{
    const Mix1Outcome out = CalculateMix1(With([](auto& in) { in.sigma = 0; }));
    ASSERT_FALSE(out.stopped);
    EXPECT_EQ(out.working.fcu0, 60);
}

// The custom ratio is rounded before the 0.45 test and written back rounded.
TEST(Mix1Calc, CustomRatioIsRoundedThenTested)
{
    struct Row
    {
        double entered;
        double rounded;
        bool warns;
    };
    for (const Row& row :
        { Row { 0.45, 0.45, true }, Row { 0.449, 0.45, true }, Row { 0.444, 0.44, false } }) {
        SCOPED_TRACE(row.entered);
        const Mix1Outcome out
            = CalculateMix1(With([&](auto& in) { in.customRatio = true, in.wb = row.entered; }));
        ASSERT_FALSE(out.stopped);
        EXPECT_DOUBLE_EQ(out.inputs.wb, row.rounded);
        EXPECT_TRUE(out.inputs.customRatio);
        EXPECT_EQ(Shows(out, Warn(kRatio)), row.warns);
    }
}

TEST(Mix1Calc, ComputedRatioNeverWarnsAndReplacesTheBox)
{
    // C7.5 with 62.5 cement gives a ratio far above 0.45.
    const Mix1Outcome out = CalculateMix1(
        With([](auto& in) { in.strengthIndex = 0, in.cementIndex = 5, in.wb = 0.1; }));
    ASSERT_FALSE(out.stopped);
    EXPECT_GT(out.inputs.wb, 0.45);
    EXPECT_FALSE(Shows(out, Warn(kRatio)));
    // (1 - 0.1 - 0.1 + 0.04 + 0.09) × 62.5 × 0.462 / (12.4 + 1.2) = 1.9745.. -> 1.97
    EXPECT_DOUBLE_EQ(out.inputs.wb, 1.97);
}

TEST(Mix1Calc, UnusedPowderGetsDensity2300WrittenBack)
{
    const Mix1Outcome out = CalculateMix1(
        With([](auto& in) { in.beta1 = 0, in.rhoF = 0, in.beta2 = 0, in.rhoK = 1234; }));
    ASSERT_FALSE(out.stopped);
    EXPECT_EQ(out.inputs.rhoF, 2300);
    EXPECT_EQ(out.inputs.rhoK, 2300);
    EXPECT_EQ(out.results.flyAshMass, 0);
    EXPECT_EQ(out.results.slagVolume, 0);
    // Binder of cement alone: ρb is ρc.
    EXPECT_EQ(out.working.rhoB, 3100);

    // A used powder keeps its density.
    const Mix1Outcome used = CalculateMix1(With([](auto& in) { in.rhoF = 2200; }));
    EXPECT_EQ(used.inputs.rhoF, 2200);
}

TEST(Mix1Calc, WrittenBackInputsGiveTheSameReportAgain)
{
    for (const Setter& set :
        { Setter([](auto&) {}), Setter([](auto& in) { in.beta1 = 0, in.rhoF = 0; }),
            Setter([](auto& in) { in.customRatio = true, in.wb = 0.449; }) }) {
        const Mix1Outcome first = CalculateMix1(With(set));
        ASSERT_FALSE(first.stopped);
        const Mix1Outcome second = CalculateMix1(first.inputs);
        EXPECT_EQ(second.report, first.report);
    }
}

// Powder shares that add up to 1 or more are not rejected: the cement share
// turns zero or negative and the results are reported as computed, as long
// as they are numbers.
TEST(Mix1Calc, PowderSharesOfOneOrMoreAreReportedWhileFinite)
{
    const Mix1Outcome one = CalculateMix1(With([](auto& in) { in.beta1 = 0.5, in.beta2 = 0.5; }));
    ASSERT_FALSE(one.stopped);
    EXPECT_EQ(one.working.rhoB, 2300); // no cement in the binder
    EXPECT_NEAR(one.working.mc, 0, 0.1 + 1e-9);

    const Mix1Outcome more = CalculateMix1(With([](auto& in) { in.beta1 = 0.6, in.beta2 = 0.6; }));
    ASSERT_FALSE(more.stopped);
    EXPECT_EQ(Texts(more.messages),
        (std::vector<std::string> { Warn(kFlyAshShare), Warn(kSlagShare), Warn(kBinder) }));
    EXPECT_LT(more.working.mc, 0);
    EXPECT_LT(more.results.cementMass, 0);
    EXPECT_LT(more.results.cementVolume, 0);
    EXPECT_NE(more.report.find("　　　　　Mc＝Mb－Mf－Mk＝-"), std::string::npos);
}

// A press whose quantities are no numbers stops with one notice after the
// warnings already shown and changes nothing.
TEST(Mix1Calc, NonFiniteQuantityStopsAndChangesNothing)
{
    struct Row
    {
        const char* name;
        Setter set;
        std::vector<std::string> messages;
    };
    const std::vector<Row> rows = {
        // -1/3100 + 2/6200 is exactly 0: ρb divides by zero.
        { "binder_density_denominator_zero",
            [](auto& in) { in.beta1 = 2, in.rhoF = 6200, in.beta2 = 0, in.rhoK = 0; },
            { Warn(kFlyAshShare), Stop(kInvalid) } },
        // ρb 2000 and W/B −0.5: 1/2000 − 0.0005 is exactly 0 in step 9.
        { "binder_mass_denominator_zero",
            [](auto& in) {
                in.rhoC = 2000, in.beta1 = 0, in.beta2 = 0, in.rhoF = 0, in.rhoK = 0;
                in.customRatio = true, in.wb = -0.5;
            },
            { Warn(kPowderShare), Stop(kInvalid) } },
        // ρb = RoundTo(0.125.., 0) = 0, so 1/ρb is infinite; stops before the
        // binder warning Mb would otherwise bring.
        { "binder_density_rounds_to_zero", [](auto& in) { in.rhoC = 0.1; }, { Stop(kInvalid) } },
        // fcu,0 overflows.
        { "preparation_strength_overflows", [](auto& in) { in.sigma = 1e308; },
            { Stop(kInvalid) } },
        // A held grade value no list item gave (found by fuzzing): the report
        // would print "nan" for the cement grade.
        { "held_cement_grade_not_a_number",
            [](auto& in) { in.cementIndex = -1, in.fceG = std::nan(""), in.customRatio = true; },
            { Warn(kBinder), Stop(kInvalid) } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Mix1Inputs in = With(row.set);
        in.strengthIndex = 0; // would set C7.5 on a completed press
        const Mix1Outcome out = CalculateMix1(in);
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(Texts(out.messages), row.messages);
        EXPECT_TRUE(out.report.empty());
        EXPECT_EQ(out.inputs.fcuK, in.fcuK);
        EXPECT_EQ(out.inputs.rhoF, in.rhoF);
        EXPECT_EQ(out.inputs.rhoK, in.rhoK);
        EXPECT_EQ(out.inputs.wb, in.wb);
        EXPECT_EQ(out.results.cementMass, 0);
    }
}

TEST(Mix1Lists, HandlersSetTheHeldValuesOfTheirItem)
{
    Mix1Inputs in;
    in.strengthIndex = 0;
    ApplyStrengthGrade(in);
    EXPECT_EQ(in.fcuK, 7.5);
    EXPECT_EQ(in.strengthText, "C7.5");
    in.strengthIndex = 16; // no such item
    ApplyStrengthGrade(in);
    EXPECT_EQ(in.fcuK, 7.5);

    in.cementIndex = 2;
    ApplyCementGrade(in);
    EXPECT_EQ(in.fceG, 32.5);
    in.cementIndex = -1;
    ApplyCementGrade(in);
    EXPECT_EQ(in.fceG, 32.5);

    // Choosing SF1 with Vg 0.31 shows the SF1 range and keeps Vg.
    in.vg = 0.31;
    in.performanceIndex = 0;
    const auto notice = ApplyPerformanceGrade(in);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->kind, MessageKind::Warn);
    EXPECT_EQ(notice->text, kSf1);
    EXPECT_EQ(in.performanceText, "SF1");
    EXPECT_EQ(in.slumpFlowText, "550～655");
    EXPECT_EQ(in.vg, 0.31);
    // Its bounds pass.
    for (double vg : { 0.32, 0.33, 0.35 }) {
        in.vg = vg;
        EXPECT_FALSE(ApplyPerformanceGrade(in)) << vg;
    }

    // SF3 with 0.30 shows nothing.
    in.vg = 0.30;
    in.performanceIndex = 2;
    EXPECT_FALSE(ApplyPerformanceGrade(in));
    EXPECT_EQ(in.performanceText, "SF3");
    EXPECT_EQ(in.slumpFlowText, "760～855");

    in.performanceIndex = -1;
    EXPECT_FALSE(ApplyPerformanceGrade(in));
    EXPECT_EQ(in.performanceText, "SF3");
}

TEST(Mix1Lists, ItemsAreInListOrder)
{
    EXPECT_STREQ(kPerformanceGrades[kOpeningPerformanceIndex].item, "SF2");
    EXPECT_STREQ(kStrengthGrades[kOpeningStrengthIndex].item, "60");
    EXPECT_STREQ(kStrengthGrades[kOpeningStrengthIndex].gradeText, "C60");
    EXPECT_STREQ(kCementGrades[kOpeningCementIndex].item, "52.5");
    EXPECT_STREQ(kStrengthGrades.back().gradeText, "C80");
    EXPECT_EQ(StrengthGradeAt(-1), nullptr);
    EXPECT_EQ(CementGradeAt(6), nullptr);
    EXPECT_EQ(PerformanceGradeAt(3), nullptr);
}

} // namespace
