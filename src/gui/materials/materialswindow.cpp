#include "materials/materialswindow.h"

#include "common/prompter.h"
#include "materials/materialforms.h"
#include "materials/materialsui.h"
#include "records/recordstore.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <iterator>

namespace {

const char* const kTitle = "原材料库";

QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

QTableWidget* NewTable(QWidget* parent, const QString& name)
{
    auto* table = new QTableWidget(parent);
    table->setAccessibleName(name);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setTabKeyNavigation(false); // Tab goes on to the buttons
    return table;
}

void Fill(QTableWidget* table, const QStringList& headings, const std::vector<QStringList>& rows,
    const std::vector<std::int64_t>& ids)
{
    table->clear();
    table->setColumnCount(static_cast<int>(headings.size()));
    table->setHorizontalHeaderLabels(headings);
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < static_cast<int>(headings.size()); ++c) {
            auto* item = new QTableWidgetItem(c < rows[r].size() ? rows[r][c] : QString());
            if (c == 0)
                item->setData(Qt::UserRole, QVariant::fromValue<qlonglong>(ids[r]));
            table->setItem(r, c, item);
        }
    table->resizeColumnsToContents();
}

std::optional<std::int64_t> SelectedId(const QTableWidget* table)
{
    const int row = table->currentRow();
    if (row < 0 || !table->item(row, 0) || !table->item(row, 0)->isSelected())
        return std::nullopt;
    return table->item(row, 0)->data(Qt::UserRole).toLongLong();
}

void SelectId(QTableWidget* table, std::int64_t id)
{
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0)->data(Qt::UserRole).toLongLong() == id) {
            table->selectRow(r);
            return;
        }
}

// The material's columns of its kind: name, variety, grade, sizes, values, the rest.
QStringList MaterialHeadings(MaterialKind kind)
{
    QStringList h { QStringLiteral("名称") };
    if (!VarietyLabel(kind).isEmpty())
        h << VarietyLabel(kind);
    if (kind == MaterialKind::Cement)
        h << QStringLiteral("强度等级");
    if (kind == MaterialKind::Mineral)
        h << QStringLiteral("等级");
    if (kind == MaterialKind::CoarseAggregate)
        h << QStringLiteral("公称粒径(mm)");
    for (const MaterialValueField& f : MaterialValueFields(kind))
        h << f.label;
    h << QStringLiteral("生产厂家/产地") << QStringLiteral("规格") << QStringLiteral("备注");
    return h;
}

QStringList MaterialRow(const Material& m)
{
    QStringList row { Q(m.name) };
    if (!VarietyLabel(m.kind).isEmpty())
        row << Q(m.variety);
    if (m.kind == MaterialKind::Cement || m.kind == MaterialKind::Mineral)
        row << Q(m.grade);
    if (m.kind == MaterialKind::CoarseAggregate)
        row << Q(m.sizeRange);
    for (const MaterialValueField& f : MaterialValueFields(m.kind))
        row << Q(m.values.*f.member);
    row << Q(m.maker) << Q(m.specText) << Q(m.note);
    return row;
}

QStringList BatchHeadings(MaterialKind kind, bool withMaterial)
{
    QStringList h;
    if (withMaterial)
        h << QStringLiteral("材料");
    h << QStringLiteral("批号") << QStringLiteral("进场日期") << QStringLiteral("检验报告编号")
      << QStringLiteral("检验日期");
    for (const MaterialValueField& f : MaterialValueFields(kind))
        h << f.label;
    if (IsAggregateKind(kind))
        h << QStringLiteral("含水率(%)");
    h << QStringLiteral("状态");
    return h;
}

// A batch's own values; those it takes from its material are shown in brackets.
QStringList BatchRow(const Material& m, const Batch& b, bool withMaterial)
{
    QStringList row;
    if (withMaterial)
        row << Q(m.name);
    row << Q(b.batchNo) << Q(b.arrivalDate) << Q(b.reportNo) << Q(b.testDate);
    for (const MaterialValueField& f : MaterialValueFields(m.kind)) {
        const std::string& own = b.measured.*f.member;
        const std::string& inherited = m.values.*f.member;
        row << (own.empty() && !inherited.empty() ? QStringLiteral("（%1）").arg(Q(inherited))
                                                  : Q(own));
    }
    if (IsAggregateKind(m.kind))
        row << Q(b.moisture);
    row << (b.active ? QStringLiteral("在用") : QStringLiteral("停用"));
    return row;
}

} // namespace

