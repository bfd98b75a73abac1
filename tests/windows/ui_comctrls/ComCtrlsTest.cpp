// The common controls: each is the real Windows control under its T-name, fed and read back
// through its own messages; toolbars from layouts; notifications that reach their handlers.
#include "tests/windows/support/GuiObjects.h"
#include "tests/windows/support/Pump.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <richedit.h>

namespace {

using kv::test::ClassNameOf;
using kv::test::PumpPending;

void ClickAt(HWND hwnd, POINT p) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpPending();
}

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A 16 x 16 image list with `count` plain images.
void FillImages(TImageList& images, int count) {
    TBitmap strip;
    strip.SetSize(16 * count, 16);
    strip.Canvas().Brush().SetColor(clRed);
    strip.Canvas().FillRect(RECT{0, 0, 16 * count, 16});
    images.AddMasked(strip, clFuchsia);
}

class ComCtrls : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        form = new TForm(app);
        form->SetName("Form1");
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override { delete app; }
    template <class T> T* Add() {
        auto* c = new T(form);
        c->SetParent(form);
        return c;
    }
    TApplication* app = nullptr;
    TForm* form = nullptr;
};

const char kToolBarLayout[] = R"(object Form1: TForm
  Width = 336
  Height = 297
  object ImageList1: TImageList
  end
  object ToolBar1: TToolBar
    Flat = True
    AutoSize = True
    ButtonWidth = 52
    ShowHint = True
    Wrapable = False
    Images = ImageList1
    object ToolButton1: TToolButton
      ImageIndex = 0
      Hint = 'Open File'
    end
    object ToolButton2: TToolButton
      ImageIndex = 1
      Hint = 'Close File'
    end
    object ToolButton5: TToolButton
      Style = tbsSeparator
    end
    object ToolButton3: TToolButton
      ImageIndex = 2
      Style = tbsCheck
    end
    object ToolButton7: TToolButton
      Style = tbsSeparator
    end
    object Label2: TLabel
      AutoSize = False
      Width = 174
      Height = 22
      Caption = 'kelvorine.example.org'
    end
  end
end
)";

} // namespace

