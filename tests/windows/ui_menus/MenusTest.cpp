#include "tests/windows/support/WaitFor.h"
#include "ui/menus/Menus.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/Bitmap.h"
#include "ui/graphics/Canvas.h"
#include "ui/graphics/ImageList.h"

#include <gtest/gtest.h>

namespace {

const char kLayout[] = R"(object Form1: TForm
  Menu = MainMenu1
  object ImageList1: TImageList
  end
  object ActionList1: TActionList
    Images = ImageList1
    object OpenAgent: TAction
      Caption = '&Open'
      Hint = 'Open File'
      ImageIndex = 0
      ShortCut = 16463
      OnExecute = OpenAgentExecute
    end
    object CloseAgent: TAction
      Caption = '&Close'
      ShortCut = 'Ctrl+U'
      OnExecute = CloseAgentExecute
    end
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Action = OpenAgent
      end
      object Close1: TMenuItem
        Action = CloseAgent
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Quit1: TMenuItem
        Caption = '&Quit'
        ShortCut = 'Ctrl+Q'
        OnClick = Quit1Click
      end
    end
    object View1: TMenuItem
      Caption = '&View'
      object Language1: TMenuItem
        Caption = 'Language'
        object English1: TMenuItem
          Caption = 'English'
          AutoCheck = True
          Checked = True
          GroupIndex = 1
          RadioItem = True
          Tag = 1
          OnClick = English1Click
        end
        object ChineseSimple1: TMenuItem
          Caption = 'Chinese Simple'
          AutoCheck = True
          GroupIndex = 1
          RadioItem = True
          Tag = 2
          OnClick = English1Click
        end
        object Big51: TMenuItem
          Caption = 'Big5'
          AutoCheck = True
          GroupIndex = 1
          RadioItem = True
          Tag = 3
          OnClick = English1Click
        end
      end
    end
    object About1: TMenuItem
      Caption = '&Help'
      ShortCut = 112
      Hint = 'About...'
    end
  end
end
)";

std::wstring MenuString(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

MENUITEMINFOW MenuInfo(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info;
}

using kv::test::WaitFor;

class Menus : public testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        RegisterComponentClass<TImageList>();
        form = new TForm(app);
        form->PublishMethod("OpenAgentExecute", TNotifyEvent([this](TObject*) { ++opened; }));
        form->PublishMethod("CloseAgentExecute", TNotifyEvent([this](TObject*) { ++closed; }));
        form->PublishMethod("Quit1Click", TNotifyEvent([this](TObject*) { ++quits; }));
        form->PublishMethod("English1Click", TNotifyEvent([this](TObject* s) {
                                languages.push_back(static_cast<TComponent*>(s)->Tag());
                            }));
        ReadLayout(*form, kLayout);
        menu = form->Find<TMainMenu>("MainMenu1");
    }
    void TearDown() override { delete app; }
    TMenuItem* Item(const char* name) { return form->Find<TMenuItem>(name); }
    TAction* Action(const char* name) { return form->Find<TAction>(name); }
    // Counts the menu-changed notifications the form's window receives.
    void CountMenuChanges() {
        saved = form->WindowProc;
        form->WindowProc = [this](TMessage& m) {
            if (m.Msg == CM_MENUCHANGED) ++menuChanges;
            saved(m);
        };
    }

    TApplication* app = nullptr;
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TWndMethod saved;
    int opened = 0, closed = 0, quits = 0, menuChanges = 0;
    std::vector<int> languages;
};

} // namespace

