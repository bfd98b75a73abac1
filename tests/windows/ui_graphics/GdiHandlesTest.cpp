#include "ui/graphics/GdiHandles.h"

#include <gtest/gtest.h>

using namespace kv;

namespace {

HBITMAP SmallBitmap() {
    WindowDC screen(nullptr);
    return CreateCompatibleBitmap(screen.Get(), 4, 4);
}

bool Alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

} // namespace

TEST(UniqueHandle, ReleasesOnceAndNeverWhatItIsGivenBack) {
    HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
    {
        UniqueBrush brush(raw);
        brush.Reset(brush.Get()); // the same handle again must not free it
        EXPECT_TRUE(Alive(raw));
        UniqueBrush moved(std::move(brush));
        EXPECT_FALSE(brush);
        EXPECT_EQ(moved.Get(), raw);
        brush = std::move(moved);
        EXPECT_EQ(brush.Get(), raw);
    }
    EXPECT_FALSE(Alive(raw));

    HPEN kept = CreatePen(PS_SOLID, 1, 0);
    UniquePen(kept).Release();
    EXPECT_TRUE(Alive(kept));
    DeleteObject(kept);

    HMENU menu = CreatePopupMenu();
    { UniqueMenu owner(menu); }
    EXPECT_FALSE(IsMenu(menu));
}

TEST(SelectionGuard, PutsBackWhatTheDcHadInReverseOrder) {
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    UniqueBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    UniqueBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
    const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    {
        SelectionGuard first(dc.Get(), red.Get());
        ASSERT_TRUE(first.Selected());
        EXPECT_EQ(first.Previous(), original);
        {
            SelectionGuard second(dc.Get(), blue.Get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), blue.Get());
            SelectionGuard moved(std::move(second)); // one restore between them
            EXPECT_FALSE(second.Selected());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), red.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BRUSH), original);
}

// A failed select answers NULL (or HGDI_ERROR); a guard that kept that answer would select it
// "back" and leave a wrong object, or none, in the DC.
TEST(SelectionGuard, FailedOrRefusedSelectsLeaveTheDcAsItWas) {
    UniqueMemoryDC owner(CreateCompatibleDC(nullptr));
    UniqueMemoryDC other(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(SmallBitmap());
    ASSERT_TRUE(bitmap);
    const HGDIOBJ otherBitmap = GetCurrentObject(other.Get(), OBJ_BITMAP);
    {
        SelectionGuard held(owner.Get(), bitmap.Get());
        ASSERT_TRUE(held.Selected());
        // A bitmap lives in one DC at a time.
        SelectionGuard refused(other.Get(), bitmap.Get());
        EXPECT_FALSE(refused.Selected());
        EXPECT_EQ(refused.Previous(), nullptr);
    }
    EXPECT_EQ(GetCurrentObject(other.Get(), OBJ_BITMAP), otherBitmap);
    EXPECT_NE(GetCurrentObject(owner.Get(), OBJ_BITMAP), bitmap.Get());

    // A region would become the clip region, and SelectObject would answer a region kind.
    UniqueRegion region(CreateRectRgn(0, 0, 1, 1));
    {
        SelectionGuard clip(owner.Get(), region.Get());
        EXPECT_FALSE(clip.Selected());
    }
    UniqueRegion probe(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(owner.Get(), probe.Get()), 0); // still no clip region

    // A dead DC.
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    UniqueBrush brush(CreateSolidBrush(0));
    SelectionGuard late(dead, brush.Get());
    EXPECT_FALSE(late.Selected());
    SelectionGuard empty(nullptr, brush.Get());
    EXPECT_FALSE(empty.Selected());
}
