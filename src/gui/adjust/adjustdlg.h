#pragma once

#include "adjust/adjustcalc.h"
#include "common/formdialog.h"

class CQoruView;

// Trial batch, density correction and site mix (template 160). It opens with
// a design (or empty masses), every box editable; each Calculate that gets
// past the checks fills the result table and appends its report to the view.
class CAdjustDlg : public CFormDialog
{
    Q_OBJECT

public:
    CAdjustDlg(QWidget* pParent, CQoruView* pView, const AdjustInputs& design = AdjustInputs {});

public Q_SLOTS:
    void OnCalculate();

private:
    void OnInitDialog(const AdjustInputs& design);
    QLineEdit* box(AdjustBox b) const;
    AdjustInputs inputs() const;
    void showResults(const AdjustResults& r);

    CQoruView* m_pView;
    std::string m_strPowder1Name;
    std::string m_strPowder2Name;
};
