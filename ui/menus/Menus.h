#pragma once
// Menus over Win32 menus: items with captions, shortcuts, check marks, images, actions and
// owner-draw events; the main menu of a form and popup menus.
//
// Contract:
//  - A TMenuItem's children are its menu (Count/Items); the item deletes the children it
//    still has when it goes away, and a child that goes first leaves its parent. An item is in
//    at most one parent; Add/Insert move it, and inserting an item into itself or its own
//    children throws EMenuError.
//  - Caption: "&" marks the accelerator, "-" makes a separator. ShortCut is a TShortCut
//    (ShortCut.h); its text follows the caption after a tab in the Win32 menu, except on the
//    bar of a main menu.
//  - Handles: a TMenu's Handle() is its root menu (a bar for TMainMenu, a popup menu for
//    TPopupMenu); an item with children has Handle() for its submenu. Handles are made on
//    first use and stay the same while they exist (a submenu keeps its handle when items
//    change); each is destroyed by the item that made it, never by its parent menu or window.
//    Every item has a Command id, unique in the program, below 0xF000 (the system commands).
//  - Changes: after a change of an item (caption, shortcut, check, enable, visible, image,
//    children) the menu's handles are rebuilt and the menu is told once: a main menu calls
//    DrawMenuBar and sends CM_MENUCHANGED (0xB015) to its window. Between BeginUpdate and
//    EndUpdate (nested) changes are gathered into one; a linked action's change is one change.
//    Nothing is rebuilt while the menu is being read from a layout.
//  - Owner draw: items are MFT_OWNERDRAW (their text stays in the menu) when the menu's
//    OwnerDraw is set or it has Images, except the items on a main menu's bar. Measuring and
//    drawing run the default (image, check mark, caption, shortcut text) and then OnMeasureItem
//    (which may change the size), or OnAdvancedDrawItem instead of the default drawing.
//  - Click: only an enabled item runs. AutoCheck toggles Checked (a radio item is checked,
//    never unchecked, by its click); a checked radio item unchecks the other radio items of
//    its GroupIndex among its siblings. Then OnClick if set, else the action's Execute.
//  - Messages: DispatchCommand, DispatchMeasureItem, DispatchDrawItem, DispatchInitPopup and
//    DispatchMenuChar answer whether the message was about this menu; forms route their window's
//    messages to their main and popup menus, popup menus get theirs on a hidden window of class
//    "TPopupList".
//  - A linked action (Action) gives the item its caption, hint, image, shortcut, enabled,
//    checked and visible state whenever it changes.
#include "ui/actions/ActnList.h"
#include "ui/classes/ComponentLink.h"
#include "ui/classes/Exception.h"
#include "ui/core/Controls.h"

class TCanvas;
class TImageList;
class TMenu;

class EMenuError : public Exception {
    using Exception::Exception;
};

// The item states of a menu item's drawing: the ODS_* bits of DRAWITEMSTRUCT.
enum TOwnerDrawStateFlag : unsigned {
    odSelected = ODS_SELECTED,
    odGrayed = ODS_GRAYED,
    odDisabled = ODS_DISABLED,
    odChecked = ODS_CHECKED,
    odFocused = ODS_FOCUS,
    odDefault = ODS_DEFAULT,
    odHotLight = ODS_HOTLIGHT,
    odInactive = ODS_INACTIVE,
    odNoAccel = ODS_NOACCEL,
};
using TOwnerDrawState = unsigned;

using TMenuMeasureItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state)>;

enum class TFindItemKind { fkCommand, fkHandle, fkShortCut };

class TMenuItem : public TComponent, private TActionClient {
    KV_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int group) { groupIndex_ = group; }
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool autoCheck) { autoCheck_ = autoCheck; }
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TAction* Action() const { return link_.Action(); }
    void SetAction(TAction* action) { link_.SetAction(action); }
    bool IsLine() const { return caption_ == "-"; }

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    void SetOnClick(const TNotifyEvent& e) { OnClick = e; }
    void SetOnMeasureItem(const TMenuMeasureItemEvent& e) { OnMeasureItem = e; }
    void SetOnAdvancedDrawItem(const TAdvancedMenuDrawItemEvent& e) { OnAdvancedDrawItem = e; }

    // --- children ---
    int Count() const { return static_cast<int>(items_.size()); }
    // Throws EMenuError outside 0..Count()-1.
    TMenuItem* Items(int index) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out (it is not deleted).
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;
    // The child whose caption, without "&", is `caption` (case-insensitive), or nullptr.
    TMenuItem* Find(std::string_view caption) const;
    // Deletes every child.
    void Clear();
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    void SetMenuIndex(int index);
    // The menu the item belongs to, through its parents, or nullptr.
    TMenu* GetParentMenu() const;

    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    UINT Command() const { return command_; }

    // --- behaviour ---
    virtual void Click();
    // Lets the linked action update (OnUpdate), which may change this item.
    void InitiateAction();
    // Default size, then OnMeasureItem.
    void MeasureItem(TCanvas& canvas, int& width, int& height);
    // OnAdvancedDrawItem, or the default drawing without one.
    void AdvancedDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state);
    void DefaultMeasureItem(TCanvas& canvas, int& width, int& height);
    void DefaultDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state);
    // Caption and shortcut as the Win32 menu shows them ("&Open\tCtrl+O").
    std::string MenuText() const;

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

