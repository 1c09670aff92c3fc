#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/recentfiles.h"
#include "records/ledger.h"
#include "records/serveradmin.h"

class CCalcForm;
class CCalculators;
class CLedgerWindow;
class CMainFrame;
class CMaterialsWindow;
class CPrintCommands;
class CQoruDoc;
class CQoruView;
class FileSystem;
class QPrinter;
class QThread;
class QTimer;
class RecordQueue;
class RecordStore;

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
    // The 原材料库 window once opened, else null.
    CMaterialsWindow* materialsWindow() const { return m_pMaterials; }
    const CRecentFileList& recentFiles() const { return m_recent; }
    int previewPages() const { return m_nPreviewPages; }
    void setPreviewPages(int pages);
    // The one printer of the run, shared by print, preview and set-up;
    // made when first asked for.
    QPrinter* printer();
    CPrintCommands* printCommands() const { return m_pPrint; }
    // The ledger window while it is open, else null.
    CLedgerWindow* ledgerWindow() const;

    // The laboratory's records; always an object, open when records are kept.
    RecordStore& records() { return *m_pRecords; }
    // 操作人: as set under 设置, else the server's login, else the login name.
    QString operatorName() const;
    void setOperatorName(const QString& name);
    // (Re)opens the records on `path` (a file or a server address), telling
    // the user what the opening did to the file or why it failed; the store
    // stays closed on failure. On a server, calculations are then recorded
    // through the local queue, also while it is away.
    bool openRecords(const QString& path);
    // Where the records are opened: --database, else the setting, else the
    // default file.
    QString recordsPath() const;
    // 设置 → 数据库's 连接: opens `address` with this session's `password`
    // on its own first; only when that succeeds does the app take it over
    // and keep the choice (never the password). False with the reason.
    bool connectRecords(const QString& address, const QString& password, QString* error);
    // What the login of the open records may do: Owner for a local file,
    // None while no store is open.
    UserRole role() const { return m_role; }
    // The records that wait in the local queue for the server; 0 on a file.
    int queuedRecords();
    // Sends what waits in the local queue (the timer does it every 30 s), in
    // a worker thread: a server that does not answer never holds up the
    // window. queueFlushed() follows once the outcome is shown.
    void flushQueue();
    // Whether a flush is under way.
    bool flushing() const { return m_pFlushThread != nullptr; }

    // What a calculation's record holds beyond the form: the batches it
    // used and the entry a trial batch was opened from. The picker and the
    // ledger set them before a press; each is used by the next record only.
    void setNextBatches(std::vector<UsedBatch> batches) { m_nextBatches = std::move(batches); }
    void setNextParent(std::optional<std::int64_t> entryId) { m_nextParent = entryId; }

    // Opens a file into the report, asking first to save changes. A file
    // that is already the report's own is not opened again.
    bool OpenDocumentFile(const QString& path);

    static const char* const kRegistryKey;

public Q_SLOTS:
    void OnFileNew();
    void OnFileOpen();
    void OnFileMru(int index);
    void OnSetOperator();
    void OnSetDatabase();
    // 工具 → 配合比台账: opens the ledger window, or raises the open one.
    void OnToolsLedger();
    void OnSetLabName();
    // 工具 → 原材料库: the library's window, raised when it is open.
    void OnToolsMaterials();
    void OnToolsImport();

Q_SIGNALS:
    // The records were (re)opened, or an entry was recorded.
    void recordsChanged();
    // A flush of the local queue ended and the status bar says what it found.
    void queueFlushed();

private:
    enum class OpenResult
    {
        Opened,
        Stopped,
        Failed
    }; // Stopped: by the save question
    OpenResult openDocumentFile(const QString& path);
    void createWindow();
    void connectCommands();
    void addRecentFile(const QString& path);
    void saveRecentFiles();
    // Records a completed calculation; the report stays appended whatever
    // becomes of the record, and the status bar says when it was not kept.
    void recordCalculation(CCalcForm* form);
    // After the store opened, closed or reopened: the queue, the role, the
    // status bar, the import command; tells the windows.
    void recordsOpened();
    void updateRecordsStatus();
    struct FlushOutcome;
    void flushFinished(const FlushOutcome& outcome, const QString& address);

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
    CMaterialsWindow* m_pMaterials = nullptr; // a child of the frame
    std::unique_ptr<RecordStore> m_pRecords;
    QString m_databaseArg; // --database FILE or a server address
    QString m_password; // the server's, for this session only
    QString m_queueAddress; // the server the records are on, without the password; "" for a file
    UserRole m_role = UserRole::None;
    QString m_serverLogin; // the login on a server, the default 操作人 there
    std::unique_ptr<RecordStore> m_pOutbox; // the local file that holds the queue
    std::unique_ptr<RecordQueue> m_pQueue; // only when the records are on a server
    QTimer* m_pFlushTimer = nullptr;
    QThread* m_pFlushThread = nullptr; // the flush under way, else null
    bool m_bFlushAgain = false; // asked for while one was under way
    std::string m_lastReport; // the report the calculation now recorded handed on
    std::vector<UsedBatch> m_nextBatches;
    std::optional<std::int64_t> m_nextParent;
    QPointer<CLedgerWindow> m_pLedger;
};
