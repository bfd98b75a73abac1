// Forms (top-level windows), the screen's list of forms and the application object.
//
// Contract:
//  - A form is a top-level window of the class named after its ClassName(). Its layout, when
//    the program has one (RCDATA resource named after the class), is read by ReadFormLayout.
//  - Close() asks OnClose; closing the main form ends Application->Run(). ShowModal() runs a
//    message loop until ModalResult becomes non-zero (a button with a ModalResult, Close() or
//    code) and returns it; the form is hidden, not freed.
//  - Release() frees the form later, from the message loop (CM_RELEASE posted to it).
//  - Application: one per program; its hidden window has class "TApplication". An exception
//    that reaches the message loop or a window procedure goes to HandleException: OnException
//    if set, else the error's message in a message box; the program keeps running.
#pragma once

#include "ui/core/Controls.h"

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TCustomForm : public TWinControl {
    KV_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s) { borderStyle_ = s; }
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    int ClientWidth();
    int ClientHeight();
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState s);
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }

    void Show();
    void Hide();
    void Close();
    TModalResult ShowModal();
    void Release();

    TNotifyEvent OnCreate, OnShow, OnDestroy;
    TCloseEvent OnClose;
    void SetOnCreate(const TNotifyEvent& e) { OnCreate = e; }
    void SetOnShow(const TNotifyEvent& e) { OnShow = e; }
    void SetOnDestroy(const TNotifyEvent& e) { OnDestroy = e; }
    void SetOnClose(const TCloseEvent& e) { OnClose = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    bool CloseQuery(TCloseAction& action);

private:
    void CenterOnScreen();
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool shownOnce_ = false;
};

class TForm : public TCustomForm {
    KV_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// Reads the layout resource named after the form's class into it (no resource: nothing
// happens). Throws ELayoutError.
void ReadFormLayout(TCustomForm& form);

class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int i) const { return forms_.at(static_cast<size_t>(i)); }
    // The first form whose window is hwnd (window handles are compared, no window is made).
    TCustomForm* FindForm(HWND hwnd) const;
    void Add(TCustomForm* f) { forms_.push_back(f); }
    void Remove(TCustomForm* f) { std::erase(forms_, f); }

private:
    std::vector<TCustomForm*> forms_;
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
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    void HandleException(const std::exception& e);

    HWND Handle() const { return handle_; }
    TCustomForm* MainForm() const { return mainForm_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    std::function<void(const std::exception&)> OnException;

private:
    void FormCreated(TCustomForm& form);
    bool ProcessMessage(MSG& msg);
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    std::string title_;
    bool terminated_ = false;
};
extern TApplication* Application;
