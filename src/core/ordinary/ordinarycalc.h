#pragma once

#include "common/message.h"
#include "ordinary/ordinarytables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The mix design of ordinary concrete by JGJ 55-2011, in exact decimal
// arithmetic: every printed figure is an exact fraction rounded half up once,
// to the decimals it is printed with, and the next step uses it as printed,
// so a hand calculation reaches every figure of the report.

enum class OrdinaryWorkability
{
    Slump, // 坍落度, mm
    Vebe, // 维勃稠度, s: dry-hard concrete
};

enum class OrdinaryMethod
{
    Mass, // 质量法
    Volume, // 体积法
};

// The controls of the form, in the order they are read; a stop names the
// one it concerns.
enum class OrdinaryBox : int
{
    Grade,
    Sigma,
    CementGrade,
    Fce,
    FlyAsh,
    GammaF,
    Slag,
    GammaS,
    Fb,
    Aggregate,
    MaxSize,
    Slump,
    Vebe,
    WaterAdjust,
    Reducer,
    Admixture,
    AirEntrained,
    Impermeability,
    Frost,
    Wb,
    SandRatio,
    Mcp,
    RhoC,
    RhoF,
    RhoK,
    RhoS,
    RhoG,
    Air,
};

// The form's values: lists and ticks as plain values, number boxes as typed
// (UTF-8), read by the number-box rule and taken half up to the unit noted.
// A default value is the form as it opens.
struct OrdinaryInputs
{
    int grade = 0; // fcu,k in MPa: 10, 15 … 80; 0 when none is chosen
    std::string sigma; // σ, 0.1 MPa; empty: table 4.0.2; ignored from C60
    OrdinaryCement cementType = OrdinaryCement::PO;
    int cementGrade = 0; // fce,g in 0.1 MPa: 325, 425, 525; 0 when none is chosen
    std::string fce; // measured, 0.1 MPa; empty: γc × fce,g
    std::string flyAsh = "0"; // βf, 0.1 % of the binder
    std::string gammaF; // 0.01; empty: table 5.1.3's upper bound
    std::string slag = "0"; // βk, 0.1 % of the binder
    std::string gammaS; // 0.01; empty: table 5.1.3's upper bound
    std::string fb; // measured, 0.1 MPa; empty: γf × γs × fce
    std::optional<OrdinaryAggregate> aggregate; // none chosen
    int maxSize = 0; // 0.1 mm: 100, 160, 200, 315, 400; 0 when none is chosen
    OrdinaryWorkability workability = OrdinaryWorkability::Slump;
    std::string slump; // 1 mm, 10–250; read for Slump only
    std::string vebe; // 1 s, 5–20; read for Vebe only
    std::string waterAdjust = "0"; // 1 kg, −10…+10: fine sand +, coarse −
    std::string reducer = "0"; // β, 0.1 %, 0–40
    std::string admixture = "0"; // βa, 0.1 % of the binder, 0–5
    OrdinaryStructure structure = OrdinaryStructure::Reinforced;
    OrdinaryExposure exposure = OrdinaryExposure::One;
    bool airEntrained = false;
    int impermeability = 0; // P6, P8 …: 6, 8 …; 0: none
    int frost = 0; // F50, F100 …: 50, 100 …; 0: none
    bool pumped = false;
    bool massive = false; // 大体积
    std::string wb; // 自定, 0.01; empty: computed (needed from C60)
    std::string sandRatio; // 自定, 0.1 %; empty: from the tables
    OrdinaryMethod method = OrdinaryMethod::Mass;
    std::string mcp = "2400"; // 1 kg/m3; read for Mass only
    // Read for Volume only: densities 0.01 g/cm3, air α 0.1 %.
    std::string rhoC = "3.10";
    std::string rhoF = "2.20";
    std::string rhoK = "2.90";
    std::string rhoS = "2.65";
    std::string rhoG = "2.70";
    std::string air = "1";
};

// The inputs as read, in integer units.
struct OrdinaryValues
{
    int grade = 0; // MPa
    std::optional<std::int64_t> sigma; // 0.1 MPa, given (below C60 only)
    OrdinaryCement cementType = OrdinaryCement::PO;
    std::int64_t cementGrade = 0; // 0.1 MPa
    std::optional<std::int64_t> fce; // 0.1 MPa, measured
    std::int64_t flyAsh = 0, slag = 0; // 0.1 %
    std::optional<std::int64_t> gammaF, gammaS; // 0.01, given; not read with a measured fb
    std::optional<std::int64_t> fb; // 0.1 MPa, measured
    OrdinaryAggregate aggregate = OrdinaryAggregate::Crushed;
    int maxSize = 0; // 0.1 mm
    OrdinaryWorkability workability = OrdinaryWorkability::Slump;
    std::int64_t consistency = 0; // slump, mm, or Vebe time, s
    std::int64_t waterAdjust = 0; // kg
    std::int64_t reducer = 0, admixture = 0; // 0.1 %
    OrdinaryStructure structure = OrdinaryStructure::Reinforced;
    OrdinaryExposure exposure = OrdinaryExposure::One;
    bool airEntrained = false;
    int impermeability = 0, frost = 0;
    bool pumped = false, massive = false;
    std::optional<std::int64_t> wb; // 0.01, 自定
    std::optional<std::int64_t> sandRatio; // 0.1 %, 自定
    OrdinaryMethod method = OrdinaryMethod::Mass;
    std::int64_t mcp = 0; // kg/m3
    std::int64_t rhoC = 0, rhoF = 0, rhoK = 0, rhoS = 0, rhoG = 0; // 0.01 g/cm3
    std::int64_t air = 0; // 0.1 %
};

