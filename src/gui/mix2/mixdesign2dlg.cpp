#include "mix2/mixdesign2dlg.h"

#include "adjust/adjustdesign.h"
#include "common/prompter.h"
#include "mix2/dialog135.h"
#include "mix2/mix2lists.h"
#include "materials/materialfill.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

QString FromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

// The boxes in exchange order, which is where reading stops, each with the
// value it shows.
const struct
{
    int id;
    double Mix2Members::*value;
} kBoxes[] = {
    { IDC_COARSE_VOLUME, &Mix2Members::coarseVolume },
    { IDC_CEMENT_SURPLUS, &Mix2Members::cementSurplus },
    { IDC_STD_DEV, &Mix2Members::stdDev },
    { IDC_POWDER1_REPLACE, &Mix2Members::powder1Replace },
    { IDC_POWDER2_REPLACE, &Mix2Members::powder2Replace },
    { IDC_POWDER1_EXCESS, &Mix2Members::powder1Excess },
    { IDC_POWDER2_EXCESS, &Mix2Members::powder2Excess },
    { IDC_SAND_DENSITY, &Mix2Members::sandDensity },
    { IDC_COARSE_DENSITY, &Mix2Members::coarseDensity },
    { IDC_AIR_CONTENT, &Mix2Members::airContent },
    { IDC_POWDER1_DENSITY, &Mix2Members::powder1Density },
    { IDC_POWDER2_DENSITY, &Mix2Members::powder2Density },
    { IDC_WATER, &Mix2Members::water },
    { IDC_POWDER1_VOL, &Mix2Members::volPowder1 },
    { IDC_POWDER2_VOL, &Mix2Members::volPowder2 },
    { IDC_SAND_VOL, &Mix2Members::volSand },
    { IDC_CEMENT_VOL, &Mix2Members::volCement },
    { IDC_COARSE_VOL, &Mix2Members::volCoarse },
    { IDC_WATER_VOL, &Mix2Members::volWater },
    { IDC_POWDER1_MASS, &Mix2Members::massPowder1 },
    { IDC_POWDER2_MASS, &Mix2Members::massPowder2 },
    { IDC_SAND_MASS, &Mix2Members::massSand },
    { IDC_CEMENT_MASS, &Mix2Members::massCement },
    { IDC_COARSE_MASS, &Mix2Members::massCoarse },
    { IDC_WATER_MASS, &Mix2Members::massWater },
    { IDC_CEMENT_DENSITY, &Mix2Members::cementDensity },
    { IDC_POWDER1_INERT_VOL, &Mix2Members::powder1InertVol },
    { IDC_POWDER2_INERT_VOL, &Mix2Members::powder2InertVol },
};

// The controls of each powder.
const struct
{
    int density, replace, excess;
    int activeLabel1, activeLabel2, inertLabel, inertBox;
    int name; // the heading of its result column
} kPowders[] = {
    { IDC_POWDER1_DENSITY, IDC_POWDER1_REPLACE, IDC_POWDER1_EXCESS, IDC_POWDER1_ACTIVE_LABEL1,
        IDC_POWDER1_ACTIVE_LABEL2, IDC_POWDER1_INERT_LABEL, IDC_POWDER1_INERT_VOL,
        IDC_POWDER1_NAME },
    { IDC_POWDER2_DENSITY, IDC_POWDER2_REPLACE, IDC_POWDER2_EXCESS, IDC_POWDER2_ACTIVE_LABEL1,
        IDC_POWDER2_ACTIVE_LABEL2, IDC_POWDER2_INERT_LABEL, IDC_POWDER2_INERT_VOL,
        IDC_POWDER2_NAME },
};

// What each powder class the core reports offers in the form.
const struct
{
    bool enabled; // density, replacement and excess
    bool inert; // the volume box in place of replacement and excess
} kPowderClasses[] = {
    { false, false }, // 0 none: the boxes stay in view, disabled
    { true, false }, // 1 active
    { true, true }, // 2 inert
};

} // namespace

