#pragma once

#include <string>

// What the method-2 form holds between presses: the texts and values the list
// handlers set, the powder classes, and the 28 box values. The defaults are
// the values the form opens with.
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

    // The number boxes.
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
    int powder2Kind = 2;
    int powder1Kind = 1;
    int aggregateKind = 1;
    int sfGrade = 1;
    int strengthGrade = 5;
    int cementGrade = 3;
};
