#include "ordinary/ordinarydlg.h"

#include "adjust/adjustdesign.h"
#include "common/exactdecimal.h"
#include "common/grades.h"
#include "ordinary/dialog170.h"
#include "materials/materialfill.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

using B = OrdinaryBox;

// The number boxes, the member each goes to and the name a stop gives it.
struct TextBox
{
    int id;
    std::string OrdinaryInputs::*member;
    OrdinaryBox box;
};

const TextBox kTextBoxes[] = {
    { IDC_ORD_SIGMA, &OrdinaryInputs::sigma, B::Sigma },
    { IDC_ORD_FCE, &OrdinaryInputs::fce, B::Fce },
    { IDC_ORD_FLY_ASH, &OrdinaryInputs::flyAsh, B::FlyAsh },
    { IDC_ORD_GAMMA_F, &OrdinaryInputs::gammaF, B::GammaF },
    { IDC_ORD_SLAG, &OrdinaryInputs::slag, B::Slag },
    { IDC_ORD_GAMMA_S, &OrdinaryInputs::gammaS, B::GammaS },
    { IDC_ORD_FB, &OrdinaryInputs::fb, B::Fb },
    { IDC_ORD_SLUMP, &OrdinaryInputs::slump, B::Slump },
    { IDC_ORD_VEBE, &OrdinaryInputs::vebe, B::Vebe },
    { IDC_ORD_WATER_ADJUST, &OrdinaryInputs::waterAdjust, B::WaterAdjust },
    { IDC_ORD_REDUCER, &OrdinaryInputs::reducer, B::Reducer },
    { IDC_ORD_ADMIXTURE, &OrdinaryInputs::admixture, B::Admixture },
    { IDC_ORD_WB, &OrdinaryInputs::wb, B::Wb },
    { IDC_ORD_SAND_RATIO, &OrdinaryInputs::sandRatio, B::SandRatio },
    { IDC_ORD_MCP, &OrdinaryInputs::mcp, B::Mcp },
    { IDC_ORD_RHO_C, &OrdinaryInputs::rhoC, B::RhoC },
    { IDC_ORD_RHO_F, &OrdinaryInputs::rhoF, B::RhoF },
    { IDC_ORD_RHO_K, &OrdinaryInputs::rhoK, B::RhoK },
    { IDC_ORD_RHO_S, &OrdinaryInputs::rhoS, B::RhoS },
    { IDC_ORD_RHO_G, &OrdinaryInputs::rhoG, B::RhoG },
    { IDC_ORD_AIR, &OrdinaryInputs::air, B::Air },
};

// The lists and the tick box a stop may name.
int ChoiceId(OrdinaryBox box)
{
    switch (box) {
    case B::Grade:
        return IDC_ORD_GRADE;
    case B::CementGrade:
        return IDC_ORD_CEMENT_GRADE;
    case B::Aggregate:
        return IDC_ORD_AGGREGATE;
    case B::MaxSize:
        return IDC_ORD_MAX_SIZE;
    case B::AirEntrained:
        return IDC_ORD_AIR_ENTRAINED;
    case B::Impermeability:
        return IDC_ORD_IMPERMEABILITY;
    case B::Frost:
        return IDC_ORD_FROST;
    default:
        return 0;
    }
}

constexpr int kSizes[] = { 100, 160, 200, 315, 400 }; // 0.1 mm
constexpr int kFceGrades[] = { 325, 425, 525 }; // 0.1 MPa
constexpr int kImpermeabilityGrades[] = { 6, 8, 10, 12, 14, 16, 18, 20 };
constexpr int kFrostGrades[] = { 50, 100, 150, 200, 250, 300, 350, 400 };

// The core leaves a box unread when it holds only blanks and tabs.
bool Blank(const QString& text)
{
    for (const QChar ch : text)
        if (ch != QLatin1Char(' ') && ch != QLatin1Char('\t'))
            return false;
    return true;
}

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Text(std::int64_t units, int decimals)
{
    return Utf8(UnitsText(units, decimals));
}

// The value of the chosen item, or `none` with no item chosen.
int Chosen(const QComboBox* list, int none = 0)
{
    return list->currentIndex() < 0 ? none : list->currentData().toInt();
}

// Chooses the item of that value, or none.
void Choose(QComboBox* list, int value)
{
    list->setCurrentIndex(list->findData(value));
}

template <typename Enum> int Value(Enum e)
{
    return static_cast<int>(e);
}

} // namespace

