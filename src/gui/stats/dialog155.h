#pragma once

#include "common/dialogtemplate.h"

// Template 155: the strength acceptance evaluation. The groups on the left,
// the conditions, results and chart on the right.
inline constexpr int IDD_EVALUATE = 155;

inline constexpr int IDC_EVAL_INPUT = 1200;
inline constexpr int IDC_EVAL_ADD = 1201;
inline constexpr int IDC_EVAL_DELETE = 1202;
inline constexpr int IDC_EVAL_PASTE = 1203;
inline constexpr int IDC_EVAL_LIST = 1204;
inline constexpr int IDC_EVAL_GRADE = 1205;
inline constexpr int IDC_EVAL_METHOD = 1206;
inline constexpr int IDC_EVAL_SIGMA0 = 1207;
inline constexpr int IDC_EVAL_SIZE = 1208;
inline constexpr int IDC_EVAL_FACTOR = 1209;
inline constexpr int IDC_EVAL_CALC = 1210;
inline constexpr int IDC_EVAL_COUNT = 1211;
inline constexpr int IDC_EVAL_MEAN = 1212;
inline constexpr int IDC_EVAL_SD = 1213;
inline constexpr int IDC_EVAL_MIN = 1214;
inline constexpr int IDC_EVAL_VERDICT = 1215;
inline constexpr int IDC_EVAL_CHART = 1216; // where the chart stands

const DialogSpec& EvaluateDialogSpec();
