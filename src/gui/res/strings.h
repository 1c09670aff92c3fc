#pragma once

#include <string>

// The string table: the text of a command (UTF-8). The part before "\n" is
// the prompt shown in the status bar, the part after it the tooltip.
// Empty for an ID without a string.
std::string CommandString(int id);
std::string CommandPrompt(int id);
std::string CommandTooltip(int id); // empty: no tooltip

// Status-bar texts.
inline constexpr const char* kIdlePrompt = "就绪";
inline constexpr const char* kIndicatorCaps = "大写";
inline constexpr const char* kIndicatorNum = "数字";
inline constexpr const char* kIndicatorScrl = "滚动";

// Fields of the document string (resource 128).
inline constexpr const char* kUntitled = "无标题";
inline constexpr const char* kFilterReports = "配合比 文件 (*.txt)";
inline constexpr const char* kFilterAll = "所有文件 (*.*)";
inline constexpr const char* kReportExtension = ".txt";
inline constexpr const char* kOpenTitle = "打开";
inline constexpr const char* kSaveAsTitle = "保存为";
inline constexpr const char* kSaveChangesQuestion = "将改动保存到 %1？";
inline constexpr const char* kAppendTooLarge
    = "计算书无法追加：文档将超过1048575字节。请保存后新建文档再计算。";
inline constexpr const char* kPrintCannotStart = "无法启动打印作业。";
