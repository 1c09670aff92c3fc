#include "mix1/dialog130.h"

namespace {

using K = ControlKind;
namespace S = ControlStyle;

constexpr unsigned kInput = S::TabStop | S::Centre;
constexpr unsigned kResult = S::ReadOnly | S::Centre; // no tab stop
constexpr unsigned kRowLabel = S::Right; // ends next to its box
constexpr unsigned kHeading = S::Centre; // centred over its column

// Labels sit 2 units below the top of their 12-unit box, so that the text
// lines up with the box's.
ControlSpec LeftLabel(const char* text, int y, int buddy)
{
    return { -1, K::Label, text, 11, y + 2, 111, 10, kRowLabel, buddy };
}
ControlSpec RightLabel(const char* text, int y, int buddy)
{
    return { -1, K::Label, text, 163, y + 2, 89, 10, kRowLabel, buddy };
}
ControlSpec Box(int id, int x, int y)
{
    return { id, K::Edit, "", x, y, 35, 12, kInput };
}
ControlSpec Result(int id, int x, int y)
{
    return { id, K::Edit, "", x, y, 42, 12, kResult };
}
ControlSpec Heading(const char* text, int x)
{
    return { -1, K::Label, text, x, 158, 42, 10, kHeading };
}

DialogSpec Build()
{
    DialogSpec d;
    d.id = IDD_MIXDESIGN;
    d.caption = "计算自密实混凝土配合比";
    d.fontFace = "宋体";
    d.pointSize = 12;
    d.width = 352;
    d.height = 224;
    d.controls = {
        { -1, K::GroupBox, "设计要求", 7, 7, 332, 52 },
        { -1, K::GroupBox, "自密实计算参数", 7, 62, 332, 78 },
        { -1, K::GroupBox, "配合比(每立方米混凝土材料用量)", 7, 144, 332, 55 },

        LeftLabel("自密实性能等级", 18, IDC_SF_GRADE),
        { IDC_SF_GRADE, K::DropList, "", 124, 18, 35, 81, S::TabStop },
        LeftLabel("混凝土抗压强度MPa", 30, IDC_STRENGTH_GRADE),
        { IDC_STRENGTH_GRADE, K::DropList, "", 124, 30, 35, 175, S::TabStop },
        LeftLabel("混凝土强度标准差MPa", 42, IDC_STD_DEV),
        Box(IDC_STD_DEV, 124, 42),
        RightLabel("水泥强度等级MPa", 18, IDC_CEMENT_GRADE),
        { IDC_CEMENT_GRADE, K::DropList, "", 254, 18, 35, 76, S::TabStop },
        RightLabel("水泥表观密度kg/m3", 30, IDC_RHO_C),
        Box(IDC_RHO_C, 254, 30),
        { IDC_CUSTOM_WB, K::CheckBox, "自定", 292, 43, 32, 10, S::TabStop },

        LeftLabel("粗骨料体积(0.28-0.35)m3", 73, IDC_VG),
        Box(IDC_VG, 124, 73),
        LeftLabel("砂体积分数(0.42-0.45)Φs", 85, IDC_PHI_S),
        Box(IDC_PHI_S, 124, 85),
        LeftLabel("粉煤灰质量分数β1", 97, IDC_BETA1),
        Box(IDC_BETA1, 124, 97),
        LeftLabel("矿渣粉质量分数β2", 109, IDC_BETA2),
        Box(IDC_BETA2, 124, 109),
        LeftLabel("空气体积(10-20)L", 121, IDC_VA),
        Box(IDC_VA, 124, 121),
        RightLabel("粗骨料表观密度kg/m3", 73, IDC_RHO_G),
        Box(IDC_RHO_G, 254, 73),
        RightLabel("砂表观密度kg/m3", 85, IDC_RHO_S),
        Box(IDC_RHO_S, 254, 85),
        RightLabel("粉煤灰表观密度kg/m3", 97, IDC_RHO_F),
        Box(IDC_RHO_F, 254, 97),
        RightLabel("矿渣粉表观密度kg/m3", 109, IDC_RHO_K),
        Box(IDC_RHO_K, 254, 109),
        RightLabel("外加剂质量百分数%", 121, IDC_ALPHA),
        Box(IDC_ALPHA, 254, 121),

        // Fills the boxes a material determines from batches of the library.
        { IDC_MATERIALS, K::PushButton, "材料(&M)…", 292, 17, 46, 14, S::TabStop },
        { IDC_CALCULATE, K::PushButton, "计算(&E)", 91, 202, 50, 14, S::TabStop },
        RightLabel("水胶比(Mw/Mb)", 42, IDC_WB),
        { IDC_WB, K::Edit, "", 254, 42, 35, 12, kInput | S::ReadOnly },

        Heading("水泥", 39),
        Heading("粉煤灰", 81),
        Heading("矿渣粉", 123),
        Heading("细骨料", 165),
        Heading("粗骨料", 207),
        Heading("水", 249),
        Heading("外加剂", 291),
        { -1, K::Label, "体积 L", 11, 170, 27, 10 },
        Result(IDC_VOL_CEMENT, 39, 168),
        Result(IDC_VOL_FLYASH, 81, 168),
        Result(IDC_VOL_SLAG, 123, 168),
        Result(IDC_VOL_SAND, 165, 168),
        Result(IDC_VOL_COARSE, 207, 168),
        Result(IDC_VOL_WATER, 249, 168),
        { -1, K::Label, "质量kg", 11, 182, 27, 10 },
        Result(IDC_MASS_CEMENT, 39, 180),
        Result(IDC_MASS_FLYASH, 81, 180),
        Result(IDC_MASS_SLAG, 123, 180),
        Result(IDC_MASS_SAND, 165, 180),
        Result(IDC_MASS_COARSE, 207, 180),
        Result(IDC_MASS_WATER, 249, 180),
        Result(IDC_MASS_ADMIXTURE, 291, 180),

        { IDCANCEL, K::PushButton, "返回(&C)", 192, 202, 50, 14, S::TabStop },
        // Opens the trial-batch form with the last design; enabled once calculated.
        { IDC_ADJUST, K::PushButton, "调整(&T)…", 289, 202, 50, 14, S::TabStop },
        { IDC_RESTORE_DEFAULTS, K::PushButton, "恢复默认(&R)", 7, 202, 56, 14, S::TabStop },
    };
    return d;
}

} // namespace

const DialogSpec& MixDesignDialogSpec()
{
    static const DialogSpec table = Build();
    return table;
}
