// The two Chinese interface languages, each in a process running with its own code page.
// The suites skip themselves in other processes, and fail where the test run asked for the code
// page (KV_REQUIRE_CODE_PAGE) but the process did not get it.
#include "AppFixture.h"

#include "app/EditActionList.h"
#include "app/AboutFrm.h"
#include "app/logic/Texts.h"

#include <cstdlib>

using namespace kv::app;
using namespace kv::app::testing;

namespace {

struct Expected {
    UINT codePage;
    const char* languageId;
    uint8_t language;
    TMenuItem* TForm1::*menuItem;
    BYTE charset;
    const char* face;
    const char* open;
    const char* openHint;
    const char* close;
    const char* show;
    const char* hide;
    const char* about;
    const char* aboutHint;
    const char* edit;
    const char* associate;
    const char* file;
    const char* view;
    const char* help;
    const char* listFile;
    const char* editorLabel1;
    const char* editorAdd;
    const char* editorSave;
    const char* mustInput;
    const char* associateOk;
    const char* aboutTitle;
    const char* notInstalledStart;
    const char* unable;
};

const Expected kSimplified = {936,
                              "2",
                              kSimplifiedChinese,
                              &TForm1::ChineseSimple1,
                              GB2312_CHARSET,
                              "宋体",
                              "打开(&F)",
                              "打开动画文件",
                              "关闭(&C)",
                              "显示动画(&S)",
                              "隐藏动画(&H)",
                              "关于(&A)",
                              "关于本软件",
                              "编辑动作列表",
                              "设置文件关联",
                              "文件(&F)",
                              "显示(&V)",
                              "帮助(&H)",
                              "Action.Sim",
                              "动作列表",
                              "增加",
                              "存盘退出",
                              "动作和说明必须输入!",
                              "文件关联成功！",
                              "关于...",
                              "你的电脑没有安装Microsoft Agent支持文件\r\n",
                              "Pip不会Wave!"};
const Expected kTraditional = {950,
                               "3",
                               kBig5,
                               &TForm1::Big51,
                               CHINESEBIG5_CHARSET,
                               "細明體",
                               "打開(&F)",
                               "打開動畫文件",
                               "關閉(&C)",
                               "顯示動畫(&S)",
                               "隱藏動畫(&H)",
                               "關於(&A)",
                               "關於本軟體",
                               "編輯動作列表",
                               "設置文件關聯",
                               "檔案(&F)",
                               "檢視(&V)",
                               "關於(&H)",
                               "Action.Tra",
                               "動作列表",
                               "增加",
                               "存盤退出",
                               "動作和描述必須輸入!",
                               "設置文件關聯成功!",
                               "關於...",
                               "您的電腦沒有安裝Microsoft Agent支持軟體\r\n",
                               "Pip不會Wave!"};

class ChineseLanguage : public AppTest {
protected:
    std::string T(const char* utf8) const { return CodePageText(e_->codePage, utf8); }
    void SetExpected(const Expected& e) { e_ = &e; }
    bool Ready() const { return HaveCodePage(e_->codePage); }
    static bool Required() { return std::getenv("KV_REQUIRE_CODE_PAGE") != nullptr; }

    void StartsWithItsTextsAndFont() {
        WriteLanguageId(e_->languageId);
        TForm1& form = Start();
        EXPECT_EQ(InterfaceLanguage, e_->language);
        EXPECT_TRUE(Checked(form.*(e_->menuItem)));
        EXPECT_FALSE(Checked(form_->English1));
        EXPECT_EQ(MenuText(form_->Open1), T(e_->open) + "\tCtrl+O");
        EXPECT_EQ(form.OpenAgent->Hint(), T(e_->openHint));
        EXPECT_EQ(MenuText(form_->Close1), T(e_->close) + "\tCtrl+U");
        EXPECT_EQ(MenuText(form_->Show1), T(e_->show) + "\tCtrl+S");
        EXPECT_EQ(MenuText(form_->Hide1), T(e_->hide) + "\tCtrl+H");
        EXPECT_EQ(MenuText(form_->About2), T(e_->about) + "\tF1");
        EXPECT_EQ(form.About->Hint(), T(e_->aboutHint));
        EXPECT_EQ(MenuText(form_->EditActionList1), T(e_->edit));
        EXPECT_EQ(MenuText(form_->CreateFileAssociated1), T(e_->associate));
        EXPECT_EQ(TopMenuText(0), T(e_->file));
        EXPECT_EQ(TopMenuText(1), T(e_->view));
        EXPECT_EQ(TopMenuText(2), T(e_->help));
        EXPECT_EQ(MenuText(form_->English1), "English"); // never translated
        EXPECT_EQ(WindowText(form.Handle()), "Kelvorine");
        LOGFONTA lf = FontOf(&form);
        EXPECT_EQ(lf.lfCharSet, e_->charset);
        EXPECT_EQ(std::string(lf.lfFaceName), T(e_->face));
        EXPECT_EQ(lf.lfHeight, -12);
        EXPECT_EQ(FontOf(form.ListBox1->Handle()).lfCharSet, GB2312_CHARSET); // the list keeps its own
        // Switching to English while running: English texts, the Chinese font stays.
        Command(form_->English1);
        EXPECT_EQ(MenuText(form_->Open1), "&Open\tCtrl+O");
        EXPECT_EQ(FontOf(&form).lfCharSet, e_->charset);
    }

