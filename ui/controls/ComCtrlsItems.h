// Items of the common controls (status panels, header sections, list columns and list items):
// small components that a control keeps in order and shows in its window.
//
// Contract:
//  - An item belongs to at most one control's list (its host). In a layout it is a nested
//    object inside its control; in code the control's Add... makes one owned by the control.
//  - Whoever owns the item may free it: it leaves its host's list first. A host going away
//    detaches the items it does not own.
//  - Changing an item's published value tells its host, which updates its window.
#pragma once

#include "ui/classes/Component.h"

#include <algorithm>
#include <vector>

class TComCtlItem;

class TItemHost {
public:
    virtual void ItemChanged(TComCtlItem& item) = 0;
    virtual void ItemRemoved(TComCtlItem& item) = 0;

protected:
    ~TItemHost() = default;
};

class TComCtlItem : public TComponent {
    KV_CLASS(TComCtlItem, TComponent)
public:
    using TComponent::TComponent;
    ~TComCtlItem() override {
        if (host_) host_->ItemRemoved(*this);
    }
    TItemHost* Host() const { return host_; }
    void SetHost(TItemHost* host) { host_ = host; }

protected:
    void Changed() {
        if (host_) host_->ItemChanged(*this);
    }

private:
    TItemHost* host_ = nullptr;
};

// The host's ordered list of items of one kind.
template <class T> class TItemList {
public:
    explicit TItemList(TItemHost& host) : host_(host) {}
    TItemList(const TItemList&) = delete;
    TItemList& operator=(const TItemList&) = delete;
    ~TItemList() {
        for (T* item : items_) item->SetHost(nullptr);
    }

    int Count() const { return static_cast<int>(items_.size()); }
    T* operator[](int index) const {
        return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : nullptr;
    }
    int IndexOf(const TComCtlItem* item) const {
        auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    void Append(T* item) {
        if (item->Host()) item->Host()->ItemRemoved(*item);
        item->SetHost(&host_);
        items_.push_back(item);
    }
    // Takes the item out of the list; false when it was not in it.
    bool Remove(const TComCtlItem& item) {
        int index = IndexOf(&item);
        if (index < 0) return false;
        items_[static_cast<size_t>(index)]->SetHost(nullptr);
        items_.erase(items_.begin() + index);
        return true;
    }
    typename std::vector<T*>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<T*>::const_iterator end() const { return items_.end(); }

private:
    TItemHost& host_;
    std::vector<T*> items_;
};
