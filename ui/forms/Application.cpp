#include "ui/actions/ActnList.h"
#include "ui/classes/Exception.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/services/Timer.h"
#include "ui/menus/Menus.h"

namespace {
LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(hwnd, msg, w, l);
}

void RegisterApplicationClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), L"TApplication", &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TApplication";
    RegisterClassExW(&wc);
}
} // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    Application = this;
    SetDispatchExceptionHandler([this](const std::exception& e) { HandleException(e); });
}

TApplication::~TApplication() {
    DestroyComponents();
    if (tooltip_) DestroyWindow(tooltip_);
    if (handle_) DestroyWindow(handle_);
    SetDispatchExceptionHandler(nullptr);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (handle_) return;
    RegisterStandardControls();
    RegisterActionClasses();
    RegisterMenuClasses();
    RegisterCommonControls();
    RegisterApplicationClass();
    // Hidden, zero-sized, off-screen: it only carries the title and the class name.
    handle_ = CreateWindowExW(0, L"TApplication", AnsiToWide(title_).c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    LoadDefaultIcon();
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextW(handle_, AnsiToWide(title).c_str());
}

void TApplication::FormCreated(TCustomForm& form) {
    try {
        ReadFormLayout(form);
        if (form.OnCreate) form.OnCreate(&form);
    } catch (...) {
        delete &form;
        throw;
    }
    if (!mainForm_) mainForm_ = &form;
}

void TApplication::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    DispatchBarrier([&] {
        if (PreProcessFormMessage(msg)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    });
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run() {
    if (mainForm_ && mainForm_->Visible())
        mainForm_->Show();
    else if (mainForm_)
        mainForm_->Show();
    MSG msg;
    while (!terminated_) {
        if (!ProcessMessage(msg)) WaitMessage();
    }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : handle_;
    return MessageBoxW(owner, AnsiToWide(text).c_str(), AnsiToWide(caption).c_str(), flags);
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException) {
        OnException(e);
        return;
    }
    std::string text = e.what();
    if (!text.empty() && text.back() != '.') text += '.';
    MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::LoadDefaultIcon() {
    if (!icon_.Empty()) return;
    try {
        icon_.LoadFromResourceName(GetModuleHandleW(nullptr), "MAINICON");
    } catch (const EInvalidGraphic&) {
        icon_.CopyHandle(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    }
}

void TApplication::SetIcon(const TIcon& icon) {
    icon_.Assign(icon);
    for (int i = 0; i < Screen->FormCount(); ++i) Screen->Forms(i)->ApplicationIconChanged();
}

bool PreProcessFormMessage(MSG& msg) {
    if (Application) Application->HintMouseMessage(msg);
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    TWinControl* target = nullptr;
    for (HWND w = msg.hwnd; w && !target; w = GetParent(w)) target = TWinControl::FromHandle(w);
    if (TCustomForm* form = GetParentForm(target); form && form->PreviewKey(msg)) return true;
    if (IsShortCutMessage(msg)) return true; // the form's menu items and actions
    // Keys that act on a container of the focus (Ctrl+Tab turns a page control's pages).
    if (msg.message == WM_KEYDOWN)
        for (TWinControl* c = target; c; c = c->Parent())
            if (c->Perform(CM_DIALOGKEY, msg.wParam, msg.lParam) != 0) return true;
    // Ctrl+F4, Ctrl+F6 and the child's system menu keys of an MDI frame.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    return main && main->ClientHandle() && TranslateMDISysAccel(main->ClientHandle(), &msg);
}
