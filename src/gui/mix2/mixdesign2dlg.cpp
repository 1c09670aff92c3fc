#include "mix2/mixdesign2dlg.h"

#include "adjust/adjustdesign.h"
#include "adjust/adjustdlg.h"
#include "common/prompter.h"
#include "mix2/dialog135.h"
#include "adjust/dialog160.h"
#include "view/qoruview.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

std::string Utf8(const QString& s)
{
    return s.toStdString();
}

QString FromUtf8(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

const CMixDesign2Dlg::BoxMember CMixDesign2Dlg::kBoxMembers[28] = {
    { 1021, &CMixDesign2Dlg::m_dCoarseVolume },
    { 1015, &CMixDesign2Dlg::m_dCementSurplus },
    { 1017, &CMixDesign2Dlg::m_dStdDev },
    { 1067, &CMixDesign2Dlg::m_dPowder1Replace },
    { 1036, &CMixDesign2Dlg::m_dPowder2Replace },
    { 1045, &CMixDesign2Dlg::m_dPowder1Excess },
    { 1055, &CMixDesign2Dlg::m_dPowder2Excess },
    { 1009, &CMixDesign2Dlg::m_dSandDensity },
    { 1012, &CMixDesign2Dlg::m_dCoarseDensity },
    { 1030, &CMixDesign2Dlg::m_dAirContent },
    { 1080, &CMixDesign2Dlg::m_dPowder1Density },
    { 1013, &CMixDesign2Dlg::m_dPowder2Density },
    { 1037, &CMixDesign2Dlg::m_dWater },
    { 1083, &CMixDesign2Dlg::m_dVolPowder1 },
    { 1031, &CMixDesign2Dlg::m_dVolPowder2 },
    { 1006, &CMixDesign2Dlg::m_dVolSand },
    { 1005, &CMixDesign2Dlg::m_dVolCement },
    { 1007, &CMixDesign2Dlg::m_dVolCoarse },
    { 1016, &CMixDesign2Dlg::m_dVolWater },
    { 1084, &CMixDesign2Dlg::m_dMassPowder1 },
    { 1032, &CMixDesign2Dlg::m_dMassPowder2 },
    { 1025, &CMixDesign2Dlg::m_dMassSand },
    { 1024, &CMixDesign2Dlg::m_dMassCement },
    { 1026, &CMixDesign2Dlg::m_dMassCoarse },
    { 1003, &CMixDesign2Dlg::m_dMassWater },
    { 1002, &CMixDesign2Dlg::m_dCementDensity },
    { 1001, &CMixDesign2Dlg::m_dPowder1InertVol },
    { 1008, &CMixDesign2Dlg::m_dPowder2InertVol },
};

CMixDesign2Dlg::CMixDesign2Dlg(CQoruView* pParent)
    : CFormDialog(Dialog135(), pParent)
    , m_pView(pParent)
{
    m_cbPowder2Kind = dropList(kMix2Powder2KindList);
    m_cbPowder1Kind = dropList(kMix2Powder1KindList);
    m_cbAggregateKind = dropList(kMix2AggregateKindList);
    m_cbSfGrade = dropList(kMix2SfGradeList);
    m_cbStrengthGrade = dropList(kMix2StrengthGradeList);
    m_cbCementGrade = dropList(kMix2CementGradeList);
    // Both kind lists are labelled "种类"; their names tell them apart.
    m_cbPowder1Kind->setAccessibleName(QStringLiteral("粉体一种类"));
    m_cbPowder2Kind->setAccessibleName(QStringLiteral("粉体二种类"));
    DoDataExchange();
    setEnterButtons({ 1071, IDCANCEL, IDC_ADJUST });

    // A handler runs when the user confirms an entry, the selected one too,
    // never when the code selects one.
    for (QComboBox* list : { m_cbPowder2Kind, m_cbPowder1Kind, m_cbAggregateKind, m_cbSfGrade,
             m_cbStrengthGrade, m_cbCementGrade })
        fillList(list);
    connect(m_cbSfGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokSfGrade);
    connect(
        m_cbStrengthGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokStrengthGrade);
    connect(m_cbCementGrade, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokCementGrade);
    connect(
        m_cbAggregateKind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokAggregateKind);
    connect(m_cbPowder1Kind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokPowder1Kind);
    connect(m_cbPowder2Kind, &QComboBox::activated, this, &CMixDesign2Dlg::OnSelendokPowder2Kind);
    connect(button(1071), &QPushButton::clicked, this, &CMixDesign2Dlg::OnCalc);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);
    connect(button(IDC_ADJUST), &QPushButton::clicked, this, &CMixDesign2Dlg::OnAdjust);
    button(IDC_ADJUST)->setEnabled(false); // nothing to adjust before a design passes

    OnInitDialog();
}

