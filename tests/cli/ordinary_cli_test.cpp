// qoru-calc ordinary end to end, and its design piped into qoru-calc adjust.
#include "adjust/adjustcalc.h"
#include "adjust/adjustdesign.h"
#include "cli/calcrun.h"
#include "gui/support/ordinaryworked.h"
#include "ordinary/ordinarycalc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

CalcRun QoruCalc(const QStringList& arguments, const std::string& input = {})
{
    return RunQoruCalc(arguments, { QByteArray::fromStdString(input), {}, {} });
}

QJsonObject JsonOf(const CalcRun& run)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

const QStringList kWorked = OrdinaryWorkedArguments();

} // namespace

TEST(QoruCalcOrdinary, PrintsTheReportAndItsFiguresAsDecimalStrings)
{
    const OrdinaryOutcome expected = CalculateOrdinary(OrdinaryWorkedExample());
    const CalcRun plain = QoruCalc(kWorked);
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, expected.report);
    EXPECT_EQ(plain.err, expected.messages.front().text + "\n");

    const CalcRun json = QoruCalc(kWorked + QStringList { "--json" });
    EXPECT_EQ(json.exitCode, 0);
    const QJsonObject object = JsonOf(json);
    EXPECT_EQ(object.value("report").toString().toStdString(), expected.report);
    const QJsonObject r = object.value("results").toObject();
    const struct
    {
        const char* key;
        const char* value;
    } figures[] = { { "fcu0", "38.2" }, { "sigma", "5.0" }, { "fce", "49.3" }, { "gammaF", "0.95" },
        { "fb", "46.8" }, { "wbCalculated", "0.57" }, { "wb", "0.40" }, { "mw0Prime", "232.5" },
        { "water", "174" }, { "binder", "435" }, { "binderMinimum", "330" }, { "flyAsh", "44" },
        { "cement", "391" }, { "admixture", "4.35" }, { "sandRatio", "43.0" }, { "sand", "770" },
        { "stone", "1021" }, { "density", "2400" } };
    for (const auto& f : figures)
        EXPECT_EQ(r.value(f.key).toString(), QString::fromUtf8(f.value)) << f.key;
    EXPECT_EQ(r.value("ratio").toArray(), (QJsonArray { "1", "1.77", "2.35", "0.40" }));
    const QJsonArray trials = r.value("trials").toArray();
    ASSERT_EQ(trials.size(), 3);
    EXPECT_EQ(trials[0].toObject().value("binder").toString(), "497");
    EXPECT_EQ(trials[2].toObject().value("sandRatio").toString(), "44.0");

    // From C60: no σ and no computed W/B; a measured fb leaves no γ.
    const QJsonObject high = JsonOf(
        QoruCalc({ "ordinary", "--grade", "C60", "--cement-grade", "52.5", "--aggregate", "gravel",
            "--max-size", "20", "--slump", "180", "--wb", "0.30", "--fb", "55", "--json" }))
                                 .value("results")
                                 .toObject();
    for (const char* key : { "sigma", "wbCalculated", "gammaF", "gammaS" })
        EXPECT_TRUE(high.value(key).isNull()) << key;
    EXPECT_EQ(high.value("fcu0").toString(), "69.0");
}

TEST(QoruCalcOrdinary, PipedIntoAdjustItTakesTheCalculatedMix)
{
    const CalcRun design = QoruCalc(kWorked + QStringList { "--json" });
    ASSERT_EQ(design.exitCode, 0);
    const CalcRun run
        = QoruCalc({ "adjust", "--design", "-", "--sand-moisture", "3.2" }, design.out);
    EXPECT_EQ(run.exitCode, 0) << run.err;

    AdjustInputs in
        = AdjustInputsFromOrdinary(CalculateOrdinary(OrdinaryWorkedExample()).results.mix);
    in.sandMoisture = "3.2";
    EXPECT_EQ(run.out, CalculateAdjust(in).report);
    EXPECT_NE(run.out.find("\r\n　　粉煤灰 Mf1＝44.0（kg）\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("\r\n　　外加剂 Mca＝4.35（kg）\r\n"), std::string::npos);
}

TEST(QoruCalcOrdinary, StopsExitOneAndBadUsageTwo)
{
    const QStringList crushed
        = { "ordinary", "--grade", "C30", "--cement-grade", "42.5", "--aggregate", "crushed" };
    const QStringList base = crushed + QStringList { "--max-size", "20" };
    const CalcRun stop = QoruCalc(base + QStringList { "--slump", "50", "--frost", "F150" });
    EXPECT_EQ(stop.exitCode, 1);
    EXPECT_EQ(stop.out, "");
    EXPECT_EQ(stop.err, "抗冻等级F150及以上的混凝土应掺用引气剂（表7.2.2-1），请选择引气。\n");
    const QJsonObject stopped = JsonOf(
        QoruCalc(crushed + QStringList { "--vebe", "10", "--max-size", "31.5", "--json" }));
    EXPECT_EQ(stopped.value("stopped"), QJsonValue(true));
    EXPECT_TRUE(stopped.value("results").toObject().isEmpty());

    const struct
    {
        QStringList args;
        const char* says;
    } usage[] = {
        { base, "--slump or --vebe is needed" },
        { base + QStringList { "--slump", "50", "--vebe", "10" }, "give one of them" },
        { base + QStringList { "--slump", "五十" }, "is not a number" },
        { base + QStringList { "--slump", "50", "--impermeability", "8" }, "is not a grade" },
        { base + QStringList { "--slump", "50", "--sigma", "1e30" },
            "--sigma: \"1e30\" is too large" },
        { { "ordinary", "--slump", "50" }, "--grade" },
    };
    for (const auto& u : usage) {
        const CalcRun run = QoruCalc(u.args);
        EXPECT_EQ(run.exitCode, 2) << u.says;
        EXPECT_NE(run.err.find(u.says), std::string::npos) << run.err;
    }
}
