#include "skin/controls/SkinHeader.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

#include <commctrl.h>

#include <algorithm>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinHeader, TSkinControl)

namespace {

constexpr int kHeaderFrames = 5;
constexpr int kItemTextChars = 200;

} // namespace

bool TSkinHeader::HasArt() const {
    const TSkinDefinition* skin = Skin();
    return skin && skin->Headerbar && !skin->Headerbar->Bitmap.Empty();
}

bool TSkinHeader::BeforeDefault(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && HasArt()) {
        m.Result = 1;
        return false;
    }
    return TSkinControl::BeforeDefault(m);
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
    lastItems_ = 0;
    lastRest_ = {};
    if (!HasArt() || Inverted(rect)) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!StartFace(face_, dc, w, h, FaceColour())) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(face_.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(face_.Dc(), ResolveColour(Skin()->Headerbar->NormalColour2));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, HDM_GETIMAGELIST, 0, 0));
    const int count = int(SendMessageW(FHandle, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageW(FHandle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        DrawItem(images, i, r);
        right = std::max(right, int(r.right));
        ++lastItems_;
    }
    if (right < w) {
        lastRest_ = {right, 0, w, h};
        DrawBackground(lastRest_);
    }
    BitBlt(dc, rect.left, rect.top, w, h, face_.Dc(), 0, 0, SRCCOPY);
}

void TSkinHeader::DrawBackground(const RECT& r) {
    DrawStateFrame(face_.View(), PixelRect{r.left, r.top, r.right, r.bottom}, kHeaderFrames, 1,
                   *Skin()->Headerbar);
}

void TSkinHeader::DrawItem(HIMAGELIST images, int index, const RECT& r) {
    wchar_t text[kItemTextChars + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kItemTextChars;
    SendMessageW(FHandle, HDM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    DrawBackground(r);
    if (!text[0]) return;
    const int image = item.fmt & (HDF_IMAGE | HDF_OWNERDRAW) ? item.iImage : -1;
    const int justify = item.fmt & HDF_JUSTIFYMASK;
    const int align = justify == HDF_RIGHT ? 2 : justify == HDF_CENTER ? 1 : 0;
    DrawIconText(face_.Dc(), r, align, text, image, images, true);
}

} // namespace kv
