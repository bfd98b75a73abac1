#include "ui/menus/Menus.h"
#include "ui/classes/Properties.h"

#include <algorithm>
#include <bitset>

namespace {
// Command ids stay below the system commands (0xF000...), which the skin engine forwards as
// WM_SYSCOMMAND, and above 0 (no command).
constexpr UINT kFirstCommand = 1;
constexpr UINT kCommandLimit = 0xF000;

std::bitset<kCommandLimit>& UsedCommands() {
    static std::bitset<kCommandLimit> used;
    return used;
}

UINT AllocateCommand() {
    static UINT next = kFirstCommand;
    auto& used = UsedCommands();
    for (UINT tries = 0; tries < kCommandLimit; ++tries) {
        UINT id = next;
        next = next + 1 < kCommandLimit ? next + 1 : kFirstCommand;
        if (!used[id]) {
            used[id] = true;
            return id;
        }
    }
    throw EMenuError("Too many menu items");
}

void ReleaseCommand(UINT id) {
    if (id >= kFirstCommand && id < kCommandLimit) UsedCommands()[id] = false;
}

std::string StripHotkey(std::string_view caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

bool ShortCutIdent(std::string_view text, int64_t& value) {
    TShortCut shortCut = TextToShortCut(text);
    if (shortCut == scNone) return false;
    value = shortCut;
    return true;
}

template <class T> bool Assign(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}
} // namespace

KV_DEFINE_CLASS(TMenuItem, TComponent, [](TPropertyBuilder<TMenuItem>& p) {
    p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    p.Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).identToInt = ShortCutIdent;
    p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
    p.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
    p.Integer("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
    p.Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
    p.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
    p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
    p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
    p.Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex);
    p.String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
    p.Component<TAction>("Action", &TMenuItem::Action, &TMenuItem::SetAction);
    p.Event<TNotifyEvent>("OnClick", &TMenuItem::SetOnClick);
    p.Event<TMenuMeasureItemEvent>("OnMeasureItem", &TMenuItem::SetOnMeasureItem);
    p.Event<TAdvancedMenuDrawItemEvent>("OnAdvancedDrawItem", &TMenuItem::SetOnAdvancedDrawItem);
})

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
    SetAction(nullptr);
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    while (!items_.empty()) delete items_.back();
    if (parent_) parent_->Remove(this);
    DestroyHandle();
    if (menu) menu->EndUpdate();
    ReleaseCommand(command_);
}

// --- properties ---

void TMenuItem::SetCaption(const std::string& caption) {
    if (Assign(caption_, caption)) Changed();
}
void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (Assign(shortCut_, shortCut)) Changed();
}
void TMenuItem::SetChecked(bool checked) {
    if (!Assign(checked_, checked)) return;
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    if (checked_ && radioItem_) TurnSiblingsOff();
    Changed();
    if (menu) menu->EndUpdate();
}
void TMenuItem::SetRadioItem(bool radio) {
    if (Assign(radioItem_, radio)) Changed();
}
void TMenuItem::SetDefault(bool isDefault) {
    if (Assign(default_, isDefault)) Changed();
}
void TMenuItem::SetEnabled(bool enabled) {
    if (Assign(enabled_, enabled)) Changed();
}
void TMenuItem::SetVisible(bool visible) {
    if (Assign(visible_, visible)) Changed();
}
void TMenuItem::SetImageIndex(int index) {
    if (Assign(imageIndex_, index)) Changed();
}

void TMenuItem::TurnSiblingsOff() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->SetChecked(false);
}

void TMenuItem::Changed() {
    if (TMenu* menu = GetParentMenu()) menu->ItemChanged();
}

void TMenuItem::ActionChanged(const TAction& action) {
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    SetCaption(action.Caption());
    SetHint(action.Hint());
    SetImageIndex(action.ImageIndex());
    SetShortCut(action.ShortCut());
    SetEnabled(action.Enabled());
    SetChecked(action.Checked());
    SetVisible(action.Visible());
    if (menu) menu->EndUpdate();
}

// --- children ---

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EMenuError("Menu index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

bool TMenuItem::Contains(const TMenuItem* item) const {
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) return true;
    return false;
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (Contains(item)) throw EMenuError("A menu item cannot contain itself");
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
    if (menu) menu->EndUpdate();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    // Take its submenu out of ours at once: it may be destroyed before the next rebuild.
    if (handle_ && item->handle_) {
        for (int i = GetMenuItemCount(handle_) - 1; i >= 0; --i)
            if (GetSubMenu(handle_, i) == item->handle_) RemoveMenu(handle_, i, MF_BYPOSITION);
    }
    TMenu* menu = GetParentMenu();
    items_.erase(it);
    item->parent_ = nullptr;
    if (menu) menu->ItemChanged();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : items_)
        if (SameText(StripHotkey(item->caption_), wanted)) return item;
    return nullptr;
}

