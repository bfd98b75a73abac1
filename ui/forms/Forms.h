// Forms (top-level windows), the screen's list of forms and the application object.
//
// Contract:
//  - A form is a top-level window of the class named after its ClassName(). Its layout, when
//    the program has one (RCDATA resource named after the class), is read by ReadFormLayout.
//  - Close() asks OnClose; closing the main form ends Application->Run(). ShowModal() runs a
//    message loop until ModalResult becomes non-zero (a button with a ModalResult, Close() or
//    code) and returns it; the form is hidden, not freed.
//  - Release() frees the form later, from the message loop (CM_RELEASE posted to it).
//  - Close() asks OnCloseQuery first (an MDI frame asks its children too); a refusal leaves
//    everything as it was.
//  - FormStyle fsMDIForm: the form makes an MDI client window (ClientHandle) and its default
//    procedure is DefFrameProc. fsMDIChild: the form is made inside the main form's MDI client
//    (which must exist) with DefMDIChildProc as default procedure, and is always visible.
//  - Constraints bound both SetBounds and the user's or the system's resizing (a limit of 0 is
//    none). Icon: the form's own, else the application's, set as the window's big and small
//    icon; the form keeps the icons it hands to the window until the window is gone.
//  - AutoScroll: scroll bars appear while children lie outside the client area; scrolling
//    moves the children.
//  - KeyPreview: the form's OnKeyDown/OnKeyPress/OnKeyUp see key messages for its controls
//    before they do; setting the key to 0 swallows the message.
//  - Application: one per program; its hidden window has class "TApplication". An exception
//    that reaches the message loop, a window procedure or a timer's handler goes to
//    HandleException: OnException if set, else the error's message in a message box; the
//    program keeps running.
//  - Hint: the hint of the control under the mouse (OnHint when it changes); a control with
//    ShowHint gets the short part of its hint (before '|') in a tooltip.
#pragma once

#include "ui/classes/Streams.h"
#include "ui/core/Controls.h"
#include "ui/graphics/Icon.h"

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TBorderIconFlag : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned; // TBorderIconFlag bits
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

// Size limits of a form; 0 means no limit.
class TSizeConstraints : public TObject {
    KV_CLASS(TSizeConstraints, TObject)
public:
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int v) { Change(minWidth_, v); }
    void SetMinHeight(int v) { Change(minHeight_, v); }
    void SetMaxWidth(int v) { Change(maxWidth_, v); }
    void SetMaxHeight(int v) { Change(maxHeight_, v); }
    void Clamp(int& width, int& height) const;

    std::function<void()> OnChange;

private:
    void Change(int& field, int value);
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};
class TMainMenu;

class TCustomForm : public TWinControl {
    KV_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    int ClientWidth();
    int ClientHeight();
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState s);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    TSizeConstraints& Constraints() { return constraints_; }
    const TIcon& Icon() const { return icon_; }
    // Copies the icon; an empty one falls back to the application's.
    void SetIcon(const TIcon& icon);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const;
    void SetActiveControl(TWinControl* control);

    // MDI frame: the MDI client window, the active child and the children (most recently
    // active first). Empty for other forms.
    HWND ClientHandle() const { return clientHandle_; }
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }
    TCustomForm* MDIChildren(int index) const;

    void SetBounds(int left, int top, int width, int height) override;
    void Show();
    void Hide();
    void Close();
    TModalResult ShowModal();
    void Release();
    // Asks OnCloseQuery (an MDI frame first asks its children); true when closing may go on.
    virtual bool CloseQuery();

    TNotifyEvent OnCreate, OnShow, OnDestroy, OnResize, OnActivate, OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    void SetOnCreate(const TNotifyEvent& e) { OnCreate = e; }
    void SetOnShow(const TNotifyEvent& e) { OnShow = e; }
    void SetOnDestroy(const TNotifyEvent& e) { OnDestroy = e; }
    void SetOnResize(const TNotifyEvent& e) { OnResize = e; }
    void SetOnActivate(const TNotifyEvent& e) { OnActivate = e; }
    void SetOnDeactivate(const TNotifyEvent& e) { OnDeactivate = e; }
    void SetOnClose(const TCloseEvent& e) { OnClose = e; }
    void SetOnCloseQuery(const TCloseQueryEvent& e) { OnCloseQuery = e; }
    void SetOnKeyDown(const TKeyEvent& e) { OnKeyDown = e; }
    void SetOnKeyUp(const TKeyEvent& e) { OnKeyUp = e; }
    void SetOnKeyPress(const TKeyPressEvent& e) { OnKeyPress = e; }

    // Key preview for a message headed for this form or one of its controls; true when a
    // handler swallowed it.
    bool PreviewKey(MSG& msg);
    // Puts the application's icon on the window when the form has none of its own.
    void ApplicationIconChanged();

    // Menus and shortcuts (ui/menus/FormMenus.cpp): the menu bar, and a key offered by the
    // message loop, run by the main menu's items or else the form's action lists.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    virtual bool IsShortCut(TShortCut shortCut);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    // Asks OnClose what to do; false when the answer is caNone.
    bool DoClose(TCloseAction& action);

