#pragma once

#include "adjust/adjustcalc.h"
#include "common/calcform.h"
#include "mix2/mix2calc.h"
#include "mix2/mix2members.h"

#include <optional>

class QComboBox;

// The method-2 form (template 135): the strength grade is designed first,
// the self-compacting performance checked afterwards. Its boxes show the
// members the core takes and returns; Calculate runs the core and hands the
// report on, and a design that passes is offered to the trial-batch form.
class CMixDesign2Dlg : public CCalcFormOf<Mix2Inputs>
{
    Q_OBJECT

public:
    explicit CMixDesign2Dlg(QWidget* pParent);

    Mix2Inputs inputs() const override;
    void load(const Mix2Inputs& in) override;

    const Mix2Members& members() const { return m_members; }
    Mix2Selections selections() const;

Q_SIGNALS:
    // The design of a calculation that passed the check.
    void designed(const AdjustInputs& design);
    // 调整: the trial-batch form for the last design, over this form.
    void adjustRequested(const AdjustInputs& design);

public Q_SLOTS:
    void OnSelendokSfGrade();
    void OnSelendokStrengthGrade();
    void OnSelendokCementGrade();
    void OnSelendokAggregateKind();
    void OnSelendokPowder1Kind();
    void OnSelendokPowder2Kind();
    void OnCalc();
    void OnAdjust();

private:
    void OnInitDialog();
    void OnSelendokPowderKind(int powder, QComboBox* list);
    // What a powder's class (0 none, 1 active, 2 inert) offers in the form.
    void showPowderClass(int powder, int powderClass);
    void showPowderName(int powder);
    void nameResultBoxes();

    QComboBox* m_cbPowder2Kind = nullptr;
    QComboBox* m_cbPowder1Kind = nullptr;
    QComboBox* m_cbAggregateKind = nullptr;
    QComboBox* m_cbSfGrade = nullptr;
    QComboBox* m_cbStrengthGrade = nullptr;
    QComboBox* m_cbCementGrade = nullptr;

    // The texts and values the list handlers hold, the powder classes and
    // the 28 box values, each box bound to its own.
    Mix2Members m_members;
    Mix2Work m_work; // the working values of the last press
    std::optional<AdjustInputs> m_design; // of the last calculation that passed
};
