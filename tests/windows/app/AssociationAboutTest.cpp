// "Set File Associate" through the registry, the installer's quiet association tasks, and the
// about box.
#include "AppFixture.h"

#include "app/AboutFrm.h"
#include "app/Association.h"
#include "app/QuietTasks.h"
#include "app/logic/Texts.h"

#include "kv/Version.h"

using namespace kv::app;
using namespace kv::app::testing;

namespace {

std::string ReadDefault(HKEY root, const std::string& key) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer, type = 0;
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<no key>";
    LONG rc = RegQueryValueExA(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (rc != ERROR_SUCCESS || type != REG_SZ) return "<no value>";
    return buffer;
}

bool HasValue(HKEY root, const std::string& key, const char* name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    bool has = RegQueryValueExA(h, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(h);
    return has;
}

class Association : public AppTest {};
class About : public AppTest {};

const char kProgram[] = "C:\\Program Files\\Kelvorine Viewer\\Kelvorine.exe";
const char kCommand[] = "\"C:\\Program Files\\Kelvorine Viewer\\Kelvorine.exe\" \"%1\"";

} // namespace

TEST_F(Association, WritesTheLayoutTwiceAndReportsSuccessBothTimes) {
    SetProgramPathForTests(kProgram);
    Start();
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        Command(form_->CreateFileAssociated1);
        EXPECT_EQ(notifications_, run);
        ASSERT_EQ(messages_.size(), size_t(run));
        EXPECT_EQ(messages_.back().text, "Set File Associate Ok!");
        for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
            SCOPED_TRACE(root == HKEY_CURRENT_USER ? "HKCU" : "HKCR");
            std::string base = root == HKEY_CURRENT_USER ? "Software\\Classes\\" : "";
            EXPECT_EQ(ReadDefault(root, base + ".acs"), "Agent.Character2.2");
            EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2"),
                      "Kelvorine (kelvorine.example.org)");
            EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2\\shell\\open\\command"),
                      kCommand);
            EXPECT_FALSE(HasValue(root, base + ".acs", "Content Type"));
            EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2\\DefaultIcon"), "<no key>");
        }
    }
}

TEST_F(Association, AKeyThatCannotBeMadeEndsWithFalseAndEarlierWritesStay) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.kvtest");
    // Key names longer than 255 characters are refused by the registry.
    std::string badId(300, 'x');
    EXPECT_FALSE(RegisterFileType(".kvtest", badId, "d", "", "\"x\" \"%1\""));
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, "Software\\Classes\\.kvtest"), badId);
    EXPECT_FALSE(RegisterFileType("", "p", "d", "", "c"));
    EXPECT_FALSE(RegisterFileType(".kvtest", "p", "d", "", ""));
    EXPECT_TRUE(RegisterFileType(".kvtest", "Kv.Test", "d", "text/x-kv", "c"));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, "Software\\Classes\\.kvtest", "Content Type"));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\.kvtest");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Classes\\Kv.Test");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".kvtest");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Kv.Test");
}

namespace {

void ForgetAcs() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
        std::string base = root == HKEY_CURRENT_USER ? "Software\\Classes\\" : "";
        RegDeleteTreeA(root, (base + ".acs").c_str());
        RegDeleteTreeA(root, (base + "Agent.Character2.2").c_str());
    }
}

void SetDefault(HKEY root, const std::string& key, const std::string& data) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   DWORD(data.size() + 1));
    RegCloseKey(h);
}

class QuietAssociation : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ForgetAcs();
        SetProgramPathForTests(kProgram);
    }
    void TearDown() override {
        ForgetAcs();
        AppTest::TearDown();
    }
};

} // namespace

TEST_F(QuietAssociation, WritesTheMenuItemsLayoutAndRemovesItWhileItIsOurs) {
    EXPECT_EQ(RunQuietTask(QuietTask::Associate), 0);
    EXPECT_EQ(notifications_, 1);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
        std::string base = root == HKEY_CURRENT_USER ? "Software\\Classes\\" : "";
        EXPECT_EQ(ReadDefault(root, base + ".acs"), "Agent.Character2.2");
        EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2\\shell\\open\\command"), kCommand);
    }
    // The installed path may come back in another letter case; it is still this program.
    std::string upper = kProgram;
    for (char& c : upper) c = char(toupper(static_cast<unsigned char>(c)));
    SetProgramPathForTests(upper);
    EXPECT_EQ(RunQuietTask(QuietTask::Unassociate), 0);
    EXPECT_EQ(notifications_, 2);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
        SCOPED_TRACE(root == HKEY_CURRENT_USER ? "HKCU" : "HKCR");
        std::string base = root == HKEY_CURRENT_USER ? "Software\\Classes\\" : "";
        EXPECT_EQ(ReadDefault(root, base + ".acs"), "<no key>");
        EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2"), "<no key>");
    }
}

