// The evaluation form driven through its widgets: typing and pasting
// groups, deleting them, the lists' effects and 评定 with its report.
#include "common/reportnum.h"
#include "guitestmain.h"
#include "stats/dialog155.h"
#include "stats/evaluatechart.h"
#include "stats/evaluatedlg.h"
#include "stats/evaluation.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QValueAxis>

#include <memory>

class EvaluateDlgTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruView> m_view;
    std::unique_ptr<CEvaluateDlg> m_dlg;

    QLineEdit* input() const { return m_dlg->edit(IDC_EVAL_INPUT); }
    QTableWidget* list() const
    {
        return qobject_cast<QTableWidget*>(m_dlg->control(IDC_EVAL_LIST));
    }
    QString box(int id) const { return m_dlg->edit(id)->text(); }
    QString cell(int row, int column) const { return list()->item(row, column)->text(); }
    void pasteWithKeys(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        input()->setFocus();
        QTest::keyClick(input(), Qt::Key_V, Qt::ControlModifier);
    }
    void choose(int id, int index)
    {
        QComboBox* list = m_dlg->dropList(id);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

private Q_SLOTS:
    void init()
    {
        m_prompter = std::make_unique<TestPrompter>();
        m_view = std::make_unique<CQoruView>();
        m_view->show();
        m_dlg = std::make_unique<CEvaluateDlg>(m_view.get());
        connect(m_dlg.get(), &CCalcForm::reportReady, m_view.get(), &CQoruView::appendReport);
        m_dlg->setModal(false); // a shown modal window would trip the watchdog
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    }

    void cleanup()
    {
        m_dlg.reset();
        m_view.reset();
        m_prompter.reset();
    }

    void typed_and_pasted_groups_are_listed_and_a_bad_block_adds_nothing()
    {
        QCOMPARE(QApplication::focusWidget(), input());
        QTest::keyClicks(input(), QStringLiteral("33.3 38.4 33.0"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), m_dlg->button(IDC_EVAL_ADD));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(list()->rowCount(), 1);
        QCOMPARE(cell(0, 2), QStringLiteral("33.3")); // the middle value: 5.1 > 4.995
        QCOMPARE(QApplication::focusWidget(), input());
        QVERIFY(input()->text().isEmpty());

        // Cells copied from a spreadsheet: tabs, CR LF, a trailing line end.
        pasteWithKeys(QStringLiteral("36.2\t38.0\t35.1\r\n30.0\t40.0\t20.0\r\n35.8\r\n"));
        QCOMPARE(list()->rowCount(), 4);
        QCOMPARE(cell(2, 0), QStringLiteral("3"));
        QCOMPARE(cell(2, 2), QStringLiteral("无效"));
        QCOMPARE(cell(3, 1), QStringLiteral("35.8（代表值）"));
        QVERIFY(m_prompter->notices.isEmpty());

        pasteWithKeys(QStringLiteral("30\n31\t32\n33\n"));
        QCOMPARE(list()->rowCount(), 4);
        QCOMPARE(m_prompter->notices.size(), 1);
        QVERIFY(m_prompter->notices[0].text.startsWith(QStringLiteral("第2行“31 32”有误")));

        // One row of cells goes into the box to be looked at first.
        pasteWithKeys(QStringLiteral("31.2\t33.0\t32.4\r\n"));
        QCOMPARE(input()->text(), QStringLiteral("31.2 33.0 32.4"));
        QCOMPARE(list()->rowCount(), 4);

        list()->selectRow(0);
        m_dlg->button(IDC_EVAL_DELETE)->click();
        QCOMPARE(list()->rowCount(), 3);
        QCOMPARE(cell(0, 0), QStringLiteral("1"));
        QCOMPARE(cell(0, 2), QStringLiteral("36.4"));
    }

    void evaluate_shows_the_results_draws_the_chart_and_appends_the_report()
    {
        const QString values
            = QStringLiteral("33.6\n38.1\n28.9\n30.6\n35.3\n36.1\n34.2\n33.3\n31.7\n29.8\n");
        QVERIFY(m_dlg->pasteBlock(values));
        m_dlg->button(IDC_EVAL_CALC)->click();
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(box(IDC_EVAL_COUNT), QStringLiteral("10"));
        QCOMPARE(box(IDC_EVAL_MEAN), QStringLiteral("33.2"));
        QCOMPARE(box(IDC_EVAL_SD), QStringLiteral("2.93"));
        QCOMPARE(box(IDC_EVAL_MIN), QStringLiteral("28.9"));
        QCOMPARE(box(IDC_EVAL_VERDICT), QStringLiteral("不合格"));
        QCOMPARE(m_dlg->chart()->pointCount(), 10);
        QVERIFY(m_dlg->chart()->showsLimit());

        // The report is the core's, appended whole, and the document is changed.
        EvaluationInputs in;
        in.groups = m_dlg->groups();
        const QString report = QString::fromStdString(Evaluate(in).report).replace("\r\n", "\n");
        QCOMPARE(m_view->toPlainText(), report);
        QVERIFY(m_view->document()->isModified());

        // A change of the groups clears what no longer holds.
        QVERIFY(m_dlg->pasteBlock(QStringLiteral("25.0")));
        QVERIFY(box(IDC_EVAL_VERDICT).isEmpty());
        QVERIFY(!m_dlg->chart()->showsLimit());
    }

    void lists_set_the_factor_and_sigma0_and_a_stop_writes_nothing()
    {
        choose(IDC_EVAL_GRADE, 11); // C60
        choose(IDC_EVAL_SIZE, 1);
        QCOMPARE(box(IDC_EVAL_FACTOR), QStringLiteral("0.95"));
        QCOMPARE(m_prompter->texts(),
            QStringList { QStringLiteral(
                "C60及以上强度等级采用非标准尺寸试件时，尺寸折算系数应由试验确定。") });

        QVERIFY(!m_dlg->edit(IDC_EVAL_SIGMA0)->isEnabled());
        choose(IDC_EVAL_METHOD, int(EvalMethod::Known));
        QVERIFY(m_dlg->edit(IDC_EVAL_SIGMA0)->isEnabled());
        m_dlg->edit(IDC_EVAL_SIGMA0)->setText(QStringLiteral("2.1"));
        QVERIFY(m_dlg->pasteBlock(QStringLiteral("70\n71\n72\n73")));
        m_dlg->button(IDC_EVAL_CALC)->click();
        QCOMPARE(m_prompter->texts().last(),
            QStringLiteral("标准差已知的统计方法，一个检验批应由连续的3组试件组成。"));
        QVERIFY(m_view->toPlainText().isEmpty());
        QVERIFY(box(IDC_EVAL_VERDICT).isEmpty());

        // The notice came once, when the size was chosen, not again with 评定.
        list()->selectRow(3);
        m_dlg->button(IDC_EVAL_DELETE)->click();
        m_dlg->button(IDC_EVAL_CALC)->click();
        QCOMPARE(m_prompter->texts().size(), 2);
        QCOMPARE(box(IDC_EVAL_VERDICT), QStringLiteral("合格"));
        QVERIFY(m_view->toPlainText().contains(QStringLiteral("取 σ0＝2.50（MPa）")));
    }

    void an_invalid_factor_shows_no_values_and_its_stop_focuses_the_box()
    {
        QVERIFY(m_dlg->pasteBlock(QStringLiteral("37.0 34.0 35.0\n30.0\n")));
        QLineEdit* factor = m_dlg->edit(IDC_EVAL_FACTOR);
        const auto header = [this] { return list()->horizontalHeaderItem(2)->text(); };
        factor->setText(QStringLiteral("0.95"));
        QCOMPARE(cell(0, 2),
            QString::fromStdString(ReportUnits(*EvaluateGroup(m_dlg->groups()[0], 95).value, 1)));
        QCOMPARE(header(), QStringLiteral("代表值"));
        for (const QString& bad : { QStringLiteral("0.4"), QString() }) {
            factor->setText(bad);
            QCOMPARE(header(), QStringLiteral("代表值（系数无效）"));
            QCOMPARE(cell(0, 2), QString());
            QCOMPARE(m_dlg->chart()->pointCount(), 0);
        }
        factor->setText(QStringLiteral("0.4"));
        m_dlg->button(IDC_EVAL_CALC)->setFocus();
        m_dlg->button(IDC_EVAL_CALC)->click();
        QCOMPARE(
            m_prompter->texts(), QStringList { QStringLiteral("尺寸折算系数应在0.5～1.5之间。") });
        QCOMPARE(QApplication::focusWidget(), factor);
        factor->setText(QStringLiteral("1.05"));
        QCOMPARE(cell(1, 2), QStringLiteral("31.5"));
        QCOMPARE(m_dlg->chart()->pointCount(), 2);
    }

    void ctrl_v_on_the_list_pastes_and_full_width_digits_are_read()
    {
        list()->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("３５．５ ３６．２ ３４．８\n３０\n"));
        QTest::keyClick(list(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(list()->rowCount(), 2);
        QCOMPARE(cell(0, 1), QStringLiteral("35.5  36.2  34.8"));
        QCOMPARE(cell(1, 2), QStringLiteral("30.0"));

        input()->setText(QStringLiteral("35,5 36,2 34,8"));
        m_dlg->button(IDC_EVAL_ADD)->click();
        QCOMPARE(list()->rowCount(), 2);
        QVERIFY(m_prompter->texts().last().contains(QStringLiteral("逗号")));
    }

    void the_value_axis_follows_the_data_and_the_legend_names_what_is_drawn()
    {
        QValueAxis* axis = m_dlg->chart()->valueAxis();
        QCOMPARE(axis->titleText(), QStringLiteral("强度（MPa）"));
        QCOMPARE(m_dlg->chart()->legendNames(), QStringList { QStringLiteral("fcu,k") });

        QVERIFY(m_dlg->pasteBlock(QStringLiteral("30\n31\n32\n480\n")));
        QCOMPARE(axis->min(), 0.0); // the outlier widens the axis, never below zero
        QVERIFY(axis->max() > 480 && axis->max() <= 600);
        QVERIFY(!m_dlg->chart()->legendNames().contains(QStringLiteral("fcu,min限值")));

        m_dlg->load(EvaluationInputs {});
        QVERIFY(m_dlg->pasteBlock(QStringLiteral("52.5\n53.1\n55.0\n")));
        QVERIFY(axis->min() > 0 && axis->min() < 30); // fcu,k 30 and the values in view
        QVERIFY(axis->max() > 55 && axis->max() <= 70);
        QVERIFY(m_dlg->chart()->legendNames().contains(QStringLiteral("强度代表值")));
    }

    // Each label ends the standard 3 dialog units before its box, in every
    // face the Song face may fall back to.
    void result_labels_keep_their_gap_in_every_fallback_face()
    {
        const QString song = QStringLiteral("宋体");
        const QStringList kept = QFont::substitutes(song);
        for (const char* face : { "Noto Sans CJK SC", "AR PL UMing CN" }) {
            QFont::removeSubstitutions(song);
            QFont::insertSubstitution(song, QString::fromUtf8(face));
            CEvaluateDlg dlg(m_view.get());
            const int gap = dlg.mapDialogRect(0, 0, 3, 0).width();
            for (QLabel* label : dlg.findChildren<QLabel*>()) {
                auto* box = qobject_cast<QLineEdit*>(label->buddy());
                if (!box || box->y() > label->y() + label->height())
                    continue;
                const int end = label->x() + label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(end + gap <= box->x(),
                    qPrintable(QStringLiteral("%1 %2: %3 + %4 > %5")
                                   .arg(QString::fromUtf8(face), label->text())
                                   .arg(end)
                                   .arg(gap)
                                   .arg(box->x())));
            }
        }
        QFont::removeSubstitutions(song);
        QFont::insertSubstitutions(song, kept);
    }
};

QORU_GUI_TEST_MAIN(EvaluateDlgTest)
#include "evaluatedlg_test.moc"
