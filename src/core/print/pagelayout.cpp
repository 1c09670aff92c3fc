#include "print/pagelayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// value × factor, rounded by adding 0.5 and truncating, mirrored below zero.
int Scale(int value, double factor)
{
    const double product = value * factor;
    return product < 0 ? -static_cast<std::int32_t>(-product + 0.5)
                       : static_cast<std::int32_t>(product + 0.5);
}

double TenthMmPerPixel(int dpi)
{
    return 254.0 / (dpi > 0 ? dpi : 1);
}

} // namespace

int PixelsToTenthMm(int pixels, int dpi)
{
    return Scale(pixels, TenthMmPerPixel(dpi));
}

int TenthMmToPixels(int tenthMm, int dpi)
{
    return Scale(tenthMm, 1.0 / TenthMmPerPixel(dpi));
}

PrintMargins ApplyPrintMargins(
    const PrinterGeometry& printer, const PageRect& body, const PageMargins& margins)
{
    const int dpiX = printer.logPixelsX;
    const int dpiY = printer.logPixelsY;
    PrintMargins out;
    PageMargins& u = out.unprintable;
    u.left = PixelsToTenthMm(printer.physicalOffsetX, dpiX);
    u.top = PixelsToTenthMm(printer.physicalOffsetY, dpiY);

    PageRect r { PixelsToTenthMm(body.left, dpiX), PixelsToTenthMm(body.top, dpiY),
        PixelsToTenthMm(body.right, dpiX), PixelsToTenthMm(body.bottom, dpiY) };
    const int width = std::abs(r.width());
    const int height = std::abs(r.height());
    u.right = PixelsToTenthMm(printer.physicalWidth, dpiX) - u.left - width;
    u.bottom = PixelsToTenthMm(printer.physicalHeight, dpiY) - u.top - height;

    // The left and top edges are set from the printable area's corner, the
    // right and bottom ones moved in from where they were.
    r.left = std::max(margins.left, u.left) - u.left;
    r.top = std::max(margins.top, u.top) - u.top;
    r.right = r.right + u.right - std::max(margins.right, u.right);
    r.bottom = r.bottom - (std::max(margins.bottom, u.bottom) - u.bottom);

    out.body = { TenthMmToPixels(r.left, dpiX), TenthMmToPixels(r.top, dpiY),
        TenthMmToPixels(r.right, dpiX), TenthMmToPixels(r.bottom, dpiY) };
    return out;
}

PageFrame LayOutPage(const PrinterGeometry& printer, int numberHeight)
{
    PageFrame frame;
    const PageRect printable { 0, 0, printer.printableWidth, printer.printableHeight };
    frame.margins = ApplyPrintMargins(
        printer, printable, { kBodyMargin, kBodyMargin, kBodyMargin, kBodyMargin });
    frame.printableBottom = PixelsToTenthMm(printer.printableHeight, printer.logPixelsY);

    // Room for the page number inside the printable area.
    PageRect& px = frame.margins.body;
    const int lowest = TenthMmToPixels(frame.printableBottom - numberHeight, printer.logPixelsY);
    if (numberHeight > 0 && px.bottom > lowest)
        px.bottom = std::max(px.top, lowest);

    frame.body = { PixelsToTenthMm(px.left, printer.logPixelsX),
        PixelsToTenthMm(px.top, printer.logPixelsY), PixelsToTenthMm(px.right, printer.logPixelsX),
        PixelsToTenthMm(px.bottom, printer.logPixelsY) };

    const PageMargins& u = frame.margins.unprintable;
    frame.header
        = { frame.body.left, kHeaderFromPaperTop - u.top, frame.body.right, frame.body.top };
    frame.number = { frame.body.left, frame.body.bottom, frame.body.right,
        frame.body.bottom + kNumberFromBodyMargin - u.bottom };
    return frame;
}

int NumberLowerEdge(const PageFrame& frame, int lineHeight)
{
    const int lower = std::max(frame.number.bottom, frame.body.bottom + lineHeight);
    return frame.printableBottom > 0 ? std::min(lower, frame.printableBottom) : lower;
}
