#pragma once

// Where things go on a printed page, in plain numbers. Lengths are device
// pixels or tenths of a millimetre (0.1 mm) as each name says; y runs
// downward and the origin is the top-left corner of the printable area,
// which is where the printer's painter starts.

// What the printer says of its page, all in device pixels.
struct PrinterGeometry
{
    int logPixelsX = 600; // pixels per inch across
    int logPixelsY = 600; // pixels per inch down
    int physicalOffsetX = 0; // paper's left edge to the printable area
    int physicalOffsetY = 0; // paper's top edge to the printable area
    int physicalWidth = 0; // the whole paper
    int physicalHeight = 0;
    int printableWidth = 0; // the printable area
    int printableHeight = 0;
};

struct PageRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PageRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Distances from the paper's edges, 0.1 mm.
struct PageMargins
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The body margin the page routine asks for on every side: 25.0 mm.
inline constexpr int kBodyMargin = 250; // 0.1 mm

// The header's top edge lies this far below the paper's top edge, and the
// page number's lower edge this far above the printable area's lower one
// plus the printable area's own bottom margin: 20.0 mm each.
inline constexpr int kHeaderFromPaperTop = 200; // 0.1 mm
inline constexpr int kNumberFromBodyMargin = 200; // 0.1 mm

// Pixels to 0.1 mm and back; each adds 0.5 to the product and truncates
// (mirrored for negative values, so that a rectangle converts the same
// wherever it lies).
int PixelsToTenthMm(int pixels, int dpi);
int TenthMmToPixels(int tenthMm, int dpi);

struct PrintMargins
{
    PageMargins unprintable; // the paper's edges to the printable area, 0.1 mm
    PageRect body; // device pixels
};

// Narrows `body` (device pixels; the printable area as the framework hands
// it over) so that each edge stands at its margin from the paper's edge,
// or at the printable area's edge where the printer cannot print that far.
PrintMargins ApplyPrintMargins(
    const PrinterGeometry& printer, const PageRect& body, const PageMargins& margins);

// Everything the page routine places, for one page.
struct PageFrame
{
    PrintMargins margins; // body in device pixels
    PageRect body; // 0.1 mm
    PageRect header; // 0.1 mm; the path is centred and top-aligned in it
    PageRect number; // 0.1 mm; the number is right- and bottom-aligned in it
    int printableBottom = 0; // 0.1 mm; the printable area's lower edge
};

// The page of a printer with the 25.0 mm body margins. Where the printer
// cannot print within 25.0 mm of the paper's bottom edge, the body ends
// `numberHeight` (0.1 mm) above the printable area's lower edge, so that the
// page number below it is still printed.
PageFrame LayOutPage(const PrinterGeometry& printer, int numberHeight = 0);

// Where the page number's lower edge goes (0.1 mm) for a number `lineHeight`
// tall: the bottom of `frame.number`, but never so high that the number
// would reach into the body (the plain rule would put it there wherever the
// printable area's bottom margin is more than 20.0 mm less the number's
// height) and never below the printable area.
int NumberLowerEdge(const PageFrame& frame, int lineHeight);
