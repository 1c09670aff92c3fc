#include "print/printcommands.h"

#include "common/prompter.h"
#include "doc/qorudoc.h"
#include "res/strings.h"
#include "print/printpreview.h"
#include "view/qoruview.h"

#include <QDir>
#include <QPrinter>
#include <QTextDocument>

CPrintCommands::CPrintCommands(CQoruView* view, CQoruDoc* doc, std::function<QPrinter*()> printer,
    std::function<int()> previewPages, QObject* parent)
    : QObject(parent)
    , m_pView(view)
    , m_pDoc(doc)
    , m_printer(std::move(printer))
    , m_previewPages(std::move(previewPages))
{ }

CPrintPreview* CPrintCommands::preview() const
{
    return m_pPreview.data();
}

PrintSource CPrintCommands::source() const
{
    PrintSource s;
    s.text = m_pView->document()->toRawText();
    s.text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    const QString path = m_pDoc->pathName();
    s.header = path.isEmpty() ? QString() : QDir::toNativeSeparators(path);
    s.bodyFont = PaperBodyFont(m_pView->font(), m_pView->fontChosen(), m_pView->logicalDpiY());
    return s;
}

void CPrintCommands::print()
{
    QPrinter* printer = m_printer();
    // The job's name in the printer queue and the title of a PDF.
    printer->setDocName(m_pDoc->title());
    const bool range = printer->printRange() == QPrinter::PageRange;
    const CReportPages pages(source(), PrinterGeometryOf(*printer), printer);
    if (!PrintReportPages(
            printer, pages, range ? printer->fromPage() : 0, range ? printer->toPage() : 0))
        ShowExclamation(m_pView->window(), QString::fromUtf8(kPrintCannotStart));
}

void CPrintCommands::OnFilePrint()
{
    QPrinter* printer = m_printer();
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFromTo(0, 0);
    if (Prompter::current()->printDialog(m_pView->window(), printer, kMaxPage))
        print();
}

void CPrintCommands::OnFilePrintDirect()
{
    QPrinter* printer = m_printer();
    printer->setPrintRange(QPrinter::AllPages);
    printer->setFromTo(0, 0);
    print();
}

void CPrintCommands::OnFilePrintPreview()
{
    if (m_pPreview)
        m_pPreview->close();
    auto* preview = new CPrintPreview(m_printer(), source(), m_previewPages(), m_pView->window());
    m_pPreview = preview;
    connect(preview, &CPrintPreview::printRequested, this, &CPrintCommands::OnFilePrint);
    connect(preview, &CPrintPreview::pagesChanged, this, &CPrintCommands::previewPagesChanged);
    QWidget* frame = m_pView->window();
    preview->setGeometry(frame->geometry());
    if (frame->isMaximized())
        preview->showMaximized();
    else
        preview->show();
    preview->activateWindow();
}

void CPrintCommands::OnFilePrintSetup()
{
    // An open preview was laid out for the paper as it was.
    if (m_pPreview)
        m_pPreview->close();
    Prompter::current()->pageSetupDialog(m_pView->window(), m_printer());
}
