// Every completed calculation goes into the ledger, and every form opens
// with the inputs of its last calculation.
#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "adjust/dialog160.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "cli/calcrun.h"
#include "documents/documentdata.h"
#include "guitestmain.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mix2lists.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/dialog170.h"
#include "ordinary/ordinarydlg.h"
#include "ordinaryworked.h"
#include "records/ledger.h"
#include "records/recordstore.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testapp.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// Whether `text` stands in the report as a whole number, not as the start or
// end of a longer one ("385" does not stand in "385.0").
bool PrintedAsIs(const QString& report, const QString& text)
{
    auto numeric = [](QChar c) { return c.isDigit() || c == QLatin1Char('.'); };
    for (qsizetype at = report.indexOf(text); at >= 0; at = report.indexOf(text, at + 1)) {
        const qsizetype end = at + text.size();
        if ((at == 0 || !numeric(report.at(at - 1)))
            && (end == report.size() || !numeric(report.at(end))))
            return true;
    }
    return false;
}

// The last line of the report holding `marker`.
QString LineWith(const std::string& report, const char* marker)
{
    const QStringList lines = QString::fromStdString(report).split(QStringLiteral("\r\n"));
    for (auto it = lines.crbegin(); it != lines.crend(); ++it)
        if (it->contains(QString::fromUtf8(marker)))
            return *it;
    return {};
}