COrdinaryDlg::COrdinaryDlg(QWidget* pParent)
    : CCalcFormOf(CalcKind::Ordinary, OrdinaryDialogSpec(), pParent)
    , m_cbGrade(dropList(IDC_ORD_GRADE))
    , m_cbStructure(dropList(IDC_ORD_STRUCTURE))
    , m_cbExposure(dropList(IDC_ORD_EXPOSURE))
    , m_cbImpermeability(dropList(IDC_ORD_IMPERMEABILITY))
    , m_cbFrost(dropList(IDC_ORD_FROST))
    , m_cbWorkability(dropList(IDC_ORD_WORKABILITY))
    , m_cbCementType(dropList(IDC_ORD_CEMENT_TYPE))
    , m_cbCementGrade(dropList(IDC_ORD_CEMENT_GRADE))
    , m_cbAggregate(dropList(IDC_ORD_AGGREGATE))
    , m_cbMaxSize(dropList(IDC_ORD_MAX_SIZE))
    , m_cbMethod(dropList(IDC_ORD_METHOD))
    , m_checkAir(qobject_cast<QCheckBox*>(control(IDC_ORD_AIR_ENTRAINED)))
    , m_checkPumped(qobject_cast<QCheckBox*>(control(IDC_ORD_PUMPED)))
    , m_checkMassive(qobject_cast<QCheckBox*>(control(IDC_ORD_MASSIVE)))
{
    setEnterButtons({ IDC_ORD_CALCULATE, IDCANCEL, IDC_ORD_ADJUST, IDC_MATERIALS });
    // The masses are named by their material, as the trial-batch form names its rows.
    for (int id : { IDC_ORD_BINDER, IDC_ORD_CEMENT, IDC_ORD_FLY_ASH_MASS, IDC_ORD_SLAG_MASS,
             IDC_ORD_SAND, IDC_ORD_STONE, IDC_ORD_WATER, IDC_ORD_ADMIXTURE_MASS })
        control(id)->setAccessibleName(control(id)->accessibleName() + QStringLiteral("用量kg"));

    for (const ConcreteGrade& g : kConcreteGrades)
        if (g.fcuK % 10 == 0 && IsOrdinaryGrade(static_cast<int>(g.fcuK / 10)))
            m_cbGrade->addItem(QString::fromUtf8(g.text), static_cast<int>(g.fcuK / 10));
    for (OrdinaryStructure s :
        { OrdinaryStructure::Plain, OrdinaryStructure::Reinforced, OrdinaryStructure::Prestressed })
        m_cbStructure->addItem(QString::fromUtf8(StructureText(s)), Value(s));
    for (OrdinaryExposure e : { OrdinaryExposure::One, OrdinaryExposure::TwoA,
             OrdinaryExposure::TwoB, OrdinaryExposure::ThreeA, OrdinaryExposure::ThreeB })
        m_cbExposure->addItem(QString::fromUtf8(ExposureText(e)), Value(e));
    m_cbImpermeability->addItem(QStringLiteral("无"), 0);
    for (int p : kImpermeabilityGrades)
        m_cbImpermeability->addItem(QStringLiteral("P%1").arg(p), p);
    m_cbFrost->addItem(QStringLiteral("无"), 0);
    for (int f : kFrostGrades)
        m_cbFrost->addItem(QStringLiteral("F%1").arg(f), f);
    m_cbWorkability->addItem(QStringLiteral("坍落度"), Value(OrdinaryWorkability::Slump));
    m_cbWorkability->addItem(QStringLiteral("维勃稠度"), Value(OrdinaryWorkability::Vebe));
    for (OrdinaryCement t : { OrdinaryCement::PI, OrdinaryCement::PO })
        m_cbCementType->addItem(QString::fromUtf8(CementTypeText(t)), Value(t));
    for (int g : kFceGrades)
        m_cbCementGrade->addItem(Text(g, 1), g);
    for (OrdinaryAggregate a : { OrdinaryAggregate::Crushed, OrdinaryAggregate::Gravel })
        m_cbAggregate->addItem(QString::fromUtf8(AggregateText(a)), Value(a));
    m_cbMethod->addItem(QStringLiteral("质量法"), Value(OrdinaryMethod::Mass));
    m_cbMethod->addItem(QStringLiteral("体积法"), Value(OrdinaryMethod::Volume));

    connect(
        m_cbAggregate, &QComboBox::currentIndexChanged, this, &COrdinaryDlg::OnSelendokAggregate);
    for (QComboBox* list : { m_cbGrade, m_cbWorkability, m_cbMethod })
        connect(list, &QComboBox::currentIndexChanged, this, &COrdinaryDlg::UpdateReach);
    connect(edit(IDC_ORD_FB), &QLineEdit::textChanged, this, &COrdinaryDlg::UpdateReach);
    connect(button(IDC_ORD_CALCULATE), &QPushButton::clicked, this, &COrdinaryDlg::OnCalculate);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(IDC_ORD_ADJUST), &QPushButton::clicked, this, &COrdinaryDlg::OnAdjust);

    // The boxes a material's batch fills; densities are g/cm3 here, the
    // aggregates' kept in kg/m³. The powders' rows are fly ash and slag.
    using namespace MaterialValue;
    linkMaterials({ { std::begin(kMaterialRoles), std::end(kMaterialRoles) },
        {
            { MaterialRole::Cement, IDC_ORD_CEMENT_TYPE,
                Variety({ { "P·I", "P·I/P·II" }, { "P·II", "P·I/P·II" }, { "P·O", "P·O" } }) },
            { MaterialRole::Cement, IDC_ORD_CEMENT_GRADE, Grade() },
            { MaterialRole::Cement, IDC_ORD_FCE, Field(&MaterialValues::strength28) },
            { MaterialRole::Cement, IDC_ORD_RHO_C, Field(&MaterialValues::density) },
            { MaterialRole::Powder1, IDC_ORD_RHO_F, Field(&MaterialValues::density) },
            { MaterialRole::Powder2, IDC_ORD_RHO_K, Field(&MaterialValues::density) },
            { MaterialRole::Fine, IDC_ORD_RHO_S, Field(&MaterialValues::density, -3) },
            { MaterialRole::Coarse, IDC_ORD_AGGREGATE, Variety() },
            { MaterialRole::Coarse, IDC_ORD_MAX_SIZE, Field(&MaterialValues::maxSize) },
            { MaterialRole::Coarse, IDC_ORD_RHO_G, Field(&MaterialValues::density, -3) },
            { MaterialRole::Admixture, IDC_ORD_REDUCER, Field(&MaterialValues::waterReduction) },
            { MaterialRole::Admixture, IDC_ORD_ADMIXTURE, Field(&MaterialValues::dosage) },
        },
        { { MaterialRole::Powder1, "粉煤灰" }, { MaterialRole::Powder2, "矿渣粉" } } });

    OnInitDialog();
}

