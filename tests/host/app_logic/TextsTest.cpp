// The interface texts: the Chinese byte strings must decode, with their own code page, to the
// texts the interface is meant to show; the English ones keep their exact spelling.
#include "app/logic/Texts.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

using namespace kv::app;

namespace {

// Decodes `bytes` from `codePage` to UTF-8 with the C library; "<invalid>" on any error, so a
// mistyped byte shows as a mismatch.
std::string ToUtf8(std::string_view bytes, const char* codePage) {
    iconv_t cd = iconv_open("UTF-8", codePage);
    if (cd == iconv_t(-1)) return "<no converter>";
    std::string in(bytes);
    std::string out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1) || inLeft != 0) return "<invalid>";
    out.resize(out.size() - outLeft);
    return out;
}

struct ChineseText {
    const char* field;
    std::string_view LanguageTexts::*member;
    const char* simplified;
    const char* traditional;
};

const ChineseText kChineseTexts[] = {
    {"openCaption", &LanguageTexts::openCaption, "打开(&F)", "打開(&F)"},
    {"openHint", &LanguageTexts::openHint, "打开动画文件", "打開動畫文件"},
    {"closeCaption", &LanguageTexts::closeCaption, "关闭(&C)", "關閉(&C)"},
    {"closeHint", &LanguageTexts::closeHint, "关闭当前动画", "關閉當前動畫"},
    {"quitCaption", &LanguageTexts::quitCaption, "退出(&Q)", "退出(&Q)"},
    {"showCaption", &LanguageTexts::showCaption, "显示动画(&S)", "顯示動畫(&S)"},
    {"showHint", &LanguageTexts::showHint, "显示动画", "顯示動畫"},
    {"hideCaption", &LanguageTexts::hideCaption, "隐藏动画(&H)", "隱藏動畫(&H)"},
    {"hideHint", &LanguageTexts::hideHint, "隐藏动画", "隱藏動畫"},
    {"aboutCaption", &LanguageTexts::aboutCaption, "关于(&A)", "關於(&A)"},
    {"aboutHint", &LanguageTexts::aboutHint, "关于本软件", "關於本軟體"},
    {"editActionList", &LanguageTexts::editActionList, "编辑动作列表", "編輯動作列表"},
    {"fileAssociated", &LanguageTexts::fileAssociated, "设置文件关联", "設置文件關聯"},
    {"fileMenu", &LanguageTexts::fileMenu, "文件(&F)", "檔案(&F)"},
    {"viewMenu", &LanguageTexts::viewMenu, "显示(&V)", "檢視(&V)"},
    {"helpMenu", &LanguageTexts::helpMenu, "帮助(&H)", "關於(&H)"},
    {"actionListFile", &LanguageTexts::actionListFile, "Action.Sim", "Action.Tra"},
    {"editorLabel1", &LanguageTexts::editorLabel1, "动作列表", "動作列表"},
    {"editorLabel2", &LanguageTexts::editorLabel2, "动作", "動作"},
    {"editorLabel3", &LanguageTexts::editorLabel3, "描述", "描述"},
    {"editorAdd", &LanguageTexts::editorAdd, "增加", "增加"},
    {"editorReplace", &LanguageTexts::editorReplace, "替换", "替換"},
    {"editorDelete", &LanguageTexts::editorDelete, "删除", "刪除"},
    {"editorSaveQuit", &LanguageTexts::editorSaveQuit, "存盘退出", "存盤退出"},
    {"mustInput", &LanguageTexts::mustInput, "动作和说明必须输入!", "動作和描述必須輸入!"},
    {"unableTo", &LanguageTexts::unableTo, "不会", "不會"},
    {"associateOk", &LanguageTexts::associateOk, "文件关联成功！", "設置文件關聯成功!"},
    {"associateFail", &LanguageTexts::associateFail, "文件关联失败！", "設置文件關聯失敗!"},
    {"aboutTitle", &LanguageTexts::aboutTitle, "关于...", "關於..."},
    {"notInstalled", &LanguageTexts::notInstalled,
     "你的电脑没有安装Microsoft "
     "Agent支持文件\r\n请到微软网站下载MSAgent.exe\r\n安装后即可使用本软件查看Agent "
     "Charecter(*.acs)精灵动画文件了\r\n你也可以访问kelvorine.example.org获得相关信息",
     "您的電腦沒有安裝Microsoft "
     "Agent支持軟體\r\n請到微軟網站下載MSAgent.exe\r\n安裝後就可以查看Agent "
     "Charecter(*.acs)精靈動畫文件了\r\n您也可以瀏覽kelvorine.example.org獲得相關信息"},
    {"mainFont", &LanguageTexts::mainFont, "宋体,134,9,[],[clWindowText]",
     "細明體,136,9,[],[clWindowText]"},
    {"editorFont", &LanguageTexts::editorFont, "宋体,134,9,[],[clWindowText]",
     "細明體,136,9,[],[clWindowText]"},
    {"aboutFont", &LanguageTexts::aboutFont, "宋体,134,9,[],[clWindowText]",
     "細明體,136,9,[],[clWindowText]"},
    {"aboutWebTarget", &LanguageTexts::aboutWebTarget, "http://kelvorine.example.org/",
     "http://kelvorine.example.org/"},
    {"aboutBody", &LanguageTexts::aboutBody,
     "本软件用于查看Microsoft "
     "Agent角色动画文件(*.acs)"
     "，并可检查其中包含的动作。本软件是免费软件，可以任意传播、复制和使用。作者已对本软件进行过测"
     "试，但不对其功能作任何承诺，也不承担因使用本软件而引起的任何问题的责任。作者在发布前已对本软"
     "件进行过病毒检查，但软件在传播途中可能被感染，建议用户使用前再次检查。",
     "本軟體用於查看Microsoft "
     "Agent角色動畫文件(*.acs)"
     "，並可檢查其中包含的動作。本軟體是免費軟體，可以任意傳播、複製和使用。作者已對本軟體進行過測"
     "試，但不對其功能作任何承諾，也不承擔因使用本軟體而引起的任何問題的責任。是否使用本軟體完全由"
     "用戶自己決定，並自行承擔其後果。"},
};

} // namespace

