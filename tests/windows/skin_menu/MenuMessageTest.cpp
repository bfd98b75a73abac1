// Menu item messages through the form skin, the system menu's foreign items, and the skinned
// handlers of a form's popup menus.
#include "MenuFixture.h"

#include "skin/form/draw/SkinDraw.h"
#include "skin/menu/MenuItemDraw.h"
#include "tests/windows/support/MessageSequence.h"
#include "ui/menus/MenuDraw.h"

namespace kv::test {

namespace {

// The menu item messages of the record, one letter each: I init, M measure, D draw,
// U uninit; Default-marked ones (passed to a default procedure) in lower case.
std::string ItemMessages(const MessageSequence& seq) {
    std::string out;
    for (const Msg& m : seq.Recorded()) {
        char c = 0;
        switch (m.message) {
        case WM_INITMENUPOPUP: c = 'I'; break;
        case WM_MEASUREITEM: c = 'M'; break;
        case WM_DRAWITEM: c = 'D'; break;
        case WM_UNINITMENUPOPUP: c = 'U'; break;
        default: continue;
        }
        out += (m.flags & Seq::Default) ? char(c - 'A' + 'a') : c;
    }
    return out;
}

} // namespace

// File holds Open, a separator and Quit: measured once each when the menu opens, then drawn,
// all answered by the skin (nothing reaches a default procedure).
TEST_F(MenuBarTest, MeasureAndDrawItemMessagesAreAnsweredByTheFormSkin) {
    ASSERT_NE(ShowBar(), nullptr);
    MessageSequence seq;
    seq.Observe(WM_MEASUREITEM);
    seq.Observe(WM_DRAWITEM);
    seq.Watch(form->Handle());
    MenuScript::Run({[&] { Key(VK_ESCAPE); }, [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
    const std::string record = ItemMessages(seq);
    ASSERT_GE(record.size(), 7u) << record;
    EXPECT_EQ(record.substr(0, 7), "IMMMDDD") << record;
    // Then only redraws as the selection moves, and the closing notice, which is not the
    // skin's (it goes on to the default procedure).
    const size_t end = record.find_first_not_of('D', 7);
    EXPECT_TRUE(end == std::string::npos || record.substr(end) == "u") << record;
}

// Items the skin makes owner-drawn for an open menu are the menu's own again once it closed
// (after the skin is gone nobody would draw them).
TEST_F(MenuBarTest, OwnerDrawMarksLastOnlyWhileTheMenuIsOpen) {
    ASSERT_NE(ShowBar(), nullptr);
    HMENU sub = file->Handle();
    ASSERT_EQ(GetMenuState(sub, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
    UINT whileOpen = 0;
    MenuScript::Run({[&] { whileOpen = GetMenuState(sub, 0, MF_BYPOSITION); Key(VK_ESCAPE); }, [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
    EXPECT_NE(whileOpen & MF_OWNERDRAW, 0u);
    EXPECT_EQ(GetMenuState(sub, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u);
    wchar_t text[32] = {};
    GetMenuStringW(sub, 0, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Open\tCtrl+O"); // the text stayed with the item
}

// The width the skin gives a framework item: its own measure plus the MenuItem margin and the
// glyph column (35 without images).
TEST_F(MenuBarTest, MeasuredWidthAddsTheItemMarginAndTheGlyphColumn) {
    ASSERT_NE(ShowBar(), nullptr);
    MenuCanvas canvas(nullptr);
    int w = 0, h = 0;
    open->DefaultMeasureItem(canvas.Canvas(), w, h);
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, open->Command(), 0, 0, 0};
    ASSERT_EQ(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, LPARAM(&measure)), TRUE);
    EXPECT_EQ(int(measure.itemWidth), w + data->Skin()->MenuItem->LeftWidth + 35);
    EXPECT_EQ(int(measure.itemHeight), h);
}

// Without xcSystemMenu the caption opens the system's own menu; its items are drawn as the
// skin's foreign items while it is open (the separator as an etched line, 8 pixels high) and
// are the system's again afterwards.
TEST_F(MenuBarTest, TheSystemsMenuIsDrawnAsForeignItemsWhileOpen) {
    data->SetSkinControls(data->SkinControls() & ~SkinControlBit(xcSystemMenu));
    ASSERT_NE(ShowBar(), nullptr);
    HMENU system = GetSystemMenu(form->Handle(), FALSE);
    ASSERT_NE(system, nullptr);
    int separator = -1;
    for (int i = 0; i < GetMenuItemCount(system); ++i)
        if (GetMenuState(system, UINT(i), MF_BYPOSITION) & MF_SEPARATOR) separator = i;
    ASSERT_GE(separator, 0);
    MessageSequence seq;
    seq.Observe(WM_MEASUREITEM);
    seq.Observe(WM_DRAWITEM);
    seq.Watch(form->Handle());
    RECT sep{};
    bool ownerDrawn = false;
    MenuScript::Run({[&] {
                         GetMenuItemRect(nullptr, system, UINT(separator), &sep);
                         ownerDrawn = (GetMenuState(system, 0, MF_BYPOSITION) & MF_OWNERDRAW) != 0;
                         Key(VK_ESCAPE);
                     },
                     [] {}});
    const RECT w = WindowRectOf(form->Handle());
    const int captionY = w.top + skin->Sizes.caption / 2;
    MouseAt((w.left + w.right) / 2, captionY);
    Send({[] { INPUT in{}; in.type = INPUT_MOUSE; in.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN; return in; }()});
    Send({[] { INPUT in{}; in.type = INPUT_MOUSE; in.mi.dwFlags = MOUSEEVENTF_RIGHTUP; return in; }()});
    ASSERT_TRUE(WaitScript());
    EXPECT_TRUE(ownerDrawn);
    EXPECT_EQ(sep.bottom - sep.top, 8);
    const std::string record = ItemMessages(seq);
    EXPECT_EQ(size_t(std::count(record.begin(), record.end(), 'M')), size_t(GetMenuItemCount(system))) << record;
    EXPECT_NE(record.find('D'), std::string::npos) << record;
    EXPECT_EQ(GetMenuState(system, 0, MF_BYPOSITION) & MF_OWNERDRAW, 0u); // given back
    EXPECT_EQ(skin->TrackedMenu, nullptr);
}

// A form's popup menus get the skin's draw and measure handlers; an item with a handler of
// its own keeps it; taking the skin off removes only what the skin gave.
TEST_F(MenuBarTest, PopupMenusOfTheFormGetTheSkinsHandlers) {
    auto* popup = new TPopupMenu(form);
    auto* plain = new TMenuItem(popup);
    plain->SetCaption("Plain");
    popup->Items()->Add(plain);
    auto* own = new TMenuItem(popup);
    own->SetCaption("Own");
    int ownDraws = 0;
    own->SetOnAdvancedDrawItem([&](TObject*, TCanvas&, const RECT&, TOwnerDrawState) { ++ownDraws; });
    popup->Items()->Add(own);
    auto* skipped = new TPopupMenu(form);
    skipped->SetTag(99); // the skin's DisableTag
    auto* left = new TMenuItem(skipped);
    left->SetCaption("Left alone");
    skipped->Items()->Add(left);
    ASSERT_NE(ShowBar(), nullptr);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(bool(plain->OnAdvancedDrawItem));
    EXPECT_TRUE(bool(plain->OnMeasureItem));
    EXPECT_FALSE(bool(own->OnMeasureItem));
    EXPECT_FALSE(bool(left->OnAdvancedDrawItem));
    // The skin's measure: the item's own width plus the margin and the glyph column.
    MenuCanvas canvas(nullptr);
    int w0 = 0, h0 = 0, w1 = 0, h1 = 0;
    plain->DefaultMeasureItem(canvas.Canvas(), w0, h0);
    plain->MeasureItem(canvas.Canvas(), w1, h1);
    EXPECT_EQ(w1, w0 + data->Skin()->MenuItem->LeftWidth + 35);
    skin->Detach();
    EXPECT_FALSE(bool(plain->OnAdvancedDrawItem));
    EXPECT_FALSE(bool(plain->OnMeasureItem));
    EXPECT_TRUE(bool(own->OnAdvancedDrawItem));
}

// Menus can outlive the skin data that gave them their handlers: they then draw as the
// framework does instead of reading the freed skin.
TEST_F(MenuBarTest, PopupMenusOutlivingTheirSkinDataDrawPlainly) {
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(popup);
    item->SetCaption("Item");
    popup->Items()->Add(item);
    ASSERT_NE(ShowBar(), nullptr);
    auto* other = new TSkinData(nullptr);
    SetMenuOwnerDraw(popup, other, true);
    delete other;
    MenuCanvas canvas(nullptr);
    int w0 = 0, h0 = 0, w1 = 0, h1 = 0;
    item->DefaultMeasureItem(canvas.Canvas(), w0, h0);
    item->MeasureItem(canvas.Canvas(), w1, h1);
    EXPECT_EQ(w1, w0);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 20);
    HGDIOBJ old = SelectObject(mem, bitmap);
    MenuCanvas drawing(mem);
    item->AdvancedDrawItem(drawing.Canvas(), RECT{0, 0, 100, 20}, 0);
    EXPECT_EQ(GetPixel(mem, 98, 1), GetSysColor(COLOR_MENU));
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
}

// The popup window: asked whether it is skinned, its frame painted by the skin after the
// system's non-client painting, and printing gives the skin's background with the system's
// items printed inside it.
TEST_F(MenuBarTest, PopupWindowPaintsAndPrintsTheSkinsFrame) {
    ASSERT_NE(ShowBar(), nullptr);
    MessageSequence seq;
    seq.Observe(WM_PRINT);
    seq.WatchNextCreated();
    LRESULT skinned = 0;
    COLORREF printed = CLR_INVALID, expected = CLR_INVALID;
    MenuScript::Run({[&] {
                         HWND popup = OpenPopupWindow();
                         skinned = SendMessageW(popup, 0x3504, 0, 0);
                         const RECT r = WindowRectOf(popup);
                         const int w = r.right - r.left, h = r.bottom - r.top;
                         HDC screen = GetDC(nullptr);
                         HDC mem = CreateCompatibleDC(screen);
                         HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
                         HGDIOBJ old = SelectObject(mem, bitmap);
                         SendMessageW(popup, WM_PRINT, WPARAM(mem), PRF_NONCLIENT | PRF_CLIENT);
                         printed = GetPixel(mem, 1, h / 2);
                         SelectObject(mem, old);
                         DeleteObject(bitmap);
                         DeleteDC(mem);
                         ReleaseDC(nullptr, screen);
                         const TDataSkinObject& back = *data->Skin()->MenuBackground;
                         const PixelBuffer b = BuildNineSlice({0, 0, w, h}, back.Bitmap.View(),
                                                              {back.LeftWidth, back.TopHeight, back.RightWidth, back.BottomHeight},
                                                              false, back.Tile == 1, 1, 1);
                         expected = ToColorRef(b.View().At(1, h / 2));
                         Key(VK_ESCAPE);
                     },
                     [] {}});
    AltKey('F');
    ASSERT_TRUE(WaitScript());
    EXPECT_EQ(skinned, 1);
    EXPECT_EQ(printed, expected);
    std::string paints;
    for (const Msg& m : seq.Recorded()) {
        if (m.message == WM_NCPAINT) paints += 'N';
        if (m.message == WM_PAINT) paints += 'P';
        if (m.message == WM_PRINT) paints += (m.flags & Seq::Default) ? 'r' : 'R';
    }
    // The system paints first (passed on), the skin's frame goes over it; printing ends in
    // the system's procedure too, inside the skin's frame.
    EXPECT_NE(paints.find('P'), std::string::npos) << paints;
    EXPECT_NE(paints.find('r'), std::string::npos) << paints;
}

} // namespace kv::test
