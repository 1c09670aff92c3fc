#include "adjust/dialog160.h"

namespace {

using K = ControlKind;
namespace S = ControlStyle;

constexpr unsigned kInput = S::TabStop | S::Centre;
constexpr unsigned kResult = S::ReadOnly | S::Centre; // no tab stop

// The material table: a name column, then four of 46 units.
constexpr int kColumnX[] = { 66, 114, 162, 210 };
constexpr int kColumnW = 46;
constexpr int kRowY = 30, kRowStep = 14;

// The parameter and result boxes on the right.
constexpr int kSideLabelX = 274, kSideLabelW = 96, kSideBoxX = 372, kSideBoxW = 42;

ControlSpec SideLabel(const char* text, int y, int buddy)
{
    return { -1, K::Label, text, kSideLabelX, y + 2, kSideLabelW, 10, S::Right, buddy };
}

DialogSpec Build()
{
    DialogSpec d;
    d.id = IDD_ADJUST;
    d.caption = "试配与施工配合比";
    d.fontFace = "宋体";
    d.pointSize = 12;
    d.width = 426;
    d.height = 198;
    auto& c = d.controls;

    c.push_back({ -1, K::GroupBox, "材料用量", 7, 6, 256, 132 });
    const char* headings[] = { "设计kg/m3", "试验室kg/m3", "施工kg/m3", "每盘kg" };
    for (int col = 0; col < 4; ++col)
        c.push_back({ -1, K::Label, headings[col], kColumnX[col], 18, kColumnW, 10, S::Centre });
    const char* names[] = { "水泥", "粉煤灰", "矿渣粉", "细骨料", "粗骨料", "水", "外加剂" };
    const int nameIds[] = { -1, IDC_ADJ_POWDER1_NAME, IDC_ADJ_POWDER2_NAME, -1, -1, -1, -1 };
    // The design boxes are the tab stops, in row order; the results follow
    // each row but take no focus.
    for (int m = 0; m < 7; ++m) {
        const int y = kRowY + m * kRowStep;
        c.push_back(
            { nameIds[m], K::Label, names[m], 11, y + 2, 52, 10, S::Right, IDC_ADJ_DESIGN + m });
        c.push_back({ IDC_ADJ_DESIGN + m, K::Edit, "", kColumnX[0], y, kColumnW, 12, kInput });
        c.push_back({ IDC_ADJ_LAB + m, K::Edit, "", kColumnX[1], y, kColumnW, 12, kResult });
        c.push_back({ IDC_ADJ_SITE + m, K::Edit, "", kColumnX[2], y, kColumnW, 12, kResult });
        c.push_back({ IDC_ADJ_BATCH + m, K::Edit, "", kColumnX[3], y, kColumnW, 12, kResult });
    }

    c.push_back({ -1, K::GroupBox, "试配参数", 270, 6, 149, 66 });
    const struct
    {
        const char* text;
        int id;
    } inputs[] = {
        { "实测表观密度kg/m3", IDC_ADJ_MEASURED_DENSITY },
        { "细骨料含水率ws(%)", IDC_ADJ_SAND_MOISTURE },
        { "粗骨料含水率wg(%)", IDC_ADJ_COARSE_MOISTURE },
        { "每盘方量V(L)", IDC_ADJ_VOLUME },
    };
    for (int i = 0; i < 4; ++i) {
        const int y = 17 + 13 * i;
        c.push_back(SideLabel(inputs[i].text, y, inputs[i].id));
        c.push_back({ inputs[i].id, K::Edit, "", kSideBoxX, y, kSideBoxW, 12, kInput });
    }

    c.push_back({ -1, K::GroupBox, "表观密度校正", 270, 76, 149, 62 });
    const struct
    {
        const char* text;
        int id;
    } corrections[] = {
        { "计算表观密度kg/m3", IDC_ADJ_COMPUTED_DENSITY },
        { "偏差(%)", IDC_ADJ_DEVIATION },
        { "校正系数δ", IDC_ADJ_DELTA },
    };
    for (int i = 0; i < 3; ++i) {
        const int y = 89 + 15 * i;
        c.push_back(SideLabel(corrections[i].text, y, corrections[i].id));
        c.push_back({ corrections[i].id, K::Edit, "", kSideBoxX, y, kSideBoxW, 12, kResult });
    }

    c.push_back({ -1, K::GroupBox, "试验室配合比", 7, 142, 412, 30 });
    c.push_back({ -1, K::Label, "胶凝材料：细骨料：粗骨料：水", 11, 157, 112, 10, S::Right,
        IDC_ADJ_RATIO });
    c.push_back({ IDC_ADJ_RATIO, K::Edit, "", 126, 155, 110, 12, kResult });
    c.push_back(SideLabel("水胶比W/B", 155, IDC_ADJ_WB));
    c.push_back({ IDC_ADJ_WB, K::Edit, "", kSideBoxX, 155, kSideBoxW, 12, kResult });

    // The aggregates' moisture from batches of the library.
    c.push_back({ IDC_MATERIALS, K::PushButton, "材料(&M)…", 363, 178, 56, 14, S::TabStop });
    c.push_back({ IDC_ADJ_CALCULATE, K::PushButton, "计算(&E)", 124, 178, 50, 14, S::TabStop });
    c.push_back({ IDCANCEL, K::PushButton, "返回(&C)", 252, 178, 50, 14, S::TabStop });
    c.push_back(
        { IDC_RESTORE_DEFAULTS, K::PushButton, "恢复默认(&R)", 7, 178, 56, 14, S::TabStop });
    return d;
}

} // namespace

const DialogSpec& AdjustDialogSpec()
{
    static const DialogSpec table = Build();
    return table;
}
