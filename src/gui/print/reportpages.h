#pragma once

#include "print/pagelayout.h"
#include "print/printlines.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <string>
#include <unordered_map>
#include <vector>

class QPainter;
class QPaintDevice;
class QPrinter;

// What a print job or a preview prints.
struct PrintSource
{
    QString text; // the view's text, '\n' between lines
    QString header; // the document's full path; empty for a report never saved
    QFont bodyFont; // device-independent: a point size, not pixels
};

// The header and page-number face, and their character height: 3.2 mm.
inline const char* const kPageFontFace = "楷体_GB2312";
inline constexpr int kPageFontHeight = 32; // 0.1 mm

// The body font on paper: the font chosen for the view at its size on the
// screen (`screenDpiY`), or the printer's default font when none was chosen.
QFont PaperBodyFont(const QFont& displayFont, bool chosen, int screenDpiY);

// The page of a printer, in its device pixels.
PrinterGeometry PrinterGeometryOf(const QPrinter& printer);

// The report laid out on the pages of one printer, and the page routine
// that prints and previews them.
class CReportPages
{
public:
    // Measures with `device`, the printer itself for a print job or a
    // preview; null measures for an image at the geometry's resolution.
    CReportPages(
        const PrintSource& source, const PrinterGeometry& geometry, QPaintDevice* device = nullptr);

    int pageCount() const { return m_nPages; }
    int linesPerPage() const { return m_nLinesPerPage; }
    std::size_t lineCount() const { return m_layout.lines.size(); }
    // A printed line's text without its tabs and unprintable characters.
    QString lineText(std::size_t line) const;
    const PrinterGeometry& geometry() const { return m_geometry; }
    const QFont& bodyFont() const { return m_bodyFont; }
    static QFont PageFont();

    // Prints page `page` (from 1) with `painter`, whose origin is the
    // printable area's top-left corner and whose unit the device pixel.
    void paintPage(QPainter& painter, int page) const;

    // Page `page` as it stands on the paper: the whole sheet, white, at the
    // geometry's resolution. For pages measured for an image.
    QImage pageImage(int page) const;

private:
    double advance(char32_t c) const;

    PrintSource m_source;
    std::u16string m_text;
    PrinterGeometry m_geometry;
    QImage m_measure; // the device when none was given
    QPaintDevice* m_pDevice;
    QFont m_bodyFont;
    double m_ascent = 0;
    double m_pitch = 1;
    PrintLayout m_layout;
    int m_nLinesPerPage = 1;
    int m_nNumberHeight = 0; // the page number's line, 0.1 mm
    int m_nPages = 1;
    mutable std::vector<double> m_bmpAdvance; // -1 until measured
    mutable std::unordered_map<char32_t, double> m_otherAdvance;
};

// Prints pages `from` to `to` (0: from the first, to the last) to `printer`,
// in the printer's page order and with the copies it cannot make itself.
// False when the job could not start.
bool PrintReportPages(QPrinter* printer, const CReportPages& pages, int from = 0, int to = 0);
