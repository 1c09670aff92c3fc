#include "res/toolbaricons.h"

#include "res/commandids.h"

#include <QImage>
#include <QPixmap>

#include <cstring>

namespace {

// One character a pixel: '.' transparent, k black, d dark grey, g grey,
// w white, y yellow, n brown, b blue, r red, G green.
QRgb Colour(char c)
{
    switch (c) {
    case 'k': return qRgb(0, 0, 0);
    case 'd': return qRgb(96, 96, 96);
    case 'g': return qRgb(176, 176, 176);
    case 'w': return qRgb(255, 255, 255);
    case 'y': return qRgb(240, 200, 40);
    case 'n': return qRgb(150, 100, 40);
    case 'b': return qRgb(20, 60, 200);
    case 'r': return qRgb(210, 20, 20);
    case 'G': return qRgb(0, 160, 0);
    default: return qRgba(0, 0, 0, 0);
    }
}

const char* const kNew[] = {
    "................", "...kkkkkkk......", "...kwwwwwkk.....", "...kwwwwwkwk....",
    "...kwwwwwkkkk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
    "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...", "...kwwwwwwwwk...",
    "...kwwwwwwwwk...", "...kkkkkkkkkk...", "................",
};
const char* const kOpen[] = {
    "................", "..........kkk...", ".........k...k.k", "..............kk",
    ".kkk.........kkk", "kyyykkkkkkk.....", "kywywywywyk.....", "kwywykkkkkkkkk..",
    "kywykyyyyyyyyk..", "kwykyyyyyyyyk...", "kykyyyyyyyyk....", "kkyyyyyyyyk.....",
    "kkkkkkkkkkk.....", "................", "................",
};
const char* const kSave[] = {
    "................", ".kkkkkkkkkkkkk..", ".kbkwwwwwwwkbk..", ".kbkwwwwwwwkkk..",
    ".kbkwwwwwwwkbk..", ".kbkwwwwwwwkbk..", ".kbbkkkkkkkbbk..", ".kbbbbbbbbbbbk..",
    ".kbbkkkkkkkbbk..", ".kbbkggkwwkbbk..", ".kbbkggkwwkbbk..", ".kbbkggkwwkbbk..",
    "..kkkkkkkkkkkk..", "................", "................",
};
const char* const kCut[] = {
    "................", "....k.....k.....", "....k.....k.....", "....k.....k.....",
    "....kk...kk.....", ".....k...k......", ".....kk.kk......", "......kkk.......",
    ".......k........", "......bkb.......", "...bbbb.bbbb....", "..b..bb.bb..b...",
    "..b...b.b...b...", "..b..b...b..b...", "...bb.....bb....",
};
const char* const kCopy[] = {
    "................", "kkkkkk..........", "kwwwwkk.........", "kwkkwkwk........",
    "kwwwwkkkkkkk....", "kwkkkwkwwwwkk...", "kwwwwwkwkkwkwk..", "kwkkkwkwwwwkkkk.",
    "kwwwwwkwkkkkwwk.", "kkkkkkkwwwwwwwk.", "......kwkkkkkwk.", "......kwwwwwwwk.",
    "......kwkkkkkwk.", "......kwwwwwwwk.", "......kkkkkkkkk.",
};
const char* const kPaste[] = {
    "................", "....kkkk........", ".kkkkyykkkk.....", "knnkykkyknnk....",
    "knkkkkkkkknk....", "knnnnnnnnnnk....", "knnnnkkkkkkkk...", "knnnnkwwwwwkwk..",
    "knnnnkwkkkwkkkk.", "knnnnkwwwwwwwwk.", "knnnnkwkkkkkkwk.", "knnnnkwwwwwwwwk.",
    ".kkkkkwkkkkkkwk.", "......kwwwwwwwk.", "......kkkkkkkkk.",
};
const char* const kPrint[] = {
    "................", "....kkkkkkkk....", "....kwwwwwwk....", "....kwkkkkwk....",
    "....kwwwwwwk....", "..kkkkkkkkkkkk..", ".kggggggggggggk.", ".kwwwwwwwwwwwwk.",
    ".kgggggggggGGgk.", ".kggggggggggggk.", ".kkkkkkkkkkkkkk.", "..kwwwwwwwwwwk..",
    "..kwkkkkkkkkwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..",
};
// A block of concrete with its coarse aggregate, numbered by method.
const char* const kMix1[] = {
    "................", ".dddddddddddd...", ".dggggggggggd...", ".dgkggggkgggd...",
    ".dggggkgggggd...", ".dgggggggkggd...", ".dgkgggggggkd...", ".dgggkggkgggd...",
    ".dgggggg...rr...", ".dgkgggg..r.r...", ".dggggkg....r...", ".dddddddd...r...",
    "............r...", "..........rrrrr.", "................",
};
const char* const kMix2[] = {
    "................", ".dddddddddddd...", ".dggggggggggd...", ".dgkggggkgggd...",
    ".dggggkgggggd...", ".dgggggggkggd...", ".dgkgggggggkd...", ".dgggkggkgggd...",
    ".dgggggg..rrr...", ".dgkgggg.r...r..", ".dggggkg.....r..", ".dddddddd...r...",
    "...........r....", ".........rrrrr..", "................",
};
// A slump cone of fresh concrete on its base plate: the everyday mix.
const char* const kOrdinary[] = {
    "................", ".....dddddd.....", ".....dgkggd.....", "....dggggkgd....",
    "..bbdgkggggdbb..", "...dgggkggggd...", "...dgkggggggd...", "..dggggkgggkgd..",
    "..dgkggggggggd..", ".dggggkgggkgggd.", ".dgkggggggggkgd.", ".dddddddddddddd.",
    "bbbbbbbbbbbbbbbb", "................", "................",
};
// A balance weighing the trial batch.
const char* const kAdjust[] = {
    "................", ".......kk.......", ".......kk.......", ".kkkkkkkkkkkkkk.",
    ".b.....kk.....b.", ".b.....kk.....b.", "b.b....kk....b.b", "b.b....kk....b.b",
    "bbb....kk....bbb", ".......kk.......", ".......kk.......", ".....gggggg.....",
    "....gggggggg....", "...kkkkkkkkkk...", "................",
};
// A bell curve over its axis, one standard deviation marked either side.
const char* const kStdDev[] = {
    "................", "................", ".......bb.......", "......b..b......",
    ".....b....b.....", ".....b....b.....", "....b......b....", "....b......b....",
    "...b........b...", "..b..........b..", ".b............b.", "kkkkkkkkkkkkkkkk",
    "....r......r....", "....r......r....", "................",
};
// Cube results as bars over a red bound line, with a tick: the batch passes.
const char* const kEvaluate[] = {
    "................", "...........G....", "..........G.....", ".........G......",
    "...bb..G.G......", "...bb...G.......", "...bb..bb.......", "rrrrrrrrrrrrrrrr",
    "...bb..bb..bb...", "...bb..bb..bb...", "...bb..bb..bb...", "...bb..bb..bb...",
    "...bb..bb..bb...", "kkkkkkkkkkkkkkkk", "................",
};
const char* const kFont[] = {
    "................", "......kk........", "......kk........", ".....kkkk.......",
    ".....k..k.......", "....kk..kk......", "....k....k......", "...kkkkkkkk.....",
    "...k......k.....", "..kk......kk....", "..k........k.bb.", ".kkk......kkkb.b",
    "............b.bb", ".............b.b", "................",
};
const char* const kHelp[] = {
    "................", ".....bbbbbb.....", "....bb....bb....", "....bb....bb....",
    "..........bb....", ".........bb.....", "........bb......", ".......bb.......",
    ".......bb.......", ".......bb.......", "................", ".......bb.......",
    ".......bb.......", "................", "................",
};

// Three sacks on a shelf: the materials library.
const char* const kMaterials[] = {
    "................", "................", "..nnn...........", ".nwwwn..........",
    ".nwwwn...nnn....", ".nwwwn..nwwwn...", ".nwwwn..nwwwn...", ".nnnnn..nwwwn...",
    "........nwwwn.nn", "..nnn...nnnnnnwn", ".nwwwn.......nwn", ".nwwwn.......nwn",
    "kkkkkkkkkkkkkkkk", "k..............k", "................",
};
// A bound book with ruled lines: the ledger.
const char* const kLedger[] = {
    "................", "..kkkkkkkkkkk...", "..kbkwwwwwwwwk..", "..kbkwddddddwk..",
    "..kbkwwwwwwwwk..", "..kbkwddddddwk..", "..kbkwwwwwwwwk..", "..kbkwddddddwk..",
    "..kbkwwwwwwwwk..", "..kbkwddddddwk..", "..kbkwwwwwwwwk..", "..kbkwwwwwwwwk..",
    "..kkkkkkkkkkkk..", "................", "................",
};

} // namespace

