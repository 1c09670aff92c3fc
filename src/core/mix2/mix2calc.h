#pragma once

#include "common/message.h"
#include "mix2/mix2members.h"

#include <string>

// Method 2: design the concrete for its strength grade by the water-cement
// ratio of ordinary concrete, then check the paste against the
// self-compacting ranges. Masses in kg, volumes in L, densities in g/cm3
// (kg/L), all per cubic metre of concrete.

struct Mix2Inputs
{
    Mix2Members members; // as read from the form
    Mix2Selections lists; // the powder kinds are not consulted: the held classes count
};

// Every working value of a press; those not reached stay 0.
struct Mix2Work
{
    double fcuO = 0; // fcu,o, preparation strength, MPa, unrounded
    double fce = 0; // cement 28-day strength, MPa, unrounded
    double wc = 0; // w/c, 2 decimals
    double water = 0; // Mw, 1 decimal; replaces the entered water
    double mco = 0; // theoretical cement, kg
    double vco = 0; // its volume, L
    double mf1 = 0, vf1 = 0, mc1 = 0, mj1 = 0; // powder 1: mass, volume, cement replaced, binder
    double mf2 = 0, vf2 = 0, mc2 = 0, mj2 = 0; // powder 2; mc2 is not rounded
    double mc = 0; // actual cement, kg
    double vc = 0; // its volume, L
    double vf = 0; // powder volume, L
    double wp = 0; // water-powder ratio by volume, 2 decimals
    double vpaste = 0; // paste volume, L
    // Reached only when the self-compacting check passes:
    double vg = 0; // coarse aggregate volume, L
    double mg = 0; // coarse aggregate mass, kg
    double vgas = 0; // air, L, unrounded
    double vs = 0; // fine aggregate volume, L
    double ms = 0; // fine aggregate mass, kg
    double mj = 0; // binder, kg, unrounded
    double wb = 0; // water-binder ratio by mass, 2 decimals
};

// The six conditions of the self-compacting check, each true when it fails.
struct Mix2Check
{
    bool powderLow = false; // Vf < 160
    bool powderHigh = false; // Vf > 230
    bool ratioLow = false; // W/P < 0.8
    bool ratioHigh = false; // W/P > 1.15
    bool pasteLow = false; // Vpaste < 320
    bool pasteHigh = false; // Vpaste > 400

    bool Passed() const
    {
        return !(powderLow || powderHigh || ratioLow || ratioHigh || pasteLow || pasteHigh);
    }
};

struct Mix2Outcome
{
    Messages messages; // in the order the user sees them
    bool stopped = false; // a stop ended the press: no report, boxes not written
    bool passed = false; // the self-compacting check passed and results were written
    // The members after the press, for the form to write back. The grade members
    // are refreshed from the lists; unless stopped, the water is the rounded Mw,
    // the inert volumes are Vf1 and Vf2, and, when passed, the results are set.
    Mix2Members members;
    Mix2Work work;
    Mix2Check check;
    std::string report; // UTF-8, begins with "\r\n", each line ended by "\r\n"; empty when stopped
};

// One press of Calculate. Shows nothing and keeps nothing.
Mix2Outcome CalculateMix2(const Mix2Inputs& in);

// The failure notice of a failed check: one line per failed condition, then
// the closing sentence.
std::string Mix2FailureMessage(const Mix2Work& w, const Mix2Check& check);
