// qoru-calc evaluate end to end: the report is the core's byte for byte,
// the JSON holds the verdict's numbers, and the exit status tells a verdict
// from a stop and from bad input.
#include "cli/calcrun.h"
#include "stats/evaluation.h"
#include "stats/groupinput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

CalcRun Evaluate(const QStringList& options, const QByteArray& input)
{
    return RunQoruCalc(QStringList { "evaluate" } + options, { input, {}, {} });
}

QJsonObject JsonOf(const CalcRun& run)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

const QByteArray kC30 = "33.6\n38.1\n28.9\n30.6\n35.3\n36.1\n34.2\n33.3\n31.7\n29.8\n";

} // namespace

TEST(QoruCalcEvaluate, AFailedBatchIsAVerdictWithTheCoresReport)
{
    const CalcRun run = Evaluate({ "--grade", "C30" }, kC30);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EvaluationInputs in;
    in.groups = ReadGroupBlock(kC30.toStdString()).groups;
    EXPECT_EQ(run.out, Evaluate(in).report);
    EXPECT_NE(run.out.find("该检验批混凝土强度不合格"), std::string::npos);
}

TEST(QoruCalcEvaluate, JsonHoldsGroupsStatisticsAndConditions)
{
    // σ0 1.80 is taken as 2.50; C30: 30 + 0.7 × 2.50 = 31.75.
    const CalcRun run
        = Evaluate({ "--grade", "C30", "--method", "known", "--sigma0", "1.8", "--json" },
            "33.3,38.4,33.0\n30 40 20\n34.0\t35.0\t36.0\n36.2\n");
    EXPECT_EQ(run.exitCode, 0);
    const QJsonObject json = JsonOf(run);
    EXPECT_FALSE(json["stopped"].toBool());
    EXPECT_EQ(json["method"].toString(), "known");
    EXPECT_EQ(json["n"].toInt(), 3);
    EXPECT_DOUBLE_EQ(json["mean"].toDouble(), 34.8); // (33.3 + 35.0 + 36.2) / 3 = 34.83…
    EXPECT_DOUBLE_EQ(json["min"].toDouble(), 33.3);
    EXPECT_DOUBLE_EQ(json["sigma0"].toDouble(), 2.5);
    const QJsonArray groups = json["groups"].toArray();
    ASSERT_EQ(groups.size(), 4);
    EXPECT_EQ(groups[0].toObject()["taken"].toString(), "middle");
    EXPECT_TRUE(groups[1].toObject()["value"].isNull());
    EXPECT_EQ(groups[1].toObject()["taken"].toString(), "invalid");
    EXPECT_EQ(groups[3].toObject()["taken"].toString(), "given");
    const QJsonArray conditions = json["conditions"].toArray();
    ASSERT_EQ(conditions.size(), 3);
    EXPECT_DOUBLE_EQ(conditions[0].toObject()["right"].toDouble(), 31.75);
    EXPECT_TRUE(json["passed"].toBool());
    EXPECT_DOUBLE_EQ(json["lambda"].toObject()["minFactor"].toDouble(), 0.9);
}

TEST(QoruCalcEvaluate, ExitStatusAndMessages)
{
    // The size notice comes first, as a warning; the stop ends the run.
    const CalcRun stopped
        = Evaluate({ "--grade", "C60", "--size", "200", "--method", "unknown" }, "70\n71\n");
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, "");
    EXPECT_EQ(stopped.err,
        "C60及以上强度等级采用非标准尺寸试件时，尺寸折算系数应由试验确定。\n"
        "标准差未知的统计方法要求样本容量不少于10组。\n");

    const CalcRun badLine = Evaluate({ "--grade", "C30" }, "30\n\n31 32\n");
    EXPECT_EQ(badLine.exitCode, 2);
    EXPECT_EQ(badLine.out, "");
    EXPECT_NE(badLine.err.find("line 3"), std::string::npos) << badLine.err;

    // A line no group needs, as from binary or endless input, ends the reading.
    const CalcRun endless = Evaluate({ "--grade", "C30" }, "30\n" + QByteArray(5000, '3'));
    EXPECT_EQ(endless.exitCode, 2);
    EXPECT_NE(endless.err.find("line 2"), std::string::npos) << endless.err;

    for (const QStringList& usage :
        { QStringList { "--grade", "C31" }, QStringList { "--grade", "C30", "--factor", "x" },
            QStringList {}, QStringList { "--grade", "C30", "--method", "known" } }) {
        SCOPED_TRACE(usage.join(' ').toStdString());
        EXPECT_EQ(Evaluate(usage, kC30).exitCode, 2);
    }
}

TEST(QoruCalcEvaluate, RefusedInputNamesWhatWasRefused)
{
    const struct
    {
        QByteArray input;
        int exitCode;
        std::string err;
    } rows[] = {
        // Read whole: the box's first 31 characters would make these 3.0 and 30.
        { "3.00000000000000000000000000000e1 3.10000000000000000000000000000e1 "
          "3.20000000000000000000000000000e1\n",
            2, "qoru-calc: line 1: \"3.00000000000000000000000000000e1\": 请键入一个数。\n" },
        { "30\n30.000000000000000000000000000000xyz 31 32\n", 2,
            "qoru-calc: line 2: \"30.000000000000000000000000000000xyz\": 请键入一个数。\n" },
        { "30\t31\n", 2, "qoru-calc: line 1: \"30\\t31\": 每组应为3个试件强度或1个强度代表值。\n" },
        // Blank lines count toward the line limit, so endless ones end.
        { QByteArray("\n").repeated(1'000'001), 2,
            "qoru-calc: line 1000001: more than 1000000 lines\n" },
        { QByteArray(",,,\r\n").repeated(1'000'001), 2,
            "qoru-calc: line 1000001: more than 1000000 lines\n" },
        { "35\n" + QByteArray("\n").repeated(999'999), 0, "" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input.left(60).toStdString());
        const CalcRun run = Evaluate({ "--grade", "C30" }, row.input);
        EXPECT_EQ(run.exitCode, row.exitCode);
        EXPECT_EQ(run.err, row.err);
    }
}
