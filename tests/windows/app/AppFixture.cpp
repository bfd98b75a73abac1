#include "AppFixture.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace kv::app::testing {
namespace {

std::string MakeTempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    std::string dir = std::string(base) + "kv app " + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++counter) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void RemoveTree(const std::string& dir) {
    if (dir.size() < 4) return;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

AppTest*& RunningTest() {
    static AppTest* test = nullptr;
    return test;
}

// The windows a modal loop of the viewer shows.
bool IsModalWindow(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return IsWindowVisible(window) &&
           (std::string(name) == "TForm2" || std::string(name) == "TAboutForm");
}

BOOL CALLBACK FindModalWindow(HWND window, LPARAM out) {
    if (!IsModalWindow(window)) return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (RunningTest()) RunningTest()->DriveModalWindow();
}

} // namespace

std::string CodePageText(UINT codePage, const char* utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), n);
    int m = WideCharToMultiByte(codePage, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(m), '\0');
    WideCharToMultiByte(codePage, 0, wide.c_str(), -1, out.data(), m, nullptr, nullptr);
    out.resize(strlen(out.c_str()));
    return out;
}

bool HaveCodePage(UINT codePage) {
    return GetACP() == codePage;
}

void AppTest::SetUp() {
    dir_ = MakeTempDir();
    SetProgramDirectoryForTests(dir_);
    InterfaceLanguage = 0;
    AppDir.clear();
    SetEnvironmentVariableA("KELVORINE_AGENT", "builtin");
    agent_ = std::make_unique<kv::agent::testing::RecordingAgent>();
    agent_->InstallAsFallback();
    NewApplication();
    SetOpenDialogFunction([this](TOpenDialog& dialog) {
        dialogs_.push_back({dialog.Title(), dialog.Filter(), dialog.Options()});
        if (!dialogAnswer_) return false;
        dialog.SetFileName(*dialogAnswer_);
        return true;
    });
    SetShellOpenFunction([this](const std::string& target) { opened_.push_back(target); });
    SetAssociationNotifyFunction([this] { ++notifications_; });
    RunningTest() = this;
    // Modal loops dispatch thread timer messages, so the test can look for its window there.
    modalTimer_ = SetTimer(nullptr, 0, 20, ModalTimer);
}

void AppTest::DriveModalWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModalWindow, reinterpret_cast<LPARAM>(&found));
    if (!found || std::find(driven_.begin(), driven_.end(), found) != driven_.end()) return;
    driven_.push_back(found);
    if (modalDrivers_.empty()) {
        PostMessageA(found, WM_CLOSE, 0, 0);
        ADD_FAILURE() << "a modal window nobody expected";
        return;
    }
    auto drive = std::move(modalDrivers_.front());
    modalDrivers_.erase(modalDrivers_.begin());
    drive(found);
}

void AppTest::TearDown() {
    if (dir_.empty()) return; // skipped before set-up
    Stop();
    KillTimer(nullptr, modalTimer_);
    RunningTest() = nullptr;
    app_.reset();
    SetCommandLineForTests({});
    SetOpenDialogFunction({});
    SetShellOpenFunction({});
    SetAssociationNotifyFunction({});
    SetProgramPathForTests({});
    kv::agent::testing::RecordingAgent::RemoveFallback();
    agent_.reset();
    SetProgramDirectoryForTests({});
    RemoveTree(dir_);
    EXPECT_TRUE(modalDrivers_.empty()) << "a modal window that never came";
}

void AppTest::NewApplication() {
    app_ = std::make_unique<TestApplication>(messages_);
    app_->Initialize();
    app_->SetTitle("MS Kelvorine");
}

void AppTest::Stop() {
    if (!form_) return;
    form_ = nullptr;
    app_.reset();
    Pump();
    NewApplication();
}

TForm1& AppTest::Start(std::vector<std::string> arguments) {
    Stop();
    SetCommandLineForTests(std::move(arguments));
    form_ = app_->CreateForm<TForm1>();
    form_->Show();
    Pump();
    return *form_;
}

void AppTest::WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream out(dir_ + name, std::ios::binary);
    out << bytes;
}

std::string AppTest::ReadFile(const std::string& name) {
    std::ifstream in(dir_ + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool AppTest::Exists(const std::string& name) {
    return GetFileAttributesA((dir_ + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AppTest::WriteLanguageId(const std::string& value) {
    WriteFile("Kelvorine.ini", "[InterFace]\r\nLanguageID=" + value + "\r\n");
}

std::string AppTest::IniValue() {
    char buffer[64] = {};
    GetPrivateProfileStringA("InterFace", "LanguageID", "<absent>", buffer, sizeof buffer,
                             (dir_ + "Kelvorine.ini").c_str());
    return buffer;
}

void AppTest::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void AppTest::Command(TMenuItem* item) {
    SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    Pump();
}

std::string AppTest::MenuText(TMenuItem* item) {
    char buffer[256] = {};
    GetMenuStringA(form_->MainMenu1->Handle(), item->Command(), buffer, sizeof buffer,
                   MF_BYCOMMAND);
    return buffer;
}

bool AppTest::Checked(TMenuItem* item) {
    return (GetMenuState(form_->MainMenu1->Handle(), item->Command(), MF_BYCOMMAND) &
            MF_CHECKED) != 0;
}

std::string AppTest::TopMenuText(int position) {
    char buffer[256] = {};
    GetMenuStringA(form_->MainMenu1->Handle(), UINT(position), buffer, sizeof buffer,
                   MF_BYPOSITION);
    return buffer;
}

LOGFONTA AppTest::FontOf(TControl* control) {
    LOGFONTA lf = {};
    GetObjectA(control->Font().Handle(), sizeof lf, &lf);
    return lf;
}

void AppTest::PressKey(WORD key, bool control) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(form_->ListBox1->Handle(), WM_KEYDOWN, key, 1);
    app_->ProcessMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Pump();
}

LOGFONTA AppTest::FontOf(HWND window) {
    LOGFONTA lf = {};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (font) GetObjectA(font, sizeof lf, &lf);
    return lf;
}

int AppTest::SelectedIndex(HWND list) {
    return int(SendMessageA(list, LB_GETCURSEL, 0, 0));
}

void AppTest::DoubleClick(int index) {
    HWND list = form_->ListBox1->Handle();
    SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    RECT item = {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    // The list box's own double-click handling sends the notification the window acts on.
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    Pump();
}

void AppTest::OnModal(std::function<void(HWND)> drive) {
    modalDrivers_.push_back(std::move(drive));
}

std::vector<std::string> AppTest::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages_) texts.push_back(m.text);
    return texts;
}

} // namespace kv::app::testing