    void ListFileEditorAndMessages() {
        WriteLanguageId(e_->languageId);
        WriteFile(e_->listFile, "Wave;" + T("你好") + "\r\n");
        TForm1& form = Start({"C:\\x\\Pip.acs"});
        EXPECT_EQ(form.ListItems(), (std::vector<std::string>{T("你好")}));
        OnModal([&](HWND window) {
            auto& editor = dynamic_cast<TForm2&>(*TWinControl::FromHandle(window));
            EXPECT_EQ(editor.Label1->Caption(), T(e_->editorLabel1));
            EXPECT_EQ(WindowText(editor.Button2->Handle()), T(e_->editorAdd));
            EXPECT_EQ(WindowText(editor.Button1->Handle()), T(e_->editorSave));
            EXPECT_EQ(WindowText(window), "Edit Action List");
            EXPECT_EQ(FontOf(editor.Button1->Handle()).lfCharSet, e_->charset);
            // An empty description is refused in the Chinese languages.
            SetWindowTextA(editor.Edit1->Handle(), "Read");
            SetWindowTextA(editor.Edit2->Handle(), " ");
            SendMessageA(editor.Button2->Handle(), BM_CLICK, 0, 0);
            EXPECT_EQ(Texts(), (std::vector<std::string>{T(e_->mustInput)}));
            PostMessageA(window, WM_CLOSE, 0, 0);
        });
        Command(form_->EditActionList1);
        agent_->SetAnimations({L"Greet"});
        agent_->ClearLog();
        DoubleClick(0);
        auto log = Log();
        ASSERT_EQ(log.size(), 3u);
        EXPECT_EQ(log[2], std::string("Bob.Speak(\"Pip") +
                              (e_->language == kBig5 ? "不會" : "不会") + "Wave!\", \"\")");
        messages_.clear();
        SetProgramPathForTests("C:\\K\\Kelvorine.exe");
        Command(form_->CreateFileAssociated1);
        EXPECT_EQ(Texts(), (std::vector<std::string>{T(e_->associateOk)}));
        OnModal([&](HWND window) {
            EXPECT_EQ(WindowText(window), T(e_->aboutTitle));
            auto* about = dynamic_cast<TAboutForm*>(TWinControl::FromHandle(window));
            ASSERT_NE(about, nullptr);
            LOGFONTA lf = FontOf(about->Label1);
            EXPECT_EQ(lf.lfCharSet, e_->charset);
            EXPECT_EQ(lf.lfHeight, -12); // 9 points in the Chinese languages
            EXPECT_EQ(WindowText(about->Button1->Handle()), "&Ok");
            about->Image1->Click();
            PostMessageA(window, WM_CLOSE, 0, 0);
        });
        Command(form_->About2);
        EXPECT_EQ(opened_, (std::vector<std::string>{"http://kelvorine.example.org/"}));
    }

    void NotInstalledMessage() {
        WriteLanguageId(e_->languageId);
        kv::agent::testing::RecordingAgent::RemoveFallback();
        SetEnvironmentVariableA("KELVORINE_AGENT", "system");
        Start();
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text.rfind(T(e_->notInstalledStart), 0), 0u);
        EXPECT_NE(messages_[0].text.find("kelvorine.example.org"), std::string::npos);
    }

    const Expected* e_ = nullptr;
};

class SimplifiedChinese : public ChineseLanguage {
    void SetUp() override {
        SetExpected(kSimplified);
        if (!Ready() && Required()) FAIL() << "code page " << GetACP() << ", not 936";
        if (!Ready()) GTEST_SKIP() << "needs code page 936 (LANG=zh_CN.UTF-8)";
        ChineseLanguage::SetUp();
    }
};

class Big5 : public ChineseLanguage {
    void SetUp() override {
        SetExpected(kTraditional);
        if (!Ready() && Required()) FAIL() << "code page " << GetACP() << ", not 950";
        if (!Ready()) GTEST_SKIP() << "needs code page 950 (LANG=zh_TW.UTF-8)";
        ChineseLanguage::SetUp();
    }
};

} // namespace

TEST_F(SimplifiedChinese, StartsWithItsTextsAndFont) {
    StartsWithItsTextsAndFont();
}
TEST_F(SimplifiedChinese, ListFileEditorAndMessages) {
    ListFileEditorAndMessages();
}
TEST_F(SimplifiedChinese, NotInstalledMessage) {
    NotInstalledMessage();
}
TEST_F(Big5, StartsWithItsTextsAndFont) {
    StartsWithItsTextsAndFont();
}
TEST_F(Big5, ListFileEditorAndMessages) {
    ListFileEditorAndMessages();
}
TEST_F(Big5, NotInstalledMessage) {
    NotInstalledMessage();
}
