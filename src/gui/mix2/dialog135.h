#pragma once

#include "common/dialogtemplate.h"

// Template 135 (IDD_MIX2): the method-2 form, read top to bottom: design
// requirements, materials, the two powders side by side, then the results.
// Some names stand for the same numbers in template 130; the two headers are
// not included together.
inline constexpr int IDD_MIX2 = 135;

// Lists.
inline constexpr int IDC_SF_GRADE = 1000;
inline constexpr int IDC_STRENGTH_GRADE = 1010;
inline constexpr int IDC_CEMENT_GRADE = 1011;
inline constexpr int IDC_AGGREGATE_KIND = 1018;
inline constexpr int IDC_POWDER1_KIND = 1049;
inline constexpr int IDC_POWDER2_KIND = 1050;

// Number boxes: design requirements and materials.
inline constexpr int IDC_COARSE_VOLUME = 1021;
inline constexpr int IDC_CEMENT_SURPLUS = 1015;
inline constexpr int IDC_STD_DEV = 1017;
inline constexpr int IDC_SAND_DENSITY = 1009;
inline constexpr int IDC_COARSE_DENSITY = 1012;
inline constexpr int IDC_AIR_CONTENT = 1030;
inline constexpr int IDC_WATER = 1037;
inline constexpr int IDC_CEMENT_DENSITY = 1002;
// The powders: density, replacement and excess (active), volume (inert).
inline constexpr int IDC_POWDER1_DENSITY = 1080;
inline constexpr int IDC_POWDER2_DENSITY = 1013;
inline constexpr int IDC_POWDER1_REPLACE = 1067;
inline constexpr int IDC_POWDER2_REPLACE = 1036;
inline constexpr int IDC_POWDER1_EXCESS = 1045;
inline constexpr int IDC_POWDER2_EXCESS = 1055;
inline constexpr int IDC_POWDER1_INERT_VOL = 1001;
inline constexpr int IDC_POWDER2_INERT_VOL = 1008;
// The powders' captions, shown or hidden with their boxes.
inline constexpr int IDC_POWDER1_ACTIVE_LABEL1 = 1091;
inline constexpr int IDC_POWDER1_ACTIVE_LABEL2 = 1092;
inline constexpr int IDC_POWDER1_INERT_LABEL = 1088;
inline constexpr int IDC_POWDER2_ACTIVE_LABEL1 = 1094;
inline constexpr int IDC_POWDER2_ACTIVE_LABEL2 = 1095;
inline constexpr int IDC_POWDER2_INERT_LABEL = 1089;
// Results per cubic metre: volumes (L) and masses (kg); the powder columns
// are headed by the powders' names.
inline constexpr int IDC_CEMENT_VOL = 1005;
inline constexpr int IDC_POWDER1_VOL = 1083;
inline constexpr int IDC_POWDER2_VOL = 1031;
inline constexpr int IDC_SAND_VOL = 1006;
inline constexpr int IDC_COARSE_VOL = 1007;
inline constexpr int IDC_WATER_VOL = 1016;
inline constexpr int IDC_CEMENT_MASS = 1024;
inline constexpr int IDC_POWDER1_MASS = 1084;
inline constexpr int IDC_POWDER2_MASS = 1032;
inline constexpr int IDC_SAND_MASS = 1025;
inline constexpr int IDC_COARSE_MASS = 1026;
inline constexpr int IDC_WATER_MASS = 1003;
inline constexpr int IDC_POWDER1_NAME = 1085;
inline constexpr int IDC_POWDER2_NAME = 1087;

inline constexpr int IDC_CALC = 1071;
// Opens the trial-batch form with the last design (the same ID in template 130).
inline constexpr int IDC_ADJUST = 1300;

const DialogSpec& Dialog135();
