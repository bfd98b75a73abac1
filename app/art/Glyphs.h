#pragma once
// The viewer's own 16 x 16 pictures as character art: the five toolbar images (open, close,
// show, hide, about) and the program icon. One character per pixel, see kPalette in
// MakeArt.cpp; '.' is transparent.
#include <array>

namespace kv::app::art {

using Glyph = std::array<const char*, 16>;

inline constexpr Glyph kOpen = {
    "................",
    "................",
    ".kkkk...........",
    "kyyyyk..........",
    "kyyyyykkkkkkk...",
    "kyyyyyyyyyyyyk..",
    "kyyykkkkkkkkkkkk",
    "kyyk0ooooooooo0k",
    "kyk0oooooooooo0k",
    "kyk0ooooooooo0k.",
    "kk0ooooooooo0k..",
    "kk0oooooooo0k...",
    "k0ooooooooo0k...",
    "kkkkkkkkkkkkk...",
    "................",
    "................",
};

inline constexpr Glyph kClose = {
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwkwk...",
    "..kwssssswkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwRRwwwwRRwk..",
    "..kwwRRwwRRwwk..",
    "..kwwwRRRRwwwk..",
    "..kwwwRRRRwwwk..",
    "..kwwRRwwRRwwk..",
    "..kwRRwwwwRRwk..",
    "..kwwwwwwwwwwk..",
    "..kwssssssswwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
};

inline constexpr Glyph kShow = {
    "................",
    "................",
    "................",
    "................",
    ".....kkkkkk.....",
    "...kkwwwwwwkk...",
    "..kwwwwbbwwwwk..",
    ".kwwwwbBBbwwwwk.",
    "kwwwwwbBkbwwwwwk",
    ".kwwwwbBBbwwwwk.",
    "..kwwwwbbwwwwk..",
    "...kkwwwwwwkk...",
    ".....kkkkkk.....",
    "................",
    "................",
    "................",
};

inline constexpr Glyph kHide = {
    "................",
    "................",
    "............RR..",
    "...........RrR..",
    ".....kkkkkRrR...",
    "...kkwwwwRrRk...",
    "..kwwwwbRrRwwk..",
    ".kwwwwbRrRbwwwk.",
    "kwwwwwRrRkbwwwwk",
    ".kwwwRrRBBbwwwk.",
    "..kwRrRwbbwwwk..",
    "...RrRwwwwwkk...",
    "..RrRkkkkkk.....",
    "..RR............",
    "................",
    "................",
};

inline constexpr Glyph kAbout = {
    "................",
    ".....BBBBBB.....",
    "...BBbbbbbbBB...",
    "..Bbbbbwwbbbbb..",
    "..Bbbbbwwbbbbb..",
    ".Bbbbbbbbbbbbbb.",
    ".Bbbbbwwwbbbbbb.",
    ".Bbbbbbwwbbbbbb.",
    ".Bbbbbbwwbbbbbb.",
    ".Bbbbbbwwbbbbbb.",
    ".Bbbbbbwwbbbbbb.",
    "..Bbbbwwwwbbbb..",
    "..Bbbbbbbbbbbb..",
    "...BBbbbbbbBB...",
    ".....BBBBBB.....",
    "................",
};

// A round little character with a speech dot: the viewer itself.
inline constexpr Glyph kProgram = {
    "................",
    "......PPPP...kk.",
    "....PPppppPPkwwk",
    "...PppppppppPkkk",
    "..Pppwwppwwppk..",
    "..Pppwkppwkpp...",
    ".Ppppwkppwkppp..",
    ".Pppppppppppppp.",
    ".Pppppppppppppp.",
    ".PpprpppppprpPP.",
    "..Pppprrrrpppp..",
    "..Pppppppppppp..",
    "...PppppppppP...",
    "....PPppppPP....",
    "...PP.PPPP.PP...",
    "..PP........PP..",
};

} // namespace kv::app::art
