// The tab set: its row laid out from the first visible tab, tabs picked by a press and by the
// arrow keys, the scroller that appears only when the row overflows and scrolls it, a layout
// that streams it, and its own drawing of the selected tab joined to the page above.
#include "tests/windows/support/GuiObjects.h"
#include "tests/windows/support/Pump.h"
#include "ui/classes/LayoutReader.h"
#include "ui/controls/TabSet.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <climits>
#include <string>

namespace {

using kv::test::ClassNameOf;
using kv::test::PumpPending;

std::vector<int> Indexes(const std::vector<TTabSlot>& row) {
    std::vector<int> out;
    for (const TTabSlot& s : row) out.push_back(s.index);
    return out;
}

TEST(TabRow, StopsAtTheFirstMisfitOrSkipsIt) {
    const std::vector<int> widths{30, 50, 20, 10};
    // 5 + 30 + 50 = 85 fits; the 20 after it would end at 105.
    EXPECT_EQ(Indexes(LayOutTabRow(widths, 0, 5, 100, false)), (std::vector<int>{0, 1}));
    // Skipping: the 20 does not fit, the 10 after it does.
    EXPECT_EQ(Indexes(LayOutTabRow(widths, 0, 5, 95, true)), (std::vector<int>{0, 1, 3}));
    const auto row = LayOutTabRow(widths, 1, 5, 200, false);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0].left, 5) << "the first visible tab starts at the margin";
    EXPECT_EQ(row[2].right, 5 + 50 + 20 + 10);
    EXPECT_EQ(Indexes(LayOutTabRow(widths, 0, 5, 35, false)), (std::vector<int>{0}))
        << "a tab ending exactly at the limit fits";
}

TEST(TabRow, HostileInputPlacesNothingWrong) {
    EXPECT_TRUE(LayOutTabRow({}, 0, 5, 100, true).empty());
    EXPECT_TRUE(LayOutTabRow({10, 10}, -1, 5, 100, true).empty());
    EXPECT_TRUE(LayOutTabRow({10, 10}, 2, 5, 100, true).empty());
    // A width near INT_MAX must not wrap the running sum into a fit.
    EXPECT_EQ(Indexes(LayOutTabRow({10, INT_MAX, 10}, 0, 5, 100, true)), (std::vector<int>{0, 2}));
    EXPECT_TRUE(LayOutTabRow({10}, 0, 5, 0, true).empty()) << "no room at all";
}

