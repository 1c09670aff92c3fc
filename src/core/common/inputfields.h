#pragma once

#include "adjust/adjustcalc.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2calc.h"
#include "ordinary/ordinarycalc.h"
#include "stats/evaluation.h"
#include "stats/stddev.h"

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// The named input fields of every calculator: one table per inputs struct,
// walked by a visitor that writes the fields out or reads them in, so the
// ledger's record of the inputs and qoru-calc's "inputs" name them alike and
// a field added to one direction cannot be forgotten in the other.
//
// A visitor offers, for a key and a field it may read or overwrite:
//   num(key, double&), num(key, int&), num(key, std::int64_t&),
//   flag(key, bool&), text(key, std::string&),
//   numbers(key, std::vector<double>&),
//   groups(key, std::vector<std::vector<std::int64_t>>&).
// A reader leaves a field it has no value for as it is.

template <typename F> void Walk(F& f, Mix1Inputs& in)
{
    f.num("performanceIndex", in.performanceIndex);
    f.num("strengthIndex", in.strengthIndex);
    f.num("cementIndex", in.cementIndex);
    f.text("performanceText", in.performanceText);
    f.text("slumpFlowText", in.slumpFlowText);
    f.text("strengthText", in.strengthText);
    f.num("fcuK", in.fcuK);
    f.num("fceG", in.fceG);
    f.flag("customRatio", in.customRatio);
    f.num("sigma", in.sigma);
    f.num("rhoC", in.rhoC);
    f.num("wb", in.wb);
    f.num("vg", in.vg);
    f.num("phiS", in.phiS);
    f.num("beta1", in.beta1);
    f.num("beta2", in.beta2);
    f.num("va", in.va);
    f.num("rhoG", in.rhoG);
    f.num("rhoS", in.rhoS);
    f.num("rhoF", in.rhoF);
    f.num("rhoK", in.rhoK);
    f.num("alpha", in.alpha);
}

template <typename F> void Walk(F& f, Mix2Inputs& in)
{
    Mix2Members& m = in.members;
    f.text("powder1Name", m.powder1Name);
    f.text("powder2Name", m.powder2Name);
    f.num("powder1Class", m.powder1Class);
    f.num("powder2Class", m.powder2Class);
    f.text("sfGrade", m.sfGrade);
    f.text("slumpFlow", m.slumpFlow);
    f.text("vFunnelTime", m.vFunnelTime);
    f.num("strength", m.strength);
    f.text("strengthGrade", m.strengthGrade);
    f.num("cementGrade", m.cementGrade);
    f.text("aggregateKind", m.aggregateKind);
    f.num("alphaA", m.alphaA);
    f.num("alphaB", m.alphaB);
    f.num("coarseVolume", m.coarseVolume);
    f.num("cementSurplus", m.cementSurplus);
    f.num("stdDev", m.stdDev);
    f.num("powder1Replace", m.powder1Replace);
    f.num("powder2Replace", m.powder2Replace);
    f.num("powder1Excess", m.powder1Excess);
    f.num("powder2Excess", m.powder2Excess);
    f.num("sandDensity", m.sandDensity);
    f.num("coarseDensity", m.coarseDensity);
    f.num("airContent", m.airContent);
    f.num("powder1Density", m.powder1Density);
    f.num("powder2Density", m.powder2Density);
    f.num("water", m.water);
    f.num("cementDensity", m.cementDensity);
    f.num("powder1InertVol", m.powder1InertVol);
    f.num("powder2InertVol", m.powder2InertVol);
    // The result boxes are outputs: a reloaded form shows them as the press
    // that follows writes them, so they are not kept.
    Mix2Selections& s = in.lists;
    f.num("powder1Kind", s.powder1Kind);
    f.num("powder2Kind", s.powder2Kind);
    f.num("aggregateKindIndex", s.aggregateKind);
    f.num("sfGradeIndex", s.sfGrade);
    f.num("strengthGradeIndex", s.strengthGrade);
    f.num("cementGradeIndex", s.cementGrade);
}

