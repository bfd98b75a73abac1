#pragma once
// TWinSkinForm: the skin of one top-level window. It takes over the window's messages (a
// framework form through its WindowProc, a foreign window through a thunk), replaces the
// non-client area by the skin's borders, caption, caption buttons and menu band, gives the
// window its shaped region, and gives everything back on Detach.
//
// Contract
// - Made by the skin manager: construct (owner: the framework form, or none), set Handle,
//   AttachForm or AttachWindow, then the manager posts WM_SKINATTACHED, on which the window is
//   fitted to the skin's frame, gets its region and is painted.
// - Every message not consumed ends in exactly one call of the procedure that was replaced.
//   WM_NCACTIVATE is answered TRUE and never passed on while the frame is skinned.
// - Detach gives the window back its styles, its menu, its own frame with the same client
//   size, and no region. Teardown (program end, WM_NCDESTROY) only unhooks. Both give a
//   procedure back only while it is still ours (a later subclass keeps working).
// - Caption buttons hold pointers into the skin's objects; FreeCaptionButtons drops them and
//   the hot object before a skin is replaced.
// - SkinState: 0 attached, 1 active, 3 recolouring, 4 being destroyed, 5 activating, 6 dead.
#include "skin/data/win/SkinData.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/form/logic/CaptionLayout.h"
#include "skin/form/logic/FrameGeometry.h"
#include "ui/classes/Component.h"
#include "ui/core/Controls.h"
#include "ui/core/ObjectInstance.h"
#include "ui/graphics/GdiHandles.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TCustomForm;
class TPopupMenu;
class TTimer;

namespace kv {

class TWinSkinForm;
class TSkinControl;
class TWinSkinMenu;

// A hot-trackable object of the non-client area (caption buttons, menu band items).
class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* owner) : Owner(owner) {}
    virtual ~TNCObject() = default;
    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseHover();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm* Owner;
    PixelRect BoundsRect;
    bool Visible = false;
    int State = 0; // 1 normal, 2 pressed, 3 hot
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* owner, const TDataSkinSysButton* def)
        : TNCObject(owner), SkinButton(def) {}
    void Paint() override;
    const TDataSkinSysButton* SkinButton; // not owned
};

enum class MdiKind { None = 0, Frame = 1, Child = 2 };

class TWinSkinForm : public TComponent {
    KV_CLASS(TWinSkinForm, TComponent)
public:
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;

    HWND Handle = nullptr;
    TSkinData* SkinData() const { return skinData_; }
    TCustomForm* Form() const { return form_; }

    void AttachForm(TSkinData* skinData, TCustomForm* form);
    void AttachWindow(TSkinData* skinData);
    bool Hooked() const { return hooked_; }
    void Detach();
    void Teardown();
    void ApplySkinChange();
    void Recolor();
    void ShowOwnStyles(bool show);
    void FitWindowToSkin(bool keepDialogWidth);

    // Frame (FramePaint.cpp).
    void ComputeBorderSizes();
    void PaintFrame(HDC dc);
    // `redraw` false where the caller's own size change repaints the window anyway.
    void BuildRegion(bool redraw = true);
    void ReleaseRegion();
    void MakeFormIcon();

    // Caption buttons (CaptionButtons.cpp).
    void BuildCaptionButtons();
    void FreeCaptionButtons();
    void PaintObject(TNCObject& object, int state);
    void BuildSysPopupMenu();
    void FreeSysPopupMenu();
    // The skinned system menu, or nullptr while detached.
    TPopupMenu* SysPopupMenu() const { return sysPopupMenu_.get(); }

    // Control skins (ControlSkins.cpp). Every listed skin is freed by FreeControlSkins (or,
    // before that, by the control that owns it, which takes it off the list).
    void SkinControls();
    void FreeControlSkins();
    void FreeDeadControlSkins();
    TSkinControl* FindControlSkin(HWND wnd) const;
    void ControlSkinsChanged();
    // Ends the hot state of HotControlSkin (for a foreign window only once the cursor left it).
    void DropHotControlSkin(bool onlyWhenLeft);
    std::vector<TSkinControl*> ControlSkins;
    TSkinControl* HotControlSkin = nullptr;

