// TControl and TWinControl: controls over Win32 windows, with a replaceable message method.
//
// Contract:
//  - Every message of a control's window goes to its WindowProc, a method reference that
//    starts as the control's own WndProc. Whoever replaces it keeps the old value and calls it
//    for every message it does not consume, and puts it back before it goes away.
//  - The framework's notifications use fixed numbers (CM_* below); a notification the control
//    reflects back to the child that caused it is CN_BASE + the message (WM_COMMAND ->
//    0xBD11, WM_NOTIFY -> 0xBC4E, WM_HSCROLL -> 0xBD14).
//  - A windowed control's window is made on first use of Handle() with the class named after
//    the control's ClassName(); for kinds over a system control ("BUTTON", "LISTBOX"...) that
//    class is a copy of the system class. The window is Unicode; texts are ANSI bytes of the
//    running code page, converted with it.
//  - No exception leaves a window procedure: it goes to the application's error report.
//  - The control object owns its window and destroys it in its destructor.
//  - Font: every control owns a TFont; a windowed control's window gets its handle with
//    WM_SETFONT (the window borrows it; a new handle is sent before the old one is deleted).
//    With ParentFont (the default) the control takes its parent's font whenever the parent or
//    the parent's font changes; changing the font by hand clears ParentFont.
//  - Color and ParentColor likewise (ParentColor is off unless a kind turns it on). A windowed
//    child of a system class gets Color as its background and Font.Color as its text colour
//    through the reflected WM_CTLCOLOR* messages; windows of the framework's own classes erase
//    their background with Color.
//  - Windowless children get the mouse messages that fall on them (coordinates made relative to
//    them; a press captures the mouse for them until the release), CM_MOUSEENTER/CM_MOUSELEAVE
//    as the mouse crosses them, and decide the cursor over them (WM_SETCURSOR).
#pragma once

#include <windows.h>

#include "ui/actions/ShortCut.h"
#include "ui/classes/Component.h"
#include "ui/core/Cursors.h"
#include "ui/core/DispatchBarrier.h"
#include "ui/graphics/GraphicsObjects.h"

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};
using TWndMethod = std::function<void(TMessage&)>;

enum : UINT {
    CM_DIALOGKEY = 0xB005, // a key the focused control left alone, offered to it and its parents
    CM_DIALOGCHAR = 0xB006,
    CM_PARENTFONTCHANGED = 0xB008,
    CM_PARENTCOLORCHANGED = 0xB009,
    CM_ENABLEDCHANGED = 0xB00C,
    CM_COLORCHANGED = 0xB00D,
    CM_FONTCHANGED = 0xB00E,
    CM_MOUSEENTER = 0xB013,
    CM_MOUSELEAVE = 0xB014,
    CM_MENUCHANGED = 0xB015,
    CM_EXIT = 0xB01B,
    CM_RELEASE = 0xB021,
    CN_BASE = 0xBC00,
};

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// ssShift, ssAlt and ssCtrl are the keyboard's (ShortCut.h); the mouse adds its buttons.
enum : TShiftState {
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;

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
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }

    virtual void Invalidate();
    void Repaint();
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    void SetOnClick(const TNotifyEvent& e) { OnClick = e; }
    void SetOnDblClick(const TNotifyEvent& e) { OnDblClick = e; }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    void SetOnMouseEnter(const TNotifyEvent& e) { OnMouseEnter = e; }
    void SetOnMouseLeave(const TNotifyEvent& e) { OnMouseLeave = e; }
    void SetOnMouseDown(const TMouseEvent& e) { OnMouseDown = e; }
    void SetOnMouseUp(const TMouseEvent& e) { OnMouseUp = e; }
    void SetOnMouseMove(const TMouseMoveEvent& e) { OnMouseMove = e; }

protected:
    virtual void WndProc(TMessage& message);
    // Messages nobody consumed; controls with a window pass them to its class procedure.
    virtual void DefaultHandler(TMessage& message);
    virtual void TextChanged() {}
    // The font or colour changed (by hand or from the parent).
    virtual void FontChanged();
    virtual void ColorChanged();
    void RequestAlign();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    COLORREF color_ = 0xFF00000F; // clBtnFace
    bool parentColor_ = false;

private:
    friend class TWinControl;
    void ParentChanged();
    void TakeParentFont();
    void TakeParentColor();
    bool MouseMessage(const TMessage& message);

    TFont font_;
    bool parentFont_ = true;
    bool takingFromParent_ = false; // changes made here keep ParentFont / ParentColor
    TCursor cursor_ = crDefault;
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
    HWND mdiClient = nullptr;             // an MDI child window is made inside this client
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

    // The visible windowless child at a client point (the last one inserted wins), or nullptr.
    TControl* GraphicControlAt(POINT client) const;
    // The cursor shown at a client point: a windowless child's own, else this control's.
    TCursor CursorAt(POINT client) const;

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
    void FontChanged() override;
    void ColorChanged() override;
    void Loaded() override;
    bool ReflectToChild(TMessage& message);
    // The answer to a reflected WM_CTLCOLOR*: Font.Color on Color.
    LRESULT ControlColor(HDC dc);
    // Paints the visible windowless children into dc (client coordinates).
    void PaintGraphicChildrenOn(HDC dc);

    HWND handle_ = nullptr;

private:
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void RegisterWindowClass(const TCreateParams& params);
    void TrackMouse();
    bool LeaveTracked() const;
    bool CursorOver() const;
    bool PaintGraphicChildren(TMessage& message);
    bool EraseBackground(TMessage& message);
    bool SetCursorFromControls(TMessage& message);
    void UpdateHotGraphic(POINT client);
    bool RouteMouseToGraphic(TMessage& message);
    void NotifyChildren(UINT notification);

    WNDPROC defWndProc_ = nullptr;
    TBrush brush_; // Color, for WM_CTLCOLOR* and the background
    TControl* hotGraphic_ = nullptr;     // the windowless child under the mouse
    TControl* captureGraphic_ = nullptr; // the windowless child that got the press
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

