#include "store/storetest.h"

namespace {

using Ledger = StoreTest;
QORU_BOTH_STORES(Ledger);

std::vector<std::string> Numbers(const std::vector<EntryRow>& rows)
{
    std::vector<std::string> numbers;
    for (const EntryRow& row : rows)
        numbers.push_back(row.number);
    return numbers;
}

TEST_P(Ledger, NumbersEachYearAndKeepsEditedNumbersUnique)
{
    const auto record
        = [&](const std::string& time) { return ledger.recordEntry(Design("mix1", time))->number; };
    EXPECT_EQ(record("2026-01-05 08:00:00"), "PB-2026-0001");
    EXPECT_EQ(record("2025-12-31 23:59:59"), "PB-2025-0001");
    auto second = ledger.recordEntry(Design());
    EXPECT_EQ(second->number, "PB-2026-0002");

    ASSERT_TRUE(ledger.editField(second->id, EntryField::Number, " PB-2026-0004 ", "李工"));
    EXPECT_EQ(record("2026-02-01 08:00:00"), "PB-2026-0003");
    EXPECT_EQ(record("2026-02-01 08:00:00"), "PB-2026-0005"); // 0004 is taken

    auto taken = ledger.editField(second->id, EntryField::Number, "PB-2026-0001", "李工");
    ASSERT_FALSE(taken);
    EXPECT_EQ(taken.error().code, StoreErrorCode::Duplicate);
    EXPECT_EQ(taken.error().field, "number");
    EXPECT_EQ(
        ledger.editField(second->id, EntryField::Number, "  ", "李工").error().field, "number");
    NewEntry given = Design();
    given.number = "PB-2026-0003";
    EXPECT_EQ(ledger.recordEntry(given).error().code, StoreErrorCode::Duplicate);

    const auto audit = *ledger.auditTrail(second->id);
    ASSERT_EQ(audit.size(), 2U);
    EXPECT_EQ(audit[1].action, "修改");
    EXPECT_EQ(audit[1].field, "编号");
    EXPECT_EQ(audit[1].oldValue, "PB-2026-0002");
    EXPECT_EQ(audit[1].newValue, "PB-2026-0004");
    EXPECT_EQ(audit[1].user, "李工");
}

TEST_P(Ledger, MovesDraftToReviewedToIssuedAndThenRefusesChanges)
{
    const std::int64_t id = ledger.recordEntry(Design())->id;
    EXPECT_FALSE(ledger.advance(id, EntryState::Issued, "王审核"));
    ASSERT_TRUE(ledger.editField(id, EntryField::Project, "滨江大桥二期", "张工"));
    ASSERT_TRUE(ledger.advance(id, EntryState::Reviewed, "王审核"));
    ASSERT_TRUE(ledger.advance(id, EntryState::Issued, "赵下发"));
    EXPECT_EQ(ledger.entry(id)->row.state, EntryState::Issued);

    for (auto refused : { ledger.editField(id, EntryField::Note, "改", "张工"),
             ledger.deleteEntry(id, "张工"), ledger.advance(id, EntryState::Reviewed, "张工") })
        EXPECT_FALSE(refused);
    EXPECT_EQ(ledger.editField(id, EntryField::Part, "墩身", "张工").error().code,
        StoreErrorCode::ReadOnly);
    EXPECT_EQ(ledger.entry(id)->row.part, "承台");

    std::vector<std::string> trail;
    const auto audit = *ledger.auditTrail(id);
    for (const AuditRow& a : audit)
        trail.push_back(a.action + " " + a.user + " " + a.oldValue + "→" + a.newValue);
    EXPECT_EQ(trail,
        (std::vector<std::string> { "制单 张工 →", "修改 张工 滨江大桥→滨江大桥二期",
            "审核 王审核 草稿→已审核", "下发 赵下发 已审核→已下发" }));
}

TEST_P(Ledger, RevisingAnIssuedDesignMakesAChain)
{
    const std::int64_t cement = *library.addMaterial(Cement("海螺"));
    NewEntry e = Design();
    e.batches = { { MaterialRole::Cement, *library.addBatch(BatchOf(cement, "HL-01")) } };
    const std::int64_t root = ledger.recordEntry(e)->id;
    ASSERT_TRUE(ledger.advance(root, EntryState::Reviewed, "王"));
    ASSERT_TRUE(ledger.advance(root, EntryState::Issued, "王"));

    auto r1 = ledger.revise(root, "张工");
    ASSERT_TRUE(r1) << r1.error().message;
    EXPECT_EQ(r1->number, "PB-2026-0001-R1");
    EXPECT_EQ(r1->state, EntryState::Draft);
    const Entry copy = *ledger.entry(r1->id);
    const Entry original = *ledger.entry(root);
    EXPECT_EQ(copy.revisionOf, root);
    EXPECT_EQ(copy.report, original.report);
    EXPECT_EQ(copy.inputsJson, original.inputsJson);
    ASSERT_EQ(copy.batches.size(), 1U);
    EXPECT_EQ(copy.batches[0].snapshotJson, original.batches[0].snapshotJson);

    EXPECT_FALSE(ledger.revise(root, "张工")); // only the latest is revised
    auto r2 = ledger.revise(r1->id, "张工");
    ASSERT_TRUE(r2);
    EXPECT_EQ(r2->number, "PB-2026-0001-R2");
    for (std::int64_t member : { root, r1->id, r2->id })
        EXPECT_EQ(Numbers(*ledger.revisionChain(member)),
            (std::vector<std::string> { "PB-2026-0001", "PB-2026-0001-R1", "PB-2026-0001-R2" }));

    // A trial batch opened from the entry is its child.
    NewEntry trial = Design("adjust");
    trial.parentId = r2->id;
    const std::int64_t child = ledger.recordEntry(trial)->id;
    EXPECT_EQ(ledger.entry(child)->parentId, r2->id);
    EXPECT_EQ(Numbers(*ledger.children(r2->id)), (std::vector<std::string> { "PB-2026-0002" }));
}

TEST_P(Ledger, FiltersByTextKindAndDateNewestFirst)
{
    const struct
    {
        const char* kind;
        const char* time;
        const char* project;
        const char* grade;
    } entries[] = {
        { "mix1", "2026-03-01 08:00:00", "滨江大桥", "C30" }, // PB-2026-0001
        { "mix2", "2026-03-02 09:00:00", "滨江大桥", "C40" },
        { "adjust", "2026-03-02 18:00:00", "Metro Line 3", "C30" },
        { "mix1", "2026-03-05 10:00:00", "地铁3号线", "C50" },
        { "mix1", "2026-03-05 10:00:00", "100%_站台", "C30" }, // same time: the later id first
    };
    for (const auto& row : entries) {
        NewEntry e = Design(row.kind, row.time);
        e.project = row.project;
        e.grade = row.grade;
        ASSERT_TRUE(ledger.recordEntry(e));
    }
    const struct
    {
        LedgerFilter filter;
        std::vector<std::string> numbers; // the last four digits
    } cases[] = {
        { {}, { "0005", "0004", "0003", "0002", "0001" } },
        { { "滨江", "", "", "" }, { "0002", "0001" } },
        { { "metro", "", "", "" }, { "0003" } },
        { { "c30", "mix1", "", "" }, { "0005", "0001" } },
        { { "0004", "", "", "" }, { "0004" } },
        { { "%_", "", "", "" }, { "0005" } },
        { { "", "", "2026-03-02", "2026-03-02" }, { "0003", "0002" } },
        { { "", "mix1", "2026-03-02", "" }, { "0005", "0004" } },
        { { "", "", "", "2026-02-28" }, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.text + "|" + c.filter.kind + "|" + c.filter.from + "|" + c.filter.to);
        const auto ids = *ledger.entryIds(c.filter);
        std::vector<std::string> numbers;
        for (const std::string& number : Numbers(*ledger.entryRows(ids)))
            numbers.push_back(number.substr(number.size() - 4));
        EXPECT_EQ(numbers, c.numbers);
        EXPECT_EQ(*ledger.countEntries(c.filter), static_cast<std::int64_t>(c.numbers.size()));
        const auto page = *ledger.listEntries(c.filter, 1, 2);
        ASSERT_EQ(page.size(), std::min<size_t>(2, ids.size() > 1 ? ids.size() - 1 : 0));
        for (size_t i = 0; i < page.size(); ++i)
            EXPECT_EQ(page[i].id, ids[i + 1]);
    }
    LedgerFilter bad;
    bad.from = "2026-02-30";
    EXPECT_EQ(ledger.entryIds(bad).error().field, "from");
}

TEST_P(Ledger, RefusedRecordsWriteNothing)
{
    const std::int64_t sand
        = *library.addBatch(BatchOf(*library.addMaterial(Sand("河砂")), "S-01"));
    const auto with = [](std::function<void(NewEntry&)> change) {
        NewEntry e = Design();
        change(e);
        return e;
    };
    const struct
    {
        const char* what;
        NewEntry bad;
        const char* field;
    } cases[] = {
        { "sand as cement", with([&](NewEntry& e) {
             e.batches = { { MaterialRole::Cement, sand } };
         }),
            "batches" },
        { "a role twice", with([&](NewEntry& e) {
             e.batches = { { MaterialRole::Fine, sand }, { MaterialRole::Fine, sand } };
         }),
            "batches" },
        { "inputs no JSON", with([](NewEntry& e) { e.inputsJson = "{\"grade\":"; }), "inputs" },
        { "no such time", with([](NewEntry& e) { e.time = "2026-02-29 10:00:00"; }), "time" },
        { "no operator", with([](NewEntry& e) { e.operatorName = " "; }), "operatorName" },
        { "no kind", with([](NewEntry& e) { e.kind = ""; }), "kind" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The good entry before the bad one goes too: all or none.
        auto recorded = ledger.recordEntries({ Design(), c.bad });
        ASSERT_FALSE(recorded);
        EXPECT_EQ(recorded.error().code, StoreErrorCode::Invalid);
        EXPECT_EQ(recorded.error().field, c.field);
        for (const char* table :
            { "entries", "entry_texts", "entry_batches", "audit", "number_counters" })
            EXPECT_EQ(rawCount(QLatin1String(table)), 0) << table;
    }
    EXPECT_EQ(ledger.recordEntry(Design())->number, "PB-2026-0001");
}

TEST_P(Ledger, RecycleBinRestoresAndPurgesOnlyFromTheBin)
{
    const std::int64_t id = ledger.recordEntry(Design())->id;
    ASSERT_TRUE(ledger.recordEntry(Design()));
    EXPECT_FALSE(ledger.purgeEntry(id, "张工"));
    ASSERT_TRUE(ledger.deleteEntry(id, "张工"));
    LedgerFilter bin;
    bin.shelf = Shelf::Bin;
    EXPECT_EQ(*ledger.countEntries({}), 1);
    EXPECT_EQ(*ledger.entryIds(bin), std::vector<std::int64_t> { id });
    EXPECT_FALSE(ledger.editField(id, EntryField::Note, "x", "张工"));

    ASSERT_TRUE(ledger.restoreEntry(id, "张工"));
    EXPECT_EQ(*ledger.countEntries({}), 2);
    ASSERT_TRUE(ledger.deleteEntry(id, "张工"));
    ASSERT_TRUE(ledger.purgeEntry(id, "李工"));
    EXPECT_EQ(ledger.entry(id).error().code, StoreErrorCode::NotFound);
    EXPECT_EQ(*ledger.countEntries(bin), 0);
    // The audit keeps what happened to it, by number.
    EXPECT_EQ(rawColumn(QStringLiteral("SELECT action FROM audit WHERE entry_number = "
                                       "'PB-2026-0001' AND entry_id IS NULL ORDER BY id"))
                  .join(QLatin1Char(',')),
        QStringLiteral("制单,删除,恢复,删除,彻底删除"));
}

TEST_P(Ledger, AnEditOnAStaleCopyIsRefusedSayingWhatChangedAndByWhom)
{
    const EntryRow made = *ledger.recordEntry(Design());
    ASSERT_TRUE(
        ledger.editField(made.id, EntryField::Project, "滨江二期", "李工", made.rowVersion));
    const EntryRow now = ledger.entry(made.id)->row;
    EXPECT_GT(now.rowVersion, made.rowVersion);

    // Both an edit and a step made on the copy read before 李工's change.
    const Result<void> stale[] = {
        ledger.editField(made.id, EntryField::Project, "滨江三期", "张工", made.rowVersion),
        ledger.advance(made.id, EntryState::Reviewed, "张工", made.rowVersion),
    };
    for (const Result<void>& refused : stale) {
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().code, StoreErrorCode::Stale);
        for (const char* said : { "李工", "滨江二期", "PB-2026-0001" })
            EXPECT_NE(refused.error().message.find(said), std::string::npos) << said;
    }
    const Entry kept = *ledger.entry(made.id);
    EXPECT_EQ(kept.row.project, "滨江二期");
    EXPECT_EQ(kept.row.state, EntryState::Draft);
    EXPECT_TRUE(ledger.editField(made.id, EntryField::Project, "滨江三期", "张工", now.rowVersion));
}

} // namespace
