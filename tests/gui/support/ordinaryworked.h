#pragma once

#include "ordinary/ordinarycalc.h"

#include <QStringList>

// The worked C30 design of ordinary concrete that the form, qoru-calc and the
// pictures are tried with: 42.5 cement, 10 % fly ash, crushed stone to 31.5 mm,
// slump 200 mm, W/B 0.40 and sand ratio 43 % chosen. Core only, so the
// command-line tests use it too.
inline OrdinaryInputs OrdinaryWorkedExample()
{
    OrdinaryInputs in;
    in.grade = 30;
    in.sigma = "5.0";
    in.cementGrade = 425;
    in.flyAsh = "10";
    in.gammaF = "0.95";
    in.aggregate = OrdinaryAggregate::Crushed;
    in.maxSize = 315;
    in.slump = "200";
    in.reducer = "25";
    in.admixture = "1.0";
    in.wb = "0.40";
    in.sandRatio = "43";
    return in;
}

// The same design as qoru-calc's options.
inline QStringList OrdinaryWorkedArguments()
{
    return { "ordinary", "--grade", "C30", "--sigma", "5.0", "--cement-grade", "42.5", "--fly-ash",
        "10", "--gamma-f", "0.95", "--aggregate", "crushed", "--max-size", "31.5", "--slump", "200",
        "--reducer", "25", "--admixture", "1.0", "--wb", "0.40", "--sand-ratio", "43" };
}
