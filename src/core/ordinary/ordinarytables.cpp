#include "ordinary/ordinarytables.h"

#include "common/exactdecimal.h"

#include <iterator>

namespace {

using i64 = std::int64_t;

// Columns of the water and sand-ratio tables: kind and maximum size (0.1 mm).
struct Column
{
    OrdinaryAggregate kind;
    int size;
};

constexpr OrdinaryAggregate kGravel = OrdinaryAggregate::Gravel;
constexpr OrdinaryAggregate kCrushed = OrdinaryAggregate::Crushed;

template <std::size_t N> int ColumnOf(const Column (&columns)[N], OrdinaryAggregate kind, int size)
{
    for (std::size_t i = 0; i < N; ++i)
        if (columns[i].kind == kind && columns[i].size == size)
            return static_cast<int>(i);
    return -1;
}

// ---- Table 4.0.2: σ (0.1 MPa) up to a grade.
struct SigmaRow
{
    int upToGrade;
    i64 sigma;
};
constexpr SigmaRow kTable402[] = { { 20, 40 }, { 45, 50 }, { 55, 60 } };

// ---- Table 5.1.4: γc (0.01) of a cement grade (0.1 MPa).
struct SurplusRow
{
    i64 cementGrade;
    i64 gammaC;
};
constexpr SurplusRow kTable514[] = { { 325, 112 }, { 425, 116 }, { 525, 110 } };

// ---- Table 5.1.3: γf and γs (0.01) by the dosage (%).
struct GammaRow
{
    i64 dosage;
    OrdinaryBounds gamma;
};
constexpr GammaRow kTable513FlyAsh[] = {
    { 0, { 100, 100 } },
    { 10, { 85, 95 } },
    { 20, { 75, 85 } },
    { 30, { 65, 75 } },
    { 40, { 55, 65 } },
};
constexpr GammaRow kTable513Slag[] = {
    { 0, { 100, 100 } },
    { 10, { 100, 100 } },
    { 20, { 95, 100 } },
    { 30, { 90, 100 } },
    { 40, { 80, 90 } },
    { 50, { 70, 85 } },
};

// ---- Table 5.1.2: αa, αb (0.01).
constexpr OrdinaryRegression kTable512Crushed { 53, 20 };
constexpr OrdinaryRegression kTable512Gravel { 49, 13 };

// ---- Table 5.2.1-2: water (kg) of plastic concrete, rows by slump (mm).
constexpr Column kTable5212Columns[] = { { kGravel, 100 }, { kGravel, 200 }, { kGravel, 315 },
    { kGravel, 400 }, { kCrushed, 160 }, { kCrushed, 200 }, { kCrushed, 315 }, { kCrushed, 400 } };
constexpr i64 kTable5212RowTop[] = { 30, 50, 70, 90 };
constexpr const char* kTable5212RowText[] = { "10～30", "35～50", "55～70", "75～90" };
constexpr i64 kTable5212[4][8] = {
    { 190, 170, 160, 150, 200, 185, 175, 165 },
    { 200, 180, 170, 160, 210, 195, 185, 175 },
    { 210, 190, 180, 170, 220, 205, 195, 185 },
    { 215, 195, 185, 175, 230, 215, 205, 195 },
};

// ---- Table 5.2.1-1: water (kg) of dry-hard concrete, rows by Vebe time (s).
constexpr Column kTable5211Columns[] = { { kGravel, 100 }, { kGravel, 200 }, { kGravel, 400 },
    { kCrushed, 160 }, { kCrushed, 200 }, { kCrushed, 400 } };
constexpr i64 kTable5211RowLeast[] = { 16, 11, 5 };
constexpr const char* kTable5211RowText[] = { "16～20", "11～15", "5～10" };
constexpr i64 kTable5211[3][6] = {
    { 175, 160, 145, 180, 170, 155 },
    { 180, 165, 150, 185, 175, 160 },
    { 185, 170, 155, 190, 180, 165 },
};

// ---- Table 3.0.4: least binder (kg) by the largest W/B of a row (0.01):
// plain, reinforced, prestressed.
struct BinderRow
{
    i64 maxWb;
    const char* text;
    i64 binder[3];
};
constexpr BinderRow kTable304[] = {
    { 45, "0.45及以下", { 330, 330, 330 } },
    { 50, "0.50", { 320, 320, 320 } },
    { 55, "0.55", { 280, 300, 300 } },
    { 60, "0.60", { 250, 280, 300 } },
};

// ---- Tables 3.0.5-1 and 3.0.5-2: largest dosage (%) by addition, W/B
// ≤ 0.40 or above, and cement P·I/P·II or P·O.
using DosageTable = int[3][2][2];
constexpr DosageTable kTable3051 = {
    { { 45, 35 }, { 40, 30 } },
    { { 65, 55 }, { 55, 45 } },
    { { 65, 55 }, { 55, 45 } },
};
constexpr DosageTable kTable3052 = {
    { { 35, 30 }, { 25, 20 } },
    { { 55, 45 }, { 45, 35 } },
    { { 55, 45 }, { 45, 35 } },
};

// ---- Table 5.4.2: sand ratio (%) by W/B (0.01).
constexpr Column kTable542Columns[] = { { kGravel, 100 }, { kGravel, 200 }, { kGravel, 400 },
    { kCrushed, 160 }, { kCrushed, 200 }, { kCrushed, 400 } };
constexpr i64 kTable542Wb[] = { 40, 50, 60, 70 };
constexpr OrdinaryBounds kTable542[4][6] = {
    { { 26, 32 }, { 25, 31 }, { 24, 30 }, { 30, 35 }, { 29, 34 }, { 27, 32 } },
    { { 30, 35 }, { 29, 34 }, { 28, 33 }, { 33, 38 }, { 32, 37 }, { 30, 35 } },
    { { 33, 38 }, { 32, 37 }, { 31, 36 }, { 36, 41 }, { 35, 40 }, { 33, 38 } },
    { { 36, 41 }, { 35, 40 }, { 34, 39 }, { 39, 44 }, { 38, 43 }, { 36, 41 } },
};

// ---- Table 7.1.2: largest W/B (0.01) of impermeable concrete: C20–C30,
// above C30.
struct ImpermeableRow
{
    int upToGrade; // P grade
    i64 wb[2];
};
constexpr ImpermeableRow kTable712[]
    = { { 6, { 60, 55 } }, { 12, { 55, 50 } }, { 1000, { 50, 45 } } };

// ---- Table 7.2.2-1: largest W/B (0.01) without and with air entrainment
// (0: not allowed), least binder (kg).
struct FrostRow
{
    int upToGrade; // F grade
    i64 wb[2];
    i64 binder;
};
constexpr FrostRow kTable7221[] = {
    { 50, { 55, 60 }, 300 },
    { 100, { 50, 55 }, 320 },
    { 100000, { 0, 50 }, 350 },
};

// ---- Table 7.3.2: high-strength concrete below C80 and from C80.
constexpr OrdinaryHighStrength kTable732[] = {
    { { 28, 34 }, { 480, 560 }, { 350, 420 } },
    { { 26, 28 }, { 520, 580 }, { 350, 420 } },
};

// ---- Table 3.0.7: least air content (0.1 %) by the largest size (0.1 mm).
struct AirRow
{
    int upToSize;
    i64 air;
};
constexpr AirRow kTable307[] = { { 200, 55 }, { 315, 50 }, { 400, 45 } };

// ---- GB 50010-2010 table 3.5.3: largest W/B (0.01) and least grade,
// without and with air entrainment.
struct ExposureRow
{
    OrdinaryExposureLimits plain;
    OrdinaryExposureLimits airEntrained;
};
constexpr ExposureRow kTable353[] = {
    { { 60, 20 }, { 60, 20 } },
    { { 55, 25 }, { 55, 25 } },
    { { 50, 30 }, { 55, 25 } },
    { { 45, 35 }, { 50, 30 } },
    { { 40, 40 }, { 40, 40 } },
};

// bound(from) + (bound(to) − bound(from)) × (key − from) / (to − from),
// half up to whole units of the bounds.
OrdinaryBounds Between(const OrdinaryInterpolation& at, i64 key)
{
    if (at.from == at.to)
        return at.atFrom;
    const Fraction share(key - at.from, at.to - at.from);
    const auto bound
        = [&share](i64 a, i64 b) { return (Fraction(a) + Fraction(b - a) * share).RoundUnits(0); };
    return { bound(at.atFrom.lower, at.atTo.lower), bound(at.atFrom.upper, at.atTo.upper) };
}

// Table 5.1.3 at a dosage in 0.1 % (rows in %).
template <std::size_t N>
std::optional<OrdinaryInterpolation> GammaAt(const GammaRow (&rows)[N], i64 dosage)
{
    for (std::size_t i = 0; i < N; ++i) {
        const i64 key = rows[i].dosage * 10;
        if (dosage == key)
            return OrdinaryInterpolation { rows[i].dosage, rows[i].dosage, rows[i].gamma,
                rows[i].gamma, rows[i].gamma };
        if (i + 1 < N && dosage < rows[i + 1].dosage * 10 && dosage > key) {
            OrdinaryInterpolation at { rows[i].dosage, rows[i + 1].dosage, rows[i].gamma,
                rows[i + 1].gamma, {} };
            // The key in 0.1 %, the rows in %: interpolate on tenths.
            OrdinaryInterpolation tenths = at;
            tenths.from *= 10;
            tenths.to *= 10;
            at.value = Between(tenths, dosage);
            return at;
        }
    }
    return std::nullopt;
}

} // namespace

