#pragma once

#include "common/dialogtemplate.h"

// Dialog template 160: trial batch, density correction and site mix.
inline constexpr int IDD_ADJUST = 160;

// One row a material (cement, powder 1, powder 2, sand, coarse aggregate,
// water, admixture): the design box, then the laboratory, site and batch
// results. Add the material's index to the first ID.
inline constexpr int IDC_ADJ_DESIGN = 1250; // 1250..1256, editable, kg/m3
inline constexpr int IDC_ADJ_LAB = 1257; // 1257..1263, kg/m3
inline constexpr int IDC_ADJ_SITE = 1264; // 1264..1270, kg/m3
inline constexpr int IDC_ADJ_BATCH = 1271; // 1271..1277, kg
inline constexpr int IDC_ADJ_MEASURED_DENSITY = 1278; // ρc,t, kg/m3
inline constexpr int IDC_ADJ_SAND_MOISTURE = 1279; // ws, %
inline constexpr int IDC_ADJ_COARSE_MOISTURE = 1280; // wg, %
inline constexpr int IDC_ADJ_VOLUME = 1281; // V, L
inline constexpr int IDC_ADJ_COMPUTED_DENSITY = 1282; // ρc,c, kg/m3
inline constexpr int IDC_ADJ_DEVIATION = 1283; // %
inline constexpr int IDC_ADJ_DELTA = 1284; // δ
inline constexpr int IDC_ADJ_WB = 1285; // W/B
inline constexpr int IDC_ADJ_RATIO = 1286; // 1：x：y：z
inline constexpr int IDC_ADJ_POWDER1_NAME = 1287; // row labels named after the design's powders
inline constexpr int IDC_ADJ_POWDER2_NAME = 1288;
inline constexpr int IDC_ADJ_CALCULATE = 1289;

const DialogSpec& AdjustDialogSpec();
