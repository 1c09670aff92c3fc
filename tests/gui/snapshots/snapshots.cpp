// Renders the program's windows to PNG files: qoru-snapshots OUTPUT_FOLDER.
#include "adjust/adjustdlg.h"
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "calc/calculators.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "ledger/comparedlg.h"
#include "ordinaryworked.h"
#include "mix1/mix1calc.h"
#include "mix1/mixdesigndlg.h"
#include "mix2/mixdesign2dlg.h"
#include "ordinary/ordinarydlg.h"
#include "mix1/dialog130.h"
#include "stats/dialog150.h"
#include "stats/dialog155.h"
#include "adjust/dialog160.h"
#include "stats/evaluatedlg.h"
#include "stats/stddevdlg.h"
#include "testprompter.h"
#include "print/printcommands.h"
#include "records/ledger.h"
#include "records/recordstore.h"
#include "print/printpreview.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
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

// The method-1 form as it opens, and after one press of Calculate with the
// report behind it in the main window.
bool MixDesignShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    CMixDesignDlg dlg(app->view());
    app->calculators()->attach(&dlg);
    dlg.setModal(false);
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("mix1-open"));
    dlg.button(IDC_CALCULATE)->click();
    ok = Save(&dlg, QStringLiteral("mix1-calculated")) && ok;
    dlg.reject();
    ok = Save(app->mainFrame(), QStringLiteral("mix1-report")) && ok;
    app->document()->setModified(false);
    return ok;
}

// The method-2 form as it opens, with powder 1 an inert filler, and after
// a calculation.
bool Mix2Shots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    CMixDesign2Dlg dlg(app->view());
    app->calculators()->attach(&dlg);
    dlg.setWindowModality(Qt::NonModal); // the watchdog closes modal windows
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("mix2-opening"));
    dlg.dropList(1049)->setCurrentIndex(6);
    dlg.OnSelendokPowder1Kind();
    ok = Save(&dlg, QStringLiteral("mix2-powder1-inert")) && ok;
    dlg.dropList(1049)->setCurrentIndex(1);
    dlg.OnSelendokPowder1Kind();
    dlg.button(1071)->click();
    ok = Save(&dlg, QStringLiteral("mix2-calculated")) && ok;
    dlg.close();
    ok = Save(app->mainFrame(), QStringLiteral("mainwindow-mix2-report")) && ok;
    app->document()->setModified(false);
    return ok;
}

// The ordinary-concrete form as it opens, then the worked C30 design by the
// volume method after a press, with its report behind it.
bool OrdinaryShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    COrdinaryDlg dlg(app->view());
    app->calculators()->attach(&dlg);
    dlg.setModal(false);
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("ordinary-open"));
    // W/B and sand ratio as the tables give them.
    OrdinaryInputs in = OrdinaryWorkedExample();
    in.wb.clear();
    in.sandRatio.clear();
    in.impermeability = 8;
    in.pumped = true;
    in.method = OrdinaryMethod::Volume;
    dlg.load(in);
    dlg.OnCalculate();
    ok = Save(&dlg, QStringLiteral("ordinary-calculated")) && ok;
    dlg.reject();
    ok = Save(app->mainFrame(), QStringLiteral("ordinary-report")) && ok;
    app->document()->setModified(false);
    return ok;
}

// The trial-batch form opened from method 1 after a calculation, with a
// measured density that corrects the mix and wet aggregates.
bool AdjustShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    CMixDesignDlg mix(app->view());
    app->calculators()->attach(&mix);
    mix.setModal(false);
    mix.show();
    mix.button(IDC_CALCULATE)->click();
    CAdjustDlg dlg(&mix, *app->calculators()->lastDesign());
    app->calculators()->attach(&dlg);
    dlg.setModal(false);
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("adjust-open"));
    dlg.edit(IDC_ADJ_MEASURED_DENSITY)->setText(QStringLiteral("2300"));
    dlg.edit(IDC_ADJ_SAND_MOISTURE)->setText(QStringLiteral("3.2"));
    dlg.edit(IDC_ADJ_COARSE_MOISTURE)->setText(QStringLiteral("1.2"));
    dlg.button(IDC_ADJ_CALCULATE)->click();
    ok = Save(&dlg, QStringLiteral("adjust-corrected")) && ok;
    dlg.reject();
    mix.reject();
    ok = Save(app->mainFrame(), QStringLiteral("adjust-report")) && ok;
    app->document()->setModified(false);
    return ok;
}