const char* AggregateText(OrdinaryAggregate kind)
{
    return kind == OrdinaryAggregate::Crushed ? "碎石" : "卵石";
}

const char* CementTypeText(OrdinaryCement type)
{
    return type == OrdinaryCement::PI ? "P·I/P·II" : "P·O";
}

const char* StructureText(OrdinaryStructure structure)
{
    switch (structure) {
    case OrdinaryStructure::Plain:
        return "素混凝土";
    case OrdinaryStructure::Prestressed:
        return "预应力混凝土";
    case OrdinaryStructure::Reinforced:
        break;
    }
    return "钢筋混凝土";
}

const char* ExposureText(OrdinaryExposure exposure)
{
    static const char* const texts[] = { "一", "二a", "二b", "三a", "三b" };
    return texts[static_cast<int>(exposure)];
}

std::string SizeText(int size)
{
    return size % 10 ? UnitsText(size, 1) : std::to_string(size / 10);
}

i64 TableSigma(int grade)
{
    for (const SigmaRow& row : kTable402)
        if (grade <= row.upToGrade)
            return row.sigma;
    return std::end(kTable402)[-1].sigma;
}

i64 CementSurplus(i64 cementGrade)
{
    for (const SurplusRow& row : kTable514)
        if (row.cementGrade == cementGrade)
            return row.gammaC;
    return 0;
}