TEST_F(QuietAssociation, ATypeAnotherProgramTookOverIsLeftAlone) {
    ASSERT_EQ(RunQuietTask(QuietTask::Associate), 0);
    const std::string other = "\"C:\\Other\\Viewer.exe\" \"%1\"";
    SetDefault(HKEY_CURRENT_USER, "Software\\Classes\\Agent.Character2.2\\shell\\open\\command", other);
    SetDefault(HKEY_CLASSES_ROOT, "Agent.Character2.2\\shell\\open\\command", other);
    EXPECT_EQ(RunQuietTask(QuietTask::Unassociate), 0);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER}) {
        SCOPED_TRACE(root == HKEY_CURRENT_USER ? "HKCU" : "HKCR");
        std::string base = root == HKEY_CURRENT_USER ? "Software\\Classes\\" : "";
        EXPECT_EQ(ReadDefault(root, base + ".acs"), "Agent.Character2.2");
        EXPECT_EQ(ReadDefault(root, base + "Agent.Character2.2\\shell\\open\\command"), other);
    }
}

TEST_F(QuietAssociation, AnExtensionKeyOthersAlsoUseKeepsTheirPartsAndNothingThereIsFine) {
    EXPECT_EQ(RunQuietTask(QuietTask::Unassociate), 0); // nothing registered: nothing to do
    ASSERT_EQ(RunQuietTask(QuietTask::Associate), 0);
    SetDefault(HKEY_CURRENT_USER, "Software\\Classes\\.acs\\OpenWithProgids", "");
    // Another program's verb and icon under the same type name are theirs.
    const std::string type = "Software\\Classes\\Agent.Character2.2";
    SetDefault(HKEY_CURRENT_USER, type + "\\DefaultIcon", "other.ico");
    SetDefault(HKEY_CURRENT_USER, type + "\\shell\\edit\\command", "edit");
    EXPECT_EQ(RunQuietTask(QuietTask::Unassociate), 0);
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, "Software\\Classes\\.acs"), "<no value>");
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, "Software\\Classes\\.acs\\OpenWithProgids"), "");
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, type + "\\DefaultIcon"), "other.ico");
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, type + "\\shell\\edit\\command"), "edit");
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, type), "<no value>");
    EXPECT_EQ(ReadDefault(HKEY_CURRENT_USER, type + "\\shell\\open"), "<no key>");
}

TEST_F(About, CaptionBodyFontsAndButtons) {
    Start();
    OnModal([&](HWND window) {
        char cls[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        EXPECT_STREQ(cls, "TAboutForm");
        auto* about = dynamic_cast<TAboutForm*>(TWinControl::FromHandle(window));
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(WindowText(window), "About...");
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, 278);
        EXPECT_EQ(client.bottom, 175);
        EXPECT_EQ(about->Label1->Caption(), TextsFor(kEnglish).aboutBody);
        EXPECT_TRUE(about->Label1->WordWrap());
        EXPECT_EQ(WindowText(about->Button1->Handle()), "&Ok");
        EXPECT_EQ(about->Label2->Caption(), "(C) kelvorine.example.org");
        // The version is a line of its own between the rule and the address.
        EXPECT_EQ(about->VersionLabel->Caption(), std::string("Version ") + KV_VERSION_TEXT);
        EXPECT_GE(about->VersionLabel->Top(), about->Bevel1->Top() + about->Bevel1->Height());
        EXPECT_LE(about->VersionLabel->Top() + about->VersionLabel->Height(),
                  about->Label2->Top());
        EXPECT_LE(about->VersionLabel->Left() + about->VersionLabel->Width(),
                  about->Button1->Left());
        EXPECT_TRUE(about->Image1->Picture().HasIcon());
        EXPECT_EQ(about->Image1->Cursor(), crHandPoint);
        LOGFONTA lf = FontOf(about->Label1);
        EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(lf.lfHeight, -11); // 8 points in English
        about->Image1->Click();
        EXPECT_EQ(opened_, (std::vector<std::string>{"http://kelvorine.example.org"}));
        EXPECT_FALSE(IsWindowEnabled(form_->Handle()));
        SendMessageA(about->Button1->Handle(), BM_CLICK, 0, 0);
    });
    Command(form_->About2);
    EXPECT_TRUE(IsWindowEnabled(form_->Handle()));
}

TEST_F(About, F1OpensIt) {
    Start();
    bool shown = false;
    OnModal([&](HWND about) {
        shown = true;
        PostMessageA(about, WM_CLOSE, 0, 0);
    });
    PressKey(VK_F1, false);
    EXPECT_TRUE(shown);
}
