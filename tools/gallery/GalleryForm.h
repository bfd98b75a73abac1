#pragma once
// The gallery's main form: every control kind of the framework, read from its layout
// (Gallery.layout, resource TGALLERYFORM), with handlers that make the controls answer, and
// the skin preview's menu: open another skin, switch skinning off and on, open the MDI window.
#include "ui/forms/Forms.h"

class TImageList;
class TPageControl;
class TStatusBar;

class TGalleryForm : public TForm {
    KV_CLASS(TGalleryForm, TForm)
public:
    explicit TGalleryForm(TComponent* owner);
    void ShowPage(int index);

protected:
    void WndProc(TMessage& message) override;

private:
    void FormCreate();
    void ActionExecute(TObject* sender);
    void PagesChange();
    void OpenSkinClick();
    void SkinningClick(TObject* sender);
    void MdiWindowClick();
    void SetStatus(const std::string& text);
};

// Five 16 x 16 glyphs (open, close, show, hide, about) drawn into the list.
void DrawGalleryGlyphs(TImageList& images);
