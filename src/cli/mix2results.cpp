#include "cli/resultsjson.h"

#include "common/reportnum.h"

#include <cstdlib>

namespace {

// A number as the form shows it, with at most 15 significant digits, so that
// 1561 × 0.1 comes out as 156.1.
double Shown(double value)
{
    return std::strtod(FormatGeneral(value, 15).c_str(), nullptr);
}

} // namespace

nlohmann::json Mix2ResultsJson(const Mix2Outcome& out)
{
    const Mix2Members& m = out.members;
    const Mix2Work& w = out.work;
    return {
        { "waterVolume", Shown(m.volWater) },
        { "cementVolume", Shown(m.volCement) },
        { "powder1Volume", Shown(m.volPowder1) },
        { "powder2Volume", Shown(m.volPowder2) },
        { "sandVolume", Shown(m.volSand) },
        { "coarseVolume", Shown(m.volCoarse) },
        { "waterMass", Shown(m.massWater) },
        { "cementMass", Shown(m.massCement) },
        { "powder1Mass", Shown(m.massPowder1) },
        { "powder2Mass", Shown(m.massPowder2) },
        { "sandMass", Shown(m.massSand) },
        { "coarseMass", Shown(m.massCoarse) },
        { "fcu0", Shown(w.fcuO) },
        { "fce", Shown(w.fce) },
        { "wc", Shown(w.wc) },
        { "Mw", Shown(w.water) },
        { "Mco", Shown(w.mco) },
        { "Vco", Shown(w.vco) },
        { "Mf1", Shown(w.mf1) },
        { "Vf1", Shown(w.vf1) },
        { "Mc1", Shown(w.mc1) },
        { "Mj1", Shown(w.mj1) },
        { "Mf2", Shown(w.mf2) },
        { "Vf2", Shown(w.vf2) },
        { "Mc2", Shown(w.mc2) },
        { "Mj2", Shown(w.mj2) },
        { "Mc", Shown(w.mc) },
        { "Vc", Shown(w.vc) },
        { "Vf", Shown(w.vf) },
        { "WP", Shown(w.wp) },
        { "Vpaste", Shown(w.vpaste) },
        { "Vg", Shown(w.vg) },
        { "Mg", Shown(w.mg) },
        { "Vgas", Shown(w.vgas) },
        { "Vs", Shown(w.vs) },
        { "Ms", Shown(w.ms) },
        { "Mj", Shown(w.mj) },
        { "WB", Shown(w.wb) },
        { "fcuK", Shown(m.strength) },
        { "fceG", Shown(m.cementGrade) },
        { "alphaA", Shown(m.alphaA) },
        { "alphaB", Shown(m.alphaB) },
        { "powder1Class", m.powder1Class },
        { "powder2Class", m.powder2Class },
    };
}
