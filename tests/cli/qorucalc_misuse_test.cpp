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
        const char* message;
    } cases[] = {
        { {}, "no command given; see qoru-calc --help" },
        { { "nosuch" }, "unknown command \"nosuch\"; see qoru-calc --help" },
        { { "mix1", "--sigma", "3", "--sigma", "3" }, "--sigma: given more than once" },
        { { "mix2", "--encoding", "gbk", "--encoding", "utf-8" },
            "--encoding: given more than once" },
        { { "mix1", "--sigma" }, "--sigma: missing value" },
        { { "mix1", "--json=no" }, "--json: takes no value" },
        { { "mix1", "--unknown" }, "unknown option \"--unknown\"; see qoru-calc mix1 --help" },
        { { "stddev", "a", "b" }, "unexpected argument \"b\"; see qoru-calc stddev --help" },
        { { "mix2", "--powder1", "石灰" }, "--powder1: \"石灰\" is not in the list" },
        { { "mix1", "--va", QString(50, 'x') },
            "--va: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" is not a number" },
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
    EXPECT_EQ(directory.err.rfind("qoru-calc: cannot read standard input: ", 0), 0u)
        << directory.err;

    // Endless input ends at its first word, echoed short.
    const CalcRun zeros = QoruCalc({ "stddev" }, "/dev/zero");
    EXPECT_EQ(zeros.exitCode, 2);
    EXPECT_EQ(zeros.err.rfind("qoru-calc: line 1: \"\xEF\xBF\xBD", 0), 0u) << zeros.err;
    EXPECT_NE(zeros.err.find("…\": 请键入一个数。\n"), std::string::npos) << zeros.err;
}

TEST(QoruCalcMisuse, OutputThatCannotBeWrittenExitsTwo)
{
    for (const QStringList& arguments :
        { QStringList { "--help" }, QStringList { "mix1", "--json" }, QStringList { "mix2" } }) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const CalcRun run = QoruCalc(arguments, QString(), "/dev/full");
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("qoru-calc: cannot write standard output: "), std::string::npos);
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
