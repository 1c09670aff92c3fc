#include "doc/reporttext.h"
#include "mix1/mix1calc.h"
#include "print/printpreview.h"
#include "print/reportpages.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The widgets need an application; the other benchmarks do not, so it is
// made only here, offscreen unless told otherwise.
void EnsureApplication()
{
    if (qApp)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qoru-bench";
    static char* argv[] = { name, nullptr };
    new QApplication(argc, argv);
}

// Method-1 reports one after another up to the largest file that opens
// again: 1,048,575 bytes, the last ones blanks.
const QString& LargestReport()
{
    static const QString text = [] {
        std::string report = CalculateMix1(Mix1Inputs()).report;
        QString one
            = QString::fromStdString(report).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        const std::size_t oneBytes = ViewTextFileLength(one.toStdU16String());
        constexpr std::size_t kBytes = 1048575;
        QString all;
        std::size_t bytes = 0;
        while (bytes + oneBytes <= kBytes) {
            all += one;
            bytes += oneBytes;
        }
        all += QString(static_cast<qsizetype>(kBytes - bytes), QLatin1Char(' '));
        return all;
    }();
    return text;
}

PrintSource LargestSource()
{
    PrintSource source;
    source.text = LargestReport();
    source.header = QStringLiteral("/home/lab/配合比/计算书.txt");
    return source;
}

void SetUpA4Pdf(QPrinter& printer, const QString& file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
}

// Printing the largest report to a PDF file at the printer's 1200 dpi:
// layout, every page, the file.
void BM_PrintLargestReportToPdf(benchmark::State& state)
{
    EnsureApplication();
    QTemporaryDir dir;
    const PrintSource source = LargestSource();
    int pageCount = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        SetUpA4Pdf(printer, dir.filePath(QStringLiteral("report.pdf")));
        const CReportPages pages(source, PrinterGeometryOf(printer), &printer);
        pageCount = pages.pageCount();
        if (!PrintReportPages(&printer, pages))
            state.SkipWithError("the job did not start");
    }
    state.counters["pages"] = pageCount;
}
BENCHMARK(BM_PrintLargestReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// Opening the preview of the largest report until its first page is painted.
void BM_PreviewFirstPageOfLargestReport(benchmark::State& state)
{
    EnsureApplication();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    SetUpA4Pdf(printer, dir.filePath(QStringLiteral("unused.pdf")));
    const PrintSource source = LargestSource();
    for (auto _ : state) {
        CPrintPreview preview(&printer, source, 1);
        preview.previewWidget()->updatePreview();
        if (preview.previewWidget()->pageCount() != 1)
            state.SkipWithError("the first page was not painted");
        benchmark::DoNotOptimize(preview.pageCount());
    }
}
BENCHMARK(BM_PreviewFirstPageOfLargestReport)->Unit(benchmark::kMillisecond);

// The next page of an open preview: Page Down.
void BM_PreviewNextPage(benchmark::State& state)
{
    EnsureApplication();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    SetUpA4Pdf(printer, dir.filePath(QStringLiteral("unused.pdf")));
    CPrintPreview preview(&printer, LargestSource(), 2);
    preview.previewWidget()->updatePreview();
    for (auto _ : state) {
        if (preview.currentPage() + 1 >= preview.pageCount())
            preview.OnPrevPage(); // keep going back and forth at the end
        preview.OnNextPage();
    }
}
BENCHMARK(BM_PreviewNextPage)->Unit(benchmark::kMillisecond);

} // namespace
