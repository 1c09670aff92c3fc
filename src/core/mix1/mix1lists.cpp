#include "mix1/mix1lists.h"

const std::array<PerformanceGrade, 3> kPerformanceGrades = { {
    { "SF1", "550～655", 0.32, 0.35,
        "规程要求：\n自密实性能等级SF1，粗骨料体积取值范围是：0.32--0.35(m3)。" },
    { "SF2", "660～755", 0.30, 0.33,
        "规程要求：\n自密实性能等级SF2，粗骨料体积取值范围是：0.30--0.33(m3)。" },
    { "SF3", "760～855", 0.28, 0.30,
        "规程要求：\n自密实性能等级SF3，粗骨料体积取值范围是：0.28--0.30(m3)。" },
} };

const std::array<StrengthGrade, 16> kStrengthGrades = { {
    { "7.5", 7.5, "C7.5" },
    { "10", 10, "C10" },
    { "15", 15, "C15" },
    { "20", 20, "C20" },
    { "25", 25, "C25" },
    { "30", 30, "C30" },
    { "35", 35, "C35" },
    { "40", 40, "C40" },
    { "45", 45, "C45" },
    { "50", 50, "C50" },
    { "55", 55, "C55" },
    { "60", 60, "C60" },
    { "65", 65, "C65" },
    { "70", 70, "C70" },
    { "75", 75, "C75" },
    { "80", 80, "C80" },
} };

const std::array<CementGrade, 6> kCementGrades = { {
    { "22.5", 22.5 },
    { "27.5", 27.5 },
    { "32.5", 32.5 },
    { "42.5", 42.5 },
    { "52.5", 52.5 },
    { "62.5", 62.5 },
} };

namespace {

template <typename T, std::size_t N> const T* At(const std::array<T, N>& items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return nullptr;
    return &items[static_cast<std::size_t>(index)];
}

} // namespace

const PerformanceGrade* PerformanceGradeAt(int index)
{
    return At(kPerformanceGrades, index);
}
const StrengthGrade* StrengthGradeAt(int index)
{
    return At(kStrengthGrades, index);
}
const CementGrade* CementGradeAt(int index)
{
    return At(kCementGrades, index);
}
