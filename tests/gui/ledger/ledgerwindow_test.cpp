// The 配合比台账 window on a real store: finding entries, editing them in
// place, their states and revisions, the 回收站, and reopening an entry in
// its form.
#include "adjust/dialog160.h"
#include "adjust/adjustdlg.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "guitestmain.h"
#include "ledger/ledgermodel.h"
#include "ledger/ledgerwindow.h"
#include "mix1/dialog130.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mix2lists.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/dialog170.h"
#include "ordinary/ordinarydlg.h"
#include "ordinaryworked.h"
#include "records/inputsjson.h"
#include "records/recordstore.h"
#include "res/commandids.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testapp.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

class LedgerWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;

    DesignLedger ledger() { return DesignLedger(m_app->records()); }

    CLedgerWindow* openWindow()
    {
        m_app->OnToolsLedger();
        return m_app->ledgerWindow();
    }

    std::int64_t record(const std::string& kind, const std::string& time,
        const std::string& project, const std::string& number = {})
    {
        NewEntry e;
        e.kind = kind;
        e.time = time;
        e.operatorName = "张三";
        e.inputsJson = "{}";
        e.grade = "C30";
        e.report = "\r\n计算书";
        e.project = project;
        e.number = number;
        auto row = ledger().recordEntry(e);
        return row ? row->id : 0;
    }

    static QStringList numbers(CLedgerWindow* w)
    {
        QStringList list;
        for (int r = 0; r < w->model()->rowCount(); ++r)
            list << QString::fromStdString(w->model()->entryRow(r).number);
        return list;
    }

    // The line editor of a cell, opened as F2 opens it.
    static QLineEdit* editCell(CLedgerWindow* w, int row, int column)
    {
        const QModelIndex index = w->model()->index(row, column);
        w->table()->setCurrentIndex(index);
        w->table()->edit(index);
        return w->table()->viewport()->findChild<QLineEdit*>();
    }

    void trigger(CLedgerWindow* w, int id)
    {
        QVERIFY(w->action(id)->isEnabled());
        w->action(id)->trigger();
    }

    // Does `act` on the modal form the next command opens, then closes it.
    void onModalForm(const std::function<void(CCalcForm&)>& act, bool* acted)
    {
        QTimer::singleShot(0, this, [act, acted] {
            auto* form = qobject_cast<CCalcForm*>(QApplication::activeModalWidget());
            if (!form)
                return;
            act(*form);
            *acted = true;
            form->reject();
        });
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_app->openRecords(m_dir->filePath(QStringLiteral("ledger.sqlite"))));
        m_prompter->notices.clear();
    }
    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
        m_dir.reset();
    }

    void the_filter_finds_by_text_kind_and_date_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("shown");
        const QStringList all { "X-4", "X-3", "X-2", "X-1" };
        QTest::newRow("all, newest first") << "" << "" << "" << "" << all;
        QTest::newRow("project, any case") << "harbour" << "" << "" << "" << QStringList { "X-3", "X-1" };
        QTest::newRow("number") << "x-2" << "" << "" << "" << QStringList { "X-2" };
        QTest::newRow("kind") << "" << "adjust" << "" << "" << QStringList { "X-4", "X-2" };
        QTest::newRow("from, inclusive") << "" << "" << "2026-03-02" << "" << QStringList { "X-4", "X-3" };
        QTest::newRow("to, inclusive") << "" << "" << "" << "2026-03-01" << QStringList { "X-2", "X-1" };
        QTest::newRow("all three") << "港" << "mix1" << "2026-03-01" << "2026-03-31" << QStringList { "X-3" };
        QTest::newRow("nothing") << "no such" << "" << "" << "" << QStringList {};
    }
    void the_filter_finds_by_text_kind_and_date()
    {
        QFETCH(QString, text);
        QFETCH(QString, kind);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, shown);
        record("mix1", "2026-02-28 09:00:00", "Harbour 港区", "X-1");
        record("adjust", "2026-03-01 23:59:59", "北站", "X-2");
        record("mix1", "2026-03-02 00:00:00", "HARBOUR 港区", "X-3");
        record("adjust", "2026-04-01 08:00:00", "北站", "X-4");
        CLedgerWindow* w = openWindow();
        w->kindBox()->setCurrentIndex(w->kindBox()->findData(kind));
        w->fromCheck()->setChecked(!from.isEmpty());
        if (!from.isEmpty())
            w->fromDate()->setDate(QDate::fromString(from, Qt::ISODate));
        w->toCheck()->setChecked(!to.isEmpty());
        if (!to.isEmpty())
            w->toDate()->setDate(QDate::fromString(to, Qt::ISODate));
        for (const QChar c : text) // as typed, a character at a time
            w->filterEdit()->insert(QString(c));
        QCOMPARE(numbers(w), shown);
    }

    void an_edit_in_place_is_audited_and_a_refused_one_keeps_its_text()
    {
        record("mix1", "2026-03-01 10:00:00", "北站", "PB-A");
        const std::int64_t id = record("mix1", "2026-03-02 10:00:00", "北站", "PB-B");
        CLedgerWindow* w = openWindow();
        QCOMPARE(numbers(w), (QStringList { "PB-B", "PB-A" }));

        QLineEdit* editor = editCell(w, 0, CLedgerModel::ColProject);
        QVERIFY(editor);
        editor->setText(QStringLiteral("南站"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(ledger().entry(id)->row.project, std::string("南站"));
        const auto trail = *ledger().auditTrail(id);
        QCOMPARE(trail.back().action, std::string("修改"));
        QCOMPARE(trail.back().oldValue, std::string("北站"));
        QCOMPARE(trail.back().newValue, std::string("南站"));
        QCOMPARE(w->auditTable()->rowCount(), static_cast<int>(trail.size()));

        editor = editCell(w, 0, CLedgerModel::ColNumber);
        editor->setText(QStringLiteral("PB-A")); // another entry's number
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_prompter->notices.size(), 1);
        QCOMPARE(ledger().entry(id)->row.number, std::string("PB-B"));
        QTRY_VERIFY(w->table()->viewport()->findChild<QLineEdit*>());
        QCOMPARE(w->table()->viewport()->findChild<QLineEdit*>()->text(), QStringLiteral("PB-A"));
    }

    void an_issued_entry_is_read_only_and_its_revision_is_selected_in_the_chain()
    {
        const std::int64_t id = record("mix1", "2026-03-01 10:00:00", "北站", "PB-7");
        CLedgerWindow* w = openWindow();
        QVERIFY(w->selectEntry(id));
        QVERIFY(!w->action(ID_LEDGER_REVISE)->isEnabled());
        trigger(w, ID_LEDGER_REVIEW);
        trigger(w, ID_LEDGER_ISSUE);
        QCOMPARE(ledger().entry(id)->row.state, EntryState::Issued);
        QCOMPARE(w->model()->entryRow(0).state, EntryState::Issued); // the selection kept
        for (int c : { CLedgerModel::ColNumber, CLedgerModel::ColProject, CLedgerModel::ColPart })
            QVERIFY(!(w->model()->flags(w->model()->index(0, c)) & Qt::ItemIsEditable));
        QVERIFY(w->noteEdit()->isReadOnly());
        QVERIFY(!w->action(ID_LEDGER_REVIEW)->isEnabled());
        QVERIFY(!w->model()->setData(w->model()->index(0, CLedgerModel::ColProject), "南站"));

        trigger(w, ID_LEDGER_REVISE);
        QCOMPARE(w->selectedIds().size(), std::size_t(1));
        const Entry revised = *ledger().entry(w->selectedIds().front());
        QCOMPARE(revised.row.number, std::string("PB-7-R1"));
        QCOMPARE(revised.row.state, EntryState::Draft);
        QVERIFY(!w->noteEdit()->isReadOnly());
        QCOMPARE(w->chainTable()->rowCount(), 2);
        QCOMPARE(w->chainTable()->item(0, 1)->text(), QStringLiteral("PB-7"));
        QCOMPARE(w->chainTable()->item(1, 1)->text(), QStringLiteral("PB-7-R1"));
    }

    void a_deleted_entry_goes_to_the_bin_comes_back_and_is_purged()
    {
        const std::int64_t id = record("mix2", "2026-03-01 10:00:00", "北站", "PB-9");
        CLedgerWindow* w = openWindow();
        QVERIFY(w->selectEntry(id));
        m_prompter->answers.enqueue(Prompter::Answer::No);
        trigger(w, ID_LEDGER_DELETE);
        QCOMPARE(w->model()->rowCount(), 1); // the question said no

        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        trigger(w, ID_LEDGER_DELETE);
        QCOMPARE(w->model()->rowCount(), 0);
        w->showBin(true);
        QCOMPARE(numbers(w), QStringList { "PB-9" });
        QVERIFY(w->selectEntry(id));
        trigger(w, ID_LEDGER_RESTORE);
        QCOMPARE(w->model()->rowCount(), 0);
        w->showBin(false);
        QVERIFY(w->selectEntry(id));

        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        trigger(w, ID_LEDGER_DELETE);
        w->showBin(true);
        QVERIFY(w->selectEntry(id));
        m_prompter->answers.enqueue(Prompter::Answer::Yes);
        trigger(w, ID_LEDGER_PURGE);
        QCOMPARE(w->model()->rowCount(), 0);
        QVERIFY(!ledger().entry(id));
        QCOMPARE(m_prompter->notices.size(), 4); // the four questions, no refusal
    }

    void an_entry_reopened_in_its_form_gives_its_report_byte_for_byte_data()
    {
        QTest::addColumn<int>("calc");
        QTest::addColumn<std::function<CCalcForm*(QWidget*)>>("make");

        QTest::newRow("mix1") << IDC_CALCULATE << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            auto* f = new CMixDesignDlg(p);
            Mix1Inputs in;
            in.strengthIndex = 3;
            in.vg = 0.31;
            f->load(in);
            return f;
        });
        QTest::newRow("mix2") << 1071 << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            auto* f = new CMixDesign2Dlg(p);
            Mix2Inputs in;
            in.lists.powder1Kind = 6;
            ApplyPowderKind(in.members, 1, 6);
            in.members.powder1InertVol = 40;
            in.members.water = 175.5;
            f->load(in);
            return f;
        });
        QTest::newRow("ordinary") << IDC_ORD_CALCULATE << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            auto* f = new COrdinaryDlg(p);
            f->load(OrdinaryWorkedExample());
            return f;
        });
        QTest::newRow("stddev") << IDC_CALC << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            auto* f = new CStdDevDlg(p);
            StdDevInputs in;
            for (int i = 0; i < 25; ++i)
                in.strengths.push_back(30.25 + i % 7);
            f->load(in);
            return f;
        });
        QTest::newRow("evaluate") << IDC_EVAL_CALC << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            auto* f = new CEvaluateDlg(p);
            EvaluationInputs in;
            in.gradeText = "C20";
            in.fcuK = 200;
            in.sizeNotice = false;
            for (std::int64_t v : { 235, 206, 254, 265, 238, 253, 245, 271, 232, 223 })
                in.groups.push_back({ { v } });
            f->load(in);
            return f;
        });
        QTest::newRow("adjust") << IDC_ADJ_CALCULATE << std::function<CCalcForm*(QWidget*)>([](QWidget* p) {
            AdjustInputs in;
            in.masses = { "285", "50", "0", "712.5", "1453.5", "165.3", "3.2" };
            in.measuredDensity = "2410";
            in.sandMoisture = "2.5";
            auto* f = new CAdjustDlg(p);
            f->load(in);
            return f;
        });
    }
    void an_entry_reopened_in_its_form_gives_its_report_byte_for_byte()
    {
        QFETCH(int, calc);
        QFETCH(std::function<CCalcForm*(QWidget*)>, make);
        std::unique_ptr<CCalcForm> form(make(m_app->view()));
        m_app->calculators()->attach(form.get());
        form->setModal(false);
        form->show();
        form->button(calc)->click();
        form->reject();
        auto ids = *ledger().entryIds({});
        QVERIFY2(ids.size() == 1, qPrintable(m_prompter->texts().join(QLatin1Char('|'))));
        const Entry first = *ledger().entry(ids.front());
        QCOMPARE(first.report.empty(), QByteArray(QTest::currentDataTag()) == "stddev"); // σ is shown only

        CLedgerWindow* w = openWindow();
        QVERIFY(w->selectEntry(first.row.id));
        bool pressed = false;
        onModalForm([calc](CCalcForm& f) { f.button(calc)->click(); }, &pressed);
        trigger(w, ID_LEDGER_OPEN);
        QVERIFY(pressed);
        ids = *ledger().entryIds({});
        QCOMPARE(ids.size(), std::size_t(2));
        const Entry again = *ledger().entry(ids.front());
        QCOMPARE(again.row.kind, first.row.kind);
        QCOMPARE(again.inputsJson, first.inputsJson);
        QCOMPARE(again.report, first.report);
        QCOMPARE(w->model()->rowCount(), 2); // the window followed the record
    }

    void a_trial_batch_started_from_a_design_is_recorded_as_its_child()
    {
        CMixDesignDlg form(m_app->view());
        m_app->calculators()->attach(&form);
        form.setModal(false);
        form.show();
        form.button(IDC_CALCULATE)->click();
        form.reject();
        const std::int64_t design = ledger().entryIds({})->front();

        CLedgerWindow* w = openWindow();
        QVERIFY(w->selectEntry(design));
        bool pressed = false;
        onModalForm([](CCalcForm& f) {
            f.button(IDC_ADJ_CALCULATE)->click();
            f.button(IDC_ADJ_CALCULATE)->click();
        }, &pressed);
        trigger(w, ID_LEDGER_TRIAL);
        QVERIFY(pressed);
        const auto children = *ledger().children(design);
        QCOMPARE(children.size(), std::size_t(2)); // every press of that form
        QCOMPARE(children.front().kind, std::string("adjust"));

        // Closed without a press, the form leaves no parent for the next record.
        bool opened = false;
        onModalForm([](CCalcForm&) {}, &opened);
        trigger(w, ID_LEDGER_TRIAL);
        QVERIFY(opened);
        CAdjustDlg plain(m_app->view());
        m_app->calculators()->attach(&plain);
        plain.load(*fromJson<AdjustInputs>(ledger().entry(children.front().id)->inputsJson));
        plain.setModal(false);
        plain.show();
        plain.button(IDC_ADJ_CALCULATE)->click();
        plain.reject();
        QCOMPARE(ledger().children(design)->size(), std::size_t(2));
        QVERIFY(!ledger().entry(ledger().entryIds({})->front())->parentId);
    }

    void an_appended_report_goes_to_the_document_and_not_into_the_next_record()
    {
        CMixDesignDlg form(m_app->view());
        m_app->calculators()->attach(&form);
        form.setModal(false);
        form.show();
        form.button(IDC_CALCULATE)->click();
        form.reject();
        const Entry design = *ledger().entry(ledger().entryIds({})->front());
        m_app->view()->clear();
        CLedgerWindow* w = openWindow();
        QVERIFY(w->selectEntry(design.row.id));
        trigger(w, ID_LEDGER_APPEND);
        QCOMPARE(m_app->view()->toPlainText(),
            QString::fromStdString(design.report).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        CStdDevDlg stddev(m_app->view()); // hands on no report of its own
        m_app->calculators()->attach(&stddev);
        StdDevInputs in;
        for (int i = 0; i < 25; ++i)
            in.strengths.push_back(30.25 + i % 7);
        stddev.load(in);
        stddev.setModal(false);
        stddev.show();
        stddev.button(IDC_CALC)->click();
        stddev.reject();
        const Entry pressed = *ledger().entry(ledger().entryIds({})->front());
        QCOMPARE(pressed.row.kind, std::string("stddev"));
        QVERIFY(pressed.report.empty());
    }

    void a_second_press_raises_the_open_window_and_roles_hide_what_they_may_not_do()
    {
        CLedgerWindow* w = openWindow();
        QCOMPARE(openWindow(), w);
        w->setRole(UserRole::Tester);
        QVERIFY(!w->action(ID_LEDGER_REVIEW)->isVisible());
        QVERIFY(!w->action(ID_LEDGER_PURGE)->isVisible());
        QVERIFY(w->action(ID_LEDGER_DELETE)->isVisible());
        w->setRole(UserRole::None);
        QVERIFY(!w->action(ID_LEDGER_DELETE)->isVisible());
        record("mix1", "2026-03-01 10:00:00", "北站", "PB-1");
        w->refresh();
        QVERIFY(!(w->model()->flags(w->model()->index(0, 0)) & Qt::ItemIsEditable));
        w->setRole(UserRole::Admin);
        QVERIFY(w->action(ID_LEDGER_PURGE)->isVisible());
        QVERIFY(w->model()->flags(w->model()->index(0, 0)) & Qt::ItemIsEditable);
    }
};

QORU_GUI_TEST_MAIN(LedgerWindowTest)
#include "ledgerwindow_test.moc"
