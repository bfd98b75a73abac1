#include "ui/controls/ComCtrlsListView.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

KV_DEFINE_CLASS(TListColumn, TComCtlItem, [](TPropertyBuilder<TListColumn>& p) {
    p.String("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Integer("Width", &TListColumn::Width, &TListColumn::SetWidth);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TListColumn::Alignment,
           &TListColumn::SetAlignment);
})
KV_DEFINE_CLASS(TListItem, TComCtlItem, [](TPropertyBuilder<TListItem>& p) {
    p.String("Caption", &TListItem::Caption, &TListItem::SetCaption);
    p.Strings("SubItems", static_cast<TStringList& (TListItem::*)()>(&TListItem::SubItems));
    p.Integer("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex);
})
KV_DEFINE_CLASS(TListView, TWinControl, [](TPropertyBuilder<TListView>& p) {
    p.Enum("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, &TListView::ViewStyle,
           &TListView::SetViewStyle);
    p.Bool("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly);
    p.Bool("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
    p.Component<TImageList>("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    p.Component<TImageList>("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    p.Event<TNotifyEvent>("OnChange", &TListView::SetOnChange);
})

namespace {
DWORD ViewBits(TViewStyle style) {
    switch (style) {
    case TViewStyle::vsSmallIcon:
        return LVS_SMALLICON;
    case TViewStyle::vsList:
        return LVS_LIST;
    case TViewStyle::vsReport:
        return LVS_REPORT;
    default:
        return LVS_ICON;
    }
}

int FormatOf(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return LVCFMT_RIGHT;
    case taCenter:
        return LVCFMT_CENTER;
    default:
        return LVCFMT_LEFT;
    }
}
} // namespace

// --- items --------------------------------------------------------------------------------------

void TListColumn::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}
void TListColumn::SetWidth(int width) {
    width_ = width;
    Changed();
}
void TListColumn::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}

TListItem::TListItem(TComponent* owner) : TComCtlItem(owner) {
    subItems_.OnChange = [this](TObject*) { Changed(); };
}

void TListItem::SetCaption(const std::string& caption) {
    caption_ = caption;
    Changed();
}

void TListItem::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}

// --- TListView ----------------------------------------------------------------------------------

TListView::TListView(TComponent* owner) : TWinControl(owner) {
    width_ = 250;
    height_ = 150;
}

TListView::~TListView() {
    SetDestroying();
    SetSmallImages(nullptr);
    SetLargeImages(nullptr);
}

TListColumn* TListView::AddColumn(const std::string& caption, int width) {
    auto* column = new TListColumn(this);
    column->SetCaption(caption);
    column->SetWidth(width);
    columns_.Append(column);
    WriteColumns();
    return column;
}

TListItem* TListView::AddItem(const std::string& caption) {
    auto* item = new TListItem(this);
    item->SetCaption(caption);
    items_.Append(item);
    WriteItem(items_.Count() - 1, true);
    return item;
}

void TListView::ClearItems() {
    while (items_.Count() > 0) {
        TListItem* item = items_[items_.Count() - 1];
        if (item->Owner() == this)
            delete item; // leaves the list through ItemRemoved
        else
            ItemRemoved(*item);
    }
}

bool TListView::AddLoadedChild(TComponent& child) {
    if (auto* column = dynamic_cast<TListColumn*>(&child)) {
        columns_.Append(column);
        return true;
    }
    if (auto* item = dynamic_cast<TListItem*>(&child)) {
        items_.Append(item);
        return true;
    }
    return TWinControl::AddLoadedChild(child);
}

std::vector<TComponent*> TListView::LoadedChildren() const {
    std::vector<TComponent*> children(columns_.begin(), columns_.end());
    children.insert(children.end(), items_.begin(), items_.end());
    return children;
}

void TListView::ItemChanged(TComCtlItem& item) {
    if (items_.IndexOf(&item) >= 0)
        WriteItem(items_.IndexOf(&item), false);
    else
        WriteColumns();
}

