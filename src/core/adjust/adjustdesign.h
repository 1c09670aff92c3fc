#pragma once

#include "adjust/adjustcalc.h"

struct Mix1Results;
struct Mix2Members;
struct OrdinaryMix;

// A designed mix as the adjustment form opens with it: the masses per cubic
// metre as the design form's boxes show them, the powders under their names,
// the other boxes at their opening values.
AdjustInputs AdjustInputsFromMix1(const Mix1Results& r);
AdjustInputs AdjustInputsFromMix2(const Mix2Members& m); // method 2 uses no admixture
AdjustInputs AdjustInputsFromOrdinary(const OrdinaryMix& m); // the calculated mix