TEST_F(ComCtrls, EveryKindIsItsRealControlUnderItsTName) {
    auto* toolbar = Add<TToolBar>();
    auto* status = Add<TStatusBar>();
    auto* progress = Add<TProgressBar>();
    auto* track = Add<TTrackBar>();
    auto* updown = Add<TUpDown>();
    auto* pages = Add<TPageControl>();
    auto* tabs = Add<TTabControl>();
    auto* header = Add<THeaderControl>();
    auto* list = Add<TListView>();
    auto* picker = Add<TDateTimePicker>();
    auto* rich = Add<TRichEdit>();

    new TToolButton(toolbar); // not a child yet: no button
    auto* button = new TToolButton(form);
    button->SetParent(toolbar);
    EXPECT_EQ(ClassNameOf(toolbar->Handle()), "TToolBar");
    EXPECT_EQ(SendMessageW(toolbar->Handle(), TB_BUTTONCOUNT, 0, 0), 1);

    status->AddPanel()->SetText("Ready");
    status->AddPanel()->SetText("Line 1");
    wchar_t text[64] = {};
    EXPECT_EQ(ClassNameOf(status->Handle()), "TStatusBar");
    EXPECT_EQ(SendMessageW(status->Handle(), SB_GETPARTS, 0, 0), 2);
    SendMessageW(status->Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Line 1");

    progress->SetPosition(40);
    EXPECT_EQ(ClassNameOf(progress->Handle()), "TProgressBar");
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(SendMessageW(progress->Handle(), PBM_GETRANGE, FALSE, 0), 100);

    track->SetMax(20);
    track->SetPosition(7);
    EXPECT_EQ(ClassNameOf(track->Handle()), "TTrackBar");
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 7);
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETRANGEMAX, 0, 0), 20);

    updown->SetPosition(12);
    EXPECT_EQ(ClassNameOf(updown->Handle()), "TUpDown");
    EXPECT_EQ(SendMessageW(updown->Handle(), UDM_GETPOS32, 0, 0), 12);

    auto* sheet = new TTabSheet(form);
    sheet->SetCaption("General");
    sheet->SetPageControl(pages);
    EXPECT_EQ(ClassNameOf(pages->Handle()), "TPageControl");
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ClassNameOf(sheet->Handle()), "TTabSheet");
    EXPECT_EQ(GetParent(sheet->Handle()), pages->Handle());

    tabs->Tabs().SetText("One\nTwo\nThree");
    tabs->SetTabIndex(2);
    EXPECT_EQ(ClassNameOf(tabs->Handle()), "TTabControl");
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(tabs->Handle(), TCM_GETCURSEL, 0, 0), 2);

    header->AddSection("Name", 120);
    EXPECT_EQ(ClassNameOf(header->Handle()), "THeaderControl");
    EXPECT_EQ(SendMessageW(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 1);

    list->AddItem("Pip");
    EXPECT_EQ(ClassNameOf(list->Handle()), "TListView");
    EXPECT_EQ(SendMessageW(list->Handle(), LVM_GETITEMCOUNT, 0, 0), 1);

    SYSTEMTIME when{2024, 2, 0, 29, 13, 45, 30, 0};
    picker->SetDateTime(SystemTimeToDateTime(when));
    SYSTEMTIME back{};
    EXPECT_EQ(ClassNameOf(picker->Handle()), "TDateTimePicker");
    EXPECT_EQ(SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&back)),
              GDT_VALID);
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);

    rich->Lines().SetText("first\nsecond");
    EXPECT_EQ(ClassNameOf(rich->Handle()), "TRichEdit");
    EXPECT_EQ(SendMessageW(rich->Handle(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(ComCtrls, ToolBarFromALayoutWithSeparatorsImagesAndALabel) {
    ReadLayout(*form, kToolBarLayout);
    auto* toolbar = form->Find<TToolBar>("ToolBar1");
    auto* images = form->Find<TImageList>("ImageList1");
    ASSERT_TRUE(toolbar && images);
    FillImages(*images, 5);
    form->Show();
    HWND bar = toolbar->Handle();

    ASSERT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 5) << "the label is not a button";
    EXPECT_EQ(toolbar->Height(), 24) << "flat, AutoSize, 16 x 16 images";
    RECT window;
    GetWindowRect(bar, &window);
    EXPECT_EQ(window.bottom - window.top, 24);
    EXPECT_EQ(toolbar->Top(), 0);
    EXPECT_EQ(toolbar->Width(), form->ClientWidth()) << "aligned to the top";
    EXPECT_EQ(SendMessageW(bar, TB_GETIMAGELIST, 0, 0), reinterpret_cast<LRESULT>(images->Handle()));
    EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_FALSE(GetWindowLongPtrW(bar, GWL_STYLE) & TBSTYLE_WRAPABLE);

    RECT r[5];
    for (int i = 0; i < 5; ++i)
        SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r[i]));
    EXPECT_EQ(r[0].right - r[0].left, 52);
    EXPECT_EQ(r[2].right - r[2].left, 8) << "separator";
    EXPECT_EQ(r[2].left, r[1].right);
    EXPECT_EQ(r[3].left, r[2].right);
    TBBUTTON info{};
    SendMessageW(bar, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.iBitmap, 1);

    auto* label = form->Find<TLabel>("Label2");
    EXPECT_EQ(label->Parent(), toolbar);
    EXPECT_EQ(label->Left(), r[4].right) << "after the last separator";
    EXPECT_EQ(label->Width(), 174);

    // The skin switches the look by property name.
    EXPECT_TRUE(SetEnumProp(*toolbar, "Transparent", "True"));
    EXPECT_TRUE(SendMessageW(bar, TB_GETSTYLE, 0, 0) & TBSTYLE_TRANSPARENT);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 5);
}

