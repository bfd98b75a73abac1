#pragma once
// The gallery's MDI window: a frame (fsMDIForm) with its own skin component and menu, holding
// two child windows (fsMDIChild) with a few controls, so skins meet an MDI frame, its client
// and its children. The framework makes MDI children only inside the program's main form, so
// this window runs as the main form of a second gallery process (gallery.exe --mdi).
#include "ui/forms/Forms.h"

class TGalleryMdiForm : public TForm {
    KV_CLASS(TGalleryMdiForm, TForm)
public:
    explicit TGalleryMdiForm(TComponent* owner);
    // Makes the two children; the frame must already be the application's main form.
    void AddChildren();

private:
    void OpenSkinClick();
    void SkinningClick(TObject* sender);
    void ArrangeClick(UINT message);
};

class TGalleryMdiChild : public TForm {
    KV_CLASS(TGalleryMdiChild, TForm)
public:
    using TForm::TForm;
};

// Starts a second gallery showing the MDI window with the given skin file (empty: the default
// skin); false, after a message, when it cannot be started.
bool StartMdiGallery(const std::string& skinFile);
