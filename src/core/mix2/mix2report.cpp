#include "mix2/mix2report.h"

#include "common/message.h"
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

class Lines
{
public:
    explicit Lines(std::string& text)
        : m_text(text)
    { }
    void operator()(const std::string& line)
    {
        m_text += kCrLf;
        m_text += line;
    }

private:
    std::string& m_text;
};

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
void PowderLines(Lines& line, const PowderFacts& p)
{
    const std::string d = p.digit;
    if (p.powderClass == 1) {
        line("　　　采用" + p.name + "取代水泥 " + F1(p.replace) + "％，超量系数 " + F2(p.excess)
            + "，表观密度 ρf" + d + "＝ " + F2(p.density) + "（g/cm3）");
        line("　　　　　" + p.name + "用量 " + "Mf" + d + "＝Mco×取代系数×超量系数＝" + F1(p.mf)
            + "（kg）");
        line("　　　　　　　　　　 Vf" + d + "＝Mf" + d + "／ρf" + d + "＝" + F1(p.vf) + "（L）");
        line("　　　　　取代水泥量 Mc" + d + "＝Mco×取代系数＝" + F1(p.mc) + "（kg）");
        line("　　　　　胶凝材料量 Mj" + d + "＝Mf" + d + "＝" + F1(p.mj) + "（kg）");
    } else if (p.powderClass == 2) {
        // The inert block names no powder and sits two places deeper.
        line("　　　采用惰性掺合料，表观密度 ρf" + d + "＝ " + F2(p.density) + "（g/cm3）");
        line("　　　　　惰性掺合料用量 Vf" + d + "＝" + F1(p.vf) + "（L）");
        line("　　　　　　　　　　 　　Mf" + d + "＝Vf" + d + "×ρf" + d + "＝" + F1(p.mf)
            + "（kg）");
        line("　　　　　　　取代水泥量 Mc" + d + "＝0（kg）");
        line("　　　　　　　胶凝材料量 Mj" + d + "＝0（kg）");
    } else {
        line(std::string("　　　没有采用粉体材料") + p.numeral + "，所以：");
        line(std::string("　　　　　粉体") + p.numeral + "用量 Mf" + d + "＝0.0（kg）");
        line("　　　　　　　　　　 Vf" + d + "＝0.0（L）");
        line("　　　　　取代水泥量 Mc" + d + "＝0（kg）");
        line("　　　　　胶凝材料量 Mj" + d + "＝0（kg）");
    }
}

} // namespace

