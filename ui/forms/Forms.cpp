#include "ui/forms/Forms.h"
#include "ui/classes/Exception.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"

TScreen* Screen = nullptr;
TApplication* Application = nullptr;

namespace {
TScreen& TheScreen() {
    static TScreen screen;
    Screen = &screen;
    return screen;
}
} // namespace

KV_DEFINE_CLASS(TCustomForm, TWinControl, [](TPropertyBuilder<TCustomForm>& p) {
    p.Enum("BorderStyle",
           {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
           &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    p.Enum("Position", {"poDesigned", "poDefault", "poScreenCenter"}, &TCustomForm::Position,
           &TCustomForm::SetPosition);
    p.Enum("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TCustomForm::WindowState,
           &TCustomForm::SetWindowState);
    p.Integer("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult);
    p.Event<TNotifyEvent>("OnCreate", &TCustomForm::SetOnCreate);
    p.Event<TNotifyEvent>("OnShow", &TCustomForm::SetOnShow);
    p.Event<TNotifyEvent>("OnDestroy", &TCustomForm::SetOnDestroy);
    p.Event<TCloseEvent>("OnClose", &TCustomForm::SetOnClose);
})
KV_DEFINE_PLAIN_CLASS(TForm, TCustomForm)
KV_DEFINE_PLAIN_CLASS(TApplication, TComponent)

TCustomForm* TScreen::FindForm(HWND hwnd) const {
    for (TCustomForm* f : forms_)
        if (f->HandleAllocated() && f->Handle() == hwnd) return f;
    return nullptr;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    width_ = 320;
    height_ = 240;
    TheScreen().Add(this);
}

TCustomForm::~TCustomForm() {
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (const std::exception& e) {
            ReportDispatchException(e);
        }
    }
    DestroyComponents();
    TheScreen().Remove(this);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.style = WS_CLIPCHILDREN | (enabled_ ? 0 : WS_DISABLED);
    switch (borderStyle_) {
    case TBorderStyle::bsNone:
        p.style |= WS_POPUP;
        break;
    case TBorderStyle::bsSingle:
        p.style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        break;
    case TBorderStyle::bsDialog:
        p.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TBorderStyle::bsToolWindow:
        p.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    default:
        p.style |= WS_OVERLAPPEDWINDOW;
        break;
    }
    if (Application && Application->Handle() && this != Application->MainForm())
        p.parent = Application->MainForm() && Application->MainForm()->HandleAllocated()
                       ? Application->MainForm()->Handle()
                       : nullptr;
}

int TCustomForm::ClientWidth() {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.right;
}

int TCustomForm::ClientHeight() {
    RECT r;
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TCustomForm::SetClientWidth(int w) {
    SetWidth(width_ - ClientWidth() + w);
}
void TCustomForm::SetClientHeight(int h) {
    SetHeight(height_ - ClientHeight() + h);
}

void TCustomForm::SetWindowState(TWindowState s) {
    windowState_ = s;
    if (HandleAllocated() && visible_)
        ShowWindow(handle_, s == TWindowState::wsMaximized   ? SW_MAXIMIZE
                            : s == TWindowState::wsMinimized ? SW_MINIMIZE
                                                             : SW_RESTORE);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
}

void TCustomForm::CenterOnScreen() {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - width_) / 2,
              work.top + (work.bottom - work.top - height_) / 2, width_, height_);
}

void TCustomForm::Show() {
    HandleNeeded();
    if (!shownOnce_ && position_ == TPosition::poScreenCenter) CenterOnScreen();
    bool first = !shownOnce_;
    shownOnce_ = true;
    visible_ = true;
    ShowWindow(handle_, windowState_ == TWindowState::wsMaximized ? SW_SHOWMAXIMIZED : SW_SHOW);
    if (first && OnShow) OnShow(this);
}

void TCustomForm::Hide() {
    visible_ = false;
    if (handle_) ShowWindow(handle_, SW_HIDE);
}

bool TCustomForm::CloseQuery(TCloseAction& action) {
    action = modal_ ? TCloseAction::caHide : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    return action != TCloseAction::caNone;
}

void TCustomForm::Close() {
    TCloseAction action;
    if (!CloseQuery(action)) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caFree)
        Release();
    else if (action == TCloseAction::caMinimize)
        SetWindowState(TWindowState::wsMinimized);
    else
        Hide();
}

void TCustomForm::Release() {
    if (handle_) PostMessageW(handle_, CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal() {
    if (modal_) throw EInvalidOperation("Cannot make a visible window modal");
    modal_ = true;
    modalResult_ = mrNone;
    HWND owner = Application && Application->MainForm() && Application->MainForm() != this &&
                         Application->MainForm()->HandleAllocated()
                     ? Application->MainForm()->Handle()
                     : nullptr;
    if (owner) EnableWindow(owner, FALSE);
    Show();
    while (modalResult_ == mrNone && !(Application && Application->Terminated())) {
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            if (Application) Application->Terminate();
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) EnableWindow(owner, TRUE);
    Hide();
    modal_ = false;
    return modalResult_;
}

void TCustomForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case CM_RELEASE:
        delete this;
        return;
    }
    TWinControl::WndProc(m);
}

void ReadFormLayout(TCustomForm& form) {
    HMODULE module = GetModuleHandleW(nullptr);
    std::wstring name = AnsiToWide(form.ClassName());
    auto bytesOf = [module](const wchar_t* resName) -> std::optional<std::vector<uint8_t>> {
        HRSRC found = FindResourceW(module, resName, reinterpret_cast<LPCWSTR>(RT_RCDATA));
        if (!found) return std::nullopt;
        HGLOBAL data = LoadResource(module, found);
        const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
        if (!bytes) return std::nullopt;
        return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, found));
    };
    auto text = bytesOf(name.c_str());
    if (!text) return;
    TLayoutResourceFinder finder = [&](std::string_view res) {
        return bytesOf(AnsiToWide(std::string(res)).c_str());
    };
    ReadLayout(form, std::string_view(reinterpret_cast<const char*>(text->data()), text->size()),
               finder);
}
