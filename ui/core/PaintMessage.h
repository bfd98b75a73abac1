#pragma once
// A WM_PAINT served by a control's own painter: on the DC the message brings (printing, double
// buffering) or, without one, between BeginPaint and EndPaint.
#include "ui/core/Controls.h"

template <class Painter>
void ServePaint(HWND handle, TMessage& m, Painter&& paint) {
    if (m.WParam) {
        paint(reinterpret_cast<HDC>(m.WParam));
    } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle, &ps);
        paint(dc);
        EndPaint(handle, &ps);
    }
    m.Result = 0;
}
