// Opening characters, playing, and every failure of the control's calls.
#include "AppFixture.h"

#include <windows.h>
#include <commdlg.h>

using namespace kv::app;
using namespace kv::app::testing;
using Calls = std::vector<std::string>;

namespace {

const std::string kPath = "C:\\Characters\\Pip.acs";
const std::string kOther = "C:\\Other Place\\Merlin.v2.acs";

Calls Greeting(const std::string& path) {
    return {"Characters.Unload(\"Bob\")",
            "Characters.Load(\"Bob\", \"" + path + "\")",
            "Characters.Character(\"Bob\")",
            "Bob.MoveTo(200, 300, 2)",
            "Bob.LanguageID = 1033",
            "Bob.Show(0)",
            "Bob.Speak(\"Hello, can i help you?\")"};
}

class Character : public AppTest {};

} // namespace

TEST_F(Character, OpenThroughTheMenuLoadsShowsAndGreets) {
    TForm1& form = Start();
    dialogAnswer_ = kPath;
    Command(form_->Open1);
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0].title, "Open File");
    EXPECT_EQ(dialogs_[0].filter, "MS Agent Character(*.acs)|*.acs");
    EXPECT_EQ(dialogs_[0].options, ofHideReadOnly | ofPathMustExist | ofFileMustExist |
                                       ofNoNetworkButton | ofEnableSizing);
    EXPECT_EQ(Log(), Greeting(kPath));
    EXPECT_EQ(form.Label1->Caption(), kPath);
    EXPECT_EQ(form.CharacterName, "Pip");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Character, CancelDoesNothing) {
    Start();
    dialogAnswer_.reset();
    Command(form_->Open1);
    EXPECT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(Log().empty());
}

