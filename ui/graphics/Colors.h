#pragma once
// Colours of the framework.
//
// A TColor is 0x00BBGGRR for an explicit colour (a COLORREF) or 0xFF0000nn for the Windows
// system colour number nn (clBtnFace = 0xFF00000F). clNone and clDefault are markers, not
// colours. This header is portable; ColorToRGB resolves system colours and is defined in the
// Windows library only.
//
// IdentToColor/ColorToIdent convert the names used in layouts ("clBtnFace") in both
// directions; names compare without regard to case. An unknown name gives false / "".
#include <cstdint>
#include <string>
#include <string_view>

using TColor = uint32_t;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor SystemColor(int index) {
    return clSystemColor | uint32_t(index & 0xFF);
}
constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000) == clSystemColor;
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

// The COLORREF of a colour: system colours through GetSysColor, clNone as black, clDefault as
// the window colour. Windows only.
uint32_t ColorToRGB(TColor color);

bool IdentToColor(std::string_view ident, TColor& color);
// The same, shaped for a published integer property's name reader ("Color = clBtnFace").
bool ColorIdentToInt(std::string_view ident, int64_t& value);
std::string ColorToIdent(TColor color);