TEST_F(ComCtrls, ToolTipsShowTheButtonsHints) {
    ReadLayout(*form, kToolBarLayout);
    auto* toolbar = form->Find<TToolBar>("ToolBar1");
    HWND bar = toolbar->Handle();
    HWND tips = reinterpret_cast<HWND>(SendMessageW(bar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    auto ask = [&](int id) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = tips;
        info.hdr.idFrom = static_cast<UINT_PTR>(id);
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(bar, WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
        return std::wstring(info.lpszText ? info.lpszText : info.szText);
    };
    auto* second = form->Find<TToolButton>("ToolButton2");
    EXPECT_EQ(ask(form->Find<TToolButton>("ToolButton1")->CommandId()), L"Open File");
    EXPECT_EQ(ask(second->CommandId()), L"Close File");
    toolbar->SetShowHint(false);
    EXPECT_EQ(ask(second->CommandId()), L"");
}

TEST_F(ComCtrls, ToolButtonClicksAndCheckButtonsFollowTheirState) {
    ReadLayout(*form, kToolBarLayout);
    form->Show();
    auto* toolbar = form->Find<TToolBar>("ToolBar1");
    auto* open = form->Find<TToolButton>("ToolButton1");
    auto* check = form->Find<TToolButton>("ToolButton3");
    int clicks = 0;
    open->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, open);
        ++clicks;
    };
    HWND bar = toolbar->Handle();
    RECT r;
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    ClickAt(bar, CentreOf(r));
    EXPECT_EQ(clicks, 1);

    SendMessageW(bar, TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&r));
    ClickAt(bar, CentreOf(r));
    EXPECT_TRUE(check->Down());
    ClickAt(bar, CentreOf(r));
    EXPECT_FALSE(check->Down());
    check->SetDown(true);
    EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONCHECKED, check->CommandId(), 0));

    // Removing a button renumbers the rest; disabled buttons are disabled in the window.
    delete form->Find<TToolButton>("ToolButton2");
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 4);
    check->SetEnabled(false);
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, check->CommandId(), 0));
}

TEST_F(ComCtrls, PageControlShowsOnlyTheActiveSheet) {
    ReadLayout(*form, R"(object Form1: TForm
  object PageControl1: TPageControl
    Width = 300
    Height = 200
    object TabSheet1: TTabSheet
      Caption = 'General'
      object Button1: TButton
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Skin'
    end
    object TabSheet3: TTabSheet
      Caption = 'Hidden'
      TabVisible = False
    end
  end
end
)");
    auto* pages = form->Find<TPageControl>("PageControl1");
    auto* one = form->Find<TTabSheet>("TabSheet1");
    auto* two = form->Find<TTabSheet>("TabSheet2");
    ASSERT_TRUE(pages && one && two);
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    HWND tabs = pages->Handle();
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2) << "a hidden tab is left out";
    EXPECT_EQ(pages->ActivePage(), one);
    EXPECT_TRUE(IsWindowVisible(one->Handle()));
    EXPECT_FALSE(IsWindowVisible(two->Handle()));
    RECT display;
    GetClientRect(tabs, &display);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(one->Left(), display.left);
    EXPECT_EQ(one->Top(), display.top);
    EXPECT_EQ(one->Width(), display.right - display.left);

    RECT tab;
    SendMessageW(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    ClickAt(tabs, CentreOf(tab));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pages->ActivePage(), two);
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_FALSE(IsWindowVisible(one->Handle()));
    EXPECT_TRUE(IsWindowVisible(two->Handle()));

    // Code switches without OnChange; a freed active sheet hands over to the first one left.
    pages->SetActivePageIndex(0);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(changes, 1);
    delete one;
    EXPECT_EQ(pages->ActivePage(), two);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(two->Handle()));
}

// A page is the face of the form it stands on: a new form colour (a skin's face colour) reaches
// the sheets, so see-through group boxes on them and the controls inside match.
TEST_F(ComCtrls, PagesTakeTheFormsColourUntilGivenTheirOwn) {
    ReadLayout(*form, R"(object Form1: TForm
  object PageControl1: TPageControl
    object TabSheet1: TTabSheet
    end
    object TabSheet2: TTabSheet
    end
  end
end
)");
    auto* pages = form->Find<TPageControl>("PageControl1");
    auto* one = form->Find<TTabSheet>("TabSheet1");
    auto* two = form->Find<TTabSheet>("TabSheet2");
    ASSERT_TRUE(pages && one && two);
    form->Show();
    const TColor face = RGB(236, 230, 221);
    form->SetColor(face);
    EXPECT_EQ(pages->Color(), face);
    EXPECT_EQ(one->Color(), face);
    EXPECT_EQ(two->Color(), face);
    PumpPending();
    RedrawWindow(one->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(one->Handle());
    EXPECT_EQ(GetPixel(dc, 5, 5), COLORREF(face)) << "the sheet erases with its colour";
    ReleaseDC(one->Handle(), dc);
    two->SetColor(clWhite);
    form->SetColor(clBtnFace);
    EXPECT_EQ(one->Color(), clBtnFace);
    EXPECT_EQ(two->Color(), clWhite) << "a colour of its own stays";
}

TEST_F(ComCtrls, TrackBarChangeComesFromARealScroll) {
    auto* track = Add<TTrackBar>();
    track->SetMax(10);
    track->SetPosition(3);
    int changes = 0;
    track->OnChange = [&](TObject*) { ++changes; };
    form->Show();
    HWND hwnd = track->Handle();
    SendMessageW(hwnd, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(hwnd, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(track->Position(), 4);
    EXPECT_EQ(changes, 1);
    track->SetPosition(4);
    EXPECT_EQ(changes, 1) << "no change, no event";
    track->SetPosition(99);
    EXPECT_EQ(track->Position(), 10) << "bounded by Max";
    EXPECT_EQ(changes, 2);
}

// Without a buddy the arrows still step the position and report each step (the tab set's
// scroller is such an up-down).
TEST_F(ComCtrls, UpDownWithoutABuddyStepsAndReports) {
    auto* updown = Add<TUpDown>();
    updown->SetMax(5);
    updown->SetPosition(1);
    std::vector<TUDBtnType> clicks;
    updown->SetOnClick([&](TObject*, TUDBtnType button) { clicks.push_back(button); });
    form->Show();
    HWND hwnd = updown->Handle();
    auto key = [&](WPARAM vk) {
        SendMessageW(hwnd, WM_KEYDOWN, vk, 0);
        SendMessageW(hwnd, WM_KEYUP, vk, 0);
    };
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(updown->Position(), 3);
    key(VK_DOWN);
    EXPECT_EQ(updown->Position(), 2);
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btNext,
                                                TUDBtnType::btPrev}));
}

