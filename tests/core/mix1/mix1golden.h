#pragma once

#include <string>
#include <vector>

// The report of the form as it opens (SF2, C60, σ 3, cement 52.5, ρc 3100,
// Vg 0.33, ρg 2700, Φs 0.45, ρs 2670, β1 = β2 = 0.1 at 2300, Va 10, α 1.5,
// computed W/B), line by line without the line ends. The first line is the
// empty one that ends the text the report is appended to.
inline std::vector<std::string> OpeningReportLines()
{
    return {
        "",
        "————Qoru计算书（JGJ/T283-2012）————",
        "一、设计要求：",
        "　　自密实性能：SF2",
        "　　坍落扩展度＝660～755（mm）",
        "　　混凝土强度 fcu,k＝60.0（MPa）",
        "二、材料参数：",
        "　　水泥强度等级　　　fce,g＝52.5（MPa）",
        "　　水泥表观密度　　　ρc＝3100（kg/m3）",
        "　　粗骨料表观密度　　ρg＝2700（kg/m3）",
        "　　砂表观密度　　　　ρs＝2670（kg/m3）",
        "　　粉煤灰表观密度　　ρf＝2300（kg/m3）",
        "　　矿渣粉表观密度　　ρk＝2300（kg/m3）",
        "　　粉煤灰质量分数　　β1＝0.10",
        "　　矿渣粉质量分数　　β2＝0.10",
        "　　混凝土强度标准差　σ＝3.0（MPa）",
        "　　引入空气的体积　　Va＝10（L）",
        "　　外加剂占胶凝材料总量的质量百分数　α＝1.50（%）",
        "三、配合比设计：",
        "　　1.确定每立方米混凝土中粗骨料的体积 Vg：",
        "　　　根据自密实性能等级，选取粗骨料体积 Vg＝0.33（m3）",
        "　　　粗骨料用量: Vg＝0.33（m3）",
        "　　　　　　　　  Mg＝Vg×ρg＝891.0（kg）",
        "　　2.计算砂浆体积 Vm：",
        "　　　　　Vm＝1－Vg＝0.67（m3）",
        "　　3.确定砂浆中砂的体积分数 Φs：",
        "　　　选取 Φs＝0.45",
        "　　4.计算砂用量：",
        "　　　　　Vs＝Vm×Φs＝0.30（m3）",
        "　　　　　Ms＝Vs×ρs＝801.0（kg）",
        "　　5.计算浆体体积 Vp：",
        "　　　　　Vp＝Vm－Vs＝0.37（m3）",
        "　　6.计算胶凝材料表观密度 ρb：",
        "　　　　　ρb＝1／［β1／ρf＋β2／ρk＋（1－β1－β2）／ρc］＝2898.00（kg/m3）",
        "　　7.计算自密实混凝土配制强度 fcu,0：",
        "　　　按《普通混凝土配合比设计规程》JGJ55的规定计算混凝土配制强度。",
        "　　　　　fcu,o＝fcu,k＋1.645×σ＝64.90（MPa）",
        "　　8.计算水胶比 (Mw/Mb)：",
        "　　　　　(Mw/Mb)＝0.42×fce×1.1（1－β1－β2＋β1×0.4＋β2×0.9）／（fcu,o+1.2）＝0.34",
        "　　9.计算胶凝材料质量 Mb：",
        "　　　　　1（L）＝0.001（m3）",
        "　　　　　水表观密度 ρw=1000 （kg/m3）",
        "　　　　　Mb＝（Vp－0.001×Va）／（1／ρb＋(Mw/Mb)／ρw）＝525.5（kg）",
        "　　10.计算用水质量 Mw：",
        "　　　　　Mw＝Mb×(Mw/Mb)＝178.7（kg）",
        "　　11.计算水泥质量 Mc，粉煤灰质量 Mf，矿渣粉质量 Mk：",
        "　　　　　Mf＝Mb×β1＝52.6（kg）",
        "　　　　　Mk＝Mb×β2＝52.6（kg）",
        "　　　　　Mc＝Mb－Mf－Mk＝420.3（kg）",
        "　　12.计算外加剂质量 Mca：",
        "　　　　　Mca＝Mb×α＝7.9（kg）",
        "四、配合比设计成果：",
        "　　　自密实混凝土强度等级：C60",
        "　　　自密实性能等级：SF2",
        "　　　坍落扩展度（mm）：660～755",
        "　　　水泥强度等级：52.5（MPa）",
        "　　　水胶比：0.34",
        "　　　引入空气的体积（L）：10",
        "　　　1立方米自密实混凝土材料用量：",
        "　　　　粗骨料　：体积用量（L）＝330.00，质量用量（kg）＝891.0",
        "　　　　　　砂　：体积用量（L）＝300.00，质量用量（kg）＝801.0",
        "　　　　　　水　：体积用量（L）＝178.67，质量用量（kg）＝178.7",
        "　　　　　水泥　：体积用量（L）＝135.58，质量用量（kg）＝420.3",
        "　　　　粉煤灰　：体积用量（L）＝22.87，质量用量（kg）＝52.6",
        "　　　　矿渣粉　：体积用量（L）＝22.87，质量用量（kg）＝52.6",
        "　　　　外加剂　：质量用量（kg）＝7.9",
    };
}

// Splits a report at its "\r\n" line ends. A text that does not end with
// one, or holds a lone CR or LF, yields a last element that says so.
inline std::vector<std::string> ReportLinesOf(const std::string& report)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < report.size()) {
        const std::size_t end = report.find("\r\n", from);
        if (end == std::string::npos) {
            lines.push_back("<no line end after> " + report.substr(from));
            break;
        }
        std::string line = report.substr(from, end - from);
        if (line.find_first_of("\r\n") != std::string::npos)
            line = "<lone CR or LF in> " + line;
        lines.push_back(line);
        from = end + 2;
    }
    return lines;
}
