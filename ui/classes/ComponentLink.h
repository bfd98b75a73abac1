// TComponentLink<T>: a reference to a component that may be freed while it is held.
//
// Contract:
//  - Get() answers the linked component while it lives and nullptr from the moment it starts
//    going away (its free notification); Set(target) links another one (nullptr unlinks).
//  - OnFreed, when given, is called after the link cleared itself because its component went
//    away; never when the holder unlinks or relinks. It may Set the link again. It runs inside
//    the component's destruction: compare it by address, never call into it.
//  - Moving a component to another owner is not freeing it: the link keeps it.
//  - A link unregisters from its component when it is relinked or destroyed, so a holder
//    that goes first leaves nothing behind that the component could call.
//  - Several links may name the same component; each clears on its own.
//  - Not copyable or movable: the component knows the link by its address.
#pragma once

#include "ui/classes/Component.h"

#include <functional>
#include <utility>

class TComponentLinkBase {
public:
    explicit TComponentLinkBase(std::function<void()> onFreed = {})
        : listener_(*this), onFreed_(std::move(onFreed)) {}
    ~TComponentLinkBase() { SetTarget(nullptr); }
    TComponentLinkBase(const TComponentLinkBase&) = delete;
    TComponentLinkBase& operator=(const TComponentLinkBase&) = delete;

    void SetOnFreed(std::function<void()> onFreed) { onFreed_ = std::move(onFreed); }

protected:
    TComponent* Target() const { return target_; }
    void SetTarget(TComponent* target);

private:
    // The component that the linked one notifies; it belongs to no owner.
    class TListener final : public TComponent {
    public:
        explicit TListener(TComponentLinkBase& link) : TComponent(nullptr), link_(link) {}

    protected:
        void Notification(TComponent* component, TOperation operation) override;

    private:
        TComponentLinkBase& link_;
    };

    void TargetFreed();

    TListener listener_;
    TComponent* target_ = nullptr;
    std::function<void()> onFreed_;
};

// T needs to be complete only where Set is called, so a header may hold a link to a class it
// only declares.
template <class T> class TComponentLink : public TComponentLinkBase {
public:
    using TComponentLinkBase::TComponentLinkBase;

    T* Get() const { return Target() ? typed_ : nullptr; }
    void Set(T* target) {
        SetTarget(target);
        typed_ = target;
    }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Target() != nullptr; }

private:
    T* typed_ = nullptr; // meaningful only while Target() is set
};
