#pragma once

#include "common/message.h"
#include "mix1/mix1lists.h"

#include <optional>
#include <string>

// Method-1 mix design (absolute volumes, JGJ/T 283-2012): the values the
// form holds after reading its boxes. A default-constructed value is the
// form as it opens.
struct Mix1Inputs
{
    // Selections of the three lists, -1 for none.
    int performanceIndex = kOpeningPerformanceIndex;
    int strengthIndex = kOpeningStrengthIndex;
    int cementIndex = kOpeningCementIndex;

    // Held by the list handlers, not read from the lists' edit fields.
    std::string performanceText = "SF2";
    std::string slumpFlowText = "660～755"; // mm
    std::string strengthText = "C60";
    double fcuK = 60; // MPa, strength grade value
    double fceG = 52.5; // MPa, cement strength grade

    bool customRatio = false; // W/B is entered, not computed

    // Number boxes.
    double sigma = 3; // MPa: standard deviation of strength
    double rhoC = 3100; // kg/m3: cement apparent density
    double wb = 0.34; // water-binder ratio Mw/Mb
    double vg = 0.33; // m3: coarse-aggregate volume
    double phiS = 0.45; // sand volume fraction of the mortar
    double beta1 = 0.1; // fly-ash mass fraction of the binder
    double beta2 = 0.1; // slag-powder mass fraction of the binder
    double va = 10; // L: entrained air
    double rhoG = 2700; // kg/m3: coarse aggregate
    double rhoS = 2670; // kg/m3: sand
    double rhoF = 2300; // kg/m3: fly ash
    double rhoK = 2300; // kg/m3: slag powder
    double alpha = 1.5; // %: admixture mass per binder mass
};

// The list handlers. Each sets the held values from its list's selection
// and leaves them alone when nothing (or no known item) is selected.
void ApplyStrengthGrade(Mix1Inputs& in);
void ApplyCementGrade(Mix1Inputs& in);
// Also returns the grade's range notice when the current Vg lies outside it;
// the notice never blocks and Vg is left as it is.
std::optional<Message> ApplyPerformanceGrade(Mix1Inputs& in);

// Values the report shows and the form keeps; rounded where the method
// rounds them.
struct Mix1Working
{
    double vg = 0; // m3, rounded to 2 decimals
    double vm = 0; // m3, mortar
    double vs = 0; // m3, sand
    double vp = 0; // m3, paste
    double rhoB = 0; // kg/m3, binder apparent density
    double fcu0 = 0; // MPa, preparation strength
    double mb = 0; // kg, binder
    double mg = 0; // kg, coarse aggregate
    double ms = 0; // kg, sand
    double mw = 0; // kg, water (not rounded)
    double mf = 0; // kg, fly ash
    double mk = 0; // kg, slag powder
    double mc = 0; // kg, cement
    double mca = 0; // kg, admixture (not rounded)
};

// The thirteen result boxes per cubic metre of concrete, each holding the
// number exactly as the report prints it (volumes 2 decimals, masses 1).
struct Mix1Results
{
    double cementVolume = 0; // L
    double flyAshVolume = 0; // L
    double slagVolume = 0; // L
    double sandVolume = 0; // L
    double coarseVolume = 0; // L
    double waterVolume = 0; // L
    double cementMass = 0; // kg
    double flyAshMass = 0; // kg
    double slagMass = 0; // kg
    double sandMass = 0; // kg
    double coarseMass = 0; // kg
    double waterMass = 0; // kg
    double admixtureMass = 0; // kg
};

struct Mix1Outcome
{
    Messages messages; // in the order they are shown
    bool stopped = false;
    // What the form writes back: the grade values of the list handlers, the
    // rounded or computed W/B, 2300 in place of ρf or ρk whose fraction is 0.
    // Equal to the inputs when stopped.
    Mix1Inputs inputs;
    Mix1Working working; // zero when stopped
    Mix1Results results; // zero when stopped
    // To be appended to the view's text; starts with its own "\r\n".
    // Empty when stopped.
    std::string report;
};

// The Calculate button: checks, list handlers, the twelve steps, the report.
Mix1Outcome CalculateMix1(const Mix1Inputs& in);
