#pragma once
// TSkinControl: the base of every control skin. One object serves one control inside a skinned
// window: it sees each of the control's messages first (BeforeDefault), lets the control's own
// procedure do the work that is not visual, then adds its own drawing (AfterDefault).
//
// Contract
// - Three ways in: AttachControl (a framework windowed control: its WindowProc is replaced),
//   AttachHandle (a bare window: subclassed through a thunk) and, for windowless controls, the
//   subclasses' own attach. Every message not consumed by BeforeDefault reaches the replaced
//   procedure exactly once.
// - Whatever was replaced is given back only while it is still ours: a window that is gone is
//   left alone, and a later subclass on top keeps working (ours stays as a pass-through).
// - The object sits in its form skin's ControlSkins from attach until it is freed; freeing it
//   takes it out of that list and clears the form skin's HotControlSkin when it named it.
// - WM_NCDESTROY marks the object dead (SkinState 6): the form skin frees dead skins when it
//   next chooses control skins; the object never touches the window again.
// - Painting never raises into the window procedure; a failed GetWindowRect draws nothing.
#include "skin/data/win/SkinData.h"
#include "ui/classes/Component.h"
#include "ui/core/Controls.h"
#include "ui/core/ObjectInstance.h"

#include <windows.h>

#include <memory>
#include <string>

namespace kv {

class TWinSkinForm;

enum : uint8_t { kMouseHot = 1, kMouseDown = 2 };
enum : int { kSkinCreated = 0, kSkinAttached = 1, kSkinDetached = 2, kSkinWindowGone = 6 };

class TSkinControl : public TComponent {
    KV_CLASS(TSkinControl, TComponent)
public:
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    virtual void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour);
    virtual void AttachHandle(HWND wnd, TSkinData* skinData, TWinSkinForm* form);
    virtual void Detach();
    // False: the message is consumed (its Result as set here) and nothing else runs.
    virtual bool BeforeDefault(TMessage& m);
    virtual void AfterDefault(TMessage& m);
    // Paints the whole window; a null DC means a window DC is fetched.
    virtual void PaintSkin(HDC dc);
    // Draws the control into dc within rect (window coordinates).
    virtual void DrawSkin(HDC, const RECT&) {}
    virtual void SkinChanged();
    virtual bool QueryTrue() const { return true; }
    void Notification(TComponent* component, TOperation operation) override;

    void ControlWndProc(TMessage& m);
    void CallDefault(TMessage& m);
    void Redraw();
    void FillFace(HDC dc, const RECT& rect) const;
    void HandlePaint(TMessage& m);

    HWND Handle() const { return FHandle; }
    TWinControl* Control() const { return FControl; }
    // The framework control this skin serves (windowed or not), or nullptr for a bare window.
    virtual TControl* Served() const;
    TWinSkinForm* Form() const { return FForm; }
    int SkinState() const { return FSkinState; }
    bool WindowGone() const { return windowGone_; }
    uint8_t MouseState() const { return FMouseState; }
    const std::wstring& Caption() const { return FCaption; }
    bool Recolour() const { return FRecolour; }
    const RECT& WindowRect() const { return FWindowRect; }
    // The form skin is going away before this object: forget it.
    void ForgetForm() { FForm = nullptr; }

protected:
    const TSkinDefinition* Skin() const { return FSkinData ? FSkinData->Skin() : nullptr; }
    COLORREF FaceColour() const;
    void RefreshFlags();
    std::wstring ReadWindowText() const;
    // The first steps of every attach to a framework control: the owner as the served control,
    // watched for its freeing. nullptr when already attached or the owner is no windowed control.
    TWinControl* BindOwner(TWinSkinForm* form, TSkinData* skinData, bool recolour);
    // With recolouring: keeps the control's colour and gives it the skin's face colour.
    void TakeFaceColour();
    void JoinFormList();
    void LeaveFormList();
    void Unhook();
    // Replaces the framework control's message method by ControlWndProc.
    void HookMethod(TControl& control);
    void ReleaseMethod();

    uint8_t FMouseState = 0;
    bool FEnabled = true;
    bool FFocused = false;
    std::wstring FCaption;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TWndMethod FOldWindowProc;
    TWinControl* FControl = nullptr;
    RECT FWindowRect{};
    bool FRecolour = false;
    COLORREF FSavedColor = 0;
    bool FAttached = false;
    int FSkinState = kSkinCreated;
    TWinSkinForm* FForm = nullptr;

private:
    struct HookLink;
    struct ControlHook;
    std::shared_ptr<HookLink> hookLink_;
    TControl* hookedControl_ = nullptr; // whose WindowProc holds ours
    TWindowSubclass subclass_;
    bool windowGone_ = false;
};

} // namespace kv
