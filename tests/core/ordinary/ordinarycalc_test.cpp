#include "core/mix1/mix1golden.h" // ReportLinesOf
#include "ordinary/ordinarycalc.h"
#include "ordinarygolden.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using i64 = std::int64_t;
using Change = std::function<void(OrdinaryInputs&)>;

// C30, P·O 42.5, crushed 20 mm, slump 50 mm, nothing else: fcu,0 38.2,
// fb 49.3, W/B 0.60 (computed 0.60, exposure 一 0.60), water 195 kg.
OrdinaryInputs Plain(const Change& change = {})
{
    OrdinaryInputs in;
    in.grade = 30;
    in.cementGrade = 425;
    in.aggregate = OrdinaryAggregate::Crushed;
    in.maxSize = 200;
    in.slump = "50";
    if (change)
        change(in);
    return in;
}

OrdinaryInputs Worked()
{
    return Plain([](OrdinaryInputs& in) {
        in.sigma = "5.0";
        in.flyAsh = "10";
        in.gammaF = "0.95";
        in.maxSize = 315;
        in.slump = "200";
        in.reducer = "25";
        in.admixture = "1.0";
        in.wb = "0.40";
        in.sandRatio = "43";
    });
}

bool Says(const OrdinaryOutcome& out, MessageKind kind, const std::string& part)
{
    for (const Message& m : out.messages)
        if (m.kind == kind && m.text.find(part) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(Ordinary, WorkedExampleReachesEveryFigure)
{
    const OrdinaryOutcome out = CalculateOrdinary(Worked());
    ASSERT_FALSE(out.stopped);
    const OrdinaryResults& r = out.results;
    EXPECT_EQ(r.sigma, 50);
    EXPECT_EQ(r.fcu0, 382);
    EXPECT_EQ(r.fce, 493);
    EXPECT_EQ(r.gammaF, 95);
    EXPECT_EQ(r.gammaS, 100);
    EXPECT_EQ(r.fb, 468);
    EXPECT_EQ(r.wbCalculated, 57);
    EXPECT_EQ(r.wb, 40);
    EXPECT_EQ(r.mw0Prime, 2325);
    EXPECT_EQ(r.binderMinimum, 330);
    const OrdinaryMix& m = r.mix;
    EXPECT_EQ(m.water, 174);
    EXPECT_EQ(m.binder, 435);
    EXPECT_EQ(m.flyAsh, 44);
    EXPECT_EQ(m.slag, 0);
    EXPECT_EQ(m.cement, 391);
    EXPECT_EQ(m.admixture, 435);
    EXPECT_EQ(m.aggregates, 1791);
    EXPECT_EQ(m.sand, 770);
    EXPECT_EQ(m.stone, 1021);
    EXPECT_EQ(r.density, 2400);
    EXPECT_EQ(r.ratio, (std::array<i64, 3> { 177, 235, 40 }));
    ASSERT_TRUE(r.sandRatioWork.range);
    EXPECT_EQ(r.sandRatioWork.range->lower, 349);
    EXPECT_EQ(r.sandRatioWork.range->upper, 399);
    // The only message: 43 % lies outside 34.9–39.9 %.
    ASSERT_EQ(out.messages.size(), 1u);
    EXPECT_TRUE(Says(out, MessageKind::Warn, "自定砂率43.0%不在表5.4.2的34.9%～39.9%之间"));

    // Trials: the water kept, W/B and βs a step apart, no minimum binder.
    // 174 / 0.35 = 497.1 → 497, sand 1729 × 42 % = 726.18 → 726;
    // 174 / 0.45 = 386.7 → 387, sand 1839 × 44 % = 809.16 → 809.
    const OrdinaryMix& low = r.trials[0];
    const OrdinaryMix& high = r.trials[2];
    EXPECT_EQ(r.trials[1].binder, m.binder);
    EXPECT_EQ((std::array<i64, 7> {
                  low.wb, low.binder, low.flyAsh, low.cement, low.admixture, low.sand, low.stone }),
        (std::array<i64, 7> { 35, 497, 50, 447, 497, 726, 1003 }));
    EXPECT_EQ((std::array<i64, 7> { high.wb, high.binder, high.flyAsh, high.cement, high.admixture,
                  high.sand, high.stone }),
        (std::array<i64, 7> { 45, 387, 39, 348, 387, 809, 1030 }));
    EXPECT_EQ(low.sandRatio, 420);
    EXPECT_EQ(high.sandRatio, 440);
}

TEST(Ordinary, WorkedExampleReportLineByLine)
{
    const std::string report = CalculateOrdinary(Worked()).report;
    ASSERT_EQ(report.substr(0, 2), "\r\n");
    const auto actual = ReportLinesOf(report);
    const auto expected = WorkedReportLines();
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(actual.size(), expected.size());
}

TEST(Ordinary, TableSigmaAndItsFloors)
{
    const struct
    {
        int grade;
        const char* sigma;
        std::optional<i64> used; // 0.1 MPa
        i64 fcu0;
    } rows[] = {
        { 20, "", 40, 266 }, // 20 + 6.58
        { 25, "", 50, 332 }, // 33.225
        { 45, "", 50, 532 }, { 50, "", 60, 599 }, // 59.87
        { 55, "", 60, 649 }, { 30, "2.9", 30, 349 }, // floored to 3.0: 34.935
        { 30, "3.0", 30, 349 }, { 35, "3.9", 40, 416 }, // floored to 4.0: 41.58
        { 35, "4.44", 44, 422 }, // 4.4: 42.238
        { 60, "5", std::nullopt, 690 }, // 1.15 fcu,k, σ ignored
        { 65, "", std::nullopt, 748 }, // 74.75
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.grade);
        const OrdinaryOutcome out = CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
            in.grade = row.grade;
            in.sigma = row.sigma;
            in.wb = row.grade >= 60 ? "0.30" : "";
            in.sandRatio = "35";
        }));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        EXPECT_EQ(out.results.sigma, row.used);
        EXPECT_EQ(out.results.fcu0, row.fcu0);
    }
}

