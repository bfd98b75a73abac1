#pragma once
// TSkinManage: the engine's single coordinator. It keeps the registered TSkinData components,
// watches window creation, activation and destruction of the user-interface thread through
// one WH_CBT hook, decides which windows get a frame skin (TWinSkinForm) and by which
// component, and runs requested skin, unskin and skin-change actions after a short delay.
//
// Contract
// - One instance (SkinManager), made by the first TSkinData that loads at run time, freed by
//   ShutDownSkinManager at program end (or by tests). The hook is installed once, however many
//   components ask for it.
// - Forms: every form skin this manager made and still serves. A form skin made for a
//   framework form is also that form's component; whichever goes first takes it out of the
//   other (RemoveForm / the component list), so nothing is freed twice.
// - The delay timer runs only while an action is pending; a tick without a requester stops
//   it and runs nothing.
// - Popup menu skins are made through a factory the menu code registers (SetPopupMenuSkin-
//   Factory); without one popup menu windows stay unskinned.
// - The private messages are an external interface: WM_SKINQUERY (0x3504) is answered 1 by
//   every skinned window; WM_SKINATTACHED (0x3503) is posted (0, 1000) after a form skin was
//   made.
#include "base/Pixels.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTimer;
class TCustomForm;
class TBitmap;

namespace kv {

class TSkinData;
class TWinSkinForm;

inline constexpr UINT WM_SKINRECOLOR = 0x3401;
inline constexpr UINT WM_SKINREPAINTFRAME = 0x3502;
inline constexpr UINT WM_SKINATTACHED = 0x3503;
inline constexpr UINT WM_SKINQUERY = 0x3504;

inline constexpr unsigned kSkinActionDelayMs = 250;
enum TSkinAction : int { saNone = 0, saSkin = 1, saUnskin = 2, saSkinChanged = 3 };

// A popup menu window's skin, as the manager sees it.
class TPopupMenuSkin {
public:
    virtual ~TPopupMenuSkin() = default;
    virtual HWND Handle() const = 0;
    virtual HMENU MenuHandle() const = 0;
    virtual TSkinData* SkinData() const = 0;
    // The background last built for the window (borrowed; empty before the first paint).
    virtual PixelView Background() const = 0;
    virtual void DetachPopup() = 0;
};
using TPopupMenuSkinFactory =
    std::function<std::unique_ptr<TPopupMenuSkin>(HWND popup, TSkinData* skinData)>;

class TSkinManage {
public:
    TSkinManage();
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void InstallHook();
    bool HookInstalled() const { return hook_ != nullptr; }
    void AddSkinData(TSkinData* data);
    void RemoveSkinData(TSkinData* data);
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    bool SkinWindow(HWND hwnd);
    // An MDI child that its frame has seen made: let through as a skin-all pass would.
    bool SkinMdiChild(HWND hwnd);
    void SkinForm(TCustomForm* form);
    TWinSkinForm* FindForm(HWND hwnd) const;
    void RemoveForm(HWND hwnd);
    void RemoveForm(TWinSkinForm* form);
    void PurgeDestroyed();
    TSkinData* ChooseSkinData(HWND hwnd) const;
    bool MayFormSkin(const std::string& className) const;
    const std::vector<TWinSkinForm*>& Forms() const { return forms_; }

    bool SkinPopupMenu(HWND hwnd);
    bool UnskinPopupMenu(HWND hwnd);
    bool IsPopupMenuSkinned(HWND hwnd) const;
    // The background of the first popup skin showing `menu`; empty when there is none.
    PixelView FindPopupMenuImage(HMENU menu) const;
    void SetPopupMenuSkinFactory(TPopupMenuSkinFactory factory) { popupFactory_ = std::move(factory); }

    void RequestAction(TSkinAction action, unsigned delayMs);
    void RunPendingAction();
    void ResetForms();
    // Takes every form skin and popup skin serving `data` off its window and frees it (the
    // component goes away).
    void ReleaseSkinData(TSkinData* data);

    void SetMdiMaximized(bool value);
    int CountMdiChildren() const;

    bool Enabled = false;
    bool SkinAllPass = false;
    int ActivateCount = 0;
    bool MdiMaximized = false;
    HWND MdiClientHandle = nullptr;
    TSkinAction PendingAction = saNone;
    TSkinData* PendingSkinData = nullptr;

    bool TimerRunning() const;

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    LRESULT OnHook(int code, WPARAM wParam, LPARAM lParam);
    void FreeForm(TWinSkinForm* form, bool detach);
    void RunForOnlyThisForm(TSkinData* requester);
    void RunForAll(TSkinData* requester);
    void ChangeSkin(TSkinData* requester, bool firstOnly);
    void SkinAllScreenForms(TSkinData* onlyOwnerOf);

    std::unique_ptr<TTimer> timer_;
    HHOOK hook_ = nullptr;
    std::vector<TWinSkinForm*> forms_;
    std::vector<std::unique_ptr<TPopupMenuSkin>> popupMenus_;
    std::vector<TSkinData*> skinDatas_;
    TPopupMenuSkinFactory popupFactory_;
};

extern TSkinManage* SkinManager;
void ShutDownSkinManager();

} // namespace kv
