#pragma once

// Command IDs, as the menu, toolbar, accelerators and string table know them.
enum CommandId : int {
    ID_SEPARATOR = 0,
    ID_CALC_MIX = 32771,
    ID_SET_FONT = 32775,
    ID_HELP_PAGE = 32776,
    ID_CALC_STDDEV = 32779,
    ID_CALC_MIX2 = 32784,

    // The strength acceptance evaluation.
    ID_CALC_EVALUATE = 32785,

    // Trial batch, density correction and site mix.
    ID_CALC_ADJUST = 32786,

    // The ordinary-concrete mix design.
    ID_CALC_ORDINARY = 32787,
    // 设置: who calculates, and where the records are kept.
    ID_SET_OPERATOR = 32790,
    ID_SET_DATABASE = 32791,
    ID_SET_LAB_NAME = 32792,
    // 工具: the laboratory's records.
    ID_TOOLS_MATERIALS = 32795,
    ID_TOOLS_LEDGER = 32800,
    // The 配合比台账 window's own commands.
    ID_LEDGER_OPEN = 32801, // 在表单中打开
    ID_LEDGER_APPEND = 32802, // 追加计算书
    ID_LEDGER_TRIAL = 32803, // 试配…
    ID_LEDGER_REVIEW = 32804, // 审核
    ID_LEDGER_ISSUE = 32805, // 下发
    ID_LEDGER_REVISE = 32806, // 修订
    ID_LEDGER_CHAIN = 32807, // 修订链
    ID_LEDGER_DELETE = 32808, // 删除 (to 回收站)
    ID_LEDGER_BIN = 32809, // 回收站 (shown or not)
    ID_LEDGER_RESTORE = 32810, // 还原
    ID_LEDGER_PURGE = 32811, // 彻底删除
    ID_LEDGER_AUDIT = 32812, // 审核记录
    ID_LEDGER_COMPARE = 32813, // 比较
    ID_LEDGER_NOTICE = 32814, // 通知单 预览
    ID_LEDGER_REPORT = 32815, // 设计报告 预览
    ID_LEDGER_FIELDS = 32816, // 文档字段…
    ID_LEDGER_EXPORT = 32817, // 导出…
    ID_LEDGER_EXPORT_JSON = 32818, // 导出 JSON…
    ID_LEDGER_IMPORT_JSON = 32819, // 导入 JSON…
    // 工具 on a server: the local file's records copied there.
    ID_TOOLS_IMPORT = 32820,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE2 = 57617,
    ID_FILE_MRU_FILE3 = 57618,
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,

    AFX_IDW_TOOLBAR = 59392,
    AFX_IDW_STATUS_BAR = 59393,
};

// Resource 128: the main menu, toolbar, accelerators and icon.
inline constexpr int IDR_MAINFRAME = 128;
