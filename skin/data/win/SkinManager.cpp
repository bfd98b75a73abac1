#include "skin/data/win/SkinManager.h"

#include "skin/data/win/SkinData.h"
#include "skin/form/FormSkin.h"
#include "ui/forms/Forms.h"
#include "ui/services/Timer.h"

#include <algorithm>
#include <utility>
#include <cctype>

namespace kv {

TSkinManage* SkinManager = nullptr;

namespace {

constexpr int kNeverSkinnedTag = 99;
constexpr LRESULT kRefuseCreation = 10;

std::string ClassNameOf(HWND hwnd) {
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool IsMdiChildWindow(HWND hwnd) {
    if (!(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) return false;
    HWND parent = GetParent(hwnd);
    return parent && Lower(ClassNameOf(parent)) == "mdiclient";
}

TCustomForm* FindScreenForm(HWND hwnd) {
    if (!Screen) return nullptr;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form->HandleAllocated() && form->Handle() == hwnd) return form;
    }
    return nullptr;
}

HWND OwnerWindowOf(TSkinData* data) {
    auto* form = dynamic_cast<TWinControl*>(data->Owner());
    return (form && form->HandleAllocated()) ? form->Handle() : nullptr;
}

} // namespace

void ShutDownSkinManager() {
    delete std::exchange(SkinManager, nullptr);
}

TSkinManage::TSkinManage() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetEnabled(false);
    timer_->SetInterval(kSkinActionDelayMs);
    timer_->SetOnTimer([this](TObject*) { RunPendingAction(); });
}

TSkinManage::~TSkinManage() {
    timer_.reset();
    if (hook_) UnhookWindowsHookEx(std::exchange(hook_, nullptr));
    // Program end: the windows are going away; unhook without giving them their frames back.
    while (!forms_.empty()) {
        TWinSkinForm* form = forms_.back();
        forms_.pop_back();
        form->SkinState = 4;
        form->Teardown();
        delete form;
    }
    for (auto& popup : popupMenus_) popup->DetachPopup();
    popupMenus_.clear();
    if (SkinManager == this) SkinManager = nullptr;
}

bool TSkinManage::TimerRunning() const {
    return timer_ && timer_->Enabled();
}

void TSkinManage::InstallHook() {
    if (hook_) return; // one hook, however many components ask
    hook_ = SetWindowsHookExW(WH_CBT, &TSkinManage::CbtHook, nullptr, GetCurrentThreadId());
}

LRESULT CALLBACK TSkinManage::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (!SkinManager) return CallNextHookEx(nullptr, code, wParam, lParam);
    return SkinManager->OnHook(code, wParam, lParam);
}

LRESULT TSkinManage::OnHook(int code, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    try {
        if (code == HCBT_CREATEWND) {
            const std::string name = ClassNameOf(hwnd);
            const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
            if (name == "ScrollBar" && create && create->lpcs &&
                (create->lpcs->style & SBS_SIZEGRIP) && FindForm(create->lpcs->hwndParent))
                return kRefuseCreation;
            if (name == "#32768") SkinPopupMenu(hwnd);
        } else if (code == HCBT_DESTROYWND) {
            UnskinPopupMenu(hwnd);
        } else if (code == HCBT_ACTIVATE) {
            if (ActivateCount == 0) ActivateCount = 1;
            SkinWindow(hwnd);
        }
    } catch (...) {
        // A window that cannot be skinned stays as it is; the hook chain goes on.
    }
    return CallNextHookEx(hook_, code, wParam, lParam);
}

void TSkinManage::AddSkinData(TSkinData* data) {
    skinDatas_.push_back(data);
}

void TSkinManage::RemoveSkinData(TSkinData* data) {
    std::erase(skinDatas_, data);
    if (PendingSkinData == data) PendingSkinData = nullptr;
}

bool TSkinManage::SkinWindow(HWND hwnd) {
    if (!Enabled || !IsWindow(hwnd) || SendMessageW(hwnd, WM_SKINQUERY, 0, 0) == 1) return false;
    PurgeDestroyed();
    if (FindForm(hwnd)) return false;
    TCustomForm* form = FindScreenForm(hwnd);
    if (!SkinAllPass && IsMdiChildWindow(hwnd)) return false;
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (r.right == r.left || r.bottom == r.top) return false;
    if (form && form->Tag() == kNeverSkinnedTag) return false;
    const std::string name = ClassNameOf(hwnd);
    if (name == "TApplication" || !MayFormSkin(name)) return false;
    TSkinData* data = ChooseSkinData(hwnd);
    if (!data || data->SkinEmpty()) return false;
    auto* skin = new TWinSkinForm(form);
    skin->Handle = hwnd;
    if (form)
        skin->AttachForm(data, form);
    else
        skin->AttachWindow(data);
    forms_.push_back(skin);
    PostMessageW(hwnd, WM_SKINATTACHED, 0, 1000);
    return true;
}

