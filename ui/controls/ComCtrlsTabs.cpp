#include "ui/controls/ComCtrlsTabs.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

#include <algorithm>

KV_DEFINE_CLASS(TTabSheet, TWinControl, [](TPropertyBuilder<TTabSheet>& p) {
    p.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    p.Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
})
KV_DEFINE_CLASS(TPageControl, TWinControl, [](TPropertyBuilder<TPageControl>& p) {
    p.Component<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    p.Component<TImageList>("Images", &TPageControl::Images, &TPageControl::SetImages);
    p.Event<TNotifyEvent>("OnChange", &TPageControl::SetOnChange);
    p.Event<TTabChangingEvent>("OnChanging", &TPageControl::SetOnChanging);
})
KV_DEFINE_CLASS(TTabControl, TWinControl, [](TPropertyBuilder<TTabControl>& p) {
    p.Strings("Tabs", &TTabControl::Tabs);
    p.Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
    p.Event<TNotifyEvent>("OnChange", &TTabControl::SetOnChange);
    p.Event<TTabChangingEvent>("OnChanging", &TTabControl::SetOnChanging);
})
KV_DEFINE_CLASS(THeaderSection, TComCtlItem, [](TPropertyBuilder<THeaderSection>& p) {
    p.String("Text", &THeaderSection::Text, &THeaderSection::SetText);
    p.Integer("Width", &THeaderSection::Width, &THeaderSection::SetWidth);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
           &THeaderSection::Alignment, &THeaderSection::SetAlignment);
})
KV_DEFINE_PLAIN_CLASS(THeaderControl, TWinControl)

namespace {
// The code of a reflected WM_NOTIFY, or 0.
UINT NotifyCode(const TMessage& m) {
    if (m.Msg != CN_BASE + WM_NOTIFY || !m.LParam) return 0;
    return reinterpret_cast<const NMHDR*>(m.LParam)->code;
}

void InsertTab(HWND tabs, int index, const std::string& text, int image) {
    std::wstring wide = AnsiToWide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = wide.data();
    item.iImage = image;
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}
} // namespace

// --- TTabSheet ----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    width_ = 100;
    height_ = 100;
    visible_ = false; // the page control shows the active sheet
    parentColor_ = true; // a page is the face of its page control, which is the form's
}

TTabSheet::~TTabSheet() {
    if (TPageControl* pages = PageControl()) pages->PageRemoved(*this);
}

TPageControl* TTabSheet::PageControl() const {
    return dynamic_cast<TPageControl*>(Parent());
}

void TTabSheet::SetPageControl(TPageControl* control) {
    SetParent(control);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    TPageControl* old = PageControl();
    if (old) old->PageRemoved(*this);
    TWinControl::SetParent(parent);
    if (TPageControl* pages = PageControl()) pages->PageInserted(*this);
}

int TTabSheet::PageIndex() const {
    TPageControl* pages = PageControl();
    if (!pages) return -1;
    auto it = std::find(pages->pages_.begin(), pages->pages_.end(), this);
    return it == pages->pages_.end() ? -1 : static_cast<int>(it - pages->pages_.begin());
}

int TTabSheet::TabIndex() const {
    TPageControl* pages = PageControl();
    if (!pages || !tabVisible_) return -1;
    int tab = 0;
    for (TTabSheet* sheet : pages->pages_) {
        if (sheet == this) return tab;
        if (sheet->tabVisible_) ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == tabVisible_) return;
    tabVisible_ = visible;
    if (TPageControl* pages = PageControl()) pages->UpdateTabs();
}

void TTabSheet::SetImageIndex(int index) {
    imageIndex_ = index;
    if (TPageControl* pages = PageControl()) pages->UpdateTabs();
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (TPageControl* pages = PageControl()) pages->UpdateTabs();
}

// --- TPageControl -------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    width_ = 289;
    height_ = 193;
    parentColor_ = true;
}