TEST(Ordinary, InfluenceCoefficientsBetweenRows)
{
    const struct
    {
        const char* flyAsh;
        const char* slag;
        OrdinaryBounds gammaF, gammaS; // 0.01
        i64 fb; // 0.1 MPa, from the upper bounds and fce 49.3
    } rows[] = {
        { "0", "0", { 100, 100 }, { 100, 100 }, 493 },
        { "5", "5", { 93, 98 }, { 100, 100 }, 483 }, // 0.925, 0.975 half up; 48.314
        { "12.5", "25", { 83, 93 }, { 93, 100 }, 458 }, // 45.849
        { "40", "50", { 55, 65 }, { 70, 85 }, 272 }, // 0.65 × 0.85 × 49.3 = 27.238
        { "0", "45", { 100, 100 }, { 75, 88 }, 434 }, // 0.875 → 0.88: 43.384
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.flyAsh) + " / " + row.slag);
        const OrdinaryOutcome out = CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
            in.flyAsh = row.flyAsh;
            in.slag = row.slag;
            in.structure = OrdinaryStructure::Plain;
            in.sandRatio = "35"; // low fb gives a W/B below table 5.4.2
        }));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        const OrdinaryResults& r = out.results;
        EXPECT_EQ(r.gammaFRange->value.lower, row.gammaF.lower);
        EXPECT_EQ(r.gammaFRange->value.upper, row.gammaF.upper);
        EXPECT_EQ(r.gammaSRange->value.lower, row.gammaS.lower);
        EXPECT_EQ(r.gammaSRange->value.upper, row.gammaS.upper);
        EXPECT_EQ(r.gammaF, row.gammaF.upper);
        EXPECT_EQ(r.gammaS, row.gammaS.upper);
        EXPECT_EQ(r.fb, row.fb);
    }

    // Beyond the table a γ or a measured fb is needed; a measured fb leaves no γ.
    const auto beyond = [](const char* gammaF, const char* fb) {
        return CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
            in.flyAsh = "40.1";
            in.gammaF = gammaF;
            in.fb = fb;
            in.structure = OrdinaryStructure::Plain;
            in.sandRatio = "35";
        }));
    };
    EXPECT_TRUE(Says(beyond("", ""), MessageKind::Stop, "超出表5.1.3的范围"));
    EXPECT_EQ(beyond("0.50", "").results.fb, 247); // 0.50 × 49.3 = 24.65
    const OrdinaryOutcome measured = beyond("", "40");
    EXPECT_EQ(measured.results.fb, 400);
    EXPECT_EQ(measured.results.fce, 493);
    EXPECT_FALSE(measured.results.gammaF);
    EXPECT_TRUE(Says(CalculateOrdinary(Plain([](OrdinaryInputs& in) { in.slag = "50.1"; })),
        MessageKind::Stop, "矿渣粉掺量超过50%"));
}

