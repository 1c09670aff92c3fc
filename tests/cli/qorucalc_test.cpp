#include "cli/calcrun.h"
#include "doc/gbkcodec.h"
#include "core/mix1/mix1golden.h"
#include "core/mix2/mix2golden.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const char* const kBinder = "规程要求：胶凝材料用量宜控制在400～500(kg/m3)之间。\n"
                            "现在的计算用量超出规程规定，建议调整参数。";
const char* const kSf2 = "规程要求：\n自密实性能等级SF2，粗骨料体积取值范围是：0.30--0.33(m3)。";
const char* const kRatio = "规程要求：水胶比宜小于0.45，建议调整水胶比。";

CalcRun QoruCalc(const QStringList& arguments, const QByteArray& input = QByteArray())
{
    return RunQoruCalc(arguments, { input, {}, {} });
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

QJsonObject JsonOf(const CalcRun& run)
{
    QJsonParseError error {};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

TEST(QoruCalcMix1, DefaultRunPrintsTheOpeningReport)
{
    const CalcRun run = QoruCalc({ "mix1" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Joined(OpeningReportLines()));
    EXPECT_EQ(run.err, std::string(kBinder) + "\n");
}

TEST(QoruCalcMix1, GbkEncodingWritesTheReportAsTheFileWouldHoldIt)
{
    const CalcRun utf8 = QoruCalc({ "mix1" });
    const CalcRun gbk = QoruCalc({ "mix1", "--encoding", "gbk" });
    EXPECT_EQ(gbk.exitCode, 0);
    // "一、设计要求：" in GBK
    EXPECT_NE(gbk.out.find("\xd2\xbb\xa1\xa2\xc9\xe8\xbc\xc6\xd2\xaa\xc7\xf3\xa3\xba\r\n"), std::string::npos);
    EXPECT_EQ(QString::fromStdU16String(GbkDecode(gbk.out)), QString::fromStdString(utf8.out));
}

TEST(QoruCalcMix1, ListOptionsSelectItemsAsTheFormDoes)
{
    const CalcRun run = QoruCalc(
        { "mix1", "--sf", "SF1", "--grade", "C30", "--cement-grade", "42.5", "--vg", "0.34" });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto lines = ReportLinesOf(run.out);
    ASSERT_GT(lines.size(), 56u);
    EXPECT_EQ(lines[3], "　　自密实性能：SF1");
    EXPECT_EQ(lines[4], "　　坍落扩展度＝550～655（mm）");
    EXPECT_EQ(lines[5], "　　混凝土强度 fcu,k＝30.0（MPa）");
    EXPECT_EQ(lines[7], "　　水泥强度等级　　　fce,g＝42.5（MPa）");
    EXPECT_EQ(lines[20], "　　　根据自密实性能等级，选取粗骨料体积 Vg＝0.34（m3）");
    EXPECT_EQ(lines[52], "　　　自密实混凝土强度等级：C30");
}

TEST(QoruCalcMix1, StopExitsOneWithTheMessageOnStderr)
{
    const CalcRun run = QoruCalc({ "mix1", "--vg", "0.34" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string(kSf2) + "\n");
}

TEST(QoruCalcMix1, BadUsageExitsTwo)
{
    const std::vector<QStringList> cases = {
        { "mix1", "--sigma", "abc" }, // not a number
        { "mix1", "--va", ".0" }, // a zero must start with 0
        { "mix1", "--vg", "0.33x" },
        { "mix1", "--grade", "C61" }, // no such item
        { "mix1", "--sf", "SF4" },
        { "mix1", "--encoding", "latin1" },
        { "mix1", "--unknown" },
        { "mix1", "--sigma" }, // missing value
        { "mix1", "stray" },
        { "nosuchcommand" },
        {},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    EXPECT_NE(QoruCalc({ "mix1", "--sigma", "abc" }).err.find("--sigma"), std::string::npos);
}

TEST(QoruCalcMix1, NumbersFollowTheNumberBoxRule)
{
    // Blanks around a number and a leading minus sign are fine.
    const CalcRun run = QoruCalc({ "mix1", "--va", " 15\t", "--alpha=-1" });
    EXPECT_EQ(run.exitCode, 1); // α < 0 stops
    EXPECT_EQ(run.err, "输入的数值有错误，请更正。\n");
    const CalcRun air = QoruCalc({ "mix1", "--va", " 15\t" });
    EXPECT_EQ(air.exitCode, 0);
    EXPECT_NE(air.out.find("　　引入空气的体积　　Va＝15（L）\r\n"), std::string::npos);
}

TEST(QoruCalcMix1, JsonHoldsMessagesReportAndResults)
{
    const CalcRun run = QoruCalc({ "mix1", "--json", "--custom-wb", "0.449" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value("stopped"), QJsonValue(false));

    const QJsonArray messages = json.value("messages").toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject().value("kind").toString(), "warn");
    EXPECT_EQ(messages[0].toObject().value("text").toString().toStdString(), kRatio);

    // The same text as without --json.
    const std::string report = json.value("report").toString().toStdString();
    EXPECT_EQ(report, QoruCalc({ "mix1", "--custom-wb", "0.449" }).out);
    EXPECT_NE(report.find("\r\n　　　自定水胶比  (Mw/Mb)＝0.45\r\n"), std::string::npos);

    const QJsonObject results = json.value("results").toObject();
    EXPECT_EQ(results.value("WB").toDouble(), 0.45);
    // Mb = 0.36 / (1/2898 + 0.00045) = 452.8, Mc = 452.8 - 2 × 45.3 = 362.2,
    // 1000 × 362.2 / 3100 = 116.838.. printed as 116.84.
    EXPECT_EQ(results.value("Mb").toDouble(), 452.8);
    EXPECT_EQ(results.value("cementMass").toDouble(), 362.2);
    EXPECT_EQ(results.value("cementVolume").toDouble(), 116.84);
    EXPECT_EQ(results.value("coarseVolume").toDouble(), 330.0);
    EXPECT_EQ(results.value("Mg").toDouble(), 891.0);

    // Every name --help documents is there, and nothing else.
    const std::string help = QoruCalc({ "--help" }).out;
    EXPECT_EQ(results.size(), 32);
    for (const QString& name : results.keys())
        EXPECT_NE(help.find(" " + name.toStdString()), std::string::npos) << name.toStdString();
}

TEST(QoruCalcMix1, JsonOfAStoppedRun)
{
    const CalcRun run = QoruCalc({ "mix1", "--json", "--vg", "0.34" });
    EXPECT_EQ(run.exitCode, 1);
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value("stopped"), QJsonValue(true));
    EXPECT_EQ(json.value("report"), QJsonValue(""));
    EXPECT_TRUE(json.value("results").toObject().isEmpty());
    const QJsonArray messages = json.value("messages").toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject().value("kind").toString(), "stop");
    // The message's own line break survives as "\n".
    EXPECT_EQ(messages[0].toObject().value("text").toString().toStdString(), kSf2);
}

const char* const kTooFew = "规范要求砼试件强度数据不少于25组。";

// 1 to n, `perLine` a line, with blanks, tabs and CR LF line ends mixed.
QByteArray Counting(int n, int perLine)
{
    QByteArray text;
    for (int i = 1; i <= n; ++i) {
        text += QByteArray::number(i);
        text += i % perLine == 0 ? (i % 2 ? "\r\n" : "\n") : (i % 3 ? " " : " \t ");
    }
    return text;
}

TEST(QoruCalcStdDev, ReadsAFileOrStandardInput)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("强度 数据.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + Counting(25, 4) + "\n\n");
    file.close();

    // 1..25: variance n(n + 1) / 12 = 54.1667, σ = 7.3598.
    const CalcRun fromFile = QoruCalc({ "stddev", path });
    EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, "sigma 7.36\ncount 25\n");
    EXPECT_EQ(fromFile.err, "");

    const CalcRun fromStdin = QoruCalc({ "stddev" }, Counting(25, 1));
    EXPECT_EQ(fromStdin.exitCode, 0);
    EXPECT_EQ(fromStdin.out, fromFile.out);
    EXPECT_EQ(QoruCalc({ "stddev", "-" }, Counting(25, 7)).out, fromFile.out);

    // Equal results give 0, and the last line needs no line end.
    const CalcRun equal = QoruCalc({ "stddev" }, QByteArray("33.3 ").repeated(25).trimmed());
    EXPECT_EQ(equal.exitCode, 0);
    EXPECT_EQ(equal.out, "sigma 0\ncount 25\n");

    const CalcRun missing = QoruCalc({ "stddev", dir.filePath("没有的 数据.txt") });
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("没有的 数据.txt"), std::string::npos);
}

TEST(QoruCalcStdDev, FewerThanTwentyFiveStop)
{
    for (int n : { 0, 1, 24 }) {
        SCOPED_TRACE(n);
        const CalcRun run = QoruCalc({ "stddev" }, Counting(n, 5));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string(kTooFew) + "\n");
    }
    const QJsonObject json = JsonOf(QoruCalc({ "stddev", "--json" }, Counting(24, 5)));
    EXPECT_EQ(json.value("stopped"), QJsonValue(true));
    EXPECT_EQ(json.value("count").toInt(), 24);
    EXPECT_TRUE(json.value("sigma").isNull());
    const QJsonArray messages = json.value("messages").toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject().value("kind").toString(), "stop");
    EXPECT_EQ(messages[0].toObject().value("text").toString().toStdString(), kTooFew);
}

