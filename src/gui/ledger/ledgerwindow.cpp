#include "ledger/ledgerwindow.h"

#include "adjust/adjustdesign.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "common/appsettings.h"
#include "common/prompter.h"
#include "documents/documentfieldsdlg.h"
#include "documents/documentoutput.h"
#include "documents/entryjson.h"
#include "documents/ledgerexport.h"
#include "ledger/ledgermodel.h"
#include "records/inputsjson.h"
#include "records/recordstore.h"
#include "res/commandids.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {

const char* const kCsvEncodingKey = "Ledger/CsvEncoding";
// How often a window on a local file looks for changes made elsewhere.
constexpr int kPollMs = 2000;

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

const char* const kKinds[] = { "mix1", "mix2", "ordinary", "adjust", "stddev", "evaluate" };

std::optional<CalcKind> KindOf(const std::string& name)
{
    for (CalcKind k : { CalcKind::Mix1, CalcKind::Mix2, CalcKind::StdDev, CalcKind::Evaluate,
             CalcKind::Adjust, CalcKind::Ordinary })
        if (CalcKindName(k) == name)
            return k;
    return std::nullopt;
}

bool IsDesign(const std::string& kind)
{
    return kind == "mix1" || kind == "mix2" || kind == "ordinary";
}

// The design a trial batch starts from, calculated again from the entry's
// inputs (nothing is appended or recorded by that).
std::optional<AdjustInputs> DesignOf(const Entry& e)
{
    if (e.row.kind == "mix1") {
        if (auto in = fromJson<Mix1Inputs>(e.inputsJson)) {
            const Mix1Outcome out = CalculateMix1(*in);
            if (!out.stopped)
                return AdjustInputsFromMix1(out.results);
        }
    } else if (e.row.kind == "mix2") {
        if (auto in = fromJson<Mix2Inputs>(e.inputsJson)) {
            const Mix2Outcome out = CalculateMix2(*in);
            if (!out.stopped && out.passed)
                return AdjustInputsFromMix2(out.members);
        }
    } else if (e.row.kind == "ordinary") {
        if (auto in = fromJson<OrdinaryInputs>(e.inputsJson)) {
            const OrdinaryOutcome out = CalculateOrdinary(*in);
            if (!out.stopped)
                return AdjustInputsFromOrdinary(out.results.mix);
        }
    }
    return std::nullopt;
}

// Puts back the text of an edit the store refused, for the user to mend
// and send again.
class CLedgerDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* model = qobject_cast<const CLedgerModel*>(index.model());
        auto* line = qobject_cast<QLineEdit*>(editor);
        const QString pending = model ? model->pendingText(index) : QString();
        if (line && !pending.isEmpty()) {
            line->setText(pending);
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

void SetRowItems(QTableWidget* table, int row, const QStringList& texts)
{
    for (int c = 0; c < texts.size(); ++c) {
        auto* item = new QTableWidgetItem(texts.at(c));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(row, c, item);
    }
}

QTableWidget* MakeListTable(const QStringList& headers, QWidget* parent)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->horizontalHeader()->setStretchLastSection(true);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

} // namespace

CLedgerWindow::CLedgerWindow(CQoruApp& app, QWidget* parent)
    : QMainWindow(parent)
    , m_app(app)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("配合比台账"));
    setObjectName(QStringLiteral("ledgerWindow"));
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(10);
    setFont(font);

    m_pModel = new CLedgerModel(app.records(), this);
    m_pModel->setUser(user());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(createFilterBar());

    m_pShelf = new QTabBar(central);
    m_pShelf->addTab(QStringLiteral("台账"));
    m_pShelf->addTab(QStringLiteral("回收站"));
    m_pShelf->setDrawBase(false);
    auto* shelfRow = new QHBoxLayout;
    shelfRow->addWidget(m_pShelf);
    m_pState = new QLabel(central);
    shelfRow->addWidget(m_pState, 1);
    layout->addLayout(shelfRow);

    m_pTable = new QTableView(central);
    m_pTable->setObjectName(QStringLiteral("ledgerTable"));
    m_pTable->setAccessibleName(QStringLiteral("配合比台账"));
    m_pTable->setModel(m_pModel);
    m_pTable->setItemDelegate(new CLedgerDelegate(m_pTable));
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pTable->setEditTriggers(
        QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_pTable->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pTable->verticalHeader()->hide();
    m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->verticalHeader()->setDefaultSectionSize(m_pTable->fontMetrics().height() + 6);
    m_pTable->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics fm(m_pTable->font());
    const int widths[CLedgerModel::ColumnCount]
        = { 19, 14, 9, 22, 14, 17, 9, 7 }; // in average characters of the font
    for (int c = 0; c < CLedgerModel::ColumnCount; ++c)
        m_pTable->setColumnWidth(c, widths[c] * fm.horizontalAdvance(QLatin1Char('0')) + 12);
    int kindWidth = 0; // the longest kind name, whole
    for (const char* k : kKinds)
        kindWidth = std::max(kindWidth, fm.horizontalAdvance(EntryKindName(k)));
    m_pTable->setColumnWidth(CLedgerModel::ColKind, kindWidth + 16);

    auto* split = new QSplitter(Qt::Vertical, central);
    split->addWidget(m_pTable);
    split->addWidget(createDetails());
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    setCentralWidget(central);

    createActions();
    createMenus();
    statusBar();

    connect(m_pShelf, &QTabBar::currentChanged, this, [this](int tab) { showBin(tab == 1); });
    connect(m_pTable, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (m_pTable->indexAt(at).isValid())
            m_pEntryMenu->popup(m_pTable->viewport()->mapToGlobal(at));
    });
    connect(m_pTable, &QAbstractItemView::doubleClicked, this, [this] {
        if (m_pModel->filter().shelf == Shelf::InUse)
            OnOpenInForm();
    });
    connect(m_pModel, &CLedgerModel::editRefused, this,
        [this](const QModelIndex& index, const QString& message) {
            // After the editor has closed: show why, then open it again on
            // the user's text.
            const QPersistentModelIndex at(index);
            QTimer::singleShot(0, this, [this, at, message] {
                tell(message);
                if (at.isValid()) {
                    m_pTable->setCurrentIndex(at);
                    m_pTable->edit(at);
                }
            });
        });
    connect(m_pModel, &CLedgerModel::edited, this, [this] {
        updateDetails();
        if (auto mark = DesignLedger(m_app.records()).lastChange())
            m_lastChange = *mark;
    });
    connect(&app, &CQoruApp::recordsChanged, this, [this] {
        watchStore();
        setRole(m_app.role());
        refresh();
    });
    // A click makes the row current before it selects it: both are followed.
    auto follow = [this] {
        updateActions();
        if (currentId() != m_detailsId)
            updateDetails();
    };
    connect(m_pTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, follow);
    connect(m_pTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this, follow);

    m_pPoll = new QTimer(this);
    m_pPoll->setInterval(kPollMs);
    connect(m_pPoll, &QTimer::timeout, this, &CLedgerWindow::pollChanges);
    m_pPoll->start();
    watchStore();
    setRole(app.role());
    resize(1040, 660);
    applyFilter();
}

