#include "store/storetest.h"

#include <functional>

namespace {

using Materials = StoreTest;
QORU_BOTH_STORES(Materials);

TEST_P(Materials, RefusesBadValuesNamingTheBoxAndWritesNothing)
{
    const std::int64_t cement = *library.addMaterial(Cement("海螺 P·O 42.5"));
    ASSERT_TRUE(library.addBatch(BatchOf(cement, "HL-01")));
    using Act = std::function<Result<std::int64_t>(MaterialLibrary&)>;
    const auto material = [](std::function<void(Material&)> change,
                              MaterialKind kind = MaterialKind::Cement) -> Act {
        return [=](MaterialLibrary& lib) {
            Material m = kind == MaterialKind::Cement ? Cement("华新") : Sand("赣江砂");
            m.kind = kind;
            change(m);
            return lib.addMaterial(m);
        };
    };
    const auto batch = [cement](std::function<void(Batch&)> change) -> Act {
        return [=](MaterialLibrary& lib) {
            Batch b = BatchOf(cement, "HL-02");
            change(b);
            return lib.addBatch(b);
        };
    };
    struct Case
    {
        const char* what;
        Act act;
        StoreErrorCode code;
        const char* field;
    };
    const Case cases[] = {
        { "empty name", material([](Material& m) { m.name = " \t"; }), StoreErrorCode::Invalid,
            "name" },
        { "name used in the kind", material([](Material& m) { m.name = "海螺 P·O 42.5"; }),
            StoreErrorCode::Duplicate, "name" },
        { "negative density", material([](Material& m) { m.values.density = "-3.1"; }),
            StoreErrorCode::Invalid, "density" },
        { "zero density", material([](Material& m) { m.values.density = "0"; }),
            StoreErrorCode::Invalid, "density" },
        { "density no number", material([](Material& m) { m.values.density = "3,1"; }),
            StoreErrorCode::Invalid, "density" },
        { "unknown variety", material([](Material& m) { m.variety = "P·X"; }),
            StoreErrorCode::Invalid, "variety" },
        { "unknown grade", material([](Material& m) { m.grade = "40"; }), StoreErrorCode::Invalid,
            "grade" },
        { "water reduction over 100",
            material(
                [](Material& m) { m.values.waterReduction = "100.01"; }, MaterialKind::Admixture),
            StoreErrorCode::Invalid, "waterReduction" },
        { "empty batch number", batch([](Batch& b) { b.batchNo = ""; }), StoreErrorCode::Invalid,
            "batchNo" },
        { "batch number taken", batch([](Batch& b) { b.batchNo = "HL-01"; }),
            StoreErrorCode::Duplicate, "batchNo" },
        { "no such date", batch([](Batch& b) { b.arrivalDate = "2026-02-30"; }),
            StoreErrorCode::Invalid, "arrivalDate" },
        { "no date", batch([](Batch& b) { b.testDate = "2026/03/01"; }), StoreErrorCode::Invalid,
            "testDate" },
        { "negative batch density", batch([](Batch& b) { b.measured.density = "-0.01"; }),
            StoreErrorCode::Invalid, "density" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto done = c.act(library);
        ASSERT_FALSE(done);
        EXPECT_EQ(done.error().code, c.code);
        EXPECT_EQ(done.error().field, c.field);
        EXPECT_FALSE(done.error().message.empty());
        EXPECT_EQ(rawCount(QStringLiteral("materials")), 1);
        EXPECT_EQ(rawCount(QStringLiteral("batches")), 1);
    }
}

TEST_P(Materials, KeepsNumbersWithTheDigitsTyped)
{
    const struct
    {
        const char* typed;
        const char* kept;
    } cases[] = {
        { "3.10", "3.10" }, { " 3.1e3 ", "3100" }, { "05", "5" }, { ".5", "0.5" },
        { "2.65E-1", "0.265" }, { "0.000", "" }, // zero density: refused, checked below
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        Material m = Cement("水泥" + std::to_string(++n));
        m.values.density = c.typed;
        auto id = library.addMaterial(m);
        if (*c.kept == '\0') {
            EXPECT_FALSE(id);
            continue;
        }
        ASSERT_TRUE(id) << id.error().message;
        EXPECT_EQ(library.material(*id)->values.density, c.kept);
    }
    // The edge of a percentage is a percentage, and a value a kind has not is not kept.
    Material admixture;
    admixture.kind = MaterialKind::Admixture;
    admixture.name = "聚羧酸";
    admixture.values.waterReduction = "100.00";
    admixture.values.density = "1.05";
    auto id = library.addMaterial(admixture);
    ASSERT_TRUE(id);
    EXPECT_EQ(library.material(*id)->values.waterReduction, "100.00");
    EXPECT_EQ(library.material(*id)->values.density, "");
}

TEST_P(Materials, SearchFindsAnyPartOfANameThoseStartingWithItFirst)
{
    for (const char* name : { "P·O 52.5 海螺", "海螺 P·O 42.5", "华新 P·O 42.5" })
        ASSERT_TRUE(library.addMaterial(Cement(name)));
    ASSERT_TRUE(library.addMaterial(Sand("海螺砂")));
    const auto names
        = [&](const std::string& text, std::optional<MaterialKind> kind = std::nullopt) {
              std::vector<std::string> found;
              const auto materials = library.searchMaterials(text, kind);
              for (const Material& m : *materials)
                  found.push_back(m.name);
              return found;
          };
    EXPECT_EQ(
        names("海螺"), (std::vector<std::string> { "海螺 P·O 42.5", "海螺砂", "P·O 52.5 海螺" }));
    EXPECT_EQ(names("海螺", MaterialKind::Cement),
        (std::vector<std::string> { "海螺 P·O 42.5", "P·O 52.5 海螺" }));
    EXPECT_EQ(names("p·o 4").size(), 2U);
    EXPECT_TRUE(names("%").empty());
}

TEST_P(Materials, PickerListsTheBatchesInUseNewestFirst)
{
    const std::int64_t cement = *library.addMaterial(Cement("海螺"));
    Batch measured = BatchOf(cement, "HL-0310", "2026-03-10");
    measured.measured.density = "3.05";
    const std::int64_t newest = *library.addBatch(measured);
    const std::int64_t older = *library.addBatch(BatchOf(cement, "HL-0301", "2026-03-01"));
    const std::int64_t stopped = *library.addBatch(BatchOf(cement, "HL-0320", "2026-03-20"));
    const std::int64_t binned = *library.addBatch(BatchOf(cement, "HL-0325", "2026-03-25"));
    ASSERT_TRUE(library.setBatchActive(stopped, false));
    ASSERT_TRUE(library.deleteBatch(binned));
    const std::int64_t gone = *library.addMaterial(Cement("华新"));
    ASSERT_TRUE(library.addBatch(BatchOf(gone, "HX-0330", "2026-03-30")));
    ASSERT_TRUE(library.deleteMaterial(gone));
    ASSERT_TRUE(
        library.addBatch(BatchOf(*library.addMaterial(Sand("河砂")), "S-0331", "2026-03-31")));

    auto choices = library.batchesInUse(MaterialKind::Cement);
    ASSERT_TRUE(choices);
    ASSERT_EQ(choices->size(), 2U);
    EXPECT_EQ(choices->at(0).batch.id, newest);
    EXPECT_EQ(choices->at(0).effective.density, "3.05");
    EXPECT_EQ(choices->at(1).batch.id, older);
    EXPECT_EQ(choices->at(1).effective.density, "3.10");
    EXPECT_EQ(choices->at(1).effective.strength28, "48.5");
    EXPECT_EQ(library.binnedBatches()->size(), 1U);
}

TEST_P(Materials, RecycleBinRefusesABatchASavedDesignUses)
{
    const std::int64_t cement = *library.addMaterial(Cement("海螺"));
    const std::int64_t used = *library.addBatch(BatchOf(cement, "HL-01"));
    const std::int64_t spare = *library.addBatch(BatchOf(cement, "HL-02"));
    NewEntry e = Design();
    e.batches = { { MaterialRole::Cement, used } };
    ASSERT_TRUE(ledger.recordEntry(e));

    for (auto refused : { library.deleteBatch(used), library.deleteMaterial(cement) }) {
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().code, StoreErrorCode::InUse);
        EXPECT_NE(refused.error().message.find("停用"), std::string::npos);
        EXPECT_NE(refused.error().message.find("PB-2026-0001"), std::string::npos);
    }
    EXPECT_TRUE(library.setBatchActive(used, false));
    EXPECT_TRUE(library.batch(used)->deletedAt.empty());

    EXPECT_FALSE(library.purgeBatch(spare)); // only from the bin
    ASSERT_TRUE(library.deleteBatch(spare));
    EXPECT_EQ(library.batches(cement, Shelf::Bin)->size(), 1U);
    ASSERT_TRUE(library.restoreBatch(spare));
    ASSERT_TRUE(library.deleteBatch(spare));
    ASSERT_TRUE(library.purgeBatch(spare));
    EXPECT_EQ(library.batch(spare).error().code, StoreErrorCode::NotFound);

    // A copy is a new material, its name marked; its batches stay behind.
    auto copy = library.copyMaterial(cement);
    ASSERT_TRUE(copy);
    EXPECT_EQ(library.material(*copy)->name, "海螺（副本）");
    EXPECT_TRUE(library.batches(*copy)->empty());
    EXPECT_EQ(library.material(*library.copyMaterial(cement))->name, "海螺（副本2）");
}

TEST_P(Materials, EditsKeepEveryFieldWhereItBelongs)
{
    const std::int64_t id = *library.addMaterial(Sand("河砂"));
    ASSERT_TRUE(library.addMaterial(Sand("机制砂")));
    Material edited = *library.material(id);
    edited.name = "赣江河砂";
    edited.maker = "江西";
    edited.specText = "中砂";
    edited.note = "水洗";
    edited.variety = "机制砂";
    edited.values.density = "2640";
    edited.values.fineness = "2.70";
    ASSERT_TRUE(library.updateMaterial(edited));
    const Material read = *library.material(id);
    EXPECT_EQ(std::vector<std::string>({ read.name, read.maker, read.specText, read.note, read.variety,
                  read.values.density, read.values.fineness }),
        std::vector<std::string>({ "赣江河砂", "江西", "中砂", "水洗", "机制砂", "2640", "2.70" }));
    edited.name = "机制砂";
    EXPECT_EQ(library.updateMaterial(edited).error().field, "name");

    Batch batch = BatchOf(id, "S-01");
    batch.id = *library.addBatch(batch);
    batch.batchNo = "S-01A";
    batch.arrivalDate = "2026-03-02";
    batch.reportNo = "JC-2026-118";
    batch.testDate = "2026-03-04";
    batch.measured.fineness = "2.8";
    batch.moisture = "4.5";
    batch.active = false;
    ASSERT_TRUE(library.updateBatch(batch));
    const Batch b = *library.batch(batch.id);
    EXPECT_EQ(std::vector<std::string>({ b.batchNo, b.arrivalDate, b.reportNo, b.testDate,
                  b.measured.fineness, b.moisture }),
        std::vector<std::string>(
            { "S-01A", "2026-03-02", "JC-2026-118", "2026-03-04", "2.8", "4.5" }));
    EXPECT_FALSE(b.active);
    batch.moisture = "-1";
    EXPECT_EQ(library.updateBatch(batch).error().field, "moisture");
    EXPECT_EQ(library.batch(batch.id)->moisture, "4.5");
}

} // namespace
