#include "skin/controls/SkinListView.h"

#include "skin/controls/SkinHeader.h"
#include "ui/classes/Properties.h"

#include <commctrl.h>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinListView, TSkinScrollBar)

void TSkinListView::AttachScroller(TWinControl* control, TSkinData* skinData, bool trackOwnDrag,
                                   TWinSkinForm* form) {
    TSkinScrollBar::AttachScroller(control, skinData, trackOwnDrag, form);
    if (FHeader || !FHandle) return;
    const auto header = reinterpret_cast<HWND>(SendMessageW(FHandle, LVM_GETHEADER, 0, 0));
    if (!header) return;
    FHeader = new TSkinHeader(Owner());
    FHeader->FreeNotification(this);
    FHeader->AttachHandle(header, skinData, form);
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
    TSkinScrollBar::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FHeader) FHeader = nullptr;
}

} // namespace kv