std::optional<OrdinaryInterpolation> FlyAshGamma(i64 dosage)
{
    return GammaAt(kTable513FlyAsh, dosage);
}

std::optional<OrdinaryInterpolation> SlagGamma(i64 dosage)
{
    return GammaAt(kTable513Slag, dosage);
}

OrdinaryRegression RegressionCoefficients(OrdinaryAggregate kind)
{
    return kind == OrdinaryAggregate::Crushed ? kTable512Crushed : kTable512Gravel;
}

bool HasMaxSize(OrdinaryAggregate kind, int size)
{
    return ColumnOf(kTable5212Columns, kind, size) >= 0;
}

int PlasticWaterRow(i64 slump)
{
    for (int row = 0; row < 3; ++row)
        if (slump <= kTable5212RowTop[row])
            return row;
    return 3;
}

const char* PlasticWaterRowText(int row)
{
    return kTable5212RowText[row];
}

i64 PlasticWater(int row, OrdinaryAggregate kind, int size)
{
    const int column = ColumnOf(kTable5212Columns, kind, size);
    return column < 0 ? 0 : kTable5212[row][column];
}

int DryHardWaterRow(i64 vebe)
{
    for (int row = 0; row < 2; ++row)
        if (vebe >= kTable5211RowLeast[row])
            return row;
    return 2;
}

const char* DryHardWaterRowText(int row)
{
    return kTable5211RowText[row];
}