const char* const* ToolbarIconRows(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW: return kNew;
    case ID_FILE_OPEN: return kOpen;
    case ID_FILE_SAVE: return kSave;
    case ID_EDIT_CUT: return kCut;
    case ID_EDIT_COPY: return kCopy;
    case ID_EDIT_PASTE: return kPaste;
    case ID_FILE_PRINT: return kPrint;
    case ID_CALC_MIX: return kMix1;
    case ID_CALC_MIX2: return kMix2;
    case ID_CALC_ORDINARY: return kOrdinary;
    case ID_CALC_ADJUST: return kAdjust;
    case ID_CALC_STDDEV: return kStdDev;
    case ID_CALC_EVALUATE: return kEvaluate;
    case ID_TOOLS_MATERIALS: return kMaterials;
    case ID_TOOLS_LEDGER: return kLedger;
    case ID_SET_FONT: return kFont;
    case ID_HELP_PAGE: return kHelp;
    default: return nullptr;
    }
}

QIcon ToolbarIcon(int commandId)
{
    const char* const* rows = ToolbarIconRows(commandId);
    if (!rows)
        return {};
    QImage image(kToolbarIconWidth, kToolbarIconHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kToolbarIconHeight; ++y) {
        const size_t len = std::strlen(rows[y]);
        for (int x = 0; x < kToolbarIconWidth; ++x)
            image.setPixel(x, y, Colour(static_cast<size_t>(x) < len ? rows[y][x] : '.'));
    }
    // High-density screens get each pixel doubled, which keeps the drawing crisp.
    QIcon icon(QPixmap::fromImage(image));
    icon.addPixmap(QPixmap::fromImage(image.scaled(2 * kToolbarIconWidth, 2 * kToolbarIconHeight,
        Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}
