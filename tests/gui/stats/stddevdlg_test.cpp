// The strength calculator driven through its widgets: adding and deleting
// rows, computing σ, its refusals and the Enter key.
#include "calc/calculators.h"
#include "guitestmain.h"
#include "stats/dialog150.h"
#include "stats/stddevdlg.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include <cstring>
#include <memory>

namespace {

const QString kRange = QStringLiteral("“请填入一个在0和500之间的数字。”");
const QString kNotANumber = QStringLiteral("请键入一个数。");
const QString kNotPositive = QStringLiteral("砼试件强度应大于零。");
const QString kTooFew = QStringLiteral("规范要求砼试件强度数据不少于25组。");

bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class StdDevDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CStdDevDlg> m_dlg;

    QLineEdit* input() const { return m_dlg->edit(IDC_STRENGTH_INPUT); }
    QTableWidget* list() const { return m_dlg->m_listStrength; }
    QString sigmaBox() const { return m_dlg->edit(IDC_SIGMA)->text(); }
    QString countBox() const { return m_dlg->edit(IDC_COUNT)->text(); }
    void click(int id) { QTest::mouseClick(m_dlg->button(id), Qt::LeftButton); }

    // Types a value over what the box holds and presses Add.
    void add(const QString& text)
    {
        input()->setFocus();
        input()->selectAll();
        QTest::keyClick(input(), Qt::Key_Backspace);
        QTest::keyClicks(input(), text);
        click(IDC_ADD);
    }
    void addAll(const QStringList& texts)
    {
        for (const QString& t : texts)
            add(t);
    }
    void selectRow(int row)
    {
        const QRect cell = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QStringList rows() const
    {
        QStringList texts;
        for (int r = 0; r < list()->rowCount(); ++r)
            texts << list()->item(r, 0)->text();
        return texts;
    }
    // 1, 2, ..., n
    static QStringList counting(int n)
    {
        QStringList texts;
        for (int i = 1; i <= n; ++i)
            texts << QString::number(i);
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        m_prompter = std::make_unique<TestPrompter>();
        m_dlg = std::make_unique<CStdDevDlg>(nullptr);
        m_dlg->setModal(false); // a shown modal window would trip the watchdog
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    void cleanup()
    {
        m_dlg.reset();
        m_prompter.reset();
    }

    void opens_empty_with_its_template_and_the_focus_in_the_input_box()
    {
        QCOMPARE(m_dlg->windowTitle(), QStringLiteral("计算混凝土强度标准差"));
        QCOMPARE(m_dlg->objectName(), QStringLiteral("150"));
        QCOMPARE(m_dlg->font().family(), QStringLiteral("宋体"));
        QCOMPARE(m_dlg->font().pointSize(), 12);
        QCOMPARE(m_dlg->size(), m_dlg->mapDialogRect(0, 0, 240, 170).size());
        QCOMPARE(input()->geometry(), m_dlg->mapDialogRect(164, 24, 31, 12));
        QCOMPARE(list()->geometry(), m_dlg->mapDialogRect(8, 19, 88, 134));
        QCOMPARE(m_dlg->control(IDC_SIGMA)->geometry(), m_dlg->mapDialogRect(164, 109, 45, 12));
        QCOMPARE(m_dlg->button(IDC_CALC)->text(), QStringLiteral("计算标准差(&B)"));

        QCOMPARE(QApplication::focusWidget(), input());
        QCOMPARE(input()->text(), QStringLiteral("0"));
        QCOMPARE(sigmaBox(), QStringLiteral("0"));
        QCOMPARE(countBox(), QStringLiteral("0"));
        for (int id : { IDC_SIGMA, IDC_COUNT }) {
            QVERIFY(m_dlg->edit(id)->isReadOnly());
            QCOMPARE(m_dlg->edit(id)->alignment(), Qt::AlignCenter);
            QVERIFY(!(m_dlg->edit(id)->focusPolicy() & Qt::TabFocus));
        }

        QCOMPARE(list()->rowCount(), 0);
        QCOMPARE(list()->columnCount(), 1);
        QCOMPARE(list()->horizontalHeaderItem(0)->text(), QStringLiteral("试件强度(MPa)"));
        QCOMPARE(list()->horizontalHeaderItem(0)->textAlignment(),
            int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(list()->columnWidth(0), 170);
        QVERIFY(list()->verticalHeader()->isHidden());
        QVERIFY(list()->showGrid());
        QCOMPARE(list()->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list()->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void tab_order_runs_input_add_delete_compute_return_list()
    {
        addAll({ "30", "31", "32" });
        selectRow(0);
        input()->setFocus();
        const QList<QWidget*> order = { input(), m_dlg->button(IDC_ADD), m_dlg->button(IDC_DELETE),
            m_dlg->button(IDC_CALC), m_dlg->button(IDCANCEL), list(),
            m_dlg->button(IDC_RESTORE_DEFAULTS), input() };
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[i]);
        }
        // Tab leaves the list at once and selects no other row on its way.
        QCOMPARE(list()->selectionModel()->selectedRows().value(0).row(), 0);
        QCOMPARE(list()->selectionModel()->selectedRows().size(), 1);
    }

    void rows_show_two_decimals_in_five_places()
    {
        addAll({ "5", "500", "12.345678", " 33.3\t" });
        QCOMPARE(rows(), (QStringList { " 5.00", "500.00", "12.35", "33.30" }));
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(countBox(), QStringLiteral("4"));
        // Each row keeps the float it was typed as, not its rounded text.
        QCOMPARE(m_dlg->strengths()[2], static_cast<double>(12.345678f));
    }

    void refused_values_are_not_listed_and_say_why()
    {
        const struct
        {
            const char* text;
            QString message;
            Prompter::Icon icon;
            const char* title;
            bool focusBack;
        } cases[] = {
            { "0", kNotPositive, Prompter::Icon::Information, "提示", false },
            { "500.5", kRange, Prompter::Icon::Exclamation, "Qoru", true },
            { "-1", kRange, Prompter::Icon::Exclamation, "Qoru", true },
            { "abc", kNotANumber, Prompter::Icon::Exclamation, "Qoru", true },
            { "", kNotANumber, Prompter::Icon::Exclamation, "Qoru", true },
            { "12x", kNotANumber, Prompter::Icon::Exclamation, "Qoru", true },
        };
        for (const auto& c : cases) {
            const QString text = QString::fromUtf8(c.text);
            m_prompter->notices.clear();
            add(text);
            QCOMPARE(m_prompter->texts(), QStringList { c.message });
            QCOMPARE(m_prompter->notices[0].icon, c.icon);
            QCOMPARE(m_prompter->notices[0].title, QString::fromUtf8(c.title));
            QCOMPARE(list()->rowCount(), 0);
            QCOMPARE(countBox(), QStringLiteral("0"));
            QCOMPARE(input()->text(), text); // the box keeps what was typed
            if (c.focusBack) {
                QCOMPARE(QApplication::focusWidget(), input());
                QCOMPARE(input()->selectedText(), text);
            }
        }
    }

    void twenty_four_rows_refuse_and_twenty_five_compute()
    {
        addAll(counting(24));
        click(IDC_CALC);
        QCOMPARE(m_prompter->texts(), QStringList { kTooFew });
        QCOMPARE(m_prompter->notices[0].icon, Prompter::Icon::Information);
        QCOMPARE(m_prompter->notices[0].title, QStringLiteral("提示"));
        QCOMPARE(sigmaBox(), QStringLiteral("0"));

        add(QStringLiteral("25"));
        click(IDC_CALC);
        QCOMPARE(m_prompter->notices.size(), 1);
        // 1..25: variance n(n + 1) / 12 = 54.1667, σ = 7.3598.
        QCOMPARE(sigmaBox(), QStringLiteral("7.36"));
        QCOMPARE(countBox(), QStringLiteral("25"));
    }

    void equal_results_give_zero()
    {
        // 33.3 is no float; its square is no double either.
        for (int i = 0; i < 25; ++i)
            add(QStringLiteral("33.3"));
        add(QStringLiteral("7")); // lift σ first, so 0 is the computed one
        click(IDC_CALC);
        QCOMPARE_NE(sigmaBox(), QStringLiteral("0"));
        selectRow(25);
        click(IDC_DELETE);
        click(IDC_CALC);
        QCOMPARE(sigmaBox(), QStringLiteral("0"));
        QVERIFY(m_prompter->notices.isEmpty());
    }

    void adding_then_deleting_a_row_restores_the_state_exactly()
    {
        addAll({ "31.7", "28.9", "0.013", "44.21", "499.99", "37.5", "36.2", "29.05", "41.3",
            "33.33", "38.8", "35.1", "40.4", "27.6", "39.9", "34.4", "32.1", "36.6", "37.7", "30.3",
            "42.2", "35.5", "33.9", "38.1", "34.7" });
        click(IDC_CALC);
        const std::vector<double> before = m_dlg->strengths();
        const QStringList rowsBefore = rows();
        const double sigmaBefore = m_dlg->m_dSigma;
        const QString shown = sigmaBox();

        for (const char* value : { "123.456789", "0.01", "499.999" }) {
            add(QString::fromUtf8(value));
            selectRow(25);
            click(IDC_DELETE);
            QCOMPARE(countBox(), QStringLiteral("25"));
            QCOMPARE(rows(), rowsBefore);
            QVERIFY(m_dlg->strengths() == before);
            QCOMPARE(sigmaBox(), shown);
            click(IDC_CALC);
            QVERIFY(SameBits(m_dlg->m_dSigma, sigmaBefore));
        }

        // A row in the middle takes its own value with it.
        selectRow(4);
        click(IDC_DELETE);
        std::vector<double> rest = before;
        rest.erase(rest.begin() + 4);
        QVERIFY(m_dlg->strengths() == rest);
        QCOMPARE(rows().size(), 24);
        QCOMPARE(rows()[4], rowsBefore[5]);
        QVERIFY(m_prompter->notices.isEmpty());
    }

    void adding_or_deleting_after_a_compute_leaves_sigma_as_shown()
    {
        addAll(counting(25));
        click(IDC_CALC);
        QCOMPARE(sigmaBox(), QStringLiteral("7.36"));

        add(QStringLiteral("100"));
        QCOMPARE(countBox(), QStringLiteral("26"));
        QCOMPARE(sigmaBox(), QStringLiteral("7.36"));
        selectRow(0);
        click(IDC_DELETE);
        selectRow(0);
        click(IDC_DELETE);
        QCOMPARE(countBox(), QStringLiteral("24"));
        QCOMPARE(sigmaBox(), QStringLiteral("7.36"));

        // Below 25 the compute refuses and σ stays; the next one shows the new list's.
        click(IDC_CALC);
        QCOMPARE(m_prompter->texts(), QStringList { kTooFew });
        QCOMPARE(sigmaBox(), QStringLiteral("7.36"));
        add(QStringLiteral("3"));
        click(IDC_CALC);
        QCOMPARE_NE(sigmaBox(), QStringLiteral("7.36"));
    }

    void delete_shows_the_members_without_reading_the_boxes()
    {
        addAll({ "20", "30" });
        QTest::keyClicks(input(), QStringLiteral("77")); // typed, never added
        click(IDC_DELETE); // no row selected: nothing goes
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(input()->text(), QStringLiteral("0"));
        QCOMPARE(countBox(), QStringLiteral("2"));

        selectRow(0);
        click(IDC_DELETE);
        QCOMPARE(rows(), QStringList { "30.00" });
        QCOMPARE(countBox(), QStringLiteral("1"));
        // The deleted row leaves nothing selected for a second press.
        click(IDC_DELETE);
        QCOMPARE(rows(), QStringList { "30.00" });
    }

    void the_focus_is_back_in_the_cleared_input_box_after_each_add()
    {
        for (const char* value : { "12", "13.5" }) {
            add(QString::fromUtf8(value));
            QCOMPARE(QApplication::focusWidget(), input());
            QCOMPARE(input()->text(), QStringLiteral("0"));
            // The next value typed replaces the 0.
            QCOMPARE(input()->selectedText(), QStringLiteral("0"));
        }
        QCOMPARE(rows(), (QStringList { "12.00", "13.50" }));
    }

    void value_enter_enter_adds_it()
    {
        // The main Enter, then the keypad's, which carries the keypad modifier.
        const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> enters
            = { { Qt::Key_Return, Qt::NoModifier }, { Qt::Key_Enter, Qt::KeypadModifier } };
        const char* const values[] = { "35", "4.5" };
        for (int i = 0; i < 2; ++i) {
            const auto [key, modifiers] = enters[i];
            QCOMPARE(QApplication::focusWidget(), input());
            QTest::keyClicks(input(), QString::fromUtf8(values[i]));
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            QCOMPARE(QApplication::focusWidget(), m_dlg->button(IDC_ADD));
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        }
        QCOMPARE(rows(), (QStringList { "35.00", " 4.50" }));
        QVERIFY(m_prompter->notices.isEmpty());
    }

    void enter_presses_the_four_buttons_and_moves_on_elsewhere()
    {
        addAll({ "20", "30" });
        selectRow(1);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), m_dlg->button(IDC_RESTORE_DEFAULTS));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // the last tab stop
        QCOMPARE(QApplication::focusWidget(), input());
        QCOMPARE(rows().size(), 2); // moved on, not pressed

        m_dlg->button(IDC_DELETE)->setFocus();
        QTest::keyClick(m_dlg->button(IDC_DELETE), Qt::Key_Return);
        QCOMPARE(rows(), QStringList { "20.00" });

        m_dlg->button(IDC_CALC)->setFocus();
        QTest::keyClick(m_dlg->button(IDC_CALC), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(m_prompter->texts(), QStringList { kTooFew });
        QVERIFY(m_dlg->isVisible());

        m_dlg->button(IDCANCEL)->setFocus();
        QTest::keyClick(m_dlg->button(IDCANCEL), Qt::Key_Return);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), int(QDialog::Rejected));
    }

    void the_command_opens_it_and_keeps_the_report()
    {
        CQoruView view;
        view.setPlainText(QStringLiteral("计算书"));
        view.show();
        QSignalSpy edits(&view, &CQoruView::textEdited);
        QString caption;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, this, [&] {
            auto* dlg = qobject_cast<CStdDevDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            caption = dlg->windowTitle();
            parent = dlg->parentWidget();
            for (const QString& value : counting(25)) {
                dlg->m_editStrength->setText(value);
                dlg->button(IDC_ADD)->click();
            }
            dlg->button(IDC_CALC)->click();
            dlg->button(IDCANCEL)->click();
        });
        CCalculators calculators(&view);
        connect(&calculators, &CCalculators::reportReady, &view, &CQoruView::appendReport);
        calculators.OnCalcStdDev();
        QCOMPARE(caption, QStringLiteral("计算混凝土强度标准差"));
        QCOMPARE(parent, &view);
        QCOMPARE(view.toPlainText(), QStringLiteral("计算书"));
        QCOMPARE(edits.count(), 0);
        QVERIFY(m_prompter->notices.isEmpty());
    }
};

QORU_GUI_TEST_MAIN(StdDevDlgTest)
#include "stddevdlg_test.moc"
