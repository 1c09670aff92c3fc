#include "res/strings.h"

#include "res/commandids.h"

namespace {

struct Entry {
    int id;
    const char* text;
};

const Entry kStrings[] = {
    { ID_CALC_MIX, "计算自密实混凝土配合比" },
    { ID_CALC_STDDEV, "计算混凝土强度标准差\n计算混凝土强度标准差" },
    { ID_SET_FONT, "设置字体\n设置字体" },
    { ID_HELP_PAGE, "帮助\n帮助" },
    { ID_CALC_MIX2, "先设计混凝土强度等级，后校核自密实性能。\n计算配合比方法二" },

    // The strength acceptance evaluation.
    { ID_CALC_EVALUATE, "混凝土强度检验评定\n混凝土强度检验评定" },

    // Trial batch, density correction and site mix.
    { ID_CALC_ADJUST, "试配与施工配合比\n试配与施工配合比" },

    // The ordinary-concrete mix design.
    { ID_CALC_ORDINARY, "普通混凝土配合比设计\n普通混凝土配合比设计" },
    { ID_SET_OPERATOR, "设置记入台账的操作人\n操作人" },
    { ID_SET_DATABASE, "选择保存原材料库和台账的地方：本机文件或试验室的数据库服务器\n数据库" },
    { ID_SET_LAB_NAME, "设置通知单和设计报告上的试验室名称\n试验室名称" },
    { ID_TOOLS_MATERIALS, "水泥、掺合料、骨料、外加剂及其进场批次\n原材料库" },
    { ID_TOOLS_LEDGER, "已记录的配合比设计和计算\n配合比台账" },
    { ID_TOOLS_IMPORT,
        "把本机文件中的原材料库和台账复制到服务器，重复导入不会重复添加\n导入本机台账到服务器" },

    { ID_FILE_NEW, "建立新文档\n新建" },
    { ID_FILE_OPEN, "打开一个现有文档\n打开" },
    { ID_FILE_SAVE, "保存活动文档\n保存" },
    { ID_FILE_SAVE_AS, "将活动文档以一个新文件名保存\n另存为" },
    { ID_FILE_PRINT, "打印活动文档\n打印" },
    { ID_FILE_PRINT_PREVIEW, "显示整页\n打印预览" },
    { ID_FILE_PRINT_SETUP, "改变打印机及打印选项\n打印设置" },
    { ID_FILE_MRU_FILE1, "打开该文档" },
    { ID_FILE_MRU_FILE2, "打开该文档" },
    { ID_FILE_MRU_FILE3, "打开该文档" },
    { ID_FILE_MRU_FILE4, "打开该文档" },
    { ID_APP_EXIT, "退出应用程序；提示保存文档\n退出" },
    { ID_EDIT_CUT, "剪切被选对象并将其置于剪贴板上\n剪切" },
    { ID_EDIT_COPY, "复制被选对象并将其置于剪贴板上\n复制" },
    { ID_EDIT_PASTE, "插入剪贴板内容\n粘贴" },
    { ID_EDIT_UNDO, "撤消最后一步操作\n撤消" },
};

} // namespace

std::string CommandString(int id)
{
    for (const Entry& e : kStrings)
        if (e.id == id)
            return e.text;
    return {};
}

std::string CommandPrompt(int id)
{
    const std::string s = CommandString(id);
    return s.substr(0, s.find('\n'));
}

std::string CommandTooltip(int id)
{
    const std::string s = CommandString(id);
    const size_t nl = s.find('\n');
    return nl == std::string::npos ? std::string() : s.substr(nl + 1);
}
