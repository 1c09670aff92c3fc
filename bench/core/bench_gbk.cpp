#include "doc/gbkcodec.h"
#include "doc/reporttext.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t kFileSize = 1 << 20;

// A 1 MiB report file: Chinese report lines with numbers, CRLF line ends.
const std::string& ReportFile()
{
    static const std::string bytes = [] {
        const std::u16string lines[] = {
            u"自密实混凝土配合比设计计算书",
            u"一、设计要求",
            u"　　自密实性能等级：SF2，强度等级：C30，强度标准差σ＝5.0MPa",
            u"　　配制强度 fcu,0＝fcu,k＋1.645σ＝",
            u"二、原材料参数",
            u"　　水泥表观密度ρc＝3100kg/m3，粉煤灰表观密度ρf＝2200kg/m3",
            u"　　粗骨料体积 Vg＝0.32m3，细骨料体积分数Φs＝0.45",
            u"三、计算过程",
            u"　　水胶比 W/B＝0.38（～0.40），胶凝材料用量 mb＝",
            u"　　单位用水量 mw＝mb×W/B＝",
        };
        std::string file;
        for (unsigned n = 0; file.size() < kFileSize; ++n) {
            const std::u16string& line = lines[n % (sizeof lines / sizeof lines[0])];
            std::u16string number;
            for (unsigned v = 100 + n % 900; v; v /= 10)
                number.insert(number.begin(), char16_t(u'0' + v % 10));
            file += GbkEncode(line + number + u".25kg\r\n");
        }
        file.resize(kFileSize); // may cut the last line short; the measure does not care
        return file;
    }();
    return bytes;
}

void BM_GbkDecode(benchmark::State& state)
{
    const std::string& bytes = ReportFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(GbkDecode(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_GbkDecode)->Unit(benchmark::kMillisecond);

void BM_GbkEncode(benchmark::State& state)
{
    const std::u16string text = GbkDecode(ReportFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(GbkEncode(text));
    state.SetBytesProcessed(state.iterations() * ReportFile().size());
}
BENCHMARK(BM_GbkEncode)->Unit(benchmark::kMillisecond);

void BM_FileBytesToViewText(benchmark::State& state)
{
    const std::string& bytes = ReportFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(FileBytesToViewText(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_FileBytesToViewText)->Unit(benchmark::kMillisecond);

void BM_ViewTextToFileBytes(benchmark::State& state)
{
    const std::u16string view = FileBytesToViewText(ReportFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(ViewTextToFileBytes(view));
    state.SetBytesProcessed(state.iterations() * ReportFile().size());
}
BENCHMARK(BM_ViewTextToFileBytes)->Unit(benchmark::kMillisecond);

// What the typing limit pays on each keystroke.
void BM_ViewTextFileLength(benchmark::State& state)
{
    const std::u16string view = FileBytesToViewText(ReportFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(ViewTextFileLength(view));
    state.SetBytesProcessed(state.iterations() * ReportFile().size());
}
BENCHMARK(BM_ViewTextFileLength)->Unit(benchmark::kMillisecond);

} // namespace
