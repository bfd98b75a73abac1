#include "app/logic/BuiltinNames.h"

#include <gtest/gtest.h>

#include <set>

using namespace kv::app;

TEST(BuiltinNames, EightyFourInTheirOrderWithTheirSpelling) {
    ASSERT_EQ(kBuiltinNames.size(), 84u);
    EXPECT_EQ(kBuiltinNames.front(), "Acknowledge");
    EXPECT_EQ(kBuiltinNames[5], "DoMagic1");
    EXPECT_EQ(kBuiltinNames[7], "Confused"); // after DoMagic2, not sorted
    EXPECT_EQ(kBuiltinNames[22], "Hide");
    EXPECT_EQ(kBuiltinNames[61], "Pleaseed");
    EXPECT_EQ(kBuiltinNames[71], "Show");
    EXPECT_EQ(kBuiltinNames.back(), "WritReturn");
    std::set<std::string_view> unique(kBuiltinNames.begin(), kBuiltinNames.end());
    EXPECT_EQ(unique.size(), 84u);
    for (auto name : kBuiltinNames) EXPECT_EQ(name.find(';'), std::string_view::npos) << name;
}
