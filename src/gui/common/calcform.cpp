#include "common/calcform.h"

#include "common/exactdecimal.h"
#include "common/numberrule.h"
#include "common/prompter.h"
#include "materials/materiallinks.h"
#include "records/recordstore.h"

#include <QLineEdit>
#include <QPushButton>

CCalcForm::CCalcForm(CalcKind kind, const DialogSpec& dialog, QWidget* parent)
    : CFormDialog(dialog, parent)
    , m_kind(kind)
{
    if (QPushButton* restore = button(IDC_RESTORE_DEFAULTS))
        connect(restore, &QPushButton::clicked, this, [this] { restoreDefaults(); });
}

void CCalcForm::showMessages(const Messages& messages)
{
    for (const Message& m : messages)
        ShowMessage(this, m);
}

std::optional<std::int64_t> CCalcForm::readUnits(int id, int decimals)
{
    QLineEdit* box = edit(id);
    const std::optional<std::int64_t> units = ParseUnits(box->text().toStdString(), decimals);
    if (!units) {
        ShowMessage(this, NotANumberMessage());
        focusBox(box);
    }
    return units;
}

void CCalcForm::handOn(const std::string& report)
{
    if (!report.empty())
        Q_EMIT reportReady(report);
    Q_EMIT calculated(m_kind);
}

void CCalcForm::linkMaterials(MaterialTable table)
{
    m_pMaterials = new CMaterialLinks(this, std::move(table));
    if (QPushButton* pick = button(IDC_MATERIALS))
        connect(pick, &QPushButton::clicked, this, &CCalcForm::OnMaterials);
}

std::vector<UsedBatch> CCalcForm::usedBatches() const
{
    return m_pMaterials ? m_pMaterials->usedBatches() : std::vector<UsedBatch> {};
}

void CCalcForm::OnMaterials()
{
    if (!m_pRecords || !m_pRecords->isOpen()) {
        ShowNotice(this, Prompter::Icon::Exclamation, QStringLiteral("原材料库"),
            QStringLiteral("原材料库未打开，不能选择材料。请在各框中直接键入数值，计算照常进行。"));
        return;
    }
    m_pMaterials->pick(*m_pRecords);
}
