// The list handlers the method-2 form and the calculation share.

#include "mix2/mix2lists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

bool Has(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(Mix2Lists, EntriesKeepTheirCountAndOrder)
{
    EXPECT_EQ(Mix2ListEntries(1000), (std::vector<std::string> { "一级", "二级", "三级" }));
    const auto strength = Mix2ListEntries(1010);
    ASSERT_EQ(strength.size(), 16u);
    EXPECT_EQ(strength.front(), "C7.5");
    EXPECT_EQ(strength[5], "C30");
    EXPECT_EQ(strength.back(), "C80");
    EXPECT_EQ(Mix2ListEntries(1011),
        (std::vector<std::string> { "22.5", "27.5", "32.5", "42.5", "52.5", "62.5" }));
    EXPECT_EQ(Mix2ListEntries(1018), (std::vector<std::string> { "碎石", "卵石" }));
    const auto powders = Mix2ListEntries(1049);
    ASSERT_EQ(powders.size(), 7u);
    EXPECT_EQ(powders[1], "粉煤灰");
    EXPECT_EQ(powders[6], "惰性料");
    EXPECT_EQ(Mix2ListEntries(1050), powders);
    EXPECT_TRUE(Mix2ListEntries(1234).empty());
}

TEST(Mix2Lists, GradeHandlersSetTheirMembersAndIgnoreNoSelection)
{
    Mix2Members m;
    ApplyStrengthGrade(m, 15);
    EXPECT_EQ(m.strengthGrade, "C80");
    EXPECT_EQ(m.strength, 80);
    ApplyStrengthGrade(m, 0);
    EXPECT_EQ(m.strengthGrade, "C7.5");
    EXPECT_EQ(m.strength, 7.5);
    ApplyStrengthGrade(m, -1);
    ApplyStrengthGrade(m, 16);
    EXPECT_EQ(m.strengthGrade, "C7.5");

    ApplyCementGrade(m, 5);
    EXPECT_EQ(m.cementGrade, 62.5);
    ApplyCementGrade(m, -1);
    EXPECT_EQ(m.cementGrade, 62.5);

    ApplyAggregateKind(m, 0);
    EXPECT_EQ(m.aggregateKind, "碎石");
    EXPECT_EQ(m.alphaA, 0.46);
    EXPECT_EQ(m.alphaB, 0.07);
    ApplyAggregateKind(m, -1);
    EXPECT_EQ(m.aggregateKind, "碎石");
    ApplyAggregateKind(m, 1);
    EXPECT_EQ(m.alphaB, 0.33);
}

TEST(Mix2Lists, SfGradeChecksTheCoarseVolumeWithBoundsIncluded)
{
    Mix2Members m;
    m.coarseVolume = 0.32;
    auto notice = ApplySfGrade(m, 0);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->kind, MessageKind::Warn);
    EXPECT_EQ(notice->text,
        "规程要求：\n一级密实性能，单位体积粗骨料绝对体积取值范围是：0.28--0.30（m3）。");
    EXPECT_EQ(m.sfGrade, "一级");
    EXPECT_EQ(m.slumpFlow, "700±50");
    EXPECT_EQ(m.vFunnelTime, "10～25");
    EXPECT_DOUBLE_EQ(m.coarseVolume, 0.32) << "a notice only";

    for (double v : { 0.30, 0.33 }) {
        m.coarseVolume = v;
        EXPECT_FALSE(ApplySfGrade(m, 1).has_value()) << v;
    }
    m.coarseVolume = 0.36;
    notice = ApplySfGrade(m, 2);
    ASSERT_TRUE(notice.has_value());
    EXPECT_EQ(notice->text,
        "规程要求：\n三级密实性能，单位体积粗骨料绝对体积取值范围是：0.32--0.35（m3）。");
    EXPECT_EQ(m.slumpFlow, "600±50");

    // No selection: no texts, no check.
    Mix2Members fresh;
    fresh.coarseVolume = 5;
    EXPECT_FALSE(ApplySfGrade(fresh, -1).has_value());
    EXPECT_EQ(fresh.sfGrade, "");
}

TEST(Mix2Lists, InertPowderSwapsTheActiveControlsForTheVolume)
{
    Mix2Members m;
    Mix2ControlChange c = ApplyPowderKind(m, 1, 6);
    EXPECT_EQ(m.powder1Name, "惰性料");
    EXPECT_EQ(m.powder1Class, 2);
    EXPECT_EQ(c.label, 1085);
    EXPECT_EQ(c.labelText, "惰性料");
    for (int id : { 1067, 1045, 1091, 1092 })
        EXPECT_TRUE(Has(c.hide, id) && !Has(c.show, id)) << id;
    for (int id : { 1088, 1001 })
        EXPECT_TRUE(Has(c.show, id) && !Has(c.hide, id)) << id;
    for (int id : { 1080, 1067, 1045 })
        EXPECT_TRUE(Has(c.enable, id)) << id;

    c = ApplyPowderKind(m, 1, 1);
    EXPECT_EQ(m.powder1Name, "粉煤灰");
    EXPECT_EQ(m.powder1Class, 1);
    for (int id : { 1067, 1045, 1091, 1092 })
        EXPECT_TRUE(Has(c.show, id)) << id;
    for (int id : { 1088, 1001 })
        EXPECT_TRUE(Has(c.hide, id)) << id;
}

TEST(Mix2Lists, NoSecondPowderDisablesItsBoxesButKeepsThemVisible)
{
    Mix2Members m;
    const Mix2ControlChange c = ApplyPowderKind(m, 2, 0);
    EXPECT_EQ(m.powder2Name, "粉体二");
    EXPECT_EQ(m.powder2Class, 0);
    EXPECT_EQ(m.powder1Class, 1) << "powder 1 untouched";
    EXPECT_EQ(c.label, 1087);
    EXPECT_EQ(c.labelText, "粉体二");
    EXPECT_EQ(c.disable, (std::vector<int> { 1013, 1036, 1055 }));
    EXPECT_TRUE(c.enable.empty());
    for (int id : { 1036, 1055, 1094, 1095 })
        EXPECT_TRUE(Has(c.show, id)) << id;
    for (int id : { 1089, 1008 })
        EXPECT_TRUE(Has(c.hide, id)) << id;

    // No selection: only the label is set again.
    const Mix2ControlChange none = ApplyPowderKind(m, 2, -1);
    EXPECT_EQ(m.powder2Class, 0);
    EXPECT_EQ(none.labelText, "粉体二");
    EXPECT_TRUE(
        none.enable.empty() && none.disable.empty() && none.show.empty() && none.hide.empty());
}

TEST(Mix2Lists, BoxesAreExchangedInTheirFixedOrder)
{
    ASSERT_EQ(std::size(kMix2Boxes), 28u);
    EXPECT_EQ(kMix2Boxes[0].id, 1021);
    EXPECT_EQ(kMix2Boxes[12].id, 1037);
    EXPECT_EQ(kMix2Boxes[25].id, 1002);
    EXPECT_EQ(kMix2Boxes[27].id, 1008);
    // Each box is bound to its own value.
    Mix2Members m;
    for (std::size_t i = 0; i < std::size(kMix2Boxes); ++i)
        m.*kMix2Boxes[i].value = static_cast<double>(i + 1);
    EXPECT_EQ(m.coarseVolume, 1);
    EXPECT_EQ(m.water, 13);
    EXPECT_EQ(m.cementDensity, 26);
    EXPECT_EQ(m.powder2InertVol, 28);
}

} // namespace