void TMenuItem::Clear() {
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    while (!items_.empty()) delete items_.back();
    if (menu) menu->EndUpdate();
}

void TMenuItem::SetMenuIndex(int index) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    TMenu* menu = GetParentMenu();
    if (menu) menu->BeginUpdate();
    parent->Remove(this);
    parent->Insert(index, this);
    if (menu) menu->EndUpdate();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

bool TMenuItem::AddLoadedChild(TComponent& child) {
    auto* item = dynamic_cast<TMenuItem*>(&child);
    if (!item) return false;
    Add(item);
    return true;
}

std::vector<TComponent*> TMenuItem::LoadedChildren() const {
    return {items_.begin(), items_.end()};
}

TMenuItem* TMenuItem::FindItem(UINT_PTR value, TFindItemKind kind) {
    bool match = false;
    switch (kind) {
    case TFindItemKind::fkCommand:
        match = command_ == value;
        break;
    case TFindItemKind::fkHandle:
        match = handle_ && reinterpret_cast<UINT_PTR>(handle_) == value;
        break;
    case TFindItemKind::fkShortCut:
        match = shortCut_ != scNone && shortCut_ == value;
        break;
    }
    if (match && !menu_) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindItem(value, kind)) return found;
    return nullptr;
}

// --- Win32 menu ---

bool TMenuItem::IsOnMenuBar() const {
    return parent_ && parent_->menu_ && dynamic_cast<TMainMenu*>(parent_->menu_);
}

bool TMenuItem::IsOwnerDrawn() const {
    TMenu* menu = GetParentMenu();
    return menu && menu->IsOwnerDraw() && !IsOnMenuBar();
}

std::string TMenuItem::MenuText() const {
    if (shortCut_ == scNone || IsOnMenuBar()) return caption_;
    std::string text = ShortCutToText(shortCut_);
    return text.empty() ? caption_ : caption_ + "\t" + text;
}

HMENU TMenuItem::Handle() {
    if (handle_) return handle_;
    handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
    if (!handle_) throw EMenuError("Menu cannot be made");
    RebuildHandle();
    return handle_;
}

void TMenuItem::AppendTo(HMENU menu) {
    std::wstring text = AnsiToWide(MenuText());
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    info.fType = (IsLine() ? MFT_SEPARATOR : 0) | (radioItem_ ? MFT_RADIOCHECK : 0) |
                 (IsOwnerDrawn() ? MFT_OWNERDRAW : 0);
    info.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) |
                  (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.hSubMenu = items_.empty() ? nullptr : Handle();
    // The item itself, so that owner-draw messages find it; it is only ever compared with
    // the items of a menu, never followed blindly.
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (!IsLine()) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void TMenuItem::RebuildHandle() {
    if (!handle_) return;
    // RemoveMenu, not DeleteMenu: the submenus belong to the child items and stay alive.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    for (TMenuItem* item : items_)
        if (item->visible_) item->AppendTo(handle_);
}

void TMenuItem::RebuildTree() {
    RebuildHandle();
    for (TMenuItem* item : items_) {
        if (item->items_.empty() && item->handle_ && !item->menu_)
            item->DestroyHandle(); // no children left: no submenu
        else
            item->RebuildTree();
    }
}

void TMenuItem::DestroyHandle() {
    if (!handle_) return;
    if (parent_ && parent_->handle_) {
        for (int i = GetMenuItemCount(parent_->handle_) - 1; i >= 0; --i)
            if (GetSubMenu(parent_->handle_, i) == handle_)
                RemoveMenu(parent_->handle_, i, MF_BYPOSITION);
    }
    // DestroyMenu would take the children's submenus with it.
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
    handle_ = nullptr;
}

// --- behaviour ---

void TMenuItem::InitiateAction() {
    if (TAction* action = Action()) action->Update();
}

void TMenuItem::Click() {
    if (!enabled_) return;
    // An action that checks itself does it when it runs; checking here too would undo it.
    if (autoCheck_ && !(Action() && Action()->AutoCheck())) {
        bool checked = radioItem_ ? true : !checked_;
        if (Action())
            Action()->SetChecked(checked);
        else
            SetChecked(checked);
    }
    if (OnClick)
        OnClick(this);
    else
        link_.Execute();
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    DefaultMeasureItem(canvas, width, height);
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    if (OnAdvancedDrawItem)
        OnAdvancedDrawItem(this, canvas, rect, state);
    else
        DefaultDrawItem(canvas, rect, state);
}
