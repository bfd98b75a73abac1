#include "skin/controls/SkinBox.h"

#include "ui/classes/Properties.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinBox, TSkinControl)

void TSkinBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour) {
    TWinControl* control = BindOwner(form, skinData, recolour);
    if (!control) return;
    FHandle = control->HandleAllocated() ? control->Handle() : nullptr;
    JoinFormList();
    TakeFaceColour();
    FAttached = true;
    FSkinState = kSkinAttached;
}

void TSkinBox::Detach() {
    if (FRecolour && FControl) FControl->SetColor(FSavedColor);
    FSkinState = kSkinDetached;
}

} // namespace kv