CMaterialsWindow::CMaterialsWindow(RecordStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_library(store)
{
    setWindowTitle(QString::fromUtf8(kTitle));
    setObjectName(QStringLiteral("materialsWindow"));
    SetDialogFont(this);
    resize(960, 640);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_pKinds = new QTabBar(this);
    m_pKinds->setAccessibleName(QStringLiteral("材料种类"));
    for (MaterialKind k : kMaterialKinds)
        m_pKinds->addTab(Q(MaterialKindName(k)));
    top->addWidget(m_pKinds, 1);
    auto* find = new QLabel(QStringLiteral("查找(&F)："), this);
    m_pSearch = new QLineEdit(this);
    m_pSearch->setPlaceholderText(QStringLiteral("按名称"));
    m_pSearch->setClearButtonEnabled(true);
    find->setBuddy(m_pSearch);
    top->addWidget(find);
    top->addWidget(m_pSearch);
    m_pBinButton = new QPushButton(QStringLiteral("回收站(&B)"), this);
    m_pBinButton->setObjectName(QStringLiteral("bin"));
    m_pBinButton->setCheckable(true);
    top->addWidget(m_pBinButton);
    layout->addLayout(top);

    m_pMaterials = NewTable(this, QStringLiteral("材料"));
    layout->addWidget(m_pMaterials, 3);
    auto* materialRow = new QHBoxLayout;
    addButton(materialRow, QStringLiteral("newMaterial"), QStringLiteral("新增(&N)…"),
        &CMaterialsWindow::OnNewMaterial);
    addButton(materialRow, QStringLiteral("editMaterial"), QStringLiteral("编辑(&E)…"),
        &CMaterialsWindow::OnEditMaterial);
    addButton(materialRow, QStringLiteral("copyMaterial"), QStringLiteral("复制(&C)"),
        &CMaterialsWindow::OnCopyMaterial);
    addButton(materialRow, QStringLiteral("deleteMaterial"), QStringLiteral("删除(&D)"),
        &CMaterialsWindow::OnDeleteMaterial);
    addButton(materialRow, QStringLiteral("restoreMaterial"), QStringLiteral("还原(&R)"),
        &CMaterialsWindow::OnRestoreMaterial);
    addButton(materialRow, QStringLiteral("purgeMaterial"), QStringLiteral("彻底删除(&P)"),
        &CMaterialsWindow::OnPurgeMaterial);
    materialRow->addStretch();
    layout->addLayout(materialRow);

    m_pBatchTitle = new QLabel(this);
    layout->addWidget(m_pBatchTitle);
    m_pBatches = NewTable(this, QStringLiteral("批次"));
    m_pBatchTitle->setBuddy(m_pBatches);
    layout->addWidget(m_pBatches, 2);
    auto* batchRow = new QHBoxLayout;
    addButton(batchRow, QStringLiteral("newBatch"), QStringLiteral("新增批次(&A)…"),
        &CMaterialsWindow::OnNewBatch);
    addButton(batchRow, QStringLiteral("editBatch"), QStringLiteral("编辑批次(&I)…"),
        &CMaterialsWindow::OnEditBatch);
    addButton(batchRow, QStringLiteral("copyBatch"), QStringLiteral("复制批次(&O)"),
        &CMaterialsWindow::OnCopyBatch);
    addButton(batchRow, QStringLiteral("toggleBatch"), QStringLiteral("停用(&S)"),
        &CMaterialsWindow::OnToggleBatch);
    addButton(batchRow, QStringLiteral("deleteBatch"), QStringLiteral("删除批次(&L)"),
        &CMaterialsWindow::OnDeleteBatch);
    addButton(batchRow, QStringLiteral("restoreBatch"), QStringLiteral("还原批次(&T)"),
        &CMaterialsWindow::OnRestoreBatch);
    addButton(batchRow, QStringLiteral("purgeBatch"), QStringLiteral("彻底删除批次(&U)"),
        &CMaterialsWindow::OnPurgeBatch);
    batchRow->addStretch();
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    batchRow->addWidget(close);
    layout->addLayout(batchRow);
    m_pStatus = new QLabel(this);
    m_pStatus->setWordWrap(true);
    layout->addWidget(m_pStatus);

    connect(m_pKinds, &QTabBar::currentChanged, this, [this] { loadMaterials(); });
    connect(m_pSearch, &QLineEdit::textChanged, this, [this] { loadMaterials(); });
    connect(m_pBinButton, &QPushButton::toggled, this, &CMaterialsWindow::showBin);
    connect(m_pMaterials, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!m_bLoading && !m_bBin)
            loadBatches();
        updateButtons();
    });
    connect(m_pBatches, &QTableWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    connect(m_pMaterials, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!m_bBin)
            OnEditMaterial();
    });
    connect(m_pBatches, &QTableWidget::cellDoubleClicked, this, [this] {
        if (!m_bBin)
            OnEditBatch();
    });
    setTabOrder(m_pKinds, m_pSearch);

    takeStoreRole();
    reload();
}

