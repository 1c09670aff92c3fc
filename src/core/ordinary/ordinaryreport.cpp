#include "ordinary/ordinaryreport.h"

#include "common/exactdecimal.h"
#include "common/reportnum.h"

namespace {

using i64 = std::int64_t;

std::string T(i64 units, int decimals)
{
    return ReportUnits(units, decimals);
}

std::string Kg(i64 kg)
{
    return std::to_string(kg);
}

// "＝38.225≈38.2", "＝435" or "≈0.57": the exact value where it has a
// short decimal form, then what the rule rounds it to.
std::string Approx(const Fraction& value, int decimals)
{
    const i64 rounded = value.RoundUnits(decimals);
    if (Fraction::Units(rounded, decimals) == value)
        return "＝" + T(rounded, decimals);
    // It ends within d decimals when its denominator divides 10^d.
    for (int d = decimals + 1; d <= 6; ++d)
        if (Pow10(d) % value.den() == 0)
            return "＝" + T(value.num() * (Pow10(d) / value.den()), d) + "≈" + T(rounded, decimals);
    return "≈" + T(rounded, decimals);
}

// "＋5" or "－5", for a term added to a sum.
std::string Signed(i64 value)
{
    return (value < 0 ? "－" : "＋") + std::to_string(value < 0 ? -value : value);
}

// a＋（b－a）×share, each of a and b held in units of `decimals`, then its
// exact value and the value rounded to the same decimals.
std::string Between(
    i64 a, i64 b, const std::string& share, const Fraction& shareValue, int decimals)
{
    const Fraction exact
        = Fraction::Units(a, decimals) + Fraction::Units(b - a, decimals) * shareValue;
    return T(a, decimals) + "＋（" + T(b, decimals) + "－" + T(a, decimals) + "）×" + share
        + Approx(exact, decimals);
}

// Appends report lines piece by piece, without building temporaries.
class Lines
{
public:
    explicit Lines(std::string& out)
        : m_out(out)
    { }