template <typename F> void Walk(F& f, AdjustInputs& in)
{
    static const char* const kMasses[kAdjustMaterials]
        = { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" };
    f.text("powder1Name", in.powder1Name);
    f.text("powder2Name", in.powder2Name);
    for (int i = 0; i < kAdjustMaterials; ++i)
        f.text(kMasses[i], in.masses[static_cast<std::size_t>(i)]);
    f.text("measuredDensity", in.measuredDensity);
    f.text("sandMoisture", in.sandMoisture);
    f.text("coarseMoisture", in.coarseMoisture);
    f.text("volume", in.volume);
}

template <typename F> void Walk(F& f, EvaluationInputs& in)
{
    int method = static_cast<int>(in.method);
    int size = static_cast<int>(in.size);
    f.text("gradeText", in.gradeText);
    f.num("fcuK", in.fcuK);
    f.num("method", method);
    f.num("sigma0", in.sigma0);
    f.num("size", size);
    f.num("factor", in.factor);
    f.flag("sizeNotice", in.sizeNotice);
    if (method >= 0 && method <= static_cast<int>(EvalMethod::NonStat))
        in.method = static_cast<EvalMethod>(method);
    if (size >= 0 && size <= static_cast<int>(SpecimenSize::Mm200))
        in.size = static_cast<SpecimenSize>(size);
    // Each group a list of its strengths in 0.1 MPa.
    std::vector<std::vector<std::int64_t>> groups;
    for (const EvalGroup& g : in.groups)
        groups.push_back(g.strengths);
    f.groups("groups", groups);
    in.groups.resize(groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i)
        in.groups[i].strengths = groups[i];
}

template <typename F> void Walk(F& f, StdDevInputs& in)
{
    f.numbers("strengths", in.strengths);
}

template <typename F> void Walk(F& f, OrdinaryInputs& in)
{
    // The lists as their index in the enum, taken only when it is one of
    // the list's; no aggregate chosen is -1.
    const auto choice = [&f](const char* key, auto& e, auto last) {
        int n = static_cast<int>(e);
        f.num(key, n);
        if (n >= 0 && n <= static_cast<int>(last))
            e = static_cast<std::decay_t<decltype(e)>>(n);
    };
    f.num("grade", in.grade);
    f.text("sigma", in.sigma);
    choice("cementType", in.cementType, OrdinaryCement::PO);
    f.num("cementGrade", in.cementGrade);
    f.text("fce", in.fce);
    f.text("flyAsh", in.flyAsh);
    f.text("gammaF", in.gammaF);
    f.text("slag", in.slag);
    f.text("gammaS", in.gammaS);
    f.text("fb", in.fb);
    int aggregate = in.aggregate ? static_cast<int>(*in.aggregate) : -1;
    f.num("aggregate", aggregate);
    if (aggregate >= -1 && aggregate <= static_cast<int>(OrdinaryAggregate::Gravel))
        in.aggregate = aggregate < 0 ? std::nullopt
                                     : std::optional(static_cast<OrdinaryAggregate>(aggregate));
    f.num("maxSize", in.maxSize);
    choice("workability", in.workability, OrdinaryWorkability::Vebe);
    f.text("slump", in.slump);
    f.text("vebe", in.vebe);
    f.text("waterAdjust", in.waterAdjust);
    f.text("reducer", in.reducer);
    f.text("admixture", in.admixture);
    choice("structure", in.structure, OrdinaryStructure::Prestressed);
    choice("exposure", in.exposure, OrdinaryExposure::ThreeB);
    f.flag("airEntrained", in.airEntrained);
    f.num("impermeability", in.impermeability);
    f.num("frost", in.frost);
    f.flag("pumped", in.pumped);
    f.flag("massive", in.massive);
    f.text("wb", in.wb);
    f.text("sandRatio", in.sandRatio);
    choice("method", in.method, OrdinaryMethod::Volume);
    f.text("mcp", in.mcp);
    f.text("rhoC", in.rhoC);
    f.text("rhoF", in.rhoF);
    f.text("rhoK", in.rhoK);
    f.text("rhoS", in.rhoS);
    f.text("rhoG", in.rhoG);
    f.text("air", in.air);
}