// The strength calculator opened over the main window: empty, then with 25
// results, the last one selected, and σ computed.
bool StdDevShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    CStdDevDlg dlg(app->view());
    app->calculators()->attach(&dlg);
    dlg.setModal(false);
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("stddev-empty"));
    const float strengths[] = { 38.5f, 41.2f, 35.7f, 44.0f, 39.9f, 36.3f, 42.8f, 40.1f, 37.6f,
        45.5f, 33.9f, 40.7f, 38.2f, 43.4f, 41.9f, 36.8f, 39.3f, 42.1f, 37.1f, 40.4f, 34.6f, 44.8f,
        38.9f, 41.5f, 5.0f };
    for (float s : strengths) {
        dlg.m_editStrength->setText(QString::number(s));
        dlg.button(IDC_ADD)->click();
    }
    dlg.button(IDC_CALC)->click();
    dlg.m_listStrength->selectRow(24);
    dlg.m_listStrength->scrollToBottom();
    dlg.m_editStrength->setText(QStringLiteral("42.5"));
    ok = Save(&dlg, QStringLiteral("stddev-25rows")) && ok;
    return ok;
}

// The acceptance evaluation: a passing batch of twelve groups typed as
// three specimens each, then a failing one pasted as group values, each
// evaluated with its report behind it.
bool EvaluateShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    CEvaluateDlg dlg(app->view());
    app->calculators()->attach(&dlg);
    dlg.setWindowModality(Qt::NonModal); // the watchdog closes modal windows
    dlg.show();
    bool ok = Save(&dlg, QStringLiteral("evaluate-empty"));
    dlg.pasteBlock(QStringLiteral("36.2\t38.0\t35.1\n40.0\t46.0\t34.0\n33.3\t38.4\t33.0\n"
                                  "35.5\t36.8\t37.1\n30.0\t40.0\t20.0\n34.6\t35.9\t36.3\n"
                                  "37.7\t36.1\t38.9\n35.0\t35.5\t34.1\n38.2\t37.4\t36.6\n"
                                  "33.9\t35.2\t34.8\n36.6\t37.9\t35.7\n39.1\t37.5\t38.0\n35.8"));
    dlg.button(IDC_EVAL_CALC)->click();
    ok = Save(&dlg, QStringLiteral("evaluate-passed")) && ok;

    CEvaluateDlg failing(app->view());
    app->calculators()->attach(&failing);
    failing.setWindowModality(Qt::NonModal);
    failing.show();
    failing.pasteBlock(QStringLiteral(
        "33.6\n38.1\n28.9\n30.6\n35.3\n36.1\n34.2\n33.3\n31.7\n29.8\n26.4\n32.5"));
    failing.button(IDC_EVAL_CALC)->click();
    failing.edit(IDC_EVAL_INPUT)->setText(QStringLiteral("31.2 33.0 32.4"));
    ok = Save(&failing, QStringLiteral("evaluate-failed")) && ok;
    failing.close();
    dlg.close();
    ok = Save(app->mainFrame(), QStringLiteral("mainwindow-evaluate-report")) && ok;
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

// Two method-1 designs with a different W/B, recorded by real presses, side
// by side in 比较 with only the differing rows shown.
bool CompareShots()
{
    auto app = MainWindow();
    if (!app)
        return false;
    // A ledger of its own, so the picture shows the first two numbers.
    QTemporaryDir dir;
    QApplication::processEvents(); // the start-up's own opening first
    if (!dir.isValid() || !app->openRecords(dir.filePath(QStringLiteral("compare.sqlite"))))
        return false;
    CMixDesignDlg form(app->view());
    app->calculators()->attach(&form);
    form.setModal(false);
    form.show();
    for (double wb : { 0.37, 0.40 }) {
        Mix1Inputs in;
        in.customRatio = true;
        in.wb = wb;
        form.load(in);
        form.button(IDC_CALCULATE)->click();
    }
    form.reject();
    DesignLedger ledger(app->records());
    const auto rows = ledger.listEntries(LedgerFilter {}, 0, 2);
    if (!rows || rows->size() < 2)
        return false;
    CEntryCompareDlg dlg(ledger, (*rows)[1].id, (*rows)[0].id, app->mainFrame());
    dlg.onlyDifferences()->setChecked(true);
    dlg.show();
    const bool ok = Save(&dlg, QStringLiteral("compare"));
    app->document()->setModified(false);
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

    const std::function<bool()> shots[] = { MainWindowShots, MixDesignShots, Mix2Shots, StdDevShots,
        PrintPreviewShots, EvaluateShots, AdjustShots, OrdinaryShots, CompareShots };
    bool ok = true;
    for (const auto& shot : shots)
        ok = shot() && ok;
    return ok ? 0 : 1;
}
