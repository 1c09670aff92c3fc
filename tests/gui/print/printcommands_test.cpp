// The print commands on the application's printer: print with and without
// the dialog, a job that cannot start, printer set-up and print preview.
#include "res/commandids.h"
#include "app/mainframe.h"
#include "app/qoruapp.h"
#include "doc/qorudoc.h"
#include "guitestmain.h"
#include "testapp.h"
#include "testprompter.h"
#include "print/printcommands.h"
#include "print/printpreview.h"
#include "view/qoruview.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages of a PDF file: its page objects.
int PdfPages(const QString& path)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    const QString pdf = QString::fromLatin1(ReadAll(path));
    int n = 0;
    for (auto it = page.globalMatch(pdf); it.hasNext(); it.next())
        ++n;
    return n;
}

// The width in points of the first page's MediaBox.
double PdfPageWidth(const QString& path)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)"));
    const auto m = box.match(QString::fromLatin1(ReadAll(path)));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

void DeleteLater()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class PrintCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPrompter> m_prompter;
    std::unique_ptr<CQoruApp> m_app;
    std::unique_ptr<QTemporaryDir> m_dir;

    CQoruView* view() const { return m_app->view(); }
    QPrinter* printer() const { return m_app->printer(); }
    void trigger(int id) const { m_app->mainFrame()->action(id)->trigger(); }
    QString file(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }

    // A report of a few pages on A4.
    void fillReport(int lines = 150)
    {
        std::string text = "\r\n";
        for (int i = 1; i <= lines; ++i)
            text += "第" + std::to_string(i) + "行 水胶比 0.34\r\n";
        QVERIFY(view()->appendReport(text));
    }
    void printToPdf(const QString& path) const
    {
        printer()->setOutputFormat(QPrinter::PdfFormat);
        printer()->setPageSize(QPageSize(QPageSize::A4));
        printer()->setOutputFileName(path);
    }
    int pagesOnPrinter() const
    {
        return CReportPages(
            m_app->printCommands()->source(), PrinterGeometryOf(*printer()), printer())
            .pageCount();
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(StartTestApp(m_prompter, m_app));
    }
    void cleanup()
    {
        StopTestApp(m_prompter, m_app);
        m_dir.reset();
    }

    void print_direct_writes_every_page_without_a_dialog()
    {
        fillReport();
        printToPdf(file("direct.pdf"));
        const int expected = pagesOnPrinter();
        QVERIFY(expected >= 2);
        trigger(ID_FILE_PRINT_DIRECT);
        QCOMPARE(m_prompter->printDialogs, 0);
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(PdfPages(file("direct.pdf")), expected);

        // The job is named by the report's title: the queue's name, the PDF's title.
        QCOMPARE(printer()->docName(), m_app->document()->title());
        QFile pdf(file("direct.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QString title = m_app->document()->title();
        QByteArray utf16("(\xfe\xff", 3); // UTF-16BE with its byte order mark
        for (QChar c : title)
            utf16 += char(c.unicode() >> 8), utf16 += char(c.unicode() & 0xff);
        QVERIFY(pdf.readAll().contains("/Title " + utf16 + ")"));
    }

    void printing_to_a_pdf_file_through_the_dialog_gives_the_same_pages()
    {
        fillReport();
        printToPdf(file("direct.pdf"));
        trigger(ID_FILE_PRINT_DIRECT);

        // The person picks a PDF file in the dialog and says OK.
        m_prompter->onPrintDialog = [this](QPrinter* p) {
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(file("dialog.pdf"));
            return true;
        };
        trigger(ID_FILE_PRINT);
        QCOMPARE(m_prompter->printDialogs, 1);
        QCOMPARE(m_prompter->lastMaxPage, CPrintCommands::kMaxPage);
        QVERIFY(m_prompter->notices.isEmpty());
        QCOMPARE(PdfPages(file("dialog.pdf")), PdfPages(file("direct.pdf")));
        QVERIFY(std::abs(ReadAll(file("dialog.pdf")).size() - ReadAll(file("direct.pdf")).size())
            < 200); // the same pages, apart from the creation time
    }

    void the_dialog_can_ask_for_some_pages_and_can_be_cancelled()
    {
        fillReport(400);
        printToPdf(file("range.pdf"));
        QVERIFY(pagesOnPrinter() >= 4);
        m_prompter->onPrintDialog = [](QPrinter* p) {
            p->setPrintRange(QPrinter::PageRange);
            p->setFromTo(2, 3);
            return true;
        };
        trigger(ID_FILE_PRINT);
        QCOMPARE(PdfPages(file("range.pdf")), 2);

        // Past the last page: the job ends with the last one.
        const int pages = pagesOnPrinter();
        m_prompter->onPrintDialog = [pages](QPrinter* p) {
            p->setPrintRange(QPrinter::PageRange);
            p->setFromTo(pages - 1, pages + 5);
            return true;
        };
        trigger(ID_FILE_PRINT);
        QCOMPARE(PdfPages(file("range.pdf")), 2);

        // The next dialog starts from all pages again; cancelling prints nothing.
        QFile::remove(file("range.pdf"));
        bool startsFromAll = false;
        m_prompter->onPrintDialog = [&startsFromAll](QPrinter* p) {
            startsFromAll = p->printRange() == QPrinter::AllPages && p->fromPage() == 0;
            return false;
        };
        trigger(ID_FILE_PRINT);
        QCOMPARE(m_prompter->printDialogs, 3);
        QVERIFY(startsFromAll);
        QVERIFY(!QFile::exists(file("range.pdf")));
    }

    void a_job_that_cannot_start_says_so_and_leaves_the_report_alone()
    {
        fillReport(5);
        m_app->document()->setModified(false);
        const std::string before = view()->fileBytes();
        printToPdf(file("no-such-folder/x.pdf"));
        trigger(ID_FILE_PRINT_DIRECT);
        QCOMPARE(m_prompter->texts(), QStringList { QStringLiteral("无法启动打印作业。") });
        QCOMPARE(m_prompter->notices.first().title, QStringLiteral("Qoru"));
        QCOMPARE(m_prompter->notices.first().icon, Prompter::Icon::Exclamation);
        QCOMPARE(view()->fileBytes(), before);
        QVERIFY(!m_app->document()->isModified());

        // A PDF printer with no file at all cannot start either, and the
        // printer still works afterwards.
        printer()->setOutputFileName(QString());
        trigger(ID_FILE_PRINT_DIRECT);
        QCOMPARE(m_prompter->notices.size(), 2);
        printToPdf(file("after.pdf"));
        trigger(ID_FILE_PRINT_DIRECT);
        QCOMPARE(m_prompter->notices.size(), 2);
        QVERIFY(PdfPages(file("after.pdf")) >= 1);
    }

    void printer_setup_changes_the_paper_of_later_jobs()
    {
        fillReport(5);
        printToPdf(file("a5.pdf"));
        m_prompter->onPageSetupDialog = [](QPrinter* p) {
            p->setPageSize(QPageSize(QPageSize::A5));
            return true;
        };
        trigger(ID_FILE_PRINT_SETUP);
        QCOMPARE(m_prompter->pageSetupDialogs, 1);
        trigger(ID_FILE_PRINT_DIRECT);
        QVERIFY(std::abs(PdfPageWidth(file("a5.pdf")) - 148 / 25.4 * 72) < 1);
    }

    void the_preview_shows_the_printer_pages_under_its_bar()
    {
        fillReport(400);
        printToPdf(file("unused.pdf"));
        trigger(ID_FILE_PRINT_PREVIEW);
        CPrintPreview* preview = m_app->printCommands()->preview();
        QVERIFY(preview);
        QVERIFY(preview->isVisible());
        const char* const texts[] = { "打印(&P)...", "下一页(&N)", "前一页(&V)", "两页(&T)",
            "放大(&I)", "缩小(&O)", "关闭(&C)" };
        for (int b = 0; b < CPrintPreview::ButtonCount; ++b)
            QCOMPARE(
                preview->button(CPrintPreview::Button(b))->text(), QString::fromUtf8(texts[b]));
        // Laid out for the printer: as many pages as it would print.
        QCOMPARE(preview->pageCount(), pagesOnPrinter());
        QCOMPARE(preview->currentPage(), 1);
        QCOMPARE(preview->previewWidget()->pageCount(), 1);
        QVERIFY(!preview->button(CPrintPreview::Prev)->isEnabled());
        QVERIFY(!preview->button(CPrintPreview::ZoomOut)->isEnabled());
    }

    void page_down_page_up_and_esc_work_the_preview()
    {
        fillReport(400);
        printToPdf(file("unused.pdf"));
        trigger(ID_FILE_PRINT_PREVIEW);
        QPointer<CPrintPreview> preview = m_app->printCommands()->preview();
        QVERIFY(preview);
        preview->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(preview));
        QTest::keyClick(preview, Qt::Key_PageDown);
        QCOMPARE(preview->currentPage(), 2);
        QVERIFY(preview->button(CPrintPreview::Prev)->isEnabled());
        QTest::keyClick(preview, Qt::Key_PageUp);
        QCOMPARE(preview->currentPage(), 1);
        QTest::keyClick(preview, Qt::Key_PageUp); // nothing before the first
        QCOMPARE(preview->currentPage(), 1);

        // To the end: Next stops at the last page.
        for (int i = 0; i < preview->pageCount() + 2; ++i)
            QTest::keyClick(preview, Qt::Key_PageDown);
        QCOMPARE(preview->currentPage(), preview->pageCount());
        QVERIFY(!preview->button(CPrintPreview::Next)->isEnabled());

        QTest::keyClick(preview, Qt::Key_Escape);
        DeleteLater();
        QVERIFY(preview.isNull());
        QVERIFY(!m_app->printCommands()->preview());
    }

    void two_pages_show_side_by_side_and_the_choice_is_kept()
    {
        fillReport(400);
        printToPdf(file("unused.pdf"));
        QCOMPARE(m_app->previewPages(), 1);
        trigger(ID_FILE_PRINT_PREVIEW);
        CPrintPreview* preview = m_app->printCommands()->preview();
        QTest::mouseClick(preview->button(CPrintPreview::NumPage), Qt::LeftButton);
        QCOMPARE(preview->pagesShown(), 2);
        QCOMPARE(preview->previewWidget()->pageCount(), 2);
        // Side by side: one row, the second page right of the first.
        auto* scene = preview->previewWidget()->findChild<QGraphicsView*>()->scene();
        QList<QGraphicsItem*> pages = scene->items(Qt::AscendingOrder);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0]->pos().y(), pages[1]->pos().y());
        QVERIFY(std::abs(pages[0]->pos().x() - pages[1]->pos().x())
            >= pages[0]->boundingRect().width() * 0.9);
        QCOMPARE(preview->button(CPrintPreview::NumPage)->text(), QStringLiteral("一页(&O)"));
        QCOMPARE(m_app->previewPages(), 2);
        QCOMPARE(QSettings(QString::fromLatin1(CQoruApp::kRegistryKey), QStringLiteral("Qoru"))
                     .value(QStringLiteral("Settings/PreviewPages"))
                     .toInt(),
            2);

        // At the end only the last page is left to show.
        while (preview->button(CPrintPreview::Next)->isEnabled())
            preview->OnNextPage();
        QCOMPARE(preview->currentPage() + 1, preview->pageCount());
        QCOMPARE(preview->pagesShown(), 2);

        // A new preview starts with two pages.
        preview->OnPreviewClose();
        DeleteLater();
        trigger(ID_FILE_PRINT_PREVIEW);
        preview = m_app->printCommands()->preview();
        QCOMPARE(preview->pagesWanted(), 2);
        QCOMPARE(preview->previewWidget()->pageCount(), 2);
        QTest::mouseClick(preview->button(CPrintPreview::NumPage), Qt::LeftButton);
        QCOMPARE(m_app->previewPages(), 1);
        QCOMPARE(preview->button(CPrintPreview::NumPage)->text(), QStringLiteral("两页(&T)"));
    }

    void zooming_goes_two_steps_in_and_back_to_the_whole_page()
    {
        fillReport(10);
        printToPdf(file("unused.pdf"));
        trigger(ID_FILE_PRINT_PREVIEW);
        CPrintPreview* preview = m_app->printCommands()->preview();
        preview->resize(800, 600);
        QApplication::processEvents();
        const double whole = preview->previewWidget()->zoomFactor();
        QTest::mouseClick(preview->button(CPrintPreview::ZoomIn), Qt::LeftButton);
        QVERIFY(preview->previewWidget()->zoomFactor() > whole * 1.5);
        QTest::mouseClick(preview->button(CPrintPreview::ZoomIn), Qt::LeftButton);
        QCOMPARE(preview->zoomLevel(), CPrintPreview::kMaxZoom);
        QVERIFY(!preview->button(CPrintPreview::ZoomIn)->isEnabled());
        QTest::mouseClick(preview->button(CPrintPreview::ZoomOut), Qt::LeftButton);
        QTest::mouseClick(preview->button(CPrintPreview::ZoomOut), Qt::LeftButton);
        QCOMPARE(preview->zoomLevel(), 0);
        QCOMPARE(preview->previewWidget()->zoomMode(), QPrintPreviewWidget::FitInView);
        QVERIFY(std::abs(preview->previewWidget()->zoomFactor() - whole) < whole * 0.01);
        QVERIFY(!preview->button(CPrintPreview::ZoomOut)->isEnabled());
        // A one-page report has nowhere to go.
        QVERIFY(!preview->button(CPrintPreview::Next)->isEnabled());
    }

    void print_in_the_preview_closes_it_and_opens_the_print_dialog()
    {
        fillReport(10);
        printToPdf(file("from-preview.pdf"));
        trigger(ID_FILE_PRINT_PREVIEW);
        QPointer<CPrintPreview> preview = m_app->printCommands()->preview();
        m_prompter->onPrintDialog = [](QPrinter*) { return true; };
        QTest::mouseClick(preview->button(CPrintPreview::Print), Qt::LeftButton);
        DeleteLater();
        QVERIFY(preview.isNull());
        QCOMPARE(m_prompter->printDialogs, 1);
        QCOMPARE(PdfPages(file("from-preview.pdf")), 1);

        // Close does not print.
        trigger(ID_FILE_PRINT_PREVIEW);
        preview = m_app->printCommands()->preview();
        QTest::mouseClick(preview->button(CPrintPreview::Close), Qt::LeftButton);
        DeleteLater();
        QVERIFY(preview.isNull());
        QCOMPARE(m_prompter->printDialogs, 1);
    }
};

QORU_GUI_TEST_MAIN(PrintCommandsTest)
#include "printcommands_test.moc"
