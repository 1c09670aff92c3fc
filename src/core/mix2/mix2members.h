#pragma once

#include <string>

// What the method-2 form holds between presses: the texts and values the list
// handlers set, the powder classes, and the 28 box values. Each field is the
// dialog member of the same name without its type prefix (powder1Name is
// m_strPowder1Name, coarseVolume is m_dCoarseVolume, ...). The defaults are the
// values the form opens with.
struct Mix2Members
{
    // Set by the powder-kind handlers; the calculation only reads them.
    std::string powder1Name = "粉煤灰";
    std::string powder2Name = "矿渣粉";
    int powder1Class = 1; // 0 none, 1 active (replaces cement), 2 inert filler given by volume
    int powder2Class = 1;

    // Set by the grade handlers; the calculation refreshes them from the lists.
    std::string sfGrade; // "一级", "二级", "三级"
    std::string slumpFlow; // mm, a range text such as "650±50"
    std::string vFunnelTime; // s, a range text such as "7～25"
    double strength = 30.0; // fcu,k, MPa
    std::string strengthGrade = "C30";
    double cementGrade = 42.5; // fce,g, MPa
    std::string aggregateKind = "卵石";
    double alphaA = 0.48; // αa of the water-cement ratio formula
    double alphaB = 0.33; // αb

    // The boxes, in the order they are exchanged (see kMix2Boxes).
    double coarseVolume = 0.32; // Vg,abs, m3 per m3 of concrete
    double cementSurplus = 1.28; // γc
    double stdDev = 3.0; // σ, MPa
    double powder1Replace = 20.0; // r1, %
    double powder2Replace = 30.0; // r2, %
    double powder1Excess = 1.86; // k1
    double powder2Excess = 1.93; // k2
    double sandDensity = 2.67; // ρs, g/cm3
    double coarseDensity = 2.7; // ρg, g/cm3
    double airContent = 3.0; // A, %
    double powder1Density = 2.23; // ρf1, g/cm3
    double powder2Density = 2.8; // ρf2, g/cm3
    double water = 180.0; // Mw, kg
    double volPowder1 = 0; // results, L
    double volPowder2 = 0;
    double volSand = 0;
    double volCement = 0;
    double volCoarse = 0;
    double volWater = 0;
    double massPowder1 = 0; // results, kg
    double massPowder2 = 0;
    double massSand = 0;
    double massCement = 0;
    double massCoarse = 0;
    double massWater = 0;
    double cementDensity = 3.1; // ρc, g/cm3
    double powder1InertVol = 0; // Vf1in, L, used when powder 1 is inert
    double powder2InertVol = 0; // Vf2in, L
};

// Selection index of each list, -1 when nothing is selected.
struct Mix2Selections
{
    int powder2Kind = 2; // list 1050
    int powder1Kind = 1; // list 1049
    int aggregateKind = 1; // list 1018
    int sfGrade = 1; // list 1000
    int strengthGrade = 5; // list 1010
    int cementGrade = 3; // list 1011
};

// One number box of the form: its control ID, its ID name and the value it
// is bound to.
struct Mix2Box
{
    int id;
    const char* name;
    double Mix2Members::*value;
};

// The 28 boxes in exchange order; reading the form stops at the first box
// whose text is not a number, so the order is part of the behaviour.
inline constexpr Mix2Box kMix2Boxes[] = {
    { 1021, "IDC_COARSE_VOLUME", &Mix2Members::coarseVolume },
    { 1015, "IDC_CEMENT_SURPLUS", &Mix2Members::cementSurplus },
    { 1017, "IDC_STD_DEV", &Mix2Members::stdDev },
    { 1067, "IDC_POWDER1_REPLACE", &Mix2Members::powder1Replace },
    { 1036, "IDC_POWDER2_REPLACE", &Mix2Members::powder2Replace },
    { 1045, "IDC_POWDER1_EXCESS", &Mix2Members::powder1Excess },
    { 1055, "IDC_POWDER2_EXCESS", &Mix2Members::powder2Excess },
    { 1009, "IDC_SAND_DENSITY", &Mix2Members::sandDensity },
    { 1012, "IDC_COARSE_DENSITY", &Mix2Members::coarseDensity },
    { 1030, "IDC_AIR_CONTENT", &Mix2Members::airContent },
    { 1080, "IDC_POWDER1_DENSITY", &Mix2Members::powder1Density },
    { 1013, "IDC_POWDER2_DENSITY", &Mix2Members::powder2Density },
    { 1037, "IDC_WATER", &Mix2Members::water },
    { 1083, "IDC_POWDER1_VOL", &Mix2Members::volPowder1 },
    { 1031, "IDC_POWDER2_VOL", &Mix2Members::volPowder2 },
    { 1006, "IDC_SAND_VOL", &Mix2Members::volSand },
    { 1005, "IDC_CEMENT_VOL", &Mix2Members::volCement },
    { 1007, "IDC_COARSE_VOL", &Mix2Members::volCoarse },
    { 1016, "IDC_WATER_VOL", &Mix2Members::volWater },
    { 1084, "IDC_POWDER1_MASS", &Mix2Members::massPowder1 },
    { 1032, "IDC_POWDER2_MASS", &Mix2Members::massPowder2 },
    { 1025, "IDC_SAND_MASS", &Mix2Members::massSand },
    { 1024, "IDC_CEMENT_MASS", &Mix2Members::massCement },
    { 1026, "IDC_COARSE_MASS", &Mix2Members::massCoarse },
    { 1003, "IDC_WATER_MASS", &Mix2Members::massWater },
    { 1002, "IDC_CEMENT_DENSITY", &Mix2Members::cementDensity },
    { 1001, "IDC_POWDER1_INERT_VOL", &Mix2Members::powder1InertVol },
    { 1008, "IDC_POWDER2_INERT_VOL", &Mix2Members::powder2InertVol },
};
