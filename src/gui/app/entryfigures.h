#pragma once

#include "common/calckind.h"

#include <string>

// What the ledger lists and the documents print of a calculation besides its
// inputs and report, worked out by the core from the recorded inputs, so an
// entry says what its inputs give and never what a box happened to show.
struct EntryFigures
{
    std::string grade; // 强度等级
    std::string waterBinder; // W/B as the report prints it
    std::string verdict; // 合格 / 不合格; a trial batch's 不校正 / 已校正
    std::string figuresJson; // the "results" qoru-calc --json prints for the inputs
};

// Empty figures for inputs that are no JSON of the kind.
EntryFigures FiguresOf(CalcKind kind, const std::string& inputsJson);
