// Live GDI and USER objects of this test program, by kind, for leak checks that can fail.
//
// Contract:
//  - CountGuiObjects() takes a snapshot; it costs about a tenth of a second, so take it
//    around a loop of cycles, not inside one.
//  - gdi[k] counts the live GDI objects whose GetObjectType is k (OBJ_PEN ... OBJ_COLORSPACE),
//    stock objects and DCs that Wine caches for windows included: compare two snapshots,
//    never a snapshot with a constant.
//  - windows and menus count this process's windows (message-only ones included) and menus.
//    hooks and timers count those that the program's own code set and has not removed
//    (calls made inside system libraries are not seen); a timer of a destroyed window ends
//    with the window. The hook and timer counts start when the first snapshot's code is
//    linked in, that is, before main.
//  - Why not GetGuiResources: Wine answers 0 there. Wine takes a GDI or USER handle whose
//    high word is 0 as "the object in this slot, whatever its generation", so the counter asks
//    every slot; on Windows, where that does not hold, the counts would stay at 0 and the
//    counter's own test fails.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kv::test {

struct GuiObjects {
    std::array<int, OBJ_COLORSPACE + 1> gdi{};
    int windows = 0;
    int menus = 0;
    int hooks = 0;
    int timers = 0;

    int Gdi(DWORD kind) const { return kind < gdi.size() ? gdi[kind] : 0; }
    int GdiTotal() const;
    int UserTotal() const { return windows + menus + hooks + timers; }
};

GuiObjects CountGuiObjects();

// The kinds whose count changed, e.g. "brushes 10 -> 11, windows 4 -> 3"; "" when none did.
std::string DescribeChange(const GuiObjects& before, const GuiObjects& after);

// For EXPECT_TRUE: fails, naming the kinds that grew, when the GDI total or the USER total of
// after exceeds before's by more than slack (objects that caches may keep).
testing::AssertionResult GrewAtMost(const GuiObjects& before, const GuiObjects& after, int slack);

} // namespace kv::test
