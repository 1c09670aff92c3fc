#include "materials/materialforms.h"

#include "common/numberrule.h"
#include "common/prompter.h"
#include "materials/materialsui.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

void Focus(QWidget* w)
{
    if (!w)
        return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(w))
        box->selectAll();
    else if (auto* list = qobject_cast<QComboBox*>(w); list && list->lineEdit())
        list->lineEdit()->selectAll();
}

} // namespace

CRecordForm::CRecordForm(MaterialLibrary& library, QWidget* parent)
    : QDialog(parent)
    , m_library(library)
    , m_pLayout(new QFormLayout(this))
{
    SetDialogFont(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setMinimumWidth(420);
}

QLineEdit* CRecordForm::addText(const QString& key, const QString& label, const std::string& text)
{
    auto* box = new QLineEdit(Q(text), this);
    box->setObjectName(key);
    box->setMaxLength(200);
    m_pLayout->addRow(label + QStringLiteral("："), box);
    m_boxes.insert(key, box);
    return box;
}

QLineEdit* CRecordForm::addNumber(const QString& key, const QString& label, const std::string& text)
{
    QLineEdit* box = addText(key, label, text);
    box->setMaxLength(static_cast<int>(kBoxChars));
    box->setAlignment(Qt::AlignCenter);
    m_numbers << box;
    return box;
}

QComboBox* CRecordForm::addChoice(const QString& key, const QString& label,
    const std::vector<std::string>& items, const std::string& text, bool editable)
{
    auto* list = new QComboBox(this);
    list->setObjectName(key);
    list->setEditable(editable);
    list->addItem(QString());
    for (const std::string& item : items)
        list->addItem(Q(item));
    const int index = list->findText(Q(text));
    if (index >= 0)
        list->setCurrentIndex(index);
    else if (editable)
        list->setEditText(Q(text));
    m_pLayout->addRow(label + QStringLiteral("："), list);
    m_boxes.insert(key, list);
    return list;
}

QString CRecordForm::text(const QString& key) const
{
    QWidget* w = m_boxes.value(key);
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return box->text().trimmed();
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->currentText().trimmed();
    return {};
}

void CRecordForm::addButtons()
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_pLayout->addRow(buttons);
}

void CRecordForm::accept()
{
    for (QLineEdit* box : m_numbers) {
        if (box->text().trimmed().isEmpty())
            continue; // not measured
        if (!ParseNumberBox(box->text().toStdString())) {
            ShowMessage(this, NotANumberMessage());
            Focus(box);
            return;
        }
    }
    const Result<std::int64_t> saved = save();
    if (!saved) {
        ShowNotice(this, Prompter::Icon::Exclamation, QStringLiteral("原材料库"),
            Q(saved.error().message));
        Focus(box(Q(saved.error().field)));
        return;
    }
    m_savedId = *saved;
    QDialog::accept();
}

CMaterialDlg::CMaterialDlg(MaterialLibrary& library, const Material& material, QWidget* parent)
    : CRecordForm(library, parent)
    , m_material(material)
{
    const MaterialKind kind = material.kind;
    setWindowTitle((material.id ? QStringLiteral("编辑") : QStringLiteral("新增"))
        + Q(MaterialKindName(kind)));
    addText(QStringLiteral("name"), QStringLiteral("名称(&N)"), material.name);
    if (kind == MaterialKind::Admixture)
        addText(QStringLiteral("variety"), VarietyLabel(kind), material.variety);
    else if (kind != MaterialKind::Water)
        addChoice(QStringLiteral("variety"), VarietyLabel(kind), MaterialVarieties(kind),
            material.variety);
    if (kind == MaterialKind::Cement)
        addChoice(
            QStringLiteral("grade"), QStringLiteral("强度等级"), CementGrades(), material.grade);
    if (kind == MaterialKind::Mineral)
        addChoice(QStringLiteral("grade"), QStringLiteral("等级"),
            { "Ⅰ级", "Ⅱ级", "Ⅲ级", "S75", "S95", "S105" }, material.grade, true);
    if (kind == MaterialKind::CoarseAggregate)
        addText(QStringLiteral("sizeRange"), QStringLiteral("公称粒径(mm)"), material.sizeRange)
            ->setPlaceholderText(QStringLiteral("5–20"));
    for (const MaterialValueField& f : MaterialValueFields(kind))
        addNumber(QString::fromLatin1(f.key), f.label, material.values.*f.member);
    addText(QStringLiteral("maker"), QStringLiteral("生产厂家/产地"), material.maker);
    addText(QStringLiteral("specText"), QStringLiteral("规格"), material.specText);
    addText(QStringLiteral("note"), QStringLiteral("备注"), material.note);
    addButtons();
}

