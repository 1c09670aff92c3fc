#include "gui/benchapp.h"

#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kLedgerSize = 100000;
constexpr int kScreenful = 40;

std::vector<UsedBatch> SampleBatches(RecordStore& store, const std::string& tag)
{
    MaterialLibrary library(store);
    Material cement;
    cement.kind = MaterialKind::Cement;
    cement.name = "海螺 P·O 42.5 " + tag;
    cement.values.density = "3.10";
    Material sand;
    sand.kind = MaterialKind::FineAggregate;
    sand.name = "赣江河砂 " + tag;
    sand.values.density = "2650";
    std::vector<UsedBatch> used;
    for (auto [m, role] :
        { std::pair { cement, MaterialRole::Cement }, std::pair { sand, MaterialRole::Fine } }) {
        Batch b;
        b.materialId = *library.addMaterial(m);
        b.batchNo = "2026-03";
        used.push_back({ role, *library.addBatch(b) });
    }
    return used;
}

NewEntry SampleEntry(int n, const std::vector<UsedBatch>& batches)
{
    static const char* kinds[] = { "mix1", "mix2", "adjust", "evaluate", "stddev" };
    static const char* parts[] = { "承台", "墩身", "箱梁", "桩基", "隧道衬砌", "站台板" };
    NewEntry e;
    e.kind = kinds[n % 5];
    // Two years of entries, a few an hour.
    e.time = QDateTime(QDate(2025, 1, 1), QTime(8, 0))
                 .addSecs(n * 631LL)
                 .toString("yyyy-MM-dd HH:mm:ss")
                 .toStdString();
    e.operatorName = "张工";
    e.inputsJson = "{\"grade\":\"C30\",\"sigma\":\"5.0\",\"n\":" + std::to_string(n) + "}";
    e.grade = "C" + std::to_string(20 + n % 9 * 5);
    e.waterBinder = "0.38";
    e.figuresJson = R"({"mc":"380","mf":"120","ms":"820","mg":"780","mw":"175"})";
    e.report = std::string(1000, 'x'); // the list never reads the report
    e.batches = batches;
    e.project = "第" + std::to_string(n % 300) + "标段工程";
    e.part = parts[n % 6];
    return e;
}

// A store of 100,000 entries, made once for the run.
RecordStore& BigLedger()
{
    static QTemporaryDir dir;
    static RecordStore* store = [] {
        BenchApp();
        auto* s = new RecordStore;
        if (!s->open(dir.filePath("ledger.sqlite").toStdString())) {
            std::fprintf(stderr, "cannot make the benchmark's store\n");
            std::abort();
        }
        const auto batches = SampleBatches(*s, "big");
        DesignLedger ledger(*s);
        std::vector<NewEntry> chunk;
        for (int n = 0; n < kLedgerSize; ++n) {
            chunk.push_back(SampleEntry(n, batches));
            if (chunk.size() == 5000 || n + 1 == kLedgerSize) {
                if (!ledger.recordEntries(chunk)) {
                    std::fprintf(stderr, "cannot fill the benchmark's store\n");
                    std::abort();
                }
                chunk.clear();
            }
        }
        return s;
    }();
    return *store;
}

void BM_RecordOneEntry(benchmark::State& state)
{
    BenchApp();
    QTemporaryDir dir;
    RecordStore store;
    store.open(dir.filePath("qoru.sqlite").toStdString());
    const auto batches = SampleBatches(store, "one");
    DesignLedger ledger(store);
    int n = 0;
    for (auto _ : state)
        if (!ledger.recordEntry(SampleEntry(n++, batches)))
            state.SkipWithError("record refused");
}
BENCHMARK(BM_RecordOneEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the ledger window does when it opens or its filter changes: every id
// that passes, newest first (the count), and the rows of the first screenful.
void ShowLedger(benchmark::State& state, const LedgerFilter& filter)
{
    DesignLedger ledger(BigLedger());
    std::size_t count = 0;
    for (auto _ : state) {
        const auto ids = *ledger.entryIds(filter);
        const std::vector<std::int64_t> first(
            ids.begin(), ids.begin() + std::min<std::size_t>(ids.size(), kScreenful));
        benchmark::DoNotOptimize(ledger.entryRows(first));
        count = ids.size();
    }
    state.counters["entries"] = static_cast<double>(count);
}

void BM_LedgerOpen100k(benchmark::State& state)
{
    ShowLedger(state, {});
}
BENCHMARK(BM_LedgerOpen100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LedgerFilterText100k(benchmark::State& state)
{
    LedgerFilter filter;
    filter.text = "第12";
    ShowLedger(state, filter);
}
BENCHMARK(BM_LedgerFilterText100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LedgerFilterNumber100k(benchmark::State& state)
{
    LedgerFilter filter;
    filter.text = "pb-2026-0042";
    ShowLedger(state, filter);
}
BENCHMARK(BM_LedgerFilterNumber100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LedgerFilterKindAndMonth100k(benchmark::State& state)
{
    LedgerFilter filter;
    filter.kind = "mix2";
    filter.from = "2025-06-01";
    filter.to = "2025-06-30";
    ShowLedger(state, filter);
}
BENCHMARK(BM_LedgerFilterKindAndMonth100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the store itself, with its quick_check of the whole file.
void BM_StoreOpen100k(benchmark::State& state)
{
    const std::string path = BigLedger().path();
    for (auto _ : state) {
        RecordStore store;
        if (!store.open(path))
            state.SkipWithError("open refused");
    }
}
BENCHMARK(BM_StoreOpen100k)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