double* CMixDesign2Dlg::boxMember(int id)
{
    for (const BoxMember& b : kBoxMembers)
        if (b.id == id)
            return &(this->*b.member);
    return nullptr;
}

const double* CMixDesign2Dlg::boxMember(int id) const
{
    return const_cast<CMixDesign2Dlg*>(this)->boxMember(id);
}

// The boxes in the core's exchange order, which is where reading stops.
void CMixDesign2Dlg::DoDataExchange()
{
    for (const Mix2Box& box : kMix2Boxes)
        bindDouble(box.id, boxMember(box.id));
}

void CMixDesign2Dlg::fillList(QComboBox* list)
{
    for (const std::string& entry : Mix2ListEntries(list->objectName().toInt()))
        list->addItem(FromUtf8(entry));
}

Mix2Members CMixDesign2Dlg::members() const
{
    Mix2Members m;
    m.powder1Name = Utf8(m_strPowder1Name);
    m.powder2Name = Utf8(m_strPowder2Name);
    m.powder1Class = m_nPowder1Class;
    m.powder2Class = m_nPowder2Class;
    m.sfGrade = Utf8(m_strSfGrade);
    m.slumpFlow = Utf8(m_strSlumpFlow);
    m.vFunnelTime = Utf8(m_strVFunnelTime);
    m.strength = m_dStrength;
    m.strengthGrade = Utf8(m_strStrengthGrade);
    m.cementGrade = m_dCementGrade;
    m.aggregateKind = Utf8(m_strAggregateKind);
    m.alphaA = m_dAlphaA;
    m.alphaB = m_dAlphaB;
    for (const Mix2Box& box : kMix2Boxes)
        m.*box.value = *boxMember(box.id);
    return m;
}