Material CMaterialDlg::material() const
{
    Material m = m_material;
    m.name = text(QStringLiteral("name")).toStdString();
    m.variety = text(QStringLiteral("variety")).toStdString();
    m.grade = text(QStringLiteral("grade")).toStdString();
    m.sizeRange = text(QStringLiteral("sizeRange")).toStdString();
    for (const MaterialValueField& f : MaterialValueFields(m.kind))
        m.values.*f.member = text(QString::fromLatin1(f.key)).toStdString();
    m.maker = text(QStringLiteral("maker")).toStdString();
    m.specText = text(QStringLiteral("specText")).toStdString();
    m.note = text(QStringLiteral("note")).toStdString();
    return m;
}

Result<std::int64_t> CMaterialDlg::save()
{
    const Material m = material();
    if (m.id == 0)
        return m_library.addMaterial(m);
    const Result<void> updated = m_library.updateMaterial(m);
    if (!updated)
        return updated.error();
    return m.id;
}

CBatchDlg::CBatchDlg(
    MaterialLibrary& library, const Material& material, const Batch& batch, QWidget* parent)
    : CRecordForm(library, parent)
    , m_material(material)
    , m_batch(batch)
{
    setWindowTitle((batch.id ? QStringLiteral("编辑批次：") : QStringLiteral("新增批次："))
        + Q(material.name));
    addText(QStringLiteral("batchNo"), QStringLiteral("批号(&N)"), batch.batchNo);
    const QString dateHint = QStringLiteral("yyyy-MM-dd");
    addText(QStringLiteral("arrivalDate"), QStringLiteral("进场日期"), batch.arrivalDate)
        ->setPlaceholderText(dateHint);
    addText(QStringLiteral("reportNo"), QStringLiteral("检验报告编号"), batch.reportNo);
    addText(QStringLiteral("testDate"), QStringLiteral("检验日期"), batch.testDate)
        ->setPlaceholderText(dateHint);
    for (const MaterialValueField& f : MaterialValueFields(material.kind)) {
        QLineEdit* box = addNumber(QString::fromLatin1(f.key), f.label, batch.measured.*f.member);
        // An empty box takes the material's value.
        const std::string& own = material.values.*f.member;
        if (!own.empty())
            box->setPlaceholderText(QStringLiteral("材料：") + Q(own));
    }
    if (IsAggregateKind(material.kind))
        addNumber(QStringLiteral("moisture"), QStringLiteral("含水率(%)"), batch.moisture);
    addChoice(QStringLiteral("active"), QStringLiteral("状态"), { "在用", "停用" },
        batch.active ? "在用" : "停用");
    if (auto* list = qobject_cast<QComboBox*>(box(QStringLiteral("active"))))
        list->removeItem(0); // a batch is one or the other
    addButtons();
}

Batch CBatchDlg::batch() const
{
    Batch b = m_batch;
    b.materialId = m_material.id;
    b.batchNo = text(QStringLiteral("batchNo")).toStdString();
    b.arrivalDate = text(QStringLiteral("arrivalDate")).toStdString();
    b.reportNo = text(QStringLiteral("reportNo")).toStdString();
    b.testDate = text(QStringLiteral("testDate")).toStdString();
    for (const MaterialValueField& f : MaterialValueFields(m_material.kind))
        b.measured.*f.member = text(QString::fromLatin1(f.key)).toStdString();
    b.moisture = text(QStringLiteral("moisture")).toStdString();
    b.active = text(QStringLiteral("active")) != QStringLiteral("停用");
    return b;
}

Result<std::int64_t> CBatchDlg::save()
{
    const Batch b = batch();
    if (b.id == 0)
        return m_library.addBatch(b);
    const Result<void> updated = m_library.updateBatch(b);
    if (!updated)
        return updated.error();
    return b.id;
}
