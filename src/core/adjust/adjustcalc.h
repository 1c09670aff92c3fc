#pragma once

#include "common/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// Trial batch, density correction and site mix of a designed mix, in exact
// decimal arithmetic: every figure is an exact fraction rounded half up once,
// to the decimals it is printed with, so a hand calculation reaches it.

// The materials, in the order the form, the report and the JSON list them.
enum AdjustMaterial : int
{
    kAdjustCement,
    kAdjustPowder1,
    kAdjustPowder2,
    kAdjustSand,
    kAdjustCoarse,
    kAdjustWater,
    kAdjustAdmixture,
    kAdjustMaterials
};

// The number boxes, in the order they are read: the seven masses first.
enum class AdjustBox : int
{
    Cement,
    Powder1,
    Powder2,
    Sand,
    Coarse,
    Water,
    Admixture,
    MeasuredDensity,
    SandMoisture,
    CoarseMoisture,
    Volume
};

// Decimals of a mass per cubic metre: 0.1 kg, the admixture 0.01 kg.
int AdjustMassDecimals(int material);
inline constexpr int kAdjustBatchDecimals = 3; // kg per batch

// Masses, each in units of its decimals.
using AdjustMasses = std::array<std::int64_t, kAdjustMaterials>;

// The boxes' texts as typed (UTF-8); a default value is the form opened with
// no design: empty masses, the powders not yet named.
struct AdjustInputs
{
    std::string powder1Name = "粉体一";
    std::string powder2Name = "粉体二";
    std::array<std::string, kAdjustMaterials> masses; // kg per m3
    std::string measuredDensity; // ρc,t, kg/m3; empty or 0: no correction
    std::string sandMoisture = "0"; // ws, %
    std::string coarseMoisture = "0"; // wg, %
    std::string volume = "25"; // V, L
};

struct AdjustResults
{
    AdjustMasses design {}; // as entered, rounded
    std::int64_t computedDensity = 0; // ρc,c, 0.1 kg/m3
    std::optional<std::int64_t> measuredDensity; // ρc,t, 1 kg/m3; none when not given
    std::optional<std::int64_t> deviation; // 0.01 %
    std::optional<std::int64_t> delta; // δ, 0.001; only when corrected
    bool corrected = false;
    AdjustMasses lab {}; // the laboratory mix
    std::int64_t binder = 0; // mb of the laboratory mix, 0.1 kg
    std::int64_t wb = 0; // W/B, 0.01
    std::int64_t sandRatio = 0, coarseRatio = 0, waterRatio = 0; // per binder, 0.01
    std::int64_t sandMoisture = 0, coarseMoisture = 0; // ws, wg, 0.1 %
    std::int64_t sandWater = 0, coarseWater = 0; // water the aggregates carry, 0.1 kg
    AdjustMasses site {};
    std::int64_t volume = 0; // V, 0.1 L
    AdjustMasses batch {}; // 0.001 kg
};

struct AdjustOutcome
{
    Messages messages; // in the order they are shown
    bool stopped = false;
    // A box that holds no number ends the press as in the other forms: its
    // message is the framework's, not the calculator's.
    bool notANumber = false;
    std::optional<AdjustBox> focus; // the box a stop concerns
    AdjustResults results; // complete unless stopped
    std::string report; // UTF-8, begins with "\r\n"; empty when stopped
};

AdjustOutcome CalculateAdjust(const AdjustInputs& in);
