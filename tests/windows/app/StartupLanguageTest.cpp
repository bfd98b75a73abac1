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
        EXPECT_EQ(MenuText(cmOpenAgent), "&Open\tCtrl+O");
        EXPECT_EQ(MenuText(cmCloseAgent), "&Close\tCtrl+U");
        EXPECT_EQ(MenuText(cmQuitProgram), "&Quit\tCtrl+Q");
        EXPECT_EQ(MenuText(cmShowAgent), "&Show\tCtrl+S");
        EXPECT_EQ(MenuText(cmHideAgent), "&Hide\tCtrl+H");
        EXPECT_EQ(MenuText(cmAbout), "&About\tF1");
        EXPECT_EQ(MenuText(cmEditActionList), "Edit Action List");
        EXPECT_EQ(MenuText(cmFileAssociated), "Set File Associate");
        EXPECT_EQ(TopMenuText(0), "&File");
        EXPECT_EQ(TopMenuText(1), "&View");
        EXPECT_EQ(TopMenuText(2), "&Help");
        EXPECT_EQ(form_->ActionHint(cmOpenAgent), "Open"); // the design "Open File" is replaced
        EXPECT_EQ(form_->ActionHint(cmCloseAgent), "Close");
        EXPECT_EQ(form_->ActionHint(cmShowAgent), "Show");
        EXPECT_EQ(form_->ActionHint(cmHideAgent), "Hide");
        EXPECT_EQ(form_->ActionHint(cmAbout), "About");
        EXPECT_EQ(MenuText(cmEnglish), "English");
        EXPECT_EQ(MenuText(cmChineseSimple), "Chinese Simple");
        EXPECT_EQ(MenuText(cmBig5), "Big5");
    }
    void ExpectBuiltinList() {
        auto items = form_->ListItems();
        ASSERT_EQ(items.size(), 84u);
        EXPECT_EQ(items.front(), "Acknowledge");
        EXPECT_EQ(items.back(), "WritReturn");
        ASSERT_NE(form_->ActionNames(), nullptr);
        EXPECT_EQ(*form_->ActionNames(), items);
        EXPECT_EQ(SelectedIndex(form_->ListBox1()), 0);
    }
};

} // namespace

