#include "adjust/adjustreport.h"

#include "common/reportlines.h"
#include "common/reportnum.h"

namespace {

const char* const kSymbols[kAdjustMaterials] = { "Mc", "Mf1", "Mf2", "Ms", "Mg", "Mw", "Mca" };

std::string N(std::int64_t units, int decimals)
{
    return ReportUnits(units, decimals);
}

std::string Mass(const AdjustMasses& masses, int m)
{
    return N(masses[static_cast<size_t>(m)], AdjustMassDecimals(m));
}

} // namespace

std::string BuildAdjustReport(
    const std::string& powder1Name, const std::string& powder2Name, const AdjustResults& r)
{
    const std::string names[kAdjustMaterials]
        = { "水泥", powder1Name, powder2Name, "细骨料", "粗骨料", "水", "外加剂" };

    std::string out;
    out.reserve(4096);
    ReportLines l(out);
    l.Line("");
    l.Line("————Qoru计算书（试配、校正与施工配合比）————");

    l.Line("一、设计配合比（每立方米混凝土材料用量）：");
    for (int m = 0; m < kAdjustMaterials; ++m) {
        l.Line("　　", names[m], " ", kSymbols[m], "＝", Mass(r.design, m), "（kg）");
    }
    l.Add("　　计算表观密度 ρc,c＝Mc＋Mf1＋Mf2＋Ms＋Mg＋Mw＝");
    for (int m = 0; m < kAdjustAdmixture; ++m)
        l.Add(m ? "＋" : "", Mass(r.design, m));
    l.Line("＝", N(r.computedDensity, 1), "（kg/m3）");

    l.Line("二、表观密度校正：");
    if (!r.measuredDensity) {
        l.Line("　　未测实测表观密度，不校正。");
    } else {
        const std::string rhoT = N(*r.measuredDensity, 0);
        const std::string rhoC = N(r.computedDensity, 1);
        l.Line("　　实测表观密度 ρc,t＝", rhoT, "（kg/m3）");
        l.Line("　　偏差＝（ρc,t－ρc,c）／ρc,c×100＝（", rhoT, "－", rhoC, "）／", rhoC, "×100＝",
            N(*r.deviation, 2), "（%）");
        if (!r.corrected) {
            l.Line("　　偏差的绝对值不超过2%，不校正。");
        } else {
            const std::string delta = N(*r.delta, 3);
            l.Line("　　偏差的绝对值超过2%，各材料用量乘以校正系数：");
            l.Line("　　δ＝ρc,t／ρc,c＝", rhoT, "／", rhoC, "＝", delta);
            for (int m = 0; m < kAdjustMaterials; ++m) {
                l.Line("　　　", names[m], " ", kSymbols[m], "＝", Mass(r.design, m), "×", delta,
                    "＝", Mass(r.lab, m), "（kg）");
            }
        }
    }

    l.Line("三、试验室配合比：");
    const std::string mb = N(r.binder, 1);
    l.Line("　　胶凝材料 Mb＝Mc＋Mf1＋Mf2＝", Mass(r.lab, kAdjustCement), "＋",
        Mass(r.lab, kAdjustPowder1), "＋", Mass(r.lab, kAdjustPowder2), "＝", mb, "（kg）");
    l.Line("　　水胶比 W/B＝Mw／Mb＝", Mass(r.lab, kAdjustWater), "／", mb, "＝", N(r.wb, 2));
    l.Line("　　细骨料 Ms／Mb＝", Mass(r.lab, kAdjustSand), "／", mb, "＝", N(r.sandRatio, 2));
    l.Line("　　粗骨料 Mg／Mb＝", Mass(r.lab, kAdjustCoarse), "／", mb, "＝", N(r.coarseRatio, 2));
    l.Line("　　水　　 Mw／Mb＝", Mass(r.lab, kAdjustWater), "／", mb, "＝", N(r.waterRatio, 2));
    l.Line("　　胶凝材料：细骨料：粗骨料：水＝1：", N(r.sandRatio, 2), "：", N(r.coarseRatio, 2),
        "：", N(r.waterRatio, 2));

    l.Line("四、施工配合比：");
    const std::string ws = N(r.sandMoisture, 1);
    const std::string wg = N(r.coarseMoisture, 1);
    const std::string sandWater = N(r.sandWater, 1);
    const std::string coarseWater = N(r.coarseWater, 1);
    l.Line("　　细骨料含水率 ws＝", ws, "（%），粗骨料含水率 wg＝", wg, "（%）");
    l.Line("　　细骨料含水 Ms×ws＝", Mass(r.lab, kAdjustSand), "×", ws, "%＝", sandWater, "（kg）");
    l.Line("　　粗骨料含水 Mg×wg＝", Mass(r.lab, kAdjustCoarse), "×", wg, "%＝", coarseWater,
        "（kg）");
    l.Line("　　施工细骨料 Ms'＝Ms＋Ms×ws＝", Mass(r.lab, kAdjustSand), "＋", sandWater, "＝",
        Mass(r.site, kAdjustSand), "（kg）");
    l.Line("　　施工粗骨料 Mg'＝Mg＋Mg×wg＝", Mass(r.lab, kAdjustCoarse), "＋", coarseWater, "＝",
        Mass(r.site, kAdjustCoarse), "（kg）");
    l.Line("　　施工用水 Mw'＝Mw－Ms×ws－Mg×wg＝", Mass(r.lab, kAdjustWater), "－", sandWater, "－",
        coarseWater, "＝", Mass(r.site, kAdjustWater), "（kg）");
    l.Line("　　每立方米施工配合比（水泥、粉体、外加剂不变）：");
    for (int m = 0; m < kAdjustMaterials; ++m) {
        l.Line("　　　", names[m], "＝", Mass(r.site, m), "（kg）");
    }

    const std::string v = N(r.volume, 1);
    l.Line("五、试配每盘材料用量（每盘 V＝", v, "L）：");
    l.Line("　　每盘用量＝施工配合比用量×V／1000");
    for (int m = 0; m < kAdjustMaterials; ++m) {
        l.Line("　　　", names[m], "＝", Mass(r.site, m), "×", v, "／1000＝",
            N(r.batch[static_cast<size_t>(m)], kAdjustBatchDecimals), "（kg）");
    }
    return out;
}
