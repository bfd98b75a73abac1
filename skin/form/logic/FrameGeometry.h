#pragma once
// The arithmetic of a skinned frame: border sizes, the client rectangle, the caption text's
// place and the window coordinates of a point. Plain functions of plain inputs, so the window
// code only gathers facts and applies the answers.
//
// Contract
// - ComputeBorderSizes reads the four border pieces of a definition. A frame count below 1
//   counts as 1 (a skin cannot make the sizes divide by zero); a frameless window has no
//   borders at all.
// - NcClientRect never inverts: a window narrower or shorter than its borders gets an empty
//   client rectangle at the clamped edge (right >= left, bottom >= top).
// - PlaceCaptionText never reads outside its inputs; it only computes.
#include "base/Pixels.h"
#include "skin/data/SkinDefinition.h"

namespace kv {

// What the frame code knows of a window; filled by the form skin from styles and state.
enum class FrameKind { Edged = 0, Frameless = 2, Plain = 3 };
enum class WindowState { Normal = 0, Maximized = 1, Minimized = 2 };

struct BorderSizes {
    int left = 0;
    int caption = 0;
    int right = 0;
    int bottom = 0;
};

// Width of one frame of a side-by-side strip of n frames (n below 1 counts as 1).
int FrameWidthOf(int imageWidth, int frameCount);
// Height of one frame of a stacked strip.
int FrameHeightOf(int imageHeight, int frameCount);

BorderSizes ComputeBorderSizes(const TSkinDefinition& skin, FrameKind kind);

// The client rectangle of a window placed at (x, y) with size cx x cy: inside the borders and
// below the caption and the menu bar band.
PixelRect NcClientRect(int x, int y, int cx, int cy, const BorderSizes& sizes, int menuBarHeight);

// Which frame of a border piece to draw: 1 when active or when the piece has one frame only.
int BorderFrameIndex(bool active, int frameCount);

// FrameKind from the window's style bits.
FrameKind FrameKindOf(uint32_t style, uint32_t exStyle);

struct CaptionTextInput {
    PixelRect caption;       // the span between the side borders, caption rows
    int textWidth = 0;       // measured width of the whole caption text
    int textHeight = 0;      // measured height
    bool rightToLeft = false;
    bool popupStyle = false; // WS_POPUP: the right edge reaches to the buttons instead
    int rightmostButtonLeft = 0;
};

// Where the caption text and its background go (window coordinates), from the caption
// object's shift, alignment, clip and background ends. The text itself is drawn inside this
// rectangle less TextBackLeft and TextBackRight.
PixelRect PlaceCaptionText(const TDataSkinTitle& title, const CaptionTextInput& in);

// Window coordinates (origin at the window's top-left) of a client point.
struct PixelPoint {
    int x = 0;
    int y = 0;
};
PixelPoint ClientToWindowPoint(PixelPoint client, const BorderSizes& sizes, int menuBarHeight,
                               bool minimized);

// The hit-test answer for a point the system found in no area of its own (HTNOWHERE): the
// caption (2) below the top three rows, which also takes the empty band of the menu bar so it
// drags the window; the top three rows stay nowhere (0).
int FrameHitTest(int windowY, int captionHeight);

// Signed 16-bit x and y of a mouse message's lParam.
PixelPoint PointFromLParam(intptr_t lParam);

} // namespace kv
