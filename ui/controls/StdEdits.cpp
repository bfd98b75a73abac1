// TMemo and TComboBox: the text-holding kinds over EDIT (multi-line) and COMBOBOX.
#include "ui/classes/Properties.h"
#include "ui/controls/StdCtrls.h"

#include <algorithm>

KV_DEFINE_CLASS(TMemo, TCustomEdit, [](TPropertyBuilder<TMemo>& p) {
    p.Strings("Lines", &TMemo::Lines);
    p.Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &TMemo::ScrollBars,
           &TMemo::SetScrollBars);
    p.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TMemo::Alignment,
           &TMemo::SetAlignment);
})

KV_DEFINE_CLASS(TComboBox, TWinControl, [](TPropertyBuilder<TComboBox>& p) {
    p.Strings("Items", &TComboBox::Items);
    p.Integer("ItemIndex", [](const TComboBox& c) { return const_cast<TComboBox&>(c).ItemIndex(); },
              &TComboBox::SetItemIndex);
    p.Enum("Style",
           {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"},
           &TComboBox::Style, &TComboBox::SetStyle);
    p.Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
    p.Integer("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
    p.Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
    p.Event<TNotifyEvent>("OnChange", &TComboBox::SetOnChange);
    p.Event<TDrawItemEvent>("OnDrawItem", &TComboBox::SetOnDrawItem);
})

namespace {

std::wstring WindowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    return text;
}

// Lines joined the way an edit window shows them: CR LF between lines, none after the last.
std::string JoinLines(const TStrings& lines) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

// Combo boxes answer WM_MEASUREITEM through their parent by control id.
HMENU NextControlId() {
    static UINT_PTR next = 0x4000;
    return reinterpret_cast<HMENU>(next++);
}

} // namespace

// --- TMemo ---

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
    width_ = 185;
    height_ = 89;
    lines_.OnChange = [this](TObject*) { PushToWindow(); };
}

void TMemo::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    static constexpr DWORD kAlign[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    p.style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | kAlign[alignment_];
    if (!wordWrap_) p.style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.style |= WS_VSCROLL;
    // A horizontal bar only means something when lines do not wrap.
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_)
        p.style |= WS_HSCROLL;
    p.caption = AnsiToWide(JoinLines(lines_));
}

void TMemo::HandleCreated() {
    TCustomEdit::HandleCreated();
    PushToWindow();
}

TStringList& TMemo::Lines() {
    PullFromWindow();
    return lines_;
}

void TMemo::PullFromWindow() {
    if (!HandleAllocated() || syncing_) return;
    std::string text = WideToAnsi(WindowText(handle_));
    if (text == JoinLines(lines_)) return;
    syncing_ = true;
    lines_.SetText(text);
    syncing_ = false;
}

void TMemo::PushToWindow() {
    if (!HandleAllocated() || syncing_) return;
    syncing_ = true;
    SetWindowTextW(handle_, AnsiToWide(JoinLines(lines_)).c_str());
    syncing_ = false;
}

void TMemo::RemakeWindow() {
    if (!HandleAllocated()) return;
    PullFromWindow();
    DestroyHandle();
    if (Parent() && Parent()->HandleAllocated()) HandleNeeded();
}

void TMemo::SetScrollBars(TScrollStyle s) {
    if (s == scrollBars_) return;
    scrollBars_ = s;
    RemakeWindow();
}

void TMemo::SetWordWrap(bool on) {
    if (on == wordWrap_) return;
    wordWrap_ = on;
    RemakeWindow();
}

void TMemo::SetAlignment(TAlignment a) {
    if (a == alignment_) return;
    alignment_ = a;
    RemakeWindow();
}

void TMemo::WndProc(TMessage& m) {
    // What the user typed stays in Lines when the window goes.
    if (m.Msg == WM_DESTROY) PullFromWindow();
    TCustomEdit::WndProc(m);
}

// --- TComboBox ---

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    width_ = 145;
    height_ = 21;
    color_ = clWindow;
    items_.OnChange = [this](TObject*) { FillWindow(); };
}

void TComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"COMBOBOX";
    static constexpr DWORD kStyle[] = {
        CBS_DROPDOWN,
        CBS_SIMPLE,
        CBS_DROPDOWNLIST,
        CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
        CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
    };
    p.style |= WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL | kStyle[style_];
    p.height = DroppedHeight();
    p.menu = NextControlId();
}

int TComboBox::DroppedHeight() const {
    if (style_ == csSimple) return height_;
    return height_ + std::max(dropDownCount_, 1) * itemHeight_ + 2;
}

