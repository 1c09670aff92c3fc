#pragma once

#include "adjust/adjustcalc.h"
#include "common/calcform.h"
#include "ordinary/ordinarycalc.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The ordinary-concrete mix design form (dialog 170). The number boxes go to
// the core as typed, which reads them exactly; a stop puts the focus on the
// box it concerns. A completed calculation fills the result boxes, hands its
// report on and offers its mix to the trial-batch form; the form stays open
// for further calculations until Return, Esc or the close box.
class COrdinaryDlg : public CCalcFormOf<OrdinaryInputs>
{
    Q_OBJECT

public:
    explicit COrdinaryDlg(QWidget* pParent);

    OrdinaryInputs inputs() const override;
    void load(const OrdinaryInputs& in) override;

Q_SIGNALS:
    // The design of a completed calculation, which the trial-batch form takes.
    void designed(const AdjustInputs& design);
    // 调整: the trial-batch form for the last design, over this form.
    void adjustRequested(const AdjustInputs& design);

public Q_SLOTS:
    void OnCalculate();

private Q_SLOTS:
    void OnSelendokAggregate();
    void OnAdjust();
    // Enables the boxes the current choices read and disables the others.
    void UpdateReach();

private:
    void OnInitDialog();
    // Fills the size list with the kind's sizes, keeping `size` when it has it.
    void fillSizes(int size);
    void focusOn(OrdinaryBox box);
    void showResults(const OrdinaryResults& r);

    QComboBox* m_cbGrade;
    QComboBox* m_cbStructure;
    QComboBox* m_cbExposure;
    QComboBox* m_cbImpermeability;
    QComboBox* m_cbFrost;
    QComboBox* m_cbWorkability;
    QComboBox* m_cbCementType;
    QComboBox* m_cbCementGrade;
    QComboBox* m_cbAggregate;
    QComboBox* m_cbMaxSize;
    QComboBox* m_cbMethod;
    QCheckBox* m_checkAir;
    QCheckBox* m_checkPumped;
    QCheckBox* m_checkMassive;

    std::optional<AdjustInputs> m_design; // of the last calculation
};
