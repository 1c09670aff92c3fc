#include "cli/resultsjson.h"

nlohmann::json Mix1ResultsJson(const Mix1Outcome& out)
{
    const Mix1Results& r = out.results;
    const Mix1Working& w = out.working;
    return {
        { "cementVolume", r.cementVolume },
        { "flyAshVolume", r.flyAshVolume },
        { "slagVolume", r.slagVolume },
        { "sandVolume", r.sandVolume },
        { "coarseVolume", r.coarseVolume },
        { "waterVolume", r.waterVolume },
        { "cementMass", r.cementMass },
        { "flyAshMass", r.flyAshMass },
        { "slagMass", r.slagMass },
        { "sandMass", r.sandMass },
        { "coarseMass", r.coarseMass },
        { "waterMass", r.waterMass },
        { "admixtureMass", r.admixtureMass },
        { "Vg", w.vg },
        { "Vm", w.vm },
        { "Vs", w.vs },
        { "Vp", w.vp },
        { "rhoB", w.rhoB },
        { "fcu0", w.fcu0 },
        { "WB", out.inputs.wb },
        { "Mb", w.mb },
        { "Mg", w.mg },
        { "Ms", w.ms },
        { "Mw", w.mw },
        { "Mf", w.mf },
        { "Mk", w.mk },
        { "Mc", w.mc },
        { "Mca", w.mca },
        { "fcuK", out.inputs.fcuK },
        { "fceG", out.inputs.fceG },
        { "rhoF", out.inputs.rhoF },
        { "rhoK", out.inputs.rhoK },
    };
}
