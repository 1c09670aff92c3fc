#pragma once

#include "print/reportpages.h"

#include <QWidget>

#include <memory>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

// Print preview: the report's pages as the printer will print them, one or
// two at a time, under the preview bar. Only the pages in view are painted,
// so a long report shows at once.
class CPrintPreview : public QWidget
{
    Q_OBJECT

public:
    enum Button
    {
        Print,
        Next,
        Prev,
        NumPage,
        ZoomIn,
        ZoomOut,
        Close,
        ButtonCount
    };

    // `pages` is 1 or 2, the count of pages the settings keep.
    CPrintPreview(
        QPrinter* printer, const PrintSource& source, int pages, QWidget* parent = nullptr);
    ~CPrintPreview() override;

    int currentPage() const { return m_nCurrentPage; }
    // The pages asked for (1 or 2) and those in view (fewer at the end).
    int pagesWanted() const { return m_nPages; }
    int pagesShown() const;
    int pageCount() const { return m_pPages->pageCount(); }
    int zoomLevel() const { return m_nZoom; }
    const CReportPages& pages() const { return *m_pPages; }
    QPrintPreviewWidget* previewWidget() const { return m_pPreview; }
    QPushButton* button(Button b) const { return m_pButtons[b]; }

    static constexpr int kMaxZoom = 2;

Q_SIGNALS:
    // 打印 was pressed; the preview has closed.
    void printRequested();
    // The one-or-two-page choice changed.
    void pagesChanged(int pages);

public Q_SLOTS:
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnPreviewClose();

private:
    void paintPreview(QPrinter* printer);
    void showPages();
    void applyZoom();
    void updateBar();

    QPrinter* m_pPrinter;
    std::unique_ptr<CReportPages> m_pPages;
    QPrintPreviewWidget* m_pPreview = nullptr;
    QPushButton* m_pButtons[ButtonCount] = {};
    int m_nCurrentPage = 1;
    int m_nPages = 1;
    int m_nZoom = 0;
    double m_fitFactor = 0;
};
