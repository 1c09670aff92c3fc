// qoru-calc run as a hostile or careless caller would run it.

#include "cli/calcrun.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs qoru-calc with stdin and stdout taken from files when given.
CalcRun QoruCalc(const QStringList& arguments, const QString& inputFile = QString(),
    const QString& outputFile = QString())
{
    return RunQoruCalc(arguments, { {}, inputFile, outputFile });
}

TEST(QoruCalcMisuse, UsageErrorsSayWhatIsWrongInOneLine)
{
    const struct
    {
        QStringList arguments;
        std::string message;
    } cases[] = {
        { {}, "command: needed; see qoru-calc --help" },
        { { "nosuch" }, "\"nosuch\": unknown command; see qoru-calc --help" },
        { { "mix1", "--sigma", "3", "--sigma", "3" }, "--sigma: given more than once" },
        { { "mix2", "--encoding", "gbk", "--encoding", "utf-8" },
            "--encoding: given more than once" },
        { { "mix1", "--sigma" }, "--sigma: missing value" },
        { { "mix1", "--json=no" }, "--json: takes no value" },
        { { "mix1", "--unknown" }, "\"--unknown\": unknown option; see qoru-calc mix1 --help" },
        { { "stddev", "a", "b" }, "\"b\": unexpected argument; see qoru-calc stddev --help" },
        { { "evaluate" }, "--grade: needed" },
        { { "adjust", "--cement", "300" }, "--sand: needed without --design" },
        { { "evaluate", "--grade", "C30", "--method", "known" },
            "--sigma0: needed with --method known" },
        { { "adjust", "--design", "" },
            "--design: empty; name a file, or \"-\" for standard input" },
        { { "stddev", "" }, "FILE: empty; name a file, or \"-\" for standard input" },
        { { "mix2", "--powder1", "石灰" }, "--powder1: \"石灰\" is not in the list" },
        { { "mix1", "--va", "1,5" }, "--va: \"1,5\" is not a number" },
        { { "evaluate", "--grade", "C30", "--factor", "1e308" },
            "--factor: \"1e308\" is too large" },
        { { "adjust", "--volume", "1e308" }, "--volume: \"1e308\" is too large" },
        // A value is never cut to the 31 characters a box holds.
        { { "evaluate", "--grade", "C30", "--sigma0", "5.00000000000000000000000000000e-1" },
            "--sigma0: \"5.00000000000000000000000000000e-1\" is longer than a box holds (31 "
            "characters)" },
        { { "adjust", "--volume", "2.50000000000000000000000000000e3" },
            "--volume: \"2.50000000000000000000000000000e3\" is longer than a box holds (31 "
            "characters)" },
        { { "mix2", "--water", QString(50, '1') },
            "--water: \"111111111111111111111111111111111111111…\" is longer than a box holds (31 "
            "characters)" },
        { { "adjust", "--powder1-name", "a\tb" },
            "--powder1-name: \"a\\tb\" is not a name (1 to 31 characters of UTF-8 text, no "
            "control characters)" },
        { { "adjust", "--powder2-name", QString(32, QChar(0x7070)) },
            "--powder2-name: \"" + QString(32, QChar(0x7070)).toStdString()
                + "\" is not a name (1 to 31 characters of UTF-8 text, no control characters)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CalcRun plain = QoruCalc(c.arguments);
        EXPECT_EQ(plain.exitCode, 2);
        EXPECT_EQ(plain.err, std::string("qoru-calc: ") + c.message + "\n");

        // With --json the same text as the one JSON object on stdout.
        QStringList withJson = c.arguments;
        withJson.insert(std::min<int>(1, withJson.size()), "--json");
        const CalcRun json = QoruCalc(withJson);
        EXPECT_EQ(json.exitCode, 2);
        EXPECT_EQ(json.err, "");
        const QJsonObject object
            = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
        EXPECT_EQ(object.keys(), QStringList { "error" }) << json.out;
        EXPECT_EQ(object.value("error").toString().toStdString(), c.message);
    }
}

TEST(QoruCalcMisuse, StdDevStopsOnInputItCannotTake)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // A directory for standard input cannot be read: no "fewer than 25".
    const CalcRun directory = QoruCalc({ "stddev" }, dir.path());
    EXPECT_EQ(directory.exitCode, 2);
    EXPECT_EQ(directory.out, "");
    EXPECT_EQ(directory.err.rfind("qoru-calc: standard input: ", 0), 0u) << directory.err;

    // Endless input ends at its first word, echoed short.
    const CalcRun zeros = QoruCalc({ "stddev" }, "/dev/zero");
    EXPECT_EQ(zeros.exitCode, 2);
    EXPECT_EQ(zeros.err.rfind("qoru-calc: line 1: \"\\x00\\x00", 0), 0u) << zeros.err;
    EXPECT_NE(zeros.err.find("…\": 请键入一个数。\n"), std::string::npos) << zeros.err;
}

TEST(QoruCalcMisuse, OutputThatCannotBeWrittenExitsTwo)
{
    for (const QStringList& arguments :
        { QStringList { "--help" }, QStringList { "mix1", "--json" }, QStringList { "mix2" } }) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(arguments, QString(), "/dev/full");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("qoru-calc: standard output: "), std::string::npos);
    }
}

TEST(QoruCalcMix2Json, NamesThePowdersAsTheReportDoes)
{
    const struct
    {
        QStringList arguments;
        const char* powder1;
        const char* powder2;
    } cases[] = {
        { { "mix2" }, "粉煤灰", "矿渣粉" },
        { { "mix2", "--powder1", "none", "--powder2", "惰性料" }, "粉体一", "惰性料" },
        { { "mix2", "--powder2", "无", "--gamma-c", "0.99" }, "粉煤灰", "粉体二" }, // stopped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(QStringList(c.arguments) << "--json");
        const QJsonObject object
            = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        EXPECT_EQ(object.value("powder1Name").toString().toStdString(), c.powder1);
        EXPECT_EQ(object.value("powder2Name").toString().toStdString(), c.powder2);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
