#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

#include "app/recentfiles.h"

class CCalculators;
class CMainFrame;
class CPrintCommands;
class CQoruDoc;
class CQoruView;
class FileSystem;
class QPrinter;

// The application: starts up, keeps the settings, and owns the one main
// window, document, view and calculator switchboard for the whole run.
class CQoruApp : public QObject
{
    Q_OBJECT

public:
    // `files` is the file access the document uses; null for the real one.
    explicit CQoruApp(FileSystem* files = nullptr, QObject* parent = nullptr);
    ~CQoruApp() override;

    // Start-up: settings, main window, document and view, then the command
    // line (no argument or one file name), then the window maximized.
    // False when the file named on the command line could not be opened.
    bool InitInstance(const QStringList& arguments);

    CMainFrame* mainFrame() const { return m_pFrame; }
    CQoruDoc* document() const { return m_pDoc; }
    CQoruView* view() const { return m_pView; }
    CCalculators* calculators() const { return m_pCalcs; }
    const CRecentFileList& recentFiles() const { return m_recent; }
    int previewPages() const { return m_nPreviewPages; }
    void setPreviewPages(int pages);
    // The one printer of the run, shared by print, preview and set-up;
    // made when first asked for.
    QPrinter* printer();
    CPrintCommands* printCommands() const { return m_pPrint; }

    // Opens a file into the report, asking first to save changes. A file
    // that is already the report's own is not opened again.
    bool OpenDocumentFile(const QString& path);

    static const char* const kRegistryKey;

public Q_SLOTS:
    void OnFileNew();
    void OnFileOpen();
    void OnFileMru(int index);

private:
    enum class OpenResult { Opened, Stopped, Failed }; // Stopped: by the save question
    OpenResult openDocumentFile(const QString& path);
    void createWindow();
    void connectCommands();
    void addRecentFile(const QString& path);
    void saveRecentFiles();

    std::unique_ptr<FileSystem> m_ownFiles;
    FileSystem* m_pFiles;
    CMainFrame* m_pFrame = nullptr;
    CQoruView* m_pView = nullptr;
    CQoruDoc* m_pDoc = nullptr;
    CCalculators* m_pCalcs = nullptr;
    CRecentFileList m_recent;
    int m_nPreviewPages = 1;
    std::unique_ptr<QPrinter> m_pPrinter;
    CPrintCommands* m_pPrint = nullptr;
};
