// What a screen reader finds: every toolbar button by its tooltip, the
// report view by name, and in each calculator every box and list by its
// label and every button by its caption.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/ordinarydlg.h"
#include "res/strings.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testapp.h"
#include "testprompter.h"
#include "view/qoruview.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolBar>

#include <memory>

namespace {

// Every (role, name) in the accessible tree below `root`.
void Collect(QAccessibleInterface* iface, QMultiHash<QString, QAccessible::Role>& found, int depth = 0)
{
    if (!iface || depth > 40)
        return;
    const QString name = iface->text(QAccessible::Name);
    if (!name.isEmpty())
        found.insert(name, iface->role());
    for (int i = 0; i < iface->childCount(); ++i)
        Collect(iface->child(i), found, depth + 1);
}

QMultiHash<QString, QAccessible::Role> Tree(QWidget* root)
{
    QMultiHash<QString, QAccessible::Role> found;
    Collect(QAccessible::queryAccessibleInterface(root), found);
    return found;
}

QString Stripped(QString caption) { return caption.remove(QLatin1Char('&')); }

// Each box and list of a form is found under the name its label gives it,
// and each push button under its caption.
void CheckForm(CFormDialog& form)
{
    form.show();
    const auto tree = Tree(&form);
    int named = 0;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const bool box = qobject_cast<QLineEdit*>(w) && !w->objectName().isEmpty();
        const bool list = qobject_cast<QComboBox*>(w) != nullptr;
        if (box || list) {
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            if (w->isVisibleTo(&form)) {
                QVERIFY2(tree.contains(w->accessibleName()), qPrintable(w->accessibleName()));
                ++named;
            }
        }
        if (list) {
            // Named by its label, not by the entry it shows; the entry is its value.
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
            QCOMPARE(iface->text(QAccessible::Name), w->accessibleName());
            QCOMPARE(iface->role(), QAccessible::ComboBox);
            const QString entry = static_cast<QComboBox*>(w)->currentText();
            QCOMPARE(iface->text(QAccessible::Value), entry);
            QVERIFY2(w->accessibleName() != entry, qPrintable(entry));
            QCOMPARE(iface->childCount(), 1); // the open list
        }
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            QVERIFY2(tree.contains(Stripped(button->text())), qPrintable(button->text()));
    }
    QVERIFY(named > 0);
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;

private Q_SLOTS:
    void init()
    {
        QVERIFY(StartTestApp(m_prompter, m_app));
    }
    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
    }

    void toolbar_buttons_are_named_by_their_tooltips_and_the_view_by_its_name()
    {
        const auto tree = Tree(m_app->mainFrame());
        for (QAction* a : m_app->mainFrame()->toolBar()->actions()) {
            if (a->isSeparator())
                continue;
            const int id = a->data().toInt();
            const std::string tip = CommandTooltip(id);
            const QString name = QString::fromStdString(tip.empty() ? CommandPrompt(id) : tip);
            QVERIFY2(tree.contains(name), qPrintable(name));
            QCOMPARE(tree.value(name), QAccessible::Button);
        }
        QVERIFY(tree.contains(QStringLiteral("计算书")));
        QCOMPARE(tree.value(QStringLiteral("计算书")), QAccessible::EditableText);
    }

    void every_control_of_the_method1_form_has_a_name()
    {
        CMixDesignDlg form(m_app->view());
        CheckForm(form);
        QCOMPARE(form.control(1021)->accessibleName(), QStringLiteral("粗骨料体积(0.28-0.35)m3"));
        QCOMPARE(form.control(1010)->accessibleName(), QStringLiteral("混凝土抗压强度MPa"));
    }

    void every_control_of_the_method2_form_has_a_name()
    {
        CMixDesign2Dlg form(m_app->view());
        CheckForm(form);
        QCOMPARE(form.control(1049)->accessibleName(), QStringLiteral("粉体一种类"));
        QCOMPARE(form.control(1050)->accessibleName(), QStringLiteral("粉体二种类"));
    }

    void every_control_of_the_ordinary_form_has_a_name()
    {
        COrdinaryDlg form(m_app->view());
        CheckForm(form);
        QCOMPARE(form.control(1421)->accessibleName(), QStringLiteral("最大公称粒径(mm)"));
        QCOMPARE(form.control(1449)->accessibleName(), QStringLiteral("砂用量kg"));
    }

    void every_control_of_the_strength_calculator_has_a_name()
    {
        CStdDevDlg form(m_app->view());
        CheckForm(form);
        QCOMPARE(form.control(1065)->accessibleName(), QStringLiteral("输入试件强度:"));
    }

    void every_control_of_the_evaluation_form_has_a_name()
    {
        CEvaluateDlg form(m_app->view());
        CheckForm(form);
    }
};

QORU_GUI_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
