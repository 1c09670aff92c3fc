#include "stats/dialog155.h"

const DialogSpec& EvaluateDialogSpec()
{
    using K = ControlKind;
    namespace S = ControlStyle;
    static const DialogSpec table = { IDD_EVALUATE, "混凝土强度检验评定", "宋体", 12, 440, 298,
        {
            // In tab order: a group is typed, Enter, Enter adds it.
            { IDC_EVAL_INPUT, K::Edit, "", 60, 202, 117, 12, S::TabStop },
            { IDC_EVAL_ADD, K::PushButton, "<< 添加(&A)", 13, 220, 50, 14, S::TabStop },
            { IDC_EVAL_DELETE, K::PushButton, ">> 删除(&D)", 67, 220, 50, 14, S::TabStop },
            { IDC_EVAL_PASTE, K::PushButton, "粘贴多行(&V)", 121, 220, 56, 14, S::TabStop },
            { IDC_EVAL_GRADE, K::DropList, "", 270, 17, 50, 150, S::TabStop },
            { IDC_EVAL_METHOD, K::DropList, "", 270, 33, 120, 60, S::TabStop },
            { IDC_EVAL_SIGMA0, K::Edit, "", 270, 49, 40, 12, S::TabStop | S::Centre },
            { IDC_EVAL_SIZE, K::DropList, "", 270, 65, 50, 50, S::TabStop },
            { IDC_EVAL_FACTOR, K::Edit, "", 388, 65, 36, 12, S::TabStop | S::Centre },
            { IDC_EVAL_CALC, K::PushButton, "评定(&E)", 300, 278, 57, 14, S::TabStop },
            { IDCANCEL, K::PushButton, "返回(&C)", 370, 278, 54, 14, S::TabStop },
            { IDC_RESTORE_DEFAULTS, K::PushButton, "恢复默认(&R)", 230, 278, 57, 14, S::TabStop },
            { IDC_EVAL_LIST, K::ListView, "", 7, 16, 176, 170, S::TabStop },
            { IDC_EVAL_COUNT, K::Edit, "", 274, 103, 34, 12, S::ReadOnly | S::Centre },
            { IDC_EVAL_SD, K::Edit, "", 398, 103, 28, 12, S::ReadOnly | S::Centre },
            { IDC_EVAL_MEAN, K::Edit, "", 274, 119, 34, 12, S::ReadOnly | S::Centre },
            { IDC_EVAL_MIN, K::Edit, "", 398, 119, 28, 12, S::ReadOnly | S::Centre },
            { IDC_EVAL_VERDICT, K::Edit, "", 274, 135, 152, 12, S::ReadOnly | S::Centre },
            { IDC_EVAL_CHART, K::Label, "", 191, 159, 242, 113 },

            { -1, K::Label, "试件组强度（MPa）:", 7, 6, 176, 8, S::None, IDC_EVAL_LIST },
            { -1, K::GroupBox, "输入试件组", 7, 190, 176, 82 },
            { -1, K::Label, "强度(MPa):", 13, 204, 46, 8, S::None, IDC_EVAL_INPUT },
            { -1, K::Label, "注：每组3个试件强度或1个代表值，", 13, 240, 164, 8 },
            { -1, K::Label, "以空格、Tab或逗号分隔；可粘贴多行。", 13, 252, 164, 8 },

            { -1, K::GroupBox, "评定条件", 191, 5, 242, 82 },
            { -1, K::Label, "混凝土强度等级:", 198, 19, 70, 8, S::None, IDC_EVAL_GRADE },
            { -1, K::Label, "评定方法:", 198, 35, 70, 8, S::None, IDC_EVAL_METHOD },
            { -1, K::Label, "检验期标准差σ0:", 198, 51, 70, 8, S::None, IDC_EVAL_SIGMA0 },
            { -1, K::Label, "(MPa)", 313, 51, 22, 8 },
            { -1, K::Label, "试件尺寸:", 198, 67, 70, 8, S::None, IDC_EVAL_SIZE },
            { -1, K::Label, "尺寸折算系数:", 330, 67, 56, 8, S::None, IDC_EVAL_FACTOR },

            { -1, K::GroupBox, "评定结果", 191, 91, 242, 64 },
            { -1, K::Label, "有效组数 n:", 198, 105, 74, 8, S::None, IDC_EVAL_COUNT },
            { -1, K::Label, "标准差 Sfcu(MPa):", 312, 105, 84, 8, S::None, IDC_EVAL_SD },
            { -1, K::Label, "平均值 mfcu(MPa):", 198, 121, 74, 8, S::None, IDC_EVAL_MEAN },
            { -1, K::Label, "最小值 fcu,min(MPa):", 312, 121, 84, 8, S::None, IDC_EVAL_MIN },
            { -1, K::Label, "评定结论:", 198, 137, 74, 8, S::None, IDC_EVAL_VERDICT },
        } };
    return table;
}