class TabSetControl : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetName("Form1");
        form->SetBounds(0, 0, 420, 200);
        tabs = new TTabSet(form);
        tabs->SetParent(form);
        tabs->SetBounds(10, 100, 380, 21);
        tabs->OnChange = [this](TObject*) { ++changes; };
        tabs->OnClick = [this](TObject*) { ++clicks; };
    }
    void TearDown() override { delete app; }

    void AddTabs(int count) {
        for (int i = 0; i < count; ++i) tabs->Tabs().Add("Tab " + std::to_string(i));
    }
    void Press(POINT p) {
        SendMessageW(tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageW(tabs->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        PumpPending();
    }
    POINT CentreOfTab(int index) {
        for (const TTabSlot& s : tabs->VisibleTabs())
            if (s.index == index) return {(s.left + s.right) / 2, 10};
        ADD_FAILURE() << "tab " << index << " is not in view";
        return {-1, -1};
    }
    void Key(WPARAM vk) {
        SendMessageW(tabs->Handle(), WM_KEYDOWN, vk, 0);
        PumpPending();
    }

    TApplication* app = nullptr;
    TForm* form = nullptr;
    TTabSet* tabs = nullptr;
    int changes = 0, clicks = 0;
};

TEST_F(TabSetControl, IsItsOwnWindowClassWithTheScrollerAsFirstComponent) {
    form->Show();
    EXPECT_EQ(ClassNameOf(tabs->Handle()), "TTabSet");
    ASSERT_GT(tabs->ComponentCount(), 0);
    EXPECT_EQ(tabs->Components(0), tabs->Scroller());
    ASSERT_NE(tabs->Scroller(), nullptr);
    HWND arrows = tabs->Scroller()->Handle();
    EXPECT_EQ(GetParent(arrows), tabs->Handle());
    EXPECT_TRUE(GetWindowLongPtrW(arrows, GWL_STYLE) & UDS_HORZ);
    EXPECT_TRUE(GetWindowLongPtrW(tabs->Handle(), GWL_STYLE) & WS_CLIPCHILDREN)
        << "drawing the row must leave the arrows alone";
}

TEST_F(TabSetControl, APressPicksTheTabUnderIt) {
    AddTabs(3);
    form->Show();
    Press(CentreOfTab(2));
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(GetFocus(), tabs->Handle()) << "a press focuses the tab set";
    Press(CentreOfTab(2));
    EXPECT_EQ(changes, 1) << "the same tab again changes nothing";
    EXPECT_EQ(clicks, 2);
    Press({tabs->Width() - 20, 10}); // right of the last tab
    EXPECT_EQ(tabs->TabIndex(), 2);
    EXPECT_EQ(clicks, 2) << "no tab, no click";
    tabs->SetTabIndex(0);
    EXPECT_EQ(changes, 1) << "a change from code runs no event";
}

TEST_F(TabSetControl, TheScrollerShowsOnlyWhileTheRowOverflows) {
    AddTabs(3);
    form->Show();
    EXPECT_FALSE(tabs->ScrollerShown());
    AddTabs(40);
    EXPECT_TRUE(tabs->ScrollerShown());
    EXPECT_TRUE(IsWindowVisible(tabs->Scroller()->Handle()));
    // The row leaves room for the arrows.
    const std::vector<TTabSlot> row = tabs->VisibleTabs();
    ASSERT_FALSE(row.empty());
    RECT arrows{};
    GetWindowRect(tabs->Scroller()->Handle(), &arrows);
    MapWindowPoints(nullptr, tabs->Handle(), reinterpret_cast<POINT*>(&arrows), 2);
    EXPECT_LE(row.back().right, arrows.left);
    tabs->Tabs().Clear();
    EXPECT_FALSE(tabs->ScrollerShown());
    EXPECT_EQ(tabs->FirstIndex(), 0);
    EXPECT_EQ(tabs->TabIndex(), -1);
    // Sized before it has a window, the need for arrows follows the width too.
    auto* early = new TTabSet(form);
    for (int i = 0; i < 10; ++i) early->Tabs().Add("Tab " + std::to_string(i));
    early->SetWidth(60);
    EXPECT_TRUE(early->ScrollerShown());
    early->SetWidth(3000);
    EXPECT_FALSE(early->ScrollerShown());
    EXPECT_FALSE(early->HandleAllocated());
}

TEST_F(TabSetControl, TheScrollersArrowsMoveTheFirstVisibleTab) {
    AddTabs(40);
    form->Show();
    PumpPending();
    HWND arrows = tabs->Scroller()->Handle();
    RECT r{};
    GetClientRect(arrows, &r);
    const LPARAM right = MAKELPARAM(r.right - 3, r.bottom / 2), left = MAKELPARAM(3, r.bottom / 2);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, right);
    SendMessageW(arrows, WM_LBUTTONUP, 0, right);
    PumpPending();
    EXPECT_EQ(tabs->FirstIndex(), 1);
    EXPECT_EQ(tabs->VisibleTabs().front().index, 1);
    EXPECT_EQ(tabs->VisibleTabs().front().left, tabs->StartMargin());
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, left);
    SendMessageW(arrows, WM_LBUTTONUP, 0, left);
    PumpPending();
    EXPECT_EQ(tabs->FirstIndex(), 0);
    // Scrolled from code, the arrows follow.
    tabs->SetFirstIndex(7);
    EXPECT_EQ(SendMessageW(arrows, UDM_GETPOS32, 0, 0), 7);
    tabs->SetFirstIndex(1000);
    EXPECT_EQ(tabs->FirstIndex(), 39) << "at most the last tab";
    Press(CentreOfTab(39));
    EXPECT_EQ(tabs->TabIndex(), 39) << "a scrolled row is hit where it is drawn";
}