    template <typename... Pieces> Lines& Add(const Pieces&... pieces)
    {
        ((m_out += pieces), ...);
        return *this;
    }
    template <typename... Pieces> void Line(const Pieces&... pieces)
    {
        Add(pieces...);
        m_out += kCrLf;
    }

private:
    std::string& m_out;
};

const char* const kIndent = "　　　";

void Requirements(Lines& l, const OrdinaryValues& v)
{
    l.Line("一、设计要求：");
    l.Line("　　强度等级：C", std::to_string(v.grade), "，fcu,k＝", T(v.grade * 10, 1), "（MPa）");
    l.Line("　　结构：", StructureText(v.structure), "，环境类别：", ExposureText(v.exposure), "，",
        v.airEntrained ? "掺引气剂" : "不掺引气剂");
    if (v.workability == OrdinaryWorkability::Slump)
        l.Line("　　坍落度：", std::to_string(v.consistency), "（mm）");
    else
        l.Line("　　维勃稠度：", std::to_string(v.consistency), "（s），干硬性混凝土");
    std::string special;
    const auto add
        = [&special](const std::string& what) { special += (special.empty() ? "" : "，") + what; };
    if (v.impermeability)
        add("抗渗等级P" + std::to_string(v.impermeability));
    if (v.frost)
        add("抗冻等级F" + std::to_string(v.frost));
    if (v.pumped)
        add("泵送");
    if (v.massive)
        add("大体积");
    l.Line("　　特殊要求：", special.empty() ? std::string("无") : special);

    l.Line("二、原材料：");
    l.Line("　　水泥：", CementTypeText(v.cementType), " ", T(v.cementGrade, 1), "，fce,g＝",
        T(v.cementGrade, 1), "（MPa）");
    l.Line("　　粉煤灰掺量 βf＝", T(v.flyAsh, 1), "（%），矿渣粉掺量 βk＝", T(v.slag, 1), "（%）");
    l.Line("　　粗骨料：", AggregateText(v.aggregate), "，最大公称粒径 ", SizeText(v.maxSize),
        "（mm）");
    l.Line("　　砂的用水量修正：", v.waterAdjust > 0 ? "+" : "", std::to_string(v.waterAdjust),
        "（kg）");
    l.Line(
        "　　外加剂：减水率 β＝", T(v.reducer, 1), "（%），掺量 βa＝", T(v.admixture, 1), "（%）");
}

void Strength(Lines& l, const OrdinaryValues& v, const OrdinaryResults& r)
{
    l.Line("　　1.配制强度 fcu,0：");
    const std::string fcuK = T(v.grade * 10, 1);
    if (!r.sigma) {
        l.Line(kIndent, "C60及以上强度等级：fcu,0＝1.15fcu,k＝1.15×", fcuK,
            Approx(Fraction(115, 100) * Fraction(v.grade), 1), "（MPa）");
    } else {
        switch (r.sigmaSource) {
        case OrdinarySigmaSource::Table:
            l.Line(kIndent, "σ＝", T(*r.sigma, 1), "（MPa）（表4.0.2）");
            break;
        case OrdinarySigmaSource::Given:
            l.Line(kIndent, "σ＝", T(*r.sigma, 1), "（MPa）（按统计资料计算）");
            break;
        case OrdinarySigmaSource::Floored:
            l.Line(kIndent, "按统计资料计算 σ＝", T(*v.sigma, 1), "（MPa），小于", T(*r.sigma, 1),
                "（MPa），取 σ＝", T(*r.sigma, 1), "（MPa）");
            break;
        }
        l.Line(kIndent, "fcu,0＝fcu,k＋1.645σ＝", fcuK, "＋1.645×", T(*r.sigma, 1),
            Approx(Fraction(v.grade) + Fraction(1645, 1000) * Fraction::Units(*r.sigma, 1), 1),
            "（MPa）");
    }

    l.Line("　　2.胶凝材料28d胶砂抗压强度 fb：");
    if (v.fce)
        l.Line(kIndent, "水泥28d胶砂抗压强度 fce＝", T(r.fce, 1), "（MPa）（实测）");
    else
        l.Line(kIndent, "fce＝γc×fce,g＝", T(r.gammaC, 2), "×", T(v.cementGrade, 1),
            Approx(Fraction::Units(r.gammaC, 2) * Fraction::Units(v.cementGrade, 1), 1),
            "（MPa）（γc 按表5.1.4）");
    if (v.fb) {
        l.Line(kIndent, "fb＝", T(r.fb, 1), "（MPa）（实测），不按影响系数计算");
        return;
    }
    const auto gamma = [&](const char* name, const char* addition, i64 dosage,
                           const std::optional<i64>& given,
                           const std::optional<OrdinaryInterpolation>& range, i64 value) {
        const std::string where = std::string(addition) + "掺量" + T(dosage, 1) + "%";
        if (range && range->from != range->to) {
            const std::string share = "（" + T(dosage, 1) + "－" + std::to_string(range->from)
                + "）／" + std::to_string(range->to - range->from);
            const Fraction shareValue = (Fraction::Units(dosage, 1) - Fraction(range->from))
                / Fraction(range->to - range->from);
            l.Line(kIndent, "表5.1.3，", where, "在", std::to_string(range->from), "%与",
                std::to_string(range->to), "%两行之间：下限 ",
                Between(range->atFrom.lower, range->atTo.lower, share, shareValue, 2), "，上限 ",
                Between(range->atFrom.upper, range->atTo.upper, share, shareValue, 2));
        }
        const std::string bounds
            = range ? T(range->value.lower, 2) + "～" + T(range->value.upper, 2) : std::string();
        if (!given)
            l.Line(
                kIndent, name, "＝", T(value, 2), "（表5.1.3，", where, "：", bounds, "，取上限）");
        else if (range)
            l.Line(
                kIndent, name, "＝", T(value, 2), "（给定；表5.1.3，", where, "：", bounds, "）");
        else
            l.Line(kIndent, name, "＝", T(value, 2), "（给定；", where, "超出表5.1.3）");
    };
    gamma("γf", "粉煤灰", v.flyAsh, v.gammaF, r.gammaFRange, *r.gammaF);
    gamma("γs", "矿渣粉", v.slag, v.gammaS, r.gammaSRange, *r.gammaS);
    l.Line(kIndent, "fb＝γf×γs×fce＝", T(*r.gammaF, 2), "×", T(*r.gammaS, 2), "×", T(r.fce, 1),
        Approx(Fraction::Units(*r.gammaF, 2) * Fraction::Units(*r.gammaS, 2)
                * Fraction::Units(r.fce, 1),
            1),
        "（MPa）");
}

void WaterBinder(Lines& l, const OrdinaryValues& v, const OrdinaryResults& r)
{
    l.Line("　　3.水胶比 W/B：");
    if (r.wbCalculated) {
        const std::string aa = T(r.regression.alphaA, 2), ab = T(r.regression.alphaB, 2);
        const std::string fb = T(r.fb, 1);
        l.Line(kIndent, "αa＝", aa, "，αb＝", ab, "（表5.1.2，", AggregateText(v.aggregate), "）");
        const Fraction a = Fraction::Units(r.regression.alphaA, 2);
        const Fraction b = Fraction::Units(r.regression.alphaB, 2);
        const Fraction f = Fraction::Units(r.fb, 1);
        l.Line(kIndent, "W/B＝αa×fb／（fcu,0＋αa×αb×fb）＝", aa, "×", fb, "／（", T(r.fcu0, 1),
            "＋", aa, "×", ab, "×", fb, "）",
            Approx(a * f / (Fraction::Units(r.fcu0, 1) + a * b * f), 2));
    } else {
        l.Line(kIndent, "C60及以上强度等级的水胶比不按公式计算，应自定（表7.3.2）");
    }
    for (const OrdinaryLimit& limit : r.wbLimits)
        l.Line(kIndent, limit.source, "：最大水胶比", T(limit.value, 2));
    if (v.wb)
        l.Line(kIndent, "采用自定水胶比 W/B＝", T(r.wb, 2));
    else
        l.Line(kIndent, "取以上各值中的最小值 W/B＝", T(r.wb, 2));

    l.Line("　　4.用水量 mw0：");
    std::string sum = std::to_string(r.waterTable);
    Fraction exact(r.waterTable);
    if (v.workability == OrdinaryWorkability::Vebe) {
        l.Line(kIndent, "表5.2.1-1（", AggregateText(v.aggregate), SizeText(v.maxSize),
            "mm，维勃稠度", DryHardWaterRowText(r.waterRow), "s）：", std::to_string(r.waterTable),
            "（kg）");
    } else {
        l.Line(kIndent, "表5.2.1-2（", AggregateText(v.aggregate), SizeText(v.maxSize),
            "mm，坍落度", PlasticWaterRowText(r.waterRow), "mm）：", std::to_string(r.waterTable),
            "（kg）");
        if (v.consistency > 90) {
            l.Line(kIndent, "坍落度大于90mm，按每增大20mm用水量增加5kg计");
            sum += "＋5×（" + std::to_string(v.consistency) + "－90）／20";
            exact = exact + Fraction(5 * (v.consistency - 90), 20);
        }
    }
    if (v.waterAdjust != 0) {
        l.Line(kIndent, "砂的用水量修正 ", v.waterAdjust > 0 ? "+" : "",
            std::to_string(v.waterAdjust), "（kg）");
        sum += Signed(v.waterAdjust);
        exact = exact + Fraction(v.waterAdjust);
    }
    l.Line(kIndent, "mw0′＝", sum, Approx(exact, 1), "（kg）");
    l.Line(kIndent, "mw0＝mw0′×（1－β）＝", T(r.mw0Prime, 1), "×（1－", T(v.reducer, 1), "%）",
        Approx(Fraction::Units(r.mw0Prime, 1) * (Fraction(1) - Fraction::Units(v.reducer, 3)), 0),
        "（kg）");
}

void BinderSteps(Lines& l, const OrdinaryValues& v, const OrdinaryResults& r)
{
    const OrdinaryMix& m = r.mix;
    l.Line("　　5.胶凝材料用量 mb0：");
    l.Line(kIndent, "mb0＝mw0／（W/B）＝", Kg(m.water), "／", T(r.wb, 2),
        Approx(Fraction(m.water) / Fraction::Units(r.wb, 2), 0), "（kg）");
    for (const OrdinaryLimit& least : r.binderMinima)
        l.Line(kIndent, least.source, "：最小胶凝材料用量", Kg(least.value), "（kg）");
    if (!r.binderMinimum)
        l.Line(kIndent, "C15及以下强度等级不限最小胶凝材料用量");
    else if (m.binder > r.binderComputed)
        l.Line(kIndent, "计算值", Kg(r.binderComputed), "（kg）小于最小胶凝材料用量，取 mb0＝",
            Kg(m.binder), "（kg）");
    else
        l.Line(kIndent, "mb0＝", Kg(m.binder), "（kg），不小于最小胶凝材料用量",
            Kg(*r.binderMinimum), "（kg）");

    l.Line("　　6.矿物掺合料、水泥和外加剂用量：");
    const std::string mb = Kg(m.binder);
    l.Line(kIndent, "mf0＝mb0×βf＝", mb, "×", T(v.flyAsh, 1), "%",
        Approx(Fraction(m.binder) * Fraction::Units(v.flyAsh, 3), 0), "（kg）");
    l.Line(kIndent, "mk0＝mb0×βk＝", mb, "×", T(v.slag, 1), "%",
        Approx(Fraction(m.binder) * Fraction::Units(v.slag, 3), 0), "（kg）");
    l.Line(kIndent, "mc0＝mb0－mf0－mk0＝", mb, "－", Kg(m.flyAsh), "－", Kg(m.slag), "＝",
        Kg(m.cement), "（kg）");
    l.Line(kIndent, "ma0＝mb0×βa＝", mb, "×", T(v.admixture, 1), "%",
        Approx(Fraction(m.binder) * Fraction::Units(v.admixture, 3), 2), "（kg）");
    for (const OrdinaryDosageCheck& c : r.dosageChecks)
        l.Line(kIndent, AdditionText(c.addition), "掺量", T(c.dosage, 1), "%，表",
            MaximumDosageTable(v.structure), "（", StructureText(v.structure), "，",
            CementTypeText(v.cementType), "，水胶比", r.wb <= 40 ? "≤0.40" : "＞0.40", "）最大掺量",
            std::to_string(c.maximum), "%", c.dosage > c.maximum * 10 ? "，超过" : "，满足");
}

void SandRatioSteps(Lines& l, const OrdinaryValues& v, const OrdinaryResults& r)
{
    const OrdinarySandRatioWork& w = r.sandRatioWork;
    l.Line("　　7.砂率 βs：");
    if (w.highStrength) {
        l.Line(kIndent, "C60及以上强度等级按表7.3.2：", T(w.range->lower, 1), "%～",
            T(w.range->upper, 1), "%");
    } else if (!w.columns.empty()) {
        l.Line(kIndent, "表5.4.2（", AggregateText(v.aggregate), "，W/B＝", T(r.wb, 2), "）：");
        for (std::size_t i = 0; i < w.columns.size(); ++i) {
            const OrdinaryInterpolation& c = w.columns[i];
            const std::string size = SizeText(w.columnSizes[i]) + "mm：";
            if (c.from == c.to) {
                l.Line("　　　　", size, T(c.value.lower, 1), "%～", T(c.value.upper, 1), "%");
                continue;
            }
            const std::string share = "（" + T(r.wb, 2) + "－" + T(c.from, 2) + "）／0.10";
            const Fraction shareValue(r.wb - c.from, c.to - c.from);
            l.Line("　　　　", size, "下限 ",
                Between(c.atFrom.lower, c.atTo.lower, share, shareValue, 1), "，上限 ",
                Between(c.atFrom.upper, c.atTo.upper, share, shareValue, 1), "（%）");
        }
        if (w.sized) {
            const OrdinaryBounds b20 = w.columns[0].value, b40 = w.columns[1].value;
            const Fraction share(115, 200);
            l.Line("　　　　31.5mm：下限 ", Between(b20.lower, b40.lower, "11.5／20", share, 1),
                "，上限 ", Between(b20.upper, b40.upper, "11.5／20", share, 1), "（%）");
        }
        if (w.slumpIncrement) {
            const OrdinaryBounds before = w.sized ? *w.sized : w.columns[0].value;
            const std::string inc = T(*w.slumpIncrement, 2);
            const Fraction incValue = Fraction::Units(*w.slumpIncrement, 2);
            l.Line("　　　　坍落度", std::to_string(v.consistency), "mm，砂率增大（",
                std::to_string(v.consistency), "－60）／20＝", inc, "（%）：", T(before.lower, 1),
                "＋", inc, Approx(Fraction::Units(before.lower, 1) + incValue, 1), "，",
                T(before.upper, 1), "＋", inc,
                Approx(Fraction::Units(before.upper, 1) + incValue, 1), "（%）");
        }
        l.Line(kIndent, "砂率范围：", T(w.range->lower, 1), "%～", T(w.range->upper, 1), "%");
    } else if (v.workability == OrdinaryWorkability::Vebe) {
        l.Line(kIndent, "干硬性混凝土的砂率不按表5.4.2选取");
    } else {
        l.Line(kIndent, "W/B＝", T(r.wb, 2), "不在表5.4.2的0.40～0.70之间");
    }
    for (const OrdinaryBand& band : w.bands)
        l.Line(kIndent, band.source, "的砂率宜为", std::to_string(band.bounds.lower / 10), "%～",
            std::to_string(band.bounds.upper / 10), "%");
    if (v.sandRatio) {
        l.Line(kIndent, "采用自定砂率 βs＝", T(r.mix.sandRatio, 1), "（%）");
        return;
    }
    l.Line(kIndent, "取中值（", T(w.range->lower, 1), "＋", T(w.range->upper, 1), "）／2",
        Approx(Fraction::Units(*w.middle, 2), 0), "（%）");
    if (r.mix.sandRatio != *w.rounded)
        l.Line(kIndent, "按上述砂率要求调整");
    l.Line(kIndent, "βs＝", T(r.mix.sandRatio, 1), "（%）");
}

// The aggregates of a mix: formulas with their numbers.
void AggregateLines(Lines& l, const OrdinaryValues& v, const OrdinaryMix& m, const char* suffix)
{
    const std::string s(suffix);
    const std::string ratio = T(m.sandRatio, 1) + "%";
    if (v.method == OrdinaryMethod::Mass) {
        l.Line(kIndent, "ms", s, "＋mg", s, "＝mcp－mb", s, "－mw", s, "＝", Kg(v.mcp), "－",
            Kg(m.binder), "－", Kg(m.water), "＝", Kg(m.aggregates), "（kg）");
    } else {
        const auto term = [](i64 kg, i64 rho) { return "－" + Kg(kg) + "／" + T(rho, 2); };
        const Fraction litres = Fraction(1000) - Fraction(v.air)
            - Fraction(m.cement) / Fraction::Units(v.rhoC, 2)
            - Fraction(m.flyAsh) / Fraction::Units(v.rhoF, 2)
            - Fraction(m.slag) / Fraction::Units(v.rhoK, 2) - Fraction(m.water);
        l.Line(kIndent, "V＝1000－10α－mc", s, "／ρc－mf", s, "／ρf－mk", s, "／ρk－mw", s,
            "／ρw＝1000－10×", T(v.air, 1), term(m.cement, v.rhoC), term(m.flyAsh, v.rhoF),
            term(m.slag, v.rhoK), term(m.water, 100), Approx(litres, 1), "（L）");
        const Fraction share = Fraction::Units(m.sandRatio, 3);
        const Fraction perKg = share / Fraction::Units(v.rhoS, 2)
            + (Fraction(1) - share) / Fraction::Units(v.rhoG, 2);
        l.Line(kIndent, "ms", s, "＋mg", s, "＝V／［βs／ρs＋（1－βs）／ρg］＝", T(*m.volume, 1),
            "／［", ratio, "／", T(v.rhoS, 2), "＋（1－", ratio, "）／", T(v.rhoG, 2), "］",
            Approx(Fraction::Units(*m.volume, 1) / perKg, 0), "（kg）");
    }
    l.Line(kIndent, "ms", s, "＝（ms", s, "＋mg", s, "）×βs＝", Kg(m.aggregates), "×", ratio,
        Approx(Fraction(m.aggregates) * Fraction::Units(m.sandRatio, 3), 0), "（kg）");
    l.Line(kIndent, "mg", s, "＝", Kg(m.aggregates), "－", Kg(m.sand), "＝", Kg(m.stone), "（kg）");
}

void MixLines(Lines& l, const OrdinaryValues& v, const OrdinaryResults& r)
{
    const OrdinaryMix& m = r.mix;
    l.Line("四、计算配合比（每立方米混凝土）：");
    l.Line(kIndent, "水泥　　mc0＝", Kg(m.cement), "（kg）");
    l.Line(kIndent, "粉煤灰　mf0＝", Kg(m.flyAsh), "（kg）");
    l.Line(kIndent, "矿渣粉　mk0＝", Kg(m.slag), "（kg）");
    l.Line(kIndent, "砂　　　ms0＝", Kg(m.sand), "（kg）");
    l.Line(kIndent, "石子　　mg0＝", Kg(m.stone), "（kg）");
    l.Line(kIndent, "水　　　mw0＝", Kg(m.water), "（kg）");
    l.Line(kIndent, "外加剂　ma0＝", T(m.admixture, 2), "（kg）");
    l.Line(kIndent, "计算表观密度＝mc0＋mf0＋mk0＋ms0＋mg0＋mw0＝", Kg(m.cement), "＋",
        Kg(m.flyAsh), "＋", Kg(m.slag), "＋", Kg(m.sand), "＋", Kg(m.stone), "＋", Kg(m.water),
        "＝", Kg(r.density), "（kg/m3）");
    const std::string mb = Kg(m.binder);
    l.Line(kIndent, "胶凝材料：砂：石子：水＝1：", Kg(m.sand), "／", mb, "：", Kg(m.stone), "／",
        mb, "：", Kg(m.water), "／", mb, "＝1：", T(r.ratio[0], 2), "：", T(r.ratio[1], 2), "：",
        T(r.ratio[2], 2));
    if (m.binder > r.binderComputed)
        l.Line(kIndent, "（胶凝材料已按最小用量调整，实际水胶比为", T(r.ratio[2], 2), "）");

    const i64 step = r.trials[2].wb - r.trials[1].wb;
    l.Line("五、试配：");
    l.Line(kIndent, "三个配合比的用水量相同，水胶比依次相差", T(step, 2),
        "，砂率相差1%，胶凝材料用量不按最小用量调整。");
    static const char* const kNumbers[] = { "（1）", "（2）", "（3）" };
    for (int i = 0; i < 3; ++i) {
        const OrdinaryMix& t = r.trials[static_cast<size_t>(i)];
        l.Line("　　", kNumbers[i], "W/B＝", T(t.wb, 2), "，mw＝", Kg(t.water), "（kg），βs＝",
            T(t.sandRatio, 1), "（%）", i == 1 ? "：计算配合比" : "");
        if (i != 1) {
            const std::string mb = Kg(t.binder);
            l.Line(kIndent, "mb＝mw／（W/B）＝", Kg(t.water), "／", T(t.wb, 2),
                Approx(Fraction(t.water) / Fraction::Units(t.wb, 2), 0), "（kg）");
            l.Line(kIndent, "mf＝", mb, "×", T(v.flyAsh, 1), "%",
                Approx(Fraction(t.binder) * Fraction::Units(v.flyAsh, 3), 0), "，mk＝", mb, "×",
                T(v.slag, 1), "%", Approx(Fraction(t.binder) * Fraction::Units(v.slag, 3), 0),
                "，mc＝", mb, "－", Kg(t.flyAsh), "－", Kg(t.slag), "＝", Kg(t.cement), "，ma＝",
                mb, "×", T(v.admixture, 1), "%",
                Approx(Fraction(t.binder) * Fraction::Units(v.admixture, 3), 2), "（kg）");
            AggregateLines(l, v, t, "");
        }
        l.Line(kIndent, "水泥", Kg(t.cement), "，粉煤灰", Kg(t.flyAsh), "，矿渣粉", Kg(t.slag),
            "，砂", Kg(t.sand), "，石子", Kg(t.stone), "，水", Kg(t.water), "，外加剂",
            T(t.admixture, 2), "（kg）");
    }
    if (v.impermeability) {
        const std::string p = std::to_string(v.impermeability);
        l.Line(kIndent, "抗渗试配的试验水压力 Pt＝P／10＋0.2＝", p, "／10＋0.2＝",
            T(v.impermeability + 2, 1), "（MPa）");
    }
}

} // namespace

