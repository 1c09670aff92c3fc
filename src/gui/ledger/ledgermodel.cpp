#include "ledger/ledgermodel.h"

#include "documents/documentdata.h"
#include "records/recordstore.h"

#include <algorithm>

namespace {

// Rows fetched at once: a few screenfuls.
constexpr int kPage = 100;
// Rows kept before the cache is emptied and filled again from what is shown.
constexpr std::size_t kCacheLimit = 20 * kPage;

QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

CLedgerModel::CLedgerModel(RecordStore& store, QObject* parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{ }

bool CLedgerModel::setFilter(const LedgerFilter& filter)
{
    m_filter = filter;
    beginResetModel();
    m_rows.clear();
    auto ids = DesignLedger(m_store).entryIds(filter);
    if (ids) {
        m_ids = std::move(*ids);
        m_error.clear();
    } else {
        m_ids.clear();
        m_error = Text(ids.error().message);
    }
    endResetModel();
    return ids.ok();
}

int CLedgerModel::rowOf(std::int64_t id) const
{
    for (std::size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return static_cast<int>(i);
    return -1;
}

void CLedgerModel::fetchPage(int row) const
{
    if (m_rows.size() > kCacheLimit)
        m_rows.clear();
    const int first = row / kPage * kPage;
    const int last = std::min<int>(first + kPage, static_cast<int>(m_ids.size()));
    std::vector<std::int64_t> ids(m_ids.begin() + first, m_ids.begin() + last);
    auto rows = DesignLedger(m_store).entryRows(ids);
    if (!rows)
        return;
    for (const EntryRow& r : *rows) {
        // entryRows gives them in the order asked, less any gone since.
        for (int i = first; i < last; ++i)
            if (m_ids[static_cast<std::size_t>(i)] == r.id) {
                m_rows[i] = r;
                break;
            }
    }
}

const EntryRow& CLedgerModel::entryRow(int row) const
{
    auto it = m_rows.find(row);
    if (it == m_rows.end()) {
        fetchPage(row);
        it = m_rows.find(row);
        if (it == m_rows.end()) {
            // Gone since the ids were taken: shown by its id only.
            EntryRow gone;
            gone.id = idAt(row);
            it = m_rows.emplace(row, gone).first;
        }
    }
    return it->second;
}

QString CLedgerModel::pendingText(const QModelIndex& index) const
{
    if (!index.isValid() || index.column() != m_pending.column
        || idAt(index.row()) != m_pending.id)
        return {};
    return m_pending.text;
}

int CLedgerModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_ids.size());
}

int CLedgerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CLedgerModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const EntryRow& r = entryRow(index.row());
    switch (index.column()) {
    case ColNumber:
        return Text(r.number);
    case ColKind:
        return EntryKindName(r.kind);
    case ColGrade:
        return Text(r.grade);
    case ColProject:
        return Text(r.project);
    case ColPart:
        return Text(r.part);
    case ColDate:
        return Text(r.time).left(16); // to the minute
    case ColOperator:
        return Text(r.operatorName);
    case ColState:
        return r.number.empty() ? QString() : Text(EntryStateName(r.state));
    }
    return {};
}

QVariant CLedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kHeaders[ColumnCount]
        = { "编号", "类型", "强度等级", "工程名称", "施工部位", "日期", "操作人", "状态" };
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kHeaders[section])
                                                 : QVariant();
}

Qt::ItemFlags CLedgerModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    const int c = index.column();
    if (m_editable && m_filter.shelf == Shelf::InUse
        && (c == ColNumber || c == ColProject || c == ColPart)
        && entryRow(index.row()).state != EntryState::Issued)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CLedgerModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString text = value.toString().trimmed();
    if (text == data(index, Qt::EditRole).toString()) {
        m_pending = {};
        return false; // nothing changed
    }
    const EntryRow row = entryRow(index.row());
    const EntryField field = index.column() == ColNumber
        ? EntryField::Number
        : (index.column() == ColProject ? EntryField::Project : EntryField::Part);
    DesignLedger ledger(m_store);
    const Result<void> done
        = ledger.editField(row.id, field, text.toStdString(), m_user, row.rowVersion);
    if (!done) {
        m_pending = { row.id, index.column(), value.toString() };
        Q_EMIT editRefused(index, Text(done.error().message));
        return false;
    }
    m_pending = {};
    auto fresh = ledger.entryRows({ row.id });
    if (fresh && !fresh->empty())
        m_rows[index.row()] = fresh->front();
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    Q_EMIT edited(row.id);
    return true;
}
