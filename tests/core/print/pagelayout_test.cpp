#include "print/pagelayout.h"

#include <gtest/gtest.h>

namespace {

// A4 (210 × 297 mm) at 600 dpi: 4960 × 7016 pixels, printable from 100
// pixels (4.23 mm) in on every side.
PrinterGeometry LaserA4()
{
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 600;
    g.physicalOffsetX = g.physicalOffsetY = 100;
    g.physicalWidth = 4960;
    g.physicalHeight = 7016;
    g.printableWidth = 4760;
    g.printableHeight = 6816;
    return g;
}

// A4 at 300 dpi (2480 × 3508) that cannot print the lowest 29.5 mm:
// offsets 50 and 60, printable 2380 × 3100.
PrinterGeometry DeepBottomA4()
{
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 300;
    g.physicalOffsetX = 50;
    g.physicalOffsetY = 60;
    g.physicalWidth = 2480;
    g.physicalHeight = 3508;
    g.printableWidth = 2380;
    g.printableHeight = 3100;
    return g;
}

TEST(PixelConversion, AddsAHalfAndTruncatesOnBothSidesOfZero)
{
    EXPECT_EQ(PixelsToTenthMm(100, 600), 42); // 42.33
    EXPECT_EQ(PixelsToTenthMm(-100, 600), -42);
    EXPECT_EQ(PixelsToTenthMm(3, 254), 3);
    EXPECT_EQ(PixelsToTenthMm(4960, 600), 2100); // 2099.73
    EXPECT_EQ(PixelsToTenthMm(1, 508), 1); // 0.5 goes up
    EXPECT_EQ(PixelsToTenthMm(-1, 508), -1);
    EXPECT_EQ(TenthMmToPixels(208, 600), 491); // 491.34
    EXPECT_EQ(TenthMmToPixels(2678, 600), 6326); // 6325.98
}

TEST(ApplyPrintMargins, LaserA4WithSmallOffsetsGetsTheFullMargins)
{
    // By hand: unprintable left/top 100 px = 42 (42.33); the printable area
    // is 4760 px = 2015 (2015.07) by 6816 px = 2885 (2885.44); the paper
    // 2100 by 2970, so right = 2100 − 42 − 2015 = 43, bottom = 2970 − 42 −
    // 2885 = 43. Body: 250 − 42 = 208 from the left and top, 2015 + 43 − 250
    // = 1808 and 2885 − (250 − 43) = 2678; in pixels 491, 491, 4271, 6326.
    const PrinterGeometry g = LaserA4();
    const PrintMargins m = ApplyPrintMargins(g, { 0, 0, 4760, 6816 }, { 250, 250, 250, 250 });
    EXPECT_EQ(m.unprintable.left, 42);
    EXPECT_EQ(m.unprintable.top, 42);
    EXPECT_EQ(m.unprintable.right, 43);
    EXPECT_EQ(m.unprintable.bottom, 43);
    EXPECT_EQ(m.body, (PageRect { 491, 491, 4271, 6326 }));
    // Paper edge to body edge: 25.0 mm (590.6 px) to the 0.1 mm the
    // arithmetic works in (2.4 px).
    EXPECT_NEAR(g.physicalOffsetX + m.body.left, 590.6, 2.4);
    EXPECT_NEAR(g.physicalWidth - g.physicalOffsetX - m.body.right, 590.6, 2.4);
}

TEST(ApplyPrintMargins, ABottomTooDeepToPrintKeepsThePrintableEdge)
{
    // Unprintable: left 50 px = 42, top 60 px = 51 (50.8); printable 2380 px
    // = 2015 by 3100 px = 2625 (2624.67); paper 2100 by 2970: right 43,
    // bottom 2970 − 51 − 2625 = 294 (29.4 mm, more than 25.0 mm).
    const PrintMargins m
        = ApplyPrintMargins(DeepBottomA4(), { 0, 0, 2380, 3100 }, { 250, 250, 250, 250 });
    EXPECT_EQ(m.unprintable.left, 42);
    EXPECT_EQ(m.unprintable.top, 51);
    EXPECT_EQ(m.unprintable.right, 43);
    EXPECT_EQ(m.unprintable.bottom, 294);
    // Left 208 → 246 px, top 199 → 235 px (235.04), right 1808 → 2135 px;
    // the bottom stays at the printable area's edge.
    EXPECT_EQ(m.body, (PageRect { 246, 235, 2135, 3100 }));
}

TEST(ApplyPrintMargins, AWideUnprintableSideKeepsItsEdgeOnEverySide)
{
    // 254 dpi: a pixel is 0.1 mm. 30 mm cannot be printed at the left and top,
    // 26 mm at the right and bottom.
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 254;
    g.physicalOffsetX = g.physicalOffsetY = 300;
    g.physicalWidth = 2100;
    g.physicalHeight = 2970;
    g.printableWidth = 2100 - 300 - 260;
    g.printableHeight = 2970 - 300 - 260;
    const PrintMargins m = ApplyPrintMargins(
        g, { 0, 0, g.printableWidth, g.printableHeight }, { 250, 250, 250, 250 });
    EXPECT_EQ(m.unprintable.right, 260);
    EXPECT_EQ(m.unprintable.bottom, 260);
    EXPECT_EQ(m.body, (PageRect { 0, 0, g.printableWidth, g.printableHeight }));
    // Margins wider than the unprintable ones still win.
    const PrintMargins wide = ApplyPrintMargins(
        g, { 0, 0, g.printableWidth, g.printableHeight }, { 400, 350, 300, 270 });
    EXPECT_EQ(wide.body, (PageRect { 100, 50, g.printableWidth - 40, g.printableHeight - 10 }));
}

TEST(LayOutPage, HeaderStartsTwentyMillimetresBelowThePaperTop)
{
    const PageFrame f = LayOutPage(LaserA4());
    EXPECT_EQ(f.body, (PageRect { 208, 208, 1808, 2678 }));
    // 20.0 mm below the paper's top edge, which is 4.2 mm above the origin.
    EXPECT_EQ(f.header, (PageRect { 208, 200 - 42, 1808, 208 }));
    EXPECT_EQ(f.margins.unprintable.top + f.header.top, 200);
}

TEST(LayOutPage, NumberStandsFiveMillimetresAboveThePrintableBottom)
{
    const PrinterGeometry g = LaserA4();
    const PageFrame f = LayOutPage(g);
    // Below the body, across its width; its lower edge 2678 + 200 − 43 = 2835,
    // 5.0 mm above the printable area's lower edge (2885).
    EXPECT_EQ(f.number, (PageRect { 208, 2678, 1808, 2835 }));
    EXPECT_EQ(PixelsToTenthMm(g.printableHeight, 600) - f.number.bottom, 50);
    EXPECT_EQ(NumberLowerEdge(f, 40), 2835);
}

TEST(LayOutPage, NumberNeverReachesIntoTheBody)
{
    // 254 dpi, 18.0 mm unprintable at the bottom: the plain rule leaves 2.0 mm
    // below the body for a number 4.0 mm tall.
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 254;
    g.physicalOffsetX = g.physicalOffsetY = 40;
    g.physicalWidth = 2100;
    g.physicalHeight = 2970;
    g.printableWidth = 2100 - 80;
    g.printableHeight = 2970 - 40 - 180;
    const PageFrame f = LayOutPage(g);
    EXPECT_EQ(f.number.bottom - f.number.top, 20);
    EXPECT_EQ(NumberLowerEdge(f, 40), f.body.bottom + 40);
    EXPECT_EQ(NumberLowerEdge(f, 15), f.number.bottom);
}

TEST(LayOutPage, NumberStaysInsideThePrintableAreaUnderWideUnprintableMargins)
{
    // A4 at 254 dpi (one pixel is 0.1 mm) with 30.0 mm unprintable on every
    // side: the printable area ends 267.0 mm below the paper's top edge.
    PrinterGeometry g;
    g.logPixelsX = g.logPixelsY = 254;
    g.physicalOffsetX = g.physicalOffsetY = 300;
    g.physicalWidth = 2100;
    g.physicalHeight = 2970;
    g.printableWidth = 2100 - 600;
    g.printableHeight = 2970 - 600;
    for (int height : { 33, 40 }) {
        SCOPED_TRACE(height);
        const PageFrame f = LayOutPage(g, height);
        const int lower = NumberLowerEdge(f, height);
        EXPECT_EQ(lower, 2370); // 267.0 mm on paper, not below it
        EXPECT_EQ(f.body.bottom, 2370 - height); // the body gives up the room
        EXPECT_EQ(f.margins.body.bottom, 2370 - height);
        EXPECT_LE(f.body.bottom, lower - height); // and the number does not overlap it
    }
    // Without the number's height the body keeps the whole printable area.
    EXPECT_EQ(LayOutPage(g).body.bottom, 2370);
    // Where there is room below the body, nothing moves.
    EXPECT_EQ(LayOutPage(LaserA4(), 40).body, LayOutPage(LaserA4()).body);
}

} // namespace