TPageControl::~TPageControl() {
    SetDestroying();
    SetImages(nullptr);
    pages_.clear();
    active_ = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TPageControl");
    p.style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TPageControl::HandleCreated() {
    UpdateTabs();
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    if (!active_) {
        for (TTabSheet* sheet : pages_)
            if (sheet->TabVisible()) {
                active_ = sheet;
                break;
            }
    }
    UpdateTabs();
}

TTabSheet* TPageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

void TPageControl::PageInserted(TTabSheet& page) {
    pages_.clear();
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i))) pages_.push_back(sheet);
    if (!active_ && !IsLoading()) active_ = &page;
    UpdateTabs();
}

void TPageControl::PageRemoved(TTabSheet& page) {
    std::erase(pages_, &page);
    if (active_ == &page) {
        active_ = nullptr;
        for (TTabSheet* sheet : pages_)
            if (sheet->TabVisible()) {
                active_ = sheet;
                break;
            }
    }
    if (!IsDestroying()) UpdateTabs();
}

TTabSheet* TPageControl::SheetOfTab(int tab) const {
    for (TTabSheet* sheet : pages_)
        if (sheet->TabVisible() && tab-- == 0) return sheet;
    return nullptr;
}

int TPageControl::ActivePageIndex() const {
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(Pages(index));
}

int TPageControl::TabIndex() const {
    return active_ ? active_->TabIndex() : -1;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    active_ = page;
    if (handle_) SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(TabIndex()), 0);
    ShowActivePage();
}

void TPageControl::SelectNextPage(bool forward) {
    if (!handle_) return;
    const int count = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
    if (count < 2) return;
    const int current = TabIndex();
    const int next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
    // Moving the focus of a tab control without buttons selects the tab, with the same
    // notifications as a click.
    SendMessageW(handle_, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
}

void TPageControl::UpdateTabs() {
    if (!handle_ || IsLoading() || IsDestroying()) return;
    SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    SendMessageW(handle_, TCM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    int tab = 0;
    for (TTabSheet* sheet : pages_)
        if (sheet->TabVisible()) InsertTab(handle_, tab++, sheet->Caption(), sheet->ImageIndex());
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(TabIndex()), 0);
    ShowActivePage();
}

// The active sheet fills the page area; every other sheet is hidden.
void TPageControl::ShowActivePage() {
    if (!handle_ || IsLoading()) return;
    RECT r;
    GetClientRect(handle_, &r);
    SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (TTabSheet* sheet : pages_) {
        if (sheet != active_) sheet->SetVisible(false);
    }
    if (active_) {
        active_->SetBounds(r.left, r.top, std::max<int>(0, r.right - r.left),
                           std::max<int>(0, r.bottom - r.top));
        active_->SetVisible(true);
        SetWindowPos(active_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TPageControl::SetImages(TImageList* images) {
    if (images == images_.Get()) return;
    if (images_) images_->RemoveChangeListener(this);
    images_.Set(images);
    if (images_) images_->AddChangeListener(this, [this] { Invalidate(); });
    UpdateTabs();
}

void TPageControl::WndProc(TMessage& m) {
    switch (NotifyCode(m)) {
    case TCN_SELCHANGING: {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        m.Result = allow ? FALSE : TRUE;
        return;
    }
    case TCN_SELCHANGE:
        active_ = SheetOfTab(static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0)));
        ShowActivePage();
        if (OnChange) OnChange(this);
        m.Result = 0;
        return;
    }
    if (m.Msg == CM_DIALOGKEY && m.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
    if (m.Msg == WM_SIZE) ShowActivePage();
}

// --- TTabControl --------------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner) {
    width_ = 289;
    height_ = 193;
    tabs_.OnChange = [this](TObject*) { UpdateTabs(); };
}

void TTabControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TTabControl");
    p.style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TTabControl::HandleCreated() {
    UpdateTabs();
}

void TTabControl::UpdateTabs() {
    if (tabIndex_ >= tabs_.Count()) tabIndex_ = tabs_.Count() - 1;
    if (!handle_) return;
    SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < tabs_.Count(); ++i) InsertTab(handle_, i, tabs_[i], -1);
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

void TTabControl::SetTabIndex(int index) {
    tabIndex_ = index >= 0 && index < tabs_.Count() ? index : -1;
    if (handle_) SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex_), 0);
}

