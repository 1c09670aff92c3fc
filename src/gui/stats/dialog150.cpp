#include "stats/dialog150.h"

const DialogSpec& StdDevDialogSpec()
{
    using namespace ControlStyle;
    static const DialogSpec table = { IDD_STDDEV, "计算混凝土强度标准差", "宋体", 12, 240, 170,
        {
            // In tab order.
            { IDC_STRENGTH_INPUT, ControlKind::Edit, "", 164, 24, 31, 12, TabStop | Centre },
            { IDC_ADD, ControlKind::PushButton, "<< 添加(&A)", 113, 43, 45, 14, TabStop },
            { IDC_DELETE, ControlKind::PushButton, ">> 删除(&D)", 164, 43, 45, 14, TabStop },
            { IDC_CALC, ControlKind::PushButton, "计算标准差(&B)", 103, 131, 57, 14, TabStop },
            { IDCANCEL, ControlKind::PushButton, "返回(&C)", 168, 131, 54, 14, TabStop },
            { IDC_STRENGTH_LIST, ControlKind::ListView, "", 8, 19, 88, 134, TabStop },
            { IDC_RESTORE_DEFAULTS, ControlKind::PushButton, "恢复默认(&R)", 103, 150, 57, 14,
                TabStop },
            { IDC_SIGMA, ControlKind::Edit, "", 164, 109, 45, 12, ReadOnly | Centre },
            { IDC_COUNT, ControlKind::Edit, "", 164, 90, 45, 12, ReadOnly | Centre },
            { -1, ControlKind::Label, "(MPa)", 198, 26, 20, 8 },
            { -1, ControlKind::Label, "输入试件强度:", 110, 26, 53, 8, ControlStyle::None, 1065 },
            { -1, ControlKind::Label, "砼强度标准差σ:", 103, 111, 61, 8, ControlStyle::None, 1063 },
            { -1, ControlKind::Label, "注:砼试件强度数据应不少于25组", 107, 65, 117, 8 },
            { -1, ControlKind::Label, "(MPa)", 212, 111, 21, 8 },
            { -1, ControlKind::Label, "强度数据组数:", 103, 92, 53, 8, ControlStyle::None, 1072 },
            { -1, ControlKind::Label, "砼试件立方体抗压强度:", 9, 8, 85, 8, ControlStyle::None, 1061 },
            { -1, ControlKind::GroupBox, "输入试件强度", 101, 9, 127, 75 },
        } };
    return table;
}
