// Start-up with every kind of settings file, and switching languages while running.
#include "AppFixture.h"

#include "app/logic/BuiltinNames.h"
#include "app/logic/Texts.h"

using namespace kv::app;
using namespace kv::app::testing;

namespace {

class Startup : public AppTest {
protected:
    void ExpectEnglishTexts() {
        EXPECT_EQ(MenuText(form_->Open1), "&Open\tCtrl+O");
        EXPECT_EQ(MenuText(form_->Close1), "&Close\tCtrl+U");
        EXPECT_EQ(MenuText(form_->Quit1), "&Quit\tCtrl+Q");
        EXPECT_EQ(MenuText(form_->Show1), "&Show\tCtrl+S");
        EXPECT_EQ(MenuText(form_->Hide1), "&Hide\tCtrl+H");
        EXPECT_EQ(MenuText(form_->About2), "&About\tF1");
        EXPECT_EQ(MenuText(form_->EditActionList1), "Edit Action List");
        EXPECT_EQ(MenuText(form_->CreateFileAssociated1), "Set File Associate");
        EXPECT_EQ(TopMenuText(0), "&File");
        EXPECT_EQ(TopMenuText(1), "&View");
        EXPECT_EQ(TopMenuText(2), "&Help");
        EXPECT_EQ(form_->OpenAgent->Hint(), "Open"); // the design "Open File" is replaced
        EXPECT_EQ(form_->CloseAgent->Hint(), "Close");
        EXPECT_EQ(form_->ShowAgent->Hint(), "Show");
        EXPECT_EQ(form_->HideAgent->Hint(), "Hide");
        EXPECT_EQ(form_->About->Hint(), "About");
        EXPECT_EQ(MenuText(form_->English1), "English");
        EXPECT_EQ(MenuText(form_->ChineseSimple1), "Chinese Simple");
        EXPECT_EQ(MenuText(form_->Big51), "Big5");
    }
    void ExpectBuiltinList() {
        auto items = form_->ListItems();
        ASSERT_EQ(items.size(), 84u);
        EXPECT_EQ(items.front(), "Acknowledge");
        EXPECT_EQ(items.back(), "WritReturn");
        ASSERT_NE(form_->ActionNames.get(), nullptr);
        EXPECT_EQ(*form_->ActionNames, items);
        EXPECT_EQ(SelectedIndex(form_->ListBox1->Handle()), 0);
    }
};

} // namespace

TEST_F(Startup, WithoutSettingsFileEnglishWithItsFont) {
    TForm1& form = Start();
    EXPECT_EQ(WindowText(form.Handle()), "Kelvorine");
    EXPECT_EQ(InterfaceLanguage, 0);
    EXPECT_EQ(AppDir, dir_);
    EXPECT_TRUE(Checked(form_->English1));
    ExpectEnglishTexts();
    ExpectBuiltinList();
    LOGFONTA lf = FontOf(&form);
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfHeight, -12); // 9 points: the language font was set
    EXPECT_EQ(FontOf(form.Label1).lfHeight, -12);
    LOGFONTA list = FontOf(form.ListBox1->Handle());
    EXPECT_EQ(list.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(list.lfHeight, -13);
    LOGFONTA web = FontOf(form.Label2);
    EXPECT_EQ(web.lfHeight, -13);
    EXPECT_EQ(web.lfWeight, FW_BOLD);
    EXPECT_EQ(form.Label2->Caption(), "kelvorine.example.org");
    EXPECT_EQ(form.Label1->Caption(), "");
    EXPECT_FALSE(app_->Terminated());
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(Exists("Kelvorine.ini")); // reading never writes
}

TEST_F(Startup, LayoutOfTheMainWindow) {
    TForm1& form = Start();
    RECT outer;
    GetWindowRect(form.Handle(), &outer);
    RECT client, bar, list, status;
    GetClientRect(form.Handle(), &client);
    // The stored 336 x 297 window keeps its client area inside the default skin's frame.
    EXPECT_EQ(outer.right - outer.left, 336);
    EXPECT_EQ(client.bottom, 251);
    EXPECT_EQ(outer.bottom - outer.top, 304);
    GetWindowRect(form.ToolBar1->Handle(), &bar);
    GetWindowRect(form.ListBox1->Handle(), &list);
    status = {form.Label1->Left(), form.Label1->Top(), form.Label1->Left() + form.Label1->Width(),
              form.Label1->Top() + form.Label1->Height()};
    MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_EQ(bar.bottom - bar.top, 24);
    EXPECT_EQ(status.bottom - status.top, 22);
    EXPECT_EQ(list.top, bar.bottom);
    EXPECT_EQ(list.bottom, status.top);
    EXPECT_EQ(status.right - status.left, client.right);
    // The window cannot be made wider than its design width.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 600, 297, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(form.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 336);
    EXPECT_EQ(SendMessageA(form.ToolBar1->Handle(), TB_BUTTONCOUNT, 0, 0), 8);
    TBBUTTON b = {};
    SendMessageA(form.ToolBar1->Handle(), TB_GETBUTTON, 6, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, form.ToolButton6->CommandId());
    EXPECT_EQ(b.iBitmap, 4);
    RECT r = {};
    SendMessageA(form.ToolBar1->Handle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right - r.left, 52);
}