TEST_F(Startup, WithoutSettingsFileEnglishWithItsFont) {
    TForm1& form = Start();
    EXPECT_EQ(WindowText(form.Hwnd()), "Kelvorine");
    EXPECT_EQ(InterfaceLanguage, 0);
    EXPECT_EQ(AppDir, dir_);
    EXPECT_TRUE(Checked(cmEnglish));
    ExpectEnglishTexts();
    ExpectBuiltinList();
    LOGFONTA lf = FontOf(form.Hwnd());
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(lf.lfHeight, -12); // 9 points: the spec font was set
    EXPECT_EQ(FontOf(form.Label1()).lfHeight, -12);
    LOGFONTA list = FontOf(form.ListBox1());
    EXPECT_EQ(list.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(list.lfHeight, -13);
    LOGFONTA web = FontOf(form.Label2());
    EXPECT_EQ(web.lfHeight, -13);
    EXPECT_EQ(web.lfWeight, FW_BOLD);
    EXPECT_EQ(WindowText(form.Label2()), "kelvorine.example.org");
    EXPECT_EQ(WindowText(form.Label1()), "");
    EXPECT_FALSE(form.Terminated());
    EXPECT_TRUE(messages_.empty());
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(Exists("Kelvorine.ini")); // reading never writes
}

TEST_F(Startup, LayoutOfTheMainWindow) {
    TForm1& form = Start();
    RECT outer;
    GetWindowRect(form.Hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, 336);
    EXPECT_EQ(outer.bottom - outer.top, 297);
    RECT client, bar, list, status;
    GetClientRect(form.Hwnd(), &client);
    GetWindowRect(form.ToolBar1(), &bar);
    GetWindowRect(form.ListBox1(), &list);
    GetWindowRect(form.Label1(), &status);
    EXPECT_EQ(bar.bottom - bar.top, 24);
    EXPECT_EQ(status.bottom - status.top, 22);
    EXPECT_EQ(list.top, bar.bottom);
    EXPECT_EQ(list.bottom, status.top);
    EXPECT_EQ(status.right - status.left, client.right);
    // The window cannot be made wider than its design width.
    SetWindowPos(form.Hwnd(), nullptr, 0, 0, 600, 297, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(form.Hwnd(), &outer);
    EXPECT_EQ(outer.right - outer.left, 336);
    EXPECT_EQ(SendMessageA(form.ToolBar1(), TB_BUTTONCOUNT, 0, 0), 8);
    TBBUTTON b = {};
    SendMessageA(form.ToolBar1(), TB_GETBUTTON, 6, reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(b.idCommand, cmAbout);
    EXPECT_EQ(b.iBitmap, 4);
    RECT r = {};
    SendMessageA(form.ToolBar1(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
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
        EXPECT_TRUE(Checked(cmEnglish));
        EXPECT_FALSE(Checked(cmChineseSimple));
        EXPECT_EQ(FontOf(form.Hwnd()).lfHeight, c.height);
        ExpectEnglishTexts();
        form_.reset();
    }
}

TEST_F(Startup, DamagedSettingsFilesNeverStopTheStart) {
    WriteFile("Kelvorine.ini", std::string(200000, 'x') +
                                   "\n[InterFace]\nLanguageID=" + std::string(5000, '3') + "\n");
    Start();
    EXPECT_EQ(InterfaceLanguage, 0);
    form_.reset();
    WriteFile("Kelvorine.ini", std::string("\0\xff\xfe[InterFace\r\r\n=\n", 18));
    Start();
    EXPECT_TRUE(Checked(cmEnglish));
}

TEST_F(Startup, PickingALanguageRewritesTheValueAndReloadsTheList) {
    WriteFile("Action.Cfg", "Wave;Say goodbye\r\nGreet;Say hello\r\n");
    TForm1& form = Start();
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Say goodbye", "Say hello"}));
    // Picking the language in force reloads its list and writes the value.
    WriteFile("Action.Cfg", "Read;Read a book\r\n");
    Command(cmEnglish);
    EXPECT_EQ(IniValue(), "1");
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Read a book"}));
    EXPECT_EQ(*form.ActionNames(), (std::vector<std::string>{"Read"}));
    // A language without a file keeps the shown texts, which become the names.
    Command(cmChineseSimple);
    EXPECT_EQ(IniValue(), "2");
    EXPECT_EQ(InterfaceLanguage, 1);
    EXPECT_TRUE(Checked(cmChineseSimple));
    EXPECT_FALSE(Checked(cmEnglish));
    EXPECT_EQ(form.ListItems(), (std::vector<std::string>{"Read a book"}));
    EXPECT_EQ(*form.ActionNames(), (std::vector<std::string>{"Read a book"}));
    Command(cmBig5);
    EXPECT_EQ(IniValue(), "3");
    EXPECT_EQ(InterfaceLanguage, 2);
    // The main window keeps its start-up font.
    EXPECT_EQ(FontOf(form.Hwnd()).lfHeight, -12);
    EXPECT_STREQ(FontOf(form.Hwnd()).lfFaceName, "MS Sans Serif");
    Command(cmEnglish);
    ExpectEnglishTexts();
}

TEST_F(Startup, AnUnwritableSettingsFileIsReportedNotIgnored) {
    TForm1& form = Start();
    CreateDirectoryA((dir_ + "Kelvorine.ini").c_str(), nullptr);
    Command(cmBig5);
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
    EXPECT_EQ(*form.ActionNames(), (std::vector<std::string>{"Wave", "", "", "Greet", ""}));
    EXPECT_EQ(SelectedIndex(form.ListBox1()), 0);
}

TEST_F(Startup, HostileActionListsNeverCrash) {
    std::string garbage;
    for (int i = 0; i < 300000; ++i) garbage.push_back(char((i * 7919) & 0xFF));
    WriteFile("Action.Cfg", garbage);
    TForm1& form = Start();
    ASSERT_NE(form.ActionNames(), nullptr);
    EXPECT_EQ(form.ActionNames()->size(), form.ListItems().size());
    form_.reset();
    WriteFile("Action.Cfg", std::string(1 << 20, 'a') + ";" + std::string(1 << 20, 'b'));
    TForm1& second = Start();
    EXPECT_EQ(second.ListItems().size(), 1u);
    EXPECT_EQ(second.ActionNames()->at(0).size(), size_t(1) << 20);
}
