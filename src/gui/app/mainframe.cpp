#include "app/mainframe.h"

#include "res/commandids.h"
#include "app/keystate.h"
#include "app/recentfiles.h"
#include "doc/qorudoc.h"
#include "res/strings.h"
#include "res/toolbaricons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#ifndef QORU_DATADIR
#define QORU_DATADIR ""
#endif

namespace {

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

struct KeyBinding {
    int id;
    QList<QKeySequence> keys;
};

const QList<KeyBinding>& Accelerators()
{
    static const QList<KeyBinding> table = {
        { ID_FILE_NEW, { QKeySequence(Qt::CTRL | Qt::Key_N) } },
        { ID_FILE_OPEN, { QKeySequence(Qt::CTRL | Qt::Key_O) } },
        { ID_FILE_SAVE, { QKeySequence(Qt::CTRL | Qt::Key_S) } },
        { ID_FILE_PRINT, { QKeySequence(Qt::CTRL | Qt::Key_P) } },
        { ID_EDIT_UNDO, { QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace) } },
        { ID_EDIT_CUT, { QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete) } },
        { ID_EDIT_COPY, { QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert) } },
        { ID_EDIT_PASTE, { QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert) } },
        { ID_NEXT_PANE, { QKeySequence(Qt::Key_F6) } },
        { ID_PREV_PANE, { QKeySequence(Qt::SHIFT | Qt::Key_F6) } },
    };
    return table;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    createMenu();
    createToolBar();
    createStatusBar();
    setDockNestingEnabled(false);

    // The window has one pane: the pane keys find no other and do nothing.
    addAction(makeAction(ID_NEXT_PANE));
    addAction(makeAction(ID_PREV_PANE));
    addAction(makeAction(ID_EDIT_UNDO)); // keys only
    addAction(makeAction(ID_CALC_MIX2)); // reached by no key
    addAction(makeAction(ID_FILE_PRINT_DIRECT));
    connect(action(ID_HELP_PAGE), &QAction::triggered, this, &CMainFrame::OnHelpPage);
    for (const KeyBinding& binding : Accelerators()) {
        QAction* a = action(binding.id);
        a->setShortcuts(binding.keys);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    qApp->installEventFilter(this);
    updateKeyIndicators();
}

QAction* CMainFrame::makeAction(int id, const QString& text)
{
    QAction* a = m_actions.value(id);
    if (a) {
        if (!text.isEmpty())
            a->setText(text);
        return a;
    }
    a = new QAction(text.isEmpty() ? Utf8(CommandTooltip(id)) : text, this);
    a->setData(id);
    a->setStatusTip(Utf8(CommandPrompt(id)));
    a->setToolTip(Utf8(CommandTooltip(id)));
    a->setIcon(ToolbarIcon(id));
    a->setIconVisibleInMenu(false);
    m_actions.insert(id, a);
    return a;
}

void CMainFrame::createMenu()
{
    m_pFileMenu = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    m_pFileMenu->addAction(makeAction(ID_FILE_NEW, QStringLiteral("新建(&N)")));
    m_pFileMenu->addAction(makeAction(ID_FILE_OPEN, QStringLiteral("打开(&O)...")));
    m_pFileMenu->addAction(makeAction(ID_FILE_SAVE, QStringLiteral("保存(&S)")));
    m_pFileMenu->addAction(makeAction(ID_FILE_SAVE_AS, QStringLiteral("另存为(&A)...")));
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(makeAction(ID_FILE_PRINT, QStringLiteral("打印(&P)...")));
    m_pFileMenu->addAction(makeAction(ID_FILE_PRINT_PREVIEW, QStringLiteral("打印预览(&V)")));
    m_pFileMenu->addAction(makeAction(ID_FILE_PRINT_SETUP, QStringLiteral("打印设置(&R)...")));
    m_pFileMenu->addSeparator();
    m_pRecentPlaceholder = makeAction(ID_FILE_MRU_FILE1, QStringLiteral("最近文件"));
    m_pFileMenu->addAction(m_pRecentPlaceholder);
    m_pRecentEnd = m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(makeAction(ID_APP_EXIT, QStringLiteral("退出(&X)")));

    for (int i = 1; i < CRecentFileList::kSize; ++i)
        makeAction(ID_FILE_MRU_FILE1 + i, QStringLiteral("-"));
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* entry = action(ID_FILE_MRU_FILE1 + i);
        entry->setToolTip(QString());
        connect(entry, &QAction::triggered, this, [this, i] { Q_EMIT recentFileChosen(i); });
    }
    m_pToolsMenu = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    m_pToolsMenu->addAction(makeAction(ID_TOOLS_MATERIALS, QStringLiteral("原材料库(&M)…")));
    m_pToolsMenu->addAction(makeAction(ID_TOOLS_LEDGER, QStringLiteral("配合比台账(&L)…")));
    m_pToolsMenu->addAction(
        makeAction(ID_TOOLS_IMPORT, QStringLiteral("导入本机台账到服务器(&I)…")));
    action(ID_TOOLS_IMPORT)->setVisible(false); // only while the records are on a server
    m_pSettingsMenu = menuBar()->addMenu(QStringLiteral("设置(&S)"));
    m_pSettingsMenu->addAction(makeAction(ID_SET_OPERATOR, QStringLiteral("操作人(&O)…")));
    m_pSettingsMenu->addAction(makeAction(ID_SET_LAB_NAME, QStringLiteral("试验室名称(&L)…")));
    m_pSettingsMenu->addAction(makeAction(ID_SET_DATABASE, QStringLiteral("数据库(&D)…")));

    connect(m_pFileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFileMenu);
    connect(action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    updateRecentFileMenu();
}

