#pragma once

// The calculators, as a completed calculation names the one it came from.
enum class CalcKind
{
    Mix1,
    Mix2,
    StdDev,
    Evaluate,
    Adjust
};
