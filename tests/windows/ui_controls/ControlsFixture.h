#pragma once
// A form inside a running application, and small probes of windows and fonts.
#include "tests/windows/support/Pump.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <string>

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete app; }

    template <class T> T* Add(TWinControl* parent = nullptr) {
        auto* control = new T(form);
        control->SetParent(parent ? parent : form);
        return control;
    }
    // Shows the form and lets it paint.
    void ShowAndPaint() {
        form->Show();
        UpdateWindow(form->Handle());
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        app->ProcessMessages();
    }

    TApplication* app = nullptr;
    TForm* form = nullptr;
};

using kv::test::ClassNameOf;

inline LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

// A client-coordinate mouse message to a window, as the system would send it.
inline LRESULT SendMouse(HWND hwnd, UINT msg, int x, int y, WPARAM keys = 0) {
    return SendMessageW(hwnd, msg, keys, MAKELPARAM(x, y));
}

// The colour at a client point of a window, read from the screen image of the window.
inline COLORREF PixelOf(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}
