#pragma once

#include "records/materials.h"
#include "records/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class RecordStore;

// 配合比台账: every completed calculation, its number, state and history.

enum class EntryState
{
    Draft,
    Reviewed,
    Issued
};
// 草稿, 已审核, 已下发.
std::string EntryStateName(EntryState state);

struct UsedBatch
{
    MaterialRole role = MaterialRole::Cement;
    std::int64_t batchId = 0;
};

// A calculation to record.
struct NewEntry
{
    std::string
        kind; // "mix1", "mix2", "adjust", "evaluate", "stddev" … (letters, digits, '-', '_')
    std::string time; // 'yyyy-MM-dd HH:mm:ss', local; "" for now
    std::string operatorName; // 操作人
    std::string inputsJson; // the form's inputs, a JSON object
    std::string grade; // 强度等级, e.g. "C30"
    std::string waterBinder; // W/B as the report prints it
    std::string verdict; // e.g. 合格
    std::string
        figuresJson; // the outcome's key figures (masses per m³ …), a JSON object; "" for {}
    std::string report; // the report text as appended
    std::vector<UsedBatch> batches; // one a role at most
    std::optional<std::int64_t> parentId; // the entry a trial batch was opened from
    std::string number; // 编号; "" for the next free PB-<year>-nnnn of the entry's year
    std::string project; // 工程名称
    std::string part; // 施工部位
    std::string note; // 备注
    // Set for a record sent from a local queue or copied from a local store:
    // a second one with the same key is not recorded again, the first's row
    // is answered instead.
    std::string originKey;
};

// A line of the ledger window.
struct EntryRow
{
    std::int64_t id = 0;
    std::string number; // 编号
    std::string kind; // 类型
    std::string grade; // 强度等级
    std::string project; // 工程名称
    std::string part; // 施工部位
    std::string time; // 日期 'yyyy-MM-dd HH:mm:ss'
    std::string operatorName; // 操作人
    EntryState state = EntryState::Draft; // 状态
    bool inBin = false;
    // Counts the changes of the entry: an edit made on the copy of an older
    // count is refused (StoreErrorCode::Stale) rather than overwriting.
    int rowVersion = 1;
    std::string owner; // the login that made it, on a server; "" on a local file
};

// A batch as the design used it: `snapshotJson` is what the library said of
// it at the time (kind, name, maker, specText, variety, grade, sizeRange, batchNo,
// arrivalDate, reportNo, testDate, the effective values, moisture).
struct EntryBatch
{
    MaterialRole role = MaterialRole::Cement;
    std::int64_t batchId = 0;
    std::string snapshotJson;
};

struct Entry
{
    EntryRow row;
    std::string waterBinder;
    std::string verdict;
    std::string note;
    std::string inputsJson;
    std::string figuresJson;
    std::string report;
    std::vector<EntryBatch> batches;
    std::optional<std::int64_t> parentId;
    std::optional<std::int64_t> revisionOf; // the revision this one revises
    int revision = 0; // 0 for the first, n for <number>-Rn
    std::string deletedAt;
};

struct LedgerFilter
{
    std::string text; // part of 编号, 工程名称, 施工部位 or 强度等级, any case
    std::string kind; // "" for every kind
    std::string from; // 'yyyy-MM-dd', inclusive; "" for no bound
    std::string to; // 'yyyy-MM-dd', inclusive
    Shelf shelf = Shelf::InUse;
};

enum class EntryField
{
    Number,
    Project,
    Part,
    Note
};

struct AuditRow
{
    std::int64_t id = 0;
    std::string time;
    std::string user;
    std::optional<std::int64_t> entryId; // empty once the entry is purged
    std::string entryNumber;
    std::string action; // 制单, 修改, 审核, 下发, 修订, 删除, 恢复, 彻底删除
    std::string field; // the field a 修改 changed (编号, 工程名称, 施工部位, 备注, 状态)
    std::string oldValue;
    std::string newValue;
};

// What 导入本机台账到服务器 copied; a second run copies nothing.
struct ImportReport
{
    int materials = 0;
    int batches = 0;
    int entries = 0;
    int renumbered = 0; // entries whose number the server had for another entry
};

// Every change is one transaction, audited with the user who made it. An
// entry once 已下发 is read-only: it changes only through revise().
class DesignLedger
{
public:
    explicit DesignLedger(RecordStore& store)
        : m_store(store)
    { }

    Result<EntryRow> recordEntry(const NewEntry& entry);
    // All of them, or none when one is refused.
    Result<std::vector<EntryRow>> recordEntries(const std::vector<NewEntry>& entries);

    // The ledger newest first: every id that passes the filter, and the rows
    // of some of them (in the order asked), for a window that shows a screenful.
    Result<std::vector<std::int64_t>> entryIds(const LedgerFilter& filter);
    Result<std::vector<EntryRow>> entryRows(const std::vector<std::int64_t>& ids);
    // Or page by page, with the count of all that pass.
    Result<std::vector<EntryRow>> listEntries(const LedgerFilter& filter, int offset, int limit);
    Result<std::int64_t> countEntries(const LedgerFilter& filter);

    Result<Entry> entry(std::int64_t id);

    // `seen`: the rowVersion of the copy the user edited; a change made by
    // someone else since then refuses the edit with a message saying what
    // changed and by whom (the caller keeps the user's edit to reapply).
    Result<void> editField(std::int64_t id, EntryField field, const std::string& value,
        const std::string& user, std::optional<int> seen = std::nullopt);
    // 草稿 → 已审核 → 已下发, one step at a time.
    Result<void> advance(std::int64_t id, EntryState to, const std::string& user,
        std::optional<int> seen = std::nullopt);
    // A new 草稿 revision "<number>-R1", "-R2" … of the chain's latest entry,
    // with the same inputs, figures, report and batches.
    Result<EntryRow> revise(std::int64_t id, const std::string& user);
    // The chain an entry belongs to, first revision first.
    Result<std::vector<EntryRow>> revisionChain(std::int64_t id);
    // Entries recorded with `id` as their parent (trial batches), oldest first.
    Result<std::vector<EntryRow>> children(std::int64_t id);

    Result<void> deleteEntry(std::int64_t id, const std::string& user); // to 回收站
    Result<void> restoreEntry(std::int64_t id, const std::string& user);
    Result<void> purgeEntry(std::int64_t id, const std::string& user); // from 回收站 only

    Result<std::vector<AuditRow>> auditTrail(std::int64_t id);

    // 导入本机台账到服务器: copies the materials, batches, entries and their
    // audit history of the local store `from` into this (the server's)
    // store, all in one transaction. What is there already is matched (a
    // material by kind and name, a batch by material and number, an entry
    // by its origin) and not copied again.
    Result<ImportReport> importFrom(RecordStore& from, const std::string& user);

    // A mark that grows with every change of the ledger (each is audited):
    // a window that saw a smaller one refreshes.
    Result<std::int64_t> lastChange();

private:
    RecordStore& m_store;
};
