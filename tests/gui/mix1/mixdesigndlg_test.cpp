// The method-1 form driven like a user: key clicks in its boxes, list
// choices through the open list, button presses, with the report view of a
// running application as its target.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "mix1/mix1calc.h"
#include "mix1/mixdesigndlg.h"
#include "mix1/dialog130.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

const char* const kNotANumber = "请键入一个数。";
const char* const kSf1 = "规程要求：\n自密实性能等级SF1，粗骨料体积取值范围是：0.32--0.35(m3)。";
const char* const kSf2 = "规程要求：\n自密实性能等级SF2，粗骨料体积取值范围是：0.30--0.33(m3)。";
const char* const kSf3 = "规程要求：\n自密实性能等级SF3，粗骨料体积取值范围是：0.28--0.30(m3)。";
const char* const kRatio = "规程要求：水胶比宜小于0.45，建议调整水胶比。";
const char* const kBinder = "规程要求：胶凝材料用量宜控制在400～500(kg/m3)之间。\n"
                            "现在的计算用量超出规程规定，建议调整参数。";

// The report as the view holds it: lines broken by '\n'.
QString InView(const std::string& report)
{
    return QString::fromStdString(report).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QStringList Texts(const Messages& messages)
{
    QStringList texts;
    for (const Message& m : messages)
        texts << QString::fromStdString(m.text);
    return texts;
}

} // namespace

class MixDesignDlgTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    std::unique_ptr<CMixDesignDlg> m_dlg;

    CQoruView* view() const { return m_app->view(); }
    CMixDesignDlg* dlg() const { return m_dlg.get(); }
    QLineEdit* box(int id) const { return dlg()->edit(id); }
    QString text(int id) const { return box(id)->text(); }

    // Replaces a box's text as the user would: click into it, select all, type.
    void type(int id, const QString& text)
    {
        QLineEdit* edit = box(id);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
    }

    // Opens the list, walks to the item with the arrow keys and confirms it
    // with Enter, as a user choosing from the open list.
    void choose(int id, int item)
    {
        QComboBox* list = dlg()->dropList(id);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F4);
        QAbstractItemView* popup = list->view();
        QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
        QTest::keyClick(popup, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(!popup->window()->isVisible());
        QCOMPARE(list->currentIndex(), item);
    }

    void calculate() { QTest::mouseClick(dlg()->button(IDC_CALCULATE), Qt::LeftButton); }

    // What the core reports for the form's opening values changed by `set`.
    static Mix1Outcome Expected(const std::function<void(Mix1Inputs&)>& set = {})
    {
        Mix1Inputs in;
        if (set)
            set(in);
        return CalculateMix1(in);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
        m_dlg = std::make_unique<CMixDesignDlg>(view());
        m_app->calculators()->attach(m_dlg.get());
        // Shown, not run: exec() would wait for a person.
        m_dlg->setModal(false);
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    void cleanup()
    {
        m_dlg.reset();
        StopTestApp(m_prompter, m_app);
    }

    void opens_with_its_caption_font_lists_and_opening_values()
    {
        QCOMPARE(dlg()->windowTitle(), QStringLiteral("计算自密实混凝土配合比"));
        QCOMPARE(dlg()->font().family(), QStringLiteral("宋体"));
        QCOMPARE(dlg()->font().pointSize(), 12);
        QCOMPARE(dlg()->size(), dlg()->mapDialogRect(0, 0, 352, 224).size());

        const auto items = [this](int id) {
            QStringList texts;
            for (int i = 0; i < dlg()->dropList(id)->count(); ++i)
                texts << dlg()->dropList(id)->itemText(i);
            return texts;
        };
        QCOMPARE(items(IDC_SF_GRADE), (QStringList { "SF1", "SF2", "SF3" }));
        QCOMPARE(items(IDC_STRENGTH_GRADE),
            (QStringList { "7.5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60",
                "65", "70", "75", "80" }));
        QCOMPARE(items(IDC_CEMENT_GRADE),
            (QStringList { "22.5", "27.5", "32.5", "42.5", "52.5", "62.5" }));
        QCOMPARE(dlg()->dropList(IDC_SF_GRADE)->currentText(), QStringLiteral("SF2"));
        QCOMPARE(dlg()->dropList(IDC_STRENGTH_GRADE)->currentText(), QStringLiteral("60"));
        QCOMPARE(dlg()->dropList(IDC_CEMENT_GRADE)->currentText(), QStringLiteral("52.5"));

        const std::pair<int, const char*> inputs[] = { { IDC_STD_DEV, "3" }, { IDC_RHO_C, "3100" },
            { IDC_WB, "0.34" }, { IDC_VG, "0.33" }, { IDC_PHI_S, "0.45" }, { IDC_BETA1, "0.1" },
            { IDC_BETA2, "0.1" }, { IDC_VA, "10" }, { IDC_RHO_G, "2700" }, { IDC_RHO_S, "2670" },
            { IDC_RHO_F, "2300" }, { IDC_RHO_K, "2300" }, { IDC_ALPHA, "1.5" } };
        for (const auto& [id, value] : inputs) {
            QCOMPARE(text(id), QString::fromUtf8(value));
            QCOMPARE(box(id)->alignment(), Qt::AlignCenter);
        }
        const int results[] = { IDC_VOL_CEMENT, IDC_VOL_FLYASH, IDC_VOL_SLAG, IDC_VOL_SAND,
            IDC_VOL_COARSE, IDC_VOL_WATER, IDC_MASS_CEMENT, IDC_MASS_FLYASH, IDC_MASS_SLAG,
            IDC_MASS_SAND, IDC_MASS_COARSE, IDC_MASS_WATER, IDC_MASS_ADMIXTURE };
        for (int id : results) {
            QCOMPARE(text(id), QStringLiteral("0"));
            QVERIFY(box(id)->isReadOnly());
            QVERIFY(!(box(id)->focusPolicy() & Qt::TabFocus)); // no tab stop
        }
        QVERIFY(box(IDC_WB)->isReadOnly());
        QVERIFY(!qobject_cast<QCheckBox*>(dlg()->control(IDC_CUSTOM_WB))->isChecked());
        QCOMPARE(QApplication::focusWidget(), dlg()->control(IDC_SF_GRADE));
        QVERIFY(m_prompter->notices.isEmpty());
    }

    void controls_stand_where_the_template_puts_them_and_labels_name_their_boxes()
    {
        QCOMPARE(dlg()->control(IDC_STRENGTH_GRADE)->pos(),
            dlg()->mapDialogRect(124, 30, 0, 0).topLeft());
        QCOMPARE(box(IDC_WB)->geometry(), dlg()->mapDialogRect(254, 42, 35, 12));
        QCOMPARE(box(IDC_MASS_ADMIXTURE)->geometry(), dlg()->mapDialogRect(291, 180, 42, 12));
        QCOMPARE(dlg()->button(IDC_CALCULATE)->geometry(), dlg()->mapDialogRect(91, 202, 50, 14));
        QCOMPARE(dlg()->button(IDCANCEL)->text(), QStringLiteral("返回(&C)"));
        QCOMPARE(dlg()->button(IDC_CALCULATE)->text(), QStringLiteral("计算(&E)"));

        QStringList frames;
        for (auto* frame : dlg()->findChildren<QGroupBox*>())
            frames << frame->title();
        frames.sort();
        QStringList expected { "设计要求", "自密实计算参数", "配合比(每立方米混凝土材料用量)" };
        expected.sort();
        QCOMPARE(frames, expected);

        QCOMPARE(box(IDC_STD_DEV)->accessibleName(), QStringLiteral("混凝土强度标准差MPa"));
        QCOMPARE(dlg()->control(IDC_SF_GRADE)->accessibleName(), QStringLiteral("自密实性能等级"));
        QCOMPARE(box(IDC_RHO_C)->accessibleName(), QStringLiteral("水泥表观密度kg/m3"));
        QCOMPARE(box(IDC_WB)->accessibleName(), QStringLiteral("水胶比(Mw/Mb)"));
        QCOMPARE(box(IDC_VA)->accessibleName(), QStringLiteral("空气体积(10-20)L"));

        // Every label's text fits its place, stands left of or above its box
        // and covers no control.
        QList<QWidget*> controls;
        for (auto* w : dlg()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QGroupBox*>(w))
                controls << w;
        int labels = 0;
        for (auto* label : dlg()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
            ++labels;
            const QRect need = label->fontMetrics().boundingRect(label->text());
            QVERIFY2(need.width() <= label->width(), qPrintable(label->text()));
            for (QWidget* w : controls)
                QVERIFY2(!label->geometry().intersects(w->geometry()),
                    qPrintable(label->text() + " / " + w->objectName()));
            if (QWidget* buddy = label->buddy()) {
                QVERIFY(label->geometry().right() < buddy->x());
                QVERIFY(label->geometry().center().y() > buddy->y());
                QVERIFY(label->geometry().center().y() < buddy->geometry().bottom());
            }
        }
        QCOMPARE(labels, 25); // 16 row labels, 7 headings, 2 result rows
    }

    void choosing_a_performance_grade_checks_the_coarse_aggregate_volume_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("vg");
        QTest::addColumn<QString>("notice");
        QTest::newRow("sf1_0.33_in") << 0 << "0.33"
                                     << "";
        QTest::newRow("sf1_0.32_lower_bound") << 0 << "0.32"
                                              << "";
        QTest::newRow("sf1_0.35_upper_bound") << 0 << "0.35"
                                              << "";
        QTest::newRow("sf1_0.31_below") << 0 << "0.31" << kSf1;
        QTest::newRow("sf1_0.36_above") << 0 << "0.36" << kSf1;
        QTest::newRow("sf2_0.34_above") << 1 << "0.34" << kSf2;
        QTest::newRow("sf3_0.30_upper_bound") << 2 << "0.30"
                                              << "";
        QTest::newRow("sf3_0.28_lower_bound") << 2 << "0.28"
                                              << "";
        QTest::newRow("sf3_0.33_above") << 2 << "0.33" << kSf3;
        QTest::newRow("sf3_0.27_below") << 2 << "0.27" << kSf3;
    }
    void choosing_a_performance_grade_checks_the_coarse_aggregate_volume()
    {
        QFETCH(int, item);
        QFETCH(QString, vg);
        QFETCH(QString, notice);
        type(IDC_VG, vg);
        choose(IDC_SF_GRADE, item);
        if (notice.isEmpty()) {
            QVERIFY(m_prompter->notices.isEmpty());
        } else {
            QCOMPARE(m_prompter->texts(), QStringList { notice });
            QCOMPARE(m_prompter->notices.first().title, QStringLiteral("提示"));
            QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Information);
        }
        QCOMPARE(text(IDC_VG).toDouble(), vg.toDouble()); // never changed
        QVERIFY(view()->toPlainText().isEmpty());
    }

    void the_grade_handlers_run_on_a_confirmed_choice_only()
    {
        type(IDC_VG, QStringLiteral("0.34"));
        dlg()->dropList(IDC_SF_GRADE)->setCurrentIndex(0); // not the user's
        dlg()->dropList(IDC_SF_GRADE)->setCurrentIndex(1);
        QVERIFY(m_prompter->notices.isEmpty());
        choose(IDC_SF_GRADE, 1); // the item already selected, confirmed again
        QCOMPARE(m_prompter->texts(), QStringList { kSf2 });
    }

    void grade_choices_reach_the_report_and_boxes_are_written_back()
    {
        choose(IDC_SF_GRADE, 0);
        type(IDC_VG, QStringLiteral("0.330"));
        choose(IDC_STRENGTH_GRADE, 5); // C30
        QCOMPARE(text(IDC_VG), QStringLiteral("0.33")); // read and shown again
        choose(IDC_CEMENT_GRADE, 3); // 42.5
        calculate();

        const Mix1Outcome expected = Expected([](Mix1Inputs& in) {
            in.performanceIndex = 0, in.performanceText = "SF1", in.slumpFlowText = "550～655";
            in.strengthIndex = 5;
            in.cementIndex = 3;
        });
        QVERIFY(!expected.stopped);
        QCOMPARE(view()->toPlainText(), InView(expected.report));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("混凝土强度 fcu,k＝30.0（MPa）")));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("自密实性能：SF1\n")));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("自密实混凝土强度等级：C30\n")));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("水泥强度等级：42.5（MPa）")));
    }

    void a_grade_handler_keeps_what_the_user_typed_when_a_box_holds_no_number()
    {
        type(IDC_STD_DEV, QStringLiteral("abc"));
        type(IDC_ALPHA, QStringLiteral("2.50"));
        choose(IDC_STRENGTH_GRADE, 0);
        QCOMPARE(m_prompter->texts(), QStringList { kNotANumber });
        QCOMPARE(text(IDC_STD_DEV), QStringLiteral("abc"));
        QCOMPARE(text(IDC_ALPHA), QStringLiteral("2.50"));
        QCOMPARE(QApplication::focusWidget(), box(IDC_STD_DEV));
        // The choice itself still counts for the next press.
        type(IDC_STD_DEV, QStringLiteral("3"));
        calculate();
        QVERIFY(view()->toPlainText().contains(QStringLiteral("混凝土强度 fcu,k＝7.5（MPa）")));
    }

    void the_tick_box_makes_the_water_binder_ratio_editable()
    {
        auto* tick = qobject_cast<QCheckBox*>(dlg()->control(IDC_CUSTOM_WB));
        QCOMPARE(tick->text(), QStringLiteral("自定"));
        QTest::mouseClick(box(IDC_WB), Qt::LeftButton);
        QTest::keyClick(box(IDC_WB), Qt::Key_5);
        QCOMPARE(text(IDC_WB), QStringLiteral("0.34")); // read-only: typing does nothing

        QTest::mouseClick(tick, Qt::LeftButton);
        QVERIFY(tick->isChecked());
        QVERIFY(!box(IDC_WB)->isReadOnly());
        type(IDC_WB, QStringLiteral("0.449"));
        QTest::mouseClick(tick, Qt::LeftButton);
        QVERIFY(box(IDC_WB)->isReadOnly());
        QCOMPARE(text(IDC_WB), QStringLiteral("0.449")); // the number stays
        QTest::mouseClick(tick, Qt::LeftButton);
        calculate();

        // 0.449 counts as 0.45 and is shown so.
        QCOMPARE(m_prompter->texts(), QStringList { kRatio });
        QCOMPARE(text(IDC_WB), QStringLiteral("0.45"));
        QVERIFY(view()->toPlainText().contains(QStringLiteral("自定水胶比  (Mw/Mb)＝0.45\n")));
        QCOMPARE(view()->toPlainText(),
            InView(Expected([](Mix1Inputs& in) { in.customRatio = true, in.wb = 0.449; }).report));
    }

    void enter_moves_on_in_boxes_and_presses_only_calculate_and_return()
    {
        QTest::keyClick(dlg()->control(IDC_SF_GRADE), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dlg()->control(IDC_STRENGTH_GRADE));
        box(IDC_STD_DEV)->setFocus();
        QTest::keyClick(box(IDC_STD_DEV), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dlg()->control(IDC_CEMENT_GRADE));
        box(IDC_RHO_C)->setFocus();
        QTest::keyClick(box(IDC_RHO_C), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), dlg()->control(IDC_CUSTOM_WB));
        QTest::keyClick(dlg()->control(IDC_CUSTOM_WB), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(IDC_VG));
        QVERIFY(!qobject_cast<QCheckBox*>(dlg()->control(IDC_CUSTOM_WB))->isChecked());
        box(IDC_ALPHA)->setFocus();
        QTest::keyClick(box(IDC_ALPHA), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dlg()->control(IDC_MATERIALS));
        dlg()->control(IDC_CALCULATE)->setFocus();
        QVERIFY(view()->toPlainText().isEmpty());

        QTest::keyClick(dlg()->control(IDC_CALCULATE), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(view()->toPlainText(), InView(Expected().report));
        QVERIFY(dlg()->isVisible());

        dlg()->control(IDCANCEL)->setFocus();
        QTest::keyClick(dlg()->control(IDCANCEL), Qt::Key_Return);
        QVERIFY(!dlg()->isVisible());
        QCOMPARE(dlg()->result(), int(QDialog::Rejected));
    }

    void two_presses_append_two_reports_one_empty_line_apart()
    {
        QVERIFY(!m_app->document()->isModified());
        calculate();
        QVERIFY(m_app->document()->isModified());
        const QString first = view()->toPlainText();
        QCOMPARE(first, InView(Expected().report));
        QVERIFY(first.startsWith(QLatin1Char('\n'))); // an empty view: an empty first line

        calculate();
        // The first press wrote back the computed W/B, which the second takes in.
        QCOMPARE(view()->toPlainText(), first + InView(Expected().report));
        const QStringList lines = view()->toPlainText().split(QLatin1Char('\n'));
        const QString heading = QStringLiteral("————Qoru计算书（JGJ/T283-2012）————");
        QCOMPARE(lines.count(heading), 2);
        const int second = lines.lastIndexOf(heading);
        QCOMPARE(lines.at(second - 1), QString());
        QCOMPARE(lines.at(second - 2), QStringLiteral("　　　　外加剂　：质量用量（kg）＝7.9"));
        QVERIFY(dlg()->isVisible());
    }

    void result_boxes_show_the_numbers_the_report_prints()
    {
        calculate();
        const std::pair<int, const char*> shown[] = { { IDC_VOL_CEMENT, "135.58" },
            { IDC_VOL_FLYASH, "22.87" }, { IDC_VOL_SLAG, "22.87" }, { IDC_VOL_SAND, "300" },
            { IDC_VOL_COARSE, "330" }, { IDC_VOL_WATER, "178.67" }, { IDC_MASS_CEMENT, "420.3" },
            { IDC_MASS_FLYASH, "52.6" }, { IDC_MASS_SLAG, "52.6" }, { IDC_MASS_SAND, "801" },
            { IDC_MASS_COARSE, "891" }, { IDC_MASS_WATER, "178.7" }, { IDC_MASS_ADMIXTURE, "7.9" },
            { IDC_WB, "0.34" }, { IDC_VG, "0.33" } };
        for (const auto& [id, value] : shown)
            QCOMPARE(text(id), QString::fromUtf8(value));
    }

    void warnings_are_shown_in_order_and_the_press_goes_on()
    {
        calculate();
        QCOMPARE(m_prompter->texts(), QStringList { kBinder });
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("提示"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Information);

        m_prompter->notices.clear();
        type(IDC_BETA1, QStringLiteral("0.35"));
        type(IDC_VA, QStringLiteral("25"));
        calculate();
        const Mix1Outcome expected = Expected([](Mix1Inputs& in) { in.beta1 = 0.35, in.va = 25; });
        QVERIFY(expected.messages.size() >= 2);
        QCOMPARE(m_prompter->texts(), Texts(expected.messages));
        QCOMPARE(view()->toPlainText(), InView(Expected().report) + InView(expected.report));
    }

    void a_box_without_a_number_stops_the_press_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("typed");
        QTest::newRow("letters_in_vg") << IDC_VG << "abc";
        QTest::newRow("empty_sigma") << IDC_STD_DEV << "";
        QTest::newRow("zero_without_its_digit_in_alpha") << IDC_ALPHA << ".0";
        QTest::newRow("trailing_text_in_rho_s") << IDC_RHO_S << "2670kg";
    }
    void a_box_without_a_number_stops_the_press()
    {
        QFETCH(int, id);
        QFETCH(QString, typed);
        calculate();
        const QString before = view()->toPlainText();
        m_prompter->notices.clear();
        m_app->document()->setModified(false);
        type(IDC_RHO_C, QStringLiteral("3000"));
        box(id)->setFocus();
        box(id)->selectAll();
        QTest::keyClick(box(id), Qt::Key_Backspace);
        QTest::keyClicks(box(id), typed);
        calculate();

        QCOMPARE(m_prompter->texts(), QStringList { kNotANumber });
        QCOMPARE(view()->toPlainText(), before);
        QVERIFY(!m_app->document()->isModified());
        QCOMPARE(QApplication::focusWidget(), box(id));
        QCOMPARE(box(id)->selectedText(), typed);
        QCOMPARE(text(id), typed);
        QCOMPARE(text(IDC_RHO_C), QStringLiteral("3000")); // not written back
        QCOMPARE(text(IDC_VOL_CEMENT), QStringLiteral("135.58")); // the last results stay
    }

    void a_stop_leaves_the_view_and_the_boxes_as_they_were_data()
    {
        QTest::addColumn<QStringList>("boxes"); // id=text pairs
        QTest::addColumn<QString>("stop");
        QTest::newRow("sand_fraction_0.46")
            << QStringList { "1033=0.46" }
            << "规程规定：砂的体积分数取值范围是0.42～0.45，请重新选取。";
        QTest::newRow("fly_ash_density_0")
            << QStringList { "1008=0.05", "1018=0" } << "粉煤灰表观密度输入有错误，请更正。";
        QTest::newRow("negative_air") << QStringList { "1099=-1" } << "输入的数值有错误，请更正。";
        // -1/3100 + 2/6200 is 0: the binder density has no value.
        QTest::newRow("no_binder_density") << QStringList { "1008=2", "1018=6200", "1097=0" }
                                           << "计算结果无效，请检查输入的数值。";
    }
    void a_stop_leaves_the_view_and_the_boxes_as_they_were()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QString, stop);
        calculate();
        const QString before = view()->toPlainText();
        m_prompter->notices.clear();
        m_app->document()->setModified(false);
        for (const QString& pair : boxes)
            type(pair.section('=', 0, 0).toInt(), pair.section('=', 1));
        calculate();

        QVERIFY(!m_prompter->notices.isEmpty());
        QCOMPARE(m_prompter->notices.last().text, stop);
        QCOMPARE(view()->toPlainText(), before);
        QVERIFY(!m_app->document()->isModified());
        for (const QString& pair : boxes)
            QCOMPARE(text(pair.section('=', 0, 0).toInt()), pair.section('=', 1));
        QCOMPARE(text(IDC_MASS_WATER), QStringLiteral("178.7"));
    }

    void closing_types_nothing_into_the_view_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("return_button") << "return";
        QTest::newRow("escape") << "escape";
        QTest::newRow("close_box") << "close";
    }
    void closing_types_nothing_into_the_view()
    {
        QFETCH(QString, how);
        calculate();
        const QString before = view()->toPlainText();
        m_app->document()->setModified(false);
        QSignalSpy edits(view(), &CQoruView::textEdited);
        if (how == QLatin1String("return"))
            QTest::mouseClick(dlg()->button(IDCANCEL), Qt::LeftButton);
        else if (how == QLatin1String("escape"))
            QTest::keyClick(box(IDC_VG), Qt::Key_Escape);
        else
            dlg()->close();
        QVERIFY(!dlg()->isVisible());
        QCOMPARE(dlg()->result(), int(QDialog::Rejected));
        QApplication::processEvents();
        QCOMPARE(view()->toPlainText(), before);
        QVERIFY(view()->toPlainText().startsWith(QLatin1Char('\n')));
        QCOMPARE(edits.count(), 0);
        QVERIFY(!m_app->document()->isModified());
    }

    void the_toolbar_button_opens_the_form_over_the_main_window()
    {
        m_dlg.reset();
        QString caption;
        QObject* parent = nullptr;
        QPoint offCentre;
        QTimer::singleShot(0, this, [&] {
            auto* form = qobject_cast<CMixDesignDlg*>(QApplication::activeModalWidget());
            if (!form)
                return;
            caption = form->windowTitle();
            parent = form->parent();
            offCentre
                = form->frameGeometry().center() - m_app->mainFrame()->frameGeometry().center();
            QTest::mouseClick(form->button(IDC_CALCULATE), Qt::LeftButton);
            form->reject();
        });
        m_app->mainFrame()->action(ID_CALC_MIX)->trigger();
        QCOMPARE(caption, QStringLiteral("计算自密实混凝土配合比"));
        QCOMPARE(parent, view());
        QVERIFY2(offCentre.manhattanLength() <= 4,
            qPrintable(QString::number(offCentre.manhattanLength())));
        QCOMPARE(view()->toPlainText(), InView(Expected().report));
        QVERIFY(m_app->document()->isModified());
    }
};

QORU_GUI_TEST_MAIN(MixDesignDlgTest)
#include "mixdesigndlg_test.moc"
