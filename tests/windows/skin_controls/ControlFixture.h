#pragma once
// A skinned framework form with controls on it, and what the control skin tests share: finding
// a control's skin, reading a window's pixels back from the screen.
#include "tests/windows/skin_form/NcInput.h"
#include "tests/windows/skin_form/SkinFixture.h"

#include "skin/controls/SkinControl.h"
#include "skin/form/draw/win/DibSection.h"
#include "ui/controls/StdCtrls.h"

#include <algorithm>

namespace kv::test {

class SkinnedControls : public SkinnedForm {
protected:
    template <class T> T* Add(int left, int top, int width, int height, const char* caption) {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        c->SetCaption(caption);
        return c;
    }

    // The control skin serving `control` on the form's skin, or nullptr.
    template <class S = TSkinControl> S* SkinOf(TWinSkinForm* skin, TControl* control) {
        if (!skin) return nullptr;
        auto* windowed = dynamic_cast<TWinControl*>(control);
        for (TSkinControl* s : skin->ControlSkins)
            if (s->Served() == control ||
                (windowed && windowed->HandleAllocated() && s->Handle() == windowed->Handle()))
                return dynamic_cast<S*>(s);
        return nullptr;
    }
};

// The window's pixels as they are on the screen now (0x00RRGGBB).
inline PixelBuffer ScreenShotOf(HWND h) {
    RECT r = WindowRectOf(h);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    DibSection dib;
    PixelBuffer out;
    if (!dib.Create(w, ht)) return out;
    HDC screen = GetDC(nullptr);
    BitBlt(dib.Dc(), 0, 0, w, ht, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    const PixelView from = dib.View();
    out.Resize(w, ht);
    const PixelView to = out.View();
    for (int y = 0; y < ht; ++y)
        for (int x = 0; x < w; ++x) to.Row(y)[x] = RgbOf(from.Row(y)[x]);
    return out;
}

inline POINT CentreOf(HWND h) {
    RECT r = WindowRectOf(h);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace kv::test
