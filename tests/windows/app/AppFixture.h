#pragma once
// A test bench for the viewer's windows in this process: a private program folder, the
// recording Agent control as the only control, and message boxes, the open dialog, the shell
// and modal windows answered by the test.
#include "app/PubUnit.h"
#include "app/Unit1.h"
#include "app/win/Services.h"

#include "ui/forms/Forms.h"

#include "agent/testing/RecordingAgent.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv::app::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT type;
};

struct ShownDialog {
    std::string title;
    std::string filter;
    TOpenOptions options;
};

// The application object with its message boxes answered by the test (OK) and recorded.
class TestApplication : public TApplication {
public:
    explicit TestApplication(std::vector<ShownMessage>& shown) : TApplication(nullptr), shown_(shown) {}
    int MessageBox(const std::string& text, const std::string& caption, UINT flags) override {
        shown_.push_back({text, caption, flags});
        return IDOK;
    }

private:
    std::vector<ShownMessage>& shown_;
};

class AppTest : public ::testing::Test {
public:
    void DriveModalWindow();

protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window with these arguments and runs its start-up (a window started
    // before goes first, with its application).
    TForm1& Start(std::vector<std::string> arguments = {});
    // Ends the running program: its application and main window go; a new application waits.
    void Stop();
    void NewApplication();
    void WriteFile(const std::string& name, const std::string& bytes);
    std::string ReadFile(const std::string& name);
    bool Exists(const std::string& name);
    void WriteLanguageId(const std::string& value);
    std::string IniValue();
    void Pump();
    // Picks a menu item as the menu bar does (its command reaches the window).
    void Command(TMenuItem* item);
    // The item's text as the Win32 menu holds it, and its check mark there.
    std::string MenuText(TMenuItem* item);
    bool Checked(TMenuItem* item);
    std::string TopMenuText(int position);
    // Presses a key (with Ctrl when asked) where the message loop sees it.
    void PressKey(WORD key, bool control);
    LOGFONTA FontOf(HWND window);
    LOGFONTA FontOf(TControl* control);
    int SelectedIndex(HWND list);
    void DoubleClick(int index);
    // Runs `drive` on the next modal window when it is up (a modal window nobody expects is
    // closed and fails the test).
    void OnModal(std::function<void(HWND)> drive);
    std::vector<std::string> Log() { return agent_->Log(); }
    std::vector<std::string> Texts() const;

    std::string dir_;
    std::unique_ptr<kv::agent::testing::RecordingAgent> agent_;
    TForm1* form_ = nullptr; // owned by app_
    std::vector<ShownMessage> messages_;
    std::optional<std::string> dialogAnswer_;
    std::vector<ShownDialog> dialogs_;
    std::vector<std::string> opened_;
    int notifications_ = 0;
    std::vector<std::function<void(HWND)>> modalDrivers_;
    std::unique_ptr<TestApplication> app_;
    UINT_PTR modalTimer_ = 0;
    std::vector<HWND> driven_;
};

std::string CodePageText(UINT codePage, const char* utf8);
bool HaveCodePage(UINT codePage);

} // namespace kv::app::testing
