// The method-2 form driven through its widgets: opening values, the six
// list handlers, the Enter rule and what a press shows, writes and appends.
#include "calc/calculators.h"
#include "guitestmain.h"
#include "mix2/mixdesign2dlg.h"
#include "core/mix2/mix2golden.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <memory>

namespace {

const char* const kExcessUsual = "超量系数通常取值范围：1.1～1.7，等量时取1。";
const char* const kWaterRange = "规程要求：用水量取值范围是：155～180（kg）。";
const char* const kGrade1Range
    = "规程要求：\n一级密实性能，单位体积粗骨料绝对体积取值范围是：0.28--0.30（m3）。";
const char* const kGrade2Range
    = "规程要求：\n二级密实性能，单位体积粗骨料绝对体积取值范围是：0.30--0.33（m3）。";

// The view holds '\n' where a report has "\r\n".
QString AsViewText(const std::string& report)
{
    return QString::fromStdString(report).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

struct PowderIds
{
    int list, density, replace, excess, activeLabel1, activeLabel2, inertLabel, inertBox, name;
};
const PowderIds kPowder[] = {
    { 1049, 1080, 1067, 1045, 1091, 1092, 1088, 1001, 1085 },
    { 1050, 1013, 1036, 1055, 1094, 1095, 1089, 1008, 1087 },
};

} // namespace

class MixDesign2DlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruView> m_view;
    std::unique_ptr<CMixDesign2Dlg> m_dlg;

    QString text(int id) const { return m_dlg->edit(id)->text(); }
    QStringList notices() const { return m_prompter->texts(); }

    // Types into a box as a user does: click, select all, type.
    void type(int id, const QString& value)
    {
        QLineEdit* box = m_dlg->edit(id);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keySequence(box, QKeySequence::SelectAll);
        QTest::keyClicks(box, value);
        QCOMPARE(box->text(), value);
    }

    // Opens the list with a click and confirms entry `index` with the
    // keyboard, as a user does; the entry already selected counts too.
    void choose(int listId, int index)
    {
        QComboBox* list = m_dlg->dropList(listId);
        QTest::mouseClick(list, Qt::LeftButton);
        QAbstractItemView* view = list->view();
        QVERIFY(QTest::qWaitFor([view] { return view->isVisible(); }));
        QTest::keyClick(view, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([view] { return !view->isVisible(); }));
        QCOMPARE(list->currentIndex(), index);
    }

    void press() { QTest::mouseClick(m_dlg->button(1071), Qt::LeftButton); }

    // Visible within the form, whether or not the form is on screen.
    bool shown(int id) const { return !m_dlg->control(id)->isHidden(); }
    bool enabled(int id) const { return m_dlg->control(id)->isEnabled(); }
    QString label(int id) const { return qobject_cast<QLabel*>(m_dlg->control(id))->text(); }

    void expectOpeningPowderState(int powder)
    {
        const PowderIds& p = kPowder[powder - 1];
        for (int id : { p.density, p.replace, p.excess, p.list })
            QVERIFY2(enabled(id), qPrintable(QString::number(id)));
        for (int id : { p.replace, p.excess, p.activeLabel1, p.activeLabel2 })
            QVERIFY2(shown(id), qPrintable(QString::number(id)));
        QVERIFY(!shown(p.inertLabel));
        QVERIFY(!shown(p.inertBox));
    }

