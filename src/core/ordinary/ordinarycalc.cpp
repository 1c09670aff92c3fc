#include "ordinary/ordinarycalc.h"

#include "common/exactdecimal.h"
#include "common/reportnum.h"
#include "ordinary/ordinaryreport.h"

#include <algorithm>

namespace {

using i64 = std::int64_t;

const char* const kNotANumber = "请键入一个数。";

constexpr int kHighStrength = 60; // MPa: from C60 the rules of table 7.3.2
constexpr i64 kLeastWb = 20; // 0.01: below it no binder is sensible
constexpr i64 kTrialStep = 5, kHighStrengthTrialStep = 2; // 0.01
constexpr i64 kTrialSandStep = 10; // 0.1 %

Fraction U(i64 units, int decimals)
{
    return Fraction::Units(units, decimals);
}

std::string T(i64 units, int decimals)
{
    return ReportUnits(units, decimals);
}

std::string Percent(i64 tenths)
{
    return T(tenths, 1) + "%";
}

std::string Range(const OrdinaryBounds& b, int decimals, const char* unit)
{
    return T(b.lower, decimals) + unit + "～" + T(b.upper, decimals) + unit;
}

// A band of whole percents held in 0.1 %: "35%～45%".
std::string WholePercents(const OrdinaryBounds& b)
{
    return std::to_string(b.lower / 10) + "%～" + std::to_string(b.upper / 10) + "%";
}

std::string HighStrengthGrades(int grade)
{
    return grade >= 80 ? "C80" : "C60～C75";
}

class Press
{
public:
    Press(const OrdinaryInputs& in, OrdinaryOutcome& out)
        : m_in(in)
        , m_out(out)
        , m_v(out.values)
        , m_r(out.results)
    { }

    bool Read();
    bool CheckRequirements();
    bool Design();

private:
    bool Stop(const std::string& text, OrdinaryBox focus)
    {
        m_out.messages.push_back({ MessageKind::Stop, text });
        m_out.stopped = true;
        m_out.focus = focus;
        return false;
    }
    void Warn(const std::string& text) { m_out.messages.push_back({ MessageKind::Warn, text }); }

    // A box's value in units of `decimals`, checked against [least, most];
    // false after the stop.
    bool Box(const std::string& text, int decimals, OrdinaryBox box, i64 least, i64 most,
        const char* rangeMessage, i64& value);
    // The same for a box that may be left empty.
    bool OptionalBox(const std::string& text, int decimals, OrdinaryBox box, i64 least, i64 most,
        const char* rangeMessage, std::optional<i64>& value);

    void PreparationStrength();
    void BinderStrength();
    bool WaterBinderRatio();
    void Water();
    void Binder();
    bool Materials(OrdinaryMix& mix, const std::string& name);
    void DosageChecks();
    bool SandRatio();
    bool Aggregates(OrdinaryMix& mix, const std::string& name);
    bool Trials();

