// The viewer's main window driving the real built-in player with the sample character: a
// double click on an animation the character lacks makes it say the failure text of the
// interface language in its balloon; one it has plays without a word. The Chinese languages
// run in processes with their own ANSI code page (see CMakeLists.txt).
#include "tests/windows/support/Pump.h"
#include "app/PubUnit.h"
#include "app/Unit1.h"
#include "app/win/Services.h"

#include "agent/player/Player.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv::app {
namespace {

using kv::agent::player::PlayerEvent;
using Kind = PlayerEvent::Kind;

std::string SamplePath() {
    const char* root = std::getenv("KV_SOURCE_DIR");
    std::string path = std::string(root ? root : ".") + "/assets/sample/Pip.acs";
    char full[MAX_PATH] = {};
    GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

// The application object with its message boxes recorded and answered with OK.
class RecordingApplication : public TApplication {
public:
    explicit RecordingApplication(std::vector<std::string>& shown)
        : TApplication(nullptr), shown_(shown) {}
    int MessageBox(const std::string& text, const std::string&, UINT) override {
        shown_.push_back(text);
        return IDOK;
    }

private:
    std::vector<std::string>& shown_;
};

class ViewerWithPlayer : public ::testing::Test {
protected:
    // Starts the viewer on the sample character in the language of the settings value
    // `languageId`, whose texts need `codePage`; false when the test cannot go on.
    bool Started(const char* languageId, UINT codePage) {
        StartIn(languageId, codePage);
        return !HasFatalFailure() && !IsSkipped();
    }

    void StartIn(const char* languageId, UINT codePage) {
        if (GetACP() != codePage) {
            if (std::getenv("KV_REQUIRE_CODE_PAGE"))
                FAIL() << "code page " << GetACP() << ", not " << codePage;
            GTEST_SKIP() << "needs code page " << codePage;
        }
        dir_ = std::filesystem::temp_directory_path() /
               ("kv viewer player " + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "Kelvorine.ini") << "[InterFace]\r\nLanguageID=" << languageId << "\r\n";
        SetProgramDirectoryForTests(dir_.string() + "\\");
        InterfaceLanguage = 0;
        AppDir.clear();
        SetEnvironmentVariableA("KELVORINE_AGENT", "builtin");
        kv::agent::player::InstallBuiltInPlayer();
        kv::agent::player::SetPlayerTuning({0.0, 7u});
        kv::agent::player::SetPlayerObserver([this](const PlayerEvent& e) { events_.push_back(e); });
        app_ = std::make_unique<RecordingApplication>(messages_);
        app_->Initialize();
        app_->SetTitle("MS Kelvorine");
        SetCommandLineForTests({SamplePath()});
        form_ = app_->CreateForm<TForm1>();
        form_->Show();
        ASSERT_TRUE(messages_.empty()) << messages_.front();
        ASSERT_TRUE(PumpUntil([&] { return Spoken() == L"Hello, can i help you?"; }));
    }

    void TearDown() override {
        form_ = nullptr;
        app_.reset(); // frees the form
        kv::test::PumpPending();
        kv::agent::player::SetPlayerObserver(nullptr);
        kv::agent::player::SetPlayerTuning({});
        kv::agent::SetAgentFallback({});
        SetCommandLineForTests({});
        SetProgramDirectoryForTests({});
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
    }

    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 8000) {
        return kv::test::PumpUntil(done, timeoutMs);
    }

    // The balloon's latest text (words shown so far), empty when nothing was said.
    std::wstring Spoken() const {
        for (auto it = events_.rbegin(); it != events_.rend(); ++it)
            if (it->kind == Kind::BalloonText) return it->text;
        return {};
    }
    int Count(Kind kind, const std::wstring& animation) const {
        int n = 0;
        for (const PlayerEvent& e : events_) n += e.kind == kind && e.animation == animation;
        return n;
    }

    // The mouse as a person uses it: press, release, and the second press that the list box
    // turns into a double click on the item under it.
    void DoubleClickItem(const std::string& name) {
        HWND list = form_->ListBox1->Handle();
        LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1),
                                     reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_NE(index, LB_ERR) << name << " is not in the list";
        SendMessageA(list, LB_SETTOPINDEX, WPARAM(index), 0);
        RECT item = {};
        SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
        LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        ASSERT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), index);
    }

    void SaysFailureThenWaves(const std::wstring& failureText) {
        events_.clear();
        DoubleClickItem("DoMagic1");
        ASSERT_TRUE(PumpUntil([&] { return Spoken() == failureText; }))
            << "the balloon said \"" << Narrow(Spoken()) << "\"";
        EXPECT_EQ(Count(Kind::AnimationStart, L"DoMagic1"), 0);
        EXPECT_TRUE(IsWindowVisible(kv::agent::player::PlayerWindows(L"Bob").balloon));
        EXPECT_TRUE(messages_.empty());

        events_.clear();
        DoubleClickItem("Wave");
        ASSERT_TRUE(PumpUntil([&] { return Count(Kind::AnimationEnd, L"Wave") == 1; }));
        EXPECT_EQ(Count(Kind::AnimationStart, L"Wave"), 1);
        EXPECT_EQ(Spoken(), L"") << "nothing is said for an animation the character has";
        EXPECT_TRUE(messages_.empty());
    }

    static std::string Narrow(const std::wstring& text) {
        int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string out(size_t(n > 0 ? n : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
        out.resize(strlen(out.c_str()));
        return out;
    }

    std::filesystem::path dir_;
    std::unique_ptr<RecordingApplication> app_;
    TForm1* form_ = nullptr; // owned by the application
    std::vector<PlayerEvent> events_;
    std::vector<std::string> messages_;
};

TEST_F(ViewerWithPlayer, EnglishFailureTextThenWave) {
    if (!Started("1", GetACP())) return;
    SaysFailureThenWaves(L"Pipis unable to DoMagic1!");
}

class SimplifiedChinese : public ViewerWithPlayer {};
TEST_F(SimplifiedChinese, FailureTextThenWave) {
    if (!Started("2", 936)) return;
    SaysFailureThenWaves(L"Pip\u4e0d\u4f1aDoMagic1!");
}

class Big5 : public ViewerWithPlayer {};
TEST_F(Big5, FailureTextThenWave) {
    if (!Started("3", 950)) return;
    SaysFailureThenWaves(L"Pip\u4e0d\u6703DoMagic1!");
}

} // namespace
} // namespace kv::app
