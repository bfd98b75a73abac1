#include "ui/forms/Forms.h"
#include "ui/classes/Exception.h"
#include "ui/classes/LayoutReader.h"
#include "ui/classes/Properties.h"
#include "ui/menus/Menus.h"

#include <algorithm>

TScreen* Screen = nullptr;
TApplication* Application = nullptr;

namespace {
TScreen& TheScreen() {
    static TScreen screen;
    Screen = &screen;
    return screen;
}

TShiftState ShiftKeysDown() {
    return (GetKeyState(VK_SHIFT) < 0 ? ssShift : 0u) | (GetKeyState(VK_MENU) < 0 ? ssAlt : 0u) |
           (GetKeyState(VK_CONTROL) < 0 ? ssCtrl : 0u);
}
} // namespace

KV_DEFINE_CLASS(TSizeConstraints, TObject, [](TPropertyBuilder<TSizeConstraints>& p) {
    p.Integer("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
    p.Integer("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
    p.Integer("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
    p.Integer("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
})

KV_DEFINE_CLASS(TCustomForm, TWinControl, [](TPropertyBuilder<TCustomForm>& p) {
    p.Enum("BorderStyle",
           {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
           &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
    p.Set("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"},
          &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons);
    p.Enum("Position",
           {"poDesigned", "poDefault", "poScreenCenter", "poMainFormCenter", "poOwnerFormCenter"},
           &TCustomForm::Position, &TCustomForm::SetPosition);
    p.Enum("FormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"},
           &TCustomForm::FormStyle, &TCustomForm::SetFormStyle);
    p.Enum("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &TCustomForm::WindowState,
           &TCustomForm::SetWindowState);
    p.Integer("ModalResult", &TCustomForm::ModalResult, &TCustomForm::SetModalResult);
    p.Object("Constraints", &TCustomForm::Constraints);
    p.Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll);
    p.Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
    p.Binary("Icon", &TCustomForm::ReadIcon, &TCustomForm::WriteIcon);
    p.Component<TWinControl>("ActiveControl", &TCustomForm::ActiveControl,
                             &TCustomForm::SetActiveControl);
    p.Event<TNotifyEvent>("OnCreate", &TCustomForm::SetOnCreate);
    p.Event<TNotifyEvent>("OnShow", &TCustomForm::SetOnShow);
    p.Event<TNotifyEvent>("OnDestroy", &TCustomForm::SetOnDestroy);
    p.Event<TNotifyEvent>("OnResize", &TCustomForm::SetOnResize);
    p.Event<TNotifyEvent>("OnActivate", &TCustomForm::SetOnActivate);
    p.Event<TNotifyEvent>("OnDeactivate", &TCustomForm::SetOnDeactivate);
    p.Event<TCloseEvent>("OnClose", &TCustomForm::SetOnClose);
    p.Event<TCloseQueryEvent>("OnCloseQuery", &TCustomForm::SetOnCloseQuery);
    p.Event<TKeyEvent>("OnKeyDown", &TCustomForm::SetOnKeyDown);
    p.Event<TKeyEvent>("OnKeyUp", &TCustomForm::SetOnKeyUp);
    p.Event<TKeyPressEvent>("OnKeyPress", &TCustomForm::SetOnKeyPress);
    p.Component<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
})
KV_DEFINE_PLAIN_CLASS(TForm, TCustomForm)
KV_DEFINE_PLAIN_CLASS(TApplication, TComponent)

// --- TSizeConstraints -------------------------------------------------------------------------

void TSizeConstraints::Change(int& field, int value) {
    value = std::max(value, 0);
    if (field == value) return;
    field = value;
    if (OnChange) OnChange();
}

void TSizeConstraints::Clamp(int& width, int& height) const {
    if (maxWidth_ > 0) width = std::min(width, maxWidth_);
    if (maxHeight_ > 0) height = std::min(height, maxHeight_);
    width = std::max(width, minWidth_);
    height = std::max(height, minHeight_);
}

// --- TScreen ----------------------------------------------------------------------------------

TCustomForm* TScreen::FindForm(HWND hwnd) const {
    for (TCustomForm* f : forms_)
        if (f->HandleAllocated() && f->Handle() == hwnd) return f;
    return nullptr;
}

TCustomForm* TScreen::ActiveForm() const {
    HWND active = GetActiveWindow();
    return active ? FindForm(active) : nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (cursor != crDefault) {
        ::SetCursor(CursorHandle(cursor));
        return;
    }
    // Let the window under the mouse choose its cursor again, as if the mouse had moved.
    POINT p;
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) {
        ::SetCursor(CursorHandle(crArrow));
        return;
    }
    auto hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

TCustomForm* GetParentForm(TControl* control) {
    while (control && !dynamic_cast<TCustomForm*>(control)) control = control->Parent();
    return static_cast<TCustomForm*>(control);
}

// --- TCustomForm ------------------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    width_ = 320;
    height_ = 240;
    constraints_.OnChange = [this] { SetBounds(left_, top_, width_, height_); };
    TheScreen().Add(this);
}

TCustomForm::~TCustomForm() {
    if (OnDestroy) DispatchBarrier([&] { OnDestroy(this); });
    SetMenu(nullptr); // the menu bar hears no more of this form while its items go
    DestroyComponents();
    // The window goes while the icons it was given are still alive.
    DestroyFormWindow();
    TheScreen().Remove(this);
    if (Application) Application->FormDestroyed(*this);
}

void TCustomForm::SetBorderStyle(TBorderStyle s) {
    borderStyle_ = s;
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
}

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    if (HandleAllocated() &&
        (style == TFormStyle::fsMDIChild || style == TFormStyle::fsMDIForm ||
         formStyle_ == TFormStyle::fsMDIChild || formStyle_ == TFormStyle::fsMDIForm))
        throw EInvalidOperation("Cannot change the MDI style of a form with a window");
    formStyle_ = style;
    if (style == TFormStyle::fsMDIChild) visible_ = true; // MDI children are made visible
    if (HandleAllocated())
        SetWindowPos(handle_, style == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0,
                     0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.style = WS_CLIPCHILDREN | (enabled_ ? 0 : WS_DISABLED);
    bool caption = true;
    switch (borderStyle_) {
    case TBorderStyle::bsNone:
        p.style |= WS_POPUP;
        caption = false;
        break;
    case TBorderStyle::bsSingle:
        p.style |= WS_OVERLAPPED | WS_CAPTION;
        break;
    case TBorderStyle::bsDialog:
        p.style |= WS_POPUP | WS_CAPTION;
        p.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case TBorderStyle::bsToolWindow:
        p.style |= WS_POPUP | WS_CAPTION;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case TBorderStyle::bsSizeToolWin:
        p.style |= WS_POPUP | WS_CAPTION | WS_THICKFRAME;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    default:
        p.style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        break;
    }
    // The boxes need a system menu; dialogs and tool windows have none.
    if (caption && (borderIcons_ & biSystemMenu)) {
        p.style |= WS_SYSMENU;
        bool boxes =
            borderStyle_ == TBorderStyle::bsSingle || borderStyle_ == TBorderStyle::bsSizeable;
        if (boxes && (borderIcons_ & biMinimize)) p.style |= WS_MINIMIZEBOX;
        if (boxes && (borderIcons_ & biMaximize)) p.style |= WS_MAXIMIZEBOX;
        if (borderStyle_ == TBorderStyle::bsDialog && (borderIcons_ & biHelp))
            p.exStyle |= WS_EX_CONTEXTHELP;
    }
    if (formStyle_ == TFormStyle::fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
    if (position_ == TPosition::poDefault && !(p.style & WS_POPUP)) p.x = p.y = CW_USEDEFAULT;
    if (Application && Application->Handle() && this != Application->MainForm())
        p.parent = Application->MainForm() && Application->MainForm()->HandleAllocated()
                       ? Application->MainForm()->Handle()
                       : nullptr;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        TCustomForm* frame = Application ? Application->MainForm() : nullptr;
        if (frame && frame != this && frame->FormStyle() == TFormStyle::fsMDIForm)
            frame->HandleNeeded();
        if (!frame || frame == this || !frame->ClientHandle())
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        p.style = (p.style & ~static_cast<DWORD>(WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS |
                  (visible_ ? WS_VISIBLE : 0) |
                  (windowState_ == TWindowState::wsMaximized ? WS_MAXIMIZE : 0);
        p.parent = p.mdiClient = frame->ClientHandle();
    }
}

void TCustomForm::HandleCreated() {
    TWinControl::HandleCreated();
    if (formStyle_ == TFormStyle::fsMDIForm) CreateMDIClient();
    UpdateIcons();
    TrackBounds();
    if (formStyle_ == TFormStyle::fsMDIChild) {
        // The frame's window menu lists the children: bring it up to date with the new one.
        HWND client = GetParent(handle_);
        SendMessageW(client, WM_MDIREFRESHMENU, 0, 0);
        DrawMenuBar(GetParent(client));
    }
}

void TCustomForm::DestroyFormWindow() {
    if (!HandleAllocated()) return;
    HWND client = formStyle_ == TFormStyle::fsMDIChild ? GetParent(handle_) : nullptr;
    if (client && IsWindow(client))
        SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
    DestroyHandle();
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

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    constraints_.Clamp(width, height);
    TWinControl::SetBounds(left, top, width, height);
}

// The window's real place and size, after the user or the system moved it.
void TCustomForm::TrackBounds() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    if (!GetWindowRect(handle_, &r)) return;
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TCustomForm::ApplyConstraints(MINMAXINFO& info) const {
    if (constraints_.MinWidth() > 0) info.ptMinTrackSize.x = constraints_.MinWidth();
    if (constraints_.MinHeight() > 0) info.ptMinTrackSize.y = constraints_.MinHeight();
    if (constraints_.MaxWidth() > 0) {
        info.ptMaxTrackSize.x = constraints_.MaxWidth();
        info.ptMaxSize.x = std::min<LONG>(info.ptMaxSize.x, constraints_.MaxWidth());
    }
    if (constraints_.MaxHeight() > 0) {
        info.ptMaxTrackSize.y = constraints_.MaxHeight();
        info.ptMaxSize.y = std::min<LONG>(info.ptMaxSize.y, constraints_.MaxHeight());
    }
}

void TCustomForm::SetWindowState(TWindowState s) {
    windowState_ = s;
    if (!HandleAllocated() || !visible_) return;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        SetMDIChildState(s);
        return;
    }
    ShowWindow(handle_, s == TWindowState::wsMaximized   ? SW_MAXIMIZE
                        : s == TWindowState::wsMinimized ? SW_MINIMIZE
                                                         : SW_RESTORE);
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
}

// --- Icon ---------------------------------------------------------------------------------------

void TCustomForm::SetIcon(const TIcon& icon) {
    icon_.Assign(icon);
    UpdateIcons();
}

void TCustomForm::ApplicationIconChanged() {
    if (icon_.Empty()) UpdateIcons();
}

// The window keeps no icon of its own: it gets copies that live until it has the next ones.
void TCustomForm::UpdateIcons() {
    if (!handle_) return;
    const TIcon* source = &icon_;
    if (source->Empty() && Application) source = &Application->Icon();
    HICON big = nullptr, smallIcon = nullptr;
    if (!source->Empty()) {
        big = CopyIcon(source->Handle());
        smallIcon = static_cast<HICON>(CopyImage(source->Handle(), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    }
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    windowIcon_.Reset(big);
    windowSmallIcon_.Reset(smallIcon);
}

void TCustomForm::ReadIcon(TStream& stream) {
    int64_t size = stream.Size() - stream.Seek(0, TSeekOrigin::soCurrent);
    if (size <= 0 || size > 16 * 1024 * 1024) throw EReadError("Invalid icon");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), bytes.size());
    HICON icon = IconFromIcoFile(bytes.data(), bytes.size());
    if (!icon) throw EReadError("Invalid icon");
    TIcon read;
    read.SetHandle(icon);
    SetIcon(read);
}

void TCustomForm::WriteIcon(TStream&) const {
    // Icons are read from the program's resources only; nothing is written back.
}

// --- Showing, position, closing -----------------------------------------------------------------

void TCustomForm::CenterOn(const RECT& area) {
    SetBounds(area.left + (area.right - area.left - width_) / 2,
              area.top + (area.bottom - area.top - height_) / 2, width_, height_);
}

void TCustomForm::ApplyPosition() {
    if (formStyle_ == TFormStyle::fsMDIChild) return;
    TCustomForm* over = nullptr;
    if (position_ == TPosition::poOwnerFormCenter) over = dynamic_cast<TCustomForm*>(Owner());
    if (position_ == TPosition::poMainFormCenter ||
        (position_ == TPosition::poOwnerFormCenter && !over))
        over = Application ? Application->MainForm() : nullptr;
    RECT area;
    if (over && over != this && over->HandleAllocated() && IsWindowVisible(over->Handle())) {
        GetWindowRect(over->Handle(), &area);
        CenterOn(area);
    } else if (position_ == TPosition::poScreenCenter || over) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        CenterOn(area);
    }
}

void TCustomForm::Show() {
    HandleNeeded();
    if (!shownOnce_) ApplyPosition();
    bool first = !shownOnce_;
    shownOnce_ = true;
    visible_ = true;
    ShowWindow(handle_, windowState_ == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                        : windowState_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                    : SW_SHOW);
    UpdateScrollRange();
    if (first && OnShow) OnShow(this);
}

void TCustomForm::Hide() {
    visible_ = false;
    if (handle_) ShowWindow(handle_, SW_HIDE);
}

bool TCustomForm::CloseQuery() {
    if (formStyle_ == TFormStyle::fsMDIForm)
        for (TCustomForm* child : MDIChildList())
            if (!child->CloseQuery()) return false;
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

bool TCustomForm::DoClose(TCloseAction& action) {
    action = formStyle_ == TFormStyle::fsMDIChild && !modal_ ? TCloseAction::caMinimize
                                                             : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    return action != TCloseAction::caNone;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action;
    if (!DoClose(action)) return;
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
        // 1: consumed or failed (reported); either way the message goes no further.
        if (DispatchBarrier([&] { return PreProcessFormMessage(msg); }, 1)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner) EnableWindow(owner, TRUE);
    Hide();
    modal_ = false;
    return modalResult_;
}

// --- Focus and activation -------------------------------------------------------------------

TWinControl* TCustomForm::ActiveControl() const {
    if (handle_ && GetActiveWindow() == handle_) {
        HWND focus = GetFocus();
        for (HWND w = focus; w && w != handle_; w = GetParent(w))
            if (TWinControl* c = FromHandle(w); c && GetParentForm(c) == this) return c;
    }
    return activeControl_;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ && activeControl_ != control) activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (!control) return;
    control->FreeNotification(this);
    if (handle_ && !IsLoading() && GetActiveWindow() == handle_ && control->HandleAllocated() &&
        IsWindowVisible(control->Handle()))
        control->SetFocus();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
    if (operation == TOperation::opRemove && component == menu_) menu_ = nullptr;
}

void TCustomForm::Activated(bool active) {
    if (active) {
        if (activeControl_ && activeControl_->HandleAllocated() &&
            IsWindowVisible(activeControl_->Handle()) && IsWindowEnabled(activeControl_->Handle()))
            ::SetFocus(activeControl_->Handle());
        if (OnActivate) OnActivate(this);
        return;
    }
    // Remember where the focus was, to give it back on the next activation. Only remembered:
    // focusing it now would pull the activation back.
    if (TWinControl* focused = ActiveControl(); focused && focused != activeControl_) {
        if (activeControl_) activeControl_->RemoveFreeNotification(this);
        activeControl_ = focused;
        focused->FreeNotification(this);
    }
    if (OnDeactivate) OnDeactivate(this);
}

bool TCustomForm::PreviewKey(MSG& msg) {
    if (!keyPreview_) return false;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const TKeyEvent& handler =
            msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN ? OnKeyDown : OnKeyUp;
        if (!handler) return false;
        WORD key = static_cast<WORD>(msg.wParam);
        handler(this, key, ShiftKeysDown());
        if (!key) return true;
        msg.wParam = key;
        return false;
    }
    case WM_CHAR: {
        if (!OnKeyPress) return false;
        std::string ansi = WideToAnsi(std::wstring(1, static_cast<wchar_t>(msg.wParam)));
        if (ansi.size() != 1) return false; // no single ANSI character: not previewed
        char key = ansi[0];
        OnKeyPress(this, key);
        if (!key) return true;
        std::wstring wide = AnsiToWide(std::string(1, key));
        if (!wide.empty()) msg.wParam = wide[0];
        return false;
    }
    default:
        return false;
    }
}

