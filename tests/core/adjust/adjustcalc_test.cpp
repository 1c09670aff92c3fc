#include "adjust/adjustcalc.h"

#include <gtest/gtest.h>

namespace {

// cement, powder 1, powder 2, sand, coarse, water, admixture
AdjustInputs Design(std::array<std::string, kAdjustMaterials> masses, std::string ws = "0",
    std::string wg = "0", std::string rhoT = "", std::string v = "25")
{
    AdjustInputs in;
    in.masses = std::move(masses);
    in.sandMoisture = std::move(ws);
    in.coarseMoisture = std::move(wg);
    in.measuredDensity = std::move(rhoT);
    in.volume = std::move(v);
    return in;
}

bool HasLine(const std::string& report, const std::string& line)
{
    return report.find("\r\n" + line + "\r\n") != std::string::npos;
}

std::array<std::string, kAdjustMaterials> Sand(
    std::array<std::string, kAdjustMaterials> masses, const char* sand)
{
    masses[kAdjustSand] = sand;
    return masses;
}

} // namespace

// The site-mix exercise worked by hand (kg per m3):
//   design 285 / 0 / 0 / 712.5 / 1453.5 / 165.3 / 0, ws 3.2 %, wg 1.2 %, V 25 L
//   ρc,c = 285 + 712.5 + 1453.5 + 165.3 = 2616.3
//   sand water 712.5 × 3.2 % = 22.8; coarse water 1453.5 × 1.2 % = 17.442 → 17.4
//   site sand 735.3, coarse 1470.9, water 165.3 − 22.8 − 17.4 = 125.1
//   ratio 1 : 712.5/285 = 2.50 : 1453.5/285 = 5.10 : 165.3/285 = 0.58, W/B 0.58
//   batch × 25/1000: 7.125, 735.3 → 18.3825 → 18.383, 1470.9 → 36.7725 → 36.773,
//   125.1 → 3.1275 → 3.128 (each a tie, rounded up)
TEST(Adjust, WorkedSiteMixExample)
{
    const AdjustOutcome out = CalculateAdjust(
        Design({ "285", "0", "0", "712.5", "1453.5", "165.3", "0" }, "3.2", "1.2"));
    ASSERT_FALSE(out.stopped);
    EXPECT_TRUE(out.messages.empty());
    const AdjustResults& r = out.results;
    EXPECT_EQ(r.computedDensity, 26163);
    EXPECT_FALSE(r.corrected);
    EXPECT_FALSE(r.deviation);
    EXPECT_EQ(r.lab, r.design);
    EXPECT_EQ(r.sandWater, 228);
    EXPECT_EQ(r.coarseWater, 174);
    EXPECT_EQ(r.site, (AdjustMasses { 2850, 0, 0, 7353, 14709, 1251, 0 }));
    EXPECT_EQ(r.wb, 58);
    EXPECT_EQ(r.sandRatio, 250);
    EXPECT_EQ(r.coarseRatio, 510);
    EXPECT_EQ(r.waterRatio, 58);
    EXPECT_EQ(r.batch, (AdjustMasses { 7125, 0, 0, 18383, 36773, 3128, 0 }));

    EXPECT_EQ(out.report.substr(0, 2), "\r\n");
    for (const char* line : {
             "　　计算表观密度 "
             "ρc,c＝Mc＋Mf1＋Mf2＋Ms＋Mg＋Mw＝285.0＋0.0＋0.0＋712.5＋1453.5＋165.3＝2616.3（kg/"
             "m3）",
             "　　胶凝材料：细骨料：粗骨料：水＝1：2.50：5.10：0.58",
             "　　粗骨料含水 Mg×wg＝1453.5×1.2%＝17.4（kg）",
             "　　施工用水 Mw'＝Mw－Ms×ws－Mg×wg＝165.3－22.8－17.4＝125.1（kg）",
             "　　　细骨料＝735.3×25.0／1000＝18.383（kg）",
         })
        EXPECT_TRUE(HasLine(out.report, line)) << line;
}

