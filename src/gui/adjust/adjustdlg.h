#pragma once

#include "adjust/adjustcalc.h"
#include "common/calcform.h"

// Trial batch, density correction and site mix (template 160). It opens with
// a design (or empty masses), every box editable; each Calculate that gets
// past the checks fills the result table and hands its report on.
class CAdjustDlg : public CCalcFormOf<AdjustInputs>
{
    Q_OBJECT

public:
    explicit CAdjustDlg(QWidget* pParent, const AdjustInputs& design = AdjustInputs {});

    AdjustInputs inputs() const override;
    // The design's masses and powder names and the other boxes as given.
    void load(const AdjustInputs& in) override;

public Q_SLOTS:
    void OnCalculate();

private:
    void OnInitDialog(const AdjustInputs& design);
    QLineEdit* box(AdjustBox b) const;
    void showResults(const AdjustResults& r);
    // Results belong to the inputs they were computed from: any edit or a
    // press that stops takes them away.
    void clearResults();

    bool m_bShowingResults = false; // the inputs are being written back, not edited

    std::string m_strPowder1Name;
    std::string m_strPowder2Name;
};
