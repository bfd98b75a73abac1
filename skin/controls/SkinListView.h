#pragma once
// TSkinListView: the scroll-bar skin of a list view that also gives the list view's header a
// TSkinHeader (owned by the same owner, in the form skin's list like every control skin).
#include "skin/controls/SkinScrollBar.h"

namespace kv {

class TSkinHeader;

class TSkinListView : public TSkinScrollBar {
    KV_CLASS(TSkinListView, TSkinScrollBar)
public:
    explicit TSkinListView(TComponent* owner) : TSkinScrollBar(owner) {}

    void AttachScroller(TWinControl* control, TSkinData* skinData, bool trackOwnDrag,
                        TWinSkinForm* form) override;
    void Notification(TComponent* component, TOperation operation) override;

    TSkinHeader* Header() const { return FHeader; }

private:
    TSkinHeader* FHeader = nullptr;
};

} // namespace kv