void COrdinaryDlg::OnInitDialog()
{
    load(OrdinaryInputs {}); // the opening values
    centreOverOwner();
    button(IDC_ORD_ADJUST)->setEnabled(false); // nothing to adjust before a calculation
    m_cbGrade->setFocus(Qt::OtherFocusReason);
}

OrdinaryInputs COrdinaryDlg::inputs() const
{
    OrdinaryInputs in;
    for (const TextBox& t : kTextBoxes)
        in.*t.member = edit(t.id)->text().toStdString();
    in.grade = Chosen(m_cbGrade);
    in.cementType = static_cast<OrdinaryCement>(Chosen(m_cbCementType, Value(in.cementType)));
    in.cementGrade = Chosen(m_cbCementGrade);
    if (m_cbAggregate->currentIndex() >= 0)
        in.aggregate = static_cast<OrdinaryAggregate>(Chosen(m_cbAggregate));
    in.maxSize = Chosen(m_cbMaxSize);
    in.workability
        = static_cast<OrdinaryWorkability>(Chosen(m_cbWorkability, Value(in.workability)));
    in.structure = static_cast<OrdinaryStructure>(Chosen(m_cbStructure, Value(in.structure)));
    in.exposure = static_cast<OrdinaryExposure>(Chosen(m_cbExposure, Value(in.exposure)));
    in.airEntrained = m_checkAir->isChecked();
    in.impermeability = Chosen(m_cbImpermeability);
    in.frost = Chosen(m_cbFrost);
    in.pumped = m_checkPumped->isChecked();
    in.massive = m_checkMassive->isChecked();
    in.method = static_cast<OrdinaryMethod>(Chosen(m_cbMethod, Value(in.method)));
    return in;
}

void COrdinaryDlg::load(const OrdinaryInputs& in)
{
    for (const TextBox& t : kTextBoxes)
        edit(t.id)->setText(Utf8(in.*t.member));
    Choose(m_cbGrade, in.grade);
    Choose(m_cbCementType, Value(in.cementType));
    Choose(m_cbCementGrade, in.cementGrade);
    if (in.aggregate)
        Choose(m_cbAggregate, Value(*in.aggregate));
    else
        m_cbAggregate->setCurrentIndex(-1);
    fillSizes(in.maxSize);
    Choose(m_cbWorkability, Value(in.workability));
    Choose(m_cbStructure, Value(in.structure));
    Choose(m_cbExposure, Value(in.exposure));
    m_checkAir->setChecked(in.airEntrained);
    // A grade the list does not offer is shown as no choice; the press says so.
    Choose(m_cbImpermeability, in.impermeability);
    Choose(m_cbFrost, in.frost);
    m_checkPumped->setChecked(in.pumped);
    m_checkMassive->setChecked(in.massive);
    Choose(m_cbMethod, Value(in.method));
    UpdateReach();
}

