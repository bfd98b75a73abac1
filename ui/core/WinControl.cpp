#include "ui/classes/Exception.h"
#include "ui/core/Controls.h"
#include "ui/core/PaintMessage.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {
thread_local TWinControl* g_creating = nullptr;
// The framework window that the mouse last entered on this thread, until it hears it left.
thread_local HWND g_mouseWindow = nullptr;

// The framework control of each of its windows. A window property would do the same, but under
// Wine reading one is a trip to the window server, and it is read for every message.
std::unordered_map<HWND, TWinControl*>& ControlsByWindow() {
    static std::unordered_map<HWND, TWinControl*> controls;
    return controls;
}

TWinControl* ControlOf(HWND hwnd) {
    auto found = ControlsByWindow().find(hwnd);
    return found == ControlsByWindow().end() ? nullptr : found->second;
}
std::map<std::wstring, WNDPROC>& ClassProcs() {
    static std::map<std::wstring, WNDPROC> procs;
    return procs;
}

// The window that a reflected message is about, or none.
HWND ReflectTarget(HWND self, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(l);
    case WM_NOTIFY:
        return l ? reinterpret_cast<NMHDR*>(l)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        return d && d->CtlType != ODT_MENU ? d->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
        return m && m->CtlType != ODT_MENU ? GetDlgItem(self, static_cast<int>(w)) : nullptr;
    }
    default:
        return nullptr;
    }
}
} // namespace

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    TWinControl* control = ControlOf(hwnd);
    if (!control && g_creating) {
        // Bound at the first message, before CreateWindowEx returns.
        control = g_creating;
        g_creating = nullptr;
        control->handle_ = hwnd;
        ControlsByWindow()[hwnd] = control;
    }
    if (!control) return DefWindowProcW(hwnd, msg, w, l);
    TMessage m{msg, w, l, 0};
    DispatchBarrier([&] { control->WindowProc(m); });
    if (msg == WM_NCDESTROY) {
        if (g_mouseWindow == hwnd) g_mouseWindow = nullptr;
        ControlsByWindow().erase(hwnd);
        control->handle_ = nullptr;
    }
    return m.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Owned components first, while this object is still a whole control (their teardown may
    // talk to it), then the children that others own lose their parent, then the window.
    DestroyComponents();
    for (TControl* c : std::vector<TControl*>(controls_)) c->SetParent(nullptr);
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    return hwnd ? ControlOf(hwnd) : nullptr;
}

HWND TWinControl::Handle() {
    if (!handle_) CreateWnd();
    return handle_;
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWindow(handle_); // WM_NCDESTROY clears handle_
    if (handle_) ControlsByWindow().erase(handle_); // a subclass kept WM_NCDESTROY from us
    handle_ = nullptr;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.caption = AnsiToWide(caption_);
    p.style =
        WS_CHILD | WS_CLIPSIBLINGS | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    p.x = left_;
    p.y = top_;
    p.width = width_;
    p.height = height_;
}

