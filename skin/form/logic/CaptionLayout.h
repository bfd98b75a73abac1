#pragma once
// Caption buttons as plain decisions: which are shown, where they sit, which one a point
// falls on, and what a click on them does.
//
// Contract
// - IsCaptionButtonVisible combines the two visibility conditions of a definition with the
//   window's facts; a close/maximise/minimise button is hidden when the window lacks the box.
// - LayoutCaptionButton gives the button's rectangle in window coordinates, or nothing for a
//   button with an empty image (it keeps its last rectangle). Frame counts below 1 count as 1.
// - FindButtonAt answers the first visible button (in definition order) whose rectangle holds
//   the point and whose action is not negative, or -1.
#include "skin/data/SkinDefinition.h"
#include "skin/form/logic/FrameGeometry.h"

#include <optional>
#include <vector>

namespace kv {

struct CaptionFacts {
    FrameKind frameKind = FrameKind::Edged;
    WindowState state = WindowState::Normal;
    bool active = true;
    bool hasSystemMenu = true;
    bool hasMaximizeBox = true;
    bool hasMinimizeBox = true;
    // An MDI frame with a menu bar whose active child is maximised: the MDI buttons show.
    bool mdiChildMaximized = false;
};

bool IsCaptionButtonVisible(const TDataSkinSysButton& button, const CaptionFacts& facts);

struct CaptionLayoutInput {
    int frameWidth = 0;      // window width at the last frame paint
    PixelRect textRect;      // the caption text's place at the last paint
    BorderSizes sizes;
    int menuBarHeight = 0;
    int menuBarLeftWidth = 0; // the menu bar piece's left end, 0 without the piece
    bool rightToLeft = false;
    // The form icon's size: an icon button without an image of its own shows the icon.
    int iconWidth = 0, iconHeight = 0;
};

// The rectangle of a button, or nothing when it has nothing to show.
std::optional<PixelRect> LayoutCaptionButton(const TDataSkinSysButton& button,
                                            const CaptionLayoutInput& in);

// The largest left edge of the right-aligned buttons among `rects` (0 when there are none).
struct PlacedButton {
    const TDataSkinSysButton* def = nullptr;
    PixelRect bounds;
    bool visible = false;
};
int RightmostButtonLeft(const std::vector<PlacedButton>& buttons);

int FindButtonAt(const std::vector<PlacedButton>& buttons, PixelPoint p);

// What a click on a caption button does.
enum class ButtonAction {
    Close,
    ToggleMaximize,
    ToggleMinimize,
    SystemMenu,
    MdiMinimize,
    MdiRestore,
    MdiClose,
    Custom, // no built-in meaning: the window is told through WM_SKINQUERY
};
ButtonAction ActionOf(int action);

// The frame a resting caption button is drawn with: 1, or 4 (inactive) for strips of 4.
int RestingButtonFrame(bool active, int frameCount);
// The frame of a button drawn in a state (1 normal, 2 pressed, 3 hot); MDI buttons use 4 for hot.
int StateButtonFrame(int state, bool mdiButton);

// Icon buttons (actions 3 and 11) draw the form's icon instead of their own image.
bool IsIconButton(int action);

} // namespace kv