void COrdinaryDlg::fillSizes(int size)
{
    m_cbMaxSize->clear();
    if (m_cbAggregate->currentIndex() >= 0) {
        const auto kind = static_cast<OrdinaryAggregate>(Chosen(m_cbAggregate));
        for (int s : kSizes)
            if (HasMaxSize(kind, s))
                m_cbMaxSize->addItem(Utf8(SizeText(s)), s);
    }
    Choose(m_cbMaxSize, size);
}

// A size the other kind also has stays chosen (20, 31.5 and 40 mm).
void COrdinaryDlg::OnSelendokAggregate()
{
    fillSizes(Chosen(m_cbMaxSize));
}

void COrdinaryDlg::UpdateReach()
{
    const bool slump = Chosen(m_cbWorkability) == Value(OrdinaryWorkability::Slump);
    const bool mass = Chosen(m_cbMethod) == Value(OrdinaryMethod::Mass);
    const bool gammas = Blank(edit(IDC_ORD_FB)->text());
    // From C60 the preparation strength takes no σ.
    const int grade = Chosen(m_cbGrade);
    edit(IDC_ORD_SIGMA)->setEnabled(grade == 0 || grade < 60);
    edit(IDC_ORD_SLUMP)->setEnabled(slump);
    edit(IDC_ORD_VEBE)->setEnabled(!slump);
    edit(IDC_ORD_GAMMA_F)->setEnabled(gammas);
    edit(IDC_ORD_GAMMA_S)->setEnabled(gammas);
    edit(IDC_ORD_MCP)->setEnabled(mass);
    for (int id :
        { IDC_ORD_AIR, IDC_ORD_RHO_C, IDC_ORD_RHO_F, IDC_ORD_RHO_K, IDC_ORD_RHO_S, IDC_ORD_RHO_G })
        edit(id)->setEnabled(!mass);
}

void COrdinaryDlg::focusOn(OrdinaryBox box)
{
    for (const TextBox& t : kTextBoxes)
        if (t.box == box) {
            focusBox(edit(t.id));
            return;
        }
    // As if tabbed to, so that the list or tick box shows its focus frame.
    if (QWidget* choice = control(ChoiceId(box)))
        choice->setFocus(Qt::TabFocusReason);
}

void COrdinaryDlg::OnCalculate()
{
    const OrdinaryOutcome out = CalculateOrdinary(inputs());
    showMessages(out.messages);
    if (out.stopped) {
        if (out.focus)
            focusOn(*out.focus);
        return;
    }
    showResults(out.results);
    handOn(out.report);
    m_design = AdjustInputsFromOrdinary(out.results.mix);
    Q_EMIT designed(*m_design);
    button(IDC_ORD_ADJUST)->setEnabled(true);
}

void COrdinaryDlg::showResults(const OrdinaryResults& r)
{
    const OrdinaryMix& m = r.mix;
    const struct
    {
        int id;
        std::int64_t units;
        int decimals;
    } shown[] = {
        { IDC_ORD_FCU0, r.fcu0, 1 },
        { IDC_ORD_FB_USED, r.fb, 1 },
        { IDC_ORD_WB_USED, m.wb, 2 },
        { IDC_ORD_SAND_RATIO_USED, m.sandRatio, 1 },
        { IDC_ORD_BINDER, m.binder, 0 },
        { IDC_ORD_DENSITY, r.density, 0 },
        { IDC_ORD_CEMENT, m.cement, 0 },
        { IDC_ORD_FLY_ASH_MASS, m.flyAsh, 0 },
        { IDC_ORD_SLAG_MASS, m.slag, 0 },
        { IDC_ORD_SAND, m.sand, 0 },
        { IDC_ORD_STONE, m.stone, 0 },
        { IDC_ORD_WATER, m.water, 0 },
        { IDC_ORD_ADMIXTURE_MASS, m.admixture, 2 },
    };
    for (const auto& s : shown)
        edit(s.id)->setText(Text(s.units, s.decimals));
}

void COrdinaryDlg::OnAdjust()
{
    if (m_design)
        Q_EMIT adjustRequested(*m_design);
}
