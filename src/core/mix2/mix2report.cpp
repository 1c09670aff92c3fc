#include "mix2/mix2report.h"

#include "common/reportlines.h"
#include "common/reportnum.h"

namespace {

std::string F1(double x)
{
    return ReportNumber(x, 1);
}
std::string F2(double x)
{
    return ReportNumber(x, 2);
}
std::string F3(double x)
{
    return ReportNumber(x, 3);
}
std::string F4(double x)
{
    return ReportNumber(x, 4);
}

struct PowderFacts
{
    const char* digit; // "1" or "2" in the symbols
    const char* numeral; // "一" or "二"
    const std::string& name;
    int powderClass;
    double replace, excess, density; // r %, k, ρf
    double mf, vf, mc, mj;
};

// The five lines of one powder, chosen by its class.
void PowderLines(ReportLines& l, const PowderFacts& p)
{
    const std::string d = p.digit;
    if (p.powderClass == 1) {
        l.Line("　　　采用" + p.name + "取代水泥 " + F1(p.replace) + "％，超量系数 " + F2(p.excess)
            + "，表观密度 ρf" + d + "＝ " + F2(p.density) + "（g/cm3）");
        l.Line("　　　　　" + p.name + "用量 " + "Mf" + d + "＝Mco×取代系数×超量系数＝" + F1(p.mf)
            + "（kg）");
        l.Line("　　　　　　　　　　 Vf" + d + "＝Mf" + d + "／ρf" + d + "＝" + F1(p.vf) + "（L）");
        l.Line("　　　　　取代水泥量 Mc" + d + "＝Mco×取代系数＝" + F1(p.mc) + "（kg）");
        l.Line("　　　　　胶凝材料量 Mj" + d + "＝Mf" + d + "＝" + F1(p.mj) + "（kg）");
    } else if (p.powderClass == 2) {
        // The inert block names no powder and sits two places deeper.
        l.Line("　　　采用惰性掺合料，表观密度 ρf" + d + "＝ " + F2(p.density) + "（g/cm3）");
        l.Line("　　　　　惰性掺合料用量 Vf" + d + "＝" + F1(p.vf) + "（L）");
        l.Line("　　　　　　　　　　 　　Mf" + d + "＝Vf" + d + "×ρf" + d + "＝" + F1(p.mf)
            + "（kg）");
        l.Line("　　　　　　　取代水泥量 Mc" + d + "＝0（kg）");
        l.Line("　　　　　　　胶凝材料量 Mj" + d + "＝0（kg）");
    } else {
        l.Line(std::string("　　　没有采用粉体材料") + p.numeral + "，所以：");
        l.Line(std::string("　　　　　粉体") + p.numeral + "用量 Mf" + d + "＝0.0（kg）");
        l.Line("　　　　　　　　　　 Vf" + d + "＝0.0（L）");
        l.Line("　　　　　取代水泥量 Mc" + d + "＝0（kg）");
        l.Line("　　　　　胶凝材料量 Mj" + d + "＝0（kg）");
    }
}

} // namespace

