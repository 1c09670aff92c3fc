// Opening a full-size report into the view, and appending a report to it.
#include "benchapp.h"

#include "doc/platformfile.h"
#include "doc/qorudoc.h"
#include "view/qoruview.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A report-like text of Chinese lines with numbers, `bytes` long in GBK.
std::string ReportBytes(std::size_t bytes)
{
    // "　　　　　Vs＝Vm×Φs＝0.30（m3）" and the like, in GBK
    const std::string line = "\xa1\xa1\xa1\xa1\xa1\xa1\xa1\xa1\xa1\xa1Vs\xa3\xbdVm\xa1\xc1\xa6\xb5s"
                             "\xa3\xbd" "0.30\xa3\xa8m3\xa3\xa9\xbb\xec\xc4\xfd\xcd\xc1\r\n";
    std::string text;
    while (text.size() + line.size() <= bytes)
        text += line;
    text.append(bytes - text.size(), 'x');
    return text;
}

std::string SampleReport()
{
    std::string report = "\r\n";
    const std::string line = "\xe3\x80\x80\xe3\x80\x80Mb\xef\xbc\x9d" "525.5\xef\xbc\x88kg\xef\xbc\x89\r\n";
    for (int i = 0; i < 66; ++i)
        report += line;
    return report;
}

void BM_OpenFullReport(benchmark::State& state)
{
    BenchApp();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.txt"));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        const std::string bytes = ReportBytes(1048575);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    FileSystem files;
    CQoruView view;
    view.resize(1000, 700);
    view.show();
    CQoruDoc doc(&view, &files);
    for (auto _ : state) {
        doc.OnNewDocument();
        if (!doc.OnOpenDocument(path))
            state.SkipWithError("open failed");
        QApplication::processEvents(); // lay out and paint what shows
    }
}
BENCHMARK(BM_OpenFullReport)->Unit(benchmark::kMillisecond)->UseRealTime();

void AppendTo(benchmark::State& state, std::size_t existing)
{
    BenchApp();
    CQoruView view;
    view.resize(1000, 700);
    view.show();
    const std::string base = ReportBytes(existing);
    const std::string report = SampleReport();
    for (auto _ : state) {
        state.PauseTiming();
        view.loadFileBytes(base);
        QApplication::processEvents();
        state.ResumeTiming();
        view.appendReport(report);
        QApplication::processEvents();
    }
}

void BM_AppendToEmptyView(benchmark::State& state) { AppendTo(state, 0); }
BENCHMARK(BM_AppendToEmptyView)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AppendTo1MBView(benchmark::State& state) { AppendTo(state, 1000000); }
BENCHMARK(BM_AppendTo1MBView)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