TEST(QoruCalcStdDev, JsonGivesSigmaAsItsBoxShowsIt)
{
    // 1..24 and 500: mean 32, squares about it 229300, σ = √(229300 / 24) = 97.745.
    const CalcRun run = QoruCalc({ "stddev", "--json" }, Counting(24, 6) + "500\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const QJsonObject json = JsonOf(run);
    EXPECT_EQ(json.value("stopped"), QJsonValue(false));
    EXPECT_TRUE(json.value("messages").toArray().isEmpty());
    EXPECT_EQ(json.value("count").toInt(), 25);
    EXPECT_EQ(json.value("sigma").toDouble(), 97.75);
    EXPECT_NE(run.out.find("\"sigma\": 97.75,\n"), std::string::npos);

    // One value 1.75 off 24 equal ones: σ = 1.75 / √25 = 0.35, rounded as
    // 35 × 0.01 = 0.35000000000000003 but given as the box shows it.
    const CalcRun outlier
        = QoruCalc({ "stddev", "--json" }, QByteArray("10\n").repeated(24) + "11.75\n");
    EXPECT_NE(outlier.out.find("\"sigma\": 0.35,\n"), std::string::npos) << outlier.out;
}

TEST(QoruCalcStdDev, BadValuesNameTheirLineAndExitTwo)
{
    const struct
    {
        const char* input;
        const char* line;
        const char* message;
    } cases[] = {
        { "30 31\n32 abc 33\n", "line 7: \"abc\": ", "请键入一个数。" },
        { "30\n\n31,5\n", "line 8: \"31,5\": ", "请键入一个数。" },
        { "30\r\n0\r\n", "line 7: \"0\": ", "砼试件强度应大于零。" },
        { "500.5\n", "line 6: \"500.5\": ", "“请填入一个在0和500之间的数字。”" },
        { "30\n31\n32\n-1\n", "line 9: \"-1\": ", "“请填入一个在0和500之间的数字。”" },
        { "30\n.0\n", "line 7: \".0\": ", "请键入一个数。" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        // Five lines of good values come first.
        const CalcRun run = QoruCalc({ "stddev" }, Counting(25, 5) + c.input);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("qoru-calc: ") + c.line + c.message + "\n");
    }
    // 500 is the largest strength taken.
    EXPECT_EQ(QoruCalc({ "stddev" }, Counting(24, 5) + "500").exitCode, 0);

    for (const QStringList& arguments : std::vector<QStringList> {
             { "stddev", "a.txt", "b.txt" }, { "stddev", "--encoding", "latin1" },
             { "stddev", "--unknown" } }) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(arguments, Counting(25, 5));
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
}

TEST(QoruCalc, HelpDocumentsCommandsOptionsAndExitCodes)
{
    const CalcRun run = QoruCalc({ "--help" });
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : { "mix1", "stddev", "[FILE]", "--json", "--encoding", "--sf", "--grade", "--cement-grade",
             "--sigma", "--rho-c", "--vg", "--phi-s", "--beta1", "--beta2", "--va", "--rho-g",
             "--rho-s", "--rho-f", "--rho-k", "--alpha", "--custom-wb", "Exit status" })
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    EXPECT_EQ(QoruCalc({ "mix1", "--help" }).exitCode, 0);
    EXPECT_EQ(QoruCalc({ "stddev", "--help" }).exitCode, 0);
}