TEST_F(Menus, LayoutBuildsTheWin32MenuOfTheForm) {
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->Menu(), menu);
    HMENU bar = menu->Handle();
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(MenuString(bar, 2), L"&Help"); // no shortcut text on the bar
    HMENU file = Item("File1")->Handle();
    EXPECT_EQ(GetSubMenu(bar, 0), file);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(MenuString(file, 0), L"&Open\tCtrl+O");
    EXPECT_EQ(MenuString(file, 1), L"&Close\tCtrl+U");
    EXPECT_EQ(MenuString(file, 3), L"&Quit\tCtrl+Q");
    MENUITEMINFOW open = MenuInfo(file, 0);
    EXPECT_EQ(open.wID, Item("Open1")->Command());
    EXPECT_EQ(open.dwItemData, reinterpret_cast<ULONG_PTR>(Item("Open1")));
    // The menu has images: its items are owner-drawn, the bar's are not.
    EXPECT_TRUE(open.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(MenuInfo(file, 2).fType & MFT_SEPARATOR);
    EXPECT_FALSE(MenuInfo(bar, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(Item("Open1")->ImageIndex(), 0);
    EXPECT_EQ(Item("About1")->ShortCut(), VK_F1);
    EXPECT_EQ(menu->FindItem(reinterpret_cast<UINT_PTR>(file), TFindItemKind::fkHandle),
              Item("File1"));
    EXPECT_EQ(menu->FindItem(Item("Big51")->Command(), TFindItemKind::fkCommand), Item("Big51"));
    EXPECT_EQ(Item("View1")->Find("language"), Item("Language1"));
    EXPECT_EQ(Item("Language1")->Parent(), Item("View1"));
    EXPECT_EQ(Item("Big51")->MenuIndex(), 2);
}

TEST_F(Menus, OneChangeSendsOneMenuChangedNotification) {
    form->HandleNeeded();
    CountMenuChanges();
    HMENU file = Item("File1")->Handle();
    Item("File1")->SetCaption("File(&F)");
    EXPECT_EQ(menuChanges, 1);
    EXPECT_EQ(MenuString(menu->Handle(), 0), L"File(&F)");
    EXPECT_EQ(Item("File1")->Handle(), file); // the submenu keeps its handle

    menuChanges = 0;
    Action("OpenAgent")->SetCaption("Open(&F)");
    EXPECT_EQ(menuChanges, 1);
    EXPECT_EQ(MenuString(file, 0), L"Open(&F)\tCtrl+O");

    menuChanges = 0;
    menu->BeginUpdate();
    Item("View1")->SetCaption("View(&V)");
    Item("About1")->SetCaption("Help(&H)");
    Item("Quit1")->SetVisible(false);
    EXPECT_EQ(menuChanges, 0);
    menu->EndUpdate();
    EXPECT_EQ(menuChanges, 1);
    EXPECT_EQ(GetMenuItemCount(file), 3);

    menuChanges = 0;
    Item("About1")->SetCaption("Help(&H)"); // same text: nothing changes
    EXPECT_EQ(menuChanges, 0);
    form->WindowProc = saved;
}

TEST_F(Menus, LinkedItemsFollowTheirActionAndRunIt) {
    TMenuItem* open = Item("Open1");
    EXPECT_EQ(open->Caption(), "&Open");
    EXPECT_EQ(open->Hint(), "Open File");
    HMENU file = Item("File1")->Handle();
    Action("OpenAgent")->SetEnabled(false);
    EXPECT_FALSE(open->Enabled());
    EXPECT_TRUE(MenuInfo(file, 0).fState & MFS_GRAYED);
    // A disabled item's command (the skinned bar posts commands of any button) runs nothing.
    form->Perform(WM_COMMAND, open->Command(), 0);
    EXPECT_EQ(opened, 0);
    Action("OpenAgent")->SetEnabled(true);
    EXPECT_FALSE(MenuInfo(file, 0).fState & MFS_GRAYED);
    form->Perform(WM_COMMAND, open->Command(), 0);
    EXPECT_EQ(opened, 1);
    // A command with a window in lParam is a control's, not the menu's.
    form->Perform(WM_COMMAND, open->Command(), reinterpret_cast<LPARAM>(app->Handle()));
    EXPECT_EQ(opened, 1);

    int updates = 0;
    Action("CloseAgent")->OnUpdate = [&](TObject*) { ++updates; };
    form->Perform(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(updates, 1);

    delete Action("CloseAgent");
    EXPECT_EQ(Item("Close1")->Action(), nullptr);
    EXPECT_EQ(Item("Close1")->Caption(), "&Close"); // keeps what it showed
}

TEST_F(Menus, RadioGroupsAndAutoCheck) {
    HMENU language = Item("Language1")->Handle();
    EXPECT_TRUE(MenuInfo(language, 0).fType & MFT_RADIOCHECK);
    form->Perform(WM_COMMAND, Item("ChineseSimple1")->Command(), 0);
    EXPECT_FALSE(Item("English1")->Checked());
    EXPECT_TRUE(Item("ChineseSimple1")->Checked());
    EXPECT_TRUE(MenuInfo(language, 1).fState & MFS_CHECKED);
    EXPECT_FALSE(MenuInfo(language, 0).fState & MFS_CHECKED);
    // Picking the checked item again keeps the group's check where it is.
    Item("ChineseSimple1")->Click();
    EXPECT_TRUE(Item("ChineseSimple1")->Checked());
    Item("Big51")->Click();
    EXPECT_EQ(languages, (std::vector<int>{2, 2, 3}));
    EXPECT_FALSE(Item("ChineseSimple1")->Checked());

    // Other groups and plain items are left alone; a plain AutoCheck item toggles.
    auto* other = new TMenuItem(form);
    other->SetRadioItem(true);
    other->SetGroupIndex(2);
    other->SetChecked(true);
    Item("Language1")->Add(other);
    auto* toggle = new TMenuItem(form);
    toggle->SetAutoCheck(true);
    Item("Language1")->Add(toggle);
    Item("English1")->Click();
    EXPECT_TRUE(other->Checked());
    toggle->Click();
    EXPECT_TRUE(toggle->Checked());
    toggle->Click();
    EXPECT_FALSE(toggle->Checked());
}

TEST_F(Menus, ShortCutsRunFromTheMessageLoop) {
    form->Show();
    SetForegroundWindow(form->Handle());
    SetFocus(form->Handle());
    app->ProcessMessages();
    // The key state the message loop reads: Ctrl held down.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(form->Handle(), WM_KEYDOWN, 'O', 1);
    PostMessageW(form->Handle(), WM_KEYDOWN, 'Q', 1);
    PostMessageW(form->Handle(), WM_KEYDOWN, 'U', 1);
    EXPECT_TRUE(WaitFor([&] { return opened == 1 && quits == 1 && closed == 1; }));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    // A key that is no shortcut is dispatched as a key.
    int keyDowns = 0;
    saved = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_KEYDOWN) ++keyDowns;
        saved(m);
    };
    PostMessageW(form->Handle(), WM_KEYDOWN, 'O', 1);
    EXPECT_TRUE(WaitFor([&] { return keyDowns == 1; }));
    EXPECT_EQ(opened, 1);
    form->WindowProc = saved;
}

TEST_F(Menus, ShortCutFromRealKeyboardInput) {
    form->Show();
    SetForegroundWindow(form->Handle());
    SetFocus(form->Handle());
    app->ProcessMessages();
    INPUT input[4] = {};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = VK_CONTROL;
    input[1].ki.wVk = 'U';
    input[2].ki.wVk = 'U';
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = VK_CONTROL;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(4, input, sizeof(INPUT)) != 4 || GetForegroundWindow() != form->Handle())
        GTEST_SKIP() << "no synthesized keyboard input here";
    EXPECT_TRUE(WaitFor([&] { return closed == 1; }));
    EXPECT_EQ(opened, 0);
}

