#include "mix1/mix1lists.h"

#include "common/grades.h"

const std::array<PerformanceGrade, 3> kPerformanceGrades = { {
    { "SF1", "550～655", 0.32, 0.35,
        "规程要求：\n自密实性能等级SF1，粗骨料体积取值范围是：0.32--0.35(m3)。" },
    { "SF2", "660～755", 0.30, 0.33,
        "规程要求：\n自密实性能等级SF2，粗骨料体积取值范围是：0.30--0.33(m3)。" },
    { "SF3", "760～855", 0.28, 0.30,
        "规程要求：\n自密实性能等级SF3，粗骨料体积取值范围是：0.28--0.30(m3)。" },
} };

namespace {

// The strength list is the grade list, shown by number.
constexpr std::array<StrengthGrade, kConcreteGrades.size()> StrengthList()
{
    std::array<StrengthGrade, kConcreteGrades.size()> list {};
    for (std::size_t i = 0; i < list.size(); ++i)
        list[i] = { kConcreteGrades[i].number, kConcreteGrades[i].Mpa(), kConcreteGrades[i].text };
    return list;
}

} // namespace

const std::array<StrengthGrade, 16> kStrengthGrades = StrengthList();

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
