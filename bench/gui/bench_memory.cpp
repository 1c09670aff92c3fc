// Resident memory over a working session: rounds of 300 reports appended to
// the report, each round ended by New. Reported as counters, in MB.
#include "benchapp.h"

#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "mix1/mix1calc.h"
#include "view/qoruview.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <fstream>
#ifdef __linux__
#include <unistd.h>
#endif

namespace {

// 0 where the system does not tell.
double ResidentMB()
{
#ifndef __linux__
    return 0;
#else
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    if (!(statm >> pages >> resident))
        return 0;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
#endif
}

void BM_ResidentOverAppendsAndNew(benchmark::State& state)
{
    BenchApp();
    CQoruApp app;
    app.InitInstance({ QStringLiteral("qoru") });
    CQoruView* view = app.view();
    const std::string report = CalculateMix1(Mix1Inputs {}).report;
    state.counters["start_MB"] = ResidentMB();
    for (auto _ : state) {
        for (int round = 1; round <= 4; ++round) {
            for (int i = 0; i < 300; ++i) {
                view->appendReport(report);
                QApplication::processEvents();
            }
            const std::string name = "round" + std::to_string(round);
            state.counters["text_KB"] = static_cast<double>(view->fileLength()) / 1000;
            state.counters[name + "_300_MB"] = ResidentMB();
            app.document()->setModified(false);
            app.OnFileNew();
            QElapsedTimer idle; // the memory goes back once the user has the new text
            idle.start();
            while (idle.elapsed() < 1500)
                QApplication::processEvents(QEventLoop::AllEvents, 100);
            state.counters[name + "_new_MB"] = ResidentMB();
        }
    }
}
BENCHMARK(BM_ResidentOverAppendsAndNew)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
