// The skinned non-client area: client rectangle, frame painting, activation and the region.
#include "skin/form/FormSkin.h"

#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/win/SkinRegionWin.h"
#include "skin/form/logic/FrameCompose.h"
#include "ui/services/Timer.h"

#include <algorithm>

namespace kv {
namespace {

// A DIB section of at least w x h, remade only when it is too small.
bool Ensure(DibSection& dib, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    if (!dib.Empty() && dib.Width() >= w && dib.Height() >= h) return true;
    return dib.Create(std::max(w, dib.Width()), std::max(h, dib.Height()));
}

PixelView Sub(PixelView view, int w, int h) {
    view.width = std::min(view.width, w);
    view.height = std::min(view.height, h);
    return view;
}

} // namespace

void TWinSkinForm::ComputeBorderSizes() {
    const TSkinDefinition* skin = skinData_ ? skinData_->Skin() : nullptr;
    if (!skin) return;
    Sizes = kv::ComputeBorderSizes(*skin, Kind);
    if (Kind == FrameKind::Frameless) MenuBarHeight = 0;
}

void TWinSkinForm::OnNcCalcSize(TMessage& m) {
    PassOn(m);
    if (m.WParam == 0) {
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if (Kind == FrameKind::Frameless || NonNormalMdiChild()) {
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
        return;
    }
    const WINDOWPOS& pos = *params->lppos;
    const PixelRect r = NcClientRect(pos.x, pos.y, pos.cx, pos.cy, Sizes, MenuBarHeight);
    params->rgrc[0] = {r.left, r.top, r.right, r.bottom};
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcPaint(TMessage& m) {
    m.Result = 0;
    if (!skinData_->FramePainting) return;
    if (Kind == FrameKind::Frameless || NonNormalMdiChild()) {
        PassOn(m);
        return;
    }
    HRGN update = m.WParam > 1 ? reinterpret_cast<HRGN>(m.WParam) : nullptr;
    // GetDCEx takes over a region it is given; hand it a copy so the message's stays intact.
    HRGN copy = nullptr;
    if (update) {
        copy = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(copy, update, nullptr, RGN_COPY);
    }
    HDC dc = GetDCEx(Handle, copy, DCX_WINDOW | DCX_CACHE | (copy ? DCX_INTERSECTRGN : 0));
    if (!dc) {
        if (copy) DeleteObject(copy);
        return;
    }
    PaintFrame(dc);
    ReleaseDC(Handle, dc);
}

void TWinSkinForm::OnNcActivate(TMessage& m) {
    Active = (m.WParam & 0xFF) != 0;
    if (hoverTimer_) hoverTimer_->SetEnabled(Active);
    if (!Active && HotControlSkin) DropHotControlSkin(false);
    if (!NonNormalMdiChild()) PaintFrame(nullptr);
    m.Result = TRUE; // never passed on: the system would draw its own caption
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if (SkinState != 1 && SkinState != 3) return;
    if (Kind == FrameKind::Frameless || NonNormalMdiChild()) return;
    const TSkinDefinition* skin = skinData_ ? skinData_->Skin() : nullptr;
    if (!skin) return;
    std::unique_ptr<WindowDC> own;
    if (!dc) {
        own = std::make_unique<WindowDC>(Handle, WindowDC::Area::Window);
        dc = own->Get();
        if (!dc) return;
    }
    try {
        RECT r{};
        if (GetWindowRect(Handle, &r)) {
            const int w = r.right - r.left, h = r.bottom - r.top;
            FrameWidth = w;
            FrameHeight = h;
            PaintPiece(dc, sideBuffer_, 1, LeftPieceRect(Sizes, w, h));
            PaintPiece(dc, sideBuffer_, 2, RightPieceRect(Sizes, w, h));
            PaintPiece(dc, bottomBuffer_, 4, BottomPieceRect(Sizes, w, h));
            PaintCaptionBar(dc, w);
            if (MenuBarHeight > 0) PaintMenuBand(dc, w);
            ++FramePaints;
        }
    } catch (...) {
        // A drawing failure leaves the frame as it was; the window stays usable.
    }
    HotObject = nullptr;
}

void TWinSkinForm::PaintPiece(HDC dc, DibSection& buffer, int index, const PixelRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0 || !Ensure(buffer, w, h)) return;
    ComposeBorderPiece(Sub(buffer.View(), w, h), {0, 0, w, h}, *skinData_->Skin(),
                       static_cast<BorderPiece>(index), Active);
    BitBlt(dc, rect.left, rect.top, w, h, buffer.Dc(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintCaptionBar(HDC dc, int w) {
    const int h = Sizes.caption;
    if (w <= 0 || h <= 0) return;
    if (captionCache_.Empty() || captionCache_.Width() != w || captionCache_.Height() != h) {
        if (!captionCache_.Create(w, h)) return;
    }
    const TSkinDefinition& skin = *skinData_->Skin();
    HDC canvas = captionCache_.Dc();
    const PixelRect span = CaptionPieceRect(Sizes, w);
    PaintCaptionText(canvas, span);
    LayoutCaptionButtons();
    ComposeCaptionButtons(captionCache_.View(), Placed(), Active, formIcon_.View());
    (void)skin;
    BitBlt(dc, 0, 0, w, h, canvas, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

// The caption bar's background and text background, then the text over them.
void TWinSkinForm::PaintCaptionText(HDC canvas, const PixelRect& span) {
    const TSkinDefinition& skin = *skinData_->Skin();
    captionText_ = WindowText();
    const std::wstring text = L" " + captionText_ + L"  ";
    SelectionGuard font(canvas, captionFont_.Get());
    RECT measured{span.left, span.top, span.right, span.bottom};
    DrawTextW(canvas, text.c_str(), int(text.size()), &measured, DT_CALCRECT | DT_NOCLIP);
    CaptionTextInput in;
    in.caption = span;
    in.textWidth = measured.right - measured.left;
    in.textHeight = measured.bottom - measured.top;
    in.rightToLeft = rightToLeft_;
    in.popupStyle = (style_ & WS_POPUP) != 0;
    in.rightmostButtonLeft = RightmostButtonLeft;
    TextRect = PlaceCaptionText(skin.Title, in);
    ComposeCaptionBar(captionCache_.View(), Sizes, skin, Active, TextRect, FrameHeight);
    const int oldMode = SetBkMode(canvas, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(
        canvas, ResolveColour(Active ? skin.TitleTextActiveColour : skin.TitleTextNoActiveColour));
    RECT r{TextRect.left + skin.Title.TextBackLeft, TextRect.top,
           TextRect.right - skin.Title.TextBackRight, TextRect.bottom};
    DrawTextW(canvas, text.c_str(), int(text.size()), &r,
              DT_SINGLELINE | DT_END_ELLIPSIS | (rightToLeft_ ? DT_RIGHT : 0));
    SetTextColor(canvas, oldColour);
    SetBkMode(canvas, oldMode);
    GdiFlush();
}

void TWinSkinForm::MakeFormIcon() {
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HICON icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
    if (!icon) {
        if (skinData_ && !skinData_->DefaultIcon().Empty()) {
            formIcon_ = skinData_->DefaultIcon();
            return;
        }
        formIcon_ = PixelBuffer();
        if (!SkinManager) return;
        for (TSkinData* d : SkinManager->SkinDatas())
            if (d->SkinFormtype() == TSkinFormType::sfMainform && !d->DefaultIcon().Empty())
                formIcon_ = d->DefaultIcon();
        return;
    }
    DibSection dib;
    if (!dib.Create(cx, cy)) return;
    PixelView view = dib.View();
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) view.At(x, y) = kMagenta;
    UniqueIcon copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (!copy) copy.Reset(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    DrawIconEx(dib.Dc(), 0, 0, copy ? copy.Get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
    view = dib.View();
    formIcon_.Resize(cx, cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) formIcon_.At(x, y) = RgbOf(view.At(x, y));
}

void TWinSkinForm::BuildRegion(bool redraw) {
    RECT r{};
    if (!GetWindowRect(Handle, &r)) return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0 || NonNormalMdiChild()) return;
    if (w == regionWidth_ && h == regionHeight_ && Mdi != MdiKind::Child && SkinState != 3) return;
    const TSkinDefinition* skin = skinData_ ? skinData_->Skin() : nullptr;
    if (!skin) return;
    RegionOwned = false; // a region handed to the window is the window's
    PixelView caption = captionCache_.Empty() ? PixelView{} : captionCache_.View();
    UniqueRegion region = RegionFromBatches(
        FrameRegionRects(*skin, Sizes, w, h, Kind == FrameKind::Frameless, caption));
    if (!region) return;
    if (!SetWindowRgn(Handle, region.Get(), redraw)) return; // the owner deletes it
    region.Release();
    RegionOwned = true;
    regionWidth_ = w;
    regionHeight_ = h;
}

void TWinSkinForm::ReleaseRegion() {
    if (!RegionOwned) return;
    captionCache_.Destroy();
    SetWindowRgn(Handle, nullptr, FALSE);
    RegionOwned = false;
    regionWidth_ = regionHeight_ = 0;
}

} // namespace kv
