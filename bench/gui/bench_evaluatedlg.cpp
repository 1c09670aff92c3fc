// 1,000 groups pasted, evaluated and the form closed, with an accessibility
// client listening as a screen reader's bridge does: every event it is sent
// has its interface looked up and named. The bridge is on only where the
// platform has one: run with QORU_BENCH_PLATFORM=xcb and
// QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on a display; elsewhere it says so.
#include "benchapp.h"
#include "stats/dialog155.h"
#include "stats/evaluatedlg.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

int g_events = 0;

void Bridge(QAccessibleEvent* event)
{
    ++g_events;
    if (QAccessibleInterface* iface = event->accessibleInterface())
        benchmark::DoNotOptimize(iface->text(QAccessible::Name));
}

void BM_EvaluateDlgThousandGroupsAccessible(benchmark::State& state)
{
    BenchApp();
    QString block;
    for (int i = 0; i < 1000; ++i)
        block += QStringLiteral("%1 %2 %3\n").arg(30 + i % 7).arg(31 + i % 5).arg(29 + i % 3);

    // Asking makes the bridge, which switches itself on once it has reached its bus.
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!QAccessible::isActive()) {
        state.SkipWithError("no accessibility bridge on this platform (QORU_BENCH_PLATFORM=xcb "
                            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)");
        return;
    }
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(Bridge);
    g_events = 0;
    for (auto _ : state) {
        auto dlg = std::make_unique<CEvaluateDlg>(nullptr);
        dlg->setModal(false);
        dlg->show();
        dlg->pasteBlock(block);
        dlg->button(IDC_EVAL_CALC)->click();
        QApplication::processEvents();
        dlg.reset();
        QApplication::processEvents();
    }
    state.counters["a11y_events"]
        = benchmark::Counter(g_events, benchmark::Counter::kAvgIterations);
    QAccessible::installUpdateHandler(previous);
}
BENCHMARK(BM_EvaluateDlgThousandGroupsAccessible)->Unit(benchmark::kMillisecond);

} // namespace
