#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>

class DesignLedger;
class QCheckBox;
class QTableWidget;

// Two ledger entries of one kind side by side: the entry's own fields, its
// inputs and its results, a row each with the left and the right value, the
// rows that differ tinted and bold. Entries of different kinds, or one that
// cannot be read, give no rows and `refusal()` says why.
class CEntryCompareDlg : public QDialog
{
    Q_OBJECT

public:
    CEntryCompareDlg(
        DesignLedger& ledger, std::int64_t left, std::int64_t right, QWidget* parent = nullptr);

    QString refusal() const { return m_refusal; }
    QTableWidget* table() const { return m_pTable; }
    QCheckBox* onlyDifferences() const { return m_pOnlyDiff; }
    // The value rows whose values differ, by their first column.
    QStringList differingRows() const;

    // Shows the comparison, or the refusal as a notice.
    static void Show(DesignLedger& ledger, std::int64_t left, std::int64_t right, QWidget* parent);

private:
    void addSection(const QString& title);
    void addRow(const QString& name, const QString& left, const QString& right);
    void showOnlyDifferences(bool only);

    QTableWidget* m_pTable = nullptr;
    QCheckBox* m_pOnlyDiff = nullptr;
    QString m_refusal;
};
