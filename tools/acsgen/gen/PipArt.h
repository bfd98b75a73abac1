#pragma once
// Drawing of Pip, the sample character: a small green sprout with a leaf on its head.
//
// Every picture is drawn into a frame-sized canvas on the magenta key colour and then cropped
// to its opaque pixels; a Layer is such a crop with its place in the frame. Drawing uses a
// small fixed palette (no anti-aliasing), so the character needs few colours. All of it is
// deterministic: the same parameters always give the same pixels.
#include "base/Pixels.h"

#include <string>

namespace kv::pip {

constexpr int kFrameSize = 128;

struct Layer {
    PixelBuffer pixels; // empty when nothing was drawn
    int x = 0, y = 0;   // top-left corner in the frame
};

enum class Eyes { Open, Half, Closed, Wide, Up, Sad };
enum class Mouth { Smile, Frown, Oh, Closed, Wide1, Wide2, Wide3, Wide4, Medium, Narrow };
enum class Extra { None, Stars, Bubble, Exclaim, Tear, Sparkle };

// Where the body stands: scale 1 is full size; dy moves it down; lean tilts it sideways
// (pixels at the top); squash flattens (below 1) or stretches (above 1).
struct Stance {
    double scale = 1.0;
    int dy = 0;
    int lean = 0;
    double squash = 1.0;
};

// Arm angles in degrees from straight down, raised outwards (0 hangs, 90 points sideways,
// 160 is up); `chin` puts the right hand at the chin instead.
struct Arms {
    int left = 20;
    int right = 20;
    bool chin = false;
};

Layer DrawBody(const Stance& s);
Layer DrawEyes(const Stance& s, Eyes eyes, int look);
Layer DrawMouth(const Stance& s, Mouth mouth);
Layer DrawArms(const Stance& s, const Arms& arms);
Layer DrawExtra(const Stance& s, Extra extra, int phase);

} // namespace kv::pip