std::optional<i64> DryHardWater(int row, OrdinaryAggregate kind, int size)
{
    const int column = ColumnOf(kTable5211Columns, kind, size);
    if (column < 0)
        return std::nullopt;
    return kTable5211[row][column];
}

namespace {

const BinderRow& BinderRowOf(i64 wb)
{
    for (const BinderRow& row : kTable304)
        if (wb <= row.maxWb)
            return row;
    return std::end(kTable304)[-1]; // above 0.55: the 0.60 row
}

} // namespace

i64 MinimumBinder(i64 wb, OrdinaryStructure structure)
{
    return BinderRowOf(wb).binder[static_cast<int>(structure)];
}

const char* MinimumBinderRowText(i64 wb)
{
    return BinderRowOf(wb).text;
}

const char* AdditionText(OrdinaryAddition addition)
{
    switch (addition) {
    case OrdinaryAddition::Slag:
        return "粒化高炉矿渣粉";
    case OrdinaryAddition::Composite:
        return "复合掺合料";
    case OrdinaryAddition::FlyAsh:
        break;
    }
    return "粉煤灰";
}

std::optional<int> MaximumDosage(
    OrdinaryStructure structure, OrdinaryAddition addition, OrdinaryCement cement, i64 wb)
{
    if (structure == OrdinaryStructure::Plain)
        return std::nullopt;
    const DosageTable& table
        = structure == OrdinaryStructure::Prestressed ? kTable3052 : kTable3051;
    return table[static_cast<int>(addition)][wb <= 40 ? 0 : 1]
                [cement == OrdinaryCement::PI ? 0 : 1];
}

const char* MaximumDosageTable(OrdinaryStructure structure)
{
    return structure == OrdinaryStructure::Prestressed ? "3.0.5-2" : "3.0.5-1";
}

std::optional<OrdinaryInterpolation> SandRatioColumn(i64 wb, OrdinaryAggregate kind, int size)
{
    const int column = ColumnOf(kTable542Columns, kind, size);
    if (column < 0 || wb < kTable542Wb[0] || wb > std::end(kTable542Wb)[-1])
        return std::nullopt;
    const auto tenths = [](OrdinaryBounds b) {
        return OrdinaryBounds { b.lower * 10, b.upper * 10 };
    };
    for (int row = 0; row < 4; ++row) {
        const i64 key = kTable542Wb[row];
        if (wb == key) {
            const OrdinaryBounds at = tenths(kTable542[row][column]);
            return OrdinaryInterpolation { key, key, at, at, at };
        }
        if (wb < kTable542Wb[row + 1]) {
            OrdinaryInterpolation at { key, kTable542Wb[row + 1], tenths(kTable542[row][column]),
                tenths(kTable542[row + 1][column]), {} };
            at.value = Between(at, wb);
            return at;
        }
    }
    return std::nullopt;
}

i64 ImpermeableMaxWb(int impermeability, int grade)
{
    for (const ImpermeableRow& row : kTable712)
        if (impermeability <= row.upToGrade)
            return row.wb[grade <= 30 ? 0 : 1];
    return std::end(kTable712)[-1].wb[grade <= 30 ? 0 : 1];
}

namespace {

const FrostRow& FrostRowOf(int frost)
{
    for (const FrostRow& row : kTable7221)
        if (frost <= row.upToGrade)
            return row;
    return std::end(kTable7221)[-1];
}

} // namespace

std::optional<i64> FrostMaxWb(int frost, bool airEntrained)
{
    const i64 wb = FrostRowOf(frost).wb[airEntrained ? 1 : 0];
    return wb ? std::optional<i64>(wb) : std::nullopt;
}

i64 FrostMinimumBinder(int frost)
{
    return FrostRowOf(frost).binder;
}

OrdinaryHighStrength HighStrengthRanges(int grade)
{
    return kTable732[grade >= 80 ? 1 : 0];
}

i64 MinimumAirContent(int size)
{
    for (const AirRow& row : kTable307)
        if (size <= row.upToSize)
            return row.air;
    return std::end(kTable307)[-1].air;
}

OrdinaryExposureLimits ExposureLimits(OrdinaryExposure exposure, bool airEntrained)
{
    const ExposureRow& row = kTable353[static_cast<int>(exposure)];
    return airEntrained ? row.airEntrained : row.plain;
}
