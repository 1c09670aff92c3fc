// The switchboard and the one form shape: a form filled from an inputs
// struct calculates what the core makes of that struct, and what it hands
// on reaches the report and the rest of the run.
#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "adjust/dialog160.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "guitestmain.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mix2lists.h"
#include "mix2/mixdesign2dlg.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testapp.h"
#include "view/qoruview.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <functional>
#include <memory>

class CalculatorsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;

    // Loads `in` into a fresh form of the switchboard's, presses `calc` and
    // checks that the form took the inputs, that the report is the core's for
    // them and that the switchboard heard of the calculation.
    template <typename Form>
    void loadAndPress(const typename Form::InputsType& in, int calc, const std::string& report,
        const std::function<void(const Form&)>& took)
    {
        Form form(m_app->view());
        CCalculators* calcs = m_app->calculators();
        calcs->attach(&form);
        form.setModal(false);
        form.show();
        form.load(in);
        took(form);
        QSignalSpy calculated(calcs, &CCalculators::calculated);
        const QString before = m_app->view()->toPlainText();
        form.button(calc)->click();
        QCOMPARE(calculated.count(), 1);
        QCOMPARE(calculated.at(0).at(0).value<CCalcForm*>(), &form);
        QCOMPARE(m_app->view()->toPlainText(),
            before
                + QString::fromStdString(report).replace(
                    QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

private Q_SLOTS:
    void init() { QVERIFY(StartTestApp(m_prompter, m_app)); }
    void cleanup() { StopTestApp(m_prompter, m_app); }

    void a_loaded_form_reports_what_the_core_makes_of_its_inputs()
    {
        Mix1Inputs mix1;
        mix1.strengthIndex = 3; // C20
        mix1.customRatio = true;
        mix1.wb = 0.4;
        mix1.vg = 0.31;
        loadAndPress<CMixDesignDlg>(
            mix1, IDC_CALCULATE, CalculateMix1(mix1).report, [](const CMixDesignDlg& f) {
                QCOMPARE(f.inputs().strengthIndex, 3);
                QVERIFY(!f.edit(IDC_WB)->isReadOnly());
                QCOMPARE(f.edit(IDC_VG)->text(), QStringLiteral("0.31"));
            });

        Mix2Inputs mix2;
        mix2.lists.strengthGrade = 7; // C40
        mix2.lists.powder1Kind = 6;
        ApplyPowderKind(mix2.members, 1, 6); // an inert filler
        mix2.members.powder1InertVol = 40;
        loadAndPress<CMixDesign2Dlg>(
            mix2, 1071, CalculateMix2(mix2).report, [](const CMixDesign2Dlg& f) {
                QVERIFY(f.control(1001)->isVisibleTo(&f)); // the inert volume, by the class
                QVERIFY(!f.control(1067)->isVisibleTo(&f));
                QCOMPARE(f.inputs().members.powder1Class, 2);
            });

        EvaluationInputs evaluation;
        evaluation.gradeText = "C20";
        evaluation.fcuK = 200;
        evaluation.sizeNotice = false;
        for (std::int64_t v : { 235, 206, 254, 265, 238, 253, 245, 271, 232, 223 })
            evaluation.groups.push_back({ { v } });
        loadAndPress<CEvaluateDlg>(evaluation, IDC_EVAL_CALC, Evaluate(evaluation).report,
            [](const CEvaluateDlg& f) { QCOMPARE(f.groups().size(), size_t(10)); });

        AdjustInputs adjust;
        adjust.powder1Name = "石粉";
        adjust.masses = { "285", "50", "0", "712.5", "1453.5", "165.3", "3.2" };
        adjust.sandMoisture = "2.5";
        loadAndPress<CAdjustDlg>(adjust, IDC_ADJ_CALCULATE, CalculateAdjust(adjust).report,
            [&adjust](const CAdjustDlg& f) { QCOMPARE(f.inputs().masses, adjust.masses); });

        // σ is shown, not reported, and counts as a calculation all the same.
        StdDevInputs strengths;
        for (int i = 0; i < 25; ++i)
            strengths.strengths.push_back(30 + i % 7);
        loadAndPress<CStdDevDlg>(strengths, IDC_CALC, std::string(),
            [&strengths](const CStdDevDlg& f) { QCOMPARE(f.strengths(), strengths.strengths); });
    }

    void a_mix_design_becomes_the_last_design_of_the_run()
    {
        QVERIFY(!m_app->calculators()->lastDesign());
        CMixDesignDlg form(m_app->view());
        m_app->calculators()->attach(&form);
        form.setModal(false);
        form.show();
        form.button(IDC_CALCULATE)->click();
        form.reject();
        const auto& design = m_app->calculators()->lastDesign();
        QVERIFY(design);
        QCOMPARE(design->masses, AdjustInputsFromMix1(CalculateMix1(Mix1Inputs {}).results).masses);
    }
};

QORU_GUI_TEST_MAIN(CalculatorsTest)
#include "calculators_test.moc"
