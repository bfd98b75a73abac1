#pragma once
// The default skin's images and definition, drawn from code so that every build makes the
// same bytes. The palette is warm espresso and cream with copper accents.
#include "base/Pixels.h"

#include <string>
#include <vector>

namespace skingen {

struct Image {
    std::string name;
    kv::PixelBuffer pixels;
};

std::vector<Image> DrawFrameImages();   // borders, caption buttons, MDI buttons, menu bar
std::vector<Image> DrawControlImages(); // buttons, marks, scroll bars, menus, tabs, combo...
std::string DefinitionText();           // the ini definition, CR LF lines

// The order the package lists its entries in ("button.bmp" stands three times, the
// definition last).
std::vector<std::string> EntryOrder();
inline constexpr const char* kDefinitionName = "kelvorine-mocha-definition.ini";

} // namespace skingen