private:
    friend class TMenu;
    void ActionChanged(const TAction& action) override;
    void Changed();
    void TurnSiblingsOff();
    bool IsOwnerDrawn() const;
    bool IsOnMenuBar() const;
    void AppendTo(HMENU menu);
    void RebuildHandle();
    void RebuildTree();
    void DestroyHandle();
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind);
    bool Contains(const TMenuItem* item) const;

    std::string caption_, hint_;
    TShortCut shortCut_ = scNone;
    bool checked_ = false, radioItem_ = false, autoCheck_ = false, default_ = false;
    bool enabled_ = true, visible_ = true;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    UINT command_ = 0;
    HMENU handle_ = nullptr;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on a menu's root item only
    std::vector<TMenuItem*> items_;
    TActionLink link_{*this};
};

class TMenu : public TComponent {
    KV_CLASS(TMenu, TComponent)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_.get(); }
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw);
    bool IsOwnerDraw() const { return ownerDraw_ || images_; }

    HMENU Handle() { return items_->Handle(); }
    bool HandleAllocated() const { return items_->HandleAllocated(); }
    // The item with that command id, submenu handle or shortcut, or nullptr.
    TMenuItem* FindItem(UINT_PTR value, TFindItemKind kind) const;
    // The item of this menu at that address (a menu message's item data), or nullptr.
    TMenuItem* FindItemByPointer(ULONG_PTR data) const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // Runs the enabled item with that shortcut; false when there is none.
    bool IsShortCut(TShortCut shortCut);
    bool DispatchCommand(UINT command);
    bool DispatchMeasureItem(MEASUREITEMSTRUCT& measure);
    bool DispatchDrawItem(const DRAWITEMSTRUCT& draw);
    bool DispatchInitPopup(HMENU menu);
    // A key pressed in an open submenu of this menu: the item whose "&" accelerator it is
    // (owner-drawn items have no text the system could search). Sets the WM_MENUCHAR answer.
    bool DispatchMenuChar(wchar_t key, HMENU menu, LRESULT& result);
    // All of the above for one window message; true when it was about this menu.
    bool DispatchMessage(TMessage& message);

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;
    void Loaded() override;

protected:
    friend class TMenuItem;
    virtual HMENU CreateMenuHandle() = 0;
    // After the handles were rebuilt.
    virtual void MenuChanged();
    void ItemChanged();

private:
    void Rebuild();
    std::unique_ptr<TMenuItem> items_;
    TComponentLink<TImageList> images_{[this] { ItemChanged(); }};
    bool ownerDraw_ = false;
    int updateCount_ = 0;
    bool pending_ = false;
};

class TMainMenu : public TMenu {
    KV_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
    ~TMainMenu() override;

    // The window whose menu bar this is (set by its form); nullptr takes it off the window.
    HWND WindowHandle() const { return window_; }
    void SetWindowHandle(HWND window);

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }
    void MenuChanged() override;

private:
    HWND window_ = nullptr;
};

class TPopupMenu : public TMenu {
    KV_CLASS(TPopupMenu, TMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    // The component that asked for the menu last (a control's right click), or nullptr.
    TComponent* PopupComponent() const { return popupComponent_.Get(); }
    void SetPopupComponent(TComponent* component);

    // OnPopup, then tracks the menu at the screen point until it closes and runs the item
    // picked. Returns after the item's click.
    void Popup(int x, int y);
    // The hidden window that owns tracked popup menus and receives their messages.
    static HWND PopupWindow();

    TNotifyEvent OnPopup;
    void SetOnPopup(const TNotifyEvent& e) { OnPopup = e; }

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
    bool autoPopup_ = true;
    TComponentLink<TComponent> popupComponent_;
};

// Makes the menu classes known to layouts (the application does this at start).
void RegisterMenuClasses();

// The message loop's shortcut step: a key press (WM_KEYDOWN, WM_SYSKEYDOWN) in a window of a
// form that the form runs as a shortcut (its main menu, then its action lists). True when the
// key was used and must not be dispatched.
bool IsShortCutMessage(const MSG& msg);
