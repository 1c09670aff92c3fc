#include "app/qoruapp.h"

#include "res/commandids.h"
#include "app/entryfigures.h"
#include "app/mainframe.h"
#include "calc/calculators.h"
#include "common/appsettings.h"
#include "common/prompter.h"
#include "doc/platformfile.h"
#include "doc/qorudoc.h"
#include "ledger/comparedlg.h"
#include "ledger/ledgerwindow.h"
#include "documents/documentdata.h"
#include "materials/materialswindow.h"
#include "res/strings.h"
#include "print/printcommands.h"
#include "view/qoruview.h"

#include "common/calcform.h"
#include "records/ledger.h"
#include "records/recordstore.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

const char* const CQoruApp::kRegistryKey = kSettingsOrganization;

namespace {

const QString kOperatorKey = QStringLiteral("Settings/Operator");
const QString kDatabaseKey = QStringLiteral("Settings/Database");

const char* const kRecordsTitle = "台账";

} // namespace

CQoruApp::CQoruApp(FileSystem* files, QObject* parent)
    : QObject(parent)
    , m_pFiles(files)
    , m_pRecords(std::make_unique<RecordStore>())
{
    if (!m_pFiles) {
        m_ownFiles = std::make_unique<FileSystem>();
        m_pFiles = m_ownFiles.get();
    }
}

CQoruApp::~CQoruApp()
{
    delete m_pFrame;
    delete m_pPrint; // after the preview it may have open
}

bool CQoruApp::InitInstance(const QStringList& arguments)
{
    {
        QSettings settings = AppSettings();
        m_recent.load(settings);
        m_nPreviewPages = settings.value(QStringLiteral("Settings/PreviewPages"), 1).toInt();
        if (m_nPreviewPages != 2)
            m_nPreviewPages = 1;
    }

    createWindow();

    // The command line: a new untitled report, or the one file named;
    // --database FILE (or --database=FILE) names the records' file.
    QString file;
    const QStringList args = arguments.mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--database")) {
            if (i + 1 < args.size())
                m_databaseArg = args.at(++i);
            continue;
        }
        if (arg.startsWith(QLatin1String("--database="))) {
            m_databaseArg = arg.mid(11);
            continue;
        }
        if (!arg.isEmpty() && file.isEmpty())
            file = arg;
    }
    if (file.isEmpty()) {
        m_pDoc->OnNewDocument();
    } else if (!m_pDoc->OnOpenDocument(QFileInfo(file).absoluteFilePath())) {
        return false;
    }

    // Shown normally, painted, then maximized. The window first takes the
    // whole screen, so it fills it even where no window manager maximizes.
    if (QScreen* screen = m_pFrame->screen())
        m_pFrame->setGeometry(screen->availableGeometry());
    m_pFrame->show();
    m_pFrame->repaint();
    m_pFrame->showMaximized();

    // The records open once the window shows: checking a large file takes a
    // moment, and a report can be written meanwhile.
    QTimer::singleShot(0, this, [this] {
        if (!m_pRecords->isOpen())
            openRecords(recordsPath());
    });
    return true;
}

QString CQoruApp::recordsPath() const
{
    if (!m_databaseArg.isEmpty())
        return QFileInfo(m_databaseArg).absoluteFilePath();
    const QString kept = AppSettings().value(kDatabaseKey).toString();
    if (!kept.isEmpty())
        return kept;
    return QString::fromStdString(RecordStore::DefaultPath());
}

bool CQoruApp::openRecords(const QString& path)
{
    m_pRecords->close();
    const Result<OpenReport> opened
        = m_pRecords->open(QDir::toNativeSeparators(path).toStdString());
    if (!opened) {
        ShowNotice(m_pFrame, Prompter::Icon::Exclamation, QString::fromUtf8(kRecordsTitle),
            QString::fromStdString(opened.error().message)
                + QStringLiteral("\n\n计算照常进行，但不记入台账。"));
    } else if (!opened->notice.empty()) {
        ShowNotice(m_pFrame, Prompter::Icon::Information, QString::fromUtf8(kRecordsTitle),
            QString::fromStdString(opened->notice));
    }
    Q_EMIT recordsChanged();
    return opened.ok();
}

QString CQoruApp::operatorName() const
{
    const QString kept = AppSettings().value(kOperatorKey).toString();
    if (!kept.isEmpty())
        return kept;
    QString login = QString::fromLocal8Bit(qgetenv("USER"));
    if (login.isEmpty())
        login = QString::fromLocal8Bit(qgetenv("USERNAME"));
    if (login.isEmpty())
        login = QDir::home().dirName();
    return login.isEmpty() ? QStringLiteral("操作员") : login;
}

void CQoruApp::setOperatorName(const QString& name)
{
    AppSettings().setValue(kOperatorKey, name.trimmed());
}

void CQoruApp::OnSetOperator()
{
    QString name = operatorName();
    if (Prompter::current()->askText(
            m_pFrame, QStringLiteral("操作人"), QStringLiteral("记入台账的操作人："), &name))
        setOperatorName(name);
}