CMixDesign2Dlg::CMixDesign2Dlg(QWidget* pParent)
    : CCalcFormOf(CalcKind::Mix2, Dialog135(), pParent)
{
    m_cbPowder2Kind = dropList(IDC_POWDER2_KIND);
    m_cbPowder1Kind = dropList(IDC_POWDER1_KIND);
    m_cbAggregateKind = dropList(IDC_AGGREGATE_KIND);
    m_cbSfGrade = dropList(IDC_SF_GRADE);
    m_cbStrengthGrade = dropList(IDC_STRENGTH_GRADE);
    m_cbCementGrade = dropList(IDC_CEMENT_GRADE);
    // Both kind lists are labelled "种类"; their names tell them apart.
    m_cbPowder1Kind->setAccessibleName(QStringLiteral("粉体一种类"));
    m_cbPowder2Kind->setAccessibleName(QStringLiteral("粉体二种类"));
    for (const auto& box : kBoxes)
        bindDouble(box.id, &(m_members.*box.value));
    setEnterButtons({ IDC_CALC, IDCANCEL, IDC_ADJUST, IDC_MATERIALS });

    // The boxes a material's batch fills (densities in g/cm3 here, the
    // aggregates' kept in kg/m³); the form has no admixture box, but the
    // design still records the admixture's batch.
    using namespace MaterialValue;
    const std::map<std::string, std::string> powderKinds { { "粉煤灰", "粉煤灰" },
        { "矿渣粉", "矿渣粉" }, { "沸石粉", "沸石粉" }, { "硅灰", "硅粉" },
        { "复合掺合料", "复合料" }, { "石灰石粉", "惰性料" } };
    linkMaterials({ { std::begin(kMaterialRoles), std::end(kMaterialRoles) },
        {
            { MaterialRole::Cement, IDC_CEMENT_GRADE, Grade() },
            { MaterialRole::Cement, IDC_CEMENT_SURPLUS, StrengthRatio() },
            { MaterialRole::Cement, IDC_CEMENT_DENSITY, Field(&MaterialValues::density) },
            { MaterialRole::Powder1, IDC_POWDER1_KIND, Variety(powderKinds) },
            { MaterialRole::Powder1, IDC_POWDER1_DENSITY, Field(&MaterialValues::density) },
            { MaterialRole::Powder2, IDC_POWDER2_KIND, Variety(powderKinds) },
            { MaterialRole::Powder2, IDC_POWDER2_DENSITY, Field(&MaterialValues::density) },
            { MaterialRole::Fine, IDC_SAND_DENSITY, Field(&MaterialValues::density, -3) },
            { MaterialRole::Coarse, IDC_AGGREGATE_KIND, Variety() },
            { MaterialRole::Coarse, IDC_COARSE_DENSITY, Field(&MaterialValues::density, -3) },
        },
        {} });

    const struct
    {
        QComboBox* list;
        Mix2List entries;
    } lists[] = {
        { m_cbPowder2Kind, Mix2List::PowderKind },
        { m_cbPowder1Kind, Mix2List::PowderKind },
        { m_cbAggregateKind, Mix2List::AggregateKind },
        { m_cbSfGrade, Mix2List::SfGrade },
        { m_cbStrengthGrade, Mix2List::StrengthGrade },
        { m_cbCementGrade, Mix2List::CementGrade },
    };
    for (const auto& l : lists) {
        for (const std::string& entry : Mix2ListEntries(l.entries))
            l.list->addItem(FromUtf8(entry));
    }
    // A handler runs when the user confirms an entry, the selected one too,
    // never when the code selects one.
    connect(m_cbSfGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokSfGrade);
    connect(
        m_cbStrengthGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokStrengthGrade);
    connect(m_cbCementGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokCementGrade);
    connect(
        m_cbAggregateKind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokAggregateKind);
    connect(m_cbPowder1Kind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokPowder1Kind);
    connect(m_cbPowder2Kind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokPowder2Kind);
    connect(button(IDC_CALC), &QPushButton::clicked, this, &CMixDesign2Dlg::OnCalc);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(IDC_ADJUST), &QPushButton::clicked, this, &CMixDesign2Dlg::OnAdjust);
    button(IDC_ADJUST)->setEnabled(false); // nothing to adjust before a design passes

    OnInitDialog();
}

void CMixDesign2Dlg::OnInitDialog()
{
    load(Mix2Inputs {});
    centreOverOwner();
    OnSelendokAggregateKind();
}

Mix2Inputs CMixDesign2Dlg::inputs() const
{
    return { m_members, selections() };
}

void CMixDesign2Dlg::load(const Mix2Inputs& in)
{
    m_members = in.members;
    m_work = Mix2Work {};
    m_cbStrengthGrade->setCurrentIndex(in.lists.strengthGrade);
    m_cbSfGrade->setCurrentIndex(in.lists.sfGrade);
    m_cbCementGrade->setCurrentIndex(in.lists.cementGrade);
    m_cbAggregateKind->setCurrentIndex(in.lists.aggregateKind);
    m_cbPowder1Kind->setCurrentIndex(in.lists.powder1Kind);
    m_cbPowder2Kind->setCurrentIndex(in.lists.powder2Kind);
    for (int powder : { 1, 2 }) {
        showPowderClass(powder, powder == 1 ? m_members.powder1Class : m_members.powder2Class);
        showPowderName(powder);
    }
    nameResultBoxes();
    UpdateData(false);
}

Mix2Selections CMixDesign2Dlg::selections() const
{
    Mix2Selections s;
    s.powder2Kind = m_cbPowder2Kind->currentIndex();
    s.powder1Kind = m_cbPowder1Kind->currentIndex();
    s.aggregateKind = m_cbAggregateKind->currentIndex();
    s.sfGrade = m_cbSfGrade->currentIndex();
    s.strengthGrade = m_cbStrengthGrade->currentIndex();
    s.cementGrade = m_cbCementGrade->currentIndex();
    return s;
}