void CMaterialsWindow::takeStoreRole()
{
    if (!m_store.isOpen())
        return; // nothing may change anyway
    const Result<UserRole> role = CurrentRole(m_store);
    setRole(role ? *role : UserRole::None);
}

QPushButton* CMaterialsWindow::addButton(
    QLayout* row, const QString& name, const QString& text, void (CMaterialsWindow::*slot)())
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    connect(button, &QPushButton::clicked, this, slot);
    row->addWidget(button);
    return button;
}

QPushButton* CMaterialsWindow::actionButton(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

void CMaterialsWindow::setRole(UserRole role)
{
    m_role = role;
    updateButtons();
}

MaterialKind CMaterialsWindow::kind() const
{
    const int index = m_pKinds->currentIndex();
    return kMaterialKinds[index < 0 ? 0 : index];
}

void CMaterialsWindow::setKind(MaterialKind kind)
{
    for (int i = 0; i < static_cast<int>(std::size(kMaterialKinds)); ++i)
        if (kMaterialKinds[i] == kind)
            m_pKinds->setCurrentIndex(i);
}

void CMaterialsWindow::showBin(bool bin)
{
    m_bBin = bin;
    if (m_pBinButton->isChecked() != bin)
        m_pBinButton->setChecked(bin);
    m_pBinButton->setText(bin ? QStringLiteral("返回材料(&B)") : QStringLiteral("回收站(&B)"));
    setWindowTitle(bin ? QStringLiteral("原材料库 — 回收站") : QString::fromUtf8(kTitle));
    reload();
}

std::optional<std::int64_t> CMaterialsWindow::selectedMaterial() const
{
    return SelectedId(m_pMaterials);
}

std::optional<std::int64_t> CMaterialsWindow::selectedBatch() const
{
    return SelectedId(m_pBatches);
}

void CMaterialsWindow::selectMaterial(std::int64_t id)
{
    SelectId(m_pMaterials, id);
}

void CMaterialsWindow::selectBatch(std::int64_t id)
{
    SelectId(m_pBatches, id);
}

void CMaterialsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    takeStoreRole();
    reload();
}

void CMaterialsWindow::reload()
{
    m_pStatus->clear();
    if (!m_store.isOpen()) {
        m_pStatus->setText(QStringLiteral("原材料库未打开：没有可用的数据库，材料无法查看或记录。"
                                          "计算照常进行。"));
        m_pMaterials->setRowCount(0);
        m_pBatches->setRowCount(0);
        updateButtons();
        return;
    }
    loadMaterials();
}

bool CMaterialsWindow::report(const StoreError& error)
{
    m_pStatus->setText(Q(error.message));
    return false;
}

void CMaterialsWindow::loadMaterials()
{
    const std::optional<std::int64_t> keep = selectedMaterial();
    const MaterialKind k = kind();
    const QString text = m_pSearch->text().trimmed();
    Result<std::vector<Material>> found = m_bBin || text.isEmpty()
        ? m_library.materials(k, m_bBin ? Shelf::Bin : Shelf::InUse)
        : m_library.searchMaterials(text.toStdString(), k);
    std::vector<QStringList> rows;
    std::vector<std::int64_t> ids;
    if (!found) {
        report(found.error());
    } else {
        for (const Material& m : *found) {
            if (m_bBin && !text.isEmpty() && !Q(m.name).contains(text, Qt::CaseInsensitive))
                continue;
            rows.push_back(MaterialRow(m));
            ids.push_back(m.id);
        }
    }
    m_bLoading = true;
    Fill(m_pMaterials, MaterialHeadings(k), rows, ids);
    if (keep)
        SelectId(m_pMaterials, *keep);
    if (!selectedMaterial() && !ids.empty() && !m_bBin)
        m_pMaterials->selectRow(0);
    m_bLoading = false;
    loadBatches();
}

