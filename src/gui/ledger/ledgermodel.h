#pragma once

#include "records/ledger.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <unordered_map>
#include <vector>

class RecordStore;

// The ledger's table: every id that passes the filter is taken at once,
// the rows themselves a page at a time as the view asks for them, so a
// ledger of any size opens and filters at the speed of one id query.
class CLedgerModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        ColNumber, // 编号
        ColKind, // 类型
        ColGrade, // 强度等级
        ColProject, // 工程名称
        ColPart, // 施工部位
        ColDate, // 日期
        ColOperator, // 操作人
        ColState, // 状态
        ColumnCount
    };

    explicit CLedgerModel(RecordStore& store, QObject* parent = nullptr);

    // Takes the ids again; false with the store's message when it cannot.
    bool setFilter(const LedgerFilter& filter);
    bool reload() { return setFilter(m_filter); }
    const LedgerFilter& filter() const { return m_filter; }
    const QString& lastError() const { return m_error; }

    // Whoever edits: the store audits the edit under this name.
    void setUser(const std::string& user) { m_user = user; }
    // False: nothing may be edited in place (a role that only reads).
    void setEditable(bool editable) { m_editable = editable; }

    std::int64_t idAt(int row) const { return m_ids.at(static_cast<std::size_t>(row)); }
    int rowOf(std::int64_t id) const;
    // The row as last fetched (fetched now if it was not).
    const EntryRow& entryRow(int row) const;

    // The text the user typed into an edit the store refused, kept for
    // the editor to show again; empty when there is none for `index`.
    QString pendingText(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // An edit went through (the entry's row has been fetched again).
    void edited(std::int64_t id);
    // The store refused an edit; the typed text is kept as pendingText().
    void editRefused(const QModelIndex& index, const QString& message);

private:
    void fetchPage(int row) const;

    RecordStore& m_store;
    LedgerFilter m_filter;
    QString m_error;
    std::string m_user;
    bool m_editable = true;
    std::vector<std::int64_t> m_ids;
    mutable std::unordered_map<int, EntryRow> m_rows; // by row
    struct Pending
    {
        std::int64_t id = 0;
        int column = -1;
        QString text;
    } m_pending;
};
