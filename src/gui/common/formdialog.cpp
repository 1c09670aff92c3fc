#include "common/formdialog.h"

#include "common/numberrule.h"
#include "common/prompter.h"
#include "common/reportnum.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
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

namespace {

// Qt names a drop-down list by its current entry on some platforms; a screen
// reader should hear the label, as for the boxes, with the entry as value.
class NamedListAccessible : public QAccessibleWidget
{
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        if (t == QAccessible::Name && !list()->accessibleName().isEmpty())
            return list()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QStringList { showMenuAction(), pressAction() } + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* FormListFactory(const QString& className, QObject* object)
{
    auto* list = qobject_cast<QComboBox*>(object);
    if (className == QLatin1String("QComboBox") && list && list->property("formList").toBool())
        return new NamedListAccessible(list);
    return nullptr;
}

// Read-only boxes take the background of disabled ones, so that what can be
// typed into stands out.
void ShowReadOnly(QLineEdit* box)
{
    if (!box->isReadOnly()) {
        box->setPalette(QPalette()); // the form's own again
        return;
    }
    QPalette palette = box->parentWidget()->palette();
    QColor grey = palette.color(QPalette::Disabled, QPalette::Base);
    if (grey == palette.color(QPalette::Active, QPalette::Base))
        grey = palette.color(QPalette::Active, QPalette::Window);
    QPalette own;
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
        own.setColor(group, QPalette::Base, grey);
    box->setPalette(own);
}

bool IsEnterKey(const QKeyEvent* key)
{
    // The keypad Enter carries the keypad modifier; on Windows both are key 13.
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

CFormDialog::CFormDialog(const DialogSpec& dialog, QWidget* parent) : QDialog(parent)
{
    static const bool namedLists = (QAccessible::installFactory(FormListFactory), true);
    Q_UNUSED(namedLists);
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
        if (edit->isReadOnly())
            ShowReadOnly(edit);
        w = edit;
        break;
    }
    case ControlKind::DropList: {
        auto* list = new QComboBox(this);
        list->setEditable(false);
        list->setFocusPolicy(Qt::StrongFocus);
        list->setMaxVisibleItems(std::max(3, c.h / 8)); // the template's height is the open list's
        r.setHeight(mapDialogRect(0, 0, 0, 12).height());
        list->setProperty("formList", true);
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
        list->setTabKeyNavigation(false); // Tab leaves the list; arrows walk its rows
        // A report-style list: whole rows, read-only, one text line a row.
        list->setShowGrid(true);
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setWordWrap(false);
        list->verticalHeader()->hide();
        list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
        list->horizontalHeader()->setHighlightSections(false);
        list->horizontalHeader()->setSectionsClickable(false);
        // Keep the selection as visible as with the focus in the list.
        QPalette palette = list->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
            palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
            palette.color(QPalette::Active, QPalette::HighlightedText));
        list->setPalette(palette);
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

bool CFormDialog::reachable(const QWidget* box) const
{
    return box->isEnabledTo(this) && box->isVisibleTo(this);
}

void CFormDialog::showHeld(const Binding& b)
{
    std::string text;
    if (b.d)
        text = FormatGeneral(*b.d, 15);
    else if (b.f)
        text = FormatGeneral(*b.f, 6);
    else
        text = std::to_string(*b.n);
    edit(b.id)->setText(QString::fromStdString(text));
}

bool CFormDialog::UpdateData(bool saveAndValidate)
{
    for (const Binding& b : m_bindings) {
        QLineEdit* box = edit(b.id);
        if (!box)
            continue;
        if (!saveAndValidate) {
            showHeld(b);
            continue;
        }
        // A box the user cannot reach keeps its member: a message could not
        // lead the user to it.
        if (!reachable(box))
            continue;
        const NumberBoxType type
            = b.d ? NumberBoxType::Double : b.f ? NumberBoxType::Float : NumberBoxType::Int;
        const std::optional<double> value = ReadNumberBox(box->text().toStdString(), type);
        if (!value) {
            ShowMessage(this, NotANumberMessage());
            focusBox(box);
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

void CFormDialog::focusBox(QLineEdit* box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
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
    switch (event->type()) {
    case QEvent::KeyPress:
        if (IsEnterKey(static_cast<QKeyEvent*>(event))) {
            const int id = watched->objectName().toInt();
            auto* button = qobject_cast<QPushButton*>(watched);
            if (button && m_enterButtons.contains(id)) {
                button->click();
                return true;
            }
            // Enter moves on to the next tab stop, as Tab would.
            focusNextChild();
            return true;
        }
        break;
    case QEvent::Wheel:
        // A list changes under the wheel only while the user works in it.
        if (auto* list = qobject_cast<QComboBox*>(watched); list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::ReadOnlyChange:
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            ShowReadOnly(box);
        break;
    case QEvent::EnabledChange:
    case QEvent::HideToParent:
        // A box that goes out of reach shows the value it keeps.
        if (auto* box = qobject_cast<QLineEdit*>(watched);
            box && !reachable(box)) {
            for (const Binding& b : m_bindings)
                if (b.id == box->objectName().toInt())
                    showHeld(b);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
