#include "ui/menus/Menus.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/Canvas.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/MenuDraw.h"

#include <cwctype>

KV_DEFINE_CLASS(TMenu, TComponent, [](TPropertyBuilder<TMenu>& p) {
    p.Component<TImageList>("Images", &TMenu::Images, &TMenu::SetImages);
    p.Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
    p.Event<TNotifyEvent>("OnChange", &TMenu::SetOnChange);
})
KV_DEFINE_PLAIN_CLASS(TMainMenu, TMenu)

void RegisterMenuClasses() {
    RegisterComponentClass<TMenuItem>();
    RegisterComponentClass<TMainMenu>();
    RegisterComponentClass<TPopupMenu>();
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    SetDestroying();
    SetImages(nullptr);
    items_.reset(); // the items, then every submenu handle, then the root handle
}

void TMenu::SetImages(TImageList* images) {
    if (images == images_.Get()) return;
    if (images_) images_->RemoveChangeListener(this);
    images_.Set(images);
    if (images_) images_->AddChangeListener(this, [this] { ItemChanged(); });
    ItemChanged();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == ownerDraw_) return;
    ownerDraw_ = ownerDraw;
    ItemChanged();
}

void TMenu::ItemChanged() {
    if (IsLoading() || IsDestroying()) return;
    pending_ = true;
    if (updateCount_ == 0) Rebuild();
}

void TMenu::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && pending_) Rebuild();
}

void TMenu::Rebuild() {
    pending_ = false;
    items_->RebuildTree(); // also submenus whose handles were asked for on their own
    MenuChanged();
}

void TMenu::MenuChanged() {
    if (OnChange) OnChange(this);
}

void TMenu::Loaded() {
    TComponent::Loaded();
    ItemChanged();
}

bool TMenu::AddLoadedChild(TComponent& child) {
    return items_->AddLoadedChild(child);
}

std::vector<TComponent*> TMenu::LoadedChildren() const {
    return items_->LoadedChildren();
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindItemKind kind) const {
    return items_->FindItem(value, kind);
}

TMenuItem* TMenu::FindItemByPointer(ULONG_PTR data) const {
    struct Walk {
        static TMenuItem* In(TMenuItem& item, ULONG_PTR data) {
            for (int i = 0; i < item.Count(); ++i) {
                TMenuItem* child = item.Items(i);
                if (reinterpret_cast<ULONG_PTR>(child) == data) return child;
                if (TMenuItem* found = In(*child, data)) return found;
            }
            return nullptr;
        }
    };
    return data ? Walk::In(*items_, data) : nullptr;
}

// --- messages ---

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* item = FindItem(shortCut, TFindItemKind::fkShortCut);
    if (!item) return false;
    item->InitiateAction();
    if (!item->Enabled()) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = FindItem(command, TFindItemKind::fkCommand);
    if (!item) return false;
    // A disabled item can still send its command (the skinned bar posts it for any button);
    // it does not run.
    item->InitiateAction();
    for (int i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
    item->Click();
    return true;
}

bool TMenu::DispatchInitPopup(HMENU menu) {
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(menu), TFindItemKind::fkHandle);
    if (!item && menu == items_->handle_) item = items_.get();
    if (!item) return false;
    BeginUpdate();
    for (int i = 0; i < item->Count(); ++i) item->Items(i)->InitiateAction();
    EndUpdate();
    if (item != items_.get()) item->Click();
    return true;
}

namespace {
// The accelerator of a caption ("&File" -> 'F'), upper case, or 0.
wchar_t Accelerator(const std::string& caption) {
    std::wstring text = AnsiToWide(caption);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(std::towupper(text[i + 1]));
        ++i; // "&&" is a plain "&"
    }
    return 0;
}
} // namespace

bool TMenu::DispatchMenuChar(wchar_t key, HMENU menu, LRESULT& result) {
    TMenuItem* parent = menu == items_->handle_
                            ? items_.get()
                            : FindItem(reinterpret_cast<UINT_PTR>(menu), TFindItemKind::fkHandle);
    if (!parent || !key) return false;
    auto upper = static_cast<wchar_t>(std::towupper(key));
    int first = -1, matches = 0, position = 0;
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible()) continue; // not in the Win32 menu: positions skip it
        if (item->Enabled() && Accelerator(item->Caption()) == upper) {
            if (first < 0) first = position;
            ++matches;
        }
        ++position;
    }
    if (first < 0) return false;
    result = MAKELRESULT(first, matches == 1 ? MNC_EXECUTE : MNC_SELECT);
    return true;
}

bool TMenu::DispatchMeasureItem(MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItemByPointer(measure.itemData);
    if (!item) return false;
    MenuCanvas canvas(nullptr);
    int width = static_cast<int>(measure.itemWidth), height = static_cast<int>(measure.itemHeight);
    item->MeasureItem(canvas.Canvas(), width, height);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool TMenu::DispatchDrawItem(const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = FindItemByPointer(draw.itemData);
    if (!item) return false;
    MenuCanvas canvas(draw.hDC);
    item->AdvancedDrawItem(canvas.Canvas(), draw.rcItem, draw.itemState);
    return true;
}

bool TMenu::DispatchMessage(TMessage& m) {
    bool handled = false;
    switch (m.Msg) {
    case WM_COMMAND:
        // Menus send 0 in the high word and no window; accelerators (1) and controls differ.
        handled = HIWORD(m.WParam) == 0 && m.LParam == 0 && DispatchCommand(LOWORD(m.WParam));
        break;
    case WM_INITMENUPOPUP:
        handled = DispatchInitPopup(reinterpret_cast<HMENU>(m.WParam));
        break;
    case WM_MEASUREITEM:
        handled = DispatchMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam));
        if (handled) m.Result = TRUE;
        break;
    case WM_DRAWITEM:
        handled = DispatchDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        if (handled) m.Result = TRUE;
        break;
    case WM_MENUCHAR:
        handled = DispatchMenuChar(static_cast<wchar_t>(LOWORD(m.WParam)),
                                   reinterpret_cast<HMENU>(m.LParam), m.Result);
        break;
    }
    return handled;
}

// --- TMainMenu ---

TMainMenu::~TMainMenu() {
    SetWindowHandle(nullptr);
}

void TMainMenu::SetWindowHandle(HWND window) {
    if (window == window_) return;
    if (window_ && IsWindow(window_) && HandleAllocated() && GetMenu(window_) == Handle())
        SetMenu(window_, nullptr);
    window_ = window;
    if (window_) SetMenu(window_, Handle());
}

void TMainMenu::MenuChanged() {
    if (window_ && IsWindow(window_)) {
        DrawMenuBar(window_);
        SendMessageW(window_, CM_MENUCHANGED, 0, 0);
    }
    TMenu::MenuChanged();
}