    const OrdinaryInputs& m_in;
    OrdinaryOutcome& m_out;
    OrdinaryValues& m_v;
    OrdinaryResults& m_r;
};

bool Blank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool Press::Box(const std::string& text, int decimals, OrdinaryBox box, i64 least, i64 most,
    const char* rangeMessage, i64& value)
{
    const std::optional<i64> units = ParseUnits(text, decimals);
    if (!units) {
        m_out.notANumber = true;
        return Stop(kNotANumber, box);
    }
    if (*units < least || *units > most)
        return Stop(rangeMessage, box);
    value = *units;
    return true;
}

bool Press::OptionalBox(const std::string& text, int decimals, OrdinaryBox box, i64 least, i64 most,
    const char* rangeMessage, std::optional<i64>& value)
{
    if (Blank(text))
        return true;
    i64 units = 0;
    if (!Box(text, decimals, box, least, most, rangeMessage, units))
        return false;
    value = units;
    return true;
}

bool Press::Read()
{
    using B = OrdinaryBox;
    OrdinaryValues& v = m_v;
    v.grade = m_in.grade;
    if (m_in.grade == 0)
        return Stop("请选择混凝土强度等级。", B::Grade);
    if (!IsOrdinaryGrade(m_in.grade))
        return Stop("混凝土强度等级应为C10～C80。", B::Grade);
    if (v.grade < kHighStrength
        && !OptionalBox(
            m_in.sigma, 1, B::Sigma, 1, 200, "强度标准差σ应大于0且不超过20MPa。", v.sigma))
        return false;
    v.cementType = m_in.cementType;
    v.cementGrade = m_in.cementGrade;
    if (m_in.cementGrade == 0)
        return Stop("请选择水泥强度等级。", B::CementGrade);
    if (CementSurplus(m_in.cementGrade) == 0)
        return Stop("水泥强度等级应为32.5、42.5或52.5。", B::CementGrade);
    if (!OptionalBox(m_in.fce, 1, B::Fce, 1, 1000, "水泥实测强度fce应大于0且不超过100MPa。", v.fce)
        || !Box(m_in.flyAsh, 1, B::FlyAsh, 0, 1000, "粉煤灰掺量βf应在0～100%之间。", v.flyAsh))
        return false;
    // A measured fb leaves the γ boxes unread.
    std::optional<i64> fb;
    if (!Blank(m_in.fb)) {
        i64 units = 0;
        if (!Box(m_in.fb, 1, B::Fb, 1, 1000, "胶凝材料实测强度fb应大于0且不超过100MPa。", units))
            return false;
        fb = units;
    }
    if (!fb
        && !OptionalBox(
            m_in.gammaF, 2, B::GammaF, 1, 120, "粉煤灰影响系数γf应大于0且不超过1.20。", v.gammaF))
        return false;
    if (!Box(m_in.slag, 1, B::Slag, 0, 1000, "矿渣粉掺量βk应在0～100%之间。", v.slag))
        return false;
    if (!fb
        && !OptionalBox(
            m_in.gammaS, 2, B::GammaS, 1, 120, "矿渣粉影响系数γs应大于0且不超过1.20。", v.gammaS))
        return false;
    v.fb = fb;

    if (!m_in.aggregate)
        return Stop("请选择粗骨料种类。", B::Aggregate);
    v.aggregate = *m_in.aggregate;
    v.maxSize = m_in.maxSize;
    if (m_in.maxSize == 0)
        return Stop("请选择粗骨料最大公称粒径。", B::MaxSize);
    if (!HasMaxSize(v.aggregate, v.maxSize))
        return Stop(v.aggregate == OrdinaryAggregate::Crushed
                ? "碎石的最大公称粒径应为16、20、31.5或40mm。"
                : "卵石的最大公称粒径应为10、20、31.5或40mm。",
            B::MaxSize);
    v.workability = m_in.workability;
    if (v.workability == OrdinaryWorkability::Slump) {
        if (!Box(m_in.slump, 0, B::Slump, 10, 250, "坍落度应在10～250mm之间。", v.consistency))
            return false;
    } else if (!Box(m_in.vebe, 0, B::Vebe, 5, 20, "维勃稠度应在5～20s之间。", v.consistency)) {
        return false;
    }
    if (!Box(m_in.waterAdjust, 0, B::WaterAdjust, -10, 10, "砂的用水量修正应在-10～+10kg之间。",
            v.waterAdjust)
        || !Box(m_in.reducer, 1, B::Reducer, 0, 400, "外加剂减水率β应在0～40%之间。", v.reducer)
        || !Box(m_in.admixture, 1, B::Admixture, 0, 50, "外加剂掺量βa应在0～5%之间。", v.admixture))
        return false;

    v.structure = m_in.structure;
    v.exposure = m_in.exposure;
    v.airEntrained = m_in.airEntrained;
    v.impermeability = m_in.impermeability;
    if (v.impermeability != 0
        && (v.impermeability < 6 || v.impermeability > 40 || v.impermeability % 2 != 0))
        return Stop("抗渗等级应为P6～P40（偶数）。", B::Impermeability);
    v.frost = m_in.frost;
    if (v.frost != 0 && (v.frost < 50 || v.frost > 500 || v.frost % 50 != 0))
        return Stop("抗冻等级应为F50～F500（50的倍数）。", B::Frost);
    v.pumped = m_in.pumped;
    v.massive = m_in.massive;

    if (!OptionalBox(m_in.wb, 2, B::Wb, 20, 100, "自定水胶比应在0.20～1.00之间。", v.wb)
        || !OptionalBox(
            m_in.sandRatio, 1, B::SandRatio, 100, 600, "自定砂率应在10～60%之间。", v.sandRatio))
        return false;

    v.method = m_in.method;
    if (v.method == OrdinaryMethod::Mass)
        return Box(
            m_in.mcp, 0, B::Mcp, 1800, 3000, "假定表观密度mcp应在1800～3000kg/m3之间。", v.mcp);
    const struct
    {
        const std::string& text;
        OrdinaryBox box;
        const char* message;
        i64& value;
    } densities[] = {
        { m_in.rhoC, B::RhoC, "水泥表观密度ρc应在1.00～5.00g/cm3之间。", v.rhoC },
        { m_in.rhoF, B::RhoF, "粉煤灰表观密度ρf应在1.00～5.00g/cm3之间。", v.rhoF },
        { m_in.rhoK, B::RhoK, "矿渣粉表观密度ρk应在1.00～5.00g/cm3之间。", v.rhoK },
        { m_in.rhoS, B::RhoS, "砂表观密度ρs应在1.00～5.00g/cm3之间。", v.rhoS },
        { m_in.rhoG, B::RhoG, "石子表观密度ρg应在1.00～5.00g/cm3之间。", v.rhoG },
    };
    for (const auto& d : densities)
        if (!Box(d.text, 2, d.box, 100, 500, d.message, d.value))
            return false;
    return Box(m_in.air, 1, B::Air, 0, 100, "含气量α应在0～10%之间。", v.air);
}

// What the inputs alone rule out, before anything is computed.
bool Press::CheckRequirements()
{
    using B = OrdinaryBox;
    const OrdinaryValues& v = m_v;
    if (!v.fb && !v.gammaF && !FlyAshGamma(v.flyAsh))
        return Stop("粉煤灰掺量超过40%，超出表5.1.3的范围，请输入影响系数γf或实测胶凝材料强度fb。",
            B::GammaF);
    if (!v.fb && !v.gammaS && !SlagGamma(v.slag))
        return Stop("矿渣粉掺量超过50%，超出表5.1.3的范围，请输入影响系数γs或实测胶凝材料强度fb。",
            B::GammaS);
    const bool dryHard = v.workability == OrdinaryWorkability::Vebe;
    if (dryHard && !DryHardWater(0, v.aggregate, v.maxSize))
        return Stop(
            "表5.2.1-1（干硬性混凝土用水量）没有31.5mm粒径，请改选粗骨料粒径。", B::MaxSize);
    if (v.frost != 0 && !FrostMaxWb(v.frost, v.airEntrained))
        return Stop(
            "抗冻等级F150及以上的混凝土应掺用引气剂（表7.2.2-1），请选择引气。", B::AirEntrained);
    if (v.grade >= kHighStrength && !v.wb)
        return Stop("C60及以上强度等级的混凝土应自定水胶比（表7.3.2）。", B::Wb);
    if (dryHard && v.grade < kHighStrength && !v.sandRatio)
        return Stop(
            "干硬性混凝土的砂率应通过试验确定（表5.4.2不适用），请自定砂率。", B::SandRatio);
    return true;
}

// 1. fcu,0 = fcu,k + 1.645σ, or 1.15 fcu,k from C60.
void Press::PreparationStrength()
{
    const OrdinaryValues& v = m_v;
    if (v.grade >= kHighStrength) {
        m_r.fcu0 = (Fraction(115, 100) * Fraction(v.grade)).RoundUnits(1);
        return;
    }
    i64 sigma = TableSigma(v.grade);
    if (v.sigma) {
        const i64 floor = v.grade <= 30 ? 30 : 40;
        sigma = std::max(*v.sigma, floor);
        m_r.sigmaSource
            = *v.sigma < floor ? OrdinarySigmaSource::Floored : OrdinarySigmaSource::Given;
    }
    m_r.sigma = sigma;
    m_r.fcu0 = (Fraction(v.grade) + Fraction(1645, 1000) * U(sigma, 1)).RoundUnits(1);
}

// 2.–3. fce = γc·fce,g and fb = γf·γs·fce, unless measured.
void Press::BinderStrength()
{
    const OrdinaryValues& v = m_v;
    m_r.gammaC = CementSurplus(v.cementGrade);
    m_r.fce = v.fce ? *v.fce : (U(m_r.gammaC, 2) * U(v.cementGrade, 1)).RoundUnits(1);
    m_r.gammaFRange = FlyAshGamma(v.flyAsh);
    m_r.gammaSRange = SlagGamma(v.slag);
    if (v.fb) {
        m_r.fb = *v.fb;
        return;
    }
    const auto gamma
        = [this](const std::optional<i64>& given, const std::optional<OrdinaryInterpolation>& range,
              const char* name, const char* addition, i64 dosage) {
              if (!given)
                  return range->value.upper; // grade I/II fly ash, S95 slag
              if (range && (*given < range->value.lower || *given > range->value.upper))
                  Warn(std::string(name) + "＝" + T(*given, 2) + "不在表5.1.3的"
                      + Range(range->value, 2, "") + "之间（" + addition + "掺量" + Percent(dosage)
                      + "）。");
              return *given;
          };
    const i64 gf = gamma(v.gammaF, m_r.gammaFRange, "粉煤灰影响系数γf", "粉煤灰", v.flyAsh);
    const i64 gs = gamma(v.gammaS, m_r.gammaSRange, "矿渣粉影响系数γs", "矿渣粉", v.slag);
    m_r.gammaF = gf;
    m_r.gammaS = gs;
    m_r.fb = (U(gf, 2) * U(gs, 2) * U(m_r.fce, 1)).RoundUnits(1);
}

// 4. The adopted W/B: 自定, or the smallest of the computed one and the limits.
bool Press::WaterBinderRatio()
{
    const OrdinaryValues& v = m_v;
    OrdinaryResults& r = m_r;
    const bool high = v.grade >= kHighStrength;
    r.regression = RegressionCoefficients(v.aggregate);
    if (!high) {
        const Fraction aa = U(r.regression.alphaA, 2), ab = U(r.regression.alphaB, 2);
        const Fraction fb = U(r.fb, 1);
        r.wbCalculated = (aa * fb / (U(r.fcu0, 1) + aa * ab * fb)).RoundUnits(2);
    }

    const OrdinaryExposureLimits exposure = ExposureLimits(v.exposure, v.airEntrained);
    const std::string exposureName
        = std::string("环境类别") + ExposureText(v.exposure) + (v.airEntrained ? "（引气）" : "");
    r.wbLimits.push_back({ exposure.maxWb, exposureName + "（GB 50010-2010表3.5.3）" });
    if (v.impermeability)
        r.wbLimits.push_back({ ImpermeableMaxWb(v.impermeability, v.grade),
            "抗渗等级P" + std::to_string(v.impermeability) + "（表7.1.2）" });
    if (v.frost)
        r.wbLimits.push_back({ *FrostMaxWb(v.frost, v.airEntrained),
            "抗冻等级F" + std::to_string(v.frost) + "（表7.2.2-1）" });
    if (v.massive)
        r.wbLimits.push_back({ kMassiveMaxWb, "大体积混凝土" });

    if (v.wb) {
        r.wb = *v.wb;
        const std::string given = "自定水胶比" + T(r.wb, 2);
        if (r.wbCalculated && r.wb > *r.wbCalculated)
            Warn(given + "大于按配制强度计算的水胶比" + T(*r.wbCalculated, 2) + "。");
        for (const OrdinaryLimit& limit : r.wbLimits)
            if (r.wb > limit.value)
                Warn(given + "大于" + limit.source + "的最大水胶比" + T(limit.value, 2) + "。");
    } else {
        r.wb = *r.wbCalculated;
        for (const OrdinaryLimit& limit : r.wbLimits)
            r.wb = std::min(r.wb, limit.value);
        if (r.wb < kLeastWb)
            return Stop(
                "计算水胶比" + T(r.wb, 2) + "小于0.20，请检查强度等级、强度标准差和胶凝材料强度。",
                OrdinaryBox::Wb);
    }
    if (high) {
        const OrdinaryBounds range = HighStrengthRanges(v.grade).wb;
        if (r.wb < range.lower || r.wb > range.upper)
            Warn(HighStrengthGrades(v.grade) + "的水胶比宜为" + Range(range, 2, "")
                + "（表7.3.2），自定水胶比为" + T(r.wb, 2) + "。");
    }
    if (v.grade < exposure.minGrade)
        Warn(exposureName + "的混凝土强度等级不应低于C" + std::to_string(exposure.minGrade)
            + "（GB 50010-2010表3.5.3）。");
    if (!high && r.wb < 40)
        Warn("水胶比小于0.40，用水量宜通过试验确定。");
    return true;
}

// 5. mw0′ from table 5.2.1-2 or 5.2.1-1 with the sand correction, then mw0.
void Press::Water()
{
    const OrdinaryValues& v = m_v;
    OrdinaryResults& r = m_r;
    Fraction prime;
    if (v.workability == OrdinaryWorkability::Vebe) {
        r.waterRow = DryHardWaterRow(v.consistency);
        r.waterTable = *DryHardWater(r.waterRow, v.aggregate, v.maxSize);
        prime = Fraction(r.waterTable);
    } else {
        r.waterRow = PlasticWaterRow(std::min<i64>(v.consistency, 90));
        r.waterTable = PlasticWater(r.waterRow, v.aggregate, v.maxSize);
        prime = Fraction(r.waterTable);
        if (v.consistency > 90)
            prime = prime + Fraction(5 * (v.consistency - 90), 20);
    }
    r.mw0Prime = (prime + Fraction(v.waterAdjust)).RoundUnits(1);
    r.mix.water = (U(r.mw0Prime, 1) * (Fraction(1) - U(v.reducer, 3))).RoundUnits(0);
    if (v.massive && r.mix.water > kMassiveMaxWater)
        Warn("大体积混凝土的用水量不宜大于175kg，现为" + std::to_string(r.mix.water) + "kg。");
}

// 6. mb0 = mw0 / (W/B), raised to the largest least binder that applies.
void Press::Binder()
{
    const OrdinaryValues& v = m_v;
    OrdinaryResults& r = m_r;
    r.binderComputed = (Fraction(r.mix.water) / U(r.wb, 2)).RoundUnits(0);
    if (v.grade > 15)
        r.binderMinima.push_back({ MinimumBinder(r.wb, v.structure),
            std::string("表3.0.4（") + StructureText(v.structure) + "，最大水胶比"
                + MinimumBinderRowText(r.wb) + "）" });
    if (v.impermeability)
        r.binderMinima.push_back({ kImpermeableMinimumBinder, "抗渗混凝土" });
    if (v.frost)
        r.binderMinima.push_back({ FrostMinimumBinder(v.frost),
            "抗冻等级F" + std::to_string(v.frost) + "（表7.2.2-1）" });
    if (v.pumped)
        r.binderMinima.push_back({ kPumpedMinimumBinder, "泵送混凝土" });
    for (const OrdinaryLimit& least : r.binderMinima)
        r.binderMinimum = std::max(r.binderMinimum.value_or(least.value), least.value);
    r.mix.wb = r.wb;
    r.mix.binder = std::max(r.binderComputed, r.binderMinimum.value_or(0));
    if (v.grade >= kHighStrength) {
        const OrdinaryBounds range = HighStrengthRanges(v.grade).binder;
        if (r.mix.binder < range.lower || r.mix.binder > range.upper)
            Warn(HighStrengthGrades(v.grade) + "的胶凝材料用量宜为" + Range(range, 0, "")
                + "kg（表7.3.2），现为" + std::to_string(r.mix.binder) + "kg。");
    }
}

// 7. Fly ash, slag, cement and admixture of a mix whose binder is set.
bool Press::Materials(OrdinaryMix& mix, const std::string& name)
{
    const Fraction binder(mix.binder);
    mix.flyAsh = (binder * U(m_v.flyAsh, 3)).RoundUnits(0);
    mix.slag = (binder * U(m_v.slag, 3)).RoundUnits(0);
    mix.cement = mix.binder - mix.flyAsh - mix.slag;
    mix.admixture = (binder * U(m_v.admixture, 3)).RoundUnits(2);
    if (mix.cement <= 0)
        return Stop(name + "的水泥用量为" + std::to_string(mix.cement)
                + "kg，不大于0，请减少矿物掺合料掺量。",
            OrdinaryBox::FlyAsh);
    return true;
}

void Press::DosageChecks()
{
    const OrdinaryValues& v = m_v;
    const auto check = [&](OrdinaryAddition addition, i64 dosage) {
        const std::optional<int> maximum
            = MaximumDosage(v.structure, addition, v.cementType, m_r.wb);
        if (!maximum)
            return;
        m_r.dosageChecks.push_back({ addition, dosage, *maximum });
        if (dosage > *maximum * 10)
            Warn(std::string(AdditionText(addition)) + "掺量" + Percent(dosage) + "超过表"
                + MaximumDosageTable(v.structure) + "的最大掺量" + std::to_string(*maximum) + "%（"
                + StructureText(v.structure) + "，" + CementTypeText(v.cementType) + "水泥，水胶比"
                + (m_r.wb <= 40 ? "≤0.40" : "＞0.40") + "）。");
    };
    if (v.flyAsh > 0)
        check(OrdinaryAddition::FlyAsh, v.flyAsh);
    if (v.slag > 0)
        check(OrdinaryAddition::Slag, v.slag);
    if (v.flyAsh > 0 && v.slag > 0)
        check(OrdinaryAddition::Composite, v.flyAsh + v.slag);
}

// 8. βs: 自定, or the middle of the range of table 5.4.2 (7.3.2 from C60),
// clamped into the bands of the special requirements.
bool Press::SandRatio()
{
    const OrdinaryValues& v = m_v;
    OrdinarySandRatioWork& w = m_r.sandRatioWork;
    const bool plastic = v.workability == OrdinaryWorkability::Slump;
    if (v.grade >= kHighStrength) {
        w.highStrength = true;
        w.range = HighStrengthRanges(v.grade).sandRatio;
    } else if (plastic && m_r.wb >= 40 && m_r.wb <= 70) {
        OrdinaryBounds range;
        if (v.maxSize == 315) {
            w.columnSizes = { 200, 400 };
            for (int size : w.columnSizes)
                w.columns.push_back(*SandRatioColumn(m_r.wb, v.aggregate, size));
            // 11.5/20 of the way from the 20 mm column to the 40 mm column.
            const auto between = [](i64 at20, i64 at40) {
                return (Fraction(at20) + Fraction(at40 - at20) * Fraction(115, 200)).RoundUnits(0);
            };
            const OrdinaryBounds b20 = w.columns[0].value, b40 = w.columns[1].value;
            range = { between(b20.lower, b40.lower), between(b20.upper, b40.upper) };
            w.sized = range;
        } else {
            w.columnSizes = { v.maxSize };
            w.columns.push_back(*SandRatioColumn(m_r.wb, v.aggregate, v.maxSize));
            range = w.columns[0].value;
        }
        if (v.consistency > 60) {
            const i64 increment = (v.consistency - 60) * 5; // (slump − 60)/20 %, in 0.01 %
            w.slumpIncrement = increment;
            const auto raise = [increment](i64 bound) {
                return (Fraction(bound) + Fraction(increment, 10)).RoundUnits(0);
            };
            range = { raise(range.lower), raise(range.upper) };
        }
        w.range = range;
    }

    if (v.impermeability)
        w.bands.push_back({ kImpermeableSandRatio, "抗渗混凝土" });
    if (v.pumped)
        w.bands.push_back({ kPumpedSandRatio, "泵送混凝土" });
    if (v.massive)
        w.bands.push_back({ kMassiveSandRatio, "大体积混凝土" });

    i64& ratio = m_r.mix.sandRatio;
    if (v.sandRatio) {
        ratio = *v.sandRatio;
        const std::string given = "自定砂率" + Percent(ratio);
        if (w.range && (ratio < w.range->lower || ratio > w.range->upper))
            Warn(given + "不在表" + (w.highStrength ? "7.3.2" : "5.4.2") + "的"
                + Range(*w.range, 1, "%") + "之间。");
        for (const OrdinaryBand& band : w.bands)
            if (ratio < band.bounds.lower || ratio > band.bounds.upper)
                Warn(band.source + "的砂率宜为" + WholePercents(band.bounds) + "，" + given + "。");
        return true;
    }
    if (!w.range)
        return Stop("水胶比" + T(m_r.wb, 2) + "不在表5.4.2的0.40～0.70之间，请自定砂率。",
            OrdinaryBox::SandRatio);
    w.middle = (w.range->lower + w.range->upper) * 5;
    w.rounded = Fraction(w.range->lower + w.range->upper, 20).RoundUnits(0) * 10;
    ratio = *w.rounded;
    for (const OrdinaryBand& band : w.bands)
        ratio = std::min(std::max(ratio, band.bounds.lower), band.bounds.upper);
    return true;
}

// 9. Sand and stone of a mix whose binder, water and sand ratio are set.
bool Press::Aggregates(OrdinaryMix& mix, const std::string& name)
{
    const OrdinaryValues& v = m_v;
    const Fraction share = U(mix.sandRatio, 3);
    if (v.method == OrdinaryMethod::Mass) {
        mix.aggregates = v.mcp - mix.binder - mix.water;
    } else {
        const Fraction litres = Fraction(1000) - Fraction(v.air)
            - Fraction(mix.cement) / U(v.rhoC, 2) - Fraction(mix.flyAsh) / U(v.rhoF, 2)
            - Fraction(mix.slag) / U(v.rhoK, 2) - Fraction(mix.water);
        mix.volume = litres.RoundUnits(1);
        const Fraction perKg
            = share / U(v.rhoS, 2) + (Fraction(1) - share) / U(v.rhoG, 2); // L per kg
        mix.aggregates = (U(*mix.volume, 1) / perKg).RoundUnits(0);
    }
    mix.sand = (Fraction(mix.aggregates) * share).RoundUnits(0);
    mix.stone = mix.aggregates - mix.sand;
    const auto stop = [&](const char* what, i64 kg) {
        return Stop(name + "的" + what + "用量为" + std::to_string(kg) + "kg，不大于0，请检查砂率和"
                + (v.method == OrdinaryMethod::Mass ? "假定表观密度。" : "各表观密度。"),
            OrdinaryBox::SandRatio);
    };
    if (mix.sand <= 0)
        return stop("砂", mix.sand);
    if (mix.stone <= 0)
        return stop("石子", mix.stone);
    return true;
}

// 11. The trial mixes on either side of the calculated one: the same water,
// W/B and sand ratio a step apart, binder with no minimum.
bool Press::Trials()
{
    const i64 step = m_v.grade >= kHighStrength ? kHighStrengthTrialStep : kTrialStep;
    m_r.trials[1] = m_r.mix;
    for (int side : { -1, 1 }) {
        OrdinaryMix& t = m_r.trials[static_cast<size_t>(1 + side)];
        t.wb = m_r.wb + side * step;
        t.water = m_r.mix.water;
        t.sandRatio = m_r.mix.sandRatio + side * kTrialSandStep;
        t.binder = (Fraction(t.water) / U(t.wb, 2)).RoundUnits(0);
        const std::string name = "试配配合比（水胶比" + T(t.wb, 2) + "）";
        if (!Materials(t, name) || !Aggregates(t, name))
            return false;
    }
    return true;
}

bool Press::Design()
{
    const OrdinaryValues& v = m_v;
    OrdinaryResults& r = m_r;
    PreparationStrength();
    BinderStrength();
    if (!WaterBinderRatio())
        return false;
    Water();
    Binder();
    if (!Materials(r.mix, "计算配合比"))
        return false;
    if (v.grade >= kHighStrength && r.mix.cement > kHighStrengthMaxCement)
        Warn("C60及以上强度等级的水泥用量不宜大于500kg，现为" + std::to_string(r.mix.cement)
            + "kg。");
    DosageChecks();
    if (!SandRatio())
        return false;

    if (v.method == OrdinaryMethod::Mass && (v.mcp < 2350 || v.mcp > 2450))
        Warn("假定表观密度mcp宜为2350～2450kg/m3，现为" + std::to_string(v.mcp) + "kg/m3。");
    if (v.method == OrdinaryMethod::Volume && v.frost && v.airEntrained) {
        const i64 least = MinimumAirContent(v.maxSize);
        if (v.air < least || v.air > kMaximumAirContent)
            Warn("掺引气剂的抗冻混凝土含气量α宜为" + T(least, 1) + "%～" + T(kMaximumAirContent, 1)
                + "%（表3.0.7），现为" + Percent(v.air) + "。");
    }
    if (!Aggregates(r.mix, "计算配合比"))
        return false;

    // 10. The calculated mix: density and ratio per binder.
    const OrdinaryMix& m = r.mix;
    r.density = m.cement + m.flyAsh + m.slag + m.sand + m.stone + m.water;
    const Fraction binder(m.binder);
    r.ratio = { (Fraction(m.sand) / binder).RoundUnits(2),
        (Fraction(m.stone) / binder).RoundUnits(2), (Fraction(m.water) / binder).RoundUnits(2) };
    return Trials();
}

} // namespace

bool IsOrdinaryGrade(int grade)
{
    return grade >= 10 && grade <= 80 && grade % 5 == 0;
}

OrdinaryOutcome CalculateOrdinary(const OrdinaryInputs& in)
{
    OrdinaryOutcome out;
    Press press(in, out);
    if (press.Read() && press.CheckRequirements() && press.Design()) {
        out.report = BuildOrdinaryReport(out.values, out.results);
        return out;
    }
    out.results = OrdinaryResults {}; // a stop computes nothing
    return out;
}
