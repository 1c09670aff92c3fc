#include "mix1/mix1report.h"

#include "common/reportlines.h"
#include "common/reportnum.h"

namespace {

// A material of section four: volume in litres, then mass in kg.
void Material(ReportLines& l, const char* literal, double litres, double kilograms)
{
    l.Line(literal, ReportNumber(litres, 2), "，质量用量（kg）＝", ReportNumber(kilograms, 1));
}

std::string N(double value, int decimals)
{
    return ReportNumber(value, decimals);
}

} // namespace

std::string BuildMix1Report(const Mix1Inputs& in, const Mix1Working& w, const Mix1Results& r)
{
    std::string out;
    out.reserve(4096);
    ReportLines l(out);

    l.Line("");
    l.Line("————Qoru计算书（JGJ/T283-2012）————");
    l.Line("一、设计要求：");
    l.Line("　　自密实性能：", in.performanceText);
    l.Line("　　坍落扩展度＝", in.slumpFlowText, "（mm）");
    l.Line("　　混凝土强度 fcu,k＝", N(in.fcuK, 1), "（MPa）");

    l.Line("二、材料参数：");
    l.Line("　　水泥强度等级　　　fce,g＝", N(in.fceG, 1), "（MPa）");
    l.Line("　　水泥表观密度　　　ρc＝", N(in.rhoC, 0), "（kg/m3）");
    l.Line("　　粗骨料表观密度　　ρg＝", N(in.rhoG, 0), "（kg/m3）");
    l.Line("　　砂表观密度　　　　ρs＝", N(in.rhoS, 0), "（kg/m3）");
    l.Line("　　粉煤灰表观密度　　ρf＝", N(in.rhoF, 0), "（kg/m3）");
    l.Line("　　矿渣粉表观密度　　ρk＝", N(in.rhoK, 0), "（kg/m3）");
    l.Line("　　粉煤灰质量分数　　β1＝", N(in.beta1, 2));
    l.Line("　　矿渣粉质量分数　　β2＝", N(in.beta2, 2));
    l.Line("　　混凝土强度标准差　σ＝", N(in.sigma, 1), "（MPa）");
    l.Line("　　引入空气的体积　　Va＝", N(in.va, 0), "（L）");
    l.Line("　　外加剂占胶凝材料总量的质量百分数　α＝", N(in.alpha, 2), "（%）");

    l.Line("三、配合比设计：");
    l.Line("　　1.确定每立方米混凝土中粗骨料的体积 Vg：");
    // Vg as entered, then as rounded for the later steps.
    l.Line("　　　根据自密实性能等级，选取粗骨料体积 Vg＝", N(in.vg, 2), "（m3）");
    l.Line("　　　粗骨料用量: Vg＝", N(w.vg, 2), "（m3）");
    l.Line("　　　　　　　　  Mg＝Vg×ρg＝", N(w.mg, 1), "（kg）");
    l.Line("　　2.计算砂浆体积 Vm：");
    l.Line("　　　　　Vm＝1－Vg＝", N(w.vm, 2), "（m3）");
    l.Line("　　3.确定砂浆中砂的体积分数 Φs：");
    l.Line("　　　选取 Φs＝", N(in.phiS, 2));
    l.Line("　　4.计算砂用量：");
    l.Line("　　　　　Vs＝Vm×Φs＝", N(w.vs, 2), "（m3）");
    l.Line("　　　　　Ms＝Vs×ρs＝", N(w.ms, 1), "（kg）");
    l.Line("　　5.计算浆体体积 Vp：");
    l.Line("　　　　　Vp＝Vm－Vs＝", N(w.vp, 2), "（m3）");
    l.Line("　　6.计算胶凝材料表观密度 ρb：");
    l.Line("　　　　　ρb＝1／［β1／ρf＋β2／ρk＋（1－β1－β2）／ρc］＝", N(w.rhoB, 2), "（kg/m3）");
    l.Line("　　7.计算自密实混凝土配制强度 fcu,0：");
    l.Line("　　　按《普通混凝土配合比设计规程》JGJ55的规定计算混凝土配制强度。");
    l.Line("　　　　　fcu,o＝fcu,k＋1.645×σ＝", N(w.fcu0, 2), "（MPa）");
    l.Line("　　8.计算水胶比 (Mw/Mb)：");
    if (in.customRatio)
        l.Line("　　　自定水胶比  (Mw/Mb)＝", N(in.wb, 2));
    else
        l.Line("　　　　　(Mw/Mb)＝0.42×fce×1.1（1－β1－β2＋β1×0.4＋β2×0.9）／（fcu,o+1.2）＝",
            N(in.wb, 2));
    l.Line("　　9.计算胶凝材料质量 Mb：");
    l.Line("　　　　　1（L）＝0.001（m3）");
    l.Line("　　　　　水表观密度 ρw=1000 （kg/m3）");
    l.Line("　　　　　Mb＝（Vp－0.001×Va）／（1／ρb＋(Mw/Mb)／ρw）＝", N(w.mb, 1), "（kg）");
    l.Line("　　10.计算用水质量 Mw：");
    l.Line("　　　　　Mw＝Mb×(Mw/Mb)＝", N(w.mw, 1), "（kg）");
    l.Line("　　11.计算水泥质量 Mc，粉煤灰质量 Mf，矿渣粉质量 Mk：");
    l.Line("　　　　　Mf＝Mb×β1＝", N(w.mf, 1), "（kg）");
    l.Line("　　　　　Mk＝Mb×β2＝", N(w.mk, 1), "（kg）");
    l.Line("　　　　　Mc＝Mb－Mf－Mk＝", N(w.mc, 1), "（kg）");
    l.Line("　　12.计算外加剂质量 Mca：");
    l.Line("　　　　　Mca＝Mb×α＝", N(w.mca, 1), "（kg）");

    l.Line("四、配合比设计成果：");
    l.Line("　　　自密实混凝土强度等级：", in.strengthText);
    l.Line("　　　自密实性能等级：", in.performanceText);
    l.Line("　　　坍落扩展度（mm）：", in.slumpFlowText);
    l.Line("　　　水泥强度等级：", N(in.fceG, 1), "（MPa）");
    l.Line("　　　水胶比：", N(in.wb, 2));
    l.Line("　　　引入空气的体积（L）：", N(in.va, 0));
    l.Line("　　　1立方米自密实混凝土材料用量：");
    Material(l, "　　　　粗骨料　：体积用量（L）＝", r.coarseVolume, r.coarseMass);
    Material(l, "　　　　　　砂　：体积用量（L）＝", r.sandVolume, r.sandMass);
    Material(l, "　　　　　　水　：体积用量（L）＝", r.waterVolume, r.waterMass);
    Material(l, "　　　　　水泥　：体积用量（L）＝", r.cementVolume, r.cementMass);
    Material(l, "　　　　粉煤灰　：体积用量（L）＝", r.flyAshVolume, r.flyAshMass);
    Material(l, "　　　　矿渣粉　：体积用量（L）＝", r.slagVolume, r.slagMass);
    l.Line("　　　　外加剂　：质量用量（kg）＝", N(r.admixtureMass, 1));
    return out;
}
