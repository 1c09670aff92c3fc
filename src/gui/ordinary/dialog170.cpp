#include "ordinary/dialog170.h"

namespace {

using K = ControlKind;
namespace S = ControlStyle;

constexpr unsigned kInput = S::TabStop | S::Centre;
constexpr unsigned kResult = S::ReadOnly | S::Centre; // no tab stop

// Three label-and-box pairs a row in the input groups.
constexpr int kLabelX[] = { 12, 174, 336 };
constexpr int kLabelW = 100;
constexpr int kBoxX[] = { 114, 276, 438 };
constexpr int kBoxW = 60;
constexpr int kRowStep = 14;

// The result table: seven columns.
constexpr int kColumnX = 12, kColumnStep = 70, kColumnW = 64;

// A captioned box, list or tick box in column `col`; the label sits 2 units
// below the top of its box so that the texts line up.
void Pair(std::vector<ControlSpec>& c, int col, int y, const char* text, int id, K kind = K::Edit,
    int listHeight = 0)
{
    c.push_back({ -1, K::Label, text, kLabelX[col], y + 2, kLabelW, 10, S::Right, id });
    if (kind == K::DropList)
        c.push_back({ id, kind, "", kBoxX[col], y, kBoxW, listHeight, S::TabStop });
    else
        c.push_back({ id, K::Edit, "", kBoxX[col], y, kBoxW, 12, kInput });
}

void Tick(std::vector<ControlSpec>& c, int col, int y, const char* text, int id)
{
    c.push_back({ id, K::CheckBox, text, kBoxX[col], y + 1, kBoxW, 10, S::TabStop });
}

// A result column: its heading over its box.
void Result(std::vector<ControlSpec>& c, int col, int y, const char* heading, int id)
{
    const int x = kColumnX + col * kColumnStep;
    c.push_back({ -1, K::Label, heading, x, y, kColumnW, 10, S::Centre, id });
    c.push_back({ id, K::Edit, "", x, y + 10, kColumnW, 12, kResult });
}

int Row(int groupY, int row)
{
    return groupY + 12 + row * kRowStep;
}

DialogSpec Build()
{
    DialogSpec d;
    d.id = IDD_ORDINARY;
    d.caption = "普通混凝土配合比设计";
    d.fontFace = "宋体";
    d.pointSize = 12;
    d.width = 508;
    d.height = 324;
    auto& c = d.controls;

    constexpr int kDesignY = 5;
    c.push_back({ -1, K::GroupBox, "设计要求", 7, kDesignY, 494, 70 });
    Pair(c, 0, Row(kDesignY, 0), "混凝土强度等级", IDC_ORD_GRADE, K::DropList, 150);
    Pair(c, 1, Row(kDesignY, 0), "强度标准差σ(MPa)", IDC_ORD_SIGMA);
    Pair(c, 2, Row(kDesignY, 0), "结构类型", IDC_ORD_STRUCTURE, K::DropList, 40);
    Pair(c, 0, Row(kDesignY, 1), "环境类别", IDC_ORD_EXPOSURE, K::DropList, 56);
    Pair(c, 1, Row(kDesignY, 1), "抗渗等级", IDC_ORD_IMPERMEABILITY, K::DropList, 80);
    Pair(c, 2, Row(kDesignY, 1), "抗冻等级", IDC_ORD_FROST, K::DropList, 80);
    Tick(c, 0, Row(kDesignY, 2), "掺引气剂", IDC_ORD_AIR_ENTRAINED);
    Tick(c, 1, Row(kDesignY, 2), "泵送", IDC_ORD_PUMPED);
    Tick(c, 2, Row(kDesignY, 2), "大体积", IDC_ORD_MASSIVE);
    Pair(c, 0, Row(kDesignY, 3), "稠度", IDC_ORD_WORKABILITY, K::DropList, 32);
    Pair(c, 1, Row(kDesignY, 3), "坍落度(mm)", IDC_ORD_SLUMP);
    Pair(c, 2, Row(kDesignY, 3), "维勃稠度(s)", IDC_ORD_VEBE);

    constexpr int kMaterialsY = 78;
    c.push_back({ -1, K::GroupBox, "原材料", 7, kMaterialsY, 494, 84 });
    Pair(c, 0, Row(kMaterialsY, 0), "水泥品种", IDC_ORD_CEMENT_TYPE, K::DropList, 32);
    Pair(c, 1, Row(kMaterialsY, 0), "水泥强度等级(MPa)", IDC_ORD_CEMENT_GRADE, K::DropList, 40);
    Pair(c, 2, Row(kMaterialsY, 0), "水泥实测强度fce(MPa)", IDC_ORD_FCE);
    Pair(c, 0, Row(kMaterialsY, 1), "粉煤灰掺量βf(%)", IDC_ORD_FLY_ASH);
    Pair(c, 1, Row(kMaterialsY, 1), "粉煤灰影响系数γf", IDC_ORD_GAMMA_F);
    Pair(c, 0, Row(kMaterialsY, 2), "矿渣粉掺量βk(%)", IDC_ORD_SLAG);
    Pair(c, 1, Row(kMaterialsY, 2), "矿渣粉影响系数γs", IDC_ORD_GAMMA_S);
    Pair(c, 2, Row(kMaterialsY, 2), "胶凝材料实测强度fb(MPa)", IDC_ORD_FB);
    Pair(c, 0, Row(kMaterialsY, 3), "粗骨料种类", IDC_ORD_AGGREGATE, K::DropList, 32);
    Pair(c, 1, Row(kMaterialsY, 3), "最大公称粒径(mm)", IDC_ORD_MAX_SIZE, K::DropList, 48);
    Pair(c, 2, Row(kMaterialsY, 3), "砂的用水量修正(kg)", IDC_ORD_WATER_ADJUST);
    Pair(c, 0, Row(kMaterialsY, 4), "外加剂减水率β(%)", IDC_ORD_REDUCER);
    Pair(c, 1, Row(kMaterialsY, 4), "外加剂掺量βa(%)", IDC_ORD_ADMIXTURE);

    constexpr int kCalcY = 165;
    c.push_back({ -1, K::GroupBox, "计算参数", 7, kCalcY, 494, 70 });
    Pair(c, 0, Row(kCalcY, 0), "自定水胶比W/B", IDC_ORD_WB);
    Pair(c, 1, Row(kCalcY, 0), "自定砂率βs(%)", IDC_ORD_SAND_RATIO);
    Pair(c, 2, Row(kCalcY, 0), "计算方法", IDC_ORD_METHOD, K::DropList, 32);
    Pair(c, 0, Row(kCalcY, 1), "假定表观密度mcp(kg/m3)", IDC_ORD_MCP);
    Pair(c, 1, Row(kCalcY, 1), "含气量α(%)", IDC_ORD_AIR);
    Pair(c, 2, Row(kCalcY, 1), "水泥密度ρc(g/cm3)", IDC_ORD_RHO_C);
    Pair(c, 0, Row(kCalcY, 2), "粉煤灰密度ρf(g/cm3)", IDC_ORD_RHO_F);
    Pair(c, 1, Row(kCalcY, 2), "矿渣粉密度ρk(g/cm3)", IDC_ORD_RHO_K);
    Pair(c, 2, Row(kCalcY, 2), "砂表观密度ρs(g/cm3)", IDC_ORD_RHO_S);
    Pair(c, 0, Row(kCalcY, 3), "石子表观密度ρg(g/cm3)", IDC_ORD_RHO_G);

    // Results: the design's figures, then the calculated mix per cubic metre.
    constexpr int kResultY = 238;
    c.push_back(
        { -1, K::GroupBox, "计算配合比（每立方米混凝土材料用量kg）", 7, kResultY, 494, 61 });
    Result(c, 0, kResultY + 11, "fcu,0(MPa)", IDC_ORD_FCU0);
    Result(c, 1, kResultY + 11, "fb(MPa)", IDC_ORD_FB_USED);
    Result(c, 2, kResultY + 11, "水胶比W/B", IDC_ORD_WB_USED);
    Result(c, 3, kResultY + 11, "砂率βs(%)", IDC_ORD_SAND_RATIO_USED);
    Result(c, 4, kResultY + 11, "胶凝材料", IDC_ORD_BINDER);
    Result(c, 5, kResultY + 11, "表观密度kg/m3", IDC_ORD_DENSITY);
    Result(c, 0, kResultY + 35, "水泥", IDC_ORD_CEMENT);
    Result(c, 1, kResultY + 35, "粉煤灰", IDC_ORD_FLY_ASH_MASS);
    Result(c, 2, kResultY + 35, "矿渣粉", IDC_ORD_SLAG_MASS);
    Result(c, 3, kResultY + 35, "砂", IDC_ORD_SAND);
    Result(c, 4, kResultY + 35, "石子", IDC_ORD_STONE);
    Result(c, 5, kResultY + 35, "水", IDC_ORD_WATER);
    Result(c, 6, kResultY + 35, "外加剂", IDC_ORD_ADMIXTURE_MASS);

    // Fills the boxes a material determines from batches of the library.
    c.push_back({ IDC_MATERIALS, K::PushButton, "材料(&M)…", 204, 305, 56, 14, S::TabStop });
    c.push_back({ IDC_ORD_CALCULATE, K::PushButton, "计算(&E)", 136, 305, 56, 14, S::TabStop });
    c.push_back({ IDCANCEL, K::PushButton, "返回(&C)", 272, 305, 56, 14, S::TabStop });
    // Opens the trial-batch form with the design; enabled once calculated.
    c.push_back({ IDC_ORD_ADJUST, K::PushButton, "调整(&T)…", 445, 305, 56, 14, S::TabStop });
    c.push_back({ IDC_RESTORE_DEFAULTS, K::PushButton, "恢复默认(&R)", 7, 305, 56, 14, S::TabStop });
    return d;
}

} // namespace

const DialogSpec& OrdinaryDialogSpec()
{
    static const DialogSpec table = Build();
    return table;
}