void CQoruApp::OnSetLabName()
{
    QString name = LabName();
    while (Prompter::current()->askText(m_pFrame, QStringLiteral("试验室名称"),
        QStringLiteral("通知单和设计报告上的试验室名称："), &name)) {
        if (!name.trimmed().isEmpty()) {
            SetLabName(name);
            return;
        }
        ShowExclamation(m_pFrame, QStringLiteral("试验室名称不能为空。"));
    }
}

void CQoruApp::OnSetDatabase()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("数据库位置");
    request.filters
        = { QStringLiteral("数据库文件 (*.sqlite *.db)"), QString::fromUtf8(kFilterAll) };
    request.proposedPath
        = m_pRecords->isOpen() ? QString::fromStdString(m_pRecords->path()) : recordsPath();
    request.defaultSuffix = QStringLiteral("sqlite");
    request.confirmReplace = false; // an existing store is opened, not replaced
    const QString path = Prompter::current()->saveFileName(m_pFrame, request);
    if (path.isEmpty())
        return;
    const QString full = QFileInfo(path).absoluteFilePath();
    AppSettings().setValue(kDatabaseKey, full);
    m_databaseArg.clear(); // the choice now holds over the command line's
    openRecords(full);
}

void CQoruApp::recordCalculation(CCalcForm* form)
{
    NewEntry entry;
    entry.kind = CalcKindName(form->kind());
    entry.time = QDateTime::currentDateTime()
                     .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                     .toStdString();
    entry.operatorName = operatorName().toStdString();
    entry.inputsJson = form->inputsJson();
    EntryFigures figures = FiguresOf(form->kind(), entry.inputsJson);
    entry.grade = std::move(figures.grade);
    entry.waterBinder = std::move(figures.waterBinder);
    entry.verdict = std::move(figures.verdict);
    entry.figuresJson = std::move(figures.figuresJson);
    entry.report = std::move(m_lastReport);
    // Batches set for this press win; else those chosen on the form.
    entry.batches = m_nextBatches.empty() ? form->usedBatches() : std::move(m_nextBatches);
    entry.parentId = m_nextParent;
    m_lastReport.clear();
    m_nextBatches.clear();
    m_nextParent.reset();

    const Result<EntryRow> recorded = DesignLedger(*m_pRecords).recordEntry(entry);
    if (recorded) {
        m_pFrame->statusBar()->clearMessage();
        Q_EMIT recordsChanged();
    } else {
        m_pFrame->statusBar()->showMessage(QStringLiteral("计算书已追加，未记入台账：")
            + QString::fromStdString(recorded.error().message));
    }
}

void CQoruApp::createWindow()
{
    m_pFrame = new CMainFrame;
    m_pView = new CQoruView(m_pFrame);
    m_pView->setObjectName(QStringLiteral("view"));
    m_pView->setAccessibleName(QStringLiteral("计算书"));
    m_pFrame->setCentralWidget(m_pView);
    m_pDoc = new CQoruDoc(m_pView, m_pFiles, this);
    m_pCalcs = new CCalculators(m_pView, this);
    m_pCalcs->setRecords(m_pRecords.get());
    connect(m_pCalcs, &CCalculators::reportReady, m_pView, &CQoruView::appendReport);
    connect(m_pCalcs, &CCalculators::reportReady, this,
        [this](const std::string& report) {
            if (!m_pCalcs->replaying())
                m_lastReport = report;
        });
    connect(m_pCalcs, &CCalculators::calculated, this, &CQoruApp::recordCalculation);
    connect(m_pCalcs, &CCalculators::nextParent, this, &CQoruApp::setNextParent);
    m_pFrame->setDocument(m_pDoc);
    m_pFrame->setRecentFiles(&m_recent);
    m_pPrint = new CPrintCommands(
        m_pView, m_pDoc, [this] { return printer(); }, [this] { return m_nPreviewPages; });
    m_pView->setFocus();
    connectCommands();
}

