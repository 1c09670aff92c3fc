#pragma once

#include "adjust/adjustcalc.h"
#include "common/calcform.h"
#include "mix1/mix1calc.h"

#include <optional>

class QCheckBox;
class QComboBox;

// The method-1 mix design form (dialog 130). Every completed calculation
// hands its report on and offers its design to the trial-batch form; the
// form stays open for further calculations until Return, Esc or the close
// box.
class CMixDesignDlg : public CCalcFormOf<Mix1Inputs>
{
    Q_OBJECT

public:
    explicit CMixDesignDlg(QWidget* pParent);

    Mix1Inputs inputs() const override;
    void load(const Mix1Inputs& in) override;

Q_SIGNALS:
    // The design of a completed calculation, which the trial-batch form takes.
    void designed(const AdjustInputs& design);
    // 调整: the trial-batch form for the last design, over this form.
    void adjustRequested(const AdjustInputs& design);

private Q_SLOTS:
    void OnSelendokSfGrade();
    void OnSelendokStrengthGrade();
    void OnSelendokCementGrade();
    void OnCustomRatio();
    void OnCalculate();
    void OnAdjust();

private:
    void OnInitDialog();

    QComboBox* m_cbCement; // 1011
    QComboBox* m_cbStrength; // 1010
    QComboBox* m_cbPerformance; // 1000
    QCheckBox* m_checkCustom; // 1046

    // The values the boxes show and the list handlers hold; the selections
    // and the tick box belong to their widgets.
    Mix1Inputs m_in;
    Mix1Results m_results; // the result boxes
    std::optional<AdjustInputs> m_design; // of the last calculation
};
