// Renders the program's windows to PNG files: qoru-snapshots OUTPUT_FOLDER.
#include "app/mainframe.h"
#include "app/commandids.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "testprompter.h"
#include "mix1/mix1calc.h"
#include "view/printcommands.h"
#include "view/printpreview.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

QDir g_out;

bool Save(QWidget* widget, const QString& name)
{
    widget->repaint();
    QApplication::processEvents();
    const QString file = g_out.filePath(name + QStringLiteral(".png"));
    const bool ok = widget->grab().save(file);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(file));
    return ok;
}

// A main window of a size people use, since offscreen "maximized" is the
// offscreen screen.
std::unique_ptr<CQoruApp> MainWindow()
{
    auto app = std::make_unique<CQoruApp>();
    if (!app->InitInstance({ QStringLiteral("qoru") }))
        return nullptr;
    app->mainFrame()->showNormal();
    app->mainFrame()->resize(1000, 640);
    return app;
}

const char* const kSampleReport
    = "\r\n————Qoru计算书（JGJ/T283-2012）————\r\n"
      "一、设计要求：\r\n"
      "　　自密实性能：SF2\r\n"
      "　　坍落扩展度＝660～755（mm）\r\n"
      "　　混凝土强度 fcu,k＝60.0（MPa）\r\n"
      "二、材料参数：\r\n"
      "　　水泥强度等级　　　fce,g＝52.5（MPa）\r\n";

bool MainWindowShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    bool ok = Save(app->mainFrame(), QStringLiteral("mainwindow-empty"));
    app->view()->appendReport(kSampleReport);
    ok = Save(app->mainFrame(), QStringLiteral("mainwindow-text")) && ok;
    app->document()->setModified(false);
    return ok;
}

// A saved report of several pages, with a line too long for the body, as
// the preview shows it: the first two pages at A4 and 100 dpi, and the
// preview window with two pages.
bool PrintPreviewShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    std::string report = "\r\n\xe8\xbf\x99\xe4\xb8\x80\xe8\xa1\x8c\xe5\xbe\x88\xe9\x95\xbf\xef\xbc\x9a"; // 这一行很长：
    for (int i = 0; i < 12; ++i)
        report += "fce,g=52.5 MPa W/B=0.32 ";
    report += "\r\n";
    const Mix1Inputs inputs;
    for (int i = 0; i < 3; ++i)
        report += CalculateMix1(inputs).report;
    app->view()->appendReport(report);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("配合比计算书.txt"));
    QFile file(path);
    const std::string bytes = app->view()->fileBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) < 0)
        return false;
    file.close();
    app->document()->setModified(false);
    if (!app->OpenDocumentFile(path))
        return false;

    QPrinter a4(QPrinter::HighResolution);
    a4.setOutputFormat(QPrinter::PdfFormat);
    a4.setPageSize(QPageSize(QPageSize::A4));
    a4.setResolution(100);
    const CReportPages pages(app->printCommands()->source(), PrinterGeometryOf(a4));
    bool ok = pages.pageCount() >= 2;
    for (int page = 1; page <= 2; ++page) {
        const QString name = g_out.filePath(QStringLiteral("preview-page%1.png").arg(page));
        const bool saved = pages.pageImage(page).save(name);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(name));
        ok = saved && ok;
    }

    app->printer()->setOutputFormat(QPrinter::PdfFormat);
    app->printer()->setPageSize(QPageSize(QPageSize::A4));
    app->setPreviewPages(2);
    app->mainFrame()->action(ID_FILE_PRINT_PREVIEW)->trigger();
    CPrintPreview* preview = app->printCommands()->preview();
    if (!preview)
        return false;
    preview->showNormal();
    preview->resize(1000, 700);
    ok = Save(preview, QStringLiteral("preview-window")) && ok;
    preview->close();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetUpGuiTest(app);
    g_out = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("snapshots"));
    if (!g_out.mkpath(QStringLiteral(".")))
        return 1;
    TestPrompter prompter; // nothing may wait for a person

    const std::function<bool()> shots[] = { MainWindowShots, PrintPreviewShots };
    bool ok = true;
    for (const auto& shot : shots)
        ok = shot() && ok;
    return ok ? 0 : 1;
}