TEST_F(TabSetControl, ArrowKeysStepThroughTheTabsAndScrollThemIntoView) {
    AddTabs(40);
    form->Show();
    tabs->SetFocus();
    Key(VK_LEFT);
    EXPECT_EQ(tabs->TabIndex(), 0) << "none selected: the first";
    EXPECT_EQ(changes, 1);
    Key(VK_LEFT);
    EXPECT_EQ(changes, 1) << "nothing left of the first";
    const int lastInView = tabs->VisibleTabs().back().index;
    for (int i = 0; i <= lastInView; ++i) Key(VK_RIGHT);
    EXPECT_EQ(tabs->TabIndex(), lastInView + 1);
    EXPECT_GT(tabs->FirstIndex(), 0);
    EXPECT_EQ(tabs->VisibleTabs().back().index, lastInView + 1) << "scrolled just into view";
    tabs->SetTabIndex(39);
    Key(VK_RIGHT);
    EXPECT_EQ(tabs->TabIndex(), 39);
    tabs->SetFirstIndex(30);
    tabs->SetTabIndex(5);
    Key(VK_LEFT);
    EXPECT_EQ(tabs->FirstIndex(), 4) << "a tab left of the row scrolls back to it";
    EXPECT_EQ(SendMessageW(tabs->Handle(), WM_GETDLGCODE, 0, 0), LRESULT(DLGC_WANTARROWS));
}

TEST_F(TabSetControl, IndexesStayWithinTheTabs) {
    AddTabs(5);
    tabs->SetTabIndex(4);
    tabs->SetFirstIndex(3);
    tabs->SetTabIndex(9);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(4);
    tabs->Tabs().Delete(4);
    tabs->Tabs().Delete(3);
    EXPECT_EQ(tabs->TabIndex(), 2) << "the last that is left";
    EXPECT_EQ(tabs->FirstIndex(), 2);
    tabs->SetFirstIndex(-3);
    EXPECT_EQ(tabs->FirstIndex(), 0);
}

TEST_F(TabSetControl, ReadFromALayout) {
    ReadLayout(*form, R"(object Form1: TForm
  object TabSet1: TTabSet
    Left = 8
    Top = 20
    Width = 300
    Height = 21
    TabIndex = 2
    Tabs = ('One' 'Two' 'Three')
    FirstIndex = 1
    StartMargin = 12
    EndMargin = 20
  end
  object TabSet2: TTabSet
    Tabs = ('Only')
    TabIndex = 7
  end
end
)");
    auto* read = form->Find<TTabSet>("TabSet1");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Tabs().Count(), 3);
    EXPECT_EQ(read->TabIndex(), 2) << "set before the tabs it names were read";
    EXPECT_EQ(read->FirstIndex(), 1);
    EXPECT_EQ(read->StartMargin(), 12);
    EXPECT_EQ(read->EndMargin(), 20);
    EXPECT_EQ(read->VisibleTabs().front().left, 12);
    EXPECT_EQ(read->ComponentCount(), 1) << "only the scroller";
    EXPECT_EQ(form->Find<TTabSet>("TabSet2")->TabIndex(), 0) << "out of range: the last";
}

// Its own look, read from a paint into a memory DC: the page edge along the top is broken by
// the selected tab, which takes the control's colour; the others are in the window colour.
TEST_F(TabSetControl, PaintsTheSelectedTabJoinedToThePage) {
    AddTabs(3);
    tabs->SetColor(RGB(200, 180, 40));
    tabs->SetTabIndex(1);
    form->Show();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, tabs->Width(), tabs->Height());
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(tabs->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    const std::vector<TTabSlot> row = tabs->VisibleTabs();
    ASSERT_EQ(row.size(), 3u);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), own = RGB(200, 180, 40);
    const int selectedMid = (row[1].left + row[1].right) / 2,
              otherMid = (row[0].left + row[0].right) / 2;
    EXPECT_EQ(GetPixel(dc, selectedMid, 0), own) << "no edge over the selected tab";
    EXPECT_EQ(GetPixel(dc, otherMid, 0), frame);
    EXPECT_EQ(GetPixel(dc, selectedMid, 2), own);
    EXPECT_EQ(GetPixel(dc, otherMid, 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, tabs->Width() - 3, 10), own) << "the face past the last tab";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// Each paint makes and frees its pens and brushes; a freed tab set takes its arrows along.
TEST_F(TabSetControl, PaintingAndFreeingLeakNoHandles) {
    form->Show();
    auto cycle = [&] {
        auto* made = new TTabSet(form);
        made->SetParent(form);
        made->SetBounds(10, 10, 200, 21);
        for (int i = 0; i < 30; ++i) made->Tabs().Add("Tab " + std::to_string(i));
        made->SetTabIndex(2);
        for (int i = 0; i < 5; ++i)
            RedrawWindow(made->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_TRUE(made->ScrollerShown());
        HWND arrows = made->Scroller()->Handle();
        delete made;
        EXPECT_FALSE(IsWindow(arrows));
    };
    cycle();
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 20; ++i) cycle();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 2));
}

} // namespace
