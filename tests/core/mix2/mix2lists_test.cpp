// The list handlers the method-2 form and the calculation share.

#include "mix2/mix2lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Mix2Lists, EntriesKeepTheirCountAndOrder)
{
    EXPECT_EQ(Mix2ListEntries(Mix2List::SfGrade),
        (std::vector<std::string> { "一级", "二级", "三级" }));
    const auto strength = Mix2ListEntries(Mix2List::StrengthGrade);
    ASSERT_EQ(strength.size(), 16u);
    EXPECT_EQ(strength.front(), "C7.5");
    EXPECT_EQ(strength[5], "C30");
    EXPECT_EQ(strength.back(), "C80");
    EXPECT_EQ(Mix2ListEntries(Mix2List::CementGrade),
        (std::vector<std::string> { "22.5", "27.5", "32.5", "42.5", "52.5", "62.5" }));
    EXPECT_EQ(
        Mix2ListEntries(Mix2List::AggregateKind), (std::vector<std::string> { "碎石", "卵石" }));
    const auto powders = Mix2ListEntries(Mix2List::PowderKind);
    ASSERT_EQ(powders.size(), 7u);
    EXPECT_EQ(powders[1], "粉煤灰");
    EXPECT_EQ(powders[6], "惰性料");
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

TEST(Mix2Lists, PowderKindStoresNameAndClassOfItsPowderOnly)
{
    const struct
    {
        int powder, index;
        const char* name;
        int powderClass;
    } rows[] = {
        { 1, 6, "惰性料", 2 },
        { 1, 1, "粉煤灰", 1 },
        { 1, 0, "粉体一", 0 },
        { 2, 0, "粉体二", 0 },
        { 2, 4, "硅粉", 1 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.powder) + "/" + std::to_string(row.index));
        Mix2Members m;
        EXPECT_EQ(ApplyPowderKind(m, row.powder, row.index), row.powderClass);
        const Mix2Members fresh;
        EXPECT_EQ(row.powder == 1 ? m.powder1Name : m.powder2Name, row.name);
        EXPECT_EQ(row.powder == 1 ? m.powder1Class : m.powder2Class, row.powderClass);
        EXPECT_EQ(row.powder == 1 ? m.powder2Name : m.powder1Name,
            row.powder == 1 ? fresh.powder2Name : fresh.powder1Name)
            << "the other powder untouched";
    }

    // No selection keeps what is held, and says so.
    Mix2Members m;
    ApplyPowderKind(m, 2, 0);
    EXPECT_FALSE(ApplyPowderKind(m, 2, -1).has_value());
    EXPECT_FALSE(ApplyPowderKind(m, 2, 7).has_value());
    EXPECT_EQ(m.powder2Name, "粉体二");
    EXPECT_EQ(m.powder2Class, 0);
}

} // namespace
