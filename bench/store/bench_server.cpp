#include "gui/benchapp.h"

#include "records/ledger.h"
#include "records/materials.h"
#include "records/recordstore.h"
#include "store/pgcluster.h"

#include <benchmark/benchmark.h>

#include <QDateTime>

#include <cstdio>
#include <string>

// The records on a laboratory's server: a throwaway cluster on a Unix socket,
// started once for the run (as the tests do) and removed when it ends.

namespace {

constexpr int kServerLedgerSize = 100000;

NewEntry ServerEntry(int n)
{
    static const char* kinds[] = { "mix1", "mix2", "adjust", "evaluate", "stddev" };
    NewEntry e;
    e.kind = kinds[n % 5];
    e.time = QDateTime(QDate(2025, 1, 1), QTime(8, 0))
                 .addSecs(n * 631LL)
                 .toString("yyyy-MM-dd HH:mm:ss")
                 .toStdString();
    e.operatorName = "张工";
    e.inputsJson = "{\"n\":" + std::to_string(n) + "}";
    e.grade = "C" + std::to_string(20 + n % 9 * 5);
    e.report = std::string(1000, 'x');
    e.project = "第" + std::to_string(n % 300) + "标段工程";
    e.part = "承台";
    return e;
}

// A fresh database on the cluster, opened by its owner; null when no cluster.
RecordStore* ServerStore(const QString& db, benchmark::State& state)
{
    BenchApp();
    QString why;
    PgCluster* cluster = SharedCluster(&why);
    if (!cluster || !cluster->recreateDatabase(db)) {
        state.SkipWithError(("no PostgreSQL cluster: " + why.toStdString()).c_str());
        return nullptr;
    }
    auto* store = new RecordStore;
    OpenOptions options;
    options.serverSchema = ServerSchema::Create;
    if (!store->open(cluster->url(cluster->superuser(), db).toStdString(), options)) {
        state.SkipWithError("cannot open the server's database");
        delete store;
        return nullptr;
    }
    return store;
}

// One recorded calculation, as a press of a calculate button sends it.
void BM_ServerRecordOneEntry(benchmark::State& state)
{
    RecordStore* store = ServerStore(QStringLiteral("bench_one"), state);
    if (!store)
        return;
    DesignLedger ledger(*store);
    int n = 0;
    for (auto _ : state)
        if (!ledger.recordEntry(ServerEntry(n++)))
            state.SkipWithError("record refused");
    state.SetItemsProcessed(n); // entries per second
    delete store;
}
BENCHMARK(BM_ServerRecordOneEntry)->Unit(benchmark::kMillisecond)->UseRealTime();

// The ledger window's filter on a server holding 100,000 entries.
void BM_ServerLedgerFilter100k(benchmark::State& state)
{
    static RecordStore* store = nullptr;
    if (!store) {
        store = ServerStore(QStringLiteral("bench_big"), state);
        if (!store)
            return;
        // Made by the server itself: recording 100,000 entries one by one
        // takes minutes on a shared machine, and BM_ServerRecordOneEntry
        // measures recording. The rows are as the ledger writes them.
        bool ok = false;
        SharedCluster()->psql(
            QStringLiteral(
                "INSERT INTO entries (number, kind, created_at, operator_name, grade, project, "
                "part,"
                " search_key) SELECT n.number, n.kind, n.at, '张工', n.grade, n.project, '承台',"
                " lower(n.number || E'\\n' || n.project || E'\\n' || '承台' || E'\\n' || n.grade)"
                " FROM (SELECT 'PB-' || to_char(t, 'YYYY') || '-' || lpad(i::text, 6, '0') AS "
                "number,"
                " (ARRAY['mix1','mix2','adjust','evaluate','stddev'])[i % 5 + 1] AS kind,"
                " to_char(t, 'YYYY-MM-DD HH24:MI:SS') AS at, 'C' || (20 + i % 9 * 5) AS grade,"
                " '第' || (i % 300) || '标段工程' AS project FROM generate_series(0, %1) AS i,"
                " LATERAL (SELECT timestamp '2025-01-01 08:00' + i * interval '631 seconds' AS t) "
                "x) n")
                .arg(kServerLedgerSize - 1),
            QStringLiteral("postgres"), QStringLiteral("bench_big"), &ok);
        if (!ok) {
            state.SkipWithError("cannot fill the server's ledger");
            return;
        }
        SharedCluster()->psql(QStringLiteral("ANALYZE entries"), QStringLiteral("postgres"),
            QStringLiteral("bench_big"));
    }
    DesignLedger ledger(*store);
    LedgerFilter filter;
    filter.text = "第12";
    std::size_t count = 0;
    for (auto _ : state) {
        const auto ids = *ledger.entryIds(filter);
        const std::vector<std::int64_t> first(
            ids.begin(), ids.begin() + std::min<std::size_t>(ids.size(), 40));
        benchmark::DoNotOptimize(ledger.entryRows(first));
        count = ids.size();
    }
    state.counters["entries"] = static_cast<double>(count);
}
BENCHMARK(BM_ServerLedgerFilter100k)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
