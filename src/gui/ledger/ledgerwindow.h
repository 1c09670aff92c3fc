#pragma once

#include "documents/documentdata.h"
#include "records/ledger.h"
#include "records/serveradmin.h"

#include <QHash>
#include <QMainWindow>

#include <cstdint>
#include <optional>
#include <vector>

class CLedgerModel;
class CQoruApp;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class StoreConnection;
class QTabBar;
class QTableView;
class QTableWidget;
class QTabWidget;
class QTimer;

// Control IDs of the window (for tests and accessibility names).
inline constexpr int IDC_LEDGER_FILTER = 1700;
inline constexpr int IDC_LEDGER_KIND = 1701;
inline constexpr int IDC_LEDGER_FROM_ON = 1702;
inline constexpr int IDC_LEDGER_FROM = 1703;
inline constexpr int IDC_LEDGER_TO_ON = 1704;
inline constexpr int IDC_LEDGER_TO = 1705;
inline constexpr int IDC_LEDGER_TABLE = 1706;
inline constexpr int IDC_LEDGER_NOTE = 1707;
inline constexpr int IDC_LEDGER_NOTE_SAVE = 1708;
inline constexpr int IDC_LEDGER_CHAIN = 1709;
inline constexpr int IDC_LEDGER_AUDIT = 1710;

// 配合比台账: the recorded calculations, newest first, found by text, kind
// and date; on an entry its form, its report, its states and revisions,
// the 回收站, its documents and the exports. It stays open beside the
// report, and follows the store as other programs change it.
class CLedgerWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit CLedgerWindow(CQoruApp& app, QWidget* parent = nullptr);
    ~CLedgerWindow() override;

    // Hides what the role may not do: 审核/下发 for a tester or a reader,
    // 彻底删除 for all but an administrator, every change for a reader.
    void setRole(UserRole role);
    UserRole role() const { return m_role; }

    CLedgerModel* model() const { return m_pModel; }
    QTableView* table() const { return m_pTable; }
    QAction* action(int id) const { return m_actions.value(id); }
    // The document commands: 预览, 打印…, 另存为 PDF…, 另存为 .odt….
    enum class Output
    {
        Preview,
        Print,
        Pdf,
        Odt
    };
    QAction* documentAction(DocumentKind kind, Output output) const;
    QAction* csvEncodingAction(bool gbk) const;
    QLineEdit* filterEdit() const { return m_pFilter; }
    QComboBox* kindBox() const { return m_pKind; }
    QCheckBox* fromCheck() const { return m_pFromOn; }
    QCheckBox* toCheck() const { return m_pToOn; }
    QDateEdit* fromDate() const { return m_pFrom; }
    QDateEdit* toDate() const { return m_pTo; }
    QLineEdit* noteEdit() const { return m_pNote; }
    QTableWidget* chainTable() const { return m_pChain; }
    QTableWidget* auditTable() const { return m_pAudit; }
    QLabel* stateLabel() const { return m_pState; }

    std::vector<std::int64_t> selectedIds() const;
    // Selects the entry and makes it current, if the filter shows it.
    bool selectEntry(std::int64_t id);
    void showBin(bool bin);

Q_SIGNALS:
    // 比较: two entries of one kind, the older first.
    void compareRequested(std::int64_t left, std::int64_t right);

public Q_SLOTS:
    // Takes the ledger again, keeping the selection.
    void refresh();
    void OnOpenInForm();
    void OnAppendReport();
    void OnTrialBatch();
    void OnReview();
    void OnIssue();
    void OnRevise();
    void OnChain();
    void OnDelete();
    void OnRestore();
    void OnPurge();
    void OnAudit();
    void OnCompare();
    void OnDocumentFields();
    void OnExport();
    void OnExportJson();
    void OnImportJson();
    void OnSaveNote();
    void OnDocument(DocumentKind kind, Output output);

private:
    void createActions();
    void createMenus();
    QWidget* createFilterBar();
    QWidget* createDetails();
    QAction* makeAction(int id, const QString& text, void (CLedgerWindow::*slot)());
    void applyFilter();
    void updateActions();
    void updateDetails();
    void pollChanges();
    void watchStore();
    // The current entry in full; none when nothing is current or it cannot
    // be read (the user is told why).
    std::optional<Entry> currentEntry();
    // 审核 or 下发 of the current entry, on the copy the window shows.
    void advanceTo(EntryState to);
    // Moves the selected entries to, from or out of 回收站 by `step`, the
    // view showing `from`, after `question` (with %1 the entries) if any.
    void moveSelected(Shelf from, const QString& question,
        Result<void> (DesignLedger::*step)(std::int64_t, const std::string&));
    std::int64_t currentId() const;
    bool currentRow(EntryRow* row) const;
    // Shows a store's refusal, or a file's, as the program's message.
    void tell(const QString& message);
    std::string user() const;

    CQoruApp& m_app;
    CLedgerModel* m_pModel = nullptr;
    QTableView* m_pTable = nullptr;
    QLineEdit* m_pFilter = nullptr;
    QComboBox* m_pKind = nullptr;
    QCheckBox* m_pFromOn = nullptr;
    QCheckBox* m_pToOn = nullptr;
    QDateEdit* m_pFrom = nullptr;
    QDateEdit* m_pTo = nullptr;
    QTabBar* m_pShelf = nullptr;
    QLabel* m_pState = nullptr; // the store not open, or the count shown
    QLineEdit* m_pNote = nullptr;
    QPushButton* m_pNoteSave = nullptr;
    QTabWidget* m_pDetails = nullptr;
    QTableWidget* m_pChain = nullptr;
    QTableWidget* m_pAudit = nullptr;
    QMenu* m_pEntryMenu = nullptr;
    QHash<int, QAction*> m_actions;
    QAction* m_pDocActions[2][4] = {};
    QAction* m_pCsvUtf8 = nullptr;
    QAction* m_pCsvGbk = nullptr;
    QTimer* m_pPoll = nullptr;
    StoreConnection* m_pWatched = nullptr; // the connection whose notices are followed
    UserRole m_role = UserRole::Owner;
    std::int64_t m_lastChange = -1;
    std::int64_t m_detailsId = 0; // whose note, chain and audit are shown
    int m_noteSeen = 0; // the row version the note was read at
    bool m_refreshing = false;
};