TEST_F(Menus, FreeingTheFormLeavesNoMenuHandle) {
    form->HandleNeeded();
    std::vector<HMENU> handles = {menu->Handle(), Item("File1")->Handle(), Item("View1")->Handle(),
                                  Item("Language1")->Handle()};
    for (HMENU h : handles) EXPECT_TRUE(IsMenu(h));
    HWND window = form->Handle();
    delete form;
    EXPECT_FALSE(IsWindow(window));
    for (HMENU h : handles) EXPECT_FALSE(IsMenu(h));
}

TEST_F(Menus, ItemsLeaveTheirMenuAndTakeTheirSubmenuWithThem) {
    HMENU view = Item("View1")->Handle();
    HMENU language = Item("Language1")->Handle();
    delete Item("Language1");
    EXPECT_FALSE(IsMenu(language));
    // Without children View1 is a plain command: no submenu any more.
    EXPECT_FALSE(IsMenu(view));
    EXPECT_FALSE(Item("View1")->HandleAllocated());
    EXPECT_EQ(form->Find<TMenuItem>("English1"), nullptr); // children went with it
    EXPECT_THROW(Item("File1")->Add(Item("File1")), EMenuError);
    TMenuItem* quit = Item("Quit1");
    Item("View1")->Add(quit); // moves
    EXPECT_EQ(Item("File1")->IndexOf(quit), -1);
    EXPECT_EQ(MenuString(Item("View1")->Handle(), 0), L"&Quit\tCtrl+Q");
    EXPECT_EQ(GetMenuItemCount(Item("File1")->Handle()), 3);
}

