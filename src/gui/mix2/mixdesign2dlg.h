#pragma once

#include "common/formdialog.h"
#include "mix2/mix2calc.h"
#include "mix2/mix2lists.h"
#include "mix2/mix2members.h"

#include <QString>

class CQoruView;
class QComboBox;

// The method-2 form (template 135): the strength grade is designed first,
// the self-compacting performance checked afterwards. It moves its members
// to and from the boxes, runs the core on Calculate and appends the report
// to the view it was opened from.
class CMixDesign2Dlg : public CFormDialog
{
    Q_OBJECT

public:
    explicit CMixDesign2Dlg(CQoruView* pParent);

    // The members as the core knows them, and back.
    Mix2Members members() const;
    void setMembers(const Mix2Members& m);
    Mix2Selections selections() const;

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
    void DoDataExchange();
    void applyControlChange(const Mix2ControlChange& change);
    void nameResultBoxes();
    void fillList(QComboBox* list);

    QString m_strPowder1Name;
    QString m_strPowder2Name;
    QString m_strSfGrade;
    double m_dStrength = 0; // fcu,k, MPa
    double m_dCementGrade = 0; // fce,g, MPa
    QString m_strStrengthGrade;
    QString m_strAggregateKind;
    QString m_strSlumpFlow;
    QString m_strVFunnelTime;
    double m_dAlphaA = 0;
    double m_dAlphaB = 0;
    Mix2Work m_work; // the working values of the last press
    int m_nPowder1Class = 0; // 0 none, 1 active, 2 inert
    int m_nPowder2Class = 0;

    QComboBox* m_cbPowder2Kind = nullptr;
    QComboBox* m_cbPowder1Kind = nullptr;
    QComboBox* m_cbAggregateKind = nullptr;
    QComboBox* m_cbSfGrade = nullptr;
    QComboBox* m_cbStrengthGrade = nullptr;
    QComboBox* m_cbCementGrade = nullptr;

    double m_dCoarseVolume = 0; // m3
    double m_dCementSurplus = 0;
    double m_dStdDev = 0; // MPa
    double m_dPowder1Replace = 0; // %
    double m_dPowder2Replace = 0;
    double m_dPowder1Excess = 0;
    double m_dPowder2Excess = 0;
    double m_dSandDensity = 0; // g/cm3
    double m_dCoarseDensity = 0;
    double m_dAirContent = 0; // %
    double m_dPowder1Density = 0;
    double m_dPowder2Density = 0;
    double m_dWater = 0; // kg
    double m_dVolPowder1 = 0; // L
    double m_dVolPowder2 = 0;
    double m_dVolSand = 0;
    double m_dVolCement = 0;
    double m_dVolCoarse = 0;
    double m_dVolWater = 0;
    double m_dMassPowder1 = 0; // kg
    double m_dMassPowder2 = 0;
    double m_dMassSand = 0;
    double m_dMassCement = 0;
    double m_dMassCoarse = 0;
    double m_dMassWater = 0;
    double m_dCementDensity = 0;
    double m_dPowder1InertVol = 0; // L
    double m_dPowder2InertVol = 0;

    CQoruView* m_pView;

    struct BoxMember
    {
        int id;
        double CMixDesign2Dlg::*member;
    };
    static const BoxMember kBoxMembers[28];
    double* boxMember(int id);
    const double* boxMember(int id) const;
};
