#include "common/formdialog.h"

#include "common/numberrule.h"
#include "common/prompter.h"
#include "common/reportnum.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include <cmath>
#include <limits>

namespace {

const char* const kNotANumber = "请键入一个数。";

} // namespace

CFormDialog::CFormDialog(const DialogSpec& dialog, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(dialog.id));
    setWindowTitle(QString::fromUtf8(dialog.caption));
    setWindowFlags((windowFlags() | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
        & ~Qt::WindowContextHelpButtonHint);

    QFont font(QString::fromUtf8(dialog.fontFace));
    font.setPointSize(dialog.pointSize);
    setFont(font);
    const QFontMetrics fm(font);
    // The dialog base units of the font: the average width of the Latin
    // letters, and the height of a line.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (fm.horizontalAdvance(letters) / 26 + 1) / 2;
    m_baseY = fm.height();

    QWidget* previous = nullptr;
    QList<QWidget*> frames;
    QList<QPair<QLabel*, int>> buddies;
    for (const ControlSpec& c : dialog.controls) {
        QWidget* w = create(c);
        if (c.kind == ControlKind::GroupBox)
            frames << w;
        if (c.kind == ControlKind::Label && c.buddy)
            buddies.append({ static_cast<QLabel*>(w), c.buddy });
        if (c.id >= 0) {
            w->setObjectName(QString::number(c.id));
            m_controls.insert(c.id, w);
        }
        if (w->focusPolicy() & Qt::TabFocus) {
            if (previous)
                setTabOrder(previous, w);
            previous = w;
        }
    }
    for (QWidget* frame : frames)
        frame->lower(); // frames stand behind the controls they surround
    // A box is named by its label, for screen readers and for tests alike.
    for (const auto& [label, id] : buddies) {
        if (QWidget* buddy = m_controls.value(id)) {
            label->setBuddy(buddy);
            buddy->setAccessibleName(label->text());
        }
    }
    setFixedSize(mapDialogRect(0, 0, dialog.width, dialog.height).size());
}

QRect CFormDialog::mapDialogRect(int x, int y, int w, int h) const
{
    return QRect(x * m_baseX / 4, y * m_baseY / 8, w * m_baseX / 4, h * m_baseY / 8);
}

QWidget* CFormDialog::create(const ControlSpec& c)
{
    const QString text = QString::fromUtf8(c.text);
    QRect r = mapDialogRect(c.x, c.y, c.w, c.h);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(text, this);
        const Qt::Alignment across = c.style & ControlStyle::Right ? Qt::AlignRight
            : c.style & ControlStyle::Centre                       ? Qt::AlignHCenter
                                                                   : Qt::AlignLeft;
        label->setAlignment(across | Qt::AlignTop);
        label->setWordWrap(false);
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        w = label;
        break;
    }
    case ControlKind::GroupBox: {
        auto* box = new QGroupBox(text, this);
        box->setFocusPolicy(Qt::NoFocus);
        w = box;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setAlignment(c.style & ControlStyle::Centre ? Qt::AlignCenter : Qt::AlignLeft);
        edit->setReadOnly(c.style & ControlStyle::ReadOnly);
        edit->setFocusPolicy(c.style & ControlStyle::TabStop ? Qt::StrongFocus : Qt::ClickFocus);
        edit->setTextMargins(0, 0, 0, 0);
        w = edit;
        break;
    }
    case ControlKind::DropList: {
        auto* list = new QComboBox(this);
        list->setEditable(false);
        list->setFocusPolicy(Qt::StrongFocus);
        list->setMaxVisibleItems(std::max(3, c.h / 8)); // the template's height is the open list's
        r.setHeight(mapDialogRect(0, 0, 0, 12).height());
        w = list;
        break;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        w = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, this);
        box->setFocusPolicy(Qt::StrongFocus);
        w = box;
        break;
    }
    case ControlKind::ListView: {
        auto* list = new QTableWidget(0, 1, this);
        list->setFocusPolicy(Qt::StrongFocus);
        w = list;
        break;
    }
    }
    w->setGeometry(r);
    if (c.style & ControlStyle::Hidden)
        w->hide();
    w->installEventFilter(this);
    return w;
}

QLineEdit* CFormDialog::edit(int id) const { return qobject_cast<QLineEdit*>(control(id)); }

QComboBox* CFormDialog::dropList(int id) const { return qobject_cast<QComboBox*>(control(id)); }

QPushButton* CFormDialog::button(int id) const { return qobject_cast<QPushButton*>(control(id)); }

void CFormDialog::bindDouble(int id, double* member) { m_bindings.append({ id, member, nullptr, nullptr }); }

void CFormDialog::bindFloat(int id, float* member) { m_bindings.append({ id, nullptr, member, nullptr }); }

void CFormDialog::bindInt(int id, int* member) { m_bindings.append({ id, nullptr, nullptr, member }); }

bool CFormDialog::UpdateData(bool saveAndValidate)
{
    for (const Binding& b : m_bindings) {
        QLineEdit* box = edit(b.id);
        if (!box)
            continue;
        if (!saveAndValidate) {
            std::string text;
            if (b.d)
                text = FormatGeneral(*b.d, 15);
            else if (b.f)
                text = FormatGeneral(*b.f, 6);
            else
                text = std::to_string(*b.n);
            box->setText(QString::fromStdString(text));
            continue;
        }
        const std::optional<double> value = ParseNumberBox(box->text().toStdString());
        const bool fits = value
            && (b.d || (b.f && std::fabs(*value) <= std::numeric_limits<float>::max())
                || (b.n && *value == std::trunc(*value) && std::fabs(*value) <= 2147483647.0));
        if (!fits) {
            ShowExclamation(this, QString::fromUtf8(kNotANumber));
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
            return false;
        }
        if (b.d)
            *b.d = *value;
        else if (b.f)
            *b.f = static_cast<float>(*value);
        else
            *b.n = static_cast<int>(*value);
    }
    return true;
}

void CFormDialog::centreOverOwner()
{
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = owner ? owner->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
}

bool CFormDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && key->modifiers() == Qt::NoModifier) {
            const int id = watched->objectName().toInt();
            auto* button = qobject_cast<QAbstractButton*>(watched);
            if (button && qobject_cast<QPushButton*>(watched) && m_enterButtons.contains(id)) {
                button->click();
                return true;
            }
            // Enter moves on to the next tab stop, as Tab would.
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
