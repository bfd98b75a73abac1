#include "ui/controls/StdCtrls.h"
#include "ui/classes/Properties.h"
#include "ui/forms/Forms.h"

#include "ui/controls/Buttons.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/TabSet.h"

#include <algorithm>
#include <cctype>

KV_DEFINE_CLASS(TButton, TWinControl, [](TPropertyBuilder<TButton>& p) {
    p.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
    p.Bool("Default", &TButton::Default, &TButton::SetDefault);
    p.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel);
})
KV_DEFINE_CLASS(TCustomEdit, TWinControl, [](TPropertyBuilder<TCustomEdit>& p) {
    p.Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    p.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
    p.Event<TKeyPressEvent>("OnKeyPress", &TCustomEdit::SetOnKeyPress);
    p.Event<TNotifyEvent>("OnChange", &TCustomEdit::SetOnChange);
})
KV_DEFINE_PLAIN_CLASS(TEdit, TCustomEdit)
KV_DEFINE_CLASS(TListBox, TWinControl, [](TPropertyBuilder<TListBox>& p) {
    p.Strings("Items", &TListBox::Items);
    p.Integer("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight);
    p.Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted);
})
KV_DEFINE_CLASS(TLabel, TGraphicControl, [](TPropertyBuilder<TLabel>& p) {
    p.Component<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
    p.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TLabel::Alignment,
           &TLabel::SetAlignment);
    p.Enum("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::Layout, &TLabel::SetLayout);
    p.Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    p.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    p.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
})

void RegisterStandardControls() {
    RegisterComponentClass<TButton>();
    RegisterComponentClass<TEdit>();
    RegisterComponentClass<TMemo>();
    RegisterComponentClass<TListBox>();
    RegisterComponentClass<TComboBox>();
    RegisterComponentClass<TCheckBox>();
    RegisterComponentClass<TRadioButton>();
    RegisterComponentClass<TGroupBox>();
    RegisterComponentClass<TScrollBar>();
    RegisterComponentClass<TLabel>();
    RegisterComponentClass<TPanel>();
    RegisterComponentClass<TBevel>();
    RegisterComponentClass<TImage>();
    RegisterComponentClass<TRadioGroup>();
    RegisterComponentClass<TTabSet>();
    RegisterComponentClass<TBitBtn>();
    RegisterComponentClass<TSpeedButton>();
    RegisterComponentClass<TForm>();
}

static TCustomForm* FormOf(TControl* c) {
    for (TControl* p = c; p; p = p->Parent())
        if (auto* f = dynamic_cast<TCustomForm*>(p)) return f;
    return nullptr;
}

// --- TButton ---

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    width_ = 75;
    height_ = 25;
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"BUTTON";
    p.style |= WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::Click() {
    TControl::Click();
    if (modalResult_ != 0)
        if (TCustomForm* form = FormOf(this)) form->SetModalResult(modalResult_);
}

void TButton::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::WndProc(m);
}

// --- TCustomEdit, TEdit ---

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 21;
    color_ = clWindow;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"EDIT";
    p.style |= WS_TABSTOP | (readOnly_ ? ES_READONLY : 0);
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
    SendMessageW(handle_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.style |= ES_AUTOHSCROLL;
}

void TCustomEdit::SetReadOnly(bool on) {
    readOnly_ = on;
    if (HandleAllocated()) SendMessageW(handle_, EM_SETREADONLY, on, 0);
}

void TCustomEdit::SetMaxLength(int length) {
    maxLength_ = std::max(length, 0);
    if (HandleAllocated()) SendMessageW(handle_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

std::string TCustomEdit::GetText() {
    if (!HandleAllocated()) return caption_;
    int n = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(handle_, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    return WideToAnsi(text);
}

void TCustomEdit::Change() {
    caption_ = GetText();
    if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
    if (m.Msg == WM_CHAR && OnKeyPress && m.WParam < 0x80) {
        char key = static_cast<char>(m.WParam);
        OnKeyPress(this, key);
        if (key == 0) return;
        m.WParam = static_cast<unsigned char>(key);
    }
    if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        Change();
        return;
    }
    TWinControl::WndProc(m);
}

// --- TListBox ---

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = 97;
    color_ = clWindow;
    items_.OnChange = [this](TObject*) { FillWindow(); };
}

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"LISTBOX";
    p.style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::HandleCreated() {
    FillWindow();
}

void TListBox::FillWindow() {
    if (!HandleAllocated()) return;
    // The selection the user made survives the refill; the list is redrawn once, not per item.
    itemIndex_ = static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
    SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageW(handle_, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(AnsiToWide(items_[i]).c_str()));
    SendMessageW(handle_, LB_SETITEMHEIGHT, 0, itemHeight_);
    SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

int TListBox::ItemIndex() {
    if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(handle_, LB_GETCURSEL, 0, 0));
    return itemIndex_;
}

void TListBox::SetItemIndex(int index) {
    itemIndex_ = index < items_.Count() ? index : -1;
    if (HandleAllocated()) SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TListBox::SetItemHeight(int h) {
    itemHeight_ = h;
    if (HandleAllocated()) SendMessageW(handle_, LB_SETITEMHEIGHT, 0, h);
}

void TListBox::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_COMMAND) {
        WORD code = HIWORD(m.WParam);
        if (code == LBN_SELCHANGE) Click();
        if (code == LBN_DBLCLK && OnDblClick) OnDblClick(this);
        return;
    }
    if (m.Msg == WM_LBUTTONDBLCLK) {
        DefaultHandler(m); // the double click arrives as LBN_DBLCLK
        return;
    }
    TWinControl::WndProc(m);
}

