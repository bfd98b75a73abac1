#include "TestClasses.h"
#include "ui/classes/Exception.h"

#include <gtest/gtest.h>

TEST(EnumByName, SetsTheValueOnComponentsThatHaveIt) {
    TSample sample(nullptr);
    EXPECT_TRUE(SetEnumProp(sample, "Flat", "True"));
    EXPECT_TRUE(sample.Flat());
    EXPECT_TRUE(SetEnumProp(sample, "flat", "false"));
    EXPECT_FALSE(sample.Flat());
    EXPECT_TRUE(SetEnumProp(sample, "Shade", "shDark"));
    EXPECT_EQ(sample.Shade(), TShade::shDark);
    EXPECT_EQ(GetEnumProp(sample, "Shade"), "shDark");
    EXPECT_EQ(GetEnumProp(sample, "Flat"), "False");
}

TEST(EnumByName, LeavesOthersAloneAndRefusesUnknownValues) {
    TPlain plain(nullptr);
    EXPECT_FALSE(SetEnumProp(plain, "Flat", "True"));
    EXPECT_FALSE(GetEnumProp(plain, "Flat").has_value());
    TSample sample(nullptr);
    EXPECT_FALSE(SetEnumProp(sample, "Flat", "Maybe"));
    EXPECT_FALSE(sample.Flat());
    EXPECT_FALSE(SetEnumProp(sample, "Width", "True")); // not enumerated
    EXPECT_FALSE(SetEnumProp(sample, "Caption", "True"));
    EXPECT_EQ(sample.Caption(), "");
}

TEST(PropertiesByName, OrdinalsStringsAndSets) {
    TSample sample(nullptr);
    EXPECT_TRUE(SetOrdProp(sample, "Width", 12));
    EXPECT_EQ(GetOrdProp(sample, "WIDTH"), 12);
    EXPECT_TRUE(SetOrdProp(sample, "Tag", 99));
    EXPECT_EQ(sample.Tag(), 99);
    EXPECT_TRUE(SetStrProp(sample, "Caption", "&Open"));
    EXPECT_EQ(GetStrProp(sample, "Caption"), "&Open");
    EXPECT_FALSE(SetStrProp(sample, "Width", "3"));
    EXPECT_TRUE(SetSetProp(sample, "Options", "[soOne, soThree]"));
    EXPECT_EQ(sample.Options(), 0b101);
    EXPECT_EQ(GetSetProp(sample, "Options"), "[soOne,soThree]");
    EXPECT_TRUE(SetSetProp(sample, "Options", "[]"));
    EXPECT_EQ(sample.Options(), 0);
    EXPECT_FALSE(SetSetProp(sample, "Options", "[soOne, soFour]"));
    EXPECT_EQ(sample.Options(), 0);
    EXPECT_THROW(SetOrdProp(sample, "Width", -1), EPropertyError); // the setter's own check
}

TEST(PropertiesByName, EnumerationListsEveryPropertyOnce) {
    TSampleRoot root(nullptr);
    auto all = root.ClassType().AllProperties();
    int names = 0;
    for (const TPropInfo* p : all) names += SameText(p->name, "Name");
    EXPECT_EQ(names, 1);
    EXPECT_EQ(all.front()->name, "Name"); // ancestors first
}

TEST(ClassRegistry, FindsRegisteredClassesByName) {
    RegisterComponentClass<TSample>();
    RegisterComponentClass<TSample>();
    const TClassInfo* info = FindClassInfo("tsample");
    ASSERT_NE(info, nullptr);
    ASSERT_NE(info->GetFactory(), nullptr);
    TSample owner(nullptr);
    TComponent* made = info->GetFactory()(&owner);
    EXPECT_EQ(made->Owner(), &owner);
    EXPECT_EQ(made->ClassName(), "TSample");
    EXPECT_EQ(FindClassInfo("TNoSuchClass"), nullptr);
}
