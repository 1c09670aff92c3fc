#include "mix2/mix2lists.h"

#include "common/grades.h"
#include "common/reportnum.h"

#include <cstddef>

namespace {

template <typename T, std::size_t N> bool InRange(const T (&)[N], int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < N;
}

} // namespace

std::vector<std::string> Mix2ListEntries(Mix2List list)
{
    std::vector<std::string> entries;
    switch (list) {
    case Mix2List::SfGrade:
        for (const auto& g : kMix2SfGrades)
            entries.emplace_back(g.grade);
        break;
    case Mix2List::StrengthGrade:
        for (const auto& g : kConcreteGrades)
            entries.emplace_back(g.text);
        break;
    case Mix2List::CementGrade:
        for (double g : kMix2CementGrades)
            entries.push_back(FormatFixed(g, 1));
        break;
    case Mix2List::AggregateKind:
        for (const auto& k : kMix2AggregateKinds)
            entries.emplace_back(k.text);
        break;
    case Mix2List::PowderKind:
        for (const auto& k : kMix2PowderKinds)
            entries.emplace_back(k.entry);
        break;
    }
    return entries;
}

void ApplyStrengthGrade(Mix2Members& m, int index)
{
    const ConcreteGrade* grade = ConcreteGradeAt(index);
    if (!grade)
        return;
    m.strengthGrade = grade->text;
    m.strength = grade->Mpa();
}

void ApplyCementGrade(Mix2Members& m, int index)
{
    if (InRange(kMix2CementGrades, index))
        m.cementGrade = kMix2CementGrades[index];
}

std::optional<Message> ApplySfGrade(Mix2Members& m, int index)
{
    if (!InRange(kMix2SfGrades, index))
        return std::nullopt;
    const Mix2SfGrade& g = kMix2SfGrades[index];
    m.sfGrade = g.grade;
    m.slumpFlow = g.slumpFlow;
    m.vFunnelTime = g.vFunnelTime;
    // The volume is compared as entered; 0.30 typed in the box is the same
    // double as the bound, so the bounds pass.
    if (m.coarseVolume < g.coarseMin || m.coarseVolume > g.coarseMax)
        return Message { MessageKind::Warn, g.rangeMessage };
    return std::nullopt;
}

void ApplyAggregateKind(Mix2Members& m, int index)
{
    if (!InRange(kMix2AggregateKinds, index))
        return;
    m.aggregateKind = kMix2AggregateKinds[index].text;
    m.alphaA = kMix2AggregateKinds[index].alphaA;
    m.alphaB = kMix2AggregateKinds[index].alphaB;
}

std::optional<int> ApplyPowderKind(Mix2Members& m, int powder, int index)
{
    if (!InRange(kMix2PowderKinds, index))
        return std::nullopt;
    const Mix2PowderKind& k = kMix2PowderKinds[index];
    (powder == 2 ? m.powder2Name : m.powder1Name) = powder == 2 ? k.powder2Name : k.powder1Name;
    (powder == 2 ? m.powder2Class : m.powder1Class) = k.powderClass;
    return k.powderClass;
}