TEST_F(ComCtrls, UpDownSetsItsBuddyAndMayRefuseAStep) {
    auto* edit = Add<TEdit>();
    auto* updown = Add<TUpDown>();
    updown->SetMax(5);
    updown->SetPosition(2);
    updown->SetAssociate(edit);
    int clicks = 0;
    bool allow = true;
    updown->SetOnClick([&](TObject*, TUDBtnType button) {
        EXPECT_EQ(button, TUDBtnType::btNext);
        ++clicks;
    });
    updown->SetOnChanging([&](TObject*, bool& ok) { ok = allow; });
    form->Show();
    HWND hwnd = updown->Handle();
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(hwnd, UDM_GETBUDDY, 0, 0)), edit->Handle());
    EXPECT_EQ(edit->GetText(), "2");
    auto up = [&] {
        SendMessageW(hwnd, WM_KEYDOWN, VK_UP, 0);
        SendMessageW(hwnd, WM_KEYUP, VK_UP, 0);
    };
    up();
    EXPECT_EQ(updown->Position(), 3);
    EXPECT_EQ(edit->GetText(), "3");
    EXPECT_EQ(clicks, 1);
    allow = false;
    up();
    EXPECT_EQ(updown->Position(), 3) << "OnChanging refused";
    delete edit;
    EXPECT_EQ(updown->Associate(), nullptr);
    EXPECT_EQ(SendMessageW(hwnd, UDM_GETBUDDY, 0, 0), 0);
}

