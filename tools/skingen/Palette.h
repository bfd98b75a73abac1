#pragma once
// The default skin's palette: espresso frame, cream surfaces, copper accents.
#include "tools/skingen/Canvas.h"

namespace skingen {

inline const Pixel kOutline = 0x1C1008;
inline const Pixel kCream = 0xF2EDE1;  // caption and menu bar text
inline const Pixel kCopper = 0xC8733A; // accent, selection
inline const Pixel kCopperDark = 0xA65A28;
inline const Pixel kFace = 0xECE6DD;  // button face, dialog background
inline const Pixel kPaper = 0xFAF6F0; // menus, edit fields, pages
inline const Pixel kInk = 0x2B1D12;   // text
inline const Pixel kLine = 0xB5A592;  // control borders
inline const Pixel kLineSoft = 0xD9CFC2;
inline const Pixel kLineDark = 0x8F7A66;
inline const Pixel kDisabled = 0xC9BBAA;
inline const Pixel kMenuBarTop = 0x3A2313;
inline const Pixel kMenuBarBottom = 0x301C0F;
inline const Pixel kTrack = 0xE6DED3;

} // namespace skingen
