#include "print/printpreview.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const char* const kButtonTexts[]
    = { "打印(&P)...", "下一页(&N)", "前一页(&V)", "两页(&T)", "放大(&I)", "缩小(&O)", "关闭(&C)" };
const char* const kOnePage = "一页(&O)";
const char* const kTwoPages = "两页(&T)";
const char* const kButtonNames[]
    = { "print", "next", "prev", "numPage", "zoomIn", "zoomOut", "close" };

constexpr double kZoomStep = 2.0; // each zoom level doubles the whole-page size

} // namespace

CPrintPreview::CPrintPreview(
    QPrinter* printer, const PrintSource& source, int pages, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_pPrinter(printer)
    , m_pPages(std::make_unique<CReportPages>(source, PrinterGeometryOf(*printer), printer))
    , m_nPages(pages == 2 ? 2 : 1)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("printPreview"));
    if (parent)
        setWindowTitle(parent->windowTitle());

    auto* bar = new QWidget(this);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 2, 4, 2);
    for (int i = 0; i < ButtonCount; ++i) {
        m_pButtons[i] = new QPushButton(QString::fromUtf8(kButtonTexts[i]), bar);
        m_pButtons[i]->setObjectName(QString::fromLatin1(kButtonNames[i]));
        m_pButtons[i]->setAutoDefault(false);
        barLayout->addWidget(m_pButtons[i]);
    }
    barLayout->addStretch();

    m_pPreview = new QPrintPreviewWidget(printer, this);
    m_pPreview->setViewMode(QPrintPreviewWidget::AllPagesView);
    m_pPreview->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_pPreview, &QPrintPreviewWidget::paintRequested, this, &CPrintPreview::paintPreview);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_pPreview, 1);

    connect(m_pButtons[Print], &QPushButton::clicked, this, &CPrintPreview::OnPreviewPrint);
    connect(m_pButtons[Next], &QPushButton::clicked, this, &CPrintPreview::OnNextPage);
    connect(m_pButtons[Prev], &QPushButton::clicked, this, &CPrintPreview::OnPrevPage);
    connect(m_pButtons[NumPage], &QPushButton::clicked, this, &CPrintPreview::OnNumPageChange);
    connect(m_pButtons[ZoomIn], &QPushButton::clicked, this, &CPrintPreview::OnZoomIn);
    connect(m_pButtons[ZoomOut], &QPushButton::clicked, this, &CPrintPreview::OnZoomOut);
    connect(m_pButtons[Close], &QPushButton::clicked, this, &CPrintPreview::OnPreviewClose);

    auto key = [this](int k, void (CPrintPreview::*slot)()) {
        auto* shortcut = new QShortcut(QKeySequence(k), this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    key(Qt::Key_PageDown, &CPrintPreview::OnNextPage);
    key(Qt::Key_PageUp, &CPrintPreview::OnPrevPage);
    key(Qt::Key_Escape, &CPrintPreview::OnPreviewClose);

    updateBar();
}

CPrintPreview::~CPrintPreview() = default;

int CPrintPreview::pagesShown() const
{
    return std::min(m_nPages, pageCount() - m_nCurrentPage + 1);
}

void CPrintPreview::paintPreview(QPrinter* printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return;
    for (int i = 0; i < pagesShown(); ++i) {
        if (i > 0)
            printer->newPage();
        m_pPages->paintPage(painter, m_nCurrentPage + i);
    }
    painter.end();
}

void CPrintPreview::showPages()
{
    m_pPreview->updatePreview();
    applyZoom();
    updateBar();
}

void CPrintPreview::applyZoom()
{
    if (m_nZoom == 0) {
        m_pPreview->setZoomMode(QPrintPreviewWidget::FitInView);
        return;
    }
    m_pPreview->setZoomFactor(m_fitFactor * std::pow(kZoomStep, m_nZoom));
}

void CPrintPreview::updateBar()
{
    m_pButtons[Next]->setEnabled(m_nCurrentPage + pagesShown() - 1 < pageCount());
    m_pButtons[Prev]->setEnabled(m_nCurrentPage > 1);
    m_pButtons[NumPage]->setText(QString::fromUtf8(m_nPages == 2 ? kOnePage : kTwoPages));
    m_pButtons[ZoomIn]->setEnabled(m_nZoom < kMaxZoom);
    m_pButtons[ZoomOut]->setEnabled(m_nZoom > 0);
}

void CPrintPreview::OnPreviewPrint()
{
    close();
    Q_EMIT printRequested();
}

void CPrintPreview::OnNextPage()
{
    if (!m_pButtons[Next]->isEnabled())
        return;
    ++m_nCurrentPage;
    showPages();
}

void CPrintPreview::OnPrevPage()
{
    if (m_nCurrentPage <= 1)
        return;
    --m_nCurrentPage;
    showPages();
}

void CPrintPreview::OnNumPageChange()
{
    m_nPages = m_nPages == 2 ? 1 : 2;
    m_nZoom = 0;
    showPages();
    Q_EMIT pagesChanged(m_nPages);
}

void CPrintPreview::OnZoomIn()
{
    if (m_nZoom >= kMaxZoom)
        return;
    if (m_nZoom == 0)
        m_fitFactor = m_pPreview->zoomFactor();
    ++m_nZoom;
    applyZoom();
    updateBar();
}

void CPrintPreview::OnZoomOut()
{
    if (m_nZoom <= 0)
        return;
    --m_nZoom;
    applyZoom();
    updateBar();
}

void CPrintPreview::OnPreviewClose()
{
    close();
}
