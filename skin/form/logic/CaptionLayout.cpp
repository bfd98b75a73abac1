#include "skin/form/logic/CaptionLayout.h"

#include <algorithm>

namespace kv {
namespace {

constexpr int kMdiVisibility = 100;

bool InAlwaysRange(int v) {
    return v >= 200 && v <= 2000;
}

bool Maximized(const CaptionFacts& f) {
    return f.state == WindowState::Maximized;
}

bool ConditionA(const TDataSkinSysButton& b, const CaptionFacts& f) {
    switch (b.Visibility) {
    case 0: return f.frameKind != FrameKind::Plain && !(b.Action == 0 && !f.hasSystemMenu);
    case 1: return Maximized(f);
    case 2: return !Maximized(f);
    case 3: return f.active;
    case 4: return !f.active;
    case 6: return f.hasMaximizeBox && f.hasSystemMenu;
    case 7: return !f.hasMaximizeBox;
    case 8: return f.hasMinimizeBox && f.hasSystemMenu;
    case 9: return !f.hasMinimizeBox;
    case kMdiVisibility: return f.mdiChildMaximized;
    default: return InAlwaysRange(b.Visibility);
    }
}

bool ConditionB(const TDataSkinSysButton& b, const CaptionFacts& f) {
    switch (b.Visibility1) {
    case 0: return true;
    case 1: return Maximized(f);
    case 2: return !Maximized(f);
    case 3: return f.active;
    case 4: return !f.active;
    case 6: return f.hasMaximizeBox;
    case 7: return !f.hasMaximizeBox;
    case 8: return f.hasMinimizeBox;
    case 9: return !f.hasMinimizeBox;
    case kMdiVisibility: return f.mdiChildMaximized;
    default: return InAlwaysRange(b.Visibility1);
    }
}

} // namespace

bool IsCaptionButtonVisible(const TDataSkinSysButton& button, const CaptionFacts& facts) {
    if (!ConditionA(button, facts) || !ConditionB(button, facts)) return false;
    if (button.Action == 1 && !facts.hasMaximizeBox) return false;
    if (button.Action == 2 && !facts.hasMinimizeBox) return false;
    return true;
}

std::optional<PixelRect> LayoutCaptionButton(const TDataSkinSysButton& b,
                                            const CaptionLayoutInput& in) {
    const bool showsIcon = IsIconButton(b.Action) && b.Bitmap.Empty();
    if (showsIcon ? in.iconWidth <= 0 || in.iconHeight <= 0 : b.Bitmap.Empty())
        return std::nullopt;
    const int w = showsIcon ? in.iconWidth : FrameWidthOf(b.Bitmap.Width(), b.FrameCount);
    const int h = showsIcon ? in.iconHeight : b.Bitmap.Height();
    int x = 0, y = 0;
    switch (b.Align) {
    case 0: x = b.XCoord; y = b.YCoord; break;
    case 1: x = in.frameWidth - b.XCoord; y = b.YCoord; break;
    case 2:
    case 8: x = in.textRect.left - w - b.XCoord; y = b.YCoord; break;
    case 3:
    case 9: x = in.textRect.right + b.XCoord; y = b.YCoord; break;
    case kMdiVisibility:
        y = (in.menuBarHeight - h) / 2 + in.sizes.caption;
        x = in.rightToLeft ? b.XCoord + in.sizes.left + in.menuBarLeftWidth
                           : in.frameWidth - b.XCoord - in.sizes.right - in.menuBarLeftWidth;
        break;
    default: break;
    }
    return PixelRect{x, y, x + w, y + h};
}

int RightmostButtonLeft(const std::vector<PlacedButton>& buttons) {
    int result = 0;
    for (const PlacedButton& b : buttons) {
        if (b.visible && b.def && b.def->Align == 1 && !b.def->Bitmap.Empty())
            result = std::max(result, b.bounds.left);
    }
    return result;
}

int FindButtonAt(const std::vector<PlacedButton>& buttons, PixelPoint p) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        const PlacedButton& b = buttons[i];
        if (!b.visible || !b.def || b.def->Action < 0) continue;
        if (p.x >= b.bounds.left && p.x < b.bounds.right && p.y >= b.bounds.top &&
            p.y < b.bounds.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

ButtonAction ActionOf(int action) {
    switch (action) {
    case 0: return ButtonAction::Close;
    case 1:
    case 22: return ButtonAction::ToggleMaximize;
    case 2:
    case 23: return ButtonAction::ToggleMinimize;
    case 3:
    case 11:
    case 12: return ButtonAction::SystemMenu;
    case 7:
    case 60: return ButtonAction::MdiMinimize;
    case 8:
    case 61: return ButtonAction::MdiRestore;
    case 9:
    case 62: return ButtonAction::MdiClose;
    default: return ButtonAction::Custom;
    }
}

int RestingButtonFrame(bool active, int frameCount) {
    return (active || frameCount < 4) ? 1 : 4;
}

int StateButtonFrame(int state, bool mdiButton) {
    if (state == 3 && mdiButton) return 4;
    return state < 1 ? 1 : state;
}

bool IsIconButton(int action) {
    return action == 3 || action == 11;
}

} // namespace kv