private:
    bool DispatchMenuMessage(TMessage& message);
    TMainMenu* menu_ = nullptr;
    void ApplyPosition();
    void CenterOn(const RECT& area);
    void UpdateIcons();
    void TrackBounds();
    void Activated(bool active);
    void ApplyConstraints(MINMAXINFO& info) const;
    // AutoScroll
    void UpdateScrollRange();
    void ScrollMessage(int bar, WORD code);
    void ScrollChildren(int dx, int dy);
    // MDI
    void CreateMDIClient();
    void SetMDIChildState(TWindowState s);
    std::vector<TCustomForm*> MDIChildList() const;
    RECT MDIClientRect();
    void DestroyFormWindow();
    void ReadIcon(TStream& stream);
    void WriteIcon(TStream& stream) const;

    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poDesigned;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TWindowState windowState_ = TWindowState::wsNormal;
    TModalResult modalResult_ = mrNone;
    TSizeConstraints constraints_;
    TIcon icon_;
    kv::UniqueIcon windowIcon_, windowSmallIcon_; // the copies handed to the window
    TWinControl* activeControl_ = nullptr;
    HWND clientHandle_ = nullptr; // owned by the frame window: destroyed with it
    POINT scrollPos_{0, 0};
    bool autoScroll_ = false;
    bool updatingScroll_ = false;
    bool keyPreview_ = false;
    bool modal_ = false;
    bool shownOnce_ = false;
};

class TForm : public TCustomForm {
    KV_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// The short hint (before '|') for tooltips and the long one (after it, or the whole text) for
// a status line.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// What the message loops do with a message before it is dispatched: key preview, MDI system
// keys, hints. True when the message was consumed.
bool PreProcessFormMessage(MSG& msg);

// The form that holds a control (a form is its own), or nullptr.
TCustomForm* GetParentForm(TControl* control);

// An icon from the bytes of an .ico file: the image nearest the system's icon size. Nullptr
// when the bytes are not a well-formed icon file.
HICON IconFromIcoFile(const uint8_t* bytes, size_t size);

// Reads the layout resource named after the form's class into it (no resource: nothing
// happens). Throws ELayoutError.
void ReadFormLayout(TCustomForm& form);

class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int i) const { return forms_.at(static_cast<size_t>(i)); }
    // The first form whose window is hwnd (window handles are compared, no window is made).
    TCustomForm* FindForm(HWND hwnd) const;
    // The form whose window is the active window, or nullptr.
    TCustomForm* ActiveForm() const;
    // A cursor for every window of the program while it is not crDefault (an hourglass while
    // busy); crDefault gives each window its own again.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    void Add(TCustomForm* f) { forms_.push_back(f); }
    void Remove(TCustomForm* f) { std::erase(forms_, f); }

private:
    std::vector<TCustomForm*> forms_;
    TCursor cursor_ = crDefault;
};
extern TScreen* Screen;

class TApplication : public TComponent {
    KV_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Creates a form of type T owned by the application, reads its layout, and makes the
    // first one the main form.
    template <class T> T* CreateForm() {
        auto* form = new T(this);
        FormCreated(*form);
        return form;
    }
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Every message box of the program, the default error report's too (tests replace it).
    virtual int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    void HandleException(const std::exception& e);

    HWND Handle() const { return handle_; }
    TCustomForm* MainForm() const { return mainForm_; }
    // A form going away; the main form's place is then empty.
    void FormDestroyed(const TCustomForm& form) {
        if (mainForm_ == &form) mainForm_ = nullptr;
    }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    std::function<void(const std::exception&)> OnException;

    // The application's icon: MAINICON from the program's resources, else the system's.
    const TIcon& Icon() const { return icon_; }
    void SetIcon(const TIcon& icon);

    // The hint of the control under the mouse.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TNotifyEvent OnHint;
    // Follows the mouse to the control under it (hint, tooltip); the message loop calls it.
    void HintMouseMessage(const MSG& msg);
    HWND TooltipHandle() const { return tooltip_; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FormCreated(TCustomForm& form);
    void LoadDefaultIcon();
    void ShowTooltipFor(TControl* control);
    TIcon icon_;
    std::string hint_;
    TControl* hintControl_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND tooltipTool_ = nullptr; // the window of the tool the tooltip has now
    bool ProcessMessage(MSG& msg);
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::string title_;
    bool terminated_ = false;
};
extern TApplication* Application;
