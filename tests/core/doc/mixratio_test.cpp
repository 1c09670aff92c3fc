#include "doc/mixratio.h"

#include <gtest/gtest.h>

TEST(MixRatio, DividesEachMassByTheBinderExactly)
{
    const struct
    {
        std::vector<std::string> masses;
        std::string binder;
        std::vector<std::string> parts;
    } rows[] = {
        // 0.625 and 2.005 are where a double would round down.
        { { "400", "250", "802" }, "400", { "1", "0.63", "2.01" } },
        { { "380", "", "x", "172.5" }, "380", { "1", "", "", "0.45" } },
        { { "300", "100" }, "400", { "0.75", "0.25" } },
        { { "300" }, "0", {} },
        { { "300" }, "", {} },
    };
    for (const auto& row : rows)
        EXPECT_EQ(MixRatioParts(row.masses, row.binder), row.parts) << row.binder;
}

TEST(MixRatio, SumsAndJoinsTheReadableParts)
{
    EXPECT_EQ(SumMassText({ "300", "52.5", "", "27.25" }), "379.75");
    EXPECT_EQ(SumMassText({ "", "—" }), "");
    EXPECT_EQ(MixRatioText({ "1", "", "2.35", "0.42" }), "1：2.35：0.42");
}