const char* const kExcessUsual = "超量系数通常取值范围：1.1～1.7，等量时取1。";
const char* const kMix2Failed = "粉体量＝96.8＜160 升，不符合。\n"
                                "水粉比＝1.86＞1.15，不符合。\n"
                                "浆体量＝276.8＜320升，不符合。\n"
                                "不符合自密实性能要求，请重新设计。";

TEST(QoruCalcMix2, DefaultRunPrintsTheOpeningReport)
{
    const CalcRun run = QoruCalc({ "mix2" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Mix2ReportText(Mix2OpeningReportLines()));
    EXPECT_EQ(run.err, std::string(kExcessUsual) + "\n");
}

TEST(QoruCalcMix2, AFailedCheckIsNoStopAndEndsTheReportAfterStepFour)
{
    const CalcRun run = QoruCalc({ "mix2", "--powder1", "none", "--powder2", "none" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, std::string(kMix2Failed) + "\n");
    const std::string last = "\r\n　　　　　浆体量＝Vw＋Vf＝276.8（L）　　　浆体量＜320升，不符合。\r\n";
    ASSERT_GE(run.out.size(), last.size());
    EXPECT_EQ(run.out.substr(run.out.size() - last.size()), last);
    EXPECT_NE(run.out.find("\r\n　　　没有采用粉体材料二，所以：\r\n"), std::string::npos);

    const CalcRun json = QoruCalc({ "mix2", "--json", "--powder1", "none", "--powder2", "none" });
    EXPECT_EQ(json.exitCode, 0);
    const QJsonObject object = JsonOf(json);
    EXPECT_EQ(object.value("stopped"), QJsonValue(false));
    EXPECT_EQ(object.value("report").toString().toStdString(), run.out);
    const QJsonObject results = object.value("results").toObject();
    EXPECT_EQ(object.value("passed"), QJsonValue(false));
    EXPECT_EQ(results.value("Vf").toDouble(), 96.8);
    EXPECT_EQ(results.value("WP").toDouble(), 1.86);
    EXPECT_EQ(results.value("Vpaste").toDouble(), 276.8);
    // No results are written after a failed check, nor the steps after it run.
    EXPECT_EQ(results.value("cementMass").toDouble(), 0.0);
    EXPECT_EQ(results.value("Vg").toDouble(), 0.0);
    EXPECT_EQ(results.value("powder1Class").toInt(), 0);
    const QJsonArray messages = object.value("messages").toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject().value("kind").toString(), "warn");
    EXPECT_EQ(messages[0].toObject().value("text").toString().toStdString(), kMix2Failed);
}

TEST(QoruCalcMix2, ListOptionsSelectEntriesAsTheFormDoes)
{
    const CalcRun run = QoruCalc({ "mix2", "--sf", "三级", "--grade", "C80", "--cement-grade",
        "52.5", "--aggregate", "碎石", "--powder2", "沸石粉" });
    EXPECT_EQ(run.exitCode, 0) << run.err;
    for (const char* line : { "\r\n　　自密实性能：三级\r\n", "\r\n　　坍落扩展度目标值＝600±50（mm）\r\n",
             "\r\n　　混凝土强度 fcu,k＝80.0（MPa）\r\n", "\r\n　　水泥强度等级 fce,g＝52.5（MPa）\r\n",
             "\r\n　　粗骨料类型：碎石\r\n", "\r\n　　　水灰比公式系数 αa＝0.46，αb＝0.07\r\n",
             "\r\n　　　采用沸石粉取代水泥 30.0％，超量系数 1.93，表观密度 ρf2＝ 2.80（g/cm3）\r\n" })
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    // 0.32 lies within 三级's range, so the only notice is the excess one.
    EXPECT_EQ(run.err.find("规程要求：\n"), std::string::npos);
}

TEST(QoruCalcMix2, JsonOfAnInertPowderAndNoneHoldsTheWorkedExample)
{
    const CalcRun run = QoruCalc({ "mix2", "--json", "--powder1", "惰性料", "--vf1-inert", "70",
        "--powder2", "none" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    const QJsonObject json = JsonOf(run);
    EXPECT_TRUE(json.value("messages").toArray().isEmpty());
    const QJsonObject results = json.value("results").toObject();
    EXPECT_EQ(json.value("passed"), QJsonValue(true));
    const struct {
        const char* name;
        double value;
    } expected[] = { { "Vf1", 70.0 }, { "Mf1", 156.1 }, { "Mc1", 0 }, { "Mc", 300.0 },
        { "Vc", 96.8 }, { "Vf", 166.8 }, { "WP", 1.08 }, { "Vpaste", 346.8 }, { "Vs", 303.2 },
        { "Ms", 809.5 }, { "Mj", 300.0 }, { "WB", 0.6 }, { "powder1Volume", 70.0 },
        { "powder1Mass", 156.1 }, { "powder2Volume", 0 }, { "sandMass", 809.5 },
        { "coarseMass", 864.0 }, { "fcu0", 34.935 }, { "powder1Class", 2 },
        { "powder2Class", 0 } };
    for (const auto& e : expected)
        EXPECT_EQ(results.value(e.name).toDouble(-1), e.value) << e.name;

    // Every name --help documents is there, and nothing else.
    const std::string help = QoruCalc({ "mix2", "--help" }).out;
    EXPECT_EQ(results.size(), 44);
    for (const QString& name : results.keys())
        EXPECT_NE(help.find(" " + name.toStdString()), std::string::npos) << name.toStdString();
}

TEST(QoruCalcMix2, StopsExitOneWithNothingOnStdout)
{
    const CalcRun run = QoruCalc({ "mix2", "--gamma-c", "0.99" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "请检查，输入的数值有错误。\n");

    // A division by zero: σ so large that w/c rounds to 0.
    const CalcRun json = QoruCalc({ "mix2", "--json", "--sigma", "1e300" });
    EXPECT_EQ(json.exitCode, 1);
    const QJsonObject object = JsonOf(json);
    EXPECT_EQ(object.value("stopped"), QJsonValue(true));
    EXPECT_EQ(object.value("passed"), QJsonValue(false));
    EXPECT_TRUE(object.value("results").toObject().isEmpty());
    const QJsonArray messages = object.value("messages").toArray();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last().toObject().value("kind").toString(), "stop");
    EXPECT_EQ(messages.last().toObject().value("text").toString().toStdString(),
        "计算结果无效，请检查输入的数值。");
}

TEST(QoruCalcMix2, BadUsageExitsTwo)
{
    const std::vector<QStringList> cases = {
        { "mix2", "--sigma", "abc" },
        { "mix2", "--water", ".0" }, // a zero must start with 0
        { "mix2", "--r1", "20%" },
        { "mix2", "--sf", "四级" },
        { "mix2", "--grade", "C61" },
        { "mix2", "--cement-grade", "42" },
        { "mix2", "--aggregate", "砾石" },
        { "mix2", "--powder1", "石灰" },
        { "mix2", "--powder2", "None" },
        { "mix2", "--coarse-volume" }, // missing value
        { "mix2", "--vg", "0.3" }, // method 1's option
        { "mix2", "stray" },
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    EXPECT_NE(QoruCalc({ "mix2", "--powder1", "石灰" }).err.find("--powder1"), std::string::npos);
}

TEST(QoruCalcMix2, HelpDocumentsItsOptions)
{
    const CalcRun run = QoruCalc({ "--help" });
    EXPECT_EQ(run.exitCode, 0);
    for (const char* word : { "mix2", "--sf", "--grade", "--cement-grade", "--aggregate",
             "--powder1", "--powder2", "none|粉煤灰|矿渣粉|沸石粉|硅粉|复合料|惰性料",
             "--coarse-volume", "--gamma-c", "--sigma", "--r1", "--r2", "--k1", "--k2", "--rho-s",
             "--rho-g", "--air", "--rho-f1", "--rho-f2", "--water", "--rho-c", "--vf1-inert",
             "--vf2-inert", "passed" })
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    EXPECT_EQ(QoruCalc({ "mix2", "--help" }).exitCode, 0);
}

// Built for another platform (qoru-calc.exe under Wine), the program must
// print what the reference build (Linux) prints, byte for byte: a C runtime
// that rounds or formats otherwise, or a text-mode stdout, shows up here.
TEST(QoruCalcOnAnotherPlatform, OutputIsByteIdenticalToTheReferenceBuild)
{
    const QString reference = qEnvironmentVariable("QORU_CALC_REFERENCE");
    if (reference.isEmpty())
        GTEST_SKIP() << "QORU_CALC_REFERENCE names no build to compare with";

    QByteArray strengths; // 40 results with two decimals, spread over 20..60 MPa
    for (int i = 0; i < 40; ++i)
        strengths
            += QByteArray::number(20 + (i * 7919 % 4001) / 100.0, 'f', 2) + (i % 4 ? " " : "\r\n");
    const struct
    {
        QStringList arguments;
        QByteArray input;
    } runs[] = {
        { { "mix1" }, {} },
        { { "mix1", "--grade", "C35", "--sf", "SF1", "--vg", "0.325", "--sigma", "4.85", "--rho-c",
              "3050", "--phi-s", "0.435", "--beta1", "0.15", "--beta2", "0.125", "--va", "15.5",
              "--alpha", "1.25" },
            {} },
        { { "mix1", "--custom-wb", "0.449", "--encoding", "gbk" }, {} },
        { { "mix1", "--json", "--grade", "C45", "--rho-f", "2250", "--rho-k", "2850" }, {} },
        { { "mix2" }, {} },
        { { "mix2", "--sf", "三级", "--grade", "C80", "--cement-grade", "52.5", "--aggregate",
              "碎石", "--powder2", "沸石粉", "--encoding", "gbk" },
            {} },
        { { "mix2", "--json", "--powder1", "惰性料", "--vf1-inert", "70", "--powder2", "none" },
            {} },
        { { "mix2", "--powder1", "none", "--powder2", "none" }, {} }, // fails its check
        { { "stddev" }, strengths },
        { { "stddev", "--json" }, strengths },
        { { "stddev" }, strengths.left(60) }, // too few: a stop
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.arguments.join(' ').toStdString());
        const CalcRun expected = RunCalcProgram(reference, {}, run.arguments, { run.input, {}, {} });
        const CalcRun actual = QoruCalc(run.arguments, run.input);
        EXPECT_NE(expected.out + expected.err, "");
        EXPECT_EQ(actual.exitCode, expected.exitCode);
        EXPECT_EQ(actual.out, expected.out);
        EXPECT_EQ(actual.err, expected.err);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
