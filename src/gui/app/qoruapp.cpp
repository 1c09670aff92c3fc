#include "app/qoruapp.h"

#include "app/entryfigures.h"
#include "app/mainframe.h"
#include "calc/calculators.h"
#include "common/appsettings.h"
#include "common/prompter.h"
#include "doc/platformfile.h"
#include "doc/qorudoc.h"
#include "documents/documentdata.h"
#include "ledger/comparedlg.h"
#include "ledger/ledgerwindow.h"
#include "materials/materialswindow.h"
#include "print/printcommands.h"
#include "res/commandids.h"
#include "res/strings.h"
#include "view/qoruview.h"

#include "common/calcform.h"
#include "records/ledger.h"
#include "records/recordqueue.h"
#include "records/recordstore.h"
#include "records/serverurl.h"
#include "settings/databasedlg.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QProgressDialog>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

#include <utility>

const char* const CQoruApp::kRegistryKey = kSettingsOrganization;

namespace {

const QString kOperatorKey = QStringLiteral("Settings/Operator");
const QString kDatabaseKey = QStringLiteral("Settings/Database");

const char* const kRecordsTitle = "台账";

// The queue's wait between two tries of a server that is away.
constexpr int kFlushIntervalMs = 30000;

// A server address as it is kept and keyed: parsed, without a password.
QString CanonicalServer(const QString& address)
{
    const auto url = ServerUrl::Parse(address.toStdString());
    return url ? QString::fromStdString(url->display()) : address;
}

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
    if (m_pFlushThread) {
        // Its outcome is no one's now; what it sent is sent, the rest stays queued.
        disconnect(m_pFlushThread, nullptr, this, nullptr);
        m_pFlushThread->wait();
        delete m_pFlushThread;
    }
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
        return ServerUrl::Is(m_databaseArg.toStdString())
            ? m_databaseArg
            : QFileInfo(m_databaseArg).absoluteFilePath();
    const QString kept = AppSettings().value(kDatabaseKey).toString();
    if (!kept.isEmpty())
        return kept;
    return QString::fromStdString(RecordStore::DefaultPath());
}

bool CQoruApp::openRecords(const QString& path)
{
    m_pRecords->close();
    const bool server = ServerUrl::Is(path.toStdString());
    QString address = server ? path : QDir::toNativeSeparators(path);
    if (server) {
        // A password in the address is this session's, never kept.
        if (const auto url = ServerUrl::Parse(path.toStdString()); url && !url->password.empty())
            m_password = QString::fromStdString(url->password);
        address = CanonicalServer(path);
    }
    OpenOptions options;
    options.password = m_password.toStdString();
    const Result<OpenReport> opened = m_pRecords->open(address.toStdString(), options);
    if (!opened) {
        ShowNotice(m_pFrame, Prompter::Icon::Exclamation, QString::fromUtf8(kRecordsTitle),
            QString::fromStdString(opened.error().message)
                + (server ? QStringLiteral("\n\n计算照常进行，记录先暂存在本机，"
                                           "连上服务器后按顺序发送。")
                          : QStringLiteral("\n\n计算照常进行，但不记入台账。")));
    } else if (!opened->notice.empty()) {
        ShowNotice(m_pFrame, Prompter::Icon::Information, QString::fromUtf8(kRecordsTitle),
            QString::fromStdString(opened->notice));
    }
    m_queueAddress = server ? address : QString();
    recordsOpened();
    return opened.ok();
}

bool CQoruApp::connectRecords(const QString& address, const QString& password, QString* error)
{
    if (address.isEmpty()) {
        if (error)
            *error = QStringLiteral("没有填写数据库。");
        return false;
    }
    const bool server = ServerUrl::Is(address.toStdString());
    const QString kept = server ? CanonicalServer(address) : address;
    RecordStore tried;
    OpenOptions options;
    options.password = password.toStdString();
    const Result<OpenReport> opened = tried.open(kept.toStdString(), options);
    if (!opened) {
        if (error)
            *error = QString::fromStdString(opened.error().message);
        return false;
    }
    m_pRecords->takeOver(tried);
    m_password = server ? password : QString();
    m_queueAddress = server ? kept : QString();
    AppSettings().setValue(kDatabaseKey, kept);
    m_databaseArg.clear(); // the choice now holds over the command line's
    if (!opened->notice.empty())
        ShowNotice(m_pFrame, Prompter::Icon::Information, QString::fromUtf8(kRecordsTitle),
            QString::fromStdString(opened->notice));
    recordsOpened();
    return true;
}

