// TControl and TWinControl: controls over Win32 windows, with a replaceable message method.
//
// Contract:
//  - Every message of a control's window goes to its WindowProc, a method reference that
//    starts as the control's own WndProc. Whoever replaces it keeps the old value and calls it
//    for every message it does not consume, and puts it back before it goes away.
//  - The framework's notifications use fixed numbers (CM_* below); a notification the control
//    reflects back to the child that caused it is CN_BASE + the message (WM_COMMAND ->
//    0xBC111, WM_NOTIFY -> 0xBC4E, WM_HSCROLL -> 0xBD14).
//  - A windowed control's window is made on first use of Handle() with the class named after
//    the control's ClassName(); for kinds over a system control ("BUTTON", "LISTBOX"...) that
//    class is a copy of the system class. The window is Unicode; texts are ANSI bytes of the
//    running code page, converted with it.
//  - No exception leaves a window procedure: it goes to the application's error report.
//  - The control object owns its window and destroys it in its destructor.
#pragma once

#include <windows.h>

#include "ui/classes/Component.h"

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};
using TWndMethod = std::function<void(TMessage&)>;

enum : UINT {
    CM_DIALOGCHAR = 0xB006,
    CM_ENABLEDCHANGED = 0xB00C,
    CM_MOUSEENTER = 0xB013,
    CM_MOUSELEAVE = 0xB014,
    CM_MENUCHANGED = 0xB015,
    CM_EXIT = 0xB01B,
    CM_RELEASE = 0xB021,
    CN_BASE = 0xBC00,
};

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TWinControl;

// ANSI bytes of the running code page to UTF-16 and back.
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

class TControl : public TComponent {
    KV_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWndMethod WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    const std::string& Caption() const { return caption_; }
    virtual void SetCaption(const std::string& text);
    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool show) { showHint_ = show; }
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);

    virtual void Invalidate();
    void Repaint();
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    void SetOnClick(const TNotifyEvent& e) { OnClick = e; }
    void SetOnDblClick(const TNotifyEvent& e) { OnDblClick = e; }

protected:
    virtual void WndProc(TMessage& message);
    // Messages nobody consumed; controls with a window pass them to its class procedure.
    virtual void DefaultHandler(TMessage& message);
    virtual void TextChanged() {}
    void RequestAlign();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    COLORREF color_ = 0xFF00000F; // clBtnFace

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    TAlign align_ = TAlign::alNone;
    std::string hint_;
    bool showHint_ = false;
};

struct TCreateParams {
    std::wstring caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    const wchar_t* systemClass = nullptr; // the system class this kind wraps, or none
};

class TWinControl : public TControl {
    KV_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int order) { tabOrder_ = order; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool on) { doubleBuffered_ = on; }

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void Invalidate() override;
    void SetFocus();
    bool Focused();
    void AlignControls();

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

    // The framework control that owns this window, or nullptr.
    static TWinControl* FromHandle(HWND hwnd);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& params);
    // Called once the window exists: push state (items, check marks) into it.
    virtual void HandleCreated() {}
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void TextChanged() override;
    void Loaded() override;
    bool ReflectToChild(TMessage& message);

    HWND handle_ = nullptr;

private:
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void RegisterWindowClass(const TCreateParams& params);
    void TrackMouse();
    bool PaintGraphicChildren(TMessage& message);

    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;
    int tabOrder_ = -1;
    bool doubleBuffered_ = false;
    bool mouseInside_ = false;
};

// A control without a window: it paints on its parent's window.
class TGraphicControl : public TControl {
    KV_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

protected:
    void WndProc(TMessage& message) override;
    virtual void Paint(HDC) {}
};

// Where a window procedure's exception goes; set by the application.
using TExceptionHandler = std::function<void(const std::exception&)>;
void SetDispatchExceptionHandler(TExceptionHandler handler);
void ReportDispatchException(const std::exception& e);