void CMixDesign2Dlg::setMembers(const Mix2Members& m)
{
    m_strPowder1Name = FromUtf8(m.powder1Name);
    m_strPowder2Name = FromUtf8(m.powder2Name);
    m_nPowder1Class = m.powder1Class;
    m_nPowder2Class = m.powder2Class;
    m_strSfGrade = FromUtf8(m.sfGrade);
    m_strSlumpFlow = FromUtf8(m.slumpFlow);
    m_strVFunnelTime = FromUtf8(m.vFunnelTime);
    m_dStrength = m.strength;
    m_strStrengthGrade = FromUtf8(m.strengthGrade);
    m_dCementGrade = m.cementGrade;
    m_strAggregateKind = FromUtf8(m.aggregateKind);
    m_dAlphaA = m.alphaA;
    m_dAlphaB = m.alphaB;
    for (const Mix2Box& box : kMix2Boxes)
        *boxMember(box.id) = m.*box.value;
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

void CMixDesign2Dlg::OnInitDialog()
{
    UpdateData(false); // the members are all 0 until now
    setMembers(Mix2Members {});
    m_work = Mix2Work {};

    const Mix2Selections opening;
    m_cbStrengthGrade->setCurrentIndex(opening.strengthGrade);
    m_cbSfGrade->setCurrentIndex(opening.sfGrade);
    m_cbCementGrade->setCurrentIndex(opening.cementGrade);
    m_cbAggregateKind->setCurrentIndex(opening.aggregateKind);
    m_cbPowder1Kind->setCurrentIndex(opening.powder1Kind);
    m_cbPowder2Kind->setCurrentIndex(opening.powder2Kind);

    // Two active powders, every control enabled.
    for (int powder : { 1, 2 }) {
        const int kind = powder == 1 ? opening.powder1Kind : opening.powder2Kind;
        Mix2ControlChange change = Mix2PowderKindControls(powder, kind, std::string());
        change.label = 0; // the name labels keep the template's captions
        applyControlChange(change);
    }

    centreOverOwner();
    OnSelendokAggregateKind();
}

void CMixDesign2Dlg::applyControlChange(const Mix2ControlChange& change)
{
    for (int id : change.enable)
        control(id)->setEnabled(true);
    for (int id : change.disable)
        control(id)->setEnabled(false);
    for (int id : change.show)
        control(id)->show();
    for (int id : change.hide)
        control(id)->hide();
    if (auto* label = qobject_cast<QLabel*>(control(change.label)))
        label->setText(FromUtf8(change.labelText));
    nameResultBoxes();
}

// A result box is named by its column, headed by the material, and its row.
void CMixDesign2Dlg::nameResultBoxes()
{
    const struct {
        int volume, mass, heading;
        const char* material;
    } columns[] = {
        { 1005, 1024, 0, "水泥" }, { 1083, 1084, 1085, nullptr }, { 1031, 1032, 1087, nullptr },
        { 1006, 1025, 0, "细骨料" }, { 1007, 1026, 0, "粗骨料" }, { 1016, 1003, 0, "水" },
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
    Mix2Members m = members();
    const std::optional<Message> notice = ApplySfGrade(m, index);
    setMembers(m);
    if (notice)
        ShowInfo(this, FromUtf8(notice->text));
    if (read)
        UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokStrengthGrade()
{
    const bool read = UpdateData(true);
    const int index = m_cbStrengthGrade->currentIndex();
    if (index < 0)
        return;
    Mix2Members m = members();
    ApplyStrengthGrade(m, index);
    setMembers(m);
    if (read)
        UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokCementGrade()
{
    const bool read = UpdateData(true);
    const int index = m_cbCementGrade->currentIndex();
    if (index < 0)
        return;
    Mix2Members m = members();
    ApplyCementGrade(m, index);
    setMembers(m);
    if (read)
        UpdateData(false);
}

// Does not read the boxes first: it also runs while the form opens, so
// choosing a kind puts back the values last read, dropping text typed since.
void CMixDesign2Dlg::OnSelendokAggregateKind()
{
    Mix2Members m = members();
    ApplyAggregateKind(m, m_cbAggregateKind->currentIndex());
    setMembers(m);
    UpdateData(false);
}

void CMixDesign2Dlg::OnSelendokPowder1Kind()
{
    Mix2Members m = members();
    const Mix2ControlChange change = ApplyPowderKind(m, 1, m_cbPowder1Kind->currentIndex());
    setMembers(m);
    applyControlChange(change);
}

void CMixDesign2Dlg::OnSelendokPowder2Kind()
{
    Mix2Members m = members();
    const Mix2ControlChange change = ApplyPowderKind(m, 2, m_cbPowder2Kind->currentIndex());
    setMembers(m);
    applyControlChange(change);
}

void CMixDesign2Dlg::OnCalc()
{
    if (!UpdateData(true))
        return; // the box without a number has been named and has the focus

    const Mix2Outcome out = CalculateMix2({ members(), selections() });
    for (const Message& message : out.messages)
        ShowInfo(this, FromUtf8(message.text));
    // A stop leaves every box as read; only the grade members may have been
    // refreshed from the lists.
    setMembers(out.members);
    if (out.stopped)
        return;
    m_work = out.work;
    UpdateData(false);
    m_pView->appendReport(out.report);
    if (out.passed) {
        m_pView->setLastDesign(AdjustInputsFromMix2(out.members));
        button(IDC_ADJUST)->setEnabled(true);
    }
}

void CMixDesign2Dlg::OnAdjust()
{
    CAdjustDlg dlg(this, m_pView, *m_pView->lastDesign());
    dlg.exec();
}