TEST(Ordinary, WaterTableRowsAndSlumpSteps)
{
    using K = OrdinaryAggregate;
    using W = OrdinaryWorkability;
    const struct
    {
        K kind;
        int size;
        W workability;
        const char* value;
        const char* adjust;
        i64 mw0Prime; // 0.1 kg
    } rows[] = {
        { K::Crushed, 200, W::Slump, "30", "0", 1850 },
        { K::Crushed, 200, W::Slump, "31", "0", 1950 },
        { K::Crushed, 200, W::Slump, "51", "0", 2050 },
        { K::Crushed, 200, W::Slump, "71", "0", 2150 },
        { K::Crushed, 200, W::Slump, "90", "0", 2150 },
        { K::Crushed, 200, W::Slump, "91", "0", 2153 }, // 215 + 5/20 = 215.25
        { K::Crushed, 200, W::Slump, "250", "0", 2550 },
        { K::Crushed, 200, W::Slump, "30", "10", 1950 },
        { K::Crushed, 200, W::Slump, "30", "-5", 1800 },
        { K::Gravel, 100, W::Slump, "10", "0", 1900 },
        { K::Gravel, 315, W::Slump, "35", "0", 1700 },
        { K::Gravel, 400, W::Slump, "55", "0", 1700 },
        { K::Crushed, 160, W::Slump, "90", "0", 2300 },
        { K::Crushed, 400, W::Slump, "75", "0", 1950 },
        { K::Gravel, 100, W::Vebe, "20", "0", 1750 },
        { K::Gravel, 100, W::Vebe, "16", "0", 1750 },
        { K::Gravel, 100, W::Vebe, "15", "0", 1800 },
        { K::Gravel, 100, W::Vebe, "10", "0", 1850 },
        { K::Crushed, 400, W::Vebe, "11", "0", 1600 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.size) + " " + row.value);
        const OrdinaryOutcome out = CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
            in.aggregate = row.kind;
            in.maxSize = row.size;
            in.workability = row.workability;
            (row.workability == W::Slump ? in.slump : in.vebe) = row.value;
            in.waterAdjust = row.adjust;
            in.sandRatio = "35";
        }));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        EXPECT_EQ(out.results.mw0Prime, row.mw0Prime);
        EXPECT_EQ(out.results.mix.water, (row.mw0Prime + 5) / 10);
    }
}