std::string BuildMix2Report(const Mix2Members& m, const Mix2Work& w, const Mix2Check& check)
{
    std::string text;
    text.reserve(6144);
    Lines line(text);

    line("————Qoru计算书（先设计混凝土强度,后校核自密实性能）————");
    line("一、设计要求：");
    line("　　自密实性能：" + m.sfGrade);
    line("　　坍落扩展度目标值＝" + m.slumpFlow + "（mm）");
    line("　　Ｖ漏斗通过时间目标值＝" + m.vFunnelTime + "（s）");
    line("　　混凝土强度 fcu,k＝" + F1(m.strength) + "（MPa）");
    line("二、材料参数：");
    line("　　水泥强度等级 fce,g＝" + F1(m.cementGrade) + "（MPa）");
    line("　　水泥强度富裕系数 γc＝" + F2(m.cementSurplus));
    line("　　水泥表观密度 ρc＝" + F2(m.cementDensity) + "（g/cm3）");
    line("　　混凝土强度标准差σ＝" + F1(m.stdDev) + "（MPa）");
    line("　　粗骨料类型：" + m.aggregateKind);
    line("　　粗骨料表观密度 ρg＝" + F2(m.coarseDensity) + "（g/cm3）");
    line("　　细骨料表观密度 ρs＝" + F2(m.sandDensity) + "（g/cm3）");

    line("三、配合比设计：");
    line("　　1.按照《普通混凝土配合比设计规程》计算水灰比 w/c：");
    line("　　　混凝土配制强度 fcu,o＝fcu,k＋1.645×σ＝" + F1(w.fcuO) + "（MPa）");
    line("　　　水泥28d抗压强度 fce＝γc×fce,g＝" + F1(w.fce) + "（MPa）");
    line("　　　水灰比公式系数 αa＝" + F2(m.alphaA) + "，αb＝" + F2(m.alphaB));
    line("　　　水灰比 w/c＝αa×fce／（fcu,o＋αa×αb×fce）＝" + F2(w.wc));
    line("　　2.选取用水量，计算理论水泥用量：");
    line("　　　选取单位体积用水量 Mw＝" + F1(w.water) + "（kg）");
    line("　　　　　　　　　　　　 Vw＝" + F1(w.water) + "（L）");
    line("　　　则理论水泥用量 Mco＝Mw／(w/c)＝" + F1(w.mco) + "（kg）");
    line("　　　　　　　　　　 Vco＝Mco／ρc＝" + F1(w.vco) + "（L）");
    line("　　3.计算粉体材料单位体积用量：");

    PowderLines(line,
        { "1", "一", m.powder1Name, m.powder1Class, m.powder1Replace, m.powder1Excess,
            m.powder1Density, w.mf1, w.vf1, w.mc1, w.mj1 });
    PowderLines(line,
        { "2", "二", m.powder2Name, m.powder2Class, m.powder2Replace, m.powder2Excess,
            m.powder2Density, w.mf2, w.vf2, w.mc2, w.mj2 });

    line("　　　使用粉体材料后实际水泥用量：");
    line("　　　　　Mc＝Mco－Mc1－Mc2＝" + F1(w.mc) + "（kg）");
    line("　　　　　Vc＝Mc／ρc＝" + F1(w.vc) + "（L）");
    line("　　4.对比自密实混凝土规程所推荐的单位体积粉体量160～230L，水粉比0.8～1.15，单位体积"
         "浆体量320～400L。");
    // The remarks stand on the line of the value they judge.
    line("　　　　　粉体量Vf＝Vc＋Vf1＋Vf2＝" + F1(w.vf) + "（L）"
        + (check.powderLow ? "　　　粉体量＜160升，不符合。" : "")
        + (check.powderHigh ? "　　　粉体量＞230升，不符合。" : ""));
    line("　　　　　水粉比＝Vw／Vf＝" + F2(w.wp)
        + (check.ratioLow ? "　　　水粉比＜0.8，不符合。" : "")
        + (check.ratioHigh ? "　　　水粉比＞1.15，不符合。" : ""));
    line("　　　　　浆体量＝Vw＋Vf＝" + F1(w.vpaste) + "（L）"
        + (check.pasteLow ? "　　　浆体量＜320升，不符合。" : "")
        + (check.pasteHigh ? "　　　浆体量＞400升，不符合。" : ""));
    if (!check.Passed()) {
        text += kCrLf;
        return text;
    }

    line("　　　符合自密实混凝土规程推荐的要求。");
    line("　　5.确定单位体积粗骨料体积用量 Vg：");
    line("　　　根据自密实性能等级，选取单位体积粗骨料绝对体积＝" + F3(m.coarseVolume) + "（m3）");
    line("　　　　　即粗骨料用量 Vg＝" + F1(w.vg) + "（L）");
    line("　　　　　　　　　　　 Mg＝Vg×ρg＝" + F1(w.mg) + "（kg）");
    line("　　6.计算细骨料单位体积用量：");
    line("　　　选取含气量为 " + F2(m.airContent) + "（%）");
    line("　　　即单位体积含气量 Vgas＝" + F1(w.vgas) + "（L）");
    line("　　　细骨料用量 Vs＝1000－Vw－Vf－Vg－Vgas＝" + F1(w.vs) + "（L）");
    line("　　　　　　　　 Ms＝Vs×ρs＝" + F1(w.ms) + "（kg）");
    line("　　7.计算水胶比：");
    line("　　　胶凝材料用量 Mj＝Mc＋Mj1＋Mj2＝" + F1(w.mj) + "（kg）");
    line("　　　水胶比＝Mw／（Mc＋Mj1＋Mj2）＝" + F2(w.wb));

    line("四、配合比设计成果：");
    line("　　　自密实混凝土强度等级：" + m.strengthGrade);
    line("　　　自密实性能等级：" + m.sfGrade);
    line("　　　坍落扩展目标值（mm）：" + m.slumpFlow);
    line("　　　Ｖ漏斗通过时间目标值（s）：" + m.vFunnelTime);
    // The summary's ratio is taken afresh, unrounded.
    line("　　　水胶比（质量）：" + F2(w.water / w.mj));
    line("　　　水粉比（体积）：" + F2(w.wp));
    line("　　　含气量（％）：" + F2(m.airContent));
    line("　　　粗骨料最大粒径（mm）：20");
    line("　　　单位体积粗骨料绝对体积（m3）：" + F4(w.vg * 0.001));
    line("　　　单位体积材料用量：");
    line("　　　　　　水　Ｗ： 体积用量（L）＝" + F1(w.water) + "，质量用量（kg）＝" + F1(w.water));
    line("　　　　　水泥　Ｃ： 体积用量（L）＝" + F1(w.vc) + "，质量用量（kg）＝" + F1(w.mc));
    line("　　　　" + m.powder1Name + "　Ｆ1：体积用量（L）＝" + F1(w.vf1) + "，质量用量（kg）＝"
        + F1(w.mf1));
    line("　　　　" + m.powder2Name + "　Ｆ2：体积用量（L）＝" + F1(w.vf2) + "，质量用量（kg）＝"
        + F1(w.mf2));
    line("　　　　细骨料　Ｓ： 体积用量（L）＝" + F1(w.vs) + "，质量用量（kg）＝" + F1(w.ms));
    line("　　　　粗骨料　Ｇ： 体积用量（L）＝" + F1(w.vg) + "，质量用量（kg）＝" + F1(w.mg));
    text += kCrLf;
    return text;
}