// --- TLabel ---

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 65;
    height_ = 13;
    parentColor_ = true;
}

void TLabel::SetFocusControl(TWinControl* c) {
    focusControl_ = c;
    if (c) FreeNotification(c);
}

void TLabel::Notification(TComponent* c, TOperation op) {
    TGraphicControl::Notification(c, op);
    if (op == TOperation::opRemove && c == focusControl_) focusControl_ = nullptr;
}

void TLabel::SetWordWrap(bool w) {
    wordWrap_ = w;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment a) {
    alignment_ = a;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout l) {
    layout_ = l;
    Invalidate();
}

void TLabel::SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustBounds();
}

void TLabel::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool on) {
    showAccelChar_ = on;
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TLabel::TextFormat() const {
    static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT format = kAlign[alignment_] | DT_EXPANDTABS;
    if (wordWrap_) format |= DT_WORDBREAK;
    if (!showAccelChar_) format |= DT_NOPREFIX;
    return format;
}

void TLabel::AdjustBounds() {
    Invalidate();
    if (!autoSize_ || IsLoading()) return;
    TAlign align = Align();
    bool keepWidth = wordWrap_ || align == TAlign::alTop || align == TAlign::alBottom ||
                     align == TAlign::alClient;
    bool keepHeight =
        align == TAlign::alLeft || align == TAlign::alRight || align == TAlign::alClient;
    kv::WindowDC screen(nullptr);
    kv::SelectionGuard font(screen.Get(), Font().Handle());
    std::wstring text = AnsiToWide(caption_.empty() ? std::string(" ") : caption_);
    RECT r{0, 0, keepWidth ? width_ : 0, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
              TextFormat() | DT_CALCRECT);
    int width = keepWidth ? width_ : static_cast<int>(r.right);
    int height = keepHeight ? height_ : static_cast<int>(r.bottom);
    if (width != width_ || height != height_) {
        Invalidate();
        SetBounds(left_, top_, width, height);
        Invalidate();
    }
}

void TLabel::Paint(HDC dc) {
    RECT r{0, 0, width_, height_};
    if (!transparent_) {
        kv::UniqueBrush face(CreateSolidBrush(ColorToRGB(color_)));
        FillRect(dc, &r, face.Get());
    }
    SetBkMode(dc, TRANSPARENT);
    kv::SelectionGuard font(dc, Font().Handle());
    std::wstring text = AnsiToWide(caption_);
    int length = static_cast<int>(text.size());
    UINT format = TextFormat();
    if (layout_ != tlTop) {
        RECT measured = r;
        DrawTextW(dc, text.c_str(), length, &measured, format | DT_CALCRECT);
        int spare = height_ - static_cast<int>(measured.bottom);
        r.top += layout_ == tlCenter ? spare / 2 : spare;
    }
    if (!enabled_) {
        // The engraved look of disabled text: highlight one pixel down-right, then shadow.
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), length, &r, format);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, ColorToRGB(Font().Color()));
    }
    DrawTextW(dc, text.c_str(), length, &r, format);
}

void TLabel::WndProc(TMessage& m) {
    // The accelerator after '&' moves the focus to FocusControl.
    if (m.Msg == CM_DIALOGCHAR && focusControl_ && enabled_ && showAccelChar_) {
        size_t amp = caption_.find('&');
        if (amp != std::string::npos && amp + 1 < caption_.size() &&
            std::tolower(static_cast<unsigned char>(caption_[amp + 1])) ==
                std::tolower(static_cast<int>(m.WParam))) {
            focusControl_->SetFocus();
            m.Result = 1;
            return;
        }
    }
    TGraphicControl::WndProc(m);
}