    int SkinState = 0;
    WindowState State = WindowState::Normal;
    MdiKind Mdi = MdiKind::None;
    FrameKind Kind = FrameKind::Edged;
    bool Active = true;
    bool RegionOwned = false;
    BorderSizes Sizes;
    int MenuBarHeight = 0;
    TNCObject* HotObject = nullptr;
    // The caption button pressed and not yet released; a release runs only its action.
    TNCObject* PressedObject = nullptr;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    // The skinned menu bar (skin/menu), or none for a window without a menu.
    TWinSkinMenu* MenuBar() const { return menuBar_.get(); }
    // Whether the window had a menu when it was skinned (its item messages are the skin's).
    bool HadMenu() const { return menuHandle_ != nullptr; }
    bool InMenuLoop() const { return inMenuLoop_; }
    void SetInMenuLoop(bool on) { inMenuLoop_ = on; }
    bool RightToLeft() const { return rightToLeft_; }
    // The menu the skin tracks now (bar or system menu), for measuring its foreign items.
    HMENU TrackedMenu = nullptr;
    int RightmostButtonLeft = 0;
    PixelRect TextRect;
    int FrameWidth = 0, FrameHeight = 0;
    RECT NativeFrameSize{};
    std::string WindowClassName;
    // An MDI child made through the client and not yet skinned (MDI frames only).
    HWND CreatedMdiChild = nullptr;
    // Diagnostics for tests: frame paints so far.
    int FramePaints = 0;

private:
    struct FormHook;
    friend struct FormHook;
    bool Attached() const;
    void PassOn(TMessage& m);
    void SkinWndProc(TMessage& m);
    bool Phase1(TMessage& m);
    void Phase2(TMessage& m, bool& consumed);
    bool Phase3Runs() const;
    bool Phase3(TMessage& m);
    bool FormMessage(TMessage& m);
    void Unhook();
    void OnActivated();
    void OnSize(TMessage& m);
    void OnGetMinMaxInfo(TMessage& m);
    void OnCommand(TMessage& m);
    void OnSysCommand(TMessage& m);
    void ReadWindowState();
    bool NonNormalMdiChild() const;
    CaptionFacts Facts() const;

    // FramePaint.cpp
    void OnNcCalcSize(TMessage& m);
    void OnNcPaint(TMessage& m);
    void OnNcActivate(TMessage& m);
    void PaintCaptionBar(HDC dc, int w);
    void PaintCaptionText(HDC canvas, const PixelRect& span);
    void PaintMenuBand(HDC dc, int w);
    void PaintPiece(HDC dc, DibSection& buffer, int index, const PixelRect& rect);
    std::wstring WindowText() const;

    // MdiClient.cpp
    void HookMdiClient(HWND client);
    void UnhookMdiClient();
    void SkinExistingMdiChildren();
    void MdiClientProc(TMessage& m);

    // CaptionButtons.cpp
    void LayoutCaptionButtons();
    std::vector<PlacedButton> Placed() const;
    TNCObject* FindObject(PixelPoint windowPoint);
    PixelPoint ScreenToWindow(LPARAM lParam) const;
    void OnNcHitTest(TMessage& m);
    void OnNcMouseMove(TMessage& m);
    void OnNcLButtonDown(TMessage& m);
    void OnNcLButtonUp(TMessage& m);
    void OnNcLButtonDblClk(TMessage& m);
    void OnNcRButtonDown(TMessage& m);
    void HoverTick();
    void RunButtonAction(const TWinSysButton& button, PixelPoint screen);
    void ShowSystemMenu(PixelPoint screen);
    void SysMenuClick(int tag);
    void ToggleMaximize();
    void Restore();
    void ToggleMinimize();
    void SendToActiveMdiChild(WPARAM command);
    void CloseWindow();
    void BuildMenuBand();
    bool OpenMenuBandByAccelerator(TMessage& m);
    bool IsMenuBandAccelerator(wchar_t key) const;

    TSkinData* skinData_ = nullptr;
    TCustomForm* form_ = nullptr;
    TWndMethod savedFormProc_;
    TWindowSubclass subclass_;
    TWindowSubclass mdiClient_;
    bool savedMenuUpdate_ = true;
    bool hooked_ = false;
    std::unique_ptr<TTimer> hoverTimer_;
    std::unique_ptr<TPopupMenu> sysPopupMenu_;
    std::unique_ptr<TWinSkinMenu> menuBar_;
    UniqueFont captionFont_;
    std::wstring captionText_;
    uint32_t style_ = 0;
    uint32_t exStyle_ = 0;
    bool rightToLeft_ = false;
    bool sizable_ = false;
    unsigned capabilities_ = 0; // 1 max box, 2 min box, 8 system menu, 0x10 caption removed
    HWND ownerWindow_ = nullptr;
    HMENU menuHandle_ = nullptr;  // the window's menu, taken off the window while skinned
    HMENU systemMenu_ = nullptr;
    DWORD lastSysMenuTick_ = 0;
    DWORD doubleClickTime_ = 0;
    COLORREF savedFormColor_ = 0;
    RECT clientRect_{};
    WNDPROC oldProc_ = nullptr;
    bool inMenuLoop_ = false;
    DibSection captionCache_;
    DibSection sideBuffer_;
    DibSection bottomBuffer_;
    PixelBuffer formIcon_;
    int regionWidth_ = 0, regionHeight_ = 0;
};

} // namespace kv