TEST_F(ComCtrls, StatusBarPanelsFromALayout) {
    ReadLayout(*form, R"(object Form1: TForm
  Width = 400
  object StatusBar1: TStatusBar
    object StatusPanel1: TStatusPanel
      Text = 'Ready'
      Width = 100
    end
    object StatusPanel2: TStatusPanel
      Text = 'Pip.acs'
      Width = 60
      Alignment = taCenter
    end
  end
end
)");
    auto* status = form->Find<TStatusBar>("StatusBar1");
    form->Show();
    HWND hwnd = status->Handle();
    EXPECT_EQ(status->Align(), TAlign::alBottom);
    EXPECT_EQ(status->Top() + status->Height(), form->ClientHeight());
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(hwnd, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], -1) << "the last panel reaches the right edge";
    wchar_t text[64] = {};
    SendMessageW(hwnd, SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"\tPip.acs");

    status->SetSimplePanel(true);
    status->SetSimpleText("Loading");
    EXPECT_TRUE(SendMessageW(hwnd, SB_ISSIMPLE, 0, 0));
    status->SetSimplePanel(false);
    delete form->Find<TStatusPanel>("StatusPanel1");
    EXPECT_EQ(SendMessageW(hwnd, SB_GETPARTS, 0, 0), 1);
    EXPECT_TRUE(GetWindowLongPtrW(status->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_TRUE(SetEnumProp(*status, "SizeGrip", "False"));
    EXPECT_FALSE(GetWindowLongPtrW(status->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(SendMessageW(status->Handle(), SB_GETPARTS, 0, 0), 1) << "panels survive";
}

TEST_F(ComCtrls, ListViewItemsAndColumnsRoundTrip) {
    ReadLayout(*form, R"(object Form1: TForm
  object SmallImages: TImageList
  end
  object ListView1: TListView
    ViewStyle = vsReport
    RowSelect = True
    SmallImages = SmallImages
    object ListColumn1: TListColumn
      Caption = 'Name'
      Width = 120
    end
    object ListColumn2: TListColumn
      Caption = 'Size'
      Width = 60
      Alignment = taRightJustify
    end
    object ListItem1: TListItem
      Caption = 'Pip'
      SubItems = ('12 KB')
      ImageIndex = 0
    end
  end
end
)");
    auto* list = form->Find<TListView>("ListView1");
    form->Show();
    TListItem* merlin = list->AddItem("Merlin");
    merlin->SubItems().Add("1.2 MB");
    HWND hwnd = list->Handle();
    EXPECT_TRUE((GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_STYLE) & LVS_SHAREIMAGELISTS);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, 0, 0), 120);
    auto cell = [&](int row, int sub) {
        wchar_t text[64] = {};
        LVITEMW item{};
        item.iSubItem = sub;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(hwnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return std::wstring(text);
    };
    EXPECT_EQ(cell(0, 0), L"Pip");
    EXPECT_EQ(cell(0, 1), L"12 KB");
    EXPECT_EQ(cell(1, 1), L"1.2 MB");
    merlin->SetCaption("Merlin the wizard");
    EXPECT_EQ(cell(1, 0), L"Merlin the wizard");

    list->SetItemIndex(1);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(list->Selected(), merlin);
    delete form->Find<TListItem>("ListItem1");
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(cell(0, 0), L"Merlin the wizard");

    // The image list is the form's: freeing it takes it out of the window, which never frees it.
    auto* images = form->Find<TImageList>("SmallImages");
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(images->Handle()));
    delete images;
    EXPECT_EQ(list->SmallImages(), nullptr);
    EXPECT_EQ(SendMessageW(hwnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

TEST_F(ComCtrls, RichEditLinesFollowTheWindowBothWays) {
    auto* rich = Add<TRichEdit>();
    rich->SetPlainText(true);
    rich->Lines().SetText("one\ntwo");
    HWND hwnd = rich->Handle();
    EXPECT_EQ(SendMessageW(hwnd, EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
    SetWindowTextW(hwnd, L"alpha\rbeta\rgamma");
    SendMessageW(hwnd, EM_SETSEL, 0, 0);
    SendMessageW(hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"x"));
    EXPECT_EQ(rich->Lines().Count(), 3);
    EXPECT_EQ(rich->Lines()[0], "xalpha");
    EXPECT_EQ(rich->Lines()[2], "gamma");
}

TEST_F(ComCtrls, DateTimeValuesConvertBothWays) {
    SYSTEMTIME noon{2000, 1, 0, 1, 12, 0, 0, 0};
    EXPECT_DOUBLE_EQ(SystemTimeToDateTime(noon), 36526.5);
    SYSTEMTIME back = DateTimeToSystemTime(36526.5);
    EXPECT_EQ(back.wYear, 2000);
    EXPECT_EQ(back.wHour, 12);
    EXPECT_EQ(back.wMinute, 0);
    EXPECT_EQ(DateTimeToSystemTime(-1e12).wYear, 1601) << "clamped, not garbage";

    auto* picker = Add<TDateTimePicker>();
    picker->SetKind(TDateTimeKind::dtkTime);
    picker->SetDateTime(36526.75);
    EXPECT_TRUE(GetWindowLongPtrW(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
    EXPECT_TRUE(picker->ShowsUpDown());
    EXPECT_DOUBLE_EQ(picker->Date(), 36526.0);
    EXPECT_NEAR(picker->Time(), 0.75, 1e-6);
}

TEST_F(ComCtrls, FreeingAFormFullOfThemLeaksNoHandles) {
    auto cycle = [&] {
        auto* f = new TForm(app);
        auto* images = new TImageList(f);
        FillImages(*images, 3);
        auto* bar = new TToolBar(f);
        bar->SetParent(f);
        bar->SetImages(images);
        for (int i = 0; i < 3; ++i) {
            auto* b = new TToolButton(f);
            b->SetImageIndex(i);
            b->SetParent(bar);
        }
        auto* status = new TStatusBar(f);
        status->SetParent(f);
        status->AddPanel()->SetText("x");
        auto* pages = new TPageControl(f);
        pages->SetParent(f);
        auto* sheet = new TTabSheet(f);
        sheet->SetPageControl(pages);
        auto* list = new TListView(f);
        list->SetParent(sheet);
        list->SetSmallImages(images);
        list->AddColumn("a", 40);
        list->AddItem("b");
        for (TWinControl* c : std::initializer_list<TWinControl*>{
                 new TProgressBar(f), new TTrackBar(f), new TUpDown(f), new TTabControl(f),
                 new THeaderControl(f), new TDateTimePicker(f), new TRichEdit(f)})
            c->SetParent(f);
        f->Show();
        HWND handles[] = {bar->Handle(), status->Handle(), list->Handle(), sheet->Handle()};
        delete f;
        for (HWND h : handles) EXPECT_FALSE(IsWindow(h));
    };
    cycle();
    cycle();
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 10; ++i) cycle();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 4));
}

TEST_F(ComCtrls, ToolButtonsShowAndRunTheirActions) {
    int opened = 0;
    form->PublishMethod("OpenAgentExecute", TNotifyEvent([&](TObject*) { ++opened; }));
    ReadLayout(*form, R"(object Form1: TForm
  object ActionList1: TActionList
    object OpenAgent: TAction
      Caption = '&Open'
      Hint = 'Open File'
      ImageIndex = 0
      OnExecute = OpenAgentExecute
    end
    object About: TAction
      Caption = '&About'
      Hint = 'About...'
    end
  end
  object ToolBar1: TToolBar
    ShowHint = True
    object ToolButton1: TToolButton
      Action = OpenAgent
    end
    object ToolButton6: TToolButton
      Action = About
      ImageIndex = 4
    end
  end
end
)");
    auto* open = form->Find<TToolButton>("ToolButton1");
    auto* about = form->Find<TToolButton>("ToolButton6");
    auto* action = form->Find<TAction>("OpenAgent");
    form->Show();
    HWND bar = form->Find<TToolBar>("ToolBar1")->Handle();
    EXPECT_EQ(open->Caption(), "&Open");
    EXPECT_EQ(open->TipText(), "Open File");
    EXPECT_EQ(open->ImageIndex(), 0);
    EXPECT_EQ(about->ImageIndex(), 4) << "the button's own image for an action without one";

    RECT r;
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    ClickAt(bar, CentreOf(r));
    EXPECT_EQ(opened, 1);

    action->SetEnabled(false);
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONENABLED, open->CommandId(), 0));
    ClickAt(bar, CentreOf(r));
    EXPECT_EQ(opened, 1) << "a disabled action does not run";
    action->SetHint("Open a character");
    EXPECT_EQ(open->TipText(), "Open a character");
    form->Find<TAction>("About")->SetCaption("&Help");
    EXPECT_EQ(about->ImageIndex(), 4);
    delete action;
    EXPECT_EQ(open->Action(), nullptr);
    EXPECT_EQ(open->Caption(), "&Open") << "keeps what it showed";
}

// The windowless buttons sit where the window draws them, but the mouse stays the window's:
// a press that ends over the label still releases the button and clicks nothing else.
TEST_F(ComCtrls, ToolBarKeepsTheMouseForItsButtons) {
    ReadLayout(*form, kToolBarLayout);
    form->Show();
    auto* toolbar = form->Find<TToolBar>("ToolBar1");
    auto* open = form->Find<TToolButton>("ToolButton1");
    auto* label = form->Find<TLabel>("Label2");
    int buttonClicks = 0, labelClicks = 0;
    open->OnClick = [&](TObject*) { ++buttonClicks; };
    label->OnClick = [&](TObject*) { ++labelClicks; };
    HWND bar = toolbar->Handle();
    RECT r;
    SendMessageW(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(open->Left(), r.left);
    EXPECT_EQ(open->Width(), r.right - r.left);
    POINT inside = CentreOf(r);
    POINT onLabel{label->Left() + 5, label->Top() + 5};
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onLabel.x, onLabel.y));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(onLabel.x, onLabel.y));
    PumpPending();
    EXPECT_EQ(buttonClicks, 0) << "released off the button";
    EXPECT_EQ(labelClicks, 0) << "the press was not the label's";
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONPRESSED, open->CommandId(), 0));
    ClickAt(bar, onLabel);
    EXPECT_EQ(labelClicks, 1);
}