std::string BuildOrdinaryReport(const OrdinaryValues& v, const OrdinaryResults& r)
{
    std::string out;
    out.reserve(8192);
    Lines l(out);
    l.Line("");
    l.Line("————Qoru计算书（普通混凝土配合比设计，JGJ 55-2011）————");
    Requirements(l, v);

    l.Line("三、配合比计算：");
    Strength(l, v, r);
    WaterBinder(l, v, r);
    BinderSteps(l, v, r);
    SandRatioSteps(l, v, r);
    l.Line(
        "　　8.粗、细骨料用量（", v.method == OrdinaryMethod::Mass ? "质量法" : "体积法", "）：");
    if (v.method == OrdinaryMethod::Mass)
        l.Line(kIndent, "假定表观密度 mcp＝", Kg(v.mcp), "（kg/m3）");
    else
        l.Line(kIndent, "ρc＝", T(v.rhoC, 2), "，ρf＝", T(v.rhoF, 2), "，ρk＝", T(v.rhoK, 2),
            "，ρs＝", T(v.rhoS, 2), "，ρg＝", T(v.rhoG, 2), "，ρw＝1.00（g/cm3），α＝", T(v.air, 1),
            "（%）");
    AggregateLines(l, v, r.mix, "0");
    MixLines(l, v, r);
    return out;
}
