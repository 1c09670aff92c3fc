#pragma once

#include "common/dialogtemplate.h"

// Dialog 170: the ordinary-concrete mix design form.
inline constexpr int IDD_ORDINARY = 170;

// Design requirements.
inline constexpr int IDC_ORD_GRADE = 1400;
inline constexpr int IDC_ORD_SIGMA = 1401;
inline constexpr int IDC_ORD_STRUCTURE = 1402;
inline constexpr int IDC_ORD_EXPOSURE = 1403;
inline constexpr int IDC_ORD_IMPERMEABILITY = 1404;
inline constexpr int IDC_ORD_FROST = 1405;
inline constexpr int IDC_ORD_WORKABILITY = 1406; // 坍落度 or 维勃稠度
inline constexpr int IDC_ORD_SLUMP = 1407;
inline constexpr int IDC_ORD_VEBE = 1408;
inline constexpr int IDC_ORD_AIR_ENTRAINED = 1409;
inline constexpr int IDC_ORD_PUMPED = 1410;
inline constexpr int IDC_ORD_MASSIVE = 1411;
// Materials.
inline constexpr int IDC_ORD_CEMENT_TYPE = 1412;
inline constexpr int IDC_ORD_CEMENT_GRADE = 1413;
inline constexpr int IDC_ORD_FCE = 1414;
inline constexpr int IDC_ORD_FLY_ASH = 1415;
inline constexpr int IDC_ORD_GAMMA_F = 1416;
inline constexpr int IDC_ORD_SLAG = 1417;
inline constexpr int IDC_ORD_GAMMA_S = 1418;
inline constexpr int IDC_ORD_FB = 1419;
inline constexpr int IDC_ORD_AGGREGATE = 1420;
inline constexpr int IDC_ORD_MAX_SIZE = 1421;
inline constexpr int IDC_ORD_WATER_ADJUST = 1422;
inline constexpr int IDC_ORD_REDUCER = 1423;
inline constexpr int IDC_ORD_ADMIXTURE = 1424;
// Calculation.
inline constexpr int IDC_ORD_WB = 1425;
inline constexpr int IDC_ORD_SAND_RATIO = 1426;
inline constexpr int IDC_ORD_METHOD = 1427; // 质量法 or 体积法
inline constexpr int IDC_ORD_MCP = 1428;
inline constexpr int IDC_ORD_AIR = 1429;
inline constexpr int IDC_ORD_RHO_C = 1430;
inline constexpr int IDC_ORD_RHO_F = 1431;
inline constexpr int IDC_ORD_RHO_K = 1432;
inline constexpr int IDC_ORD_RHO_S = 1433;
inline constexpr int IDC_ORD_RHO_G = 1434;
// Results.
inline constexpr int IDC_ORD_FCU0 = 1440;
inline constexpr int IDC_ORD_FB_USED = 1441;
inline constexpr int IDC_ORD_WB_USED = 1442;
inline constexpr int IDC_ORD_SAND_RATIO_USED = 1443;
inline constexpr int IDC_ORD_BINDER = 1444;
inline constexpr int IDC_ORD_DENSITY = 1445;
inline constexpr int IDC_ORD_CEMENT = 1446;
inline constexpr int IDC_ORD_FLY_ASH_MASS = 1447;
inline constexpr int IDC_ORD_SLAG_MASS = 1448;
inline constexpr int IDC_ORD_SAND = 1449;
inline constexpr int IDC_ORD_STONE = 1450;
inline constexpr int IDC_ORD_WATER = 1451;
inline constexpr int IDC_ORD_ADMIXTURE_MASS = 1452;
inline constexpr int IDC_ORD_CALCULATE = 1460;
// Opens the trial-batch form with the design, as in the other mix forms.
inline constexpr int IDC_ORD_ADJUST = 1461;

const DialogSpec& OrdinaryDialogSpec();
