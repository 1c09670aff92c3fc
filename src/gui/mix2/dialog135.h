#pragma once

#include "common/dialogtemplate.h"

// Template 135 (IDD_MIX2): the method-2 form, read top to bottom: design
// requirements, materials, the two powders side by side, then the results.
inline constexpr int IDD_MIX2 = 135;

const DialogSpec& Dialog135();
