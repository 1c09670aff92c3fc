#pragma once

#include "common/message.h"
#include "mix2/mix2members.h"

#include <optional>
#include <string>
#include <vector>

// The six lists of the method-2 form and what their handlers do to the
// members. The handlers go by the selection index only; -1 (no selection)
// leaves the members as they are.

struct Mix2StrengthGrade
{
    const char* text;
    double value; // fcu,k, MPa
};

inline constexpr Mix2StrengthGrade kMix2StrengthGrades[] = {
    { "C7.5", 7.5 },
    { "C10", 10 },
    { "C15", 15 },
    { "C20", 20 },
    { "C25", 25 },
    { "C30", 30 },
    { "C35", 35 },
    { "C40", 40 },
    { "C45", 45 },
    { "C50", 50 },
    { "C55", 55 },
    { "C60", 60 },
    { "C65", 65 },
    { "C70", 70 },
    { "C75", 75 },
    { "C80", 80 },
};

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

// List control IDs.
inline constexpr int kMix2SfGradeList = 1000;
inline constexpr int kMix2StrengthGradeList = 1010;
inline constexpr int kMix2CementGradeList = 1011;
inline constexpr int kMix2AggregateKindList = 1018;
inline constexpr int kMix2Powder1KindList = 1049;
inline constexpr int kMix2Powder2KindList = 1050;

// The entry texts of a list, in the order the handlers rely on; empty for an
// unknown ID.
std::vector<std::string> Mix2ListEntries(int listId);

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

// The controls that go with one powder (1 or 2).
struct Mix2PowderControls
{
    int densityBox;
    int replaceBox;
    int excessBox;
    int activeLabel1;
    int activeLabel2;
    int inertLabel;
    int inertBox;
    int nameLabel;
};

inline constexpr Mix2PowderControls kMix2Powder1Controls { 1080, 1067, 1045, 1091, 1092, 1088, 1001,
    1085 };
inline constexpr Mix2PowderControls kMix2Powder2Controls { 1013, 1036, 1055, 1094, 1095, 1089, 1008,
    1087 };

// What a powder-kind selection does to the form's controls. The boxes are
// neither read nor written.
struct Mix2ControlChange
{
    std::vector<int> enable;
    std::vector<int> disable;
    std::vector<int> show;
    std::vector<int> hide;
    int label = 0; // the name label, set to labelText
    std::string labelText;
};

// The control states that belong to a kind index, without touching members.
// The form opens in the states of kinds 1 and 2 (two active powders).
Mix2ControlChange Mix2PowderKindControls(int powder, int index, const std::string& name);

// OnSelendokPowder1Kind (powder 1) / OnSelendokPowder2Kind (powder 2): stores
// the powder's name and class and returns the control changes. With no
// selection only the label is set again, to the name held.
Mix2ControlChange ApplyPowderKind(Mix2Members& m, int powder, int index);
