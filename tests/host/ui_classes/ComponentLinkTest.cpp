#include "ui/classes/ComponentLink.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A component that counts the notifications it receives (a link must leave none behind).
class TWatched : public TComponent {
public:
    using TComponent::TComponent;
    int notifications = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        ++notifications;
    }
};

} // namespace

TEST(ComponentLink, ClearsItselfWhenItsComponentIsFreedAndTellsTheHolderOnce) {
    auto* target = new TWatched(nullptr);
    int freed = 0;
    TComponentLink<TWatched>* seen = nullptr;
    TComponentLink<TWatched> link([&] {
        ++freed;
        EXPECT_EQ(seen->Get(), nullptr); // already clear when the holder hears of it
    });
    seen = &link;
    link.Set(target);
    EXPECT_EQ(link.Get(), target);
    EXPECT_TRUE(link);
    delete target;
    EXPECT_EQ(link.Get(), nullptr);
    EXPECT_FALSE(link);
    EXPECT_EQ(freed, 1);
}

TEST(ComponentLink, FreedThroughItsOwnerButKeptWhenOnlyMovedToAnotherOwner) {
    auto* form = new TWatched(nullptr);
    TWatched other(nullptr);
    auto* images = new TWatched(form);
    TComponentLink<TWatched> link;
    link.Set(images);
    other.InsertComponent(images); // a move, not a free
    EXPECT_EQ(link.Get(), images);
    form->InsertComponent(images);
    delete form;
    EXPECT_EQ(link.Get(), nullptr);
}

TEST(ComponentLink, HolderGoingFirstLeavesNothingForTheComponentToCall) {
    TWatched target(nullptr);
    int freed = 0;
    {
        TComponentLink<TWatched> link([&] { ++freed; });
        link.Set(&target);
    }
    EXPECT_EQ(target.notifications, 0); // unregistered, not "removed" as a component
    // Relinking lets go of the first component likewise.
    auto* first = new TWatched(nullptr);
    TWatched second(nullptr);
    TComponentLink<TWatched> link([&] { ++freed; });
    link.Set(first);
    link.Set(&second);
    delete first;
    EXPECT_EQ(link.Get(), &second);
    link.Set(nullptr);
    EXPECT_EQ(freed, 0);
    EXPECT_EQ(second.notifications, 0);
}

TEST(ComponentLink, TwoLinksToOneComponentClearEachOnTheirOwn) {
    // A list view that shows one image list as both its small and its large images.
    auto* images = new TWatched(nullptr);
    TComponentLink<TWatched> small, large;
    small.Set(images);
    large.Set(images);
    small.Set(nullptr); // the other link still hears of the free
    delete images;
    EXPECT_EQ(large.Get(), nullptr);
    EXPECT_EQ(small.Get(), nullptr);
}

TEST(ComponentLink, HolderMayRelinkOrFreeItselfWhenTold) {
    TWatched spare(nullptr);
    auto* target = new TWatched(nullptr);
    TComponentLink<TWatched>* self = nullptr;
    TComponentLink<TWatched> relinking([&] { self->Set(&spare); });
    self = &relinking;
    relinking.Set(target);
    delete target;
    EXPECT_EQ(relinking.Get(), &spare);

    // A holder freed by its own callback: the component's destruction goes on unharmed.
    target = new TWatched(nullptr);
    auto holder = std::make_unique<TComponentLink<TWatched>>();
    holder->SetOnFreed([&] { holder.reset(); });
    holder->Set(target);
    TComponentLink<TWatched> bystander;
    bystander.Set(target);
    delete target;
    EXPECT_EQ(holder, nullptr);
    EXPECT_EQ(bystander.Get(), nullptr);
}
