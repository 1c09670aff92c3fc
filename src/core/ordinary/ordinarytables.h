#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The tables of JGJ 55-2011 (and table 3.5.3 of GB 50010-2010) that the
// ordinary-concrete design reads, as data with their numbers, and the
// readings the design makes of them. Values are integers of the unit each
// table is printed in: W/B and γ in 0.01, strengths in 0.1 MPa, percentages
// in 0.1 %, masses in kg, sizes in 0.1 mm.

enum class OrdinaryAggregate
{
    Crushed, // 碎石
    Gravel, // 卵石
};

enum class OrdinaryCement
{
    PI, // P·I / P·II
    PO, // P·O
};

enum class OrdinaryStructure
{
    Plain, // 素混凝土
    Reinforced, // 钢筋混凝土
    Prestressed, // 预应力混凝土
};

enum class OrdinaryExposure
{
    One, // 一
    TwoA, // 二a
    TwoB, // 二b
    ThreeA, // 三a
    ThreeB, // 三b
};

const char* AggregateText(OrdinaryAggregate kind); // "碎石"
const char* CementTypeText(OrdinaryCement type); // "P·O"
const char* StructureText(OrdinaryStructure structure); // "钢筋混凝土"
const char* ExposureText(OrdinaryExposure exposure); // "二a"
std::string SizeText(int size); // 315 → "31.5", 200 → "20"

// A range of a table: lower and upper bound.
struct OrdinaryBounds
{
    std::int64_t lower = 0;
    std::int64_t upper = 0;
};

// A range read between two rows of a table, linearly in the row key, each
// bound rounded half up once.
struct OrdinaryInterpolation
{
    std::int64_t from = 0, to = 0; // the rows' keys; equal when the key lies on a row
    OrdinaryBounds atFrom, atTo; // the rows' ranges
    OrdinaryBounds value; // the range at the key
};

// Table 4.0.2: σ of a grade below C60 (fcu,k in MPa), 0.1 MPa.
std::int64_t TableSigma(int grade);

// Table 5.1.4: γc of a cement grade (fce,g in 0.1 MPa), 0.01; 0 for no such grade.
std::int64_t CementSurplus(std::int64_t cementGrade);

// Table 5.1.3: γf by the fly-ash dosage and γs by the slag dosage (0.1 %),
// 0.01 units; empty beyond the table (fly ash above 40 %, slag above 50 %).
std::optional<OrdinaryInterpolation> FlyAshGamma(std::int64_t dosage);
std::optional<OrdinaryInterpolation> SlagGamma(std::int64_t dosage);

// Table 5.1.2: αa and αb, 0.01.
struct OrdinaryRegression
{
    std::int64_t alphaA = 0;
    std::int64_t alphaB = 0;
};
OrdinaryRegression RegressionCoefficients(OrdinaryAggregate kind);

// Whether the kind comes in that maximum size (0.1 mm): 碎石 16, 20, 31.5,
// 40; 卵石 10, 20, 31.5, 40.
bool HasMaxSize(OrdinaryAggregate kind, int size);

// Table 5.2.1-2, plastic concrete: the row of a slump of 10 to 90 mm (0 to
// 3), the row's text ("75～90") and the water of a column, kg.
int PlasticWaterRow(std::int64_t slump);
const char* PlasticWaterRowText(int row);
std::int64_t PlasticWater(int row, OrdinaryAggregate kind, int size);

// Table 5.2.1-1, dry-hard concrete: the row of a Vebe time of 5 to 20 s, its
// text ("16～20") and the water, kg; empty for 31.5 mm, which has no column.
int DryHardWaterRow(std::int64_t vebe);
const char* DryHardWaterRowText(int row);
std::optional<std::int64_t> DryHardWater(int row, OrdinaryAggregate kind, int size);

// Table 3.0.4: the least binder (kg) by the adopted W/B (0.01), for grades
// above C15; the second form gives the row's text ("0.45及以下").
std::int64_t MinimumBinder(std::int64_t wb, OrdinaryStructure structure);
const char* MinimumBinderRowText(std::int64_t wb);

// Tables 3.0.5-1 (reinforced) and 3.0.5-2 (prestressed): the largest
// dosage in % of the binder; the plain concrete has none.
enum class OrdinaryAddition
{
    FlyAsh,
    Slag,
    Composite,
};
const char* AdditionText(OrdinaryAddition addition); // "粉煤灰", "粒化高炉矿渣粉", "复合掺合料"
std::optional<int> MaximumDosage(
    OrdinaryStructure structure, OrdinaryAddition addition, OrdinaryCement cement, std::int64_t wb);
const char* MaximumDosageTable(OrdinaryStructure structure); // "3.0.5-1", "3.0.5-2"

// Table 5.4.2 at a W/B of 0.40 to 0.70 (0.01) in a column the table has
// (10, 16, 20 or 40 mm of its kind), 0.1 %; empty for any other.
std::optional<OrdinaryInterpolation> SandRatioColumn(
    std::int64_t wb, OrdinaryAggregate kind, int size);

// Table 7.1.2: the largest W/B of an impermeability grade (P6 …) at a grade
// (fcu,k in MPa); below C20 the C20–C30 column.
std::int64_t ImpermeableMaxWb(int impermeability, int grade);

// Table 7.2.2-1: the largest W/B of a frost grade (F50 …), with or without
// air entrainment; empty for F150 and above without it. And the least binder, kg.
std::optional<std::int64_t> FrostMaxWb(int frost, bool airEntrained);
std::int64_t FrostMinimumBinder(int frost);

// Table 7.3.2, C60 and above (fcu,k in MPa): W/B (0.01), binder (kg) and
// sand ratio (0.1 %).
struct OrdinaryHighStrength
{
    OrdinaryBounds wb;
    OrdinaryBounds binder;
    OrdinaryBounds sandRatio;
};
OrdinaryHighStrength HighStrengthRanges(int grade);

// Table 3.0.7: the least air content (0.1 %) of frost-resistant concrete
// with air entrainment, by the maximum size.
std::int64_t MinimumAirContent(int size);

// GB 50010-2010 table 3.5.3: the largest W/B and the least grade (fcu,k in
// MPa) of an exposure class.
struct OrdinaryExposureLimits
{
    std::int64_t maxWb = 0;
    int minGrade = 0;
};
OrdinaryExposureLimits ExposureLimits(OrdinaryExposure exposure, bool airEntrained);

// Other limits of JGJ 55-2011 the design applies.
inline constexpr std::int64_t kImpermeableMinimumBinder = 320; // kg
inline constexpr std::int64_t kPumpedMinimumBinder = 300; // kg
inline constexpr std::int64_t kMassiveMaxWb = 55; // 0.01
inline constexpr std::int64_t kMassiveMaxWater = 175; // kg
inline constexpr std::int64_t kHighStrengthMaxCement = 500; // kg
inline constexpr OrdinaryBounds kImpermeableSandRatio { 350, 450 }; // 0.1 %
inline constexpr OrdinaryBounds kPumpedSandRatio { 350, 450 };
inline constexpr OrdinaryBounds kMassiveSandRatio { 380, 420 };
inline constexpr std::int64_t kMaximumAirContent = 70; // 0.1 %
