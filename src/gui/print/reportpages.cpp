#include "print/reportpages.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

QImage MeasuringImage(const PrinterGeometry& g)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(g.logPixelsX / kMetresPerInch));
    image.setDotsPerMeterY(qRound(g.logPixelsY / kMetresPerInch));
    return image;
}

} // namespace

QFont PaperBodyFont(const QFont& displayFont, bool chosen, int screenDpiY)
{
    if (!chosen)
        return QFont(); // what a painter on the printer starts with
    QFont font = displayFont;
    // A font sized in screen pixels keeps its size on paper: as many points
    // as it covers on the screen.
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0 && screenDpiY > 0)
        font.setPointSizeF(font.pixelSize() * 72.0 / screenDpiY);
    return font;
}

PrinterGeometry PrinterGeometryOf(const QPrinter& printer)
{
    PrinterGeometry g;
    g.logPixelsX = printer.logicalDpiX();
    g.logPixelsY = printer.logicalDpiY();
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    g.physicalOffsetX = page.left() - paper.left();
    g.physicalOffsetY = page.top() - paper.top();
    g.physicalWidth = paper.width();
    g.physicalHeight = paper.height();
    g.printableWidth = page.width();
    g.printableHeight = page.height();
    return g;
}

QFont CReportPages::PageFont()
{
    QFont font(QString::fromUtf8(kPageFontFace));
    font.setPixelSize(kPageFontHeight); // painted in 0.1 mm units
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

CReportPages::CReportPages(
    const PrintSource& source, const PrinterGeometry& geometry, QPaintDevice* device)
    : m_source(source)
    , m_text(source.text.toStdU16String())
    , m_geometry(geometry)
    , m_pDevice(device)
    , m_bmpAdvance(0x10000, -1.0)
{
    if (!m_pDevice) {
        m_measure = MeasuringImage(geometry);
        m_pDevice = &m_measure;
    }
    m_bodyFont = QFont(source.bodyFont, m_pDevice);
    const QFontMetricsF fm(m_bodyFont, m_pDevice);
    m_ascent = fm.ascent();
    m_pitch = fm.lineSpacing(); // height and external leading

    m_nNumberHeight
        = static_cast<int>(std::ceil(QFontMetricsF(PageFont(), m_pDevice).height())); // 0.1 mm
    const PageRect body = LayOutPage(geometry, m_nNumberHeight).margins.body;
    const double tab = 4 * fm.averageCharWidth();
    m_layout = LayOutText(m_text, body.width(), tab, [this](char32_t c) { return advance(c); });
    m_nLinesPerPage = LinesPerPage(body.height(), m_pitch);
    m_nPages = PageCount(m_layout.lines.size(), m_nLinesPerPage);
}

double CReportPages::advance(char32_t c) const
{
    if (c < 0x10000) {
        double& known = m_bmpAdvance[c];
        if (known < 0)
            known = QFontMetricsF(m_bodyFont, m_pDevice).horizontalAdvance(QChar(char16_t(c)));
        return known;
    }
    const auto it = m_otherAdvance.find(c);
    if (it != m_otherAdvance.end())
        return it->second;
    const double width
        = QFontMetricsF(m_bodyFont, m_pDevice).horizontalAdvance(QString::fromUcs4(&c, 1));
    m_otherAdvance.emplace(c, width);
    return width;
}

QString CReportPages::lineText(std::size_t line) const
{
    QString text;
    if (line >= m_layout.lines.size())
        return text;
    const PrintLine& l = m_layout.lines[line];
    for (std::uint32_t r = 0; r < l.runCount; ++r) {
        const PrintRun& run = m_layout.runs[l.firstRun + r];
        text += m_source.text.mid(run.start, run.length);
    }
    return text;
}

void CReportPages::paintPage(QPainter& painter, int page) const
{
    // The margins are taken afresh for every page, as the printer may say
    // something else between pages.
    const PageFrame frame = LayOutPage(m_geometry, m_nNumberHeight);

    painter.save();
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);

    // Header and page number in 0.1 mm.
    painter.save();
    painter.scale(m_geometry.logPixelsX / 254.0, m_geometry.logPixelsY / 254.0);
    const QFont pageFont = PageFont();
    painter.setFont(pageFont);
    if (!m_source.header.isEmpty()) {
        const PageRect& h = frame.header;
        painter.drawText(QRectF(h.left, h.top, h.width(), h.height()),
            Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, m_source.header);
    }
    const int numberHeight = m_nNumberHeight;
    const PageRect& n = frame.number;
    const int lower = NumberLowerEdge(frame, numberHeight);
    painter.drawText(QRectF(n.left, lower - numberHeight, n.width(), numberHeight),
        Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip,
        QString::asprintf("- %d -", page));
    painter.restore();

    // The body in device pixels.
    const PageRect& body = frame.margins.body;
    painter.setFont(m_bodyFont);
    const std::size_t first = static_cast<std::size_t>(page - 1) * m_nLinesPerPage;
    const std::size_t last
        = std::min(m_layout.lines.size(), first + static_cast<std::size_t>(m_nLinesPerPage));
    for (std::size_t i = first; i < last; ++i) {
        const PrintLine& line = m_layout.lines[i];
        const double baseline = body.top + (i - first) * m_pitch + m_ascent;
        for (std::uint32_t r = 0; r < line.runCount; ++r) {
            const PrintRun& run = m_layout.runs[line.firstRun + r];
            painter.drawText(
                QPointF(body.left + run.x, baseline), m_source.text.mid(run.start, run.length));
        }
    }
    painter.restore();
}

QImage CReportPages::pageImage(int page) const
{
    const PrinterGeometry& g = m_geometry;
    QImage image(std::max(1, g.physicalWidth), std::max(1, g.physicalHeight), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(g.logPixelsX / kMetresPerInch));
    image.setDotsPerMeterY(qRound(g.logPixelsY / kMetresPerInch));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(g.physicalOffsetX, g.physicalOffsetY);
    paintPage(painter, page);
    return image;
}

bool PrintReportPages(QPrinter* printer, const CReportPages& pages, int from, int to)
{
    // A PDF printer without a file would stay stuck in its job.
    if (printer->outputFormat() == QPrinter::PdfFormat && printer->outputFileName().isEmpty())
        return false;
    QPainter painter;
    if (!painter.begin(printer))
        return false;

    const int first = from > 0 ? from : 1;
    const int last = std::min(to > 0 ? to : INT_MAX, pages.pageCount());
    const int copies = printer->supportsMultipleCopies() ? 1 : std::max(1, printer->copyCount());
    const bool collate = printer->collateCopies();
    const bool reverse = printer->pageOrder() == QPrinter::LastPageFirst;
    QList<int> order;
    for (int p = first; p <= last; ++p)
        order.append(p);
    if (reverse)
        std::reverse(order.begin(), order.end());

    bool started = false;
    auto print = [&](int page) {
        if (started)
            printer->newPage();
        started = true;
        pages.paintPage(painter, page);
    };
    if (collate) {
        for (int c = 0; c < copies; ++c)
            for (int page : order)
                print(page);
    } else {
        for (int page : order)
            for (int c = 0; c < copies; ++c)
                print(page);
    }
    painter.end();
    return true;
}
