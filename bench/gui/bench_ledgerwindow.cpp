#include "gui/benchapp.h"

#include "app/qoruapp.h"
#include "common/appsettings.h"
#include "common/prompter.h"
#include "ledger/ledgermodel.h"
#include "ledger/ledgerwindow.h"
#include "records/ledger.h"
#include "records/recordstore.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kLedgerSize = 100000;

class QuietPrompter : public Prompter
{
public:
    QuietPrompter() { install(); }
    ~QuietPrompter() override { uninstall(); }
    Answer notice(QWidget*, Icon, const QString&, const QString&, Buttons) override
    {
        return Answer::Ok;
    }
};

// A file of 100,000 entries, recorded once for the run as the app records
// them, in chunks.
QString BigLedgerFile()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        BenchApp();
        const QString file = dir.filePath(QStringLiteral("ledger.sqlite"));
        RecordStore store;
        if (!store.open(file.toStdString())) {
            std::fprintf(stderr, "cannot make the benchmark's store\n");
            std::abort();
        }
        static const char* kinds[] = { "mix1", "mix2", "adjust", "evaluate", "stddev", "ordinary" };
        static const char* parts[] = { "承台", "墩身", "箱梁", "桩基", "隧道衬砌", "站台板" };
        DesignLedger ledger(store);
        std::vector<NewEntry> chunk;
        for (int n = 0; n < kLedgerSize; ++n) {
            NewEntry e;
            e.kind = kinds[n % 6];
            e.time = QDateTime(QDate(2025, 1, 1), QTime(8, 0))
                         .addSecs(n * 631LL)
                         .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                         .toStdString();
            e.operatorName = "张工";
            e.inputsJson = "{}";
            e.grade = "C" + std::to_string(20 + n % 9 * 5);
            e.report = std::string(1000, 'x');
            e.project = "第" + std::to_string(n % 300) + "标段工程";
            e.part = parts[n % 6];
            chunk.push_back(std::move(e));
            if (chunk.size() == 5000 || n + 1 == kLedgerSize) {
                if (!ledger.recordEntries(chunk)) {
                    std::fprintf(stderr, "cannot fill the benchmark's store\n");
                    std::abort();
                }
                chunk.clear();
            }
        }
        return file;
    }();
    return path;
}

struct LedgerApp
{
    QuietPrompter prompter;
    std::unique_ptr<CQoruApp> app;

    bool start()
    {
        const QString file = BigLedgerFile();
        AppSettings().setValue(QStringLiteral("Settings/Database"), file);
        app = std::make_unique<CQoruApp>();
        return app->InitInstance({ QStringLiteral("qoru") }) && app->openRecords(file);
    }
};

// 工具 → 配合比台账 on 100,000 entries: the window made, shown and its
// first screenful painted.
void BM_LedgerWindowOpen100k(benchmark::State& state)
{
    LedgerApp a;
    if (!a.start()) {
        state.SkipWithError("the records could not be opened");
        return;
    }
    for (auto _ : state) {
        a.app->OnToolsLedger();
        CLedgerWindow* w = a.app->ledgerWindow();
        w->table()->viewport()->repaint();
        state.PauseTiming();
        if (w->model()->rowCount() != kLedgerSize)
            state.SkipWithError("not every entry is listed");
        delete w;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LedgerWindowOpen100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// Typing into the filter box: one keystroke's refilter and repaint.
void BM_LedgerWindowFilter100k(benchmark::State& state)
{
    LedgerApp a;
    if (!a.start()) {
        state.SkipWithError("the records could not be opened");
        return;
    }
    a.app->OnToolsLedger();
    CLedgerWindow* w = a.app->ledgerWindow();
    const QString texts[] = { QStringLiteral("第12"), QStringLiteral("箱梁"),
        QStringLiteral("C35"), QStringLiteral("PB-2026-00") };
    int n = 0;
    for (auto _ : state) {
        w->filterEdit()->setText(texts[n++ % 4]);
        w->table()->viewport()->repaint();
    }
    state.counters["shown"] = w->model()->rowCount();
}
BENCHMARK(BM_LedgerWindowFilter100k)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
