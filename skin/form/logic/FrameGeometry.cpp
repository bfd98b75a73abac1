#include "skin/form/logic/FrameGeometry.h"

#include <algorithm>
#include <climits>

namespace kv {
namespace {

// Style bits the frame arithmetic reads; the portable code does not see windows.h.
constexpr uint32_t kWsPopup = 0x80000000u;
constexpr uint32_t kWsCaption = 0x00C00000u;
constexpr uint32_t kWsThickFrame = 0x00040000u;
constexpr uint32_t kWsExWindowEdge = 0x00000100u;

constexpr int kHtNowhere = 0;
constexpr int kHtCaption = 2;
constexpr int kHtMenu = 5;

int Sum(int a, int b) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) + b, INT_MIN, INT_MAX));
}

} // namespace

int FrameWidthOf(int imageWidth, int frameCount) {
    return std::max(imageWidth, 0) / std::max(frameCount, 1);
}

int FrameHeightOf(int imageHeight, int frameCount) {
    return std::max(imageHeight, 0) / std::max(frameCount, 1);
}

BorderSizes ComputeBorderSizes(const TSkinDefinition& skin, FrameKind kind) {
    if (kind == FrameKind::Frameless) return {};
    BorderSizes s;
    s.caption = FrameHeightOf(skin.BorderTop.Bitmap.Height(), skin.BorderTop.FrameCount);
    s.left = FrameWidthOf(skin.BorderLeft.Bitmap.Width(), skin.BorderLeft.FrameCount);
    s.right = FrameWidthOf(skin.BorderRight.Bitmap.Width(), skin.BorderRight.FrameCount);
    s.bottom = FrameHeightOf(skin.BorderBottom.Bitmap.Height(), skin.BorderBottom.FrameCount);
    return s;
}

PixelRect NcClientRect(int x, int y, int cx, int cy, const BorderSizes& sizes, int menuBarHeight) {
    PixelRect r;
    r.left = Sum(x, sizes.left);
    r.top = Sum(Sum(y, sizes.caption), menuBarHeight);
    r.right = std::max(Sum(Sum(x, cx), -sizes.right), r.left);
    r.bottom = std::max(Sum(Sum(y, cy), -sizes.bottom), r.top);
    return r;
}

int BorderFrameIndex(bool active, int frameCount) {
    return (active || frameCount <= 1) ? 1 : 2;
}

FrameKind FrameKindOf(uint32_t style, uint32_t exStyle) {
    if ((style & kWsPopup) && (style & kWsCaption) != kWsCaption) return FrameKind::Frameless;
    if ((exStyle & kWsExWindowEdge) || (style & kWsThickFrame)) return FrameKind::Edged;
    return FrameKind::Plain;
}

PixelRect PlaceCaptionText(const TDataSkinTitle& title, const CaptionTextInput& in) {
    const PixelRect& cap = in.caption;
    PixelRect r{cap.left, cap.top, Sum(cap.left, in.textWidth), Sum(cap.top, in.textHeight)};
    r.right = Sum(r.right, Sum(title.TextBackLeft, title.TextBackRight));
    const int width = r.Width();
    const int alignRight = cap.Width() - title.TextRightClip() - width;
    int x = 0;
    switch (in.rightToLeft ? 2 : title.TextAlignment) {
    case 0: x = title.TextShift(); break;
    case 1: x = (cap.Width() - width) / 2; break;
    case 2: x = alignRight; break;
    default: break;
    }
    const int y = (cap.Height() - r.Height()) / 2 + title.TextShiftVert() / 2;
    r = {Sum(r.left, x), Sum(r.top, y), Sum(r.right, x), Sum(r.bottom, y)};
    if (in.popupStyle) {
        if (r.right < in.rightmostButtonLeft - 5) r.right = in.rightmostButtonLeft - 5;
    } else if (r.right > cap.right - title.TextRightClip()) {
        r.right = cap.right - title.TextRightClip();
    }
    return r;
}

PixelPoint ClientToWindowPoint(PixelPoint client, const BorderSizes& sizes, int menuBarHeight,
                               bool minimized) {
    if (minimized) return client;
    return {Sum(client.x, sizes.left), Sum(Sum(client.y, sizes.caption), menuBarHeight)};
}

int FrameHitTest(int windowY, int captionHeight) {
    if (windowY > 3) return kHtCaption;
    if (windowY > captionHeight) return kHtMenu;
    return kHtNowhere;
}

PixelPoint PointFromLParam(intptr_t lParam) {
    return {static_cast<int16_t>(lParam & 0xFFFF), static_cast<int16_t>((lParam >> 16) & 0xFFFF)};
}

} // namespace kv
