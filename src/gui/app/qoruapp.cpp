#include "app/qoruapp.h"

#include "res/commandids.h"
#include "app/mainframe.h"
#include "calc/calculators.h"
#include "common/prompter.h"
#include "doc/platformfile.h"
#include "doc/qorudoc.h"
#include "res/strings.h"
#include "print/printcommands.h"
#include "view/qoruview.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QScreen>
#include <QSettings>

const char* const CQoruApp::kRegistryKey = "Local AppWizard-Generated Applications";

namespace {

QSettings AppSettings()
{
    return QSettings(QString::fromLatin1(CQoruApp::kRegistryKey), QStringLiteral("Qoru"));
}

} // namespace

CQoruApp::CQoruApp(FileSystem* files, QObject* parent) : QObject(parent), m_pFiles(files)
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

    // The command line: a new untitled report, or the one file named.
    QString file;
    for (const QString& arg : arguments.mid(1)) {
        if (!arg.isEmpty()) {
            file = arg;
            break;
        }
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
    return true;
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
    connect(m_pCalcs, &CCalculators::reportReady, m_pView, &CQoruView::appendReport);
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
    connect(f->action(ID_CALC_ADJUST), &QAction::triggered, m_pCalcs, &CCalculators::OnCalcAdjust);
    connect(f->action(ID_SET_FONT), &QAction::triggered, m_pView, &CQoruView::OnChooseFont);
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