void TListView::ItemRemoved(TComCtlItem& item) {
    int row = items_.IndexOf(&item);
    if (row >= 0) {
        items_.Remove(item);
        if (handle_ && !IsDestroying()) SendMessageW(handle_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        return;
    }
    if (columns_.Remove(item) && !IsDestroying()) WriteColumns();
}

void TListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TListView");
    p.style |= WS_TABSTOP | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
               ViewBits(viewStyle_) | (readOnly_ ? 0 : LVS_EDITLABELS);
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TListView::HandleCreated() {
    FillWindow();
}

void TListView::FillWindow() {
    if (!handle_ || IsDestroying()) return;
    UpdateStyle();
    UpdateImages();
    WriteColumns();
    SendMessageW(handle_, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < items_.Count(); ++row) WriteItem(row, true);
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TListView::WriteColumns() {
    if (!handle_ || IsDestroying()) return;
    while (SendMessageW(handle_, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_.Count(); ++i) {
        TListColumn& column = *columns_[i];
        std::wstring text = AnsiToWide(column.Caption());
        LVCOLUMNW lc{};
        lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lc.pszText = text.data();
        lc.cx = column.Width();
        lc.fmt = FormatOf(column.Alignment());
        lc.iSubItem = i;
        SendMessageW(handle_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&lc));
    }
    // The rows' sub-items belong to the columns just made.
    for (int row = 0; row < items_.Count(); ++row) WriteItem(row, false);
}

void TListView::WriteItem(int row, bool insert) {
    if (!handle_ || IsDestroying() || row < 0 || row >= items_.Count()) return;
    TListItem& item = *items_[row];
    std::wstring caption = AnsiToWide(item.Caption());
    LVITEMW lv{};
    lv.mask = LVIF_TEXT | LVIF_IMAGE;
    lv.iItem = row;
    lv.pszText = caption.data();
    lv.iImage = item.ImageIndex();
    SendMessageW(handle_, insert ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    for (int sub = 0; sub < item.SubItems().Count(); ++sub) {
        std::wstring text = AnsiToWide(item.SubItems()[sub]);
        LVITEMW si{};
        si.iSubItem = sub + 1;
        si.pszText = text.data();
        SendMessageW(handle_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&si));
    }
}

void TListView::UpdateStyle() {
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK | LVS_EDITLABELS)) | ViewBits(viewStyle_) |
            (readOnly_ ? 0 : LVS_EDITLABELS);
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
    SendMessageW(handle_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

void TListView::UpdateImages() {
    if (!handle_) return;
    SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
    SendMessageW(handle_, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
}

void TListView::SetViewStyle(TViewStyle style) {
    viewStyle_ = style;
    UpdateStyle();
}

void TListView::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    UpdateStyle();
}

void TListView::SetRowSelect(bool rowSelect) {
    rowSelect_ = rowSelect;
    UpdateStyle();
}

void TListView::SetImageList(TComponentLink<TImageList>& field, TImageList* images) {
    if (field.Get() == images) return;
    // Both fields may hold the same list: it keeps the listener while one still does.
    if (field && smallImages_.Get() != largeImages_.Get()) field->RemoveChangeListener(this);
    field.Set(images);
    if (field) field->AddChangeListener(this, [this] { Invalidate(); });
    if (!IsDestroying()) UpdateImages();
}

void TListView::SetSmallImages(TImageList* images) {
    SetImageList(smallImages_, images);
}

void TListView::SetLargeImages(TImageList* images) {
    SetImageList(largeImages_, images);
}

int TListView::ItemIndex() {
    if (handle_)
        itemIndex_ = static_cast<int>(
            SendMessageW(handle_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return itemIndex_;
}

void TListView::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
    if (!handle_) return;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    if (itemIndex_ < 0) return;
    LVITEMW one{};
    one.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    one.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(itemIndex_), reinterpret_cast<LPARAM>(&one));
}

TListItem* TListView::Selected() {
    return items_[ItemIndex()];
}

void TListView::SetSelected(TListItem* item) {
    SetItemIndex(items_.IndexOf(item));
}

void TListView::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_NOTIFY && m.LParam) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == LVN_ITEMCHANGED) {
            auto* change = reinterpret_cast<NMLISTVIEW*>(m.LParam);
            if ((change->uChanged & LVIF_STATE) &&
                ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnChange)
                OnChange(this);
            m.Result = 0;
            return;
        }
        if (header->code == LVN_ENDLABELEDITW) {
            // A label the user typed becomes the item's caption.
            auto* edit = reinterpret_cast<NMLVDISPINFOW*>(m.LParam);
            TListItem* item = items_[edit->item.iItem];
            if (item && edit->item.pszText) {
                item->SetHost(nullptr);
                item->SetCaption(WideToAnsi(edit->item.pszText));
                item->SetHost(this);
            }
            m.Result = item && edit->item.pszText ? TRUE : FALSE;
            return;
        }
    }
    TWinControl::WndProc(m);
}