    const QList<int> kResults
        = { 1083, 1031, 1006, 1005, 1007, 1016, 1084, 1032, 1025, 1024, 1026, 1003 };

private Q_SLOTS:
    void init()
    {
        m_prompter = std::make_unique<TestPrompter>();
        m_view = std::make_unique<CQoruView>();
        m_view->resize(600, 400);
        m_view->show();
        m_dlg = std::make_unique<CMixDesign2Dlg>(m_view.get());
        connect(m_dlg.get(), &CCalcForm::reportReady, m_view.get(), &CQoruView::appendReport);
        m_dlg->setWindowModality(Qt::NonModal); // exec() would block; the watchdog closes modals
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    void cleanup()
    {
        m_dlg.reset();
        m_view.reset();
        m_prompter.reset();
    }

    void opening_shows_the_opening_values_with_the_inert_boxes_hidden()
    {
        QCOMPARE(m_dlg->windowTitle(), QStringLiteral("计算自密实混凝土配合比（方法二）"));
        QCOMPARE(m_dlg->font().family(), QStringLiteral("宋体"));
        QCOMPARE(m_dlg->font().pointSize(), 12);
        QCOMPARE(m_dlg->objectName(), QStringLiteral("135"));

        const QList<QPair<int, const char*>> inputs = { { 1021, "0.32" }, { 1015, "1.28" },
            { 1017, "3" }, { 1067, "20" }, { 1036, "30" }, { 1045, "1.86" }, { 1055, "1.93" },
            { 1009, "2.67" }, { 1012, "2.7" }, { 1030, "3" }, { 1080, "2.23" }, { 1013, "2.8" },
            { 1037, "180" }, { 1002, "3.1" } };
        for (const auto& [id, value] : inputs) {
            QCOMPARE(text(id), QString::fromUtf8(value));
            QVERIFY(!m_dlg->edit(id)->isReadOnly());
            // Each box is named by its label, quantity and unit.
            QVERIFY2(!m_dlg->edit(id)->accessibleName().isEmpty(), qPrintable(QString::number(id)));
        }
        QVERIFY(m_dlg->edit(1021)->accessibleName().contains(QStringLiteral("m3")));
        QVERIFY(m_dlg->edit(1037)->accessibleName().contains(QStringLiteral("kg")));
        for (int id : kResults) {
            QCOMPARE(text(id), QStringLiteral("0"));
            QVERIFY(m_dlg->edit(id)->isReadOnly());
        }
        QCOMPARE(text(1001), QStringLiteral("0"));
        QCOMPARE(text(1008), QStringLiteral("0"));
        expectOpeningPowderState(1);
        expectOpeningPowderState(2);
        QCOMPARE(label(1085), QStringLiteral("粉煤灰"));
        QCOMPARE(label(1087), QStringLiteral("矿渣粉"));

        const struct
        {
            int id, count, current;
            const char* entry;
        } lists[] = { { 1000, 3, 1, "二级" }, { 1010, 16, 5, "C30" }, { 1011, 6, 3, "42.5" },
            { 1018, 2, 1, "卵石" }, { 1049, 7, 1, "粉煤灰" }, { 1050, 7, 2, "矿渣粉" } };
        for (const auto& l : lists) {
            QComboBox* list = m_dlg->dropList(l.id);
            QCOMPARE(list->count(), l.count);
            QCOMPARE(list->currentIndex(), l.current);
            QCOMPARE(list->currentText(), QString::fromUtf8(l.entry));
        }
        QCOMPARE(m_dlg->dropList(1010)->itemText(0), QStringLiteral("C7.5"));
        QCOMPARE(m_dlg->dropList(1010)->itemText(15), QStringLiteral("C80"));
        QCOMPARE(m_dlg->button(1071)->text(), QStringLiteral("计算(&E)"));
        QVERIFY(notices().isEmpty());
    }

    void powder_kind_sets_the_controls_and_the_name_label_data()
    {
        QTest::addColumn<int>("powder");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("powderClass");
        QTest::addColumn<QString>("name");
        const char* const entries[]
            = { nullptr, "粉煤灰", "矿渣粉", "沸石粉", "硅粉", "复合料", "惰性料" };
        for (int powder : { 1, 2 }) {
            for (int index = 0; index < 7; ++index) {
                const QString name = index == 0
                    ? QString::fromUtf8(powder == 1 ? "粉体一" : "粉体二")
                    : QString::fromUtf8(entries[index]);
                const int powderClass = index == 0 ? 0 : index == 6 ? 2 : 1;
                QTest::addRow("powder%d_%s", powder, qPrintable(name))
                    << powder << index << powderClass << name;
            }
        }
    }

    void powder_kind_sets_the_controls_and_the_name_label()
    {
        QFETCH(int, powder);
        QFETCH(int, index);
        QFETCH(int, powderClass);
        QFETCH(QString, name);
        const PowderIds& p = kPowder[powder - 1];

        // The handler neither reads nor writes the boxes.
        type(1017, QStringLiteral("abc"));
        choose(p.list, index);
        QCOMPARE(text(1017), QStringLiteral("abc"));
        QVERIFY(notices().isEmpty());

        for (int id : { p.density, p.replace, p.excess })
            QCOMPARE(enabled(id), powderClass != 0);
        for (int id : { p.replace, p.excess, p.activeLabel1, p.activeLabel2 })
            QCOMPARE(shown(id), powderClass != 2);
        QCOMPARE(shown(p.inertLabel), powderClass == 2);
        QCOMPARE(shown(p.inertBox), powderClass == 2);
        QVERIFY(enabled(p.inertBox));
        QCOMPARE(label(p.name), name);
        expectOpeningPowderState(3 - powder); // the other powder is left alone
        QCOMPARE(
            label(kPowder[2 - powder].name), QString::fromUtf8(powder == 1 ? "矿渣粉" : "粉煤灰"));

        const Mix2Members m = m_dlg->members();
        QCOMPARE(powder == 1 ? m.powder1Class : m.powder2Class, powderClass);
        QCOMPARE(QString::fromStdString(powder == 1 ? m.powder1Name : m.powder2Name), name);
    }

    void choosing_fly_ash_after_the_inert_filler_reverses_it()
    {
        choose(1049, 6);
        QVERIFY(shown(1001));
        choose(1049, 0);
        QVERIFY(!shown(1001));
        QVERIFY(!enabled(1080));
        choose(1049, 1);
        expectOpeningPowderState(1);
        QCOMPARE(label(1085), QStringLiteral("粉煤灰"));
    }

    void selecting_from_code_runs_no_handler()
    {
        type(1012, QStringLiteral("2.5"));
        type(1021, QStringLiteral("0.2"));
        m_dlg->dropList(1049)->setCurrentIndex(6);
        m_dlg->dropList(1018)->setCurrentIndex(0);
        m_dlg->dropList(1000)->setCurrentIndex(0);
        m_dlg->dropList(1010)->setCurrentIndex(15);
        expectOpeningPowderState(1);
        QCOMPARE(label(1085), QStringLiteral("粉煤灰"));
        QCOMPARE(text(1012), QStringLiteral("2.5"));
        QVERIFY(notices().isEmpty());
    }

    void choosing_an_aggregate_kind_puts_back_the_last_read_values()
    {
        type(1012, QStringLiteral("2.5"));
        choose(1018, 0); // 碎石
        QCOMPARE(text(1012), QStringLiteral("2.7"));
        type(1012, QStringLiteral("2.5"));
        choose(1018, 0); // the entry already selected runs the handler too
        QCOMPARE(text(1012), QStringLiteral("2.7"));

        // The strength handler reads the boxes first, so 2.5 is kept and
        // is then what the aggregate handler writes back.
        type(1012, QStringLiteral("2.5"));
        choose(1010, 15); // C80
        QCOMPARE(text(1012), QStringLiteral("2.5"));
        choose(1018, 1);
        QCOMPARE(text(1012), QStringLiteral("2.5"));
        const Mix2Members m = m_dlg->members();
        QCOMPARE(m.strength, 80.0);
        QCOMPARE(m.strengthGrade, std::string("C80"));
        QCOMPARE(m.alphaA, 0.48);
        QVERIFY(notices().isEmpty());
    }

    void the_performance_grade_notice_keeps_the_volume_and_passes_the_bounds()
    {
        choose(1000, 0); // 一级 with 0.32
        QCOMPARE(notices(), QStringList { QString::fromUtf8(kGrade1Range) });
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("提示"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Information);
        QCOMPARE(text(1021), QStringLiteral("0.32"));
        QCOMPARE(m_dlg->members().sfGrade, std::string("一级"));

        m_prompter->notices.clear();
        const QList<QPair<QString, QString>> bounds = { { "0.30", "0.3" }, { "0.33", "0.33" } };
        for (const auto& [typed, shownAfter] : bounds) {
            type(1021, typed);
            choose(1000, 1);
            QCOMPARE(text(1021), shownAfter); // read and written back
        }
        QVERIFY(notices().isEmpty());
        type(1021, QStringLiteral("0.35"));
        choose(1000, 1); // already selected: the check runs again
        QCOMPARE(notices(), QStringList { QString::fromUtf8(kGrade2Range) });
        QCOMPARE(m_dlg->members().slumpFlow, std::string("650±50"));
        QCOMPARE(m_dlg->members().vFunnelTime, std::string("7～25"));
    }

    void a_grade_handler_keeps_the_typing_after_a_box_without_a_number_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("index");
        QTest::newRow("performance") << 1000 << 0;
        QTest::newRow("strength") << 1010 << 15;
        QTest::newRow("cement") << 1011 << 5;
    }
    void a_grade_handler_keeps_the_typing_after_a_box_without_a_number()
    {
        QFETCH(int, list);
        QFETCH(int, index);
        type(1015, QStringLiteral("x"));
        type(1030, QStringLiteral("4.50")); // after it: not read, not overwritten
        choose(list, index);
        QCOMPARE(notices().value(0), QStringLiteral("请键入一个数。"));
        QCOMPARE(text(1015), QStringLiteral("x"));
        QCOMPARE(text(1030), QStringLiteral("4.50"));
    }