TEST(Adjust, SecondSiteMixExample)
{
    // 576 × 5 % = 28.8; 1191 × 1 % = 11.91 → 11.9; 168 − 28.8 − 11.9 = 127.3
    const AdjustResults r
        = CalculateAdjust(Design({ "300", "0", "0", "576", "1191", "168", "0" }, "5", "1")).results;
    EXPECT_EQ(r.site, (AdjustMasses { 3000, 0, 0, 6048, 12029, 1273, 0 }));
}

TEST(Adjust, CorrectionOnlyBeyondTwoPercentAsPrinted)
{
    // ρc,c 2400.0: 2448 is exactly 2.00 % and keeps the mix, as does −2.00 %.
    // ρc,c 2399.8: 2448 is 2.0085 % → 2.01, corrected by δ = 1.020085 → 1.020.
    const std::array<std::string, kAdjustMaterials> at2400 { "400", "0", "0", "800", "1000", "200",
        "4.35" };
    const auto at2399 = Sand(at2400, "799.8");
    struct Row
    {
        const char* name;
        std::array<std::string, kAdjustMaterials> masses;
        const char* rhoT;
        std::int64_t deviation;
        bool corrected;
    } rows[] = {
        { "dev_2.00_kept", at2400, "2448", 200, false },
        { "dev_-2.00_kept", at2400, "2352", -200, false },
        { "dev_2.01_corrected", at2399, "2448", 201, true },
        // 48.1 / 2399.9 = 2.004 %: beyond 2 % only before it is printed.
        { "dev_2.004_prints_2.00_kept", Sand(at2400, "799.9"), "2448", 200, false },
        { "dev_-2.04_corrected", at2400, "2351", -204, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const AdjustOutcome out = CalculateAdjust(Design(row.masses, "0", "0", row.rhoT));
        ASSERT_FALSE(out.stopped);
        EXPECT_EQ(out.results.deviation, row.deviation);
        EXPECT_EQ(out.results.corrected, row.corrected);
        EXPECT_EQ(out.results.delta.has_value(), row.corrected);
        EXPECT_EQ(HasLine(out.report, "　　偏差的绝对值不超过2%，不校正。"), !row.corrected);
        if (!row.corrected) {
            EXPECT_EQ(out.results.lab, out.results.design);
        }
    }

    // Each mass times δ as printed: 799.8 × 1.020 = 815.796 → 815.8, the
    // admixture 4.35 × 1.020 = 4.437 → 4.44.
    const AdjustOutcome out = CalculateAdjust(Design(at2399, "0", "0", "2448"));
    EXPECT_EQ(out.results.delta, 1020);
    EXPECT_EQ(out.results.lab, (AdjustMasses { 4080, 0, 0, 8158, 10200, 2040, 444 }));
    EXPECT_EQ(out.results.binder, 4080);
    EXPECT_TRUE(HasLine(
        out.report, "　　偏差＝（ρc,t－ρc,c）／ρc,c×100＝（2448－2399.8）／2399.8×100＝2.01（%）"));
    EXPECT_TRUE(HasLine(out.report, "　　δ＝ρc,t／ρc,c＝2448／2399.8＝1.020"));
    EXPECT_TRUE(HasLine(out.report, "　　　外加剂 Mca＝4.35×1.020＝4.44（kg）"));

    // A measured density of 0 is no measurement.
    EXPECT_FALSE(CalculateAdjust(Design(at2400, "0", "0", "0")).results.measuredDensity);
}

TEST(Adjust, ChecksStopInOrderAndWarnBelowTwentyLitres)
{
    const std::array<std::string, kAdjustMaterials> ok { "300", "100", "50", "800", "1000", "180",
        "4.5" };
    struct Row
    {
        const char* name;
        std::array<std::string, kAdjustMaterials> masses;
        const char *ws, *wg, *rhoT, *v;
        const char* message; // nullptr: passes
        AdjustBox focus;
    } rows[] = {
        { "not_a_number_before_negative", { "-1", "x", "0", "800", "1000", "180", "0" }, "0", "0",
            "", "25", "请键入一个数。", AdjustBox::Powder1 },
        { "density_not_a_number", ok, "0", "0", "abc", "25", "请键入一个数。",
            AdjustBox::MeasuredDensity },
        { "negative_mass", { "300", "0", "0", "800", "1000", "180", "-0.01" }, "0", "0", "", "25",
            "材料用量不能为负数。", AdjustBox::Admixture },
        { "no_binder", { "0", "0", "0", "800", "1000", "180", "0" }, "0", "0", "", "25",
            "胶凝材料用量应大于0。", AdjustBox::Cement },
        { "ws_20_passes", ok, "20", "0", "", "25", nullptr, AdjustBox::Cement },
        { "ws_20.05_is_20.1", ok, "20.05", "0", "", "25", "含水率应在0～20%之间。",
            AdjustBox::SandMoisture },
        { "wg_negative", ok, "0", "-0.1", "", "25", "含水率应在0～20%之间。",
            AdjustBox::CoarseMoisture },
        { "v_zero", ok, "0", "0", "", "0.04", "每盘方量应在0～10000L之间。", AdjustBox::Volume },
        { "v_above_10000", ok, "0", "0", "", "10000.1", "每盘方量应在0～10000L之间。",
            AdjustBox::Volume },
        { "rho_3001", ok, "0", "0", "3001", "25", "实测表观密度应在1800～3000kg/m3之间。",
            AdjustBox::MeasuredDensity },
        { "rho_1799", ok, "0", "0", "1799", "25", "实测表观密度应在1800～3000kg/m3之间。",
            AdjustBox::MeasuredDensity },
        // 1000 × 10 % + 1000 × 5 % = 150: water 150 leaves exactly 0, 149.9 too little.
        { "site_water_exactly_0", { "300", "0", "0", "1000", "1000", "150", "0" }, "10", "5", "",
            "25", nullptr, AdjustBox::Cement },
        { "site_water_below_0", { "300", "0", "0", "1000", "1000", "149.9", "0" }, "10", "5", "",
            "25", "骨料所含水量超过用水量，请检查含水率。", AdjustBox::SandMoisture },
        { "mass_beyond_any_mix", { "300", "0", "0", "800", "1e9", "180", "0" }, "0", "0", "", "25",
            "每立方米材料用量不能超过10000kg。", AdjustBox::Coarse },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const AdjustOutcome out
            = CalculateAdjust(Design(row.masses, row.ws, row.wg, row.rhoT, row.v));
        if (!row.message) {
            EXPECT_FALSE(out.stopped);
            EXPECT_TRUE(out.messages.empty());
            EXPECT_FALSE(out.report.empty());
            continue;
        }
        EXPECT_TRUE(out.stopped);
        ASSERT_EQ(out.messages.size(), 1u);
        EXPECT_EQ(out.messages[0].kind, MessageKind::Stop);
        EXPECT_EQ(out.messages[0].text, row.message);
        EXPECT_EQ(out.focus, row.focus);
        EXPECT_EQ(out.notANumber, std::string(row.message) == "请键入一个数。");
        EXPECT_TRUE(out.report.empty());
    }

    // 20 L is enough; 19.9 warns and goes on; 19.95 is taken as 20.0.
    for (const char* v : { "20", "19.95" })
        EXPECT_TRUE(CalculateAdjust(Design(ok, "0", "0", "", v)).messages.empty()) << v;
    const AdjustOutcome small = CalculateAdjust(Design(ok, "0", "0", "", "19.9"));
    EXPECT_FALSE(small.stopped);
    ASSERT_EQ(small.messages.size(), 1u);
    EXPECT_EQ(small.messages[0].kind, MessageKind::Warn);
    EXPECT_EQ(small.messages[0].text, "试配每盘混凝土的搅拌量不应少于20L。");

    // The warning is shown before a later stop.
    const AdjustOutcome both = CalculateAdjust(Design(ok, "0", "0", "5000", "10"));
    ASSERT_EQ(both.messages.size(), 2u);
    EXPECT_EQ(both.messages[0].kind, MessageKind::Warn);
    EXPECT_TRUE(both.stopped);
}