CLedgerWindow::~CLedgerWindow() = default;

QWidget* CLedgerWindow::createFilterBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("查找(&F)："), bar);
    m_pFilter = new QLineEdit(bar);
    m_pFilter->setObjectName(QStringLiteral("filter"));
    m_pFilter->setMaxLength(100);
    m_pFilter->setClearButtonEnabled(true);
    m_pFilter->setPlaceholderText(QStringLiteral("编号、工程名称、施工部位、强度等级"));
    m_pFilter->setMinimumWidth(m_pFilter->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 32);
    label->setBuddy(m_pFilter);
    row->addWidget(label);
    row->addWidget(m_pFilter, 1);

    auto* kindLabel = new QLabel(QStringLiteral("类型(&K)："), bar);
    m_pKind = new QComboBox(bar);
    m_pKind->addItem(QStringLiteral("全部"), QString());
    for (const char* k : kKinds)
        m_pKind->addItem(EntryKindName(k), QString::fromUtf8(k));
    kindLabel->setBuddy(m_pKind);
    row->addWidget(kindLabel);
    row->addWidget(m_pKind);

    const QDate today = QDate::currentDate();
    auto makeDate = [bar](const QDate& date) {
        auto* edit = new QDateEdit(date, bar);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false); // 不限 until ticked
        return edit;
    };
    m_pFromOn = new QCheckBox(QStringLiteral("从(&B)"), bar);
    m_pFromOn->setToolTip(QStringLiteral("不勾选：不限"));
    m_pFrom = makeDate(today.addMonths(-1));
    m_pToOn = new QCheckBox(QStringLiteral("到(&Z)"), bar);
    m_pToOn->setToolTip(QStringLiteral("不勾选：不限"));
    m_pTo = makeDate(today);
    row->addWidget(m_pFromOn);
    row->addWidget(m_pFrom);
    row->addWidget(m_pToOn);
    row->addWidget(m_pTo);

    connect(m_pFilter, &QLineEdit::textChanged, this, &CLedgerWindow::applyFilter);
    connect(m_pKind, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &CLedgerWindow::applyFilter);
    for (auto [check, date] : { std::pair { m_pFromOn, m_pFrom }, std::pair { m_pToOn, m_pTo } }) {
        QDateEdit* d = date;
        connect(check, &QCheckBox::toggled, this, [this, d](bool on) {
            d->setEnabled(on);
            applyFilter();
        });
        connect(date, &QDateEdit::dateChanged, this, &CLedgerWindow::applyFilter);
    }
    return bar;
}

