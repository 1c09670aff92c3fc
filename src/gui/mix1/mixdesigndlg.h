#pragma once

#include "common/formdialog.h"

#include <QString>

class CQoruView;
class QCheckBox;
struct Mix1Inputs;

// The method-1 mix design form (dialog 130). It keeps the view it was opened
// from, so that every completed calculation can append its report there;
// the form stays open for further calculations until Return, Esc or the
// close box.
class CMixDesignDlg : public CFormDialog
{
    Q_OBJECT

public:
    explicit CMixDesignDlg(CQoruView* pView);

private Q_SLOTS:
    void OnSelendokSfGrade();
    void OnSelendokStrengthGrade();
    void OnSelendokCementGrade();
    void OnCustomRatio();
    void OnCalculate();
    void OnAdjust();

private:
    void OnInitDialog();
    // The values as the core takes them, and back.
    Mix1Inputs inputs() const;
    void take(const Mix1Inputs& in);

    CQoruView* m_pView;

    QString m_strPerformance; // "SF2"
    QString m_strStrength; // "C60"
    QString m_strSlumpFlow; // mm, "660～755"

    QComboBox* m_cbCement; // 1011
    QComboBox* m_cbStrength; // 1010
    QComboBox* m_cbPerformance; // 1000
    QCheckBox* m_checkCustom; // 1046

    double m_dFcuK = 0; // MPa, from list 1010
    double m_dFceG = 0; // MPa, from list 1011

    // Number boxes.
    double m_dSigma = 0; // MPa, 1017
    double m_dRhoC = 0; // kg/m3, 1001
    double m_dWb = 0; // 1028
    double m_dVg = 0; // m3, 1021
    double m_dPhiS = 0; // 1033
    double m_dBeta1 = 0; // 1008
    double m_dBeta2 = 0; // 1097
    double m_dVa = 0; // L, 1099
    double m_dRhoG = 0; // kg/m3, 1012
    double m_dRhoS = 0; // kg/m3, 1009
    double m_dRhoF = 0; // kg/m3, 1018
    double m_dRhoK = 0; // kg/m3, 1015
    double m_dAlpha = 0; // %, 1098

    // Result boxes: litres and kilograms per cubic metre.
    double m_dVolCement = 0, m_dVolFlyAsh = 0, m_dVolSlag = 0;
    double m_dVolSand = 0, m_dVolCoarse = 0, m_dVolWater = 0;
    double m_dMassCement = 0, m_dMassFlyAsh = 0, m_dMassSlag = 0, m_dMassSand = 0;
    double m_dMassCoarse = 0, m_dMassWater = 0, m_dMassAdmixture = 0;

    // Working values of the last calculation, shown only in its report.
    double m_dVm = 0, m_dVp = 0, m_dRhoB = 0, m_dFcu0 = 0, m_dMb = 0;
};