TEST(InterfaceTexts, ChineseBytesDecodeWithTheirOwnCodePage) {
    for (const auto& text : kChineseTexts) {
        SCOPED_TRACE(text.field);
        EXPECT_EQ(ToUtf8(TextsFor(kSimplifiedChinese).*text.member, "GB2312"), text.simplified);
        EXPECT_EQ(ToUtf8(TextsFor(kBig5).*text.member, "CP950"), text.traditional);
    }
}

TEST(InterfaceTexts, EnglishKeepsItsExactSpelling) {
    const LanguageTexts& en = TextsFor(kEnglish);
    EXPECT_EQ(en.openHint, "Open"); // the design hint "Open File" is replaced
    EXPECT_EQ(en.aboutHint, "About");
    EXPECT_EQ(en.editorSaveQuit, "&Save&&Quit");
    EXPECT_EQ(en.editorLabel1, "Action &List");
    EXPECT_EQ(en.mustInput, "The Action Must Input!");
    EXPECT_EQ(en.associateOk, "Set File Associate Ok!");
    EXPECT_EQ(en.associateFail, "Set File Associate Fail!");
    EXPECT_EQ(en.notInstalled, "Your system have not install Microsoft Agent\r\n"
                               "Please download it from website of Microsoft\r\n"
                               "or visit kelvorine.example.org to get other infomation");
    EXPECT_EQ(en.aboutFont, "MS Sans Serif,1,8,[],[clWindowText]");
    EXPECT_EQ(en.mainFont, "MS Sans Serif,1,9,[],[clWindowText]");
    EXPECT_EQ(kCanNotOpen, "Can not Open ");
    EXPECT_EQ(kGreeting, "Hello, can i help you?");
}

TEST(InterfaceTexts, FilesFontsAndAddressesPerLanguage) {
    EXPECT_EQ(TextsFor(kEnglish).actionListFile, "Action.Cfg");
    EXPECT_EQ(TextsFor(kSimplifiedChinese).actionListFile, "Action.Sim");
    EXPECT_EQ(TextsFor(kBig5).actionListFile, "Action.Tra");
    EXPECT_EQ(ToUtf8(TextsFor(kSimplifiedChinese).mainFont, "GB2312"),
              "宋体,134,9,[],[clWindowText]");
    EXPECT_EQ(ToUtf8(TextsFor(kBig5).aboutFont, "CP950"), "細明體,136,9,[],[clWindowText]");
    EXPECT_EQ(TextsFor(kEnglish).aboutWebTarget, "http://kelvorine.example.org");
    EXPECT_EQ(TextsFor(kBig5).aboutWebTarget, "http://kelvorine.example.org/");
    EXPECT_EQ(TextsFor(kSimplifiedChinese).aboutWebTarget, "http://kelvorine.example.org/");
}

TEST(InterfaceTexts, AboutBodiesSayWhatTheyMust) {
    std::string en(TextsFor(kEnglish).aboutBody);
    EXPECT_NE(en.find("Kelvorine"), std::string::npos);
    size_t capitals = en.find("THIS SOFTWARE IS DISTRIBUTED");
    ASSERT_NE(capitals, std::string::npos);
    for (size_t i = capitals; i < en.size(); ++i) EXPECT_FALSE(en[i] >= 'a' && en[i] <= 'z') << i;
    std::string sim = ToUtf8(TextsFor(kSimplifiedChinese).aboutBody, "GB2312");
    EXPECT_NE(sim.find("病毒"), std::string::npos);
    std::string tra = ToUtf8(TextsFor(kBig5).aboutBody, "CP950");
    EXPECT_NE(tra.find("自行承擔"), std::string::npos);
    EXPECT_EQ(tra.find("病毒"), std::string::npos);
}

TEST(InterfaceTexts, OutOfRangeLanguageFallsBackToEnglish) {
    EXPECT_EQ(&TextsFor(3), &TextsFor(kEnglish));
    EXPECT_EQ(&TextsFor(255), &TextsFor(kEnglish));
}

TEST(PlayFailureText, GluesNamePhraseAndAnimation) {
    EXPECT_EQ(PlayFailureText(kEnglish, "Pip", "Wave"), "Pipis unable to Wave!");
    EXPECT_EQ(ToUtf8(PlayFailureText(kSimplifiedChinese, "Pip", "Wave"), "GB2312"), "Pip不会Wave!");
    EXPECT_EQ(ToUtf8(PlayFailureText(kBig5, "Pip", "Wave"), "CP950"), "Pip不會Wave!");
    EXPECT_EQ(PlayFailureText(kEnglish, "", ""), "is unable to !");
}
