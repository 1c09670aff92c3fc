#include "materials/materialpicker.h"

#include "materials/materiallinks.h"
#include "materials/materialsui.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// What the list shows of a batch beyond its name: the values the forms take.
QString Values(const BatchChoice& c)
{
    QStringList parts;
    const MaterialValues& v = c.effective;
    if (!c.material.variety.empty())
        parts << QString::fromStdString(c.material.variety);
    if (!c.material.grade.empty())
        parts << QString::fromStdString(c.material.grade);
    const struct
    {
        const std::string* value;
        const char* label;
    } shown[] = { { &v.density, "密度" }, { &v.strength28, "28d" }, { &v.fineness, "Mx" },
        { &v.maxSize, "Dmax" }, { &v.waterReduction, "减水率" }, { &v.dosage, "掺量" } };
    for (const auto& s : shown)
        if (!s.value->empty())
            parts << QString::fromUtf8(s.label) + QLatin1Char(' ')
                    + QString::fromStdString(*s.value);
    if (!c.batch.moisture.empty())
        parts << QStringLiteral("含水率 ") + QString::fromStdString(c.batch.moisture);
    return parts.join(QStringLiteral("，"));
}

} // namespace

CMaterialPickerDlg::CMaterialPickerDlg(RecordStore& store, const MaterialTable& table,
    const std::map<MaterialRole, std::int64_t>& current, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择材料"));
    setObjectName(QStringLiteral("materialPicker"));
    SetDialogFont(this);
    MaterialLibrary library(store);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    QString failure;
    int n = 0;
    for (MaterialRole role : table.roles) {
        auto* list = new QComboBox(this);
        list->setObjectName(QStringLiteral("role%1").arg(n++));
        list->setMinimumContentsLength(72); // room for a batch caption and its values
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->addItem(QStringLiteral("（不选）"), QVariant());
        auto batches = library.batchesInUse(RoleKind(role));
        if (!batches) {
            failure = QString::fromStdString(batches.error().message);
        } else {
            const auto only = table.varieties.find(role);
            for (const BatchChoice& c : *batches) {
                if (only != table.varieties.end() && c.material.variety != only->second)
                    continue;
                m_batches[c.batch.id] = c;
                const QString values = Values(c);
                list->addItem(BatchCaption(c)
                        + (values.isEmpty() ? QString()
                                            : QStringLiteral("（") + values + QStringLiteral("）")),
                    QVariant::fromValue<qlonglong>(c.batch.id));
            }
        }
        if (const auto it = current.find(role); it != current.end()) {
            const int index = list->findData(QVariant::fromValue<qlonglong>(it->second));
            if (index >= 0)
                list->setCurrentIndex(index);
        }
        QString caption = QString::fromStdString(MaterialRoleName(role));
        if (const auto it = table.varieties.find(role); it != table.varieties.end())
            caption
                += QStringLiteral("（") + QString::fromStdString(it->second) + QStringLiteral("）");
        auto* label = new QLabel(caption + QStringLiteral("："), this);
        label->setBuddy(list);
        form->addRow(label, list);
        m_lists[role] = list;
    }
    if (!failure.isEmpty()) {
        auto* note = new QLabel(failure, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QComboBox* CMaterialPickerDlg::list(MaterialRole role) const
{
    const auto it = m_lists.find(role);
    return it == m_lists.end() ? nullptr : it->second;
}

std::optional<BatchChoice> CMaterialPickerDlg::choice(MaterialRole role) const
{
    const QComboBox* l = list(role);
    if (!l || !l->currentData().isValid())
        return std::nullopt;
    const auto it = m_batches.find(l->currentData().toLongLong());
    if (it == m_batches.end())
        return std::nullopt;
    return it->second;
}
