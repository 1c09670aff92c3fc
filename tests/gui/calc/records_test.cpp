// Every completed calculation goes into the ledger, and every form opens
// with the inputs of its last calculation.
#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "adjust/dialog160.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "guitestmain.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mix2lists.h"
#include "mix2/mixdesign2dlg.h"
#include "records/ledger.h"
#include "records/recordstore.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testapp.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

#include <functional>
#include <memory>

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
