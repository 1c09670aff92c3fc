#pragma once

#include "common/dialogtemplate.h"

// Dialog 130: the method-1 mix design form.
inline constexpr int IDD_MIXDESIGN = 130;

// Design requirements.
inline constexpr int IDC_SF_GRADE = 1000;
inline constexpr int IDC_STRENGTH_GRADE = 1010;
inline constexpr int IDC_STD_DEV = 1017;
inline constexpr int IDC_CEMENT_GRADE = 1011;
inline constexpr int IDC_RHO_C = 1001;
inline constexpr int IDC_CUSTOM_WB = 1046;
inline constexpr int IDC_WB = 1028;
// Calculation parameters.
inline constexpr int IDC_VG = 1021;
inline constexpr int IDC_PHI_S = 1033;
inline constexpr int IDC_BETA1 = 1008;
inline constexpr int IDC_BETA2 = 1097;
inline constexpr int IDC_VA = 1099;
inline constexpr int IDC_RHO_G = 1012;
inline constexpr int IDC_RHO_S = 1009;
inline constexpr int IDC_RHO_F = 1018;
inline constexpr int IDC_RHO_K = 1015;
inline constexpr int IDC_ALPHA = 1098;
// Results per cubic metre: volumes (L) and masses (kg).
inline constexpr int IDC_VOL_CEMENT = 1005;
inline constexpr int IDC_VOL_FLYASH = 1022;
inline constexpr int IDC_VOL_SLAG = 1014;
inline constexpr int IDC_VOL_SAND = 1006;
inline constexpr int IDC_VOL_COARSE = 1007;
inline constexpr int IDC_VOL_WATER = 1016;
inline constexpr int IDC_MASS_CEMENT = 1024;
inline constexpr int IDC_MASS_FLYASH = 1027;
inline constexpr int IDC_MASS_SLAG = 1029;
inline constexpr int IDC_MASS_SAND = 1025;
inline constexpr int IDC_MASS_COARSE = 1026;
inline constexpr int IDC_MASS_WATER = 1003;
inline constexpr int IDC_MASS_ADMIXTURE = 1004;
inline constexpr int IDC_CALCULATE = 1013;
// Opens the trial-batch form with the last design (the same ID in template 135).
inline constexpr int IDC_ADJUST = 1300;

const DialogSpec& MixDesignDialogSpec();
