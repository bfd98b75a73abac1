// The messages a tab control and a list view (with its header) receive while their skins take
// them over, serve them and let them go: what the skin handles before the control's own
// procedure, what after it, and what it keeps.
#include "Controls2Fixture.h"

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinTab.h"
#include "tests/windows/support/MessageSequence.h"
#include "tests/windows/support/WindowProcTap.h"
#include "ui/controls/ComCtrlsListView.h"

#include <commctrl.h>

#include <memory>
#include <string>

namespace kv::test {
namespace {

constexpr unsigned kPassed = Seq::Sent | Seq::Default;

class TabListSequence : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        // Not activated: the manager would skin an activated window itself.
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 50, 50, 320, 160, nullptr, nullptr,
                                 nullptr, nullptr);
        tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 10, 10, 280, 100,
                               parent, nullptr, nullptr, nullptr);
        for (const wchar_t* text : {L"One", L"Two"}) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(text);
            SendMessageW(tabs, TCM_INSERTITEMW, 9, reinterpret_cast<LPARAM>(&item));
        }
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        Pump(50);
    }
    void TearDown() override {
        DestroyWindow(parent);
        Controls2::TearDown();
    }
    static void Paint(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    HWND parent = nullptr;
    HWND tabs = nullptr;
};

// The tab control paints first; the skin then asks it for its page, tabs and their places.
TEST_F(TabListSequence, TabControlPaintsFirstThenTheSkinReadsItsTabs) {
    MessageSequence seq;
    seq.Ignore(WM_GETTEXTLENGTH);
    seq.Watch(tabs);
    auto skin = std::make_unique<TSkinTab>(nullptr);
    skin->AttachHandle(tabs, data, nullptr);
    // Read before the window is subclassed: it goes straight to the control.
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETTEXT, Seq::Sent}}, "attach reads the text only"));
    SendMessageW(tabs, WM_ERASEBKGND, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_ERASEBKGND, kPassed}}, "erase is the control's"));
    Paint(tabs);
    EXPECT_TRUE(seq.MatchAndClear({{WM_PAINT, kPassed},
                                   {WM_ERASEBKGND, kPassed | Seq::Optional},
                                   {TCM_ADJUSTRECT, kPassed},
                                   {WM_GETFONT, kPassed},
                                   {TCM_GETITEMCOUNT, kPassed},
                                   {TCM_GETCURFOCUS, kPassed},
                                   {TCM_GETCURSEL, kPassed | Seq::Optional},
                                   {TCM_GETIMAGELIST, kPassed},
                                   {TCM_GETITEMW, kPassed},
                                   {TCM_GETITEMRECT, kPassed},
                                   {TCM_GETITEMW, kPassed},
                                   {TCM_GETITEMRECT, kPassed}},
                                  "paint"));
    EXPECT_EQ(skin->LastStates().size(), 2u);
    // A new text goes to the control, then the skin repaints over its paint.
    SendMessageW(tabs, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Tabs"));
    ASSERT_GE(seq.Recorded().size(), 2u);
    EXPECT_EQ(seq.Recorded()[0].message, UINT(WM_SETTEXT));
    EXPECT_EQ(seq.Recorded()[0].flags, kPassed);
    EXPECT_EQ(seq.Recorded()[1].message, UINT(WM_PAINT));
    EXPECT_EQ(skin->Caption(), L"Tabs");
    seq.Clear();
    skin.reset();
    SendMessageW(tabs, WM_GETFONT, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETFONT, Seq::Sent}}, "detached"));
}

class ListSequence : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        list = Place<TListView>(10, 10, 300, 120);
        list->SetTag(data->DisableTag()); // skinned by hand below
        list->SetViewStyle(TViewStyle::vsReport);
        list->AddColumn("Name", 100);
        for (int i = 0; i < 40; ++i) list->AddItem("Row " + std::to_string(i));
        ASSERT_NE(skin = ShowSkinned(), nullptr);
        Pump(80);
    }
    TListView* list = nullptr;
    TWinSkinForm* skin = nullptr;
};

// The list view's bars are the skin's: the frame is recomputed at attach, mouse moves over a
// bar are kept from the control, and each paint of the control is followed by the bars'.
TEST_F(ListSequence, ListViewAndItsHeaderAroundTheirOwnProcedures) {
    const HWND header = ListView_GetHeader(list->Handle());
    ASSERT_NE(header, nullptr);
    MessageSequence seq;
    seq.Ignore(WM_GETTEXTLENGTH);
    seq.Observe(WM_NCMOUSEMOVE);
    seq.Watch(list->Handle());
    seq.Watch(header, Role::Child);
    WindowProcTap tap(*list, seq);
    auto* skinned = new TSkinListView(list);
    skinned->AttachScroller(list, data, false, skin);
    // Each message of the frame change passes through the skin to the control's own method.
    EXPECT_TRUE(seq.MatchAndClear({{WM_WINDOWPOSCHANGING, kPassed},
                                   {WM_WINDOWPOSCHANGING, Seq::Method | Seq::Default},
                                   {WM_NCCALCSIZE, kPassed},
                                   {WM_NCCALCSIZE, Seq::Method | Seq::Default},
                                   {WM_WINDOWPOSCHANGED, kPassed},
                                   {WM_WINDOWPOSCHANGED, Seq::Method | Seq::Default},
                                   {LVM_GETHEADER, kPassed},
                                   {LVM_GETHEADER, Seq::Method | Seq::Default},
                                   {WM_GETTEXT, Seq::Sent | Seq::Child}},
                                  "attach"));
    ASSERT_NE(skinned->Header(), nullptr);
    EXPECT_EQ(skinned->Header()->Handle(), header);
    // Over a bar the control never sees the move; over the items it does.
    SendMessageW(list->Handle(), WM_NCMOUSEMOVE, HTVSCROLL, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCMOUSEMOVE, Seq::Sent}}, "move over the bar kept"));
    SendMessageW(list->Handle(), WM_NCMOUSEMOVE, HTCLIENT, 0);
    EXPECT_TRUE(
        seq.MatchAndClear({{WM_NCMOUSEMOVE, kPassed}, {WM_NCMOUSEMOVE, Seq::Method | Seq::Default}},
                          "move elsewhere passed on"));
    // The header's erase is the skin's while the skin has header art; other messages pass.
    SendMessageW(header, WM_ERASEBKGND, 0, 0);
    SendMessageW(header, WM_GETFONT, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_ERASEBKGND, Seq::Sent | Seq::Child}, {WM_GETFONT, kPassed | Seq::Child}},
        "header erase kept"));
    delete skinned->Header();
    delete skinned;
    SendMessageW(header, WM_GETFONT, 0, 0);
    SendMessageW(list->Handle(), WM_NCMOUSEMOVE, HTVSCROLL, 0);
    EXPECT_TRUE(seq.MatchAndClear({{WM_GETFONT, Seq::Sent | Seq::Child},
                                   {WM_NCMOUSEMOVE, kPassed},
                                   {WM_NCMOUSEMOVE, Seq::Method | Seq::Default}},
                                  "detached: both reach their controls directly"));
}

} // namespace
} // namespace kv::test