void CQoruApp::connectCommands()
{
    CMainFrame* f = m_pFrame;
    connect(f->action(ID_FILE_NEW), &QAction::triggered, this, &CQoruApp::OnFileNew);
    connect(f->action(ID_FILE_OPEN), &QAction::triggered, this, &CQoruApp::OnFileOpen);
    connect(f, &CMainFrame::recentFileChosen, this, &CQoruApp::OnFileMru);
    connect(f->action(ID_FILE_SAVE), &QAction::triggered, m_pDoc, &CQoruDoc::OnFileSave);
    connect(f->action(ID_FILE_SAVE_AS), &QAction::triggered, m_pDoc, &CQoruDoc::OnFileSaveAs);
    connect(f->action(ID_EDIT_CUT), &QAction::triggered, m_pView, &QPlainTextEdit::cut);
    connect(f->action(ID_EDIT_COPY), &QAction::triggered, m_pView, &QPlainTextEdit::copy);
    connect(f->action(ID_EDIT_PASTE), &QAction::triggered, m_pView, &QPlainTextEdit::paste);
    connect(f->action(ID_EDIT_UNDO), &QAction::triggered, m_pView, &QPlainTextEdit::undo);
    connect(f->action(ID_CALC_MIX), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcMix);
    connect(f->action(ID_CALC_STDDEV), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcStdDev);
    connect(f->action(ID_CALC_MIX2), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcMix2);
    connect(
        f->action(ID_CALC_EVALUATE), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcEvaluate);
    connect(
        f->action(ID_CALC_ORDINARY), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcOrdinary);
    connect(f->action(ID_CALC_ADJUST), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcAdjust);
    connect(f->action(ID_SET_FONT), &QAction::triggered, m_pView, &CQoruView::OnChooseFont);
    connect(f->action(ID_SET_OPERATOR), &QAction::triggered, this, &CQoruApp::OnSetOperator);
    connect(f->action(ID_SET_DATABASE), &QAction::triggered, this, &CQoruApp::OnSetDatabase);
    connect(f->action(ID_TOOLS_LEDGER), &QAction::triggered, this, &CQoruApp::OnToolsLedger);
    connect(f->action(ID_SET_LAB_NAME), &QAction::triggered, this, &CQoruApp::OnSetLabName);
    connect(f->action(ID_TOOLS_MATERIALS), &QAction::triggered, this, &CQoruApp::OnToolsMaterials);
    connect(m_pDoc, &CQoruDoc::fileUsed, this, &CQoruApp::addRecentFile);
    connect(f->action(ID_FILE_PRINT), &QAction::triggered, m_pPrint, &CPrintCommands::OnFilePrint);
    connect(f->action(ID_FILE_PRINT_DIRECT), &QAction::triggered, m_pPrint,
        &CPrintCommands::OnFilePrintDirect);
    connect(f->action(ID_FILE_PRINT_PREVIEW), &QAction::triggered, m_pPrint,
        &CPrintCommands::OnFilePrintPreview);
    connect(f->action(ID_FILE_PRINT_SETUP), &QAction::triggered, m_pPrint,
        &CPrintCommands::OnFilePrintSetup);
    connect(m_pPrint, &CPrintCommands::previewPagesChanged, this, &CQoruApp::setPreviewPages);
}

CLedgerWindow* CQoruApp::ledgerWindow() const
{
    return m_pLedger.data();
}

void CQoruApp::OnToolsLedger()
{
    if (!m_pLedger) {
        m_pLedger = new CLedgerWindow(*this, m_pFrame);
        m_pLedger->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_pLedger, &CLedgerWindow::compareRequested, this,
            [this](std::int64_t left, std::int64_t right) {
                DesignLedger ledger(records());
                CEntryCompareDlg::Show(ledger, left, right, m_pLedger);
            });
        m_pLedger->show();
    }
    if (m_pLedger->isMinimized())
        m_pLedger->showNormal();
    m_pLedger->raise();
    m_pLedger->activateWindow();
void CQoruApp::OnToolsMaterials()
{
    if (!m_pMaterials) {
        m_pMaterials = new CMaterialsWindow(*m_pRecords, m_pFrame);
        m_pMaterials->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(this, &CQoruApp::recordsChanged, m_pMaterials, &CMaterialsWindow::reload);
    }
    m_pMaterials->show();
    m_pMaterials->raise();
    m_pMaterials->activateWindow();
}

void CQoruApp::OnFileNew()
{
    if (m_pDoc->SaveModified())
        m_pDoc->OnNewDocument();
}

void CQoruApp::OnFileOpen()
{
    Prompter::FileRequest request;
    request.title = QString::fromUtf8(kOpenTitle);
    request.filters = { QString::fromUtf8(kFilterReports), QString::fromUtf8(kFilterAll) };
    const QString path = Prompter::current()->openFileName(m_pFrame, request);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CQoruApp::OnFileMru(int index)
{
    if (index < 0 || index >= m_recent.paths().size())
        return;
    const QString path = m_recent.paths().at(index);
    // Only a file that failed to open leaves the list, not a cancelled question.
    if (openDocumentFile(path) == OpenResult::Failed) {
        m_recent.remove(path);
        saveRecentFiles();
    }
}

bool CQoruApp::OpenDocumentFile(const QString& path)
{
    return openDocumentFile(path) == OpenResult::Opened;
}

CQoruApp::OpenResult CQoruApp::openDocumentFile(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!m_pDoc->pathName().isEmpty() && full == m_pDoc->pathName())
        return OpenResult::Opened; // already the report's own file
    if (!m_pDoc->SaveModified())
        return OpenResult::Stopped;
    return m_pDoc->OnOpenDocument(full) ? OpenResult::Opened : OpenResult::Failed;
}

void CQoruApp::addRecentFile(const QString& path)
{
    m_recent.add(path);
    saveRecentFiles();
}

void CQoruApp::saveRecentFiles()
{
    QSettings settings = AppSettings();
    m_recent.save(settings);
}

QPrinter* CQoruApp::printer()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_pPrinter.get();
}

void CQoruApp::setPreviewPages(int pages)
{
    m_nPreviewPages = pages == 2 ? 2 : 1;
    QSettings settings = AppSettings();
    settings.setValue(QStringLiteral("Settings/PreviewPages"), m_nPreviewPages);
}