bool TSkinManage::SkinMdiChild(HWND hwnd) {
    const bool saved = std::exchange(SkinAllPass, true);
    bool skinned = false;
    try {
        skinned = SkinWindow(hwnd);
    } catch (...) {
        SkinAllPass = saved;
        throw;
    }
    SkinAllPass = saved;
    return skinned;
}

void TSkinManage::SkinForm(TCustomForm* form) {
    if (!form->Visible()) return;
    HWND hwnd = form->Handle();
    const bool child = (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    if (!child || IsMdiChildWindow(hwnd)) SkinWindow(hwnd);
}

TWinSkinForm* TSkinManage::FindForm(HWND hwnd) const {
    for (TWinSkinForm* f : forms_)
        if (f->Handle == hwnd) return f;
    return nullptr;
}

void TSkinManage::RemoveForm(HWND hwnd) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](TWinSkinForm* f) { return f->Handle == hwnd; });
    if (it != forms_.end()) forms_.erase(it);
}

void TSkinManage::RemoveForm(TWinSkinForm* form) {
    std::erase(forms_, form);
}

void TSkinManage::FreeForm(TWinSkinForm* form, bool detach) {
    std::erase(forms_, form);
    if (detach) {
        form->Detach();
        if (IsWindow(form->Handle)) {
            InvalidateRect(form->Handle, nullptr, TRUE);
            UpdateWindow(form->Handle);
        }
    }
    delete form; // also leaves its form's component list
}

void TSkinManage::PurgeDestroyed() {
    for (size_t i = forms_.size(); i-- > 0;) {
        if (forms_[i]->SkinState == 6) FreeForm(forms_[i], false);
    }
}

