// The trial-batch form reached each way a user reaches it: the 调整 button of
// both mix forms after a calculation, and the toolbar with or without a
// design calculated before.
#include "adjust/adjustcalc.h"
#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "common/exactdecimal.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "mix1/mix1calc.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "mix1/dialog130.h"
#include "adjust/dialog160.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

class AdjustDlgTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;

    CQoruView* view() const { return m_app->view(); }

    // Runs `open`, which opens the form modally, and `drive` on the form.
    void withForm(const std::function<void()>& open, const std::function<void(CAdjustDlg*)>& drive)
    {
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<CAdjustDlg*>(QApplication::activeModalWidget());
            if (!form)
                return;
            seen = QTest::qWaitForWindowActive(form);
            if (seen)
                drive(form);
            form->reject();
        });
        open();
        QVERIFY(seen);
    }

    static QStringList designTexts(CAdjustDlg* form)
    {
        QStringList texts;
        for (int m = 0; m < kAdjustMaterials; ++m)
            texts << form->edit(IDC_ADJ_DESIGN + m)->text();
        return texts;
    }
    static QString label(CAdjustDlg* form, int id)
    {
        return qobject_cast<QLabel*>(form->control(id))->text();
    }
    static void type(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
    }

    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
    }

    void method1_hands_its_design_over_after_a_calculation()
    {
        CMixDesignDlg mix(view());
        m_app->calculators()->attach(&mix);
        mix.setModal(false);
        mix.show();
        QPushButton* adjust = mix.button(IDC_ADJUST);
        QVERIFY(!adjust->isEnabled());
        QTest::mouseClick(mix.button(IDC_CALCULATE), Qt::LeftButton);
        QVERIFY(adjust->isEnabled());

        const QString before = view()->toPlainText();
        withForm([&] { QTest::mouseClick(adjust, Qt::LeftButton); },
            [&](CAdjustDlg* form) {
                QCOMPARE(form->parentWidget(), &mix);
                // The masses as the mix form's result boxes show them.
                const int masses[] = { IDC_MASS_CEMENT, IDC_MASS_FLYASH, IDC_MASS_SLAG,
                    IDC_MASS_SAND, IDC_MASS_COARSE, IDC_MASS_WATER, IDC_MASS_ADMIXTURE };
                QStringList shown;
                for (int id : masses)
                    shown << mix.edit(id)->text();
                QCOMPARE(designTexts(form), shown);
                QCOMPARE(label(form, IDC_ADJ_POWDER1_NAME), QStringLiteral("粉煤灰"));
                QCOMPARE(label(form, IDC_ADJ_POWDER2_NAME), QStringLiteral("矿渣粉"));

                // Enter moves on like Tab, and presses Calculate.
                QLineEdit* ws = form->edit(IDC_ADJ_SAND_MOISTURE);
                type(ws, QStringLiteral("3.2"));
                QTest::keyClick(ws, Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), form->edit(IDC_ADJ_COARSE_MOISTURE));
                type(form->edit(IDC_ADJ_MEASURED_DENSITY), QStringLiteral("2300"));
                form->button(IDC_ADJ_CALCULATE)->setFocus();
                QTest::keyClick(form->button(IDC_ADJ_CALCULATE), Qt::Key_Return);

                AdjustInputs in = AdjustInputsFromMix1(CalculateMix1(Mix1Inputs {}).results);
                in.measuredDensity = "2300";
                in.sandMoisture = "3.2";
                const AdjustOutcome expected = CalculateAdjust(in);
                QVERIFY(expected.results.corrected);
                QCOMPARE(form->edit(IDC_ADJ_SITE + kAdjustWater)->text(),
                    QString::fromStdString(UnitsText(expected.results.site[kAdjustWater], 1)));
                QCOMPARE(view()->toPlainText(),
                    before
                        + QString::fromStdString(expected.report)
                              .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            });
        QVERIFY(m_app->document()->isModified());
    }

    void method2_hands_over_its_chosen_powders()
    {
        CMixDesign2Dlg mix(view());
        m_app->calculators()->attach(&mix);
        mix.setModal(false);
        mix.show();
        QVERIFY(!mix.button(IDC_ADJUST)->isEnabled());
        QTest::mouseClick(mix.button(1071), Qt::LeftButton);
        QVERIFY(mix.button(IDC_ADJUST)->isEnabled());
        const Mix2Members m = mix.members();
        withForm([&] { QTest::mouseClick(mix.button(IDC_ADJUST), Qt::LeftButton); },
            [&](CAdjustDlg* form) {
                QCOMPARE(label(form, IDC_ADJ_POWDER1_NAME), QString::fromStdString(m.powder1Name));
                QCOMPARE(label(form, IDC_ADJ_POWDER2_NAME), QString::fromStdString(m.powder2Name));
                QCOMPARE(
                    form->edit(IDC_ADJ_DESIGN + kAdjustPowder2)->text().toDouble(), m.massPowder2);
                QCOMPARE(form->edit(IDC_ADJ_DESIGN + kAdjustSand)->text().toDouble(), m.massSand);
                QCOMPARE(
                    form->edit(IDC_ADJ_DESIGN + kAdjustAdmixture)->text(), QStringLiteral("0"));
            });
    }

    void toolbar_opens_empty_then_with_the_last_design_and_refuses_a_wrong_value()
    {
        QAction* command = m_app->mainFrame()->action(ID_CALC_ADJUST);
        QVERIFY(command);
        withForm([&] { command->trigger(); },
            [&](CAdjustDlg* form) {
                QCOMPARE(form->parentWidget(), view());
                // Without a design the powders and the admixture open at 0.
                QCOMPARE(designTexts(form), (QStringList { "", "0", "0", "", "", "", "0" }));
                QCOMPARE(form->edit(IDC_ADJ_VOLUME)->text(), QStringLiteral("25"));
            });

        AdjustInputs design;
        design.powder1Name = "石粉";
        design.masses = { "285", "0", "0", "712.5", "1453.5", "165.3", "0" };
        m_app->calculators()->setLastDesign(design);
        const QString before = view()->toPlainText();
        withForm([&] { command->trigger(); },
            [&](CAdjustDlg* form) {
                QCOMPARE(label(form, IDC_ADJ_POWDER1_NAME), QStringLiteral("石粉"));
                QCOMPARE(designTexts(form).at(kAdjustSand), QStringLiteral("712.5"));
                // A box without a number: the framework's notice, the box
                // focused, nothing written.
                type(form->edit(IDC_ADJ_DESIGN + kAdjustCoarse), QStringLiteral("1453,5"));
                QTest::mouseClick(form->button(IDC_ADJ_CALCULATE), Qt::LeftButton);
                QCOMPARE(m_prompter->notices.size(), 1);
                QCOMPARE(m_prompter->notices[0].text, QStringLiteral("请键入一个数。"));
                QCOMPARE(m_prompter->notices[0].icon, Prompter::Icon::Exclamation);
                QCOMPARE(QApplication::focusWidget(), form->edit(IDC_ADJ_DESIGN + kAdjustCoarse));
                QCOMPARE(form->edit(IDC_ADJ_LAB + kAdjustCement)->text(), QString());
                QCOMPARE(view()->toPlainText(), before);

                // Mended, pressed twice: two identical reports, the second after the first.
                type(form->edit(IDC_ADJ_DESIGN + kAdjustCoarse), QStringLiteral("1453.5"));
                QTest::mouseClick(form->button(IDC_ADJ_CALCULATE), Qt::LeftButton);
                const QString once = view()->toPlainText();
                QTest::mouseClick(form->button(IDC_ADJ_CALCULATE), Qt::LeftButton);
                QCOMPARE(view()->toPlainText(), once + once.mid(before.size()));
                QCOMPARE(form->edit(IDC_ADJ_RATIO)->text(), QStringLiteral("1：2.50：5.10：0.58"));
                QCOMPARE(form->edit(IDC_ADJ_BATCH + kAdjustSand)->text(), QStringLiteral("17.813"));
            });
    }

    void results_go_when_an_input_changes_or_a_press_stops()
    {
        AdjustInputs design;
        design.masses = { "285", "0", "0", "712.5", "1453.5", "165.3", "0" };
        design.sandMoisture = "3.2";
        design.coarseMoisture = "1.2";
        m_app->calculators()->setLastDesign(design);
        withForm([&] { m_app->mainFrame()->action(ID_CALC_ADJUST)->trigger(); },
            [&](CAdjustDlg* form) {
                const auto results = [form] {
                    QStringList texts;
                    for (int id = IDC_ADJ_LAB; id < IDC_ADJ_MEASURED_DENSITY; ++id)
                        texts << form->edit(id)->text();
                    for (int id = IDC_ADJ_COMPUTED_DENSITY; id <= IDC_ADJ_RATIO; ++id)
                        texts << form->edit(id)->text();
                    return texts.join(QString()).isEmpty();
                };
                QPushButton* calc = form->button(IDC_ADJ_CALCULATE);
                QLineEdit* water = form->edit(IDC_ADJ_DESIGN + kAdjustWater);
                calc->click();
                QVERIFY(!results());
                const QString once = view()->toPlainText();
                // A stopped press: nothing of the last one stays, nothing is appended.
                water->setText(QStringLiteral("40.1"));
                QVERIFY(results());
                calc->click();
                QCOMPARE(m_prompter->texts(),
                    QStringList { QStringLiteral("骨料所含水量超过用水量，请检查含水率。") });
                QVERIFY(results());
                QCOMPARE(view()->toPlainText(), once);
                water->setText(QStringLiteral("165.3"));
                calc->click();
                QVERIFY(!results());
                // Any edit of an input, the moisture boxes as the masses.
                form->edit(IDC_ADJ_VOLUME)->setText(QStringLiteral("30"));
                QVERIFY(results());
            });
    }

    void adjust_is_offered_only_for_a_design_that_passed()
    {
        CMixDesign2Dlg mix(view());
        m_app->calculators()->attach(&mix);
        mix.setModal(false);
        mix.show();
        mix.button(1071)->click(); // 计算
        QVERIFY(mix.button(IDC_ADJUST)->isEnabled());
        const AdjustInputs passed = *m_app->calculators()->lastDesign();

        QComboBox* powder2 = mix.dropList(1050); // 粉体二
        powder2->setCurrentIndex(0); // 无: the self-compacting check fails
        Q_EMIT powder2->activated(0);
        mix.button(1071)->click(); // 计算
        QVERIFY(!mix.button(IDC_ADJUST)->isEnabled());
        QCOMPARE(m_app->calculators()->lastDesign()->masses, passed.masses);
    }
};

QORU_GUI_TEST_MAIN(AdjustDlgTest)
#include "adjustdlg_test.moc"