TEST(Ordinary, SandRatioRangeByWaterBinderRatioSizeAndSlump)
{
    using K = OrdinaryAggregate;
    const struct
    {
        K kind;
        int size;
        const char* slump;
        const char* wb;
        OrdinaryBounds range; // 0.1 %
        i64 adopted; // the middle half up to 1 %
    } rows[] = {
        { K::Crushed, 200, "60", "0.40", { 290, 340 }, 320 }, // 31.5 → 32
        { K::Crushed, 200, "60", "0.70", { 380, 430 }, 410 },
        { K::Crushed, 200, "50", "0.57", { 341, 391 }, 370 }, // 32 + 3 × 0.7
        { K::Gravel, 100, "50", "0.45", { 280, 335 }, 310 }, // 30.75 → 31
        { K::Crushed, 160, "50", "0.63", { 369, 419 }, 390 },
        { K::Crushed, 315, "60", "0.40", { 279, 329 }, 300 }, // 27.85, 32.85
        { K::Gravel, 315, "60", "0.50", { 284, 334 }, 310 }, // 28.425, 33.425
        { K::Crushed, 200, "61", "0.40", { 291, 341 }, 320 }, // + 0.05 %
        { K::Crushed, 200, "200", "0.40", { 360, 410 }, 390 }, // + 7 %
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.size) + " " + row.slump + " " + row.wb);
        const OrdinaryOutcome out = CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
            in.aggregate = row.kind;
            in.maxSize = row.size;
            in.slump = row.slump;
            in.wb = row.wb;
        }));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        const auto& range = out.results.sandRatioWork.range;
        ASSERT_TRUE(range);
        EXPECT_EQ(range->lower, row.range.lower);
        EXPECT_EQ(range->upper, row.range.upper);
        EXPECT_EQ(out.results.mix.sandRatio, row.adopted);
    }

    // Outside 0.40–0.70 and for dry-hard concrete only a 自定 砂率 will do.
    for (const char* wb : { "0.39", "0.71" }) {
        const auto with = [wb](const char* ratio) {
            return CalculateOrdinary(Plain([&](OrdinaryInputs& in) {
                in.wb = wb;
                in.sandRatio = ratio;
            }));
        };
        const OrdinaryOutcome stopped = with("");
        EXPECT_TRUE(stopped.stopped) << wb;
        EXPECT_EQ(stopped.focus, OrdinaryBox::SandRatio);
        EXPECT_FALSE(with("35").stopped) << wb;
    }
}

