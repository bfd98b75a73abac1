#pragma once
// Composing a skinned frame on pixels: the border pieces, the caption bar with the text
// background and the caption buttons, and the window's shape as rectangles. The window code
// adds the caption text (GDI) between the background and the buttons and copies each piece to
// the window once.
//
// Contract
// - Every routine clips to its target and reads its images only inside their bounds (the
//   drawing routines of skin/form/draw); hostile margins, frame counts and sizes draw less,
//   never outside. Empty images draw nothing.
// - `active` picks frame 1 of every piece, else frame 2 where the piece has more than one.
// - FrameRegionRects answers the window's shape for a W x H window as batches of rectangles
//   (window coordinates), ready for one region: the whole window when no border piece is
//   transparent, else the client area joined with each piece's non-magenta pixels (key
//   tolerance 1 on each channel). `caption`, when it is W x caption height, supplies the
//   painted caption bar (so magenta pixels of the text background and buttons become holes);
//   otherwise the top piece is drawn fresh.
#include "skin/data/SkinDefinition.h"
#include "skin/form/draw/SkinRegion.h"
#include "skin/form/logic/CaptionLayout.h"
#include "skin/form/logic/FrameGeometry.h"

#include <vector>

namespace kv {

enum class BorderPiece { Left = 1, Right = 2, Top = 3, Bottom = 4 };

const TDataSkinBorder& PieceOf(const TSkinDefinition& skin, BorderPiece piece);

// One border piece drawn opaque as a nine-slice into `rect` of `target`.
void ComposeBorderPiece(PixelView target, const PixelRect& rect, const TSkinDefinition& skin,
                        BorderPiece piece, bool active);

// Rectangles of the side and bottom pieces of a W x H window (the top piece is the caption).
PixelRect LeftPieceRect(const BorderSizes& s, int w, int h);
PixelRect RightPieceRect(const BorderSizes& s, int w, int h);
PixelRect BottomPieceRect(const BorderSizes& s, int w, int h);
PixelRect CaptionPieceRect(const BorderSizes& s, int w);

// The caption bar of a `caption.width` x `windowHeight` window: the top rows of the side
// pieces (drawn at the window's full height), the top piece between them and, when the title has a background image, the text background under
// `textRect` (its ends fixed, the middle repeated; only the ends when the middle is not
// positive).
void ComposeCaptionBar(PixelView caption, const BorderSizes& sizes, const TSkinDefinition& skin,
                       bool active, const PixelRect& textRect, int windowHeight);

// The visible caption buttons in their resting look (MDI buttons are the menu bar's); icon
// buttons draw `formIcon`.
void ComposeCaptionButtons(PixelView caption, const std::vector<PlacedButton>& buttons,
                           bool active, PixelView formIcon);

// One button in a state (1 normal, 2 pressed, 3 hot) at its rectangle.
void ComposeCaptionButton(PixelView target, const PlacedButton& button, int state,
                          PixelView formIcon);

std::vector<RegionBatch> FrameRegionRects(const TSkinDefinition& skin, const BorderSizes& sizes,
                                          int w, int h, bool frameless, PixelView caption);

// Whether any border piece asks for a shaped window.
bool AnyPieceTransparent(const TSkinDefinition& skin);

} // namespace kv
