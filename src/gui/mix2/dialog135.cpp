#include "mix2/dialog135.h"

namespace {

using namespace ControlStyle;

constexpr unsigned kInput = TabStop | Centre;
constexpr unsigned kResult = ReadOnly | Centre;
constexpr unsigned kCaption = Right;

// Three label-and-box pairs a row in the upper two groups.
constexpr int kLabelX[] = { 14, 158, 302 };
constexpr int kBoxX[] = { 114, 258, 402 };
constexpr int kLabelW = 98;
constexpr int kBoxW = 36;

// The two powder groups, side by side.
constexpr int kPowderX[] = { 7, 227 };

// The result table: six columns.
constexpr int kColumnX[] = { 64, 126, 188, 250, 312, 374 };
constexpr int kColumnW = 58;

ControlSpec Caption(int id, const char* text, int x, int y, int w, int buddy)
{
    return { id, ControlKind::Label, text, x, y + 2, w, 10, kCaption, buddy };
}

ControlSpec Box(int id, int x, int y, unsigned style = kInput)
{
    return { id, ControlKind::Edit, "", x, y, kBoxW, 12, style };
}

// A captioned box or list in column `col` of the upper groups.
void Pair(std::vector<ControlSpec>& c, int col, int y, const char* text, int id,
    ControlKind kind = ControlKind::Edit, int listHeight = 0)
{
    c.push_back(Caption(-1, text, kLabelX[col], y, kLabelW, id));
    if (kind == ControlKind::DropList)
        c.push_back({ id, kind, "", kBoxX[col], y, kBoxW, listHeight, TabStop });
    else
        c.push_back(Box(id, kBoxX[col], y));
}

struct PowderIds
{
    const char* title;
    int kindList, densityBox, replaceBox, excessBox;
    int activeLabel1, activeLabel2, inertLabel, inertBox;
    const char* densityText;
    const char* replaceText;
    const char* excessText;
    const char* inertText;
};

// Replacement and inert volume share a row: a powder shows one or the other.
void Powder(std::vector<ControlSpec>& c, int gx, const PowderIds& p)
{
    const int lx = gx + 7, lw = 120, bx = gx + 131;
    c.push_back({ -1, ControlKind::GroupBox, p.title, gx, 112, 216, 80 });
    c.push_back(Caption(-1, "种类", lx, 125, lw, p.kindList));
    c.push_back({ p.kindList, ControlKind::DropList, "", bx, 125, 56, 64, TabStop });
    c.push_back(Caption(-1, p.densityText, lx, 140, lw, p.densityBox));
    c.push_back({ p.densityBox, ControlKind::Edit, "", bx, 140, 40, 12, kInput });
    c.push_back(Caption(p.activeLabel1, p.replaceText, lx, 155, lw, p.replaceBox));
    c.push_back({ p.replaceBox, ControlKind::Edit, "", bx, 155, 40, 12, kInput });
    c.push_back({ p.inertLabel, ControlKind::Label, p.inertText, lx, 157, lw, 10, kCaption | Hidden,
        p.inertBox });
    c.push_back({ p.inertBox, ControlKind::Edit, "", bx, 155, 40, 12, kInput | Hidden });
    c.push_back(Caption(p.activeLabel2, p.excessText, lx, 170, lw, p.excessBox));
    c.push_back({ p.excessBox, ControlKind::Edit, "", bx, 170, 40, 12, kInput });
}

DialogSpec Build()
{
    DialogSpec d;
    d.id = IDD_MIX2;
    d.caption = "计算自密实混凝土配合比（方法二）";
    d.fontFace = "宋体";
    d.pointSize = 12;
    d.width = 450;
    d.height = 276;
    auto& c = d.controls;

    c.push_back({ -1, ControlKind::GroupBox, "设计要求", 7, 6, 436, 34 });
    Pair(c, 0, 19, "自密实性能等级", IDC_SF_GRADE, ControlKind::DropList, 40);
    Pair(c, 1, 19, "混凝土强度等级", IDC_STRENGTH_GRADE, ControlKind::DropList, 140);
    Pair(c, 2, 19, "强度标准差σ(MPa)", IDC_STD_DEV);

    c.push_back({ -1, ControlKind::GroupBox, "原材料参数", 7, 44, 436, 64 });
    Pair(c, 0, 57, "水泥强度等级(MPa)", IDC_CEMENT_GRADE, ControlKind::DropList, 64);
    Pair(c, 1, 57, "水泥强度富裕系数γc", IDC_CEMENT_SURPLUS);
    Pair(c, 2, 57, "水泥表观密度ρc(g/cm3)", IDC_CEMENT_DENSITY);
    Pair(c, 0, 72, "粗骨料种类", IDC_AGGREGATE_KIND, ControlKind::DropList, 32);
    Pair(c, 1, 72, "粗骨料表观密度ρg(g/cm3)", IDC_COARSE_DENSITY);
    Pair(c, 2, 72, "粗骨料绝对体积(m3)", IDC_COARSE_VOLUME);
    Pair(c, 0, 87, "用水量Mw(kg)", IDC_WATER);
    Pair(c, 1, 87, "细骨料表观密度ρs(g/cm3)", IDC_SAND_DENSITY);
    Pair(c, 2, 87, "含气量A(%)", IDC_AIR_CONTENT);

    Powder(c, kPowderX[0],
        { "粉体一", IDC_POWDER1_KIND, IDC_POWDER1_DENSITY, IDC_POWDER1_REPLACE,
            IDC_POWDER1_EXCESS, IDC_POWDER1_ACTIVE_LABEL1, IDC_POWDER1_ACTIVE_LABEL2,
            IDC_POWDER1_INERT_LABEL, IDC_POWDER1_INERT_VOL, "表观密度ρf1(g/cm3)",
            "取代水泥系数r1(%)", "超量系数k1", "惰性料体积Vf1(L)" });
    Powder(c, kPowderX[1],
        { "粉体二", IDC_POWDER2_KIND, IDC_POWDER2_DENSITY, IDC_POWDER2_REPLACE,
            IDC_POWDER2_EXCESS, IDC_POWDER2_ACTIVE_LABEL1, IDC_POWDER2_ACTIVE_LABEL2,
            IDC_POWDER2_INERT_LABEL, IDC_POWDER2_INERT_VOL, "表观密度ρf2(g/cm3)",
            "取代水泥系数r2(%)", "超量系数k2", "惰性料体积Vf2(L)" });

    // Results: a volume and a mass per material. The powder columns are
    // headed by the powders' names.
    c.push_back({ -1, ControlKind::GroupBox, "配合比（每立方米混凝土材料用量）", 7, 196, 436, 52 });
    const struct
    {
        int heading;
        const char* text;
        int volume, mass;
    } columns[] = {
        { -1, "水泥", IDC_CEMENT_VOL, IDC_CEMENT_MASS },
        { IDC_POWDER1_NAME, "粉煤灰", IDC_POWDER1_VOL, IDC_POWDER1_MASS },
        { IDC_POWDER2_NAME, "矿渣粉", IDC_POWDER2_VOL, IDC_POWDER2_MASS },
        { -1, "细骨料", IDC_SAND_VOL, IDC_SAND_MASS },
        { -1, "粗骨料", IDC_COARSE_VOL, IDC_COARSE_MASS },
        { -1, "水", IDC_WATER_VOL, IDC_WATER_MASS },
    };
    c.push_back(Caption(-1, "体积(L)", 12, 219, 48, columns[0].volume));
    c.push_back(Caption(-1, "质量(kg)", 12, 233, 48, columns[0].mass));
    for (int i = 0; i < 6; ++i) {
        c.push_back({ columns[i].heading, ControlKind::Label, columns[i].text, kColumnX[i], 208,
            kColumnW, 10, Centre });
        c.push_back(
            { columns[i].volume, ControlKind::Edit, "", kColumnX[i], 219, kColumnW, 12, kResult });
    }
    for (int i = 0; i < 6; ++i)
        c.push_back(
            { columns[i].mass, ControlKind::Edit, "", kColumnX[i], 233, kColumnW, 12, kResult });

    // Fills the boxes a material determines from batches of the library.
    c.push_back({ IDC_MATERIALS, ControlKind::PushButton, "材料(&M)…", 197, 254, 56, 14, TabStop });
    c.push_back({ IDC_CALC, ControlKind::PushButton, "计算(&E)", 130, 254, 56, 14, TabStop });
    c.push_back({ IDCANCEL, ControlKind::PushButton, "返回(&C)", 264, 254, 56, 14, TabStop });
    // Opens the trial-batch form with the last design; enabled once calculated.
    c.push_back({ IDC_ADJUST, ControlKind::PushButton, "调整(&T)…", 387, 254, 56, 14, TabStop });
    c.push_back({ IDC_RESTORE_DEFAULTS, ControlKind::PushButton, "恢复默认(&R)", 7, 254, 56, 14,
        TabStop });
    return d;
}

} // namespace

const DialogSpec& Dialog135()
{
    static const DialogSpec table = Build();
    return table;
}
