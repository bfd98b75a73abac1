#include "app/win/Services.h"

#include "app/win/WinUtil.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "agent/binding/AgentError.h"

namespace kv::app {
namespace {

MessageBoxFunction& MessageBoxSlot() {
    static MessageBoxFunction f;
    return f;
}
OpenDialogFunction& OpenDialogSlot() {
    static OpenDialogFunction f;
    return f;
}
ShellOpenFunction& ShellOpenSlot() {
    static ShellOpenFunction f;
    return f;
}
AssociationNotifyFunction& NotifySlot() {
    static AssociationNotifyFunction f;
    return f;
}
std::string& TitleSlot() {
    static std::string title;
    return title;
}

// The hidden window that carries the application's title, like the framework's own.
HWND& AppWindowSlot() {
    static HWND window = nullptr;
    return window;
}

std::string ErrorMessage(const std::exception& error) {
    // The control's errors carry their text in UTF-16; show it in the code page in force.
    if (auto* agent = dynamic_cast<const kv::agent::AgentError*>(&error))
        return ToAnsi(agent->Text());
    return error.what();
}

// "Description|pattern|..." as the dialog wants it: NUL-separated, two NULs at the end.
std::string DialogFilter(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

} // namespace

void SetMessageBoxFunction(MessageBoxFunction f) {
    MessageBoxSlot() = std::move(f);
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    if (MessageBoxSlot()) return MessageBoxSlot()(owner, text, caption, type);
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

void ShowMessage(const std::string& text) {
    ShowMessageBox(MessageBoxOwner(), text, ApplicationTitle(), MB_OK);
}

void ShowException(const std::exception& error) {
    ShowMessageBox(MessageBoxOwner(), ErrorMessage(error), ApplicationTitle(), MB_OK | MB_ICONSTOP);
}

void ShowCurrentException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(std::runtime_error("Unknown error"));
    }
}

void SetOpenDialogFunction(OpenDialogFunction f) {
    OpenDialogSlot() = std::move(f);
}

std::optional<std::string> RunOpenDialog(HWND owner, const OpenDialogOptions& options) {
    if (OpenDialogSlot()) return OpenDialogSlot()(owner, options);
    std::string filter = DialogFilter(options.filter);
    std::string file(32768, '\0');
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = DWORD(file.size());
    ofn.lpstrTitle = options.title.c_str();
    ofn.Flags = options.flags;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    file.resize(strlen(file.c_str()));
    return file;
}

void SetShellOpenFunction(ShellOpenFunction f) {
    ShellOpenSlot() = std::move(f);
}

void ShellOpen(const std::string& target) {
    if (ShellOpenSlot()) return ShellOpenSlot()(target);
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetAssociationNotifyFunction(AssociationNotifyFunction f) {
    NotifySlot() = std::move(f);
}

void NotifyAssociationsChanged() {
    if (NotifySlot()) NotifySlot()();
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

const std::string& ApplicationTitle() {
    return TitleSlot();
}

void SetApplicationTitle(const std::string& title) {
    TitleSlot() = title;
    if (ApplicationWindow()) SetWindowTextA(ApplicationWindow(), title.c_str());
}

HWND ApplicationWindow() {
    HWND& window = AppWindowSlot();
    if (window && IsWindow(window)) return window;
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, "MAINICON");
        wc.lpszClassName = "TApplication";
        registered = RegisterClassA(&wc) != 0;
    }
    window = CreateWindowExA(0, "TApplication", TitleSlot().c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                             nullptr, instance, nullptr);
    return window;
}

HWND MessageBoxOwner() {
    HWND active = GetActiveWindow();
    return active ? active : ApplicationWindow();
}

} // namespace kv::app