QWidget* CLedgerWindow::createDetails()
{
    auto* box = new QWidget(this);
    auto* col = new QVBoxLayout(box);
    col->setContentsMargins(0, 0, 0, 0);
    auto* noteRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("备注(&N)："), box);
    m_pNote = new QLineEdit(box);
    m_pNote->setObjectName(QStringLiteral("note"));
    m_pNote->setMaxLength(500);
    label->setBuddy(m_pNote);
    m_pNoteSave = new QPushButton(QStringLiteral("保存备注(&S)"), box);
    noteRow->addWidget(label);
    noteRow->addWidget(m_pNote, 1);
    noteRow->addWidget(m_pNoteSave);
    col->addLayout(noteRow);
    connect(m_pNote, &QLineEdit::returnPressed, this, &CLedgerWindow::OnSaveNote);
    connect(m_pNoteSave, &QPushButton::clicked, this, &CLedgerWindow::OnSaveNote);

    m_pDetails = new QTabWidget(box);
    m_pChain = MakeListTable(
        { QStringLiteral("关系"), QStringLiteral("编号"), QStringLiteral("类型"),
            QStringLiteral("状态"), QStringLiteral("日期"), QStringLiteral("操作人") },
        m_pDetails);
    m_pChain->setObjectName(QStringLiteral("chain"));
    m_pAudit = MakeListTable(
        { QStringLiteral("时间"), QStringLiteral("用户"), QStringLiteral("操作"),
            QStringLiteral("字段"), QStringLiteral("原值"), QStringLiteral("新值") },
        m_pDetails);
    m_pAudit->setObjectName(QStringLiteral("audit"));
    const int digit = m_pChain->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c : { 0, 1, 4 })
        m_pChain->setColumnWidth(c, (c == 0 ? 10 : 19) * digit);
    int kindWidth = 0;
    for (const char* k : kKinds)
        kindWidth
            = std::max(kindWidth, m_pChain->fontMetrics().horizontalAdvance(EntryKindName(k)));
    m_pChain->setColumnWidth(2, kindWidth + 16);
    m_pAudit->setColumnWidth(0, 19 * digit);
    m_pAudit->setColumnWidth(3, 9 * digit);
    m_pAudit->setColumnWidth(4, 19 * digit);
    m_pDetails->addTab(m_pChain, QStringLiteral("修订链与试配"));
    m_pDetails->addTab(m_pAudit, QStringLiteral("审核记录"));
    col->addWidget(m_pDetails, 1);
    // A row of the chain leads to its entry.
    connect(m_pChain, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        const QVariant id = m_pChain->item(row, 0)->data(Qt::UserRole);
        if (id.isValid() && !selectEntry(id.toLongLong())) {
            m_pFilter->clear();
            m_pKind->setCurrentIndex(0);
            m_pFromOn->setChecked(false);
            m_pToOn->setChecked(false);
            selectEntry(id.toLongLong());
        }
    });
    return box;
}

QAction* CLedgerWindow::makeAction(int id, const QString& text, void (CLedgerWindow::*slot)())
{
    auto* a = new QAction(text, this);
    a->setData(id);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    m_actions.insert(id, a);
    return a;
}

void CLedgerWindow::createActions()
{
    makeAction(ID_LEDGER_OPEN, QStringLiteral("在表单中打开(&O)"), &CLedgerWindow::OnOpenInForm);
    makeAction(ID_LEDGER_APPEND, QStringLiteral("追加计算书(&A)"), &CLedgerWindow::OnAppendReport);
    makeAction(ID_LEDGER_TRIAL, QStringLiteral("试配(&T)…"), &CLedgerWindow::OnTrialBatch);
    makeAction(ID_LEDGER_REVIEW, QStringLiteral("审核(&R)"), &CLedgerWindow::OnReview);
    makeAction(ID_LEDGER_ISSUE, QStringLiteral("下发(&I)"), &CLedgerWindow::OnIssue);
    makeAction(ID_LEDGER_REVISE, QStringLiteral("修订(&V)"), &CLedgerWindow::OnRevise);
    makeAction(ID_LEDGER_CHAIN, QStringLiteral("修订链(&C)"), &CLedgerWindow::OnChain);
    makeAction(ID_LEDGER_DELETE, QStringLiteral("删除(&D)"), &CLedgerWindow::OnDelete);
    makeAction(ID_LEDGER_RESTORE, QStringLiteral("还原(&U)"), &CLedgerWindow::OnRestore);
    makeAction(ID_LEDGER_PURGE, QStringLiteral("彻底删除(&P)…"), &CLedgerWindow::OnPurge);
    makeAction(ID_LEDGER_AUDIT, QStringLiteral("审核记录(&H)"), &CLedgerWindow::OnAudit);
    makeAction(ID_LEDGER_COMPARE, QStringLiteral("比较(&M)"), &CLedgerWindow::OnCompare);
    makeAction(ID_LEDGER_FIELDS, QStringLiteral("文档字段(&F)…"), &CLedgerWindow::OnDocumentFields);
    makeAction(ID_LEDGER_EXPORT, QStringLiteral("导出(&E)…"), &CLedgerWindow::OnExport);
    makeAction(
        ID_LEDGER_EXPORT_JSON, QStringLiteral("导出 JSON(&J)…"), &CLedgerWindow::OnExportJson);
    makeAction(
        ID_LEDGER_IMPORT_JSON, QStringLiteral("导入 JSON(&I)…"), &CLedgerWindow::OnImportJson);
    QAction* bin = makeAction(ID_LEDGER_BIN, QStringLiteral("回收站(&B)"), nullptr);
    bin->setCheckable(true);
    connect(bin, &QAction::toggled, this, &CLedgerWindow::showBin);

    // Enter and Delete act on the table only, not while typing in a box.
    for (auto [id, key] : { std::pair { ID_LEDGER_OPEN, QKeySequence(Qt::Key_Return) },
             std::pair { ID_LEDGER_DELETE, QKeySequence(QKeySequence::Delete) } }) {
        QAction* a = m_actions.value(id);
        if (id == ID_LEDGER_OPEN)
            a->setShortcuts({ key, QKeySequence(Qt::Key_Enter) });
        else
            a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetShortcut);
        m_pTable->addAction(a);
    }

    const char* const outputs[]
        = { "预览(&V)", "打印(&P)…", "另存为 PDF(&D)…", "另存为 .odt(&O)…" };
    for (int k = 0; k < 2; ++k)
        for (int o = 0; o < 4; ++o) {
            const auto kind = k == 0 ? DocumentKind::Notice : DocumentKind::Report;
            const auto output = static_cast<Output>(o);
            auto* a = new QAction(QString::fromUtf8(outputs[o]), this);
            connect(
                a, &QAction::triggered, this, [this, kind, output] { OnDocument(kind, output); });
            m_pDocActions[k][o] = a;
        }
    m_actions.insert(ID_LEDGER_NOTICE, m_pDocActions[0][0]);
    m_actions.insert(ID_LEDGER_REPORT, m_pDocActions[1][0]);

    auto* group = new QActionGroup(this);
    m_pCsvUtf8 = new QAction(QStringLiteral("UTF-8（带 BOM）"), group);
    m_pCsvGbk = new QAction(QStringLiteral("GBK"), group);
    for (QAction* a : { m_pCsvUtf8, m_pCsvGbk })
        a->setCheckable(true);
    const bool gbk = AppSettings().value(QString::fromUtf8(kCsvEncodingKey)).toString()
        == QStringLiteral("gbk");
    (gbk ? m_pCsvGbk : m_pCsvUtf8)->setChecked(true);
    connect(group, &QActionGroup::triggered, this, [this](QAction* a) {
        AppSettings().setValue(QString::fromUtf8(kCsvEncodingKey),
            a == m_pCsvGbk ? QStringLiteral("gbk") : QStringLiteral("utf-8"));
    });

    auto* refresh = new QAction(QStringLiteral("刷新(&R)"), this);
    refresh->setShortcut(QKeySequence::Refresh);
    refresh->setShortcutContext(Qt::WindowShortcut);
    connect(refresh, &QAction::triggered, this, &CLedgerWindow::refresh);
    addAction(refresh);
    m_actions.insert(0, refresh);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        m_pFilter->setFocus(Qt::ShortcutFocusReason);
        m_pFilter->selectAll();
    });
}