// One mix per cubic metre.
struct OrdinaryMix
{
    std::int64_t wb = 0; // 0.01
    std::int64_t water = 0; // kg
    std::int64_t binder = 0; // kg
    std::int64_t cement = 0, flyAsh = 0, slag = 0; // kg
    std::int64_t admixture = 0; // 0.01 kg
    std::int64_t sandRatio = 0; // 0.1 %
    std::optional<std::int64_t> volume; // of sand and stone, 0.1 L; volume method only
    std::int64_t aggregates = 0; // sand and stone, kg
    std::int64_t sand = 0, stone = 0; // kg
};

// A limit the design applies, and where it comes from ("环境类别一（GB
// 50010-2010表3.5.3）").
struct OrdinaryLimit
{
    std::int64_t value = 0;
    std::string source;
};

// One dosage held against table 3.0.5-1 or 3.0.5-2.
struct OrdinaryDosageCheck
{
    OrdinaryAddition addition = OrdinaryAddition::FlyAsh;
    std::int64_t dosage = 0; // 0.1 %
    int maximum = 0; // %
};

enum class OrdinarySigmaSource
{
    Table, // table 4.0.2
    Given, // the plant's, at or above its floor
    Floored, // the plant's, raised to 3.0 or 4.0
};

// A sand-ratio band of a special requirement.
struct OrdinaryBand
{
    OrdinaryBounds bounds; // 0.1 %
    std::string source; // "抗渗混凝土"
};

// How the sand ratio was reached.
struct OrdinarySandRatioWork
{
    bool highStrength = false; // table 7.3.2's range in place of table 5.4.2
    // Table 5.4.2: one column, or the 20 and 40 mm columns for 31.5 mm.
    std::vector<OrdinaryInterpolation> columns;
    std::vector<int> columnSizes; // 0.1 mm
    std::optional<OrdinaryBounds> sized; // 31.5 mm: between the two columns, 0.1 %
    std::optional<std::int64_t> slumpIncrement; // above 60 mm, 0.01 %
    std::optional<OrdinaryBounds> range; // the final range, 0.1 %; none where no table applies
    std::optional<std::int64_t> middle; // (lower + upper) / 2, 0.01 %, when not 自定
    std::optional<std::int64_t> rounded; // the middle half up to 1 %, 0.1 %
    std::vector<OrdinaryBand> bands; // 抗渗, 泵送, 大体积 where they apply
};

struct OrdinaryResults
{
    std::optional<std::int64_t> sigma; // σ used, 0.1 MPa; none from C60
    OrdinarySigmaSource sigmaSource = OrdinarySigmaSource::Table;
    std::int64_t fcu0 = 0; // 0.1 MPa
    std::int64_t gammaC = 0; // 0.01, table 5.1.4
    std::int64_t fce = 0; // 0.1 MPa, measured or computed
    std::optional<OrdinaryInterpolation> gammaFRange, gammaSRange; // table 5.1.3; none beyond it
    std::optional<std::int64_t> gammaF, gammaS; // 0.01; none with a measured fb
    std::int64_t fb = 0; // 0.1 MPa
    OrdinaryRegression regression; // table 5.1.2
    std::optional<std::int64_t> wbCalculated; // 0.01; none from C60
    std::vector<OrdinaryLimit> wbLimits; // the largest W/Bs that apply
    std::int64_t wb = 0; // adopted, 0.01
    int waterRow = 0; // of table 5.2.1-2, or 5.2.1-1 for Vebe
    std::int64_t waterTable = 0; // kg
    std::int64_t mw0Prime = 0; // mw0′, 0.1 kg
    std::int64_t binderComputed = 0; // mw0 / W/B, kg
    std::vector<OrdinaryLimit> binderMinima; // the least binders that apply
    std::optional<std::int64_t> binderMinimum; // the largest of them, kg
    std::vector<OrdinaryDosageCheck> dosageChecks;
    OrdinarySandRatioWork sandRatioWork;
    OrdinaryMix mix; // the calculated mix (计算配合比)
    std::int64_t density = 0; // kg/m3, without the admixture
    std::array<std::int64_t, 3> ratio {}; // sand, stone, water per binder, 0.01
    std::array<OrdinaryMix, 3> trials {}; // W/B − step, the mix, W/B + step
};

struct OrdinaryOutcome
{
    Messages messages; // in the order they are shown
    bool stopped = false;
    // A box that holds no number ends the press as in the other forms.
    bool notANumber = false;
    std::optional<OrdinaryBox> focus; // the control a stop concerns
    OrdinaryValues values; // as read
    OrdinaryResults results; // complete unless stopped
    std::string report; // UTF-8, begins with "\r\n"; empty when stopped
};

OrdinaryOutcome CalculateOrdinary(const OrdinaryInputs& in);

// Grades the design takes: C10 to C80 in steps of 5.
bool IsOrdinaryGrade(int grade);
