#include "materials/materiallinks.h"

#include "common/formdialog.h"
#include "common/numberrule.h"
#include "materials/materialpicker.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>
#include <cmath>

namespace {

// The tint of a box that no longer holds its batch's value.
const QColor kChanged(255, 228, 196);

bool SameNumber(const QString& a, const QString& b)
{
    const auto x = ParseNumberBox(a.toStdString());
    const auto y = ParseNumberBox(b.toStdString());
    if (!x || !y)
        return a.trimmed() == b.trimmed();
    return std::fabs(*x - *y) <= 1e-9 * std::max(1.0, std::fabs(*y));
}

} // namespace

QString BatchCaption(const BatchChoice& c)
{
    QString caption = QString::fromStdString(c.material.name) + QStringLiteral(" · 批号 ")
        + QString::fromStdString(c.batch.batchNo);
    if (!c.batch.arrivalDate.empty())
        caption += QStringLiteral(" · ") + QString::fromStdString(c.batch.arrivalDate);
    return caption;
}

CMaterialLinks::CMaterialLinks(CFormDialog* form, MaterialTable table)
    : QObject(form)
    , m_pForm(form)
    , m_table(std::move(table))
{
    for (const MaterialFill& f : m_table.fills) {
        QWidget* w = form->control(f.id);
        const int id = f.id;
        if (auto* box = qobject_cast<QLineEdit*>(w))
            connect(box, &QLineEdit::textChanged, this, [this, id] { check(id); });
        else if (auto* list = qobject_cast<QComboBox*>(w))
            connect(list, &QComboBox::currentTextChanged, this, [this, id] { check(id); });
    }
}

void CMaterialLinks::write(QWidget* w, const QString& text)
{
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        box->setText(text);
        return;
    }
    auto* list = qobject_cast<QComboBox*>(w);
    if (!list)
        return;
    int index = list->findText(text);
    if (index < 0) // a number written otherwise: "20" for "20.0"
        for (int i = 0; i < list->count() && index < 0; ++i)
            if (SameNumber(list->itemText(i), text) && ParseNumberBox(text.toStdString()))
                index = i;
    if (index < 0)
        return;
    list->setCurrentIndex(index);
    // As if the user had chosen it: the form's own handler runs.
    Q_EMIT list->activated(index);
}

void CMaterialLinks::choose(MaterialRole role, const std::optional<BatchChoice>& choice)
{
    choose({ { role, choice } });
}

void CMaterialLinks::choose(const std::map<MaterialRole, std::optional<BatchChoice>>& choices)
{
    for (const auto& [role, choice] : choices) {
        const auto old = m_chosen.find(role);
        if (old != m_chosen.end()) {
            for (Filled& f : old->second.boxes)
                mark(f, old->second.choice, false);
            m_chosen.erase(old);
        }
        if (choice)
            m_chosen[role] = Chosen { *choice, {} };
    }
    // Every list first, as if the user chose there: a list's handler may
    // write the form's boxes again, also those another role fills.
    for (bool lists : { true, false })
        for (const MaterialFill& f : m_table.fills) {
            const auto chosen = m_chosen.find(f.role);
            QWidget* w = m_pForm->control(f.id);
            if (!choices.count(f.role) || chosen == m_chosen.end() || !w
                || (qobject_cast<QComboBox*>(w) != nullptr) != lists)
                continue;
            const QString text = f.value(chosen->second.choice);
            if (text.isEmpty())
                continue; // a value the batch does not have
            write(w, text);
            Filled filled;
            filled.role = f.role;
            filled.id = f.id;
            filled.text = text;
            if (auto* list = qobject_cast<QComboBox*>(w);
                list && SameNumber(list->currentText(), text))
                filled.text = list->currentText(); // "42.5" chosen for "42.50"
            chosen->second.boxes.push_back(filled);
        }
    for (const auto& [role, choice] : choices)
        if (const auto chosen = m_chosen.find(role); chosen != m_chosen.end())
            for (const Filled& f : chosen->second.boxes)
                check(f.id);
    // The form takes the values in, as a list choice of its own does: a list
    // handler that writes the boxes back later must not undo the filling.
    if (!choices.empty())
        m_pForm->UpdateData(true);
}

std::optional<std::int64_t> CMaterialLinks::chosen(MaterialRole role) const
{
    const auto it = m_chosen.find(role);
    if (it == m_chosen.end())
        return std::nullopt;
    return it->second.choice.batch.id;
}

bool CMaterialLinks::holds(const Filled& f) const
{
    QWidget* w = m_pForm->control(f.id);
    if (auto* box = qobject_cast<QLineEdit*>(w))
        return SameNumber(box->text(), f.text);
    if (auto* list = qobject_cast<QComboBox*>(w))
        return list->currentText() == f.text;
    return true;
}

bool CMaterialLinks::matches(MaterialRole role) const
{
    const auto it = m_chosen.find(role);
    if (it == m_chosen.end())
        return false;
    for (const Filled& f : it->second.boxes)
        if (!holds(f))
            return false;
    return true;
}

bool CMaterialLinks::isMarked(int id) const
{
    for (const auto& [role, chosen] : m_chosen)
        for (const Filled& f : chosen.boxes)
            if (f.id == id && f.marked)
                return true;
    return false;
}

std::vector<UsedBatch> CMaterialLinks::usedBatches() const
{
    std::vector<UsedBatch> used;
    for (MaterialRole role : m_table.roles)
        if (const auto it = m_chosen.find(role); it != m_chosen.end() && matches(role))
            used.push_back({ role, it->second.choice.batch.id });
    return used;
}

void CMaterialLinks::check(int id)
{
    for (auto& [role, chosen] : m_chosen)
        for (Filled& f : chosen.boxes)
            if (f.id == id)
                mark(f, chosen.choice, !holds(f));
}

void CMaterialLinks::mark(Filled& f, const BatchChoice& choice, bool on)
{
    QWidget* w = m_pForm->control(f.id);
    if (!w || f.marked == on)
        return;
    f.marked = on;
    if (on) {
        f.palette = w->palette();
        f.toolTip = w->toolTip();
        QPalette tinted = f.palette;
        for (auto group : { QPalette::Active, QPalette::Inactive }) {
            tinted.setColor(group, QPalette::Base, kChanged);
            tinted.setColor(group, QPalette::Button, kChanged);
        }
        w->setPalette(tinted);
        w->setToolTip(QStringLiteral("已改动，与所选批次不一致：%1（批次的值为 %2）")
                          .arg(BatchCaption(choice), f.text));
    } else {
        w->setPalette(f.palette);
        w->setToolTip(f.toolTip);
    }
}

void CMaterialLinks::pick(RecordStore& store)
{
    std::map<MaterialRole, std::int64_t> current;
    for (const auto& [role, chosen] : m_chosen)
        current[role] = chosen.choice.batch.id;
    CMaterialPickerDlg dlg(store, m_table, current, m_pForm);
    if (dlg.exec() != QDialog::Accepted)
        return;
    std::map<MaterialRole, std::optional<BatchChoice>> changed;
    for (MaterialRole role : m_table.roles) {
        const std::optional<BatchChoice> choice = dlg.choice(role);
        const auto was = current.find(role);
        const std::optional<std::int64_t> before
            = was == current.end() ? std::nullopt : std::optional<std::int64_t>(was->second);
        const std::optional<std::int64_t> now
            = choice ? std::optional<std::int64_t>(choice->batch.id) : std::nullopt;
        if (before != now) // a batch kept as it was leaves its boxes as edited
            changed[role] = choice;
    }
    choose(changed);
}