void CLedgerWindow::createMenus()
{
    QMenu* ledger = menuBar()->addMenu(QStringLiteral("台账(&L)"));
    ledger->addAction(m_actions.value(0));
    ledger->addAction(action(ID_LEDGER_BIN));
    ledger->addSeparator();
    ledger->addAction(action(ID_LEDGER_EXPORT));
    QMenu* csv = ledger->addMenu(QStringLiteral("CSV 编码(&C)"));
    csv->addAction(m_pCsvUtf8);
    csv->addAction(m_pCsvGbk);
    ledger->addAction(action(ID_LEDGER_IMPORT_JSON));
    ledger->addSeparator();
    connect(
        ledger->addAction(QStringLiteral("关闭(&X)")), &QAction::triggered, this, &QWidget::close);

    m_pEntryMenu = menuBar()->addMenu(QStringLiteral("条目(&E)"));
    for (int id : std::initializer_list<int> { ID_LEDGER_OPEN, ID_LEDGER_APPEND, ID_LEDGER_TRIAL, 0,
             ID_LEDGER_REVIEW, ID_LEDGER_ISSUE, ID_LEDGER_REVISE, 0, ID_LEDGER_CHAIN,
             ID_LEDGER_AUDIT, ID_LEDGER_COMPARE, 0, ID_LEDGER_DELETE, ID_LEDGER_RESTORE,
             ID_LEDGER_PURGE }) {
        if (id)
            m_pEntryMenu->addAction(action(id));
        else
            m_pEntryMenu->addSeparator();
    }

    QMenu* docs = menuBar()->addMenu(QStringLiteral("文档(&D)"));
    QMenu* subs[2] = {};
    for (int k = 0; k < 2; ++k) {
        subs[k] = docs->addMenu(
            k == 0 ? QStringLiteral("配合比通知单(&N)") : QStringLiteral("配合比设计报告(&G)"));
        for (QAction* a : m_pDocActions[k])
            subs[k]->addAction(a);
    }
    docs->addAction(action(ID_LEDGER_FIELDS));
    docs->addSeparator();
    docs->addAction(action(ID_LEDGER_EXPORT_JSON));
    // The context menu of an entry: the entry's commands and its documents.
    m_pEntryMenu->addSeparator();
    m_pEntryMenu->addMenu(subs[0]);
    m_pEntryMenu->addMenu(subs[1]);

    QToolBar* bar = addToolBar(QStringLiteral("台账"));
    bar->setObjectName(QStringLiteral("ledgerToolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int id : std::initializer_list<int> { ID_LEDGER_OPEN, ID_LEDGER_APPEND, ID_LEDGER_TRIAL, 0,
             ID_LEDGER_REVIEW, ID_LEDGER_ISSUE, ID_LEDGER_REVISE, 0, ID_LEDGER_COMPARE,
             ID_LEDGER_DELETE, ID_LEDGER_RESTORE, ID_LEDGER_PURGE, 0, ID_LEDGER_NOTICE,
             ID_LEDGER_EXPORT }) {
        if (id)
            bar->addAction(action(id));
        else
            bar->addSeparator();
    }
    // Tool buttons say what they open.
    m_pDocActions[0][0]->setIconText(QStringLiteral("通知单"));
}

