// One add, one delete and one compute on the real strength calculator with
// 10,000 rows, shown under the offscreen platform, events processed.
#include "benchapp.h"
#include "stats/dialog150.h"
#include "stats/stddevdlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kRows = 10000;

std::unique_ptr<CStdDevDlg> DialogWithRows(int rows)
{
    BenchApp();
    auto dlg = std::make_unique<CStdDevDlg>(nullptr);
    dlg->setModal(false);
    dlg->show();
    for (int i = 0; i < rows; ++i) {
        dlg->m_editStrength->setText(QString::number(20 + (i * 37) % 300 / 10.0));
        dlg->button(IDC_ADD)->click();
    }
    QApplication::processEvents();
    return dlg;
}

void BM_StdDevDlgAdd(benchmark::State& state)
{
    auto dlg = DialogWithRows(kRows);
    for (auto _ : state) {
        dlg->m_editStrength->setText(QStringLiteral("41.37"));
        dlg->button(IDC_ADD)->click();
        QApplication::processEvents();
        state.PauseTiming();
        dlg->m_listStrength->removeRow(kRows);
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StdDevDlgAdd)->Unit(benchmark::kMillisecond);

void BM_StdDevDlgDelete(benchmark::State& state)
{
    auto dlg = DialogWithRows(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        dlg->m_editStrength->setText(QStringLiteral("41.37"));
        dlg->button(IDC_ADD)->click();
        dlg->m_listStrength->selectRow(kRows / 2);
        QApplication::processEvents();
        state.ResumeTiming();
        dlg->button(IDC_DELETE)->click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StdDevDlgDelete)->Unit(benchmark::kMillisecond);

void BM_StdDevDlgCompute(benchmark::State& state)
{
    auto dlg = DialogWithRows(kRows);
    for (auto _ : state) {
        dlg->button(IDC_CALC)->click();
        QApplication::processEvents();
    }
    benchmark::DoNotOptimize(dlg->m_dSigma);
}
BENCHMARK(BM_StdDevDlgCompute)->Unit(benchmark::kMillisecond);

} // namespace
