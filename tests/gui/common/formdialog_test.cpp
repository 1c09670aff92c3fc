// The form builder: placement in dialog units, tab order, the Enter rule and
// the exchange of members with number boxes.
#include "common/formdialog.h"
#include "guitestmain.h"
#include "testprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

const DialogSpec kSpec = { 999, "测试", "宋体", 12, 200, 100,
    {
        { 10, ControlKind::Edit, "", 10, 10, 40, 12, ControlStyle::TabStop | ControlStyle::Centre },
        { 11, ControlKind::DropList, "", 10, 30, 40, 60, ControlStyle::TabStop },
        { 12, ControlKind::Edit, "", 10, 50, 40, 12, ControlStyle::TabStop },
        { 13, ControlKind::Edit, "", 60, 50, 40, 12, ControlStyle::ReadOnly | ControlStyle::Centre },
        { 20, ControlKind::PushButton, "计算(&E)", 10, 80, 50, 14, ControlStyle::TabStop },
        { IDCANCEL, ControlKind::PushButton, "返回(&C)", 70, 80, 50, 14, ControlStyle::TabStop },
        { 30, ControlKind::Label, "标签", 60, 10, 40, 8, ControlStyle::None, 10 },
        { -1, ControlKind::Label, "无号标签", 60, 50, 40, 8, ControlStyle::None, 12 },
    } };

class Form : public CFormDialog
{
public:
    explicit Form(QWidget* parent = nullptr) : CFormDialog(kSpec, parent)
    {
        bindDouble(10, &a);
        bindFloat(12, &f);
        bindDouble(13, &volume);
        setEnterButtons({ 20, IDCANCEL });
        connect(button(20), &QPushButton::clicked, this, [this] { ++presses; });
        connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    }
    double a = 0.33;
    float f = 3.14159274f;
    double volume = 3100;
    int presses = 0;
};

} // namespace

class FormDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controls_are_placed_in_dialog_units_of_the_font()
    {
        Form form;
        const QRect r = form.mapDialogRect(4, 8, 4, 8);
        QVERIFY(r.width() > 4 && r.height() > 8); // one base unit each
        QCOMPARE(form.control(10)->geometry(), form.mapDialogRect(10, 10, 40, 12));
        QCOMPARE(form.size(), form.mapDialogRect(0, 0, 200, 100).size());
        QCOMPARE(form.control(10)->objectName(), QStringLiteral("10"));
        QCOMPARE(form.edit(10)->alignment(), Qt::AlignCenter);
        QVERIFY(form.edit(13)->isReadOnly());
        QCOMPARE(form.edit(10)->accessibleName(), QStringLiteral("标签"));
        QCOMPARE(form.edit(12)->accessibleName(), QStringLiteral("无号标签")); // a label without an ID
        QVERIFY(!form.isModal()); // exec() makes it modal, show() in a test does not
    }

    void members_are_shown_in_the_shortest_form()
    {
        Form form;
        form.UpdateData(false);
        QCOMPARE(form.edit(10)->text(), QStringLiteral("0.33"));
        QCOMPARE(form.edit(12)->text(), QStringLiteral("3.14159"));
        QCOMPARE(form.edit(13)->text(), QStringLiteral("3100"));
    }

    void reading_stops_at_the_first_box_without_a_number()
    {
        TestPrompter prompter;
        Form form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.UpdateData(false);
        form.edit(10)->setText(QStringLiteral(" 0.5 "));
        form.edit(12)->setText(QStringLiteral("abc"));
        form.edit(13)->setText(QStringLiteral("7"));
        QVERIFY(!form.UpdateData(true));
        QCOMPARE(form.a, 0.5); // read before the bad box
        QCOMPARE(form.f, 3.14159274f); // the bad box keeps its member
        QCOMPARE(form.volume, 3100.0); // boxes after it are not read
        QCOMPARE(prompter.texts(), QStringList { QStringLiteral("请键入一个数。") });
        QCOMPARE(prompter.notices.first().title, QStringLiteral("Qoru"));
        QCOMPARE(prompter.notices.first().icon, Prompter::Icon::Exclamation);
        QCOMPARE(QApplication::focusWidget(), form.control(12));
        QCOMPARE(form.edit(12)->selectedText(), QStringLiteral("abc"));
        QCOMPARE(form.edit(12)->text(), QStringLiteral("abc")); // what was typed stays

        form.edit(12)->setText(QStringLiteral("1e39")); // beyond a float
        QVERIFY(!form.UpdateData(true));
        form.edit(12)->setText(QStringLiteral("2"));
        QVERIFY(form.UpdateData(true));
        QCOMPARE(form.volume, 7.0);
    }

    void enter_moves_to_the_next_tab_stop_except_on_the_two_buttons_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("main_enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad_enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enter_moves_to_the_next_tab_stop_except_on_the_two_buttons()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Form form;
        const auto enter = [&](int id) {
            QTest::keyClick(form.control(id), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        };
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.control(10)->setFocus();
        enter(10);
        QCOMPARE(QApplication::focusWidget(), form.control(11));
        enter(11);
        QCOMPARE(QApplication::focusWidget(), form.control(12));
        enter(12); // 13 is no tab stop
        QCOMPARE(QApplication::focusWidget(), form.control(20));
        enter(20);
        QCOMPARE(form.presses, 1);
        QVERIFY(form.isVisible());
        QTest::keyClick(form.control(12), Qt::Key_Return, Qt::ShiftModifier); // not Enter alone
        QCOMPARE(QApplication::focusWidget(), form.control(20));
        enter(IDCANCEL);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void the_wheel_turns_a_list_only_while_it_has_the_focus()
    {
        Form form;
        QComboBox* list = form.dropList(11);
        list->addItems({ QStringLiteral("C55"), QStringLiteral("C60"), QStringLiteral("C65") });
        list->setCurrentIndex(1);
        QSignalSpy activated(list, &QComboBox::activated);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const auto wheel = [list] {
            const QPointF at = list->rect().center();
            QWheelEvent event(at, list->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(list, &event);
        };
        form.control(10)->setFocus();
        wheel();
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(activated.count(), 0);
        list->setFocus();
        wheel();
        QCOMPARE(list->currentIndex(), 2);
    }

    void read_only_boxes_look_like_disabled_ones()
    {
        Form form;
        const auto base = [&form](int id) { return form.edit(id)->palette().color(QPalette::Base); };
        const QColor input = base(10);
        QCOMPARE(base(12), input);
        QVERIFY(base(13) != input);
        form.edit(10)->setReadOnly(true); // as a tick box does it
        QCOMPARE(base(10), base(13));
        form.edit(10)->setReadOnly(false);
        QCOMPARE(base(10), input);
    }

    void a_box_out_of_reach_is_not_read_and_shows_its_member()
    {
        TestPrompter prompter;
        Form form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.UpdateData(false);
        form.edit(10)->clear();
        form.edit(12)->setText(QStringLiteral("x"));
        form.edit(10)->setEnabled(false);
        form.edit(12)->hide();
        QCOMPARE(form.edit(10)->text(), QStringLiteral("0.33"));
        QCOMPARE(form.edit(12)->text(), QStringLiteral("3.14159"));
        form.a = 7; // a member changed since is not taken from the box
        form.edit(13)->setText(QStringLiteral("5"));
        QVERIFY(form.UpdateData(true));
        QVERIFY(prompter.notices.isEmpty());
        QCOMPARE(form.a, 7.0);
        QCOMPARE(form.volume, 5.0);
        form.edit(10)->setEnabled(true);
        form.edit(10)->setText(QStringLiteral("8"));
        QVERIFY(form.UpdateData(true));
        QCOMPARE(form.a, 8.0);
    }

    void escape_closes_the_form()
    {
        Form form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.control(10)->setFocus();
        QTest::keyClick(form.control(10), Qt::Key_Escape);
        QVERIFY(!form.isVisible());
    }
};

QORU_GUI_TEST_MAIN(FormDialogTest)
#include "formdialog_test.moc"
