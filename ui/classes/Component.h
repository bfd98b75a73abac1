// TComponent: the owner tree, names, tags, the loading state and free notification.
//
// Contract:
//  - A component created with an owner is owned by it: deleting the owner deletes it (last
//    created first). Deleting an owned component takes it out of its owner's list first.
//  - When a component goes away, its owner, the owner's other components and every component
//    that asked for FreeNotification receive Notification(it, opRemove) while it is still
//    whole enough to be compared by address; they must drop their references then.
//  - Names: empty, or an identifier (letter or '_' first, then letters, digits, '_'); unique
//    among the components of one owner without regard to case. A bad name throws
//    EComponentError and leaves the old name.
//  - Loading: while a layout is read the component has csLoading set; Loaded() is called once
//    when the whole layout has been read and clears it. Derived classes call the inherited
//    Loaded().
//  - Published methods: a layout's root publishes handlers by name (any std::function type);
//    event properties in the layout name them.
//  - Derived classes whose teardown needs their owned components gone first (forms, windowed
//    controls) call DestroyComponents() at the start of their destructor.
#pragma once

#include "ui/classes/Object.h"

#include <map>

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TComponentStateFlag : unsigned {
    csLoading = 1,
    csReading = 2,
    csDestroying = 4,
    csDesigning = 8,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
    KV_CLASS(TComponent, TObject)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    // Throws EListError outside 0..ComponentCount()-1.
    TComponent* Components(int index) const;
    // Position in the owner's list, or -1 without owner.
    int ComponentIndex() const;
    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(std::string_view name) const;
    template <class T> T* Find(std::string_view name) const {
        return dynamic_cast<T*>(FindComponent(name));
    }

    const std::string& Name() const { return name_; }
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    unsigned ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    // The layout reader marks components it creates or fills.
    void BeginLoading() { state_ |= csLoading | csReading; }
    virtual void Loaded();

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();

    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

    void PublishMethod(const std::string& name, std::any handler);
    virtual const std::any* FindMethod(std::string_view name) const;

    // The layout reader found `child` nested inside this component's object block: a control
    // inside a container gets it as parent, a menu item inside a menu becomes its item. False
    // means "cannot contain that" (a layout error).
    virtual bool AddLoadedChild(TComponent& child);
    // Children in the order a layout would nest them (controls of a container, items of a
    // menu); used by the writer and by tests.
    virtual std::vector<TComponent*> LoadedChildren() const { return {}; }

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    void SetDestroying() { state_ |= csDestroying; }
    // Tells every component that asked for free notification that this one goes away. A kind
    // whose handles others borrow (an image list) calls it before it releases them, so no
    // borrower is told after the handle is gone; the base destructor then finds nobody left.
    void NotifyRemoval();

private:
    static bool IsValidIdent(std::string_view name);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int tag_ = 0;
    unsigned state_ = 0;
    std::map<std::string, std::any, std::less<>> methods_;
};