void CQoruApp::recordsOpened()
{
    if (m_queueAddress.isEmpty()) {
        m_pQueue.reset();
    } else {
        // The queue lives in the local file, which stays open beside the server.
        if (!m_pOutbox)
            m_pOutbox = std::make_unique<RecordStore>();
        if (!m_pOutbox->isOpen()) {
            if (auto local = m_pOutbox->open(RecordStore::DefaultPath()); !local)
                m_pFrame->statusBar()->showMessage(
                    QStringLiteral("本机的暂存文件打不开，服务器连不上时的记录无法暂存：")
                    + QString::fromStdString(local.error().message));
        }
        m_pQueue
            = std::make_unique<RecordQueue>(*m_pOutbox, *m_pRecords, m_queueAddress.toStdString());
        OpenOptions options;
        options.password = m_password.toStdString();
        m_pQueue->setServerOptions(options);
        m_pQueue->setRetryAfter(std::chrono::milliseconds(kFlushIntervalMs));
        m_pQueue->setFlushedElsewhere(true);
        if (!m_pFlushTimer) {
            m_pFlushTimer = new QTimer(this);
            connect(m_pFlushTimer, &QTimer::timeout, this, &CQoruApp::flushQueue);
        }
        m_pFlushTimer->start(kFlushIntervalMs);
    }
    if (!m_pQueue && m_pFlushTimer)
        m_pFlushTimer->stop();
    const Result<UserRole> role
        = m_pRecords->isOpen() ? CurrentRole(*m_pRecords) : Result<UserRole>(UserRole::None);
    m_role = role ? *role : UserRole::None;
    // On a server the records name their maker by the login, which its
    // rights follow; the address's user while the server is away.
    m_serverLogin.clear();
    if (m_pRecords->onServer()) {
        if (const Result<std::string> login = CurrentLogin(*m_pRecords))
            m_serverLogin = QString::fromStdString(*login);
    } else if (const auto url = ServerUrl::Parse(m_queueAddress.toStdString())) {
        m_serverLogin = QString::fromStdString(url->user);
    }
    if (QAction* import = m_pFrame->action(ID_TOOLS_IMPORT))
        import->setVisible(m_pRecords->onServer() || !m_queueAddress.isEmpty());
    if (m_pQueue && m_pRecords->isOpen())
        flushQueue(); // at once: what waited is sent now the server is back
    updateRecordsStatus();
    Q_EMIT recordsChanged();
}

int CQoruApp::queuedRecords()
{
    if (!m_pQueue)
        return 0;
    const Result<int> n = m_pQueue->pending();
    return n ? *n : 0;
}

struct CQoruApp::FlushOutcome
{
    bool reached = false; // the local file opened and the server tried
    bool away = true;
    int sent = 0;
    std::vector<RecordQueue::SetAside> aside;
    QString error;
};

void CQoruApp::flushQueue()
{
    if (!m_pQueue)
        return;
    if (m_pFlushThread) {
        m_bFlushAgain = true; // one at a time; the next sends what came meanwhile
        return;
    }
    if (m_pRecords->isOpen() && queuedRecords() == 0 && !m_pQueue->serverAway()) {
        updateRecordsStatus();
        return;
    }
    if (!m_pOutbox || !m_pOutbox->isOpen()) {
        m_pFrame->statusBar()->showMessage(QString::fromStdString(StoreClosed().message));
        return;
    }
    // A worker with connections of its own (a connection belongs to the
    // thread that made it): a server that does not answer keeps it waiting
    // for the connect timeout, never the window. The outbox's order and its
    // records' keys keep a record from arriving twice or out of turn.
    auto outcome = std::make_shared<FlushOutcome>();
    const QString address = m_queueAddress;
    const std::string outbox = m_pOutbox->path();
    OpenOptions options;
    options.password = m_password.toStdString();
    m_pFlushThread = QThread::create([outcome, outbox, server = address.toStdString(), options] {
        RecordStore local, remote;
        if (auto opened = local.open(outbox); !opened) {
            outcome->error = QString::fromStdString(opened.error().message);
            return;
        }
        RecordQueue queue(local, remote, server);
        queue.setServerOptions(options);
        const Result<int> sent = queue.flush(&outcome->aside);
        outcome->reached = true;
        outcome->away = queue.serverAway();
        if (sent)
            outcome->sent = *sent;
        else
            outcome->error = QString::fromStdString(sent.error().message);
    });
    // Queued: the outcome is taken in on this thread, from the event loop.
    connect(m_pFlushThread, &QThread::finished, this,
        [this, outcome, address] { flushFinished(*outcome, address); });
    m_pFlushThread->start();
}

