// qoru-calc adjust end to end, fed by the mix commands through a pipe.
#include "adjust/adjustcalc.h"
#include "adjust/adjustdesign.h"
#include "cli/calcrun.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2calc.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

CalcRun QoruCalc(const QStringList& arguments, const std::string& input = {})
{
    return RunQoruCalc(arguments, { QByteArray::fromStdString(input), {}, {} });
}

QJsonObject Results(const CalcRun& run)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out))
        .object()
        .value("results")
        .toObject();
}

} // namespace

TEST(QoruCalcAdjust, PipedFromMix1ItAdjustsTheDesignAsTheFormWould)
{
    const CalcRun mix = QoruCalc({ "mix1", "--json" });
    ASSERT_EQ(mix.exitCode, 0);
    const QStringList args = { "adjust", "--design", "-", "--volume", "30", "--measured-density",
        "2300", "--sand-moisture", "3.2" };
    const CalcRun plain = QoruCalc(args, mix.out);
    EXPECT_EQ(plain.exitCode, 0) << plain.err;

    AdjustInputs in = AdjustInputsFromMix1(CalculateMix1(Mix1Inputs {}).results);
    in.volume = "30";
    in.measuredDensity = "2300";
    in.sandMoisture = "3.2";
    const AdjustOutcome expected = CalculateAdjust(in);
    ASSERT_FALSE(expected.stopped);
    EXPECT_EQ(plain.out, expected.report);

    const QJsonObject r = Results(QoruCalc(args + QStringList { "--json" }, mix.out));
    EXPECT_EQ(r.value("delta").toDouble(), *expected.results.delta / 1000.0);
    EXPECT_EQ(r.value("batch").toObject().value("admixture").toDouble(),
        expected.results.batch[kAdjustAdmixture] / 1000.0);
}

TEST(QoruCalcAdjust, PipedFromMix2ItKeepsThePowdersNamesAndOptionsOverride)
{
    const CalcRun mix = QoruCalc({ "mix2", "--json" });
    ASSERT_EQ(mix.exitCode, 0);
    const CalcRun run = QoruCalc({ "adjust", "--design", "-", "--water", "170.04" }, mix.out);
    EXPECT_EQ(run.exitCode, 0) << run.err;

    AdjustInputs in = AdjustInputsFromMix2(CalculateMix2(Mix2Inputs {}).members);
    in.masses[kAdjustWater] = "170.04";
    EXPECT_EQ(run.out, CalculateAdjust(in).report);
    EXPECT_NE(run.out.find("\r\n　　" + in.powder1Name + " Mf1＝"), std::string::npos);
}

TEST(QoruCalcAdjust, StopsExitOneAndBadUsageTwo)
{
    const QStringList mix
        = { "adjust", "--cement", "300", "--sand", "800", "--coarse", "1000", "--water", "150" };
    const CalcRun wet
        = QoruCalc(mix + QStringList { "--sand-moisture", "15", "--coarse-moisture", "5" });
    EXPECT_EQ(wet.exitCode, 1);
    EXPECT_EQ(wet.out, "");
    EXPECT_EQ(wet.err, "骨料所含水量超过用水量，请检查含水率。\n");

    const struct
    {
        QStringList args;
        std::string input;
        const char* says;
    } usage[] = {
        { { "adjust", "--cement", "300" }, "", "--sand: needed without --design" },
        { mix + QStringList { "--coarse", "1,000" }, "", "--coarse: \"1,000\" is not a number" },
        { { "adjust", "--design", "-" }, "{\"stopped\": true}", "stopped" },
        { { "adjust", "--design", "-" }, "not json", "not the JSON" },
    };
    for (const auto& u : usage) {
        const CalcRun run = QoruCalc(u.args, u.input);
        EXPECT_EQ(run.exitCode, 2) << u.says;
        EXPECT_NE(run.err.find(u.says), std::string::npos) << run.err;
    }
}

TEST(QoruCalcAdjust, ADesignIsOneJsonObjectWhoseNamesAReportCanPrint)
{
    const CalcRun mix = QoruCalc({ "mix2", "--json" });
    ASSERT_EQ(mix.exitCode, 0);
    const std::string name = "\"powder1Name\": \"粉煤灰\"";
    // The name the design gives, not the one among its inputs, which come first.
    const size_t at = mix.out.rfind(name);
    ASSERT_NE(at, std::string::npos);
    std::string hostile = mix.out;
    hostile.replace(at, name.size(), "\"powder1Name\": \"\\u0000\\u001b[2J\"");
    const struct
    {
        std::string design;
        int exitCode;
        std::string err;
    } rows[] = {
        { mix.out + " \r\n\t", 0, "" },
        { mix.out + std::string("\0garbage", 8), 2,
            "qoru-calc: --design: the design is not the JSON of qoru-calc mix1, mix2 or ordinary "
            "--json\n" },
        { mix.out + "{}", 2,
            "qoru-calc: --design: the design is not the JSON of qoru-calc mix1, mix2 or ordinary "
            "--json\n" },
        { hostile, 2,
            "qoru-calc: --design: its powder1Name \"\\x00\\x1B[2J\" is not a name (1 to 31 "
            "characters of UTF-8 text, no control characters)\n" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.err);
        const CalcRun run = QoruCalc({ "adjust", "--design", "-" }, row.design);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.err, row.err);
    }
}
