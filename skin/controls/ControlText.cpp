#include "skin/controls/ControlText.h"

#include "skin/form/draw/SkinDraw.h"

namespace kv {

namespace {

// Puts back what the text routines change on a caller's DC.
class TextStateGuard {
public:
    explicit TextStateGuard(HDC dc)
        : dc_(dc), colour_(GetTextColor(dc)), mode_(SetBkMode(dc, TRANSPARENT)) {}
    ~TextStateGuard() {
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
    }
    TextStateGuard(const TextStateGuard&) = delete;
    TextStateGuard& operator=(const TextStateGuard&) = delete;

private:
    HDC dc_;
    COLORREF colour_;
    int mode_;
};

RECT Measure(HDC dc, const RECT& rect, const std::wstring& text, UINT flags) {
    RECT measured = rect;
    DrawTextW(dc, text.c_str(), int(text.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    return measured;
}

} // namespace

bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}

void DrawCaptionText(HDC dc, const RECT& rect, UINT align, bool enabled, const std::wstring& text) {
    if (Inverted(rect)) return;
    TextStateGuard state(dc);
    const UINT flags = align | DT_EXPANDTABS;
    RECT r = Measure(dc, rect, text, flags);
    const int dy = ((rect.bottom - rect.top) - (r.bottom - r.top)) / 2 - 1;
    if (align == DT_CENTER) {
        OffsetRect(&r, ((rect.right - rect.left) - (r.right - r.left)) / 2, dy);
    } else {
        OffsetRect(&r, 0, dy);
        r.left = rect.left;
        r.right = rect.right;
    }
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
}

void DrawCenteredText(HDC dc, const RECT& rect, const std::wstring& text, int alignment,
                      bool enabled) {
    if (Inverted(rect)) return;
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT align = (alignment >= 0 && alignment <= 2) ? kAlign[alignment] : DT_LEFT;
    TextStateGuard state(dc);
    const UINT flags = align | DT_SINGLELINE | DT_EXPANDTABS;
    RECT r = Measure(dc, rect, text, flags);
    const int dy = ((rect.bottom - rect.top) - (r.bottom - r.top)) / 2;
    OffsetRect(&r, 0, dy);
    if (align == DT_CENTER)
        OffsetRect(&r, ((rect.right - rect.left) - (r.right - r.left)) / 2, 0);
    else {
        r.left = rect.left;
        r.right = rect.right;
    }
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
}

void DrawIconText(HDC dc, const RECT& rect, int align, const std::wstring& text, int imageIndex,
                  HIMAGELIST images, bool enabled) {
    if (Inverted(rect)) return;
    int iconW = 0, iconH = 0;
    if (imageIndex != -1 && images) ImageList_GetIconSize(images, &iconW, &iconH);
    constexpr UINT kFlags = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;
    TextStateGuard state(dc);
    RECT measured = text.empty() ? RECT{} : Measure(dc, rect, text, kFlags);
    const int textW = measured.right - measured.left, textH = measured.bottom - measured.top;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int offset = 2;
    if (align == 1)
        offset = (width - iconW - textW) / 2;
    else if (align == 2)
        offset = width - iconW - textW - 2;
    if (iconW > 0)
        ImageList_Draw(images, imageIndex, dc, rect.left + offset, rect.top + (height - iconH) / 2,
                       ILD_TRANSPARENT);
    RECT r{rect.left + offset + iconW + 1, rect.top + (height - textH) / 2, 0, 0};
    r.right = r.left + textW;
    r.bottom = r.top + textH;
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, text.c_str(), int(text.size()), &r, kFlags);
}

void DrawStateFrame(PixelView target, const PixelRect& rect, int frameCount, int frame,
                    const TDataSkinObject& object) {
    if (object.Bitmap.Empty() || rect.right < rect.left || rect.bottom < rect.top) return;
    const PixelRect margins{object.LeftWidth, object.TopHeight, object.RightWidth,
                            object.BottomHeight};
    DrawNineSlice(target, rect, object.Bitmap.View(), false, object.Tile == 1, object.Trans == 1,
                  frameCount, frame, margins);
}

} // namespace kv