void TWinControl::RegisterWindowClass(const TCreateParams& params) {
    std::wstring name = AnsiToWide(ClassName());
    if (ClassProcs().count(name)) {
        defWndProc_ = ClassProcs()[name];
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (params.systemClass) {
        if (!GetClassInfoExW(nullptr, params.systemClass, &wc))
            throw EOutOfResources("Window class " + ClassName() + " cannot be made");
        defWndProc_ = wc.lpfnWndProc;
    } else {
        wc.style = CS_DBLCLKS;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        defWndProc_ = DefWindowProcW;
    }
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = ControlWindowProc;
    wc.lpszClassName = name.c_str();
    wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    if (!RegisterClassExW(&wc))
        throw EOutOfResources("Window class " + ClassName() + " cannot be registered");
    ClassProcs()[name] = defWndProc_;
}

void TWinControl::CreateWnd() {
    // Making the parent's window makes its children's windows, this one among them: asking
    // for it first keeps this control to one window.
    if (Parent() && !Parent()->HandleAllocated()) {
        Parent()->HandleNeeded();
        if (handle_) return;
    }
    TCreateParams params;
    CreateParams(params);
    if ((params.style & WS_CHILD) && !params.parent) {
        if (!Parent()) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
        params.parent = Parent()->Handle();
    }
    RegisterWindowClass(params);
    CreateWindowHandle(params);
    if (!handle_) throw EOutOfResources("Error creating window " + ClassName());
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
    HandleCreated();
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
    AlignControls();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    std::wstring name = AnsiToWide(ClassName());
    g_creating = this;
    HWND made = nullptr;
    if (p.mdiClient) {
        // Through the client's own message, so that whoever watches the client (the frame's
        // skin) sees the child arrive.
        MDICREATESTRUCTW create{name.c_str(), p.caption.c_str(), GetModuleHandleW(nullptr),
                                p.x,          p.y,              p.width,
                                p.height,     p.style,          0};
        made = reinterpret_cast<HWND>(
            SendMessageW(p.mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    } else {
        made = CreateWindowExW(p.exStyle, name.c_str(), p.caption.c_str(), p.style, p.x, p.y,
                               p.width, p.height, p.parent, p.menu, GetModuleHandleW(nullptr),
                               nullptr);
    }
    g_creating = nullptr;
    if (made) handle_ = made;
}

void TWinControl::InsertControl(TControl* control) {
    if (!control || control->parent_ == this) return;
    controls_.push_back(control);
    control->parent_ = this;
    control->ParentChanged();
    if (auto* w = dynamic_cast<TWinControl*>(control); w && HandleAllocated()) {
        if (w->HandleAllocated())
            ::SetParent(w->handle_, handle_);
        else
            w->HandleNeeded();
    }
    if (!IsLoading()) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    control->parent_ = nullptr;
    if (hotGraphic_ == control) hotGraphic_ = nullptr;
    if (captureGraphic_ == control) {
        captureGraphic_ = nullptr;
        if (handle_ && GetCapture() == handle_) ReleaseCapture();
    }
    if (auto* w = dynamic_cast<TWinControl*>(control)) w->DestroyHandle();
}

bool TWinControl::AddLoadedChild(TComponent& child) {
    auto* control = dynamic_cast<TControl*>(&child);
    if (control) control->SetParent(this);
    // Components without a window (image lists, timers) simply sit in the container's block.
    return true;
}

std::vector<TComponent*> TWinControl::LoadedChildren() const {
    return {controls_.begin(), controls_.end()};
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (handle_) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    if (handle_) EnableWindow(handle_, enabled);
    TControl::SetEnabled(enabled);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::SetFocus() {
    ::SetFocus(Handle());
}

bool TWinControl::Focused() {
    return handle_ && GetFocus() == handle_;
}

void TWinControl::TextChanged() {
    if (handle_) SetWindowTextW(handle_, AnsiToWide(caption_).c_str());
}

void TWinControl::FontChanged() {
    // The window switches to the new handle before TFont deletes the old one.
    if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    TControl::FontChanged();
    NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::NotifyChildren(UINT notification) {
    for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(notification);
}

LRESULT TWinControl::ControlColor(HDC dc) {
    SetTextColor(dc, ColorToRGB(Font().Color()));
    SetBkColor(dc, ColorToRGB(color_));
    brush_.SetColor(color_);
    return reinterpret_cast<LRESULT>(brush_.Handle());
}

// Windows of the framework's own classes show Color; system classes paint themselves.
bool TWinControl::EraseBackground(TMessage& m) {
    if (defWndProc_ != DefWindowProcW || !m.WParam) return false;
    RECT r;
    GetClientRect(handle_, &r);
    brush_.SetColor(color_);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_.Handle());
    m.Result = 1;
    return true;
}

TControl* TWinControl::GraphicControlAt(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
        if (p.x >= c->Left() && p.y >= c->Top() && p.x < c->Left() + c->Width() &&
            p.y < c->Top() + c->Height())
            return c;
    }
    return nullptr;
}

TCursor TWinControl::CursorAt(POINT p) const {
    TControl* c = GraphicControlAt(p);
    return c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
}

bool TWinControl::SetCursorFromControls(TMessage& m) {
    if (reinterpret_cast<HWND>(m.WParam) != handle_ || LOWORD(m.LParam) != HTCLIENT) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(handle_, &p);
    TCursor cursor = CursorAt(p);
    if (cursor == crDefault) return false;
    ::SetCursor(CursorHandle(cursor));
    m.Result = TRUE;
    return true;
}

void TWinControl::UpdateHotGraphic(POINT p) {
    TControl* now = GraphicControlAt(p);
    if (now == hotGraphic_) return;
    TControl* old = std::exchange(hotGraphic_, now);
    if (old) old->Perform(CM_MOUSELEAVE);
    if (now) now->Perform(CM_MOUSEENTER);
}

// Mouse messages over a windowless child are its own; a press keeps them coming to it until
// the release, wherever the mouse goes.
bool TWinControl::RouteMouseToGraphic(TMessage& m) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TControl* target = captureGraphic_ ? captureGraphic_ : GraphicControlAt(p);
    if (!target || (!target->Enabled() && !captureGraphic_)) return false;
    bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN || m.Msg == WM_MBUTTONDOWN ||
                 m.Msg == WM_LBUTTONDBLCLK;
    bool release = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
    if (press && !captureGraphic_) {
        captureGraphic_ = target;
        SetCapture(handle_);
    }
    m.Result = target->Perform(m.Msg, m.WParam,
                               MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
    if (release && captureGraphic_ == target) {
        captureGraphic_ = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
    }
    return true;
}

void TWinControl::AlignControls() {
    if (!handle_ || IsLoading()) return;
    RECT r;
    GetClientRect(handle_, &r);
    for (TAlign pass :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : controls_) {
            if (c->Align() != pass || !c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            int x = r.left, y = r.top;
            switch (pass) {
            case TAlign::alTop:
                w = r.right - r.left;
                r.top += h;
                break;
            case TAlign::alBottom:
                w = r.right - r.left;
                y = r.bottom - h;
                r.bottom -= h;
                break;
            case TAlign::alLeft:
                h = r.bottom - r.top;
                r.left += w;
                break;
            case TAlign::alRight:
                h = r.bottom - r.top;
                x = r.right - w;
                r.right -= w;
                break;
            default:
                w = r.right - r.left;
                h = r.bottom - r.top;
                break;
            }
            c->align_ = TAlign::alNone; // SetBounds must not realign while we are at it
            c->SetBounds(x, y, std::max(w, 0), std::max(h, 0));
            c->align_ = pass;
        }
    }
}

bool TWinControl::ReflectToChild(TMessage& m) {
    HWND target = ReflectTarget(handle_, m.Msg, m.WParam, m.LParam);
    TWinControl* child = FromHandle(target);
    if (!child || child == this) return false;
    m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::WndProc(TMessage& m) {
    if (ReflectToChild(m)) return;
    switch (m.Msg) {
    case WM_SIZE:
        DefaultHandler(m);
        AlignControls();
        return;
    case WM_PAINT:
        if (PaintGraphicChildren(m)) return;
        break;
    case WM_ERASEBKGND:
        if (EraseBackground(m)) return;
        break;
    case WM_SETCURSOR:
        if (SetCursorFromControls(m)) return;
        break;
    case WM_MOUSEMOVE:
        TrackMouse();
        UpdateHotGraphic({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (RouteMouseToGraphic(m)) return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (RouteMouseToGraphic(m)) return;
        break;
    case WM_CAPTURECHANGED:
        captureGraphic_ = nullptr;
        break;
    case WM_MOUSELEAVE:
        if (g_mouseWindow == handle_) g_mouseWindow = nullptr;
        if (!mouseInside_) break; // the system's own leave after the one TrackMouse sent
        mouseInside_ = false;
        UpdateHotGraphic({-1, -1});
        Perform(CM_MOUSELEAVE);
        break;
    case CN_BASE + WM_CTLCOLORMSGBOX:
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORLISTBOX:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORDLG:
    case CN_BASE + WM_CTLCOLORSCROLLBAR:
    case CN_BASE + WM_CTLCOLORSTATIC:
        m.Result = ControlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_KILLFOCUS:
        Perform(CM_EXIT);
        break;
    case WM_SYSCHAR: {
        // Alt and a character: the form may have a use for it (an accelerator of something
        // it draws itself) before the system looks for a menu.
        TWinControl* top = this;
        while (top->Parent()) top = top->Parent();
        if (top->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
            m.Result = 0;
            return;
        }
        break;
    }
    }
    TControl::WndProc(m);
}

// The mouse is in one window at a time. A move here takes it from the window that had it, and
// that window is told so here rather than by the system: the system tracks one window per
// thread, and Wine drops that tracking without a leave when another window asks for it while
// the cursor position it reads is behind the messages (on a busy machine). Dropped tracking of
// this window is asked for again while the cursor is over it.
void TWinControl::TrackMouse() {
    if (g_mouseWindow != handle_) {
        if (g_mouseWindow) PostMessageW(g_mouseWindow, WM_MOUSELEAVE, 0, 0);
        g_mouseWindow = handle_;
    }
    if (!LeaveTracked() && CursorOver()) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&t);
    }
    if (mouseInside_) return;
    mouseInside_ = true;
    Perform(CM_MOUSEENTER);
}

bool TWinControl::LeaveTracked() const {
    TRACKMOUSEEVENT q{sizeof q, TME_QUERY, nullptr, 0};
    return TrackMouseEvent(&q) && q.hwndTrack == handle_ && (q.dwFlags & TME_LEAVE);
}

bool TWinControl::CursorOver() const {
    POINT cursor;
    RECT r;
    return GetCursorPos(&cursor) && GetWindowRect(handle_, &r) && PtInRect(&r, cursor);
}

// Windowless children paint into this window's paint pass, at their own place. Over a system
// class the class paints first and the children go on top.
bool TWinControl::PaintGraphicChildren(TMessage& m) {
    bool any = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
        return c->Visible() && !dynamic_cast<TWinControl*>(c);
    });
    if (!any) return false;
    if (defWndProc_ != DefWindowProcW) {
        DefaultHandler(m);
        kv::WindowDC dc(handle_);
        PaintGraphicChildrenOn(dc.Get());
        return true;
    }
    ServePaint(handle_, m, [this](HDC dc) { PaintGraphicChildrenOn(dc); });
    return true;
}

void TWinControl::PaintGraphicChildrenOn(HDC dc) {
    if (!dc) return;
    for (TControl* c : controls_) {
        if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
        kv::SavedDCState saved(dc);
        IntersectClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        POINT old;
        SetViewportOrgEx(dc, c->Left(), c->Top(), &old);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
    }
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) {
        m.Result = 0;
        return;
    }
    m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}