TEST_F(Character, OpenThroughTheToolbarButtonAndCtrlO) {
    TForm1& form = Start();
    dialogAnswer_ = kPath;
    RECT r = {};
    SendMessageA(form.ToolBar1->Handle(), TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(form.ToolBar1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(form.ToolBar1->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
    EXPECT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(Log(), Greeting(kPath));

    agent_->ClearLog();
    dialogAnswer_ = kOther;
    PressKey('O', true);
    EXPECT_EQ(dialogs_.size(), 2u);
    EXPECT_EQ(Log(), Greeting(kOther));
    EXPECT_EQ(form.CharacterName, "Merlin.v2");
}

TEST_F(Character, CommandLineFileOpensAtStartAndOnlyTheFirstArgumentCounts) {
    TForm1& form = Start({kOther, "ignored.acs"});
    EXPECT_EQ(Log(), Greeting(kOther));
    EXPECT_EQ(form.CharacterName, "Merlin.v2");
    EXPECT_EQ(form.Label1->Caption(), kOther);
}

TEST_F(Character, CommandLinePathShowsOnlyAfterASuccessfulLoad) {
    agent_->Fail("Characters.Load", E_FAIL, L"not a character");
    TForm1& form = Start({kPath});
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Can not Open " + kPath}));
    EXPECT_EQ(messages_[0].caption, "MS Kelvorine");
    EXPECT_EQ(form.Label1->Caption(), "");
    EXPECT_EQ(form.CharacterName, "Pip");
}

TEST_F(Character, DialogPathShowsEvenWhenTheLoadFails) {
    TForm1& form = Start();
    agent_->Fail("Characters.Load", E_FAIL, L"not a character");
    dialogAnswer_ = kPath;
    Command(form_->Open1);
    EXPECT_EQ(form.Label1->Caption(), kPath);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Can not Open " + kPath}));
}

TEST_F(Character, AFailedGreetingStillReportsCanNotOpen) {
    Start();
    agent_->Fail("Speak", E_FAIL, L"no voice");
    dialogAnswer_ = kPath;
    Command(form_->Open1);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Can not Open " + kPath}));
    EXPECT_EQ(Log().back(), "Bob.Speak(\"Hello, can i help you?\")");
}

TEST_F(Character, DoubleClickPlaysThePairedName) {
    WriteFile("Action.Cfg", "Wave;Say goodbye\r\nGreet;Say hello\r\n");
    Start({kPath});
    agent_->ClearLog();
    DoubleClick(1);
    EXPECT_EQ(Log(), (Calls{"Bob.StopAll(\"\")", "Bob.Play(\"Greet\")"}));
}

TEST_F(Character, PlayFailureIsSpokenNotShown) {
    Start({kPath});
    agent_->SetAnimations({L"Greet"});
    agent_->ClearLog();
    DoubleClick(0); // Acknowledge
    EXPECT_EQ(Log(), (Calls{"Bob.StopAll(\"\")", "Bob.Play(\"Acknowledge\")",
                            "Bob.Speak(\"Pipis unable to Acknowledge!\", \"\")"}));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Character, DoubleClickBeforeAnyFileDoesNothing) {
    TForm1& form = Start();
    ASSERT_EQ(SelectedIndex(form.ListBox1->Handle()), 0);
    DoubleClick(3);
    EXPECT_TRUE(Log().empty());
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Character, FailedLoadKeepsThePreviousReference) {
    agent_->SetStaleCharactersFail(false);
    TForm1& form = Start({kPath});
    agent_->FailWhen("Characters.Load", std::wstring(kOther.begin(), kOther.end()), E_FAIL, L"bad");
    dialogAnswer_ = kOther;
    Command(form_->Open1);
    EXPECT_EQ(form.CharacterName, "Merlin.v2");
    agent_->SetAnimations({L"Wave"});
    agent_->ClearLog();
    DoubleClick(0);
    // The calls go to the character fetched by the first load, which speaks the new name.
    EXPECT_EQ(Log(), (Calls{"Bob.StopAll(\"\")", "Bob.Play(\"Acknowledge\")",
                            "Bob.Speak(\"Merlin.v2is unable to Acknowledge!\", \"\")"}));
}

TEST_F(Character, StopAllOnNoReferenceReachesTheDefaultErrorReport) {
    Start();
    agent_->Fail("Characters.Load", E_FAIL, L"bad");
    dialogAnswer_ = kPath;
    Command(form_->Open1);
    messages_.clear();
    agent_->ClearLog();
    DoubleClick(0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Invalid variant operation."); // the report ends it with a stop
    EXPECT_EQ(messages_[0].caption, "MS Kelvorine");
    EXPECT_TRUE(messages_[0].type & MB_ICONSTOP);
    EXPECT_TRUE(Log().empty()); // nothing was played
}

TEST_F(Character, StopAllFailingShowsTheErrorsOwnMessage) {
    Start({kPath});
    agent_->Fail("StopAll", E_FAIL, L"The service stopped.");
    agent_->ClearLog();
    DoubleClick(0);
    EXPECT_EQ(Log(), (Calls{"Bob.StopAll(\"\")"}));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"The service stopped."}));
}

TEST_F(Character, ShowHideAndCloseActOnTheCharacterAndFailSilently) {
    TForm1& form = Start();
    Command(form_->Show1);
    Command(form_->Hide1);
    Command(form_->Close1);
    EXPECT_EQ(Log(), (Calls{"Characters.Unload(\"Bob\")"}));
    EXPECT_TRUE(messages_.empty());
    form.ShowFile(kPath);
    agent_->ClearLog();
    Command(form_->Show1);
    Command(form_->Hide1);
    Command(form_->Close1);
    EXPECT_EQ(Log(),
              (Calls{"Bob.Play(\"Show\")", "Bob.Play(\"Hide\")", "Characters.Unload(\"Bob\")"}));
    // Close keeps the name, the status and the reference.
    EXPECT_EQ(form.CharacterName, "");
    EXPECT_EQ(form.Label1->Caption(), kPath);
    agent_->Fail("Characters.Unload", E_FAIL, L"x");
    Command(form_->Close1);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Character, SecondOpenUnloadsTheFirst) {
    Start({kPath});
    dialogAnswer_ = kOther;
    Command(form_->Open1);
    Calls log = Log();
    EXPECT_EQ(Calls(log.begin() + 7, log.end()), Greeting(kOther));
    EXPECT_FALSE(agent_->IsLoaded(L"Pip"));
    EXPECT_TRUE(agent_->IsLoaded(L"Bob"));
}

TEST_F(Character, MissingControlWithAFileOnTheCommandLine) {
    kv::agent::testing::RecordingAgent::RemoveFallback();
    SetEnvironmentVariableA("KELVORINE_AGENT", "system");
    TForm1& form = Start({kPath});
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0].text, "Your system have not install Microsoft Agent\r\n"
                                 "Please download it from website of Microsoft\r\n"
                                 "or visit kelvorine.example.org to get other infomation");
    EXPECT_EQ(messages_[1].text, "Can not Open " + kPath);
    EXPECT_TRUE(app_->Terminated());
    EXPECT_EQ(form.ActionNames.get(), nullptr);
    // Whatever still reaches the window finds no list and no control, and nothing breaks.
    DoubleClick(0);
    Command(form_->Close1);
    Command(form_->English1);
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    app_->Run(); // the program ends: its loop returns at once
}

TEST_F(Character, QuitClosesTheWindow) {
    TForm1& form = Start();
    Command(form_->Quit1);
    EXPECT_TRUE(app_->Terminated()); // closing the main window ends the program
    EXPECT_EQ(form.ActionNames.get(), nullptr);
}

TEST_F(Character, WebsiteLabelHoverAndClick) {
    TForm1& form = Start();
    HWND bar = form.ToolBar1->Handle();
    TLabel& label = *form.Label2;
    EXPECT_EQ(label.Parent(), form.ToolBar1); // it sits on the toolbar after the buttons
    LPARAM over = MAKELPARAM(label.Left() + 5, label.Top() + 5);
    SendMessageA(bar, WM_MOUSEMOVE, 0, over);
    EXPECT_TRUE(FontOf(&label).lfUnderline);
    EXPECT_EQ(label.Font().Color(), TColor(0x00FF0000)); // pure blue
    EXPECT_EQ(label.Cursor(), crHandPoint);
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(FontOf(&label).lfUnderline);
    EXPECT_EQ(label.Font().Color(), clWindowText);
    EXPECT_EQ(FontOf(&label).lfWeight, FW_BOLD);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, over);
    SendMessageA(bar, WM_LBUTTONUP, 0, over);
    EXPECT_EQ(opened_, (std::vector<std::string>{"http://kelvorine.example.org"}));
}