    // A box the user cannot reach must not block every press with a message
    // that cannot lead to it.
    void a_box_out_of_reach_keeps_its_value_and_blocks_nothing_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("held");
        QTest::newRow("powder1_none_disables_density") << 1080 << 1049 << 0 << "2.23";
        QTest::newRow("powder1_inert_hides_replacement") << 1067 << 1049 << 6 << "20";
        QTest::newRow("powder2_inert_hides_excess") << 1055 << 1050 << 6 << "1.93";
    }
    void a_box_out_of_reach_keeps_its_value_and_blocks_nothing()
    {
        QFETCH(int, box);
        QFETCH(int, list);
        QFETCH(int, kind);
        QFETCH(QString, held);
        m_dlg->edit(box)->clear();
        choose(list, kind);
        QCOMPARE(text(box), held);
        choose(1010, 5); // a list change reads the form
        press();
        QVERIFY2(
            !notices().contains(QStringLiteral("请键入一个数。")), qPrintable(notices().join('|')));
        QVERIFY(!m_view->toPlainText().isEmpty());
    }

    void enter_moves_to_the_next_control_except_on_the_two_buttons()
    {
        const QList<QPair<int, int>> steps = { { 1000, 1010 }, { 1017, 1011 }, { 1030, 1049 },
            { 1067, 1045 }, { 1045, 1050 }, { 1055, 1600 } };
        for (const auto& [from, to] : steps) {
            m_dlg->control(from)->setFocus();
            QTest::keyClick(m_dlg->control(from), from == 1045 ? Qt::Key_Enter : Qt::Key_Return,
                from == 1045 ? Qt::KeypadModifier : Qt::NoModifier); // the keypad's too
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(to));
        }
        QVERIFY(m_view->toPlainText().isEmpty());
        QTest::keyClick(m_dlg->control(1071), Qt::Key_Enter, Qt::KeypadModifier); // calculates
        QCOMPARE(m_view->toPlainText(), AsViewText(Mix2ReportText(Mix2OpeningReportLines())));
        QVERIFY(m_dlg->isVisible());
        m_dlg->control(IDCANCEL)->setFocus();
        QTest::keyClick(m_dlg->control(IDCANCEL), Qt::Key_Return);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), int(QDialog::Rejected));
    }

    void two_presses_append_two_identical_reports_and_fill_the_results()
    {
        press();
        press();
        const QString report = AsViewText(Mix2ReportText(Mix2OpeningReportLines()));
        QCOMPARE(m_view->toPlainText(), report + report);
        // The excess coefficients 1.86 and 1.93 are the only remark, once a press.
        QCOMPARE(notices(),
            (QStringList { QString::fromUtf8(kExcessUsual), QString::fromUtf8(kExcessUsual) }));

        const QList<QPair<int, const char*>> results
            = { { 1016, "180" }, { 1003, "180" }, { 1005, "48.4" }, { 1024, "150" }, { 1083, "50" },
                  { 1084, "111.6" }, { 1031, "62" }, { 1032, "173.7" }, { 1006, "309.6" },
                  { 1025, "826.6" }, { 1007, "320" }, { 1026, "864" },
                  // The inert fields take the active powders' volumes.
                  { 1001, "50" }, { 1008, "62" } };
        for (const auto& [id, value] : results)
            QCOMPARE(text(id), QString::fromUtf8(value));
    }

    void water_is_judged_as_typed_then_shown_rounded()
    {
        type(1037, QStringLiteral("180.04"));
        press();
        QCOMPARE(notices(),
            (QStringList { QString::fromUtf8(kWaterRange), QString::fromUtf8(kExcessUsual) }));
        QCOMPARE(text(1037), QStringLiteral("180"));
        QVERIFY(m_view->toPlainText().contains(
            QStringLiteral("\n　　　选取单位体积用水量 Mw＝180.0（kg）\n")));
    }

    void a_failed_check_appends_the_partial_report_and_keeps_the_results()
    {
        press();
        const QStringList before = [this] {
            QStringList values;
            for (int id : kResults)
                values << text(id);
            return values;
        }();
        QCOMPARE(before.first(), QStringLiteral("50"));
        const QString first = m_view->toPlainText();

        choose(1049, 0);
        choose(1050, 0);
        m_prompter->notices.clear();
        press();
        QCOMPARE(notices(),
            QStringList { QStringLiteral("粉体量＝96.8＜160 升，不符合。\n"
                                         "水粉比＝1.86＞1.15，不符合。\n"
                                         "浆体量＝276.8＜320升，不符合。\n"
                                         "不符合自密实性能要求，请重新设计。") });
        const QString text2 = m_view->toPlainText();
        QVERIFY(text2.startsWith(first));
        const QString added = text2.mid(first.size());
        QVERIFY(added.startsWith(QStringLiteral("\n————Qoru计算书")));
        QVERIFY(added.contains(QStringLiteral("\n　　　没有采用粉体材料一，所以：\n")));
        QVERIFY(added.endsWith(QStringLiteral(
            "\n　　　　　浆体量＝Vw＋Vf＝276.8（L）　　　浆体量＜320升，不符合。\n")));
        QVERIFY(!added.contains(QStringLiteral("四、配合比设计成果")));
        for (int i = 0; i < kResults.size(); ++i)
            QCOMPARE(text(kResults[i]), before[i]);
        QCOMPARE(text(1001), QStringLiteral("0")); // a powder of class none has no volume
    }

    void a_box_without_a_number_ends_the_press_with_one_notice()
    {
        type(1017, QStringLiteral("abc"));
        type(1037, QStringLiteral("170"));
        press();
        QCOMPARE(notices(), QStringList { QStringLiteral("请键入一个数。") });
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("Qoru"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), m_dlg->control(1017));
        QCOMPARE(m_dlg->edit(1017)->selectedText(), QStringLiteral("abc"));
        QVERIFY(m_view->toPlainText().isEmpty());
        QCOMPARE(text(1037), QStringLiteral("170")); // not read, not written
        QCOMPARE(m_dlg->members().water, 180.0);
    }

    void a_stop_writes_nothing()
    {
        type(1015, QStringLiteral("0.99"));
        type(1037, QStringLiteral("170.04"));
        press();
        QCOMPARE(notices(), QStringList { QStringLiteral("请检查，输入的数值有错误。") });
        QCOMPARE(text(1037), QStringLiteral("170.04"));
        QVERIFY(m_view->toPlainText().isEmpty());

        // An excess coefficient below 1 on an active powder stops after the
        // warnings before it.
        type(1015, QStringLiteral("1.28"));
        type(1045, QStringLiteral("0.99"));
        type(1037, QStringLiteral("154.9"));
        m_prompter->notices.clear();
        press();
        QCOMPARE(notices(),
            (QStringList { QString::fromUtf8(kWaterRange), QStringLiteral("超量系数应大于1。") }));
        QCOMPARE(text(1037), QStringLiteral("154.9"));
        QVERIFY(m_view->toPlainText().isEmpty());
    }

    void a_non_finite_result_stops_before_anything_is_written()
    {
        // w/c rounds to 0, so the theoretical cement would be infinite.
        type(1017, QStringLiteral("1e300"));
        press();
        QVERIFY(!notices().isEmpty());
        QCOMPARE(notices().last(), QStringLiteral("计算结果无效，请检查输入的数值。"));
        QCOMPARE(notices().count(QStringLiteral("计算结果无效，请检查输入的数值。")), 1);
        QVERIFY(m_view->toPlainText().isEmpty());
        QCOMPARE(text(1017), QStringLiteral("1e300"));
        for (int id : kResults)
            QCOMPARE(text(id), QStringLiteral("0"));
    }

    void an_inert_powder_and_no_powder_give_their_report_and_results()
    {
        choose(1049, 6);
        type(1001, QStringLiteral("70"));
        choose(1050, 0);
        press();
        QVERIFY(notices().isEmpty()); // no active powder: no excess remark
        QCOMPARE(text(1083), QStringLiteral("70"));
        QCOMPARE(text(1084), QStringLiteral("156.1"));
        QCOMPARE(text(1031), QStringLiteral("0"));
        QCOMPARE(text(1024), QStringLiteral("300"));
        QCOMPARE(text(1006), QStringLiteral("303.2"));
        QCOMPARE(text(1025), QStringLiteral("809.5"));
        const QString report = m_view->toPlainText();
        QVERIFY(report.contains(
            QStringLiteral("\n　　　采用惰性掺合料，表观密度 ρf1＝ 2.23（g/cm3）\n")));
        QVERIFY(report.contains(QStringLiteral("\n　　　水胶比＝Mw／（Mc＋Mj1＋Mj2）＝0.60\n")));
        QVERIFY(report.contains(
            QStringLiteral("\n　　　　粉体二　Ｆ2：体积用量（L）＝0.0，质量用量（kg）＝0.0\n")));
    }

    void escape_and_return_close_the_form_without_touching_the_view()
    {
        m_view->setPlainText(QStringLiteral("前文"));
        QTest::keyClick(m_dlg->control(1021), Qt::Key_Escape);
        QVERIFY(!m_dlg->isVisible());
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        QTest::mouseClick(m_dlg->button(IDCANCEL), Qt::LeftButton);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_view->toPlainText(), QStringLiteral("前文"));
    }

    void the_command_runs_the_form_modally_over_the_view()
    {
        m_dlg.reset();
        m_view->setPlainText(QStringLiteral("前文"));
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<CMixDesign2Dlg*>(QApplication::activeModalWidget());
            QVERIFY(form);
            seen = true;
            QCOMPARE(form->parentWidget(), m_view.get());
            QTest::mouseClick(form->button(1071), Qt::LeftButton);
            form->reject();
        });
        CCalculators calculators(m_view.get());
        connect(&calculators, &CCalculators::reportReady, m_view.get(), &CQoruView::appendReport);
        calculators.OnCalcMix2();
        QVERIFY(seen);
        QCOMPARE(m_view->toPlainText(),
            QStringLiteral("前文") + AsViewText(Mix2ReportText(Mix2OpeningReportLines())));
        QCOMPARE(notices(), QStringList { QString::fromUtf8(kExcessUsual) });
    }
};

QORU_GUI_TEST_MAIN(MixDesign2DlgTest)
#include "mixdesign2dlg_test.moc"
