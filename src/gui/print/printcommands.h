#pragma once

#include "print/reportpages.h"

#include <QObject>
#include <QPointer>

#include <functional>

class CPrintPreview;
class CQoruDoc;
class CQoruView;
class QPrinter;

// The print commands of the report view: print with and without the print
// dialog, print preview and printer set-up, all on the application's one
// printer.
class CPrintCommands : public QObject
{
    Q_OBJECT

public:
    // `printer` hands out the application's printer, made when first asked
    // for; `previewPages` says how many pages a preview starts with.
    CPrintCommands(CQoruView* view, CQoruDoc* doc, std::function<QPrinter*()> printer,
        std::function<int()> previewPages, QObject* parent = nullptr);

    // What printing the report now would print.
    PrintSource source() const;
    // The open print preview, or null.
    CPrintPreview* preview() const;

    // The most pages the print dialog lets one ask for.
    static constexpr int kMaxPage = 0xFFFF;

public Q_SLOTS:
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

Q_SIGNALS:
    // The preview's one-or-two-page choice changed: the settings keep it.
    void previewPagesChanged(int pages);

private:
    // One job over the pages the printer's range asks for; tells the user
    // when it cannot start.
    void print();

    CQoruView* m_pView;
    CQoruDoc* m_pDoc;
    std::function<QPrinter*()> m_printer;
    std::function<int()> m_previewPages;
    QPointer<CPrintPreview> m_pPreview;
};
