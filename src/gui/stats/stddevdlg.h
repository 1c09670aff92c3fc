#pragma once

#include "common/calcform.h"
#include "stats/stddev.h"

#include <vector>

class QLineEdit;
class QTableWidget;

// The strength standard deviation calculator (template 150). Specimen
// strengths are added to a list one at a time; σ comes from the values now
// in the list. Each row keeps the value it was added with, so deleting a row
// takes out exactly that value. Writes nothing into the report.
class CStdDevDlg : public CCalcFormOf<StdDevInputs>
{
    Q_OBJECT

public:
    explicit CStdDevDlg(QWidget* pParent);

    // The strengths of the rows, top to bottom (MPa, floats widened).
    std::vector<double> strengths() const;

    StdDevInputs inputs() const override { return { strengths() }; }
    // The rows of the strengths, each as Add takes it into single precision.
    void load(const StdDevInputs& in) override;

public Q_SLOTS:
    void OnAdd();
    void OnDelete();
    void OnCompute();

public:
    // Dialog data. There are no running sums beside the list: a sum that had
    // a value added and taken out again is not always the sum it was.
    QLineEdit* m_editStrength = nullptr; // 1065
    QTableWidget* m_listStrength = nullptr; // 1061, the only store of the entries
    float m_fStrength = 0; // MPa, box 1065
    double m_dSigma = 0; // MPa, box 1063
    int m_nCount = 0; // rows, box 1072

private:
    void OnInitDialog();
    void addRow(float value);
};