// What qoru-calc --json gives besides its messages and inputs: "results", or
// for the kinds that print their figures beside the messages, those fields.
QJsonObject CalcFigures(const CalcRun& run)
{
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    if (o.contains(QLatin1String("results")))
        return o.value(QLatin1String("results")).toObject();
    for (const char* key : { "stopped", "messages", "report", "inputs" })
        o.remove(QLatin1String(key));
    return o;
}

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;

    std::vector<EntryRow> rows()
    {
        auto listed = DesignLedger(m_app->records()).listEntries(LedgerFilter {}, 0, 100);
        return listed ? *listed : std::vector<EntryRow> {};
    }

    // A form of the switchboard's filled from `fill`, pressed with `calc`.
    template <typename Form> void press(int calc, const std::function<void(Form&)>& fill)
    {
        Form form(m_app->view());
        m_app->calculators()->attach(&form);
        form.setModal(false);
        form.show();
        fill(form);
        form.button(calc)->click();
        form.reject();
    }

    // Opens a kind's form as its command does and acts on it while it is open.
    template <typename Form>
    void whileOpen(void (CCalculators::*command)(), const std::function<void(Form&)>& act)
    {
        bool acted = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = dynamic_cast<Form*>(QApplication::activeModalWidget());
            if (form) {
                act(*form);
                acted = true;
                form->reject();
            }
        });
        (m_app->calculators()->*command)();
        QVERIFY(acted);
    }

    // Presses `in` in a form, then the recorded inputs in another: both the
    // inputs and the report come back byte for byte.
    template <typename Form> void roundTrip(const typename Form::InputsType& in, int calc)
    {
        const std::size_t before = rows().size();
        press<Form>(calc, [&in](Form& f) { f.load(in); });
        const auto listed = rows();
        QCOMPARE(listed.size(), before + 1);
        const Entry first = *DesignLedger(m_app->records()).entry(listed.front().id);

        press<Form>(calc, [&first](Form& f) {
            QVERIFY(f.loadJson(first.inputsJson));
            QCOMPARE(f.inputsJson(), first.inputsJson);
        });
        const Entry again = *DesignLedger(m_app->records()).entry(rows().front().id);
        QCOMPARE(again.row.kind, first.row.kind);
        QCOMPARE(again.inputsJson, first.inputsJson);
        QCOMPARE(again.report, first.report);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
        QTRY_VERIFY(m_app->records().isOpen());
    }
    void cleanup() { StopTestApp(m_prompter, m_app); }

    void a_press_records_one_entry_with_its_report()
    {
        QSignalSpy changed(m_app.get(), &CQoruApp::recordsChanged);
        const std::size_t before = rows().size();
        Mix1Inputs in;
        in.customRatio = true;
        in.wb = 0.37;
        press<CMixDesignDlg>(IDC_CALCULATE, [&in](CMixDesignDlg& f) { f.load(in); });

        const auto listed = rows();
        QCOMPARE(listed.size(), before + 1);
        const Entry entry = *DesignLedger(m_app->records()).entry(listed.front().id);
        QCOMPARE(entry.row.kind, std::string("mix1"));
        QCOMPARE(entry.row.operatorName, m_app->operatorName().toStdString());
        QCOMPARE(entry.row.grade, std::string("C60"));
        QCOMPARE(entry.report, CalculateMix1(in).report);
        QVERIFY(m_app->view()->toPlainText().contains(QStringLiteral("0.37")));
        QCOMPARE(changed.count(), 1);
        QVERIFY(m_app->mainFrame()->statusBar()->currentMessage().isEmpty());
    }

    void without_records_the_report_is_appended_and_the_status_bar_says_so()
    {
        m_app->records().close();
        AdjustInputs in;
        in.masses = { "285", "50", "0", "712.5", "1453.5", "165.3", "3.2" };
        const QString before = m_app->view()->toPlainText();
        press<CAdjustDlg>(IDC_ADJ_CALCULATE, [&in](CAdjustDlg& f) { f.load(in); });
        QCOMPARE(m_app->view()->toPlainText(),
            before
                + QString::fromStdString(CalculateAdjust(in).report)
                      .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(m_app->mainFrame()->statusBar()->currentMessage().startsWith(
            QStringLiteral("计算书已追加，未记入台账：")));
        QVERIFY(m_prompter->notices.isEmpty()); // the press is not held up
        QVERIFY(rows().empty());
    }

    void every_kind_reopens_from_its_record_to_the_same_report()
    {
        Mix1Inputs mix1;
        mix1.strengthIndex = 3;
        mix1.vg = 0.31;
        roundTrip<CMixDesignDlg>(mix1, IDC_CALCULATE);

        Mix2Inputs mix2;
        mix2.lists.powder1Kind = 6;
        ApplyPowderKind(mix2.members, 1, 6);
        mix2.members.powder1InertVol = 40;
        mix2.members.water = 175.5;
        roundTrip<CMixDesign2Dlg>(mix2, 1071);

        EvaluationInputs evaluation;
        evaluation.gradeText = "C20";
        evaluation.fcuK = 200;
        evaluation.sizeNotice = false;
        for (std::int64_t v : { 235, 206, 254, 265, 238, 253, 245, 271, 232, 223 })
            evaluation.groups.push_back({ { v } });
        evaluation.groups.push_back({ { 301, 288, 315 } });
        roundTrip<CEvaluateDlg>(evaluation, IDC_EVAL_CALC);

        AdjustInputs adjust;
        adjust.powder1Name = "石粉";
        adjust.masses = { "285", "50", "0", "712.5", "1453.5", "165.3", "3.2" };
        adjust.measuredDensity = "2410";
        adjust.sandMoisture = "2.5";
        roundTrip<CAdjustDlg>(adjust, IDC_ADJ_CALCULATE);

        StdDevInputs strengths;
        for (int i = 0; i < 25; ++i)
            strengths.strengths.push_back(30.25 + i % 7);
        roundTrip<CStdDevDlg>(strengths, IDC_CALC);

        roundTrip<COrdinaryDlg>(OrdinaryWorkedExample(), IDC_ORD_CALCULATE);
    }

    // Each kind's recorded figures are what qoru-calc prints for the same
    // inputs, its W/B and verdict stand in the report as recorded, and a
    // design's notice prints every mass, W/B and sand ratio it has as the
    // report does.
    void every_kind_records_the_figures_qoru_calc_prints()
    {
        const struct
        {
            const char* kind;
            std::function<void()> press;
            QStringList arguments; // qoru-calc's for the same inputs
            QByteArray input;
            const char* wbLine; // the report line that ends with W/B; none: no W/B
            const char* verdict; // what the report says before the verdict; none: no verdict
            std::vector<int> massless; // materials the notice leaves out; none: no notice
        } cases[] = {
            { "mix1",
                [this] {
                    Mix1Inputs in;
                    in.customRatio = true;
                    in.wb = 0.37;
                    in.vg = 0.31;
                    press<CMixDesignDlg>(IDC_CALCULATE, [&in](CMixDesignDlg& f) { f.load(in); });
                },
                { "mix1", "--custom-wb", "0.37", "--vg", "0.31" }, {}, "　　　水胶比：", nullptr,
                {} },
            { "mix2",
                [this] {
                    Mix2Inputs in;
                    in.members.powder1Replace = 25;
                    press<CMixDesign2Dlg>(1071, [&in](CMixDesign2Dlg& f) { f.load(in); });
                },
                { "mix2", "--r1", "25" }, {}, "水胶比（质量）：", nullptr, { 5 } },
            { "ordinary",
                [this] {
                    press<COrdinaryDlg>(IDC_ORD_CALCULATE,
                        [](COrdinaryDlg& f) { f.load(OrdinaryWorkedExample()); });
                },
                OrdinaryWorkedArguments(), {}, "采用自定水胶比 W/B＝", nullptr, {} },
            { "adjust",
                [this] {
                    AdjustInputs in;
                    in.powder1Name = "石粉";
                    in.masses = { "285", "50", "0", "712.5", "1453.5", "165.3", "3.25" };
                    in.measuredDensity = "2680";
                    in.sandMoisture = "2.5";
                    press<CAdjustDlg>(IDC_ADJ_CALCULATE, [&in](CAdjustDlg& f) { f.load(in); });
                },
                { "adjust", "--powder1-name", "石粉", "--cement", "285", "--powder1", "50",
                    "--powder2", "0", "--sand", "712.5", "--coarse", "1453.5", "--water", "165.3",
                    "--admixture", "3.25", "--measured-density", "2680", "--sand-moisture", "2.5" },
                {}, "水胶比 W/B＝", "，", {} },
            { "evaluate",
                [this] {
                    EvaluationInputs in;
                    in.gradeText = "C20";
                    in.fcuK = 200;
                    for (std::int64_t v : { 235, 206, 254, 265, 238, 253, 245, 271, 232, 223 })
                        in.groups.push_back({ { v } });
                    in.groups.push_back({ { 301, 288, 315 } });
                    press<CEvaluateDlg>(IDC_EVAL_CALC, [&in](CEvaluateDlg& f) { f.load(in); });
                },
                { "evaluate", "--grade", "C20" },
                "23.5\n20.6\n25.4\n26.5\n23.8\n25.3\n24.5\n27.1\n23.2\n22.3\n30.1 28.8 31.5\n",
                nullptr, "该检验批混凝土强度", {} },
            { "stddev",
                [this] {
                    StdDevInputs in;
                    for (int i = 0; i < 25; ++i)
                        in.strengths.push_back(30.25 + i % 7);
                    press<CStdDevDlg>(IDC_CALC, [&in](CStdDevDlg& f) { f.load(in); });
                },
                { "stddev" },
                QByteArray("30.25\n31.25\n32.25\n33.25\n34.25\n35.25\n36.25\n").repeated(3)
                    + "30.25\n31.25\n32.25\n33.25\n",
                nullptr, nullptr, {} },
        };
        for (const auto& c : cases) {
            c.press();
            const Entry entry = *DesignLedger(m_app->records()).entry(rows().front().id);
            QCOMPARE(entry.row.kind, std::string(c.kind));
            const CalcRun run = RunQoruCalc(
                c.arguments + QStringList { QStringLiteral("--json") }, { c.input, {}, {} });
            QCOMPARE(run.exitCode, 0);
            const QJsonObject figures
                = QJsonDocument::fromJson(QByteArray::fromStdString(entry.figuresJson)).object();
            QVERIFY2(!figures.isEmpty(), c.kind);
            QCOMPARE(figures, CalcFigures(run));

            if (c.wbLine) {
                QVERIFY2(!entry.waterBinder.empty(), c.kind);
                QVERIFY2(LineWith(entry.report, c.wbLine)
                             .endsWith(QString::fromStdString(entry.waterBinder)),
                    c.kind);
            } else {
                QVERIFY2(entry.waterBinder.empty(), c.kind);
            }
            if (c.verdict)
                QVERIFY2(QString::fromStdString(entry.report)
                             .contains(QString::fromUtf8(c.verdict)
                                 + QString::fromStdString(entry.verdict)),
                    c.kind);
            else
                QVERIFY2(entry.verdict.empty(), c.kind);

            if (!c.wbLine)
                continue; // no design, no notice
            const DocumentData d = MakeDocumentData(entry, {}, QStringLiteral("试验室"));
            const QString report = QString::fromStdString(entry.report);
            const QString missing = QString::fromUtf8(kMissing);
            QVERIFY2(PrintedAsIs(report, d.waterBinder), c.kind);
            for (std::size_t i = 0; i < d.materials.size(); ++i) {
                const DocumentMaterial& m = d.materials[i];
                const bool massless = std::count(c.massless.begin(), c.massless.end(), int(i)) > 0;
                QCOMPARE(m.mass == missing, massless);
                QVERIFY2(massless || PrintedAsIs(report, m.mass), qPrintable(m.mass));
                if (d.siteMix)
                    QVERIFY2(PrintedAsIs(report, m.siteMass), qPrintable(m.siteMass));
            }
            if (entry.row.kind == "ordinary")
                QVERIFY(PrintedAsIs(report, d.sandRatio));
            if (entry.row.kind == "adjust")
                QVERIFY(PrintedAsIs(report, d.materials[3].moisture));
        }
    }

    void a_form_opens_with_its_last_inputs_also_after_a_restart()
    {
        Mix1Inputs in;
        in.customRatio = true;
        in.wb = 0.37;
        std::string pressed;
        std::string opening;
        const std::size_t before = rows().size();
        whileOpen<CMixDesignDlg>(&CCalculators::OnCalcMix, [&](CMixDesignDlg& f) {
            opening = f.inputsJson();
            f.load(in);
            f.button(IDC_CALCULATE)->click();
            pressed = f.inputsJson();
        });
        QCOMPARE(rows().size(), before + 1);
        StdDevInputs strengths;
        for (int i = 0; i < 25; ++i)
            strengths.strengths.push_back(28 + i % 5);
        whileOpen<CStdDevDlg>(&CCalculators::OnCalcStdDev, [&](CStdDevDlg& f) {
            f.load(strengths);
            f.button(IDC_CALC)->click();
        });

        for (int run = 0; run < 2; ++run) {
            whileOpen<CMixDesignDlg>(&CCalculators::OnCalcMix, [&](CMixDesignDlg& f) {
                QCOMPARE(f.inputsJson(), pressed);
                QCOMPARE(f.edit(IDC_WB)->text(), QStringLiteral("0.37"));
                f.button(IDC_RESTORE_DEFAULTS)->click();
                QCOMPARE(f.inputsJson(), opening);
            });
            whileOpen<CStdDevDlg>(&CCalculators::OnCalcStdDev, [&](CStdDevDlg& f) {
                QCOMPARE(f.strengths(), strengths.strengths);
                f.button(IDC_RESTORE_DEFAULTS)->click();
                QVERIFY(f.strengths().empty());
            });
            // A new run on the same settings.
            m_app->document()->setModified(false);
            m_app = std::make_unique<CQoruApp>();
            QVERIFY(m_app->InitInstance({ QStringLiteral("qoru") }));
        }
    }
};

QORU_GUI_TEST_MAIN(RecordsTest)
#include "records_test.moc"
