#include "mix2/mix2lists.h"

#include "common/reportnum.h"

#include <cstddef>

namespace {

template <typename T, std::size_t N> bool InRange(const T (&)[N], int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < N;
}

} // namespace

std::vector<std::string> Mix2ListEntries(int listId)
{
    std::vector<std::string> entries;
    switch (listId) {
    case kMix2SfGradeList:
        for (const auto& g : kMix2SfGrades)
            entries.emplace_back(g.grade);
        break;
    case kMix2StrengthGradeList:
        for (const auto& g : kMix2StrengthGrades)
            entries.emplace_back(g.text);
        break;
    case kMix2CementGradeList:
        for (double g : kMix2CementGrades)
            entries.push_back(FormatFixed(g, 1));
        break;
    case kMix2AggregateKindList:
        for (const auto& k : kMix2AggregateKinds)
            entries.emplace_back(k.text);
        break;
    case kMix2Powder1KindList:
    case kMix2Powder2KindList:
        for (const auto& k : kMix2PowderKinds)
            entries.emplace_back(k.entry);
        break;
    default:
        break;
    }
    return entries;
}

void ApplyStrengthGrade(Mix2Members& m, int index)
{
    if (!InRange(kMix2StrengthGrades, index))
        return;
    m.strengthGrade = kMix2StrengthGrades[index].text;
    m.strength = kMix2StrengthGrades[index].value;
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

Mix2ControlChange Mix2PowderKindControls(int powder, int index, const std::string& name)
{
    const Mix2PowderControls& c = powder == 2 ? kMix2Powder2Controls : kMix2Powder1Controls;
    Mix2ControlChange change;
    change.label = c.nameLabel;
    change.labelText = name;
    if (!InRange(kMix2PowderKinds, index))
        return change;

    const std::vector<int> boxes { c.densityBox, c.replaceBox, c.excessBox };
    const std::vector<int> active { c.replaceBox, c.excessBox, c.activeLabel1, c.activeLabel2 };
    const std::vector<int> inert { c.inertLabel, c.inertBox };
    const int powderClass = kMix2PowderKinds[index].powderClass;
    (powderClass == 0 ? change.disable : change.enable) = boxes;
    change.show = powderClass == 2 ? inert : active;
    change.hide = powderClass == 2 ? active : inert;
    return change;
}

Mix2ControlChange ApplyPowderKind(Mix2Members& m, int powder, int index)
{
    std::string& name = powder == 2 ? m.powder2Name : m.powder1Name;
    int& powderClass = powder == 2 ? m.powder2Class : m.powder1Class;
    if (InRange(kMix2PowderKinds, index)) {
        const Mix2PowderKind& k = kMix2PowderKinds[index];
        name = powder == 2 ? k.powder2Name : k.powder1Name;
        powderClass = k.powderClass;
    }
    return Mix2PowderKindControls(powder, index, name);
}