QAction* CLedgerWindow::documentAction(DocumentKind kind, Output output) const
{
    return m_pDocActions[kind == DocumentKind::Notice ? 0 : 1][static_cast<int>(output)];
}

QAction* CLedgerWindow::csvEncodingAction(bool gbk) const
{
    return gbk ? m_pCsvGbk : m_pCsvUtf8;
}

std::string CLedgerWindow::user() const
{
    return m_app.operatorName().toStdString();
}

void CLedgerWindow::tell(const QString& message)
{
    ShowExclamation(this, message);
}

void CLedgerWindow::watchStore()
{
    // A server tells of changes at once; a local file is polled. A store
    // reopened elsewhere (设置 → 数据库) has a new connection to listen on.
    StoreConnection* now = m_app.records().connection();
    if (now == m_pWatched)
        return;
    m_pWatched = now;
    QPointer<CLedgerWindow> self(this);
    m_app.records().watchLedger([self](const std::string&) {
        if (self)
            self->pollChanges();
    });
}

void CLedgerWindow::setRole(UserRole role)
{
    m_role = role;
    const bool reads = role == UserRole::None;
    const bool reviews
        = role == UserRole::Reviewer || role == UserRole::Admin || role == UserRole::Owner;
    const bool purges = role == UserRole::Admin || role == UserRole::Owner;
    action(ID_LEDGER_REVIEW)->setVisible(reviews);
    action(ID_LEDGER_ISSUE)->setVisible(reviews);
    action(ID_LEDGER_PURGE)->setVisible(purges);
    for (int id : { ID_LEDGER_TRIAL, ID_LEDGER_REVISE, ID_LEDGER_DELETE, ID_LEDGER_RESTORE,
             ID_LEDGER_FIELDS, ID_LEDGER_IMPORT_JSON })
        action(id)->setVisible(!reads);
    m_pNote->setReadOnly(reads);
    m_pNoteSave->setVisible(!reads);
    m_pModel->setEditable(!reads);
    updateActions();
}

void CLedgerWindow::applyFilter()
{
    LedgerFilter f;
    f.text = m_pFilter->text().trimmed().toStdString();
    f.kind = m_pKind->currentData().toString().toStdString();
    if (m_pFromOn->isChecked())
        f.from = m_pFrom->date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    if (m_pToOn->isChecked())
        f.to = m_pTo->date().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    f.shelf = m_pShelf->currentIndex() == 1 ? Shelf::Bin : Shelf::InUse;
    m_pModel->setFilter(f);
    if (auto mark = DesignLedger(m_app.records()).lastChange())
        m_lastChange = *mark;
    if (!m_app.records().isOpen())
        m_pState->setText(QStringLiteral("台账未打开：记录库不可用，计算照常进行。"));
    else if (!m_pModel->lastError().isEmpty())
        m_pState->setText(m_pModel->lastError());
    else
        m_pState->setText(QStringLiteral("共 %1 条").arg(m_pModel->rowCount()));
    updateActions();
    updateDetails();
}

void CLedgerWindow::showBin(bool bin)
{
    if (m_pShelf->currentIndex() != (bin ? 1 : 0))
        m_pShelf->setCurrentIndex(bin ? 1 : 0); // comes back here through the tab
    else {
        action(ID_LEDGER_BIN)->setChecked(bin);
        applyFilter();
    }
}