TEST_F(Startup, SettingsValuesOutsideOneToThree) {
    struct Case {
        const char* value;
        LONG height; // -12: the language font was set; -11: the design font stayed
    };
    for (Case c : {Case{"1", -12}, Case{"4", -12}, Case{"99", -12}, Case{"0", -11}, Case{"-1", -11},
                   Case{"garbage", -12}, Case{"", -12}}) {
        SCOPED_TRACE(c.value);
        WriteLanguageId(c.value);
        InterfaceLanguage = 0;
        TForm1& form = Start();
        EXPECT_EQ(InterfaceLanguage, 0);
        EXPECT_TRUE(Checked(form_->English1));
        EXPECT_FALSE(Checked(form_->ChineseSimple1));
        EXPECT_EQ(FontOf(&form).lfHeight, c.height);
        ExpectEnglishTexts();
        Stop();
    }
}

TEST_F(Startup, DamagedSettingsFilesNeverStopTheStart) {
    WriteFile("Kelvorine.ini", std::string(200000, 'x') +
                                   "\n[InterFace]\nLanguageID=" + std::string(5000, '3') + "\n");
    Start();
    EXPECT_EQ(InterfaceLanguage, 0);
    Stop();
    WriteFile("Kelvorine.ini", std::string("\0\xff\xfe[InterFace\r\r\n=\n", 18));
    Start();
    EXPECT_TRUE(Checked(form_->English1));
}

TEST_F(Startup, PickingALanguageRewritesTheValueAndReloadsTheList) {
    WriteFile("Action.Cfg", "Wave;Say goodbye\r\nGreet;Say hello\r\n");
    TForm1& form = Start();
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Say goodbye", "Say hello"}));
    // Picking the language in force reloads its list and writes the value.
    WriteFile("Action.Cfg", "Read;Read a book\r\n");
    Command(form_->English1);
    EXPECT_EQ(IniValue(), "1");
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Read a book"}));
    EXPECT_EQ(*form.ActionNames, (std::vector<std::string>{"Read"}));
    // A language without a file keeps the shown texts, which become the names.
    Command(form_->ChineseSimple1);
    EXPECT_EQ(IniValue(), "2");
    EXPECT_EQ(InterfaceLanguage, 1);
    EXPECT_TRUE(Checked(form_->ChineseSimple1));
    EXPECT_FALSE(Checked(form_->English1));
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Read a book"}));
    EXPECT_EQ(*form.ActionNames, (std::vector<std::string>{"Read a book"}));
    Command(form_->Big51);
    EXPECT_EQ(IniValue(), "3");
    EXPECT_EQ(InterfaceLanguage, 2);
    // The main window keeps its start-up font.
    EXPECT_EQ(FontOf(&form).lfHeight, -12);
    EXPECT_STREQ(FontOf(&form).lfFaceName, "MS Sans Serif");
    Command(form_->English1);
    ExpectEnglishTexts();
}

TEST_F(Startup, AnUnwritableSettingsFileIsReportedNotIgnored) {
    TForm1& form = Start();
    CreateDirectoryA((dir_ + "Kelvorine.ini").c_str(), nullptr);
    Command(form_->Big51);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].text.find("Kelvorine.ini"), std::string::npos);
    EXPECT_EQ(messages_[0].caption, "MS Kelvorine");
    EXPECT_TRUE(messages_[0].type & MB_ICONSTOP);
    EXPECT_EQ(InterfaceLanguage, 2); // the language itself did change
    (void)form;
}

TEST_F(Startup, ActionListFileRules) {
    WriteFile("Action.Cfg", "Wave;Bye; now\rPlain line\n\r\nGreet;\r\n;Nameless");
    TForm1& form = Start();
    EXPECT_EQ(form.ListItems(),
              (std::vector<std::string>{"Bye; now", "Plain line", "", "", "Nameless"}));
    EXPECT_EQ(*form.ActionNames, (std::vector<std::string>{"Wave", "", "", "Greet", ""}));
    EXPECT_EQ(SelectedIndex(form.ListBox1->Handle()), 0);
}

TEST_F(Startup, HostileActionListsNeverCrash) {
    std::string garbage;
    for (int i = 0; i < 300000; ++i) garbage.push_back(char((i * 7919) & 0xFF));
    WriteFile("Action.Cfg", garbage);
    TForm1& form = Start();
    ASSERT_NE(form.ActionNames.get(), nullptr);
    EXPECT_EQ(form.ActionNames.get()->size(), form.ListItems().size());
    Stop();
    WriteFile("Action.Cfg", std::string(1 << 20, 'a') + ";" + std::string(1 << 20, 'b'));
    TForm1& second = Start();
    EXPECT_EQ(second.ListItems().size(), 1u);
    EXPECT_EQ(second.ActionNames.get()->at(0).size(), size_t(1) << 20);
}

TEST_F(Startup, ToolbarTooltipsShowTheHintsOfEachLanguage) {
    TForm1& form = Start();
    auto tip = [&](TToolButton* button) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(form.ToolBar1->Handle(), TB_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = UINT_PTR(button->CommandId());
        info.hdr.code = TTN_GETDISPINFOA;
        SendMessageA(form.ToolBar1->Handle(), WM_NOTIFY, info.hdr.idFrom,
                     reinterpret_cast<LPARAM>(&info));
        return std::string(info.lpszText ? info.lpszText : "");
    };
    for (TMenuItem* item : {form.ChineseSimple1, form.Big51, form.English1}) {
        Command(item);
        const LanguageTexts& t = TextsFor(InterfaceLanguage);
        SCOPED_TRACE(int(InterfaceLanguage));
        EXPECT_EQ(tip(form.ToolButton1), t.openHint);
        EXPECT_EQ(tip(form.ToolButton2), t.closeHint);
        EXPECT_EQ(tip(form.ToolButton3), t.showHint);
        EXPECT_EQ(tip(form.ToolButton4), t.hideHint);
        EXPECT_EQ(tip(form.ToolButton6), t.aboutHint);
    }
    EXPECT_EQ(InterfaceLanguage, 0);
}
