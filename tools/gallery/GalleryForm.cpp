#include "tools/gallery/GalleryForm.h"

#include "tools/gallery/GalleryMdi.h"
#include "tools/gallery/GallerySkin.h"

#include "skin/data/win/SkinData.h"

#include "ui/actions/ActnList.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/menus/Menus.h"
#include "ui/services/OpenDialog.h"

KV_DEFINE_PLAIN_CLASS(TGalleryForm, TForm)

TGalleryForm::TGalleryForm(TComponent* owner) : TForm(owner) {
    RegisterGalleryComponents();
    PublishMethod("FormCreate", TNotifyEvent([this](TObject*) { FormCreate(); }));
    PublishMethod("ActionExecute", TNotifyEvent([this](TObject* s) { ActionExecute(s); }));
    PublishMethod("QuitExecute", TNotifyEvent([this](TObject*) { Close(); }));
    PublishMethod("PagesChange", TNotifyEvent([this](TObject*) { PagesChange(); }));
    PublishMethod("OpenSkinClick", TNotifyEvent([this](TObject*) { OpenSkinClick(); }));
    PublishMethod("SkinningClick", TNotifyEvent([this](TObject* s) { SkinningClick(s); }));
    PublishMethod("MdiWindowClick", TNotifyEvent([this](TObject*) { MdiWindowClick(); }));
}

void TGalleryForm::FormCreate() {
    if (auto* images = Find<TImageList>("ImageList1")) DrawGalleryGlyphs(*images);
    if (auto* list = Find<TListView>("ListView1")) list->SetItemIndex(0);
    if (auto* progress = Find<TProgressBar>("ProgressBar1")) progress->SetPosition(60);
    PagesChange();
}

void TGalleryForm::ShowPage(int index) {
    if (auto* pages = Find<TPageControl>("PageControl1")) pages->SetActivePageIndex(index);
    PagesChange();
}

// A right click anywhere in the form (it reaches the form from the control under the mouse)
// opens the popup menu.
void TGalleryForm::WndProc(TMessage& m) {
    if (m.Msg == WM_CONTEXTMENU) {
        if (auto* popup = Find<TPopupMenu>("PopupMenu1")) {
            POINT at{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
            if (at.x == -1 && at.y == -1) GetCursorPos(&at); // from the keyboard
            popup->Popup(at.x, at.y);
        }
        m.Result = 0;
        return;
    }
    TForm::WndProc(m);
}

void TGalleryForm::SetStatus(const std::string& text) {
    if (auto* status = Find<TStatusBar>("StatusBar1"); status && status->PanelCount() > 0)
        status->Panels(0)->SetText(text);
}

void TGalleryForm::ActionExecute(TObject* sender) {
    auto* action = dynamic_cast<TAction*>(sender);
    if (!action) return;
    std::string caption = action->Caption();
    std::erase(caption, '&');
    SetStatus("Command: " + caption);
}

void TGalleryForm::OpenSkinClick() {
    auto* data = Find<kv::TSkinData>("SkinData1");
    auto* dialog = Find<TOpenDialog>("SkinDialog");
    if (data && dialog && OpenSkinWithDialog(*data, *dialog))
        SetStatus("Skin: " + data->SkinName());
}

void TGalleryForm::SkinningClick(TObject* sender) {
    auto* data = Find<kv::TSkinData>("SkinData1");
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!data || !item) return;
    ToggleSkinning(*data, *item);
    SetStatus(data->Active() ? "Skinning on" : "Skinning off");
}

// The MDI window opens in a second gallery with the same skin file.
void TGalleryForm::MdiWindowClick() {
    auto* data = Find<kv::TSkinData>("SkinData1");
    StartMdiGallery(data ? data->SkinFile() : std::string());
}

void TGalleryForm::PagesChange() {
    auto* pages = Find<TPageControl>("PageControl1");
    auto* status = Find<TStatusBar>("StatusBar1");
    if (!pages || !status || status->PanelCount() < 2) return;
    status->Panels(1)->SetText("Page " + std::to_string(pages->ActivePageIndex() + 1) + " of " +
                               std::to_string(pages->PageCount()));
}

void DrawGalleryGlyphs(TImageList& images) {
    TBitmap strip(16 * 5, 16);
    TCanvas& c = strip.Canvas();
    c.Brush().SetColor(clFuchsia);
    c.FillRect(RECT{0, 0, 80, 16});
    const TColor colors[] = {clOlive, clMaroon, clGreen, clGray, clNavy};
    for (int i = 0; i < 5; ++i) {
        int x = i * 16;
        c.Pen().SetColor(clBlack);
        c.Brush().SetColor(colors[i]);
        if (i == 4)
            c.Ellipse(x + 1, 1, x + 15, 15);
        else
            c.Rectangle(x + 2, 3, x + 14, 13);
        c.Pen().SetColor(clWhite);
        c.MoveTo(x + 5, 8);
        c.LineTo(x + 11, 8);
    }
    images.AddMasked(strip, clFuchsia);
}