void CLedgerWindow::refresh()
{
    const QWidget* focus = QApplication::focusWidget();
    if (m_refreshing || (focus && m_pTable->viewport()->isAncestorOf(focus)))
        return; // the user's edit is not thrown away; the next poll comes back
    m_refreshing = true;
    const std::vector<std::int64_t> selected = selectedIds();
    const std::int64_t current = currentId();
    applyFilter();
    for (std::int64_t id : selected) {
        const int row = m_pModel->rowOf(id);
        if (row >= 0)
            m_pTable->selectionModel()->select(
                m_pModel->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    const int row = m_pModel->rowOf(current);
    if (row >= 0) {
        m_pTable->selectionModel()->setCurrentIndex(
            m_pModel->index(row, 0), QItemSelectionModel::NoUpdate);
        m_pTable->scrollTo(m_pModel->index(row, 0));
    }
    m_refreshing = false;
    updateActions();
    updateDetails();
}

void CLedgerWindow::pollChanges()
{
    if (!m_app.records().isOpen())
        return;
    auto mark = DesignLedger(m_app.records()).lastChange();
    if (mark && *mark != m_lastChange)
        refresh();
}

std::vector<std::int64_t> CLedgerWindow::selectedIds() const
{
    std::vector<std::int64_t> ids;
    if (!m_pTable->selectionModel())
        return ids;
    for (const QModelIndex& i : m_pTable->selectionModel()->selectedRows())
        ids.push_back(m_pModel->idAt(i.row()));
    return ids;
}

bool CLedgerWindow::selectEntry(std::int64_t id)
{
    const int row = m_pModel->rowOf(id);
    if (row < 0)
        return false;
    const QModelIndex index = m_pModel->index(row, 0);
    m_pTable->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_pTable->scrollTo(index);
    return true;
}

std::int64_t CLedgerWindow::currentId() const
{
    const QModelIndex i
        = m_pTable->selectionModel() ? m_pTable->selectionModel()->currentIndex() : QModelIndex();
    if (!i.isValid() || !m_pTable->selectionModel()->isRowSelected(i.row(), {}))
        return 0;
    return m_pModel->idAt(i.row());
}

bool CLedgerWindow::currentRow(EntryRow* row) const
{
    const QModelIndex i
        = m_pTable->selectionModel() ? m_pTable->selectionModel()->currentIndex() : QModelIndex();
    if (!i.isValid() || !m_pTable->selectionModel()->isRowSelected(i.row(), {}))
        return false;
    *row = m_pModel->entryRow(i.row());
    return true;
}

void CLedgerWindow::updateActions()
{
    if (m_refreshing)
        return;
    EntryRow row;
    const bool one = currentRow(&row);
    const std::vector<std::int64_t> ids = selectedIds();
    const bool bin = m_pModel->filter().shelf == Shelf::Bin;
    const bool inUse = one && !bin;
    const bool reads = m_role == UserRole::None;
    action(ID_LEDGER_OPEN)->setEnabled(inUse);
    action(ID_LEDGER_APPEND)->setEnabled(inUse);
    action(ID_LEDGER_TRIAL)->setEnabled(inUse && IsDesign(row.kind) && !reads);
    action(ID_LEDGER_REVIEW)->setEnabled(inUse && row.state == EntryState::Draft);
    action(ID_LEDGER_ISSUE)->setEnabled(inUse && row.state == EntryState::Reviewed);
    action(ID_LEDGER_REVISE)->setEnabled(inUse && row.state == EntryState::Issued && !reads);
    action(ID_LEDGER_CHAIN)->setEnabled(one);
    action(ID_LEDGER_AUDIT)->setEnabled(one);
    action(ID_LEDGER_DELETE)->setEnabled(!bin && !ids.empty() && !reads);
    action(ID_LEDGER_RESTORE)->setEnabled(bin && !ids.empty() && !reads);
    action(ID_LEDGER_PURGE)->setEnabled(bin && !ids.empty());
    bool sameKind = ids.size() == 2;
    if (sameKind) {
        const int a = m_pModel->rowOf(ids[0]);
        const int b = m_pModel->rowOf(ids[1]);
        sameKind = m_pModel->entryRow(a).kind == m_pModel->entryRow(b).kind;
    }
    action(ID_LEDGER_COMPARE)->setEnabled(sameKind);
    for (auto& kind : m_pDocActions)
        for (QAction* a : kind)
            a->setEnabled(one);
    action(ID_LEDGER_FIELDS)->setEnabled(inUse && !reads);
    action(ID_LEDGER_EXPORT_JSON)->setEnabled(one);
    const bool open = m_app.records().isOpen();
    action(ID_LEDGER_EXPORT)->setEnabled(open && m_pModel->rowCount() > 0);
    action(ID_LEDGER_IMPORT_JSON)->setEnabled(open && !reads);
    const bool noteEditable = inUse && !reads && row.state != EntryState::Issued;
    m_pNote->setEnabled(one);
    m_pNote->setReadOnly(!noteEditable);
    m_pNoteSave->setEnabled(noteEditable);
}

void CLedgerWindow::updateDetails()
{
    if (m_refreshing)
        return;
    const std::int64_t id = currentId();
    DesignLedger ledger(m_app.records());
    m_pChain->setRowCount(0);
    m_pAudit->setRowCount(0);
    if (id == 0) {
        m_detailsId = 0;
        m_pNote->clear();
        return;
    }
    auto entry = ledger.entry(id);
    if (!entry) {
        m_pNote->clear();
        return;
    }
    // A note being typed for the same entry stays; another entry's is shown.
    if (id != m_detailsId || !m_pNote->isModified()) {
        m_pNote->setText(Text(entry->note));
        m_pNote->setModified(false);
    }
    m_detailsId = id;
    m_noteSeen = entry->row.rowVersion;

    auto addRow = [this](const QString& relation, const EntryRow& r, bool current) {
        const int n = m_pChain->rowCount();
        m_pChain->insertRow(n);
        SetRowItems(m_pChain, n,
            { relation, Text(r.number), EntryKindName(r.kind), Text(EntryStateName(r.state)),
                Text(r.time).left(16), Text(r.operatorName) });
        m_pChain->item(n, 0)->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(r.id));
        if (current)
            for (int c = 0; c < m_pChain->columnCount(); ++c) {
                QFont f = m_pChain->item(n, c)->font();
                f.setBold(true);
                m_pChain->item(n, c)->setFont(f);
            }
    };
    if (auto chain = ledger.revisionChain(id)) {
        int n = 0;
        for (const EntryRow& r : *chain) {
            addRow(
                n == 0 ? QStringLiteral("原始") : QStringLiteral("修订 R%1").arg(n), r, r.id == id);
            ++n;
        }
    }
    if (auto kids = ledger.children(id))
        for (const EntryRow& r : *kids)
            addRow(QStringLiteral("试配"), r, false);
    if (auto trail = ledger.auditTrail(id)) {
        for (const AuditRow& a : *trail) {
            const int n = m_pAudit->rowCount();
            m_pAudit->insertRow(n);
            SetRowItems(m_pAudit, n,
                { Text(a.time), Text(a.user), Text(a.action), Text(a.field), Text(a.oldValue),
                    Text(a.newValue) });
        }
    }
}

std::optional<Entry> CLedgerWindow::currentEntry()
{
    const std::int64_t id = currentId();
    if (!id)
        return std::nullopt;
    auto entry = DesignLedger(m_app.records()).entry(id);
    if (!entry) {
        tell(Text(entry.error().message));
        return std::nullopt;
    }
    return *entry;
}

void CLedgerWindow::OnOpenInForm()
{
    const std::optional<Entry> entry = currentEntry();
    if (!entry)
        return;
    if (entry->inputsJson.empty() || entry->inputsJson == "{}")
        return tell(QStringLiteral("%1 没有记下输入（导入的计算结果），不能在表单中打开。")
                        .arg(Text(entry->row.number)));
    const auto kind = KindOf(entry->row.kind);
    if (!kind || !m_app.calculators()->openEntry(*kind, entry->inputsJson))
        tell(QStringLiteral("%1 的输入无法在表单中打开。").arg(Text(entry->row.number)));
}

void CLedgerWindow::OnAppendReport()
{
    const std::optional<Entry> entry = currentEntry();
    if (!entry)
        return;
    if (entry->report.empty())
        return tell(QStringLiteral("%1 没有计算书。").arg(Text(entry->row.number)));
    m_app.calculators()->appendRecorded(entry->report);
    statusBar()->showMessage(
        QStringLiteral("已追加 %1 的计算书。").arg(Text(entry->row.number)), 5000);
}

void CLedgerWindow::OnTrialBatch()
{
    const std::optional<Entry> entry = currentEntry();
    if (!entry)
        return;
    const std::optional<AdjustInputs> design = DesignOf(*entry);
    if (!design)
        return tell(QStringLiteral("%1 没有可试配的配合比。").arg(Text(entry->row.number)));
    m_app.calculators()->openEntry(CalcKind::Adjust, toJson(*design), entry->row.id);
}

void CLedgerWindow::OnReview()
{
    advanceTo(EntryState::Reviewed);
}

void CLedgerWindow::OnIssue()
{
    advanceTo(EntryState::Issued);
}

void CLedgerWindow::advanceTo(EntryState to)
{
    EntryRow row;
    if (!currentRow(&row))
        return;
    auto done = DesignLedger(m_app.records()).advance(row.id, to, user(), row.rowVersion);
    if (!done)
        tell(Text(done.error().message));
    refresh();
}

void CLedgerWindow::OnRevise()
{
    EntryRow row;
    if (!currentRow(&row))
        return;
    auto revised = DesignLedger(m_app.records()).revise(row.id, user());
    if (!revised)
        return tell(Text(revised.error().message));
    refresh();
    if (!selectEntry(revised->id)) {
        // Filtered out: show the whole ledger so the new revision is seen.
        m_pFilter->clear();
        m_pKind->setCurrentIndex(0);
        m_pFromOn->setChecked(false);
        m_pToOn->setChecked(false);
        selectEntry(revised->id);
    }
    OnChain();
}

void CLedgerWindow::OnChain()
{
    m_pDetails->setCurrentWidget(m_pChain);
}

void CLedgerWindow::OnAudit()
{
    m_pDetails->setCurrentWidget(m_pAudit);
}

void CLedgerWindow::OnDelete()
{
    moveSelected(Shelf::InUse, QStringLiteral("把 %1 移入回收站？"), &DesignLedger::deleteEntry);
}

void CLedgerWindow::OnRestore()
{
    moveSelected(Shelf::Bin, QString(), &DesignLedger::restoreEntry);
}

void CLedgerWindow::OnPurge()
{
    moveSelected(
        Shelf::Bin, QStringLiteral("彻底删除 %1？删除后不能还原。"), &DesignLedger::purgeEntry);
}

void CLedgerWindow::moveSelected(Shelf from, const QString& question,
    Result<void> (DesignLedger::*step)(std::int64_t, const std::string&))
{
    const std::vector<std::int64_t> ids = selectedIds();
    if (ids.empty() || m_pModel->filter().shelf != from)
        return;
    if (!question.isEmpty()) {
        const QString what = ids.size() == 1
            ? Text(m_pModel->entryRow(m_pModel->rowOf(ids[0])).number)
            : QStringLiteral("选中的 %1 条").arg(ids.size());
        if (ShowNotice(this, Prompter::Icon::Question, QString::fromUtf8(kAppTitle),
                question.arg(what), Prompter::Buttons::YesNo)
            != Prompter::Answer::Yes)
            return;
    }
    DesignLedger ledger(m_app.records());
    for (std::int64_t id : ids)
        if (auto done = (ledger.*step)(id, user()); !done) {
            tell(Text(done.error().message));
            break;
        }
    refresh();
}

void CLedgerWindow::OnCompare()
{
    std::vector<std::int64_t> ids = selectedIds();
    if (ids.size() != 2)
        return;
    std::sort(ids.begin(), ids.end());
    Q_EMIT compareRequested(ids[0], ids[1]);
}

void CLedgerWindow::OnSaveNote()
{
    EntryRow row;
    if (!currentRow(&row) || m_pNote->isReadOnly() || row.id != m_detailsId)
        return;
    auto done = DesignLedger(m_app.records())
                    .editField(row.id, EntryField::Note, m_pNote->text().trimmed().toStdString(),
                        user(), m_noteSeen);
    if (!done) {
        tell(Text(done.error().message)); // the text stays in the box to send again
        return;
    }
    m_pNote->setModified(false);
    statusBar()->showMessage(QStringLiteral("备注已保存。"), 3000);
    refresh();
}

void CLedgerWindow::OnDocumentFields()
{
    if (const std::int64_t id = currentId())
        EditDocumentFields(this, m_app.records(), id);
}

void CLedgerWindow::OnDocument(DocumentKind kind, Output output)
{
    EntryRow row;
    if (!currentRow(&row))
        return;
    DocumentData data;
    QString error;
    if (!LoadDocumentData(m_app.records(), row.id, LabName(), &data, &error))
        return tell(error);
    QPrinter* printer = m_app.printer();
    switch (output) {
    case Output::Preview:
        PreviewDocument(printer, kind, data, m_app.previewPages(), this);
        return;
    case Output::Print:
        PreparePrinter(printer, kind, data);
        if (Prompter::current()->printDialog(this, printer, kind == DocumentKind::Notice ? 1 : 99)
            && !PrintDocument(printer, kind, data))
            tell(QStringLiteral("无法打印%1。").arg(DocumentTitle(kind)));
        return;
    case Output::Pdf:
    case Output::Odt: {
        const bool pdf = output == Output::Pdf;
        Prompter::FileRequest request;
        request.title = pdf ? QStringLiteral("另存为 PDF") : QStringLiteral("另存为 .odt");
        request.filters = { pdf ? QStringLiteral("PDF 文件 (*.pdf)")
                                : QStringLiteral("OpenDocument 文本 (*.odt)") };
        request.defaultSuffix = pdf ? QStringLiteral("pdf") : QStringLiteral("odt");
        request.proposedPath = Text(row.number) + QLatin1Char('-') + DocumentTitle(kind)
            + QLatin1Char('.') + request.defaultSuffix;
        const QString path = Prompter::current()->saveFileName(this, request);
        if (path.isEmpty())
            return;
        const bool written = pdf ? WriteDocumentPdf(kind, data, path, &error)
                                 : WriteDocumentOdt(kind, data, path, &error);
        if (!written)
            return tell(error);
        statusBar()->showMessage(QStringLiteral("已保存：") + path, 5000);
        return;
    }
    }
}

void CLedgerWindow::OnExport()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("导出台账");
    request.filters
        = { QStringLiteral("Excel 工作簿 (*.xlsx)"), QStringLiteral("CSV 文件 (*.csv)") };
    request.defaultSuffix = QStringLiteral("xlsx");
    request.proposedPath = QStringLiteral("配合比台账.xlsx");
    const QString path = Prompter::current()->saveFileName(this, request);
    if (path.isEmpty())
        return;
    std::vector<Entry> entries;
    QString error;
    if (!LoadLedgerEntries(m_app.records(), m_pModel->filter(), &entries, &error))
        return tell(error);
    const ExportTable table = LedgerTable(entries);
    const bool csv
        = QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0;
    const bool written = csv
        ? WriteLedgerCsv(
            table, path, m_pCsvGbk->isChecked() ? CsvEncoding::Gbk : CsvEncoding::Utf8Bom, &error)
        : WriteLedgerXlsx(table, path, &error);
    if (!written)
        return tell(error);
    statusBar()->showMessage(
        QStringLiteral("已导出 %1 条：%2").arg(entries.size()).arg(path), 5000);
}

