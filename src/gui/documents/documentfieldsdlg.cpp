#include "documents/documentfieldsdlg.h"

#include "common/prompter.h"
#include "documents/documentdata.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CDocumentFieldsDlg::CDocumentFieldsDlg(const DocumentFieldMap& fields, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("通知单与报告的内容"));
    auto* form = new QFormLayout(this);
    for (const char* name : DocumentFieldNames()) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(200);
        const auto it = fields.find(name);
        if (it != fields.end())
            edit->setText(QString::fromStdString(it->second));
        form->addRow(QString::fromUtf8(name) + QStringLiteral("："), edit);
        m_edits[name] = edit;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

DocumentFieldMap CDocumentFieldsDlg::fields() const
{
    DocumentFieldMap map;
    for (const auto& [name, edit] : m_edits)
        if (!edit->text().trimmed().isEmpty())
            map[name] = edit->text().trimmed().toStdString();
    return map;
}

QLineEdit* CDocumentFieldsDlg::edit(const char* name) const
{
    const auto it = m_edits.find(name);
    return it == m_edits.end() ? nullptr : it->second;
}

bool EditDocumentFields(QWidget* parent, RecordStore& store, std::int64_t entryId)
{
    DocumentFieldStore fieldStore(store);
    auto fields = fieldStore.fields(entryId);
    if (!fields) {
        ShowExclamation(parent, QString::fromStdString(fields.error().message));
        return false;
    }
    // A refused save reopens the form with what was typed, to correct or
    // cancel: nothing typed is lost to a refusal.
    DocumentFieldMap typed = *fields;
    for (;;) {
        CDocumentFieldsDlg dialog(typed, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        typed = dialog.fields();
        auto saved = fieldStore.setFields(entryId, typed);
        if (saved)
            return true;
        ShowExclamation(parent, QString::fromStdString(saved.error().message));
    }
}
