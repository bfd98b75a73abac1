// Skinned edit boxes: the flat border read back from the screen, borderless edits left alone,
// a spin button inside skinned once, paints into a given DC, and printing with the caller's
// brush left alive and selected.
#include "Controls2Fixture.h"

#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"

#include <commctrl.h>

namespace kv::test {
namespace {

class SkinnedEdit : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        edit = Add<TEdit>(20, 20, 140, 24, "Text");
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        skinned = SkinOf<TSkinEdit>(skin, edit);
        ASSERT_NE(skinned, nullptr);
        Pump(80);
    }
    Pixel Shadow() const { return ToPixel(ResolveColour(data->Skin()->ButtonShadowColour)); }

    TEdit* edit = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinEdit* skinned = nullptr;
};

TEST_F(SkinnedEdit, BorderedEditsGetTheFlatBorderInEveryState) {
    auto expectBorder = [&](const char* what) {
        Pump(80);
        EXPECT_EQ(RgbOf(ScreenAt(edit->Handle(), 0, 0)), Shadow()) << what;
        EXPECT_EQ(RgbOf(ScreenAt(edit->Handle(), 139, 12)), Shadow()) << what;
        EXPECT_EQ(RgbOf(ScreenAt(edit->Handle(), 1, 12)), 0xFFFFFFu) << what;
        EXPECT_EQ(RgbOf(ScreenAt(edit->Handle(), 70, 22)), 0xFFFFFFu) << what;
    };
    expectBorder("normal");
    SetFocus(edit->Handle());
    expectBorder("focused");
    edit->SetReadOnly(true);
    expectBorder("read-only");
    edit->SetCaption("");
    expectBorder("empty");
    edit->SetEnabled(false);
    expectBorder("disabled");
}

TEST_F(SkinnedEdit, APaintIntoAGivenDCIsNotBorderedALaterOneIs) {
    const int before = skinned->Borders();
    DibSection dib;
    ASSERT_TRUE(dib.Create(140, 24));
    SendMessageW(edit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    EXPECT_EQ(skinned->Borders(), before);
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skinned->Borders(), before);
}

TEST_F(SkinnedEdit, PrintingBordersWithTheCallersBrushAndLeavesItSelectedAndAlive) {
    DibSection dib;
    ASSERT_TRUE(dib.Create(140, 24));
    HBRUSH callers = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ previous = SelectObject(dib.Dc(), callers);
    const int before = skinned->Borders();
    // No parts asked of the control itself: Wine's own printing leaves the DC clipped.
    SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()), 0);
    EXPECT_EQ(skinned->Borders(), before + 1);
    EXPECT_EQ(GetCurrentObject(dib.Dc(), OBJ_BRUSH), callers);
    EXPECT_EQ(GetObjectType(callers), DWORD(OBJ_BRUSH)) << "the borrowed brush was deleted";
    const PixelView view = dib.View();
    EXPECT_EQ(RgbOf(view.At(0, 10)), Shadow());
    EXPECT_EQ(RgbOf(view.At(1, 10)), RgbPixel(1, 2, 3)) << "the inner line takes the brush";
    SelectObject(dib.Dc(), previous);
    DeleteObject(callers);
}

class BareEdit : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 320, 120,
                                 nullptr, nullptr, nullptr, nullptr);
        Pump(50);
    }
    void TearDown() override {
        DestroyWindow(parent);
        Controls2::TearDown();
    }
    HWND parent = nullptr;
};

TEST_F(BareEdit, ABorderlessEditKeepsItsOwnLook) {
    HWND plain = CreateWindowExW(0, L"EDIT", L"Plain", WS_CHILD | WS_VISIBLE, 10, 10, 120, 22,
                                 parent, nullptr, nullptr, nullptr);
    TSkinEdit skinned(nullptr);
    skinned.AttachHandle(plain, data, nullptr);
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(80);
    EXPECT_EQ(skinned.Borders(), 0);
    EXPECT_NE(RgbOf(ScreenAt(plain, 0, 0)), ToPixel(ResolveColour(data->Skin()->ButtonShadowColour)));
}

TEST_F(BareEdit, ASpinButtonInsideIsSkinnedOnTheFirstPaintAndOnlyOnce) {
    HWND box = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"5", WS_CHILD | WS_VISIBLE, 10, 10, 120,
                               26, parent, nullptr, nullptr, nullptr);
    HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, 96, 0, 18, 22, box,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(spin, nullptr);
    TComponent owner(nullptr);
    auto* skinned = new TSkinEdit(&owner);
    skinned->AttachHandle(box, data, nullptr);
    EXPECT_EQ(skinned->UpDown(), nullptr);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    TSkinUpDown* found = skinned->UpDown();
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Handle(), spin);
    EXPECT_EQ(found->Owner(), &owner);
    for (int i = 0; i < 3; ++i) RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(skinned->UpDown(), found);
    EXPECT_EQ(owner.ComponentCount(), 2) << "one edit skin and one up-down skin";
    // The up-down skin goes first: the edit skin forgets it.
    delete found;
    EXPECT_EQ(skinned->UpDown(), nullptr);
    DestroyWindow(box);
}

} // namespace
} // namespace kv::test