void CLedgerWindow::OnExportJson()
{
    const std::optional<Entry> entry = currentEntry();
    if (!entry)
        return;
    Prompter::FileRequest request;
    request.title = QStringLiteral("导出 JSON");
    request.filters = { QStringLiteral("JSON 文件 (*.json)") };
    request.defaultSuffix = QStringLiteral("json");
    request.proposedPath = Text(entry->row.number) + QStringLiteral(".json");
    const QString path = Prompter::current()->saveFileName(this, request);
    if (path.isEmpty())
        return;
    QString error;
    if (!WriteEntryJson(*entry, path, &error))
        return tell(error);
    statusBar()->showMessage(QStringLiteral("已导出：") + path, 5000);
}

void CLedgerWindow::OnImportJson()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("导入 JSON");
    request.filters = { QStringLiteral("JSON 文件 (*.json)"), QStringLiteral("所有文件 (*)") };
    const QStringList paths = Prompter::current()->openFileNames(this, request);
    if (paths.isEmpty())
        return;
    QStringList numbers;
    QString error;
    if (!ImportEntryJsonFiles(m_app.records(), paths, user(), &numbers, &error))
        return tell(error + QStringLiteral("\n没有导入任何文件。"));
    refresh();
    ShowNotice(this, Prompter::Icon::Information, QString::fromUtf8(kAppTitle),
        QStringLiteral("已导入 %1 条，编号：\n%2")
            .arg(numbers.size())
            .arg(numbers.join(QStringLiteral("、"))));
}