void CMaterialsWindow::loadBatches()
{
    const std::optional<std::int64_t> keep = selectedBatch();
    const MaterialKind k = kind();
    std::vector<QStringList> rows;
    std::vector<std::int64_t> ids;
    if (m_bBin) {
        m_pBatchTitle->setText(QStringLiteral("回收站中的批次（其材料不在回收站）："));
        auto binned = m_library.binnedBatches();
        if (!binned)
            report(binned.error());
        else
            for (const BatchChoice& c : *binned)
                if (c.material.kind == k) {
                    rows.push_back(BatchRow(c.material, c.batch, true));
                    ids.push_back(c.batch.id);
                }
        Fill(m_pBatches, BatchHeadings(k, true), rows, ids);
    } else {
        const std::optional<Material> m = currentMaterial();
        m_pBatchTitle->setText(
            m ? QStringLiteral("“%1”的批次(&H)：").arg(Q(m->name)) : QStringLiteral("批次(&H)："));
        if (m) {
            auto batches = m_library.batches(m->id);
            if (!batches)
                report(batches.error());
            else
                for (const Batch& b : *batches) {
                    rows.push_back(BatchRow(*m, b, false));
                    ids.push_back(b.id);
                }
        }
        Fill(m_pBatches, BatchHeadings(k, false), rows, ids);
    }
    if (keep)
        SelectId(m_pBatches, *keep);
    updateButtons();
}

std::optional<Material> CMaterialsWindow::currentMaterial()
{
    const std::optional<std::int64_t> id = selectedMaterial();
    if (!id)
        return std::nullopt;
    auto m = m_library.material(*id);
    if (!m)
        return std::nullopt;
    return *m;
}

void CMaterialsWindow::updateButtons()
{
    const bool open = m_store.isOpen();
    const bool mayChange = open && m_role != UserRole::None;
    const bool mayPurge = mayChange && (m_role == UserRole::Admin || m_role == UserRole::Owner);
    const bool material = selectedMaterial().has_value();
    const bool batch = selectedBatch().has_value();
    const struct
    {
        const char* name;
        bool shown;
        bool enabled;
    } states[] = {
        { "newMaterial", mayChange && !m_bBin, true },
        { "editMaterial", mayChange && !m_bBin, material },
        { "copyMaterial", mayChange && !m_bBin, material },
        { "deleteMaterial", mayChange && !m_bBin, material },
        { "restoreMaterial", mayChange && m_bBin, material },
        { "purgeMaterial", mayPurge && m_bBin, material },
        { "newBatch", mayChange && !m_bBin, material },
        { "editBatch", mayChange && !m_bBin, batch },
        { "copyBatch", mayChange && !m_bBin, batch },
        { "toggleBatch", mayChange && !m_bBin, batch },
        { "deleteBatch", mayChange && !m_bBin, batch },
        { "restoreBatch", mayChange && m_bBin, batch },
        { "purgeBatch", mayPurge && m_bBin, batch },
    };
    for (const auto& s : states)
        if (QPushButton* b = actionButton(QString::fromLatin1(s.name))) {
            b->setVisible(s.shown);
            b->setEnabled(s.enabled);
        }
    m_pBinButton->setEnabled(open);
    m_pSearch->setEnabled(open);
    if (batch && !m_bBin) {
        const int row = m_pBatches->currentRow();
        const bool active = m_pBatches->item(row, m_pBatches->columnCount() - 1)->text()
            == QStringLiteral("在用");
        actionButton(QStringLiteral("toggleBatch"))
            ->setText(active ? QStringLiteral("停用(&S)") : QStringLiteral("启用(&S)"));
    }
}

