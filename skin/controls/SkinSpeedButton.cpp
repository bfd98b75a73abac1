#include "skin/controls/SkinSpeedButton.h"

#include "skin/controls/ControlText.h"
#include "skin/form/FormSkin.h"
#include "skin/form/draw/SkinDraw.h"
#include "ui/classes/Properties.h"
#include "ui/controls/Buttons.h"
#include "ui/graphics/Colors.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinSpeedButton, TSkinBitButton)

namespace {

// A speed button's automatic margin with a fixed spacing sits one pixel further along.
void NudgeAutomaticMargin(TGlyphLayout& at, const TSpeedButton& b, SIZE glyph) {
    if (b.Margin() >= 0 || b.Spacing() < 0 || glyph.cx == 0) return;
    const int dx = b.Layout() == blGlyphLeft ? 1 : b.Layout() == blGlyphRight ? -1 : 0;
    const int dy = b.Layout() == blGlyphTop ? 1 : b.Layout() == blGlyphBottom ? -1 : 0;
    at.glyph.x += dx;
    at.glyph.y += dy;
    OffsetRect(&at.caption, dx, dy);
}

} // namespace

ButtonState SpeedButtonState(bool down, bool hot, bool enabled, bool latched) {
    ButtonState state = down ? bsPressed : hot ? bsHot : bsNormal;
    if (!enabled) state = bsDisabled;
    if (latched) state = bsPressed;
    return state;
}

TControl* TSkinSpeedButton::Served() const {
    return FGraphicControl;
}

TSkinSpeedButton::~TSkinSpeedButton() {
    Unhook();
}

void TSkinSpeedButton::AttachGraphic(TWinSkinForm* form, TSkinData* skinData) {
    auto* button = dynamic_cast<TSpeedButton*>(Owner());
    if (!button || FGraphicControl) return;
    FSkinData = skinData;
    FForm = form;
    FGraphicControl = button;
    HookMethod(*button);
    JoinFormList();
    FSkinState = kSkinAttached;
}

bool TSkinSpeedButton::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (!m.WParam || !FGraphicControl) return true;
        DrawSpeedButton(reinterpret_cast<HDC>(m.WParam),
                        RECT{0, 0, FGraphicControl->Width(), FGraphicControl->Height()});
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m); // the button's own press handling runs
        FMouseState |= kMouseDown;
        PaintSkin(nullptr);
        return false;
    default:
        return TSkinButton::BeforeDefault(m);
    }
}

void TSkinSpeedButton::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case CM_RELEASE:
        ReleaseMethod();
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam != VK_SPACE) break;
        if (m.Msg == WM_KEYDOWN)
            FMouseState |= kMouseDown;
        else
            FMouseState &= ~kMouseDown;
        PaintSkin(nullptr);
        break;
    case WM_LBUTTONUP:
        FMouseState &= ~kMouseDown;
        PaintSkin(nullptr);
        break;
    case CM_MOUSEENTER:
        FMouseState |= kMouseHot;
        PaintSkin(nullptr);
        break;
    case CM_MOUSELEAVE:
        FMouseState &= ~(kMouseHot | kMouseDown);
        if (FGraphicControl && FGraphicControl->Visible()) PaintSkin(nullptr);
        break;
    case WM_MOUSEMOVE:
        break; // hot tracking comes with the mouse-entered notice
    default:
        TSkinButton::AfterDefault(m);
        break;
    }
}

void TSkinSpeedButton::SkinChanged() {
    if (FGraphicControl) FGraphicControl->Invalidate();
}

// Straight into the parent's window at the button's place, so a press shows at once.
void TSkinSpeedButton::PaintSkin(HDC) {
    TSpeedButton* b = FGraphicControl;
    if (!b || !b->Visible() || !b->Parent() || !b->Parent()->HandleAllocated()) return;
    WindowDC dc(b->Parent()->Handle());
    if (!dc) return;
    SavedDCState saved(dc.Get());
    IntersectClipRect(dc.Get(), b->Left(), b->Top(), b->Left() + b->Width(),
                      b->Top() + b->Height());
    SetViewportOrgEx(dc.Get(), b->Left(), b->Top(), nullptr);
    DrawSpeedButton(dc.Get(), RECT{0, 0, b->Width(), b->Height()});
}

void TSkinSpeedButton::DrawSpeedButton(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    TSpeedButton* b = FGraphicControl;
    if (!b || !skin || skin->Buttons.Bitmap.Empty() || Inverted(rect)) return;
    FCaption = AnsiToWide(b->Caption());
    ComposeFace(dc, rect, skin->Buttons.FrameCount,
                SpeedButtonState(FMouseState & kMouseDown, FMouseState & kMouseHot, b->Enabled(),
                                 b->Down()));
}

void TSkinSpeedButton::DrawContents(const RECT& client, ButtonState state) {
    TSpeedButton* b = FGraphicControl;
    HDC dc = bitmap_.Dc();
    SelectionGuard selected(dc, b->Font().Handle());
    TBitmap& glyph = b->Glyph();
    const int count = b->NumGlyphs();
    if (glyph.Empty() || count < 1) {
        SetTextColor(dc, ColorToRGB(b->Font().Color()));
        DrawCaptionText(dc, client, DT_CENTER, b->Enabled(), FCaption);
        return;
    }
    const SIZE glyphSize{glyph.Width() / count, glyph.Height()};
    TGlyphLayout at = LayoutGlyphAndCaption({client.right, client.bottom}, glyphSize,
                                            MeasureCaption(client), b->Layout(), b->Margin(),
                                            b->Spacing());
    NudgeAutomaticMargin(at, *b, glyphSize);
    int frame = GlyphFrame(state, count);
    if (frame > count) frame = 1;
    lastGlyph_ = frame;
    DrawGlyph(glyph, glyphSize, frame, at.glyph);
    DrawLaidOutCaption(at.caption, b->Layout(), ColorToRGB(b->Font().Color()));
}

} // namespace kv
