#pragma once

#include "common/message.h"
#include "mix2/mix2members.h"

#include <optional>
#include <string>
#include <vector>

// The six lists of the method-2 form and what their handlers do to the
// members. The handlers go by the selection index only; -1 (no selection)
// leaves the members as they are.

inline constexpr double kMix2CementGrades[] = { 22.5, 27.5, 32.5, 42.5, 52.5, 62.5 }; // MPa

struct Mix2SfGrade
{
    const char* grade;
    const char* slumpFlow;
    const char* vFunnelTime;
    double coarseMin; // range of the coarse aggregate volume, m3, bounds included
    double coarseMax;
    const char* rangeMessage; // notice when the volume lies outside the range
};

inline constexpr Mix2SfGrade kMix2SfGrades[] = {
    { "一级", "700±50", "10～25", 0.28, 0.30,
        "规程要求：\n一级密实性能，单位体积粗骨料绝对体积取值范围是：0.28--0.30（m3）。" },
    { "二级", "650±50", "7～25", 0.30, 0.33,
        "规程要求：\n二级密实性能，单位体积粗骨料绝对体积取值范围是：0.30--0.33（m3）。" },
    { "三级", "600±50", "4～25", 0.32, 0.35,
        "规程要求：\n三级密实性能，单位体积粗骨料绝对体积取值范围是：0.32--0.35（m3）。" },
};

struct Mix2AggregateKind
{
    const char* text;
    double alphaA;
    double alphaB;
};

inline constexpr Mix2AggregateKind kMix2AggregateKinds[] = {
    { "碎石", 0.46, 0.07 },
    { "卵石", 0.48, 0.33 },
};

struct Mix2PowderKind
{
    const char* entry; // the list entry's text
    const char* powder1Name; // name stored for powder 1
    const char* powder2Name; // name stored for powder 2
    int powderClass; // 0 none, 1 active, 2 inert
};

inline constexpr Mix2PowderKind kMix2PowderKinds[] = {
    { "无", "粉体一", "粉体二", 0 },
    { "粉煤灰", "粉煤灰", "粉煤灰", 1 },
    { "矿渣粉", "矿渣粉", "矿渣粉", 1 },
    { "沸石粉", "沸石粉", "沸石粉", 1 },
    { "硅粉", "硅粉", "硅粉", 1 },
    { "复合料", "复合料", "复合料", 1 },
    { "惰性料", "惰性料", "惰性料", 2 },
};

// The lists of the form.
enum class Mix2List
{
    SfGrade,
    StrengthGrade, // the common grade list
    CementGrade,
    AggregateKind,
    PowderKind, // both powders
};

// The entry texts of a list, in the order the handlers rely on.
std::vector<std::string> Mix2ListEntries(Mix2List list);

// OnSelendokStrengthGrade: grade text and fcu,k.
void ApplyStrengthGrade(Mix2Members& m, int index);

// OnSelendokCementGrade: fce,g.
void ApplyCementGrade(Mix2Members& m, int index);

// OnSelendokSfGrade: the grade, slump-flow and V-funnel texts; returns the
// grade's range notice (a warning) when the coarse aggregate volume lies
// outside the grade's range. The volume itself is not changed.
std::optional<Message> ApplySfGrade(Mix2Members& m, int index);

// OnSelendokAggregateKind: kind text, αa and αb.
void ApplyAggregateKind(Mix2Members& m, int index);

// OnSelendokPowder1Kind (powder 1) / OnSelendokPowder2Kind (powder 2): stores
// the powder's name and class. Returns the class of the chosen kind (0 none,
// 1 active, 2 inert), which decides what the form offers for the powder, or
// nothing when no kind is selected.
std::optional<int> ApplyPowderKind(Mix2Members& m, int powder, int index);