void CMaterialsWindow::OnNewMaterial()
{
    Material m;
    m.kind = kind();
    CMaterialDlg dlg(m_library, m, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_pSearch->clear();
    reload();
    selectMaterial(dlg.savedId());
}

void CMaterialsWindow::OnEditMaterial()
{
    const std::optional<Material> m = currentMaterial();
    if (!m)
        return;
    CMaterialDlg dlg(m_library, *m, this);
    if (dlg.exec() == QDialog::Accepted)
        reload();
}

void CMaterialsWindow::OnCopyMaterial()
{
    const std::optional<std::int64_t> id = selectedMaterial();
    if (!id)
        return;
    const Result<std::int64_t> copy = m_library.copyMaterial(*id);
    if (!copy) {
        ShowNotice(
            this, Prompter::Icon::Exclamation, QString::fromUtf8(kTitle), Q(copy.error().message));
        return;
    }
    m_pSearch->clear();
    reload();
    selectMaterial(*copy);
}

namespace {

// A change of the library, the store's refusal shown when it is refused.
bool Done(QWidget* parent, const Result<void>& done)
{
    if (!done)
        ShowNotice(parent, Prompter::Icon::Exclamation, QString::fromUtf8(kTitle),
            Q(done.error().message));
    return done.ok();
}

bool Sure(QWidget* parent, const QString& what)
{
    return ShowNotice(parent, Prompter::Icon::Question, QString::fromUtf8(kTitle),
               QStringLiteral("彻底删除%1？此操作不能撤销。").arg(what), Prompter::Buttons::YesNo)
        == Prompter::Answer::Yes;
}

} // namespace

void CMaterialsWindow::OnDeleteMaterial()
{
    if (const auto id = selectedMaterial(); id && Done(this, m_library.deleteMaterial(*id)))
        reload();
}

void CMaterialsWindow::OnRestoreMaterial()
{
    if (const auto id = selectedMaterial(); id && Done(this, m_library.restoreMaterial(*id)))
        reload();
}

void CMaterialsWindow::OnPurgeMaterial()
{
    const auto id = selectedMaterial();
    if (!id)
        return;
    const QString name = m_pMaterials->item(m_pMaterials->currentRow(), 0)->text();
    if (Sure(this, QStringLiteral("材料“%1”及其批次").arg(name))
        && Done(this, m_library.purgeMaterial(*id)))
        reload();
}

void CMaterialsWindow::OnNewBatch()
{
    const std::optional<Material> m = currentMaterial();
    if (!m)
        return;
    Batch b;
    b.materialId = m->id;
    b.arrivalDate = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString();
    CBatchDlg dlg(m_library, *m, b, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    loadBatches();
    selectBatch(dlg.savedId());
}

void CMaterialsWindow::OnEditBatch()
{
    const std::optional<Material> m = currentMaterial();
    const auto id = selectedBatch();
    if (!m || !id)
        return;
    auto b = m_library.batch(*id);
    if (!b) {
        Done(this, b.error());
        return;
    }
    CBatchDlg dlg(m_library, *m, *b, this);
    if (dlg.exec() == QDialog::Accepted)
        loadBatches();
}

void CMaterialsWindow::OnCopyBatch()
{
    const auto id = selectedBatch();
    if (!id)
        return;
    const Result<std::int64_t> copy = m_library.copyBatch(*id);
    if (!copy) {
        Done(this, copy.error());
        return;
    }
    loadBatches();
    selectBatch(*copy);
}

void CMaterialsWindow::OnToggleBatch()
{
    const auto id = selectedBatch();
    if (!id)
        return;
    auto b = m_library.batch(*id);
    if (!b) {
        Done(this, b.error());
        return;
    }
    if (Done(this, m_library.setBatchActive(*id, !b->active)))
        loadBatches();
}

void CMaterialsWindow::OnDeleteBatch()
{
    if (const auto id = selectedBatch(); id && Done(this, m_library.deleteBatch(*id)))
        loadBatches();
}

void CMaterialsWindow::OnRestoreBatch()
{
    if (const auto id = selectedBatch(); id && Done(this, m_library.restoreBatch(*id)))
        loadBatches();
}

void CMaterialsWindow::OnPurgeBatch()
{
    const auto id = selectedBatch();
    if (!id)
        return;
    if (Sure(this, QStringLiteral("这个批次")) && Done(this, m_library.purgeBatch(*id)))
        loadBatches();
}
