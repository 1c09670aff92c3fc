// The ordinary-concrete form driven as a user drives it: lists chosen, boxes
// typed, the keypad's Enter, a stop's focus, and 调整 into the trial-batch form.
#include "adjust/adjustdlg.h"
#include "adjust/dialog160.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "guitestmain.h"
#include "ordinary/dialog170.h"
#include "ordinary/ordinarycalc.h"
#include "ordinary/ordinarydlg.h"
#include "ordinaryworked.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QString InView(const std::string& report)
{
    return QString::fromStdString(report).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void Choose(COrdinaryDlg& form, int id, const char* text)
{
    QComboBox* list = form.dropList(id);
    const int index = list->findText(QString::fromUtf8(text));
    QVERIFY2(index >= 0, text);
    list->setCurrentIndex(index);
}

void Type(COrdinaryDlg& form, int id, const char* text)
{
    QLineEdit* box = form.edit(id);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::fromUtf8(text));
}

// The worked C30 design, entered box by box.
void EnterWorkedExample(COrdinaryDlg& form)
{
    Choose(form, IDC_ORD_GRADE, "C30");
    Choose(form, IDC_ORD_CEMENT_GRADE, "42.5");
    Choose(form, IDC_ORD_AGGREGATE, "碎石");
    Choose(form, IDC_ORD_MAX_SIZE, "31.5");
    const struct
    {
        int id;
        const char* text;
    } boxes[] = {
        { IDC_ORD_SIGMA, "5.0" },
        { IDC_ORD_FLY_ASH, "10" },
        { IDC_ORD_GAMMA_F, "0.95" },
        { IDC_ORD_SLUMP, "200" },
        { IDC_ORD_REDUCER, "25" },
        { IDC_ORD_ADMIXTURE, "1.0" },
        { IDC_ORD_WB, "0.40" },
        { IDC_ORD_SAND_RATIO, "43" },
    };
    for (const auto& b : boxes)
        Type(form, b.id, b.text);
}

} // namespace

class OrdinaryDlgTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    std::unique_ptr<COrdinaryDlg> m_dlg;

    CQoruView* view() const { return m_app->view(); }
    COrdinaryDlg& dlg() const { return *m_dlg; }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
        m_dlg = std::make_unique<COrdinaryDlg>(view());
        m_app->calculators()->attach(m_dlg.get());
        m_dlg->setModal(false); // the watchdog closes modal windows
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    void cleanup()
    {
        m_dlg.reset();
        StopTestApp(m_prompter, m_app);
    }

    void the_worked_example_appends_the_core_report_and_fills_the_results()
    {
        EnterWorkedExample(dlg());
        const OrdinaryOutcome expected = CalculateOrdinary(OrdinaryWorkedExample());
        QVERIFY(!expected.stopped);

        // The keypad's Enter moves on in a box and presses 计算 on its button.
        QLineEdit* ratio = dlg().edit(IDC_ORD_SAND_RATIO);
        ratio->setFocus();
        QTest::keyClick(ratio, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), dlg().control(IDC_ORD_METHOD));
        QVERIFY(view()->toPlainText().isEmpty());
        QPushButton* calculate = dlg().button(IDC_ORD_CALCULATE);
        calculate->setFocus();
        QTest::keyClick(calculate, Qt::Key_Enter, Qt::KeypadModifier);

        QCOMPARE(view()->toPlainText(), InView(expected.report));
        // Its warnings, in order, as the calculator's notices.
        QCOMPARE(m_prompter->notices.size(), int(expected.messages.size()));
        for (int i = 0; i < m_prompter->notices.size(); ++i) {
            QCOMPARE(m_prompter->notices[i].text,
                QString::fromStdString(expected.messages[size_t(i)].text));
            QCOMPARE(m_prompter->notices[i].icon, Prompter::Icon::Information);
        }
        const struct
        {
            int id;
            const char* text;
        } results[] = {
            { IDC_ORD_FCU0, "38.2" },
            { IDC_ORD_FB_USED, "46.8" },
            { IDC_ORD_WB_USED, "0.40" },
            { IDC_ORD_SAND_RATIO_USED, "43.0" },
            { IDC_ORD_BINDER, "435" },
            { IDC_ORD_CEMENT, "391" },
            { IDC_ORD_FLY_ASH_MASS, "44" },
            { IDC_ORD_SLAG_MASS, "0" },
            { IDC_ORD_SAND, "770" },
            { IDC_ORD_STONE, "1021" },
            { IDC_ORD_WATER, "174" },
            { IDC_ORD_ADMIXTURE_MASS, "4.35" },
            { IDC_ORD_DENSITY, "2400" },
        };
        for (const auto& r : results)
            QCOMPARE(dlg().edit(r.id)->text(), QString::fromUtf8(r.text));

        // A second press appends the same report again.
        QTest::mouseClick(calculate, Qt::LeftButton);
        QCOMPARE(view()->toPlainText(), InView(expected.report + expected.report));
    }

    void a_stop_computes_nothing_and_puts_the_focus_on_its_box()
    {
        const struct
        {
            const char* name;
            std::function<void(COrdinaryDlg&)> change;
            int focus;
            Prompter::Icon icon;
        } rows[] = {
            { "no grade", [](COrdinaryDlg& f) { f.dropList(IDC_ORD_GRADE)->setCurrentIndex(-1); },
                IDC_ORD_GRADE, Prompter::Icon::Information },
            { "not a number", [](COrdinaryDlg& f) { Type(f, IDC_ORD_REDUCER, "2,5"); },
                IDC_ORD_REDUCER, Prompter::Icon::Exclamation },
            { "out of range", [](COrdinaryDlg& f) { Type(f, IDC_ORD_SLUMP, "260"); }, IDC_ORD_SLUMP,
                Prompter::Icon::Information },
            { "F150 without air", [](COrdinaryDlg& f) { Choose(f, IDC_ORD_FROST, "F150"); },
                IDC_ORD_AIR_ENTRAINED, Prompter::Icon::Information },
            { "volume method",
                [](COrdinaryDlg& f) {
                    Choose(f, IDC_ORD_METHOD, "体积法");
                    Type(f, IDC_ORD_RHO_G, "0.5");
                },
                IDC_ORD_RHO_G, Prompter::Icon::Information },
        };
        for (const auto& row : rows) {
            m_dlg->load(OrdinaryWorkedExample());
            row.change(dlg());
            m_prompter->notices.clear();
            dlg().button(IDC_ORD_CALCULATE)->setFocus();
            QTest::mouseClick(dlg().button(IDC_ORD_CALCULATE), Qt::LeftButton);
            QVERIFY2(m_prompter->notices.size() == 1, row.name);
            QCOMPARE(m_prompter->notices[0].icon, row.icon);
            QVERIFY2(QApplication::focusWidget() == dlg().control(row.focus), row.name);
            QVERIFY2(view()->toPlainText().isEmpty(), row.name);
            QVERIFY(!dlg().button(IDC_ORD_ADJUST)->isEnabled());
        }
    }

    void boxes_the_choices_do_not_read_are_disabled()
    {
        auto enabled = [this](int id) { return dlg().control(id)->isEnabled(); };
        QVERIFY(enabled(IDC_ORD_SLUMP) && !enabled(IDC_ORD_VEBE));
        Choose(dlg(), IDC_ORD_WORKABILITY, "维勃稠度");
        QVERIFY(!enabled(IDC_ORD_SLUMP) && enabled(IDC_ORD_VEBE));

        QVERIFY(enabled(IDC_ORD_MCP) && !enabled(IDC_ORD_RHO_S) && !enabled(IDC_ORD_AIR));
        Choose(dlg(), IDC_ORD_METHOD, "体积法");
        QVERIFY(!enabled(IDC_ORD_MCP) && enabled(IDC_ORD_RHO_S) && enabled(IDC_ORD_AIR));

        Type(dlg(), IDC_ORD_FB, "45");
        QVERIFY(!enabled(IDC_ORD_GAMMA_F) && !enabled(IDC_ORD_GAMMA_S));
        Type(dlg(), IDC_ORD_FB, " ");
        QVERIFY(enabled(IDC_ORD_GAMMA_F) && enabled(IDC_ORD_GAMMA_S));

        Choose(dlg(), IDC_ORD_GRADE, "C60");
        QVERIFY(!enabled(IDC_ORD_SIGMA));

        // Each kind offers its own sizes; a size both have stays chosen.
        auto sizes = [this] {
            QStringList texts;
            for (int i = 0; i < dlg().dropList(IDC_ORD_MAX_SIZE)->count(); ++i)
                texts << dlg().dropList(IDC_ORD_MAX_SIZE)->itemText(i);
            return texts;
        };
        QVERIFY(sizes().isEmpty());
        Choose(dlg(), IDC_ORD_AGGREGATE, "卵石");
        QCOMPARE(sizes().join(' '), QStringLiteral("10 20 31.5 40"));
        Choose(dlg(), IDC_ORD_MAX_SIZE, "20");
        Choose(dlg(), IDC_ORD_AGGREGATE, "碎石");
        QCOMPARE(sizes().join(' '), QStringLiteral("16 20 31.5 40"));
        QCOMPARE(dlg().inputs().maxSize, 200);
    }

    void adjust_opens_the_trial_batch_form_with_the_design()
    {
        m_dlg->load(OrdinaryWorkedExample());
        QPushButton* adjust = dlg().button(IDC_ORD_ADJUST);
        QVERIFY(!adjust->isEnabled());
        QTest::mouseClick(dlg().button(IDC_ORD_CALCULATE), Qt::LeftButton);
        QVERIFY(adjust->isEnabled());
        QVERIFY(m_app->calculators()->lastDesign());

        QStringList masses;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<CAdjustDlg*>(QApplication::activeModalWidget());
            if (!form)
                return;
            parent = form->parentWidget();
            for (int m = 0; m < kAdjustMaterials; ++m)
                masses << form->edit(IDC_ADJ_DESIGN + m)->text();
            form->reject();
        });
        QTest::mouseClick(adjust, Qt::LeftButton);
        QCOMPARE(parent, &dlg());
        QCOMPARE(masses.join(' '), QStringLiteral("391 44 0 770 1021 174 4.35"));
    }
};

QORU_GUI_TEST_MAIN(OrdinaryDlgTest)
#include "ordinarydlg_test.moc"
