#pragma once

#include <QHash>
#include <QMainWindow>

class CQoruDoc;
class CRecentFileList;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

// The main window: the File menu, the toolbar, the status bar with its
// prompt and the lock-key panes, around the report view.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(QWidget* parent = nullptr);

    // The action of a command ID, or null.
    QAction* action(int id) const { return m_actions.value(id); }
    QToolBar* toolBar() const { return m_pToolBar; }
    QMenu* fileMenu() const { return m_pFileMenu; }
    QMenu* toolsMenu() const { return m_pToolsMenu; }
    QMenu* settingsMenu() const { return m_pSettingsMenu; }

    // The document asked before the window closes; the title follows it.
    void setDocument(CQoruDoc* doc);
    // The list the File menu shows its recent files from.
    void setRecentFiles(const CRecentFileList* list) { m_pRecent = list; }
    void updateTitle();
    // Rebuilds the recent-file entries of the File menu.
    void updateRecentFileMenu();
    // The status bar's panes of the records: where they are (本机 file or
    // user@host/db, and the role), and "待发送 N 条" while N > 0.
    void setRecordsStatus(const QString& where, int queued);
    QLabel* recordsPane() const { return m_pRecordsPane; }
    QLabel* queuePane() const { return m_pQueuePane; }
    // Shows whether the lock keys are on.
    void updateKeyIndicators();
    // No menu to hide the toolbar: without it there is no other way to the
    // calculators, the font command or help.
    QMenu* createPopupMenu() override { return nullptr; }

public Q_SLOTS:
    void OnHelpPage();

Q_SIGNALS:
    // A recent-file entry was chosen (0 is the most recent).
    void recentFileChosen(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* makeAction(int id, const QString& text = QString());
    void createMenu();
    void createToolBar();
    void createStatusBar();

    QHash<int, QAction*> m_actions;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pToolsMenu = nullptr;
    QMenu* m_pSettingsMenu = nullptr;
    QAction* m_pRecentPlaceholder = nullptr;
    QAction* m_pRecentEnd = nullptr; // the separator after the recent files
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pIdlePrompt = nullptr;
    QLabel* m_pIndicators[3] = {};
    QLabel* m_pRecordsPane = nullptr;
    QLabel* m_pQueuePane = nullptr;
    CQoruDoc* m_pDoc = nullptr;
    const CRecentFileList* m_pRecent = nullptr;
};