// Owner draw through real menus: the system asks for sizes and drawings while it shows them.
namespace {
struct OwnerDrawLog {
    int measures = 0, draws = 0;
    bool hadDc = false;
    TMenuItem* item = nullptr;
};
OwnerDrawLog* g_log = nullptr;

void Hook(TMenuItem& item, OwnerDrawLog& log) {
    item.OnMeasureItem = [&log](TObject*, TCanvas& canvas, int& w, int& h) {
        ++log.measures;
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        w += 40;
        h = 24;
        log.hadDc = log.hadDc || canvas.HandleAllocated();
    };
    item.OnAdvancedDrawItem = [&log](TObject* sender, TCanvas& canvas, const RECT& r,
                                     TOwnerDrawState) {
        ++log.draws;
        log.item = static_cast<TMenuItem*>(sender);
        EXPECT_EQ(r.bottom - r.top, 24);
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(r);
    };
}

// Closes the open menu once it has been drawn (or after a while).
void CALLBACK CloseMenuTimer(HWND, UINT, UINT_PTR id, DWORD) {
    static int ticks = 0;
    if ((g_log && g_log->draws > 0) || ++ticks > 40) {
        KillTimer(nullptr, id);
        EndMenu();
    }
}
} // namespace

TEST_F(Menus, PopupMenuItemsMeasureAndDrawThroughTheirEvents) {
    auto* popup = new TPopupMenu(form);
    popup->SetOwnerDraw(true);
    auto* item = new TMenuItem(form);
    item->SetCaption("&Show");
    popup->Items()->Add(item);
    OwnerDrawLog log;
    Hook(*item, log);
    bool popped = false;
    popup->OnPopup = [&](TObject*) { popped = true; };
    g_log = &log;
    SetTimer(nullptr, 0, 50, CloseMenuTimer);
    popup->Popup(100, 100);
    g_log = nullptr;
    EXPECT_TRUE(popped);
    EXPECT_GE(log.measures, 1);
    EXPECT_TRUE(log.hadDc);
    EXPECT_GE(log.draws, 1);
    EXPECT_EQ(log.item, item);
}

TEST_F(Menus, MainMenuSubmenuItemsMeasureAndDrawAtTheForm) {
    form->Show();
    OwnerDrawLog log;
    Hook(*Item("Quit1"), log);
    g_log = &log;
    SetTimer(nullptr, 0, 50, CloseMenuTimer);
    TrackPopupMenu(Item("File1")->Handle(), TPM_LEFTALIGN, 100, 100, 0, form->Handle(), nullptr);
    g_log = nullptr;
    EXPECT_GE(log.measures, 1);
    EXPECT_GE(log.draws, 1);
    EXPECT_EQ(log.item, Item("Quit1"));
}

TEST_F(Menus, DefaultDrawingShowsSelectionCaptionAndShortCut) {
    TBitmap bitmap;
    bitmap.SetSize(200, 24);
    TMenuItem* quit = Item("Quit1");
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, quit->Command(),
                              0,        0, reinterpret_cast<ULONG_PTR>(quit)};
    ASSERT_EQ(form->Perform(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
    EXPECT_GT(measure.itemWidth, 60u);
    EXPECT_GE(measure.itemHeight, 16u);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = quit->Command();
    draw.itemState = ODS_SELECTED;
    draw.hDC = bitmap.Canvas().Handle();
    draw.rcItem = {0, 0, 200, 24};
    draw.itemData = reinterpret_cast<ULONG_PTR>(quit);
    ASSERT_EQ(form->Perform(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    HDC dc = bitmap.Canvas().Handle();
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(GetPixel(dc, 1, 1), highlight);
    auto textIn = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 4; y < 20; ++y)
                if (GetPixel(dc, x, y) != highlight) return true;
        return false;
    };
    EXPECT_TRUE(textIn(20, 80));   // the caption after the glyph box
    EXPECT_TRUE(textIn(120, 190)); // the shortcut text, right aligned
    EXPECT_FALSE(textIn(0, 18));   // no image, not checked: the glyph box is empty
    // Item data that is no item of this form's menus is not followed.
    draw.itemData = reinterpret_cast<ULONG_PTR>(&bitmap);
    EXPECT_EQ(form->Perform(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), 0);
}

TEST_F(Menus, AcceleratorsOfOwnerDrawnItemsAreFound) {
    HMENU file = Item("File1")->Handle();
    auto menuChar = [&](wchar_t key) {
        return form->Perform(WM_MENUCHAR, MAKEWPARAM(key, MF_POPUP),
                             reinterpret_cast<LPARAM>(file));
    };
    EXPECT_EQ(menuChar(L'q'), MAKELRESULT(3, MNC_EXECUTE));
    EXPECT_EQ(menuChar(L'C'), MAKELRESULT(1, MNC_EXECUTE));
    Item("Close1")->SetVisible(false); // hidden items take no position
    EXPECT_EQ(menuChar(L'q'), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(menuChar(L'z'), 0); // nothing: the system's default answer
}
