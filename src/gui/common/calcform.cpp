#include "common/calcform.h"

#include "common/exactdecimal.h"
#include "common/numberrule.h"
#include "common/prompter.h"

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