void CMixDesign2Dlg::showPowderClass(int powder, int powderClass)
{
    const auto& c = kPowders[powder == 2 ? 1 : 0];
    const auto& offers = kPowderClasses[powderClass < 0 || powderClass > 2 ? 0 : powderClass];
    for (int id : { c.density, c.replace, c.excess })
        control(id)->setEnabled(offers.enabled);
    const QList<int> active { c.replace, c.excess, c.activeLabel1, c.activeLabel2 };
    const QList<int> inert { c.inertLabel, c.inertBox };
    for (int id : offers.inert ? inert : active)
        control(id)->show();
    for (int id : offers.inert ? active : inert)
        control(id)->hide();
}

void CMixDesign2Dlg::showPowderName(int powder)
{
    const std::string& name = powder == 2 ? m_members.powder2Name : m_members.powder1Name;
    if (auto* label = qobject_cast<QLabel*>(control(kPowders[powder == 2 ? 1 : 0].name)))
        label->setText(FromUtf8(name));
}

// A result box is named by its column, headed by the material, and its row.
void CMixDesign2Dlg::nameResultBoxes()
{
    const struct
    {
        int volume, mass, heading;
        const char* material;
    } columns[] = {
        { IDC_CEMENT_VOL, IDC_CEMENT_MASS, 0, "水泥" },
        { IDC_POWDER1_VOL, IDC_POWDER1_MASS, IDC_POWDER1_NAME, nullptr },
        { IDC_POWDER2_VOL, IDC_POWDER2_MASS, IDC_POWDER2_NAME, nullptr },
        { IDC_SAND_VOL, IDC_SAND_MASS, 0, "细骨料" },
        { IDC_COARSE_VOL, IDC_COARSE_MASS, 0, "粗骨料" },
        { IDC_WATER_VOL, IDC_WATER_MASS, 0, "水" },
    };
    for (const auto& c : columns) {
        const auto* heading = qobject_cast<QLabel*>(control(c.heading));
        const QString material = heading ? heading->text() : FromUtf8(c.material);
        control(c.volume)->setAccessibleName(material + QStringLiteral(" 体积(L)"));
        control(c.mass)->setAccessibleName(material + QStringLiteral(" 质量(kg)"));
    }
}

void CMixDesign2Dlg::OnSelendokSfGrade()
{
    // A failed read has been reported; go on with what was read, but leave
    // the boxes as typed: writing the members back would undo the typing.
    const bool read = UpdateData(true);
    const int index = m_cbSfGrade->currentIndex();
    if (index < 0)
        return;
    if (const std::optional<Message> notice = ApplySfGrade(m_members, index))
        ShowMessage(this, *notice);
    if (read)
        UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokStrengthGrade()
{
    const bool read = UpdateData(true);
    const int index = m_cbStrengthGrade->currentIndex();
    if (index < 0)
        return;
    ApplyStrengthGrade(m_members, index);
    if (read)
        UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokCementGrade()
{
    const bool read = UpdateData(true);
    const int index = m_cbCementGrade->currentIndex();
    if (index < 0)
        return;
    ApplyCementGrade(m_members, index);
    if (read)
        UpdateData(false);
}

// Does not read the boxes first: it also runs while the form opens, so
// choosing a kind puts back the values last read, dropping text typed since.
void CMixDesign2Dlg::OnSelendokAggregateKind()
{
    ApplyAggregateKind(m_members, m_cbAggregateKind->currentIndex());
    UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokPowder1Kind()
{
    OnSelendokPowderKind(1, m_cbPowder1Kind);
}

void CMixDesign2Dlg::OnSelendokPowder2Kind()
{
    OnSelendokPowderKind(2, m_cbPowder2Kind);
}

// The boxes are neither read nor written; with no selection only the name is
// shown again.
void CMixDesign2Dlg::OnSelendokPowderKind(int powder, QComboBox* list)
{
    if (const std::optional<int> powderClass
        = ApplyPowderKind(m_members, powder, list->currentIndex()))
        showPowderClass(powder, *powderClass);
    showPowderName(powder);
    nameResultBoxes();
}

void CMixDesign2Dlg::OnCalc()
{
    // Only a design that passes its check may be adjusted: a stop or a failed
    // check takes the last one away.
    m_design.reset();
    button(IDC_ADJUST)->setEnabled(false);
    if (!UpdateData(true))
        return; // the box without a number has been named and has the focus

    const Mix2Outcome out = CalculateMix2(inputs());
    showMessages(out.messages);
    // A stop leaves every box as read; only the grade members may have been
    // refreshed from the lists.
    m_members = out.members;
    if (out.stopped)
        return;
    m_work = out.work;
    UpdateData(false);
    handOn(out.report);
    if (out.passed) {
        m_design = AdjustInputsFromMix2(out.members);
        Q_EMIT designed(*m_design);
        button(IDC_ADJUST)->setEnabled(true);
    }
}

void CMixDesign2Dlg::OnAdjust()
{
    if (m_design)
        Q_EMIT adjustRequested(*m_design);
}
