#include "skin/controls/SkinBox.h"

#include "ui/classes/Properties.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinBox, TSkinControl)

void TSkinBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour) {
    if (FAttached) return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    FRecolour = recolour;
    FSkinData = skinData;
    FForm = form;
    FControl = control;
    control->FreeNotification(this);
    FHandle = control->HandleAllocated() ? control->Handle() : nullptr;
    JoinFormList();
    if (FRecolour) {
        FSavedColor = control->Color();
        control->SetColor(FaceColour());
    }
    FAttached = true;
    FSkinState = kSkinAttached;
}

void TSkinBox::Detach() {
    if (FRecolour && FControl) FControl->SetColor(FSavedColor);
    FSkinState = kSkinDetached;
}

} // namespace kv
