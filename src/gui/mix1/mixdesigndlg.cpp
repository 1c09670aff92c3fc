#include "mix1/mixdesigndlg.h"

#include "adjust/adjustdesign.h"
#include "mix1/dialog130.h"
#include "common/prompter.h"
#include "mix1/mix1lists.h"
#include "materials/materialfill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

CMixDesignDlg::CMixDesignDlg(QWidget* pParent)
    : CCalcFormOf(CalcKind::Mix1, MixDesignDialogSpec(), pParent)
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
        { IDC_RHO_S, &m_in.rhoS },
        { IDC_RHO_G, &m_in.rhoG },
        { IDC_RHO_C, &m_in.rhoC },
        { IDC_STD_DEV, &m_in.sigma },
        { IDC_MASS_SAND, &m_results.sandMass },
        { IDC_MASS_CEMENT, &m_results.cementMass },
        { IDC_MASS_COARSE, &m_results.coarseMass },
        { IDC_MASS_WATER, &m_results.waterMass },
        { IDC_VOL_COARSE, &m_results.coarseVolume },
        { IDC_VOL_CEMENT, &m_results.cementVolume },
        { IDC_VOL_SAND, &m_results.sandVolume },
        { IDC_VOL_WATER, &m_results.waterVolume },
        { IDC_VG, &m_in.vg },
        { IDC_BETA1, &m_in.beta1 },
        { IDC_RHO_F, &m_in.rhoF },
        { IDC_BETA2, &m_in.beta2 },
        { IDC_RHO_K, &m_in.rhoK },
        { IDC_WB, &m_in.wb },
        { IDC_PHI_S, &m_in.phiS },
        { IDC_VOL_FLYASH, &m_results.flyAshVolume },
        { IDC_VOL_SLAG, &m_results.slagVolume },
        { IDC_MASS_FLYASH, &m_results.flyAshMass },
        { IDC_MASS_SLAG, &m_results.slagMass },
        { IDC_MASS_ADMIXTURE, &m_results.admixtureMass },
        { IDC_ALPHA, &m_in.alpha },
        { IDC_VA, &m_in.va },
    };
    for (const auto& b : bindings)
        bindDouble(b.id, b.member);
    setEnterButtons({ IDC_CALCULATE, IDCANCEL, IDC_ADJUST, IDC_MATERIALS });

    // The boxes a material's batch fills; the powders' columns are fly ash
    // and slag. Densities are kg/m3 here, the library keeps the binders' in g/cm³.
    using namespace MaterialValue;
    linkMaterials({ { std::begin(kMaterialRoles), std::end(kMaterialRoles) },
        {
            { MaterialRole::Cement, IDC_CEMENT_GRADE, Grade() },
            { MaterialRole::Cement, IDC_RHO_C, Field(&MaterialValues::density, 3) },
            { MaterialRole::Powder1, IDC_RHO_F, Field(&MaterialValues::density, 3) },
            { MaterialRole::Powder2, IDC_RHO_K, Field(&MaterialValues::density, 3) },
            { MaterialRole::Fine, IDC_RHO_S, Field(&MaterialValues::density) },
            { MaterialRole::Coarse, IDC_RHO_G, Field(&MaterialValues::density) },
            { MaterialRole::Admixture, IDC_ALPHA, Field(&MaterialValues::dosage) },
        },
        { { MaterialRole::Powder1, "粉煤灰" }, { MaterialRole::Powder2, "矿渣粉" } } });

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
    load(Mix1Inputs {}); // the opening values
    centreOverOwner();
    button(IDC_ADJUST)->setEnabled(false); // nothing to adjust before a calculation
    m_cbPerformance->setFocus(Qt::OtherFocusReason);
}

Mix1Inputs CMixDesignDlg::inputs() const
{
    Mix1Inputs in = m_in;
    in.performanceIndex = m_cbPerformance->currentIndex();
    in.strengthIndex = m_cbStrength->currentIndex();
    in.cementIndex = m_cbCement->currentIndex();
    in.customRatio = m_checkCustom->isChecked();
    return in;
}

void CMixDesignDlg::load(const Mix1Inputs& in)
{
    m_in = in;
    m_checkCustom->setChecked(in.customRatio);
    m_cbStrength->setCurrentIndex(in.strengthIndex);
    m_cbPerformance->setCurrentIndex(in.performanceIndex);
    m_cbCement->setCurrentIndex(in.cementIndex);
    edit(IDC_WB)->setReadOnly(!in.customRatio);
    UpdateData(false);
}

// A failed read leaves the boxes as the user typed them: writing the held
// values back would silently undo the typing.
void CMixDesignDlg::OnSelendokSfGrade()
{
    const bool read = UpdateData(true);
    if (!PerformanceGradeAt(m_cbPerformance->currentIndex()))
        return;
    m_in = inputs();
    const std::optional<Message> notice = ApplyPerformanceGrade(m_in);
    if (notice)
        ShowMessage(this, *notice);
    if (read)
        UpdateData(false);
}

void CMixDesignDlg::OnSelendokStrengthGrade()
{
    const bool read = UpdateData(true);
    if (!StrengthGradeAt(m_cbStrength->currentIndex()))
        return;
    m_in = inputs();
    ApplyStrengthGrade(m_in);
    if (read)
        UpdateData(false);
}

void CMixDesignDlg::OnSelendokCementGrade()
{
    const bool read = UpdateData(true);
    if (!CementGradeAt(m_cbCement->currentIndex()))
        return;
    m_in = inputs();
    ApplyCementGrade(m_in);
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
    // it held before would report numbers the user never saw. Until a press
    // goes through there is no design to adjust.
    m_design.reset();
    button(IDC_ADJUST)->setEnabled(false);
    if (!UpdateData(true))
        return;
    const Mix1Outcome out = CalculateMix1(inputs());
    showMessages(out.messages);
    if (out.stopped)
        return;

    m_in = out.inputs;
    m_results = out.results;
    UpdateData(false);

    handOn(out.report);
    m_design = AdjustInputsFromMix1(out.results);
    Q_EMIT designed(*m_design);
    button(IDC_ADJUST)->setEnabled(true);
}

void CMixDesignDlg::OnAdjust()
{
    if (m_design)
        Q_EMIT adjustRequested(*m_design);
}