void CQoruApp::flushFinished(const FlushOutcome& outcome, const QString& address)
{
    m_pFlushThread->wait();
    delete m_pFlushThread;
    m_pFlushThread = nullptr;
    const bool again = std::exchange(m_bFlushAgain, false);
    if (!m_pQueue || address != m_queueAddress) {
        // The records moved elsewhere meanwhile; their own flush follows.
        if (again)
            flushQueue();
        Q_EMIT queueFlushed();
        return;
    }
    const bool wasOpen = m_pRecords->isOpen();
    if (outcome.reached) {
        // Back: the window's own connection is made anew now the server answers.
        if (auto found = m_pQueue->serverFound(outcome.away); !found && outcome.error.isEmpty())
            m_pFrame->statusBar()->showMessage(QString::fromStdString(found.error().message));
    }
    if (!outcome.aside.empty()) {
        // Said once: set aside, they are not sent again and not counted.
        m_pFrame->statusBar()->showMessage(
            QStringLiteral("有 %1 条暂存的记录被服务器拒绝，已留在本机，不再自动发送（%2）")
                .arg(outcome.aside.size())
                .arg(QString::fromStdString(outcome.aside.front().reason)));
    } else if (!outcome.error.isEmpty()) {
        m_pFrame->statusBar()->showMessage(outcome.error);
    }
    if (!wasOpen && m_pRecords->isOpen()) {
        recordsOpened(); // the server came back: its role, and the windows refresh
    } else {
        updateRecordsStatus();
        if (outcome.sent > 0)
            Q_EMIT recordsChanged();
    }
    if (again)
        flushQueue();
    Q_EMIT queueFlushed();
}

void CQoruApp::updateRecordsStatus()
{
    QString where;
    if (!m_queueAddress.isEmpty()) {
        const auto url = ServerUrl::Parse(m_queueAddress.toStdString());
        where = QString::fromStdString(url ? url->shortName() : m_queueAddress.toStdString());
        if (!m_pRecords->isOpen() || (m_pQueue && m_pQueue->serverAway()))
            where += QStringLiteral("（未连接）");
    } else if (m_pRecords->isOpen()) {
        where = QStringLiteral("本机 ")
            + QFileInfo(QString::fromStdString(m_pRecords->path())).fileName();
    } else {
        where = QStringLiteral("不记录");
    }
    // A local file has one user, who may do everything: no role to show.
    if (m_pRecords->isOpen() && m_pRecords->onServer())
        where += QStringLiteral(" · ") + QString::fromStdString(UserRoleName(m_role));
    m_pFrame->setRecordsStatus(where, queuedRecords());
}

QString CQoruApp::operatorName() const
{
    const QString kept = AppSettings().value(kOperatorKey).toString();
    if (!kept.isEmpty())
        return kept;
    if (!m_serverLogin.isEmpty())
        return m_serverLogin;
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
    const QString current = !m_queueAddress.isEmpty()
        ? m_queueAddress
        : (m_pRecords->isOpen() ? QString::fromStdString(m_pRecords->path()) : recordsPath());
    CDatabaseDlg dialog(
        current, m_password,
        [this](const QString& address, const QString& password, QString* error) {
            return connectRecords(address, password, error);
        },
        m_pFrame);
    dialog.exec();
}