TSkinData* TSkinManage::ChooseSkinData(HWND hwnd) const {
    for (auto it = skinDatas_.rbegin(); it != skinDatas_.rend(); ++it)
        if ((*it)->SkinFormtype() == TSkinFormType::sfOnlyThisForm && OwnerWindowOf(*it) == hwnd)
            return *it;
    const std::string name = Lower(ClassNameOf(hwnd));
    if (name == "tmessageform" || name == "#32770") {
        for (auto it = skinDatas_.rbegin(); it != skinDatas_.rend(); ++it)
            if ((*it)->SkinFormtype() == TSkinFormType::sfDialog) return *it;
    }
    for (auto it = skinDatas_.rbegin(); it != skinDatas_.rend(); ++it)
        if ((*it)->SkinFormtype() == TSkinFormType::sfMainform) return *it;
    return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

bool TSkinManage::MayFormSkin(const std::string& className) const {
    for (TSkinData* d : skinDatas_) {
        if (d->SkinFormtype() != TSkinFormType::sfMainform) continue;
        bool doSkin = true;
        d->FormSkinFilter(className, doSkin);
        return doSkin;
    }
    return true;
}

bool TSkinManage::SkinPopupMenu(HWND hwnd) {
    if (!Enabled || !popupFactory_ || IsPopupMenuSkinned(hwnd)) return false;
    if (SendMessageW(hwnd, WM_SKINQUERY, 0, 0) == 1) return false;
    TSkinData* data = ChooseSkinData(hwnd);
    if (!data || data->SkinEmpty() || !data->Has(xcMainMenu)) return false;
    if (auto popup = popupFactory_(hwnd, data)) {
        popupMenus_.push_back(std::move(popup));
        return true;
    }
    return false;
}

bool TSkinManage::UnskinPopupMenu(HWND hwnd) {
    auto it = std::find_if(popupMenus_.begin(), popupMenus_.end(),
                           [&](const auto& p) { return p->Handle() == hwnd; });
    if (it == popupMenus_.end()) return false;
    (*it)->DetachPopup();
    popupMenus_.erase(it);
    return true;
}

bool TSkinManage::IsPopupMenuSkinned(HWND hwnd) const {
    return std::any_of(popupMenus_.begin(), popupMenus_.end(),
                       [&](const auto& p) { return p->Handle() == hwnd; });
}

PixelView TSkinManage::FindPopupMenuImage(HMENU menu) const {
    if (!menu) return {};
    for (const auto& p : popupMenus_)
        if (p->MenuHandle() == menu) return p->Background();
    return {};
}

void TSkinManage::RequestAction(TSkinAction action, unsigned delayMs) {
    PendingAction = action;
    timer_->SetInterval(delayMs);
    if (ActivateCount != 0) {
        timer_->SetEnabled(false); // restart the delay
        timer_->SetEnabled(true);
        return;
    }
    if (action == saSkin) Enabled = true;
    if (action == saUnskin) Enabled = false;
}

void TSkinManage::RunPendingAction() {
    timer_->SetEnabled(false); // nothing runs again until the next request
    TSkinData* requester = std::exchange(PendingSkinData, nullptr);
    if (!requester) return; // a request without a requester runs nothing (and stops the timer)
    if (requester->SkinFormtype() == TSkinFormType::sfOnlyThisForm)
        RunForOnlyThisForm(requester);
    else
        RunForAll(requester);
    PendingAction = saNone;
    requester->DoSkinChanged();
}

void TSkinManage::SkinAllScreenForms(TSkinData* onlyOwnerOf) {
    SkinAllPass = true;
    PurgeDestroyed();
    if (Screen) {
        for (int i = Screen->FormCount(); i-- > 0;) {
            TCustomForm* form = Screen->Forms(i);
            if (onlyOwnerOf && form != onlyOwnerOf->Owner()) continue;
            SkinForm(form);
        }
    }
    SkinAllPass = false;
}

void TSkinManage::RunForOnlyThisForm(TSkinData* requester) {
    switch (PendingAction) {
    case saSkin:
        Enabled = true;
        SkinAllScreenForms(requester);
        break;
    case saUnskin:
        Enabled = false;
        PurgeDestroyed();
        for (size_t i = forms_.size(); i-- > 0;) {
            if (forms_[i]->SkinData() == requester) {
                FreeForm(forms_[i], true);
                break;
            }
        }
        break;
    case saSkinChanged: ChangeSkin(requester, true); break;
    default: break;
    }
}

void TSkinManage::RunForAll(TSkinData* requester) {
    switch (PendingAction) {
    case saSkin:
        Enabled = true;
        SkinAllScreenForms(nullptr);
        break;
    case saUnskin:
        Enabled = false;
        PurgeDestroyed();
        while (!forms_.empty()) FreeForm(forms_.back(), true);
        break;
    case saSkinChanged: ChangeSkin(requester, false); break;
    default: break;
    }
}

void TSkinManage::ChangeSkin(TSkinData* requester, bool firstOnly) {
    PurgeDestroyed();
    const std::vector<TWinSkinForm*> served = forms_;
    for (TWinSkinForm* f : served) {
        if (f->SkinData() != requester) continue;
        f->ApplySkinChange();
        if (firstOnly) break;
    }
}

void TSkinManage::ResetForms() {
    for (TWinSkinForm* f : forms_) f->FreeCaptionButtons();
}

void TSkinManage::ReleaseSkinData(TSkinData* data) {
    for (size_t i = forms_.size(); i-- > 0;) {
        if (forms_[i]->SkinData() == data) FreeForm(forms_[i], true);
    }
    // Popup skins read their skin data while they paint: none may outlive it.
    for (size_t i = popupMenus_.size(); i-- > 0;) {
        if (popupMenus_[i]->SkinData() != data) continue;
        popupMenus_[i]->DetachPopup();
        popupMenus_.erase(popupMenus_.begin() + std::ptrdiff_t(i));
    }
    if (PendingSkinData == data) PendingSkinData = nullptr;
}

void TSkinManage::SetMdiMaximized(bool value) {
    if (value == MdiMaximized) return;
    MdiMaximized = value;
    for (TWinSkinForm* f : forms_) {
        if (f->Mdi != MdiKind::Child) continue;
        if (value) {
            f->ReleaseRegion();
            f->ShowOwnStyles(true);
        } else if (f->State == WindowState::Minimized) {
            f->ShowOwnStyles(true);
        } else {
            f->State = WindowState::Normal;
            f->BuildRegion();
            f->ShowOwnStyles(false);
            if (!f->RegionOwned)
                SetWindowPos(f->Handle, nullptr, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
}

int TSkinManage::CountMdiChildren() const {
    return int(std::count_if(forms_.begin(), forms_.end(),
                             [](TWinSkinForm* f) { return f->Mdi == MdiKind::Child; }));
}

} // namespace kv