RECT TTabControl::DisplayRect() {
    RECT r{0, 0, width_, height_};
    if (handle_) {
        GetClientRect(handle_, &r);
        SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    }
    return r;
}

void TTabControl::WndProc(TMessage& m) {
    switch (NotifyCode(m)) {
    case TCN_SELCHANGING: {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        m.Result = allow ? FALSE : TRUE;
        return;
    }
    case TCN_SELCHANGE:
        tabIndex_ = static_cast<int>(SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
        if (OnChange) OnChange(this);
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

// --- THeaderControl -----------------------------------------------------------------------------

void THeaderSection::SetText(const std::string& text) {
    text_ = text;
    Changed();
}
void THeaderSection::SetWidth(int width) {
    width_ = std::max(width, 0);
    Changed();
}
void THeaderSection::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

THeaderControl::THeaderControl(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 17;
    SetAlign(TAlign::alTop);
}

THeaderControl::~THeaderControl() {
    SetDestroying();
}

THeaderSection* THeaderControl::AddSection(const std::string& text, int width) {
    auto* section = new THeaderSection(this);
    section->SetText(text);
    section->SetWidth(width);
    sections_.Append(section);
    UpdateSections();
    return section;
}

bool THeaderControl::AddLoadedChild(TComponent& child) {
    auto* section = dynamic_cast<THeaderSection*>(&child);
    if (!section) return TWinControl::AddLoadedChild(child);
    sections_.Append(section);
    return true;
}

std::vector<TComponent*> THeaderControl::LoadedChildren() const {
    std::vector<TComponent*> children(sections_.begin(), sections_.end());
    for (TComponent* c : TWinControl::LoadedChildren()) children.push_back(c);
    return children;
}

void THeaderControl::ItemChanged(TComCtlItem&) {
    UpdateSections();
}

void THeaderControl::ItemRemoved(TComCtlItem& item) {
    sections_.Remove(item);
    if (!IsDestroying()) UpdateSections();
}

void THeaderControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("THeaderControl");
    p.style |= HDS_HORZ | HDS_BUTTONS;
}

void THeaderControl::HandleCreated() {
    UpdateSections();
}

void THeaderControl::UpdateSections() {
    if (!handle_) return;
    while (SendMessageW(handle_, HDM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageW(handle_, HDM_DELETEITEM, 0, 0);
    int index = 0;
    for (THeaderSection* section : sections_) {
        std::wstring text = AnsiToWide(section->Text());
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = text.data();
        item.cxy = section->Width();
        item.fmt = HDF_STRING | (section->Alignment() == taCenter        ? HDF_CENTER
                                 : section->Alignment() == taRightJustify ? HDF_RIGHT
                                                                                      : HDF_LEFT);
        SendMessageW(handle_, HDM_INSERTITEMW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void THeaderControl::WndProc(TMessage& m) {
    UINT code = NotifyCode(m);
    if (code == HDN_ITEMCHANGEDW || code == HDN_ITEMCHANGEDA) {
        // The user dragged a divider: keep the new width without rebuilding the items.
        auto* change = reinterpret_cast<NMHEADERW*>(m.LParam);
        if (THeaderSection* section = sections_[change->iItem]) {
            HDITEMW item{};
            item.mask = HDI_WIDTH;
            if (SendMessageW(handle_, HDM_GETITEMW, static_cast<WPARAM>(change->iItem),
                             reinterpret_cast<LPARAM>(&item)))
                section->width_ = item.cxy;
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

// The list is going away: its handle must leave the window now.
void TPageControl::ImagesFreed() {
    if (handle_) SendMessageW(handle_, TCM_SETIMAGELIST, 0, 0);
}
