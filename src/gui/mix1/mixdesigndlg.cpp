#include "mix1/mixdesigndlg.h"

#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "common/prompter.h"
#include "mix1/mix1calc.h"
#include "mix1/mix1lists.h"
#include "mix1/dialog130.h"
#include "adjust/dialog160.h"
#include "view/qoruview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CMixDesignDlg::CMixDesignDlg(CQoruView* pView)
    : CFormDialog(MixDesignDialogSpec(), pView)
    , m_pView(pView)
    , m_cbCement(dropList(IDC_CEMENT_GRADE))
    , m_cbStrength(dropList(IDC_STRENGTH_GRADE))
    , m_cbPerformance(dropList(IDC_SF_GRADE))
    , m_checkCustom(qobject_cast<QCheckBox*>(control(IDC_CUSTOM_WB)))
{
    // The exchange order of the boxes.
    const struct
    {
        int id;
        double* member;
    } bindings[] = {
        { IDC_RHO_S, &m_dRhoS },
        { IDC_RHO_G, &m_dRhoG },
        { IDC_RHO_C, &m_dRhoC },
        { IDC_STD_DEV, &m_dSigma },
        { IDC_MASS_SAND, &m_dMassSand },
        { IDC_MASS_CEMENT, &m_dMassCement },
        { IDC_MASS_COARSE, &m_dMassCoarse },
        { IDC_MASS_WATER, &m_dMassWater },
        { IDC_VOL_COARSE, &m_dVolCoarse },
        { IDC_VOL_CEMENT, &m_dVolCement },
        { IDC_VOL_SAND, &m_dVolSand },
        { IDC_VOL_WATER, &m_dVolWater },
        { IDC_VG, &m_dVg },
        { IDC_BETA1, &m_dBeta1 },
        { IDC_RHO_F, &m_dRhoF },
        { IDC_BETA2, &m_dBeta2 },
        { IDC_RHO_K, &m_dRhoK },
        { IDC_WB, &m_dWb },
        { IDC_PHI_S, &m_dPhiS },
        { IDC_VOL_FLYASH, &m_dVolFlyAsh },
        { IDC_VOL_SLAG, &m_dVolSlag },
        { IDC_MASS_FLYASH, &m_dMassFlyAsh },
        { IDC_MASS_SLAG, &m_dMassSlag },
        { IDC_MASS_ADMIXTURE, &m_dMassAdmixture },
        { IDC_ALPHA, &m_dAlpha },
        { IDC_VA, &m_dVa },
    };
    for (const auto& b : bindings)
        bindDouble(b.id, b.member);
    setEnterButtons({ IDC_CALCULATE, IDCANCEL, IDC_ADJUST });

    // A result box is named by its column and its row.
    const struct
    {
        int id;
        const char* name;
    } results[] = {
        { IDC_VOL_CEMENT, "水泥 体积 L" },
        { IDC_VOL_FLYASH, "粉煤灰 体积 L" },
        { IDC_VOL_SLAG, "矿渣粉 体积 L" },
        { IDC_VOL_SAND, "细骨料 体积 L" },
        { IDC_VOL_COARSE, "粗骨料 体积 L" },
        { IDC_VOL_WATER, "水 体积 L" },
        { IDC_MASS_CEMENT, "水泥 质量kg" },
        { IDC_MASS_FLYASH, "粉煤灰 质量kg" },
        { IDC_MASS_SLAG, "矿渣粉 质量kg" },
        { IDC_MASS_SAND, "细骨料 质量kg" },
        { IDC_MASS_COARSE, "粗骨料 质量kg" },
        { IDC_MASS_WATER, "水 质量kg" },
        { IDC_MASS_ADMIXTURE, "外加剂 质量kg" },
    };
    for (const auto& r : results)
        control(r.id)->setAccessibleName(QString::fromUtf8(r.name));

    for (const PerformanceGrade& g : kPerformanceGrades)
        m_cbPerformance->addItem(QString::fromUtf8(g.item));
    for (const StrengthGrade& g : kStrengthGrades)
        m_cbStrength->addItem(QString::fromUtf8(g.item));
    for (const CementGrade& g : kCementGrades)
        m_cbCement->addItem(QString::fromUtf8(g.item));

    // Only a selection the user confirms runs a handler; activated also
    // comes for the item that was already selected.
    connect(m_cbPerformance, &QComboBox::activated, this, &CMixDesignDlg::OnSelendokSfGrade);
    connect(m_cbStrength, &QComboBox::activated, this, &CMixDesignDlg::OnSelendokStrengthGrade);
    connect(m_cbCement, &QComboBox::activated, this, &CMixDesignDlg::OnSelendokCementGrade);
    connect(m_checkCustom, &QCheckBox::clicked, this, &CMixDesignDlg::OnCustomRatio);
    connect(button(IDC_CALCULATE), &QPushButton::clicked, this, &CMixDesignDlg::OnCalculate);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(IDC_ADJUST), &QPushButton::clicked, this, &CMixDesignDlg::OnAdjust);

    OnInitDialog();
}

void CMixDesignDlg::OnInitDialog()
{
    take(Mix1Inputs {}); // the opening values
    m_checkCustom->setChecked(false);
    m_cbStrength->setCurrentIndex(kOpeningStrengthIndex);
    m_cbPerformance->setCurrentIndex(kOpeningPerformanceIndex);
    m_cbCement->setCurrentIndex(kOpeningCementIndex);
    edit(IDC_WB)->setReadOnly(true);
    centreOverOwner();
    UpdateData(false);
    button(IDC_ADJUST)->setEnabled(false); // nothing to adjust before a calculation
    m_cbPerformance->setFocus(Qt::OtherFocusReason);
}