// --- Messages ---------------------------------------------------------------------------------

void TCustomForm::DefaultHandler(TMessage& m) {
    if (handle_ && formStyle_ == TFormStyle::fsMDIForm) {
        m.Result = DefFrameProcW(handle_, clientHandle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    if (handle_ && formStyle_ == TFormStyle::fsMDIChild &&
        (GetWindowLongPtrW(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        m.Result = DefMDIChildProcW(handle_, m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TCustomForm::WndProc(TMessage& m) {
    if (DispatchMenuMessage(m)) return;
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_QUERYENDSESSION:
        m.Result = CloseQuery();
        return;
    case WM_SETCURSOR:
        // Children pass WM_SETCURSOR to their parents first: the screen's cursor wins.
        if (Screen && Screen->Cursor() != crDefault) {
            ::SetCursor(CursorHandle(Screen->Cursor()));
            m.Result = TRUE;
            return;
        }
        break;
    case WM_GETMINMAXINFO:
        DefaultHandler(m);
        ApplyConstraints(*reinterpret_cast<MINMAXINFO*>(m.LParam));
        return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        if (m.WParam == SIZE_MAXIMIZED)
            windowState_ = TWindowState::wsMaximized;
        else if (m.WParam == SIZE_MINIMIZED)
            windowState_ = TWindowState::wsMinimized;
        else if (m.WParam == SIZE_RESTORED)
            windowState_ = TWindowState::wsNormal;
        if (clientHandle_) {
            RECT r = MDIClientRect();
            MoveWindow(clientHandle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        }
        TrackBounds();
        UpdateScrollRange();
        if (OnResize) OnResize(this);
        return;
    case WM_MOVE:
        TWinControl::WndProc(m);
        TrackBounds();
        return;
    case WM_ACTIVATE:
        TWinControl::WndProc(m);
        if (formStyle_ != TFormStyle::fsMDIChild) Activated(LOWORD(m.WParam) != WA_INACTIVE);
        return;
    case WM_MDIACTIVATE:
        TWinControl::WndProc(m);
        Activated(reinterpret_cast<HWND>(m.LParam) == handle_);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!m.LParam && autoScroll_) { // our own bars; a scroll bar control's are reflected
            ScrollMessage(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam));
            m.Result = 0;
            return;
        }
        break;
    case WM_NCDESTROY:
        TWinControl::WndProc(m);
        clientHandle_ = nullptr; // went with the frame
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
