#pragma once
// The canvas that menu items are measured and drawn on.
//
// Contract:
//  - MenuCanvas(dc) wraps a DC it does not own (a WM_DRAWITEM DC) with the system menu font
//    selected; MenuCanvas(nullptr) takes the screen's DC for measuring and releases it when it
//    goes. The DC gets back what it had selected when the canvas goes.
//  - MenuFont() is the system menu font (one font for the program, made on first use).
#include "ui/graphics/Canvas.h"

HFONT MenuFont();

class MenuCanvas {
public:
    explicit MenuCanvas(HDC dc);
    ~MenuCanvas();
    MenuCanvas(const MenuCanvas&) = delete;
    MenuCanvas& operator=(const MenuCanvas&) = delete;

    TCanvas& Canvas() { return canvas_; }

private:
    HDC screen_ = nullptr; // released here when this canvas took it
    TCanvas canvas_;
};