std::string BuildMix2Report(const Mix2Members& m, const Mix2Work& w, const Mix2Check& check)
{
    std::string text;
    text.reserve(6144);
    ReportLines l(text);

    l.Line("");
    l.Line("————Qoru计算书（先设计混凝土强度,后校核自密实性能）————");
    l.Line("一、设计要求：");
    l.Line("　　自密实性能：" + m.sfGrade);
    l.Line("　　坍落扩展度目标值＝" + m.slumpFlow + "（mm）");
    l.Line("　　Ｖ漏斗通过时间目标值＝" + m.vFunnelTime + "（s）");
    l.Line("　　混凝土强度 fcu,k＝" + F1(m.strength) + "（MPa）");
    l.Line("二、材料参数：");
    l.Line("　　水泥强度等级 fce,g＝" + F1(m.cementGrade) + "（MPa）");
    l.Line("　　水泥强度富裕系数 γc＝" + F2(m.cementSurplus));
    l.Line("　　水泥表观密度 ρc＝" + F2(m.cementDensity) + "（g/cm3）");
    l.Line("　　混凝土强度标准差σ＝" + F1(m.stdDev) + "（MPa）");
    l.Line("　　粗骨料类型：" + m.aggregateKind);
    l.Line("　　粗骨料表观密度 ρg＝" + F2(m.coarseDensity) + "（g/cm3）");
    l.Line("　　细骨料表观密度 ρs＝" + F2(m.sandDensity) + "（g/cm3）");

    l.Line("三、配合比设计：");
    l.Line("　　1.按照《普通混凝土配合比设计规程》计算水灰比 w/c：");
    l.Line("　　　混凝土配制强度 fcu,o＝fcu,k＋1.645×σ＝" + F1(w.fcuO) + "（MPa）");
    l.Line("　　　水泥28d抗压强度 fce＝γc×fce,g＝" + F1(w.fce) + "（MPa）");
    l.Line("　　　水灰比公式系数 αa＝" + F2(m.alphaA) + "，αb＝" + F2(m.alphaB));
    l.Line("　　　水灰比 w/c＝αa×fce／（fcu,o＋αa×αb×fce）＝" + F2(w.wc));
    l.Line("　　2.选取用水量，计算理论水泥用量：");
    l.Line("　　　选取单位体积用水量 Mw＝" + F1(w.water) + "（kg）");
    l.Line("　　　　　　　　　　　　 Vw＝" + F1(w.water) + "（L）");
    l.Line("　　　则理论水泥用量 Mco＝Mw／(w/c)＝" + F1(w.mco) + "（kg）");
    l.Line("　　　　　　　　　　 Vco＝Mco／ρc＝" + F1(w.vco) + "（L）");
    l.Line("　　3.计算粉体材料单位体积用量：");

    PowderLines(l,
        { "1", "一", m.powder1Name, m.powder1Class, m.powder1Replace, m.powder1Excess,
            m.powder1Density, w.mf1, w.vf1, w.mc1, w.mj1 });
    PowderLines(l,
        { "2", "二", m.powder2Name, m.powder2Class, m.powder2Replace, m.powder2Excess,
            m.powder2Density, w.mf2, w.vf2, w.mc2, w.mj2 });

    l.Line("　　　使用粉体材料后实际水泥用量：");
    l.Line("　　　　　Mc＝Mco－Mc1－Mc2＝" + F1(w.mc) + "（kg）");
    l.Line("　　　　　Vc＝Mc／ρc＝" + F1(w.vc) + "（L）");
    l.Line("　　4.对比自密实混凝土规程所推荐的单位体积粉体量160～230L，水粉比0.8～1.15，单位体积"
         "浆体量320～400L。");
    // The remarks stand on the line of the value they judge.
    l.Line("　　　　　粉体量Vf＝Vc＋Vf1＋Vf2＝" + F1(w.vf) + "（L）"
        + (check.powderLow ? "　　　粉体量＜160升，不符合。" : "")
        + (check.powderHigh ? "　　　粉体量＞230升，不符合。" : ""));
    l.Line("　　　　　水粉比＝Vw／Vf＝" + F2(w.wp)
        + (check.ratioLow ? "　　　水粉比＜0.8，不符合。" : "")
        + (check.ratioHigh ? "　　　水粉比＞1.15，不符合。" : ""));
    l.Line("　　　　　浆体量＝Vw＋Vf＝" + F1(w.vpaste) + "（L）"
        + (check.pasteLow ? "　　　浆体量＜320升，不符合。" : "")
        + (check.pasteHigh ? "　　　浆体量＞400升，不符合。" : ""));
    if (!check.Passed())
        return text;

    l.Line("　　　符合自密实混凝土规程推荐的要求。");
    l.Line("　　5.确定单位体积粗骨料体积用量 Vg：");
    l.Line("　　　根据自密实性能等级，选取单位体积粗骨料绝对体积＝" + F3(m.coarseVolume) + "（m3）");
    l.Line("　　　　　即粗骨料用量 Vg＝" + F1(w.vg) + "（L）");
    l.Line("　　　　　　　　　　　 Mg＝Vg×ρg＝" + F1(w.mg) + "（kg）");
    l.Line("　　6.计算细骨料单位体积用量：");
    l.Line("　　　选取含气量为 " + F2(m.airContent) + "（%）");
    l.Line("　　　即单位体积含气量 Vgas＝" + F1(w.vgas) + "（L）");
    l.Line("　　　细骨料用量 Vs＝1000－Vw－Vf－Vg－Vgas＝" + F1(w.vs) + "（L）");
    l.Line("　　　　　　　　 Ms＝Vs×ρs＝" + F1(w.ms) + "（kg）");
    l.Line("　　7.计算水胶比：");
    l.Line("　　　胶凝材料用量 Mj＝Mc＋Mj1＋Mj2＝" + F1(w.mj) + "（kg）");
    l.Line("　　　水胶比＝Mw／（Mc＋Mj1＋Mj2）＝" + F2(w.wb));

    l.Line("四、配合比设计成果：");
    l.Line("　　　自密实混凝土强度等级：" + m.strengthGrade);
    l.Line("　　　自密实性能等级：" + m.sfGrade);
    l.Line("　　　坍落扩展目标值（mm）：" + m.slumpFlow);
    l.Line("　　　Ｖ漏斗通过时间目标值（s）：" + m.vFunnelTime);
    // The summary's ratio is taken afresh, unrounded.
    l.Line("　　　水胶比（质量）：" + F2(w.water / w.mj));
    l.Line("　　　水粉比（体积）：" + F2(w.wp));
    l.Line("　　　含气量（％）：" + F2(m.airContent));
    l.Line("　　　粗骨料最大粒径（mm）：20");
    l.Line("　　　单位体积粗骨料绝对体积（m3）：" + F4(w.vg * 0.001));
    l.Line("　　　单位体积材料用量：");
    l.Line("　　　　　　水　Ｗ： 体积用量（L）＝" + F1(w.water) + "，质量用量（kg）＝" + F1(w.water));
    l.Line("　　　　　水泥　Ｃ： 体积用量（L）＝" + F1(w.vc) + "，质量用量（kg）＝" + F1(w.mc));
    l.Line("　　　　" + m.powder1Name + "　Ｆ1：体积用量（L）＝" + F1(w.vf1) + "，质量用量（kg）＝"
        + F1(w.mf1));
    l.Line("　　　　" + m.powder2Name + "　Ｆ2：体积用量（L）＝" + F1(w.vf2) + "，质量用量（kg）＝"
        + F1(w.mf2));
    l.Line("　　　　细骨料　Ｓ： 体积用量（L）＝" + F1(w.vs) + "，质量用量（kg）＝" + F1(w.ms));
    l.Line("　　　　粗骨料　Ｇ： 体积用量（L）＝" + F1(w.vg) + "，质量用量（kg）＝" + F1(w.mg));
    return text;
}
