#include "TestClasses.h"
#include "ui/classes/Exception.h"

#include <gtest/gtest.h>

TEST(OwnerTree, FreeingTheOwnerFreesWhatItOwnsLastFirst) {
    std::vector<std::string> log;
    auto* root = new TSample(nullptr);
    for (const char* name : {"A", "B", "C"}) {
        auto* c = new TSample(root);
        c->SetName(name);
        c->destroyLog = &log;
    }
    auto* grandchild = new TSample(root->Components(1));
    grandchild->SetName("B1");
    grandchild->destroyLog = &log;
    EXPECT_EQ(root->ComponentCount(), 3);
    delete root;
    // A component's own destructor runs before the components it owns are freed.
    EXPECT_EQ(log, (std::vector<std::string>{"C", "B", "B1", "A"}));
}

TEST(OwnerTree, DeletingAnOwnedComponentTakesItOutOfItsOwner) {
    TSample root(nullptr);
    auto* a = new TSample(&root);
    auto* b = new TSample(&root);
    a->SetName("A");
    b->SetName("B");
    delete a;
    ASSERT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(root.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    EXPECT_EQ(root.FindComponent("a"), nullptr);
    EXPECT_THROW(root.Components(1), EListError);
}

TEST(OwnerTree, RemovalUnhooksReferencesOfSiblingsAndFreeNotificationClients) {
    TSample root(nullptr);
    auto* target = new TSample(&root);
    auto* sibling = new TSample(&root);
    sibling->SetPartner(target);
    TSample outsider(nullptr); // not in the tree: needs free notification
    outsider.SetPartner(target);
    delete target;
    EXPECT_EQ(sibling->Partner(), nullptr);
    EXPECT_EQ(outsider.Partner(), nullptr);
}

TEST(OwnerTree, FreeNotificationIsDroppedWhenTheClientGoesFirst) {
    auto* target = new TSample(nullptr);
    {
        TSample client(nullptr);
        client.SetPartner(target);
    }
    delete target; // must not notify the client that is already gone
    SUCCEED();
}

TEST(OwnerTree, ChildrenListedInTheOwnerAreForgottenWhenFreedElsewhere) {
    TSample root(nullptr);
    auto* parent = new TSample(&root);
    auto* child = new TSample(&root);
    parent->children.push_back(child);
    delete child;
    EXPECT_TRUE(parent->children.empty());
}

TEST(ComponentNames, MustBeIdentifiersAndUniqueWithinTheOwner) {
    TSample root(nullptr);
    auto* a = new TSample(&root);
    auto* b = new TSample(&root);
    a->SetName("Button1");
    EXPECT_THROW(b->SetName("BUTTON1"), EComponentError);
    EXPECT_THROW(b->SetName("1Button"), EComponentError);
    EXPECT_THROW(b->SetName("a b"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("Button_2");
    EXPECT_EQ(root.FindComponent("button_2"), b);
    a->SetName("Button1"); // its own name again is fine
    TSample stranger(nullptr);
    stranger.SetName("Button1"); // other owner, other scope
}

TEST(ComponentNames, InsertingADuplicateNameIsRefused) {
    TSample root(nullptr);
    auto* a = new TSample(&root);
    a->SetName("X");
    TSample other(nullptr);
    auto* b = new TSample(&other);
    b->SetName("X");
    EXPECT_THROW(root.InsertComponent(b), EComponentError);
    EXPECT_EQ(b->Owner(), &other);
}

TEST(ComponentClasses, ClassNamesAndAncestry) {
    TSampleRoot root(nullptr);
    EXPECT_EQ(root.ClassName(), "TSampleRoot");
    EXPECT_TRUE(root.InheritsFrom("TSample"));
    EXPECT_TRUE(root.InheritsFrom("tcomponent"));
    EXPECT_FALSE(root.InheritsFrom("TPlain"));
    // Inherited properties are found through the ancestor.
    EXPECT_TRUE(HasProperty(root, "flat"));
    EXPECT_TRUE(HasProperty(root, "Tag"));
}
