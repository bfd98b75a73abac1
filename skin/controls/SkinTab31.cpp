#include "skin/controls/SkinTab31.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/Transforms.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/classes/Properties.h"
#include "ui/controls/TabSet.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinTab31, TSkinControl)

namespace {

// A tab needs this much more room while the scroller is shown.
constexpr int kScrollerReserve = 12;

} // namespace

void TSkinTab31::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool) {
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (FAttached || !control) return;
    FControl = control;
    control->FreeNotification(this);
    // Subclassed through its window: the tab set's message method stays its own.
    TSkinControl::AttachHandle(control->Handle(), skinData, form);
    PrepareImage();
    if (auto* tabSet = dynamic_cast<TTabSet*>(control)) AttachScroller(*tabSet);
}

void TSkinTab31::PrepareImage() {
    FTabImage = PixelBuffer();
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->Tabs || skin->Tabs->Bitmap.Empty()) return;
    FTabImage = skin->Tabs->Bitmap;
    FlipBitmap(FTabImage);
}

// Only when the tab set's first component is its scroller.
void TSkinTab31::AttachScroller(TTabSet& tabSet) {
    if (tabSet.ComponentCount() == 0 || tabSet.Components(0) != tabSet.Scroller()) return;
    FScroller = tabSet.Scroller();
    FScroller->FreeNotification(this);
    FUpDown = new TSkinUpDown(Owner());
    FUpDown->FreeNotification(this);
    FUpDown->SetHorizontal(true);
    FUpDown->AttachHandle(FScroller->Handle(), FSkinData, FForm);
}

void TSkinTab31::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == FUpDown) FUpDown = nullptr;
    if (component == FScroller) FScroller = nullptr;
}

bool TSkinTab31::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        HandlePaint(m);
        return true; // the tab set's own paint and AfterDefault follow
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
    lastTabs_.clear();
    auto* tabSet = dynamic_cast<TTabSet*>(FControl);
    const TSkinDefinition* skin = Skin();
    if (!tabSet || !skin || !skin->Tabs || FTabImage.Empty() || Inverted(rect)) return;
    DibSection face;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!StartFace(face, dc, w, h, FaceColour())) return;
    SelectionGuard font(face.Dc(), tabSet->Font().Handle());
    const TStringList& tabs = tabSet->Tabs();
    const std::vector<int> widths = tabSet->TabWidths();
    const int reserve = FScroller && FScroller->Visible() ? kScrollerReserve : 0;
    const std::vector<TTabSlot> row =
        LayOutTabRow(widths, tabSet->FirstIndex(), tabSet->StartMargin(),
                     w - tabSet->EndMargin() - reserve, true);
    const TDataSkinBorder& art = *skin->Tabs;
    const PixelRect margins{art.LeftWidth, art.TopHeight, art.RightWidth, art.BottomHeight};
    RefreshFlags();
    for (const TTabSlot& slot : row) {
        const int frame = slot.index == tabSet->TabIndex() ? 2 : 1;
        DrawNineSlice(face.View(), PixelRect{slot.left, 0, slot.right, h}, FTabImage.View(), false,
                      art.Tile == 1, art.Trans == 1, art.FrameCount, frame, margins);
        SetTextColor(face.Dc(),
                     ResolveColour(frame == 2 ? art.MouseOverColour2 : art.NormalColour2));
        DrawCaptionText(face.Dc(), RECT{slot.left, 0, slot.right, h}, DT_CENTER, FEnabled,
                        AnsiToWide(tabs[slot.index]));
        lastTabs_.push_back({slot.index, slot.left, slot.right, frame});
    }
    BitBlt(dc, rect.left, rect.top, w, h, face.Dc(), 0, 0, SRCCOPY);
}

} // namespace kv