void TComboBox::HandleCreated() {
    if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable) {
        SendMessageW(handle_, CB_SETITEMHEIGHT, 0, itemHeight_);
        SendMessageW(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    }
    FillWindow();
    // The closed height is what the system made of the edit part.
    RECT r;
    GetWindowRect(handle_, &r);
    if (style_ != csSimple) height_ = r.bottom - r.top;
}

void TComboBox::FillWindow() {
    if (!HandleAllocated()) return;
    std::wstring text = WindowText(handle_);
    SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageW(handle_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(AnsiToWide(items_[i]).c_str()));
    if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    // Typed text survives a refill of the list (an edit part keeps its own text).
    if (itemIndex_ < 0 && (style_ == csDropDown || style_ == csSimple))
        SetWindowTextW(handle_, (text.empty() ? AnsiToWide(caption_) : text).c_str());
}

void TComboBox::RemakeWindow() {
    if (!HandleAllocated()) return;
    ItemIndex();
    caption_ = GetText();
    DestroyHandle();
    if (Parent() && Parent()->HandleAllocated()) HandleNeeded();
}

int TComboBox::ItemIndex() {
    if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void TComboBox::SetItemIndex(int index) {
    itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
    if (index >= 0 && itemIndex_ < 0 && IsLoading()) itemIndex_ = index; // items may follow
    if (HandleAllocated()) SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

std::string TComboBox::GetText() {
    if (!HandleAllocated()) {
        if (style_ != csDropDown && style_ != csSimple)
            return itemIndex_ >= 0 && itemIndex_ < items_.Count() ? items_[itemIndex_] : "";
        return caption_;
    }
    return WideToAnsi(WindowText(handle_));
}

void TComboBox::TextChanged() {
    if (style_ == csDropDown || style_ == csSimple) {
        TWinControl::TextChanged();
        return;
    }
    // A list-only combo box shows an item: the one with this text, or none.
    SetItemIndex(items_.IndexOf(caption_));
}

void TComboBox::SetStyle(TComboBoxStyle s) {
    if (s == style_) return;
    style_ = s;
    RemakeWindow();
}

void TComboBox::SetDropDownCount(int n) {
    dropDownCount_ = std::max(n, 1);
    if (HandleAllocated()) SetBounds(left_, top_, width_, height_); // the dropped height
}

void TComboBox::SetItemHeight(int h) {
    itemHeight_ = std::max(h, 1);
    if (HandleAllocated()) SendMessageW(handle_, CB_SETITEMHEIGHT, 0, itemHeight_);
}

bool TComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0);
}

void TComboBox::SetDroppedDown(bool down) {
    SendMessageW(Handle(), CB_SHOWDROPDOWN, down, 0);
}

// The window's height is the dropped height; the control's Height stays the closed one.
void TComboBox::SetBounds(int left, int top, int width, int height) {
    TControl::SetBounds(left, top, width, height);
    if (HandleAllocated()) MoveWindow(handle_, left, top, width, DroppedHeight(), TRUE);
}

void TComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
    canvas_.SetHandle(item.hDC);
    int index = static_cast<int>(item.itemID);
    if (OnDrawItem) {
        OnDrawItem(this, index, item.rcItem, item.itemState);
    } else {
        bool selected = item.itemState & ODS_SELECTED;
        canvas_.Brush().SetColor(selected ? clHighlight : color_);
        canvas_.FillRect(item.rcItem);
        canvas_.Font().Assign(Font());
        canvas_.Font().SetColor(selected ? clHighlightText : Font().Color());
        if (index >= 0 && index < items_.Count())
            canvas_.TextOut(item.rcItem.left + 2, item.rcItem.top, items_[index]);
    }
    if (item.itemState & ODS_FOCUS) canvas_.DrawFocusRect(item.rcItem);
    canvas_.SetHandle(nullptr);
}

void TComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_BASE + WM_COMMAND: {
        WORD code = HIWORD(m.WParam);
        if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) {
            if (code == CBN_SELCHANGE) ItemIndex();
            caption_ = code == CBN_SELCHANGE && itemIndex_ >= 0 && itemIndex_ < items_.Count()
                           ? items_[itemIndex_]
                           : GetText();
            if (OnChange) OnChange(this);
            if (code == CBN_SELCHANGE) Click();
        }
        return;
    }
    case CN_BASE + WM_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case CN_BASE + WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
        m.Result = TRUE;
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // The edit and list parts are the combo box's own children: they show its colours.
        m.Result = ControlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    TWinControl::WndProc(m);
}