void CQoruApp::OnToolsImport()
{
    if (!m_pRecords->onServer()) {
        ShowExclamation(m_pFrame,
            m_queueAddress.isEmpty()
                ? QStringLiteral(
                    "台账在本机文件中，不需要导入。请先在“设置 → 数据库”中连接服务器。")
                : QStringLiteral("没有连上服务器，现在不能导入，请在服务器恢复后再试。"));
        return;
    }
    Prompter::FileRequest request;
    request.title = QStringLiteral("导入本机台账到服务器");
    request.filters
        = { QStringLiteral("数据库文件 (*.sqlite *.db)"), QString::fromUtf8(kFilterAll) };
    request.proposedPath = QString::fromStdString(RecordStore::DefaultPath());
    const QString file = Prompter::current()->openFileName(m_pFrame, request);
    if (file.isEmpty())
        return;

    // A worker with connections of its own: a big ledger takes a while, and
    // the window keeps painting meanwhile.
    struct Outcome
    {
        bool ok = false;
        ImportReport report;
        QString error;
    };
    auto outcome = std::make_shared<Outcome>();
    const std::string server = m_queueAddress.toStdString();
    const std::string password = m_password.toStdString();
    const std::string local = QFileInfo(file).absoluteFilePath().toStdString();
    const std::string user = operatorName().toStdString();
    QThread* worker = QThread::create([outcome, server, password, local, user] {
        RecordStore from, to;
        OpenOptions options;
        options.password = password;
        auto opened = from.open(local);
        if (opened)
            opened = to.open(server, options);
        if (!opened) {
            outcome->error = QString::fromStdString(opened.error().message);
            return;
        }
        auto copied = DesignLedger(to).importFrom(from, user);
        if (!copied) {
            outcome->error = QString::fromStdString(copied.error().message);
            return;
        }
        outcome->ok = true;
        outcome->report = *copied;
    });
    QProgressDialog progress(
        QStringLiteral("正在把“%1”中的台账导入服务器……").arg(QFileInfo(file).fileName()), QString(),
        0, 0, m_pFrame);
    progress.setWindowTitle(QStringLiteral("导入本机台账到服务器"));
    progress.setCancelButton(nullptr); // one transaction: it finishes or leaves nothing
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    connect(worker, &QThread::finished, &progress, &QProgressDialog::reset);
    worker->start();
    progress.exec();
    worker->wait();
    delete worker;

    if (!outcome->ok) {
        ShowNotice(m_pFrame, Prompter::Icon::Exclamation, QStringLiteral("导入本机台账到服务器"),
            QStringLiteral("没有导入：%1\n\n服务器上的台账保持原样。").arg(outcome->error));
        return;
    }
    const ImportReport& r = outcome->report;
    QString text;
    if (r.materials + r.batches + r.entries == 0) {
        text = QStringLiteral("“%1”中的原材料和台账记录都已在服务器上，这次没有导入任何内容。")
                   .arg(QDir::toNativeSeparators(file));
    } else {
        text = QStringLiteral("已从“%1”导入：原材料 %2 种，进场批次 %3 个，台账记录 %4 条。")
                   .arg(QDir::toNativeSeparators(file))
                   .arg(r.materials)
                   .arg(r.batches)
                   .arg(r.entries);
        if (r.renumbered > 0)
            text += QStringLiteral("\n其中 %1 条记录的编号在服务器上已被占用，已改用新编号"
                                   "（原编号记在审计记录中）。")
                        .arg(r.renumbered);
    }
    ShowNotice(m_pFrame, Prompter::Icon::Information, QStringLiteral("导入本机台账到服务器"), text);
    Q_EMIT recordsChanged();
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

    if (m_pQueue) {
        const bool wasOpen = m_pRecords->isOpen();
        const Result<RecordQueue::Recorded> kept = m_pQueue->record(entry);
        if (!kept) {
            m_pFrame->statusBar()->showMessage(QStringLiteral("计算书已追加，未记入台账：")
                + QString::fromStdString(kept.error().message));
            return;
        }
        if (kept->queued && m_pQueue->serverAway())
            m_pFrame->statusBar()->showMessage(
                QStringLiteral("服务器暂时连不上，这次计算已暂存在本机，连上后自动发送。"));
        else if (kept->queued)
            m_pFrame->statusBar()->showMessage(
                QStringLiteral("这次计算已暂存在本机，随前面待发送的记录依次发送。"));
        else
            m_pFrame->statusBar()->clearMessage();
        if (!wasOpen && m_pRecords->isOpen())
            recordsOpened(); // sending it found the server back
        else
            updateRecordsStatus();
        Q_EMIT recordsChanged();
        if (kept->queued && !m_pQueue->serverAway())
            flushQueue(); // behind others that wait: sent with them, now
        return;
    }
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
    connect(m_pCalcs, &CCalculators::reportReady, this, [this](const std::string& report) {
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
    connect(f->action(ID_TOOLS_IMPORT), &QAction::triggered, this, &CQoruApp::OnToolsImport);
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
}

void CQoruApp::OnToolsMaterials()
{
    if (!m_pMaterials) {
        m_pMaterials = new CMaterialsWindow(*m_pRecords, m_pFrame);
        m_pMaterials->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(this, &CQoruApp::recordsChanged, m_pMaterials, [this] {
            m_pMaterials->setRole(m_role);
            m_pMaterials->reload();
        });
    }
    m_pMaterials->setRole(m_role);
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