void CMainFrame::updateRecentFileMenu()
{
    for (int i = 0; i < CRecentFileList::kSize; ++i)
        m_pFileMenu->removeAction(action(ID_FILE_MRU_FILE1 + i));
    const QStringList paths = m_pRecent ? m_pRecent->paths() : QStringList();
    if (paths.isEmpty()) {
        m_pRecentPlaceholder->setText(QStringLiteral("最近文件"));
        m_pRecentPlaceholder->setEnabled(false);
        m_pFileMenu->insertAction(m_pRecentEnd, m_pRecentPlaceholder);
        return;
    }
    for (int i = 0; i < paths.size() && i < CRecentFileList::kSize; ++i) {
        QAction* entry = action(ID_FILE_MRU_FILE1 + i);
        QString shown = QDir::toNativeSeparators(paths.at(i));
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        entry->setEnabled(true);
        m_pFileMenu->insertAction(m_pRecentEnd, entry);
    }
}

void CMainFrame::createToolBar()
{
    m_pToolBar = new QToolBar(QStringLiteral("工具栏"), this);
    m_pToolBar->setObjectName(QString::number(AFX_IDW_TOOLBAR));
    m_pToolBar->setIconSize(QSize(kToolbarIconWidth, kToolbarIconHeight));
    m_pToolBar->setMovable(true); // with its gripper
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const int layout[] = { ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_EDIT_CUT,
        ID_EDIT_COPY, ID_EDIT_PASTE, ID_SEPARATOR, ID_FILE_PRINT, ID_SEPARATOR, ID_CALC_MIX,
        ID_CALC_MIX2, ID_CALC_ORDINARY, ID_CALC_ADJUST, ID_CALC_STDDEV, ID_CALC_EVALUATE, ID_SEPARATOR, ID_TOOLS_MATERIALS,
        ID_TOOLS_LEDGER, ID_SEPARATOR, ID_SET_FONT,
        ID_SEPARATOR, ID_HELP_PAGE };
    for (int id : layout) {
        if (id == ID_SEPARATOR) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* a = makeAction(id);
        if (a->text().isEmpty())
            a->setText(Utf8(CommandPrompt(id)));
        m_pToolBar->addAction(a);
        QWidget* button = m_pToolBar->widgetForAction(a);
        button->setObjectName(QString::number(id));
        button->setAccessibleName(a->toolTip().isEmpty() ? a->text() : a->toolTip());
        // A command whose string has no tooltip part shows no tooltip.
        if (CommandTooltip(id).empty())
            button->setProperty("noTooltip", true);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QString::number(AFX_IDW_STATUS_BAR));
    m_pIdlePrompt = new QLabel(QString::fromUtf8(kIdlePrompt), bar);
    m_pIdlePrompt->setObjectName(QString::number(ID_SEPARATOR));
    bar->addWidget(m_pIdlePrompt, 1);

    // Where the records are and who the user is there, and what waits for the server.
    m_pRecordsPane = new QLabel(bar);
    m_pRecordsPane->setObjectName(QStringLiteral("recordsPane"));
    m_pQueuePane = new QLabel(bar);
    m_pQueuePane->setObjectName(QStringLiteral("queuePane"));
    m_pQueuePane->hide();
    bar->addPermanentWidget(m_pQueuePane);
    bar->addPermanentWidget(m_pRecordsPane);

    const int ids[] = { ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
    const char* texts[] = { kIndicatorCaps, kIndicatorNum, kIndicatorScrl };
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QString::number(ids[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QString::fromUtf8(texts[i])) + 12);
        pane->setProperty("indicatorText", QString::fromUtf8(texts[i]));
        bar->addPermanentWidget(pane);
        m_pIndicators[i] = pane;
    }
}

void CMainFrame::setRecordsStatus(const QString& where, int queued)
{
    m_pRecordsPane->setText(where);
    m_pRecordsPane->setToolTip(QStringLiteral("记录保存在：") + where);
    m_pQueuePane->setText(QStringLiteral("待发送 %1 条").arg(queued));
    m_pQueuePane->setVisible(queued > 0);
}

void CMainFrame::updateKeyIndicators()
{
    const LockKey keys[] = { LockKey::Caps, LockKey::Num, LockKey::Scroll };
    for (int i = 0; i < 3; ++i) {
        QLabel* pane = m_pIndicators[i];
        const QString text = pane->property("indicatorText").toString();
        const std::optional<bool> on = LockKeyState(keys[i]);
        if (!on) {
            // The platform does not say: show the pane greyed.
            pane->setText(text);
            pane->setEnabled(false);
        } else {
            pane->setEnabled(true);
            pane->setText(*on ? text : QString());
        }
    }
}

void CMainFrame::setDocument(CQoruDoc* doc)
{
    m_pDoc = doc;
    connect(doc, &CQoruDoc::titleChanged, this, &CMainFrame::updateTitle);
    updateTitle();
}

void CMainFrame::updateTitle()
{
    const QString docTitle = m_pDoc ? m_pDoc->title() : QString::fromUtf8(kUntitled);
    setWindowTitle(docTitle + QStringLiteral(" - ") + QString::fromUtf8("Qoru"));
}

void CMainFrame::OnHelpPage()
{
    // The page beside the user's work first, then beside the program, then
    // where it was installed. Nothing happens when there is none.
    const QString name = QStringLiteral("qohelp.htm");
    const QStringList folders = { QDir::currentPath(), QCoreApplication::applicationDirPath(),
        QString::fromUtf8(QORU_DATADIR) };
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfo page(QDir(folder), name);
        if (page.isFile()) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(page.absoluteFilePath()));
            return;
        }
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_pDoc && !m_pDoc->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        if (watched->property("noTooltip").toBool())
            return true; // a button whose string has no tooltip
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        updateKeyIndicators();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
