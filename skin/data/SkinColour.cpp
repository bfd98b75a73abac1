#include "skin/data/SkinColour.h"

#include "skin/data/IniFile.h"

namespace kv {

SkinColour ParseColour(std::string_view text) {
    text = TrimBlanks(text);
    uint32_t parts[3] = {};
    int stored = 0;
    bool pending = false, overflow = false;
    uint64_t number = 0;
    auto store = [&] {
        if (pending && !overflow && stored < 3) parts[stored++] = uint32_t(number);
        pending = overflow = false;
        number = 0;
    };
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            pending = true;
            number = number * 10 + uint32_t(c - '0');
            if (number > uint64_t(INT32_MAX)) overflow = true, number = 0;
        } else {
            store();
        }
    }
    if (stored == 2) store();
    return RgbColour(parts[0], parts[1], parts[2]);
}

} // namespace kv
