#pragma once

#include "common/dialogtemplate.h"

// Dialog template 150: the strength standard deviation calculator.
inline constexpr int IDD_STDDEV = 150;

inline constexpr int IDC_STRENGTH_LIST = 1061;
inline constexpr int IDC_SIGMA = 1063;
inline constexpr int IDC_STRENGTH_INPUT = 1065;
inline constexpr int IDC_DELETE = 1066;
inline constexpr int IDC_ADD = 1067;
inline constexpr int IDC_CALC = 1071;
inline constexpr int IDC_COUNT = 1072;

const DialogSpec& StdDevDialogSpec();