Mix1Inputs CMixDesignDlg::inputs() const
{
    Mix1Inputs in;
    in.performanceIndex = m_cbPerformance->currentIndex();
    in.strengthIndex = m_cbStrength->currentIndex();
    in.cementIndex = m_cbCement->currentIndex();
    in.performanceText = m_strPerformance.toStdString();
    in.slumpFlowText = m_strSlumpFlow.toStdString();
    in.strengthText = m_strStrength.toStdString();
    in.fcuK = m_dFcuK;
    in.fceG = m_dFceG;
    in.customRatio = m_checkCustom->isChecked();
    in.sigma = m_dSigma;
    in.rhoC = m_dRhoC;
    in.wb = m_dWb;
    in.vg = m_dVg;
    in.phiS = m_dPhiS;
    in.beta1 = m_dBeta1;
    in.beta2 = m_dBeta2;
    in.va = m_dVa;
    in.rhoG = m_dRhoG;
    in.rhoS = m_dRhoS;
    in.rhoF = m_dRhoF;
    in.rhoK = m_dRhoK;
    in.alpha = m_dAlpha;
    return in;
}

// The list selections and the tick box belong to their widgets and are
// left alone here.
void CMixDesignDlg::take(const Mix1Inputs& in)
{
    m_strPerformance = QString::fromStdString(in.performanceText);
    m_strSlumpFlow = QString::fromStdString(in.slumpFlowText);
    m_strStrength = QString::fromStdString(in.strengthText);
    m_dFcuK = in.fcuK;
    m_dFceG = in.fceG;
    m_dSigma = in.sigma;
    m_dRhoC = in.rhoC;
    m_dWb = in.wb;
    m_dVg = in.vg;
    m_dPhiS = in.phiS;
    m_dBeta1 = in.beta1;
    m_dBeta2 = in.beta2;
    m_dVa = in.va;
    m_dRhoG = in.rhoG;
    m_dRhoS = in.rhoS;
    m_dRhoF = in.rhoF;
    m_dRhoK = in.rhoK;
    m_dAlpha = in.alpha;
}

// A failed read leaves the boxes as the user typed them: writing the held
// values back would silently undo the typing.
void CMixDesignDlg::OnSelendokSfGrade()
{
    const bool read = UpdateData(true);
    if (!PerformanceGradeAt(m_cbPerformance->currentIndex()))
        return;
    Mix1Inputs in = inputs();
    const std::optional<Message> notice = ApplyPerformanceGrade(in);
    take(in);
    if (notice)
        ShowInfo(this, QString::fromStdString(notice->text));
    if (read)
        UpdateData(false);
}

void CMixDesignDlg::OnSelendokStrengthGrade()
{
    const bool read = UpdateData(true);
    if (!StrengthGradeAt(m_cbStrength->currentIndex()))
        return;
    Mix1Inputs in = inputs();
    ApplyStrengthGrade(in);
    take(in);
    if (read)
        UpdateData(false);
}

void CMixDesignDlg::OnSelendokCementGrade()
{
    const bool read = UpdateData(true);
    if (!CementGradeAt(m_cbCement->currentIndex()))
        return;
    Mix1Inputs in = inputs();
    ApplyCementGrade(in);
    take(in);
    if (read)
        UpdateData(false);
}

void CMixDesignDlg::OnCustomRatio()
{
    edit(IDC_WB)->setReadOnly(!m_checkCustom->isChecked());
}

void CMixDesignDlg::OnCalculate()
{
    // A box without a number ends the press: computing on with the value
    // it held before would report numbers the user never saw.
    if (!UpdateData(true))
        return;
    const Mix1Outcome out = CalculateMix1(inputs());
    for (const Message& m : out.messages)
        ShowInfo(this, QString::fromStdString(m.text));
    if (out.stopped)
        return;

    take(out.inputs);
    const Mix1Working& w = out.working;
    m_dVm = w.vm;
    m_dVp = w.vp;
    m_dRhoB = w.rhoB;
    m_dFcu0 = w.fcu0;
    m_dMb = w.mb;
    const Mix1Results& r = out.results;
    m_dVolCement = r.cementVolume;
    m_dVolFlyAsh = r.flyAshVolume;
    m_dVolSlag = r.slagVolume;
    m_dVolSand = r.sandVolume;
    m_dVolCoarse = r.coarseVolume;
    m_dVolWater = r.waterVolume;
    m_dMassCement = r.cementMass;
    m_dMassFlyAsh = r.flyAshMass;
    m_dMassSlag = r.slagMass;
    m_dMassSand = r.sandMass;
    m_dMassCoarse = r.coarseMass;
    m_dMassWater = r.waterMass;
    m_dMassAdmixture = r.admixtureMass;
    UpdateData(false);

    m_pView->appendReport(out.report);
    m_pView->setLastDesign(AdjustInputsFromMix1(r));
    button(IDC_ADJUST)->setEnabled(true);
}

void CMixDesignDlg::OnAdjust()
{
    CAdjustDlg dlg(this, m_pView, *m_pView->lastDesign());
    dlg.exec();
}