TEST(Ordinary, SpecialRequirementsLimitWaterBinderRatioAndRaiseBinder)
{
    // Water 195 kg throughout; the computed W/B is 0.60 (0.97 at C15).
    const struct
    {
        const char* name;
        Change change;
        i64 wb;
        std::optional<i64> minimum;
        i64 binder;
    } rows[] = {
        { "none", {}, 60, 280, 325 },
        { "plain", [](OrdinaryInputs& in) { in.structure = OrdinaryStructure::Plain; }, 60, 250,
            325 },
        { "prestressed", [](OrdinaryInputs& in) { in.structure = OrdinaryStructure::Prestressed; },
            60, 300, 325 },
        { "C15", [](OrdinaryInputs& in) { in.grade = 15; }, 60, std::nullopt, 325 },
        { "P6", [](OrdinaryInputs& in) { in.impermeability = 6; }, 60, 320, 325 },
        { "P8", [](OrdinaryInputs& in) { in.impermeability = 8; }, 55, 320, 355 },
        { "P14", [](OrdinaryInputs& in) { in.impermeability = 14; }, 50, 320, 390 },
        { "P8 C15",
            [](OrdinaryInputs& in) {
                in.impermeability = 8;
                in.grade = 15;
            },
            55, 320, 355 },
        { "P8 C35",
            [](OrdinaryInputs& in) {
                in.impermeability = 8;
                in.grade = 35;
            },
            50, 320, 390 },
        { "F50", [](OrdinaryInputs& in) { in.frost = 50; }, 55, 300, 355 },
        { "F50 air",
            [](OrdinaryInputs& in) {
                in.frost = 50;
                in.airEntrained = true;
            },
            60, 300, 325 },
        { "F100 air",
            [](OrdinaryInputs& in) {
                in.frost = 100;
                in.airEntrained = true;
            },
            55, 320, 355 },
        { "F200 air",
            [](OrdinaryInputs& in) {
                in.frost = 200;
                in.airEntrained = true;
            },
            50, 350, 390 },
        { "massive", [](OrdinaryInputs& in) { in.massive = true; }, 55, 300, 355 },
        { "pumped", [](OrdinaryInputs& in) { in.pumped = true; }, 60, 300, 325 },
        { "2b", [](OrdinaryInputs& in) { in.exposure = OrdinaryExposure::TwoB; }, 50, 320, 390 },
        { "2b air",
            [](OrdinaryInputs& in) {
                in.exposure = OrdinaryExposure::TwoB;
                in.airEntrained = true;
            },
            55, 300, 355 },
        { "3b", [](OrdinaryInputs& in) { in.exposure = OrdinaryExposure::ThreeB; }, 40, 330, 488 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OrdinaryOutcome out = CalculateOrdinary(Plain(row.change));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        EXPECT_EQ(out.results.wb, row.wb);
        EXPECT_EQ(out.results.binderMinimum, row.minimum);
        EXPECT_EQ(out.results.mix.binder, row.binder);
    }
    // Raised to the minimum (156 / 0.60 = 260 → 280), the ratio's last term
    // is the actual W/B: 156 / 280.
    const OrdinaryResults raised
        = CalculateOrdinary(Plain([](OrdinaryInputs& in) { in.reducer = "20"; })).results;
    EXPECT_EQ(raised.binderComputed, 260);
    EXPECT_EQ(raised.mix.binder, 280);
    EXPECT_EQ(raised.ratio[2], 56);
}

TEST(Ordinary, WarningsNameTheirTableAndLimit)
{
    const struct
    {
        const char* name;
        Change change;
        const char* says;
    } rows[] = {
        { "wb above computed and exposure", [](OrdinaryInputs& in) { in.wb = "0.65"; },
            "自定水胶比0.65大于环境类别一（GB 50010-2010表3.5.3）的最大水胶比0.60" },
        { "wb below 0.40",
            [](OrdinaryInputs& in) {
                in.wb = "0.35";
                in.sandRatio = "35";
            },
            "水胶比小于0.40" },
        { "grade below exposure",
            [](OrdinaryInputs& in) { in.exposure = OrdinaryExposure::ThreeA; }, "不应低于C35" },
        { "massive water", [](OrdinaryInputs& in) { in.massive = true; },
            "不宜大于175kg，现为195kg" },
        { "given gamma",
            [](OrdinaryInputs& in) {
                in.flyAsh = "10";
                in.gammaF = "0.80";
            },
            "γf＝0.80不在表5.1.3的0.85～0.95之间" },
        { "reinforced fly ash", [](OrdinaryInputs& in) { in.flyAsh = "31"; },
            "粉煤灰掺量31.0%超过表3.0.5-1的最大掺量30%" },
        { "prestressed composite",
            [](OrdinaryInputs& in) {
                in.structure = OrdinaryStructure::Prestressed;
                in.cementType = OrdinaryCement::PI;
                in.flyAsh = "20";
                in.slag = "26";
            },
            "复合掺合料掺量46.0%超过表3.0.5-2的最大掺量45%" },
        { "pumped band",
            [](OrdinaryInputs& in) {
                in.pumped = true;
                in.sandRatio = "30";
            },
            "泵送混凝土的砂率宜为35%～45%" },
        { "mcp", [](OrdinaryInputs& in) { in.mcp = "2300"; }, "2350～2450" },
        { "air of frost-resistant concrete",
            [](OrdinaryInputs& in) {
                in.frost = 100;
                in.airEntrained = true;
                in.method = OrdinaryMethod::Volume;
            },
            "含气量α宜为5.5%～7.0%（表3.0.7），现为1.0%" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OrdinaryOutcome out = CalculateOrdinary(Plain(row.change));
        ASSERT_FALSE(out.stopped) << out.messages.back().text;
        EXPECT_TRUE(Says(out, MessageKind::Warn, row.says));
    }
    // No dosage limit binds plain concrete; the default band clamps, not warns.
    const OrdinaryOutcome plain = CalculateOrdinary(Plain([](OrdinaryInputs& in) {
        in.structure = OrdinaryStructure::Plain;
        in.flyAsh = "60";
        in.fb = "49.3";
        in.massive = true; // 0.55: range 33.5–38.5, middle 36 → 38
        in.reducer = "15"; // 165.75 → 166 kg
    }));
    EXPECT_TRUE(plain.messages.empty()) << plain.messages.front().text;
    EXPECT_EQ(plain.results.mix.sandRatio, 380);
}

TEST(Ordinary, HighStrengthFollowsTable732)
{
    // C60, P·O 52.5 (fce 57.75 → 57.8), 20 % fly ash (γf 0.85: fb 49.13 →
    // 49.1), crushed 20, slump 200 (242.5 kg), β 30 % → 169.75 → 170 kg,
    // W/B 0.30 → 566.7 → 567 kg, above 480–560.
    OrdinaryInputs in = Plain([](OrdinaryInputs& in) {
        in.grade = 60;
        in.cementGrade = 525;
        in.flyAsh = "20";
        in.slump = "200";
        in.reducer = "30";
        in.admixture = "1.5";
        in.wb = "0.30";
        in.mcp = "2450";
    });
    const OrdinaryOutcome out = CalculateOrdinary(in);
    ASSERT_FALSE(out.stopped);
    const OrdinaryResults& r = out.results;
    EXPECT_FALSE(r.sigma);
    EXPECT_FALSE(r.wbCalculated);
    EXPECT_EQ(r.fcu0, 690);
    EXPECT_EQ(r.fb, 491);
    EXPECT_EQ(r.mix.water, 170);
    EXPECT_EQ(r.mix.binder, 567);
    EXPECT_EQ(r.mix.flyAsh, 113);
    EXPECT_EQ(r.mix.admixture, 851); // 8.505
    EXPECT_EQ(r.sandRatioWork.range->lower, 350);
    EXPECT_EQ(r.mix.sandRatio, 390); // 38.5 → 39
    EXPECT_EQ(r.mix.sand, 668); // 1713 × 39 % = 668.07
    EXPECT_EQ(r.trials[0].wb, 28);
    EXPECT_EQ(r.trials[0].binder, 607);
    EXPECT_EQ(r.trials[2].binder, 531);
    ASSERT_EQ(out.messages.size(), 1u); // no "below 0.40" from C60
    EXPECT_TRUE(Says(out, MessageKind::Warn, "C60～C75的胶凝材料用量宜为480～560kg（表7.3.2）"));

    in.flyAsh = "0";
    in.grade = 80;
    const OrdinaryOutcome c80 = CalculateOrdinary(in);
    EXPECT_TRUE(Says(c80, MessageKind::Warn, "C80的水胶比宜为0.26～0.28（表7.3.2）"));
    EXPECT_TRUE(Says(c80, MessageKind::Warn, "水泥用量不宜大于500kg，现为567kg"));
    in.wb = "";
    EXPECT_EQ(CalculateOrdinary(in).focus, OrdinaryBox::Wb);
}

TEST(Ordinary, VolumeMethod)
{
    // C25, gravel 20, slump 30: W/B min(0.66, 0.60), water 170, binder 283;
    // 34.5 → 35 %; V = 1000 − 10 − 283/3.10 − 170 = 728.709 → 728.7 L,
    // A = 728.7 / (0.35/2.65 + 0.65/2.70) = 1954.6 → 1955, sand 684.25 → 684.
    const OrdinaryOutcome out = CalculateOrdinary(Plain([](OrdinaryInputs& in) {
        in.grade = 25;
        in.aggregate = OrdinaryAggregate::Gravel;
        in.slump = "30";
        in.method = OrdinaryMethod::Volume;
    }));
    ASSERT_FALSE(out.stopped);
    const OrdinaryResults& r = out.results;
    EXPECT_EQ(r.wbCalculated, 66);
    EXPECT_EQ(r.mix.binder, 283);
    EXPECT_EQ(r.mix.volume, 7287);
    EXPECT_EQ(r.mix.aggregates, 1955);
    EXPECT_EQ(r.mix.sand, 684);
    EXPECT_EQ(r.mix.stone, 1271);
    EXPECT_EQ(r.density, 2408);
    EXPECT_EQ(r.trials[0].volume, 7203);
    EXPECT_EQ((std::array<i64, 3> { r.trials[0].aggregates, r.trials[0].sand, r.trials[0].stone }),
        (std::array<i64, 3> { 1932, 657, 1275 }));
    EXPECT_EQ((std::array<i64, 3> { r.trials[2].aggregates, r.trials[2].sand, r.trials[2].stone }),
        (std::array<i64, 3> { 1972, 710, 1262 }));
    EXPECT_NE(
        out.report.find("\r\n　　　V＝1000－10α－mc0／ρc－mf0／ρf－mk0／ρk－mw0／ρw＝1000－10×1.0－"
                        "283／3.10－0／2.20－0／2.90－170／1.00≈728.7（L）\r\n"),
        std::string::npos);
}

TEST(Ordinary, StopsComputeNothingAndNameTheirBox)
{
    using B = OrdinaryBox;
    const struct
    {
        const char* name;
        Change change;
        B focus;
        const char* says;
    } rows[] = {
        { "no grade", [](OrdinaryInputs& in) { in.grade = 0; }, B::Grade, "请选择混凝土强度等级" },
        { "sigma", [](OrdinaryInputs& in) { in.sigma = "五"; }, B::Sigma, "请键入一个数" },
        { "slump 9", [](OrdinaryInputs& in) { in.slump = "9.4"; }, B::Slump, "10～250mm" },
        { "slump 251", [](OrdinaryInputs& in) { in.slump = "251"; }, B::Slump, "10～250mm" },
        { "vebe 4",
            [](OrdinaryInputs& in) {
                in.workability = OrdinaryWorkability::Vebe;
                in.vebe = "4";
            },
            B::Vebe, "5～20s" },
        { "crushed 10", [](OrdinaryInputs& in) { in.maxSize = 100; }, B::MaxSize,
            "碎石的最大公称粒径" },
        { "dry-hard 31.5",
            [](OrdinaryInputs& in) {
                in.workability = OrdinaryWorkability::Vebe;
                in.vebe = "10";
                in.maxSize = 315;
                in.sandRatio = "35";
            },
            B::MaxSize, "表5.2.1-1" },
        { "dry-hard sand ratio",
            [](OrdinaryInputs& in) {
                in.workability = OrdinaryWorkability::Vebe;
                in.vebe = "10";
            },
            B::SandRatio, "干硬性混凝土的砂率" },
        { "F150 without air", [](OrdinaryInputs& in) { in.frost = 150; }, B::AirEntrained,
            "表7.2.2-1" },
        { "P7", [](OrdinaryInputs& in) { in.impermeability = 7; }, B::Impermeability, "P6～P40" },
        { "fb 1", [](OrdinaryInputs& in) { in.fb = "1"; }, B::Wb, "小于0.20" },
        { "no cement",
            [](OrdinaryInputs& in) {
                in.flyAsh = "60";
                in.slag = "40";
                in.fb = "40";
            },
            B::FlyAsh, "计算配合比的水泥用量为0kg" },
        { "no sand in a trial",
            [](OrdinaryInputs& in) {
                in.wb = "0.20";
                in.slump = "250";
                in.mcp = "1800";
                in.sandRatio = "40";
            },
            B::SandRatio, "试配配合比（水胶比0.15）的砂用量为-60kg" },
        { "density",
            [](OrdinaryInputs& in) {
                in.method = OrdinaryMethod::Volume;
                in.rhoG = "0.99";
            },
            B::RhoG, "1.00～5.00g/cm3" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const OrdinaryOutcome out = CalculateOrdinary(Plain(row.change));
        EXPECT_TRUE(out.stopped);
        EXPECT_EQ(out.focus, row.focus);
        EXPECT_TRUE(Says(out, MessageKind::Stop, row.says)) << out.messages.back().text;
        EXPECT_EQ(out.messages.back().kind, MessageKind::Stop);
        EXPECT_TRUE(out.report.empty());
        EXPECT_EQ(out.results.mix.binder, 0);
    }
}
