// Two ledger entries side by side: exactly the rows that differ stand out.
#include "guitestmain.h"
#include "ledger/comparedlg.h"
#include "records/ledger.h"
#include "records/recordstore.h"
#include "testprompter.h"

#include <QCheckBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include <memory>

class CompareTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordStore m_store;

    std::int64_t record(
        const char* kind, const char* inputs, const char* figures, const char* waterBinder)
    {
        NewEntry e;
        e.kind = kind;
        e.time = "2026-05-04 09:30:00";
        e.operatorName = "张工";
        e.project = "一号楼";
        e.inputsJson = inputs;
        e.figuresJson = figures;
        e.waterBinder = waterBinder;
        e.report = "\r\n计算书";
        const Result<EntryRow> row = DesignLedger(m_store).recordEntry(e);
        return row ? row->id : 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_store.open(m_dir.filePath(QStringLiteral("records.sqlite")).toStdString()).ok());
    }

    void only_the_rows_that_differ_are_marked_and_can_be_shown_alone()
    {
        const std::int64_t left
            = record("mix1", R"({"wb": 0.37, "vg": 0.31, "strengthText": "C60"})",
                R"({"cementMass": 380.5, "lab": {"water": 170}})", "0.37");
        const std::int64_t right
            = record("mix1", R"({"wb": 0.4, "vg": 0.31, "strengthText": "C60"})",
                R"({"cementMass": 380.5, "lab": {"water": 171}})", "0.40");
        DesignLedger ledger(m_store);
        CEntryCompareDlg dlg(ledger, left, right, nullptr);
        QVERIFY(dlg.refusal().isEmpty());
        QCOMPARE(dlg.differingRows(),
            QStringList({ QStringLiteral("编号"), QStringLiteral("wb"), QStringLiteral("水胶比"),
                QStringLiteral("lab.water") }));

        QTableWidget* table = dlg.table();
        int shown = 0;
        dlg.onlyDifferences()->setChecked(true);
        for (int row = 0; row < table->rowCount(); ++row) {
            const bool differs = dlg.differingRows().contains(table->item(row, 0)->text());
            if (table->item(row, 1)) // not a heading
                QCOMPARE(table->item(row, 1)->font().bold(), differs);
            if (!table->isRowHidden(row))
                ++shown;
        }
        QCOMPARE(shown, 4 + 3); // the differing rows under their three headings
        dlg.onlyDifferences()->setChecked(false);
        for (int row = 0; row < table->rowCount(); ++row)
            QVERIFY(!table->isRowHidden(row));
    }

    void entries_of_two_kinds_are_refused_with_a_message()
    {
        const std::int64_t mix = record("mix1", "{}", "{}", "");
        const std::int64_t batch = record("adjust", "{}", "{}", "");
        TestPrompter prompter;
        DesignLedger ledger(m_store);
        CEntryCompareDlg::Show(ledger, mix, batch, nullptr);
        QCOMPARE(prompter.notices.size(), 1);
        QVERIFY(prompter.notices.front().text.contains(QStringLiteral("同一类型")));
        QCOMPARE(CEntryCompareDlg(ledger, mix, batch, nullptr).table()->rowCount(), 0);
    }
};

QORU_GUI_TEST_MAIN(CompareTest)
#include "comparedlg_test.moc"
