#include "skin/controls/SkinEdit.h"

#include "skin/controls/ControlSkinChoice.h"
#include "skin/controls/SkinUpDown.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinEdit, TSkinControl)

void TSkinEdit::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam == 0) PaintSkin(nullptr);
        break;
    case WM_NCPAINT:
        // The edit's own border came back (focus, size): put ours over it again.
        PaintSkin(nullptr);
        break;
    case WM_PRINT:
        PrintFrame(reinterpret_cast<HDC>(m.WParam));
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

// With `slack` 0: any border at all; with 2: one wider than the two lines drawn over it.
bool TSkinEdit::HasBorder(const RECT& rect, int slack) const {
    RECT client{};
    if (!GetClientRect(FHandle, &client)) return false;
    return client.right + slack < rect.right - rect.left &&
           client.bottom + slack < rect.bottom - rect.top;
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
    if (!FUpDown) FindUpDown();
    const TSkinDefinition* skin = Skin();
    if (!skin || !HasBorder(rect, 0)) return;
    UniqueBrush shadow(CreateSolidBrush(ResolveColour(skin->ButtonShadowColour)));
    FrameRect(dc, &rect, shadow.Get());
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ++borders_;
}

void TSkinEdit::FindUpDown() {
    for (HWND child = GetTopWindow(FHandle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        const std::string lower = AsciiLower(name);
        if (lower != "msctls_updown32" && lower != "tspinbutton") continue;
        FUpDown = new TSkinUpDown(Owner());
        FUpDown->FreeNotification(this);
        FUpDown->SetInset(true);
        FUpDown->AttachHandle(child, FSkinData, FForm);
        return;
    }
}

void TSkinEdit::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

void TSkinEdit::PrintFrame(HDC dc) {
    RECT r{};
    if (WindowGone() || !GetWindowRect(FHandle, &r)) return;
    FWindowRect = r;
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(FHandle);
    if (!dc) return;
    try {
        DrawPrintFrame(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
    } catch (...) {
        // Printing never raises into the window procedure.
    }
    if (own) ReleaseDC(FHandle, dc);
}

void TSkinEdit::DrawPrintFrame(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || !HasBorder(rect, 2)) return;
    // The DC's brush is the caller's: used for the inner line, never deleted or deselected.
    const auto background = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    if (background) FrameRect(dc, &inner, background);
    UniqueBrush shadow(CreateSolidBrush(ResolveColour(skin->ButtonShadowColour)));
    FrameRect(dc, &rect, shadow.Get());
    ++borders_;
}

} // namespace kv
