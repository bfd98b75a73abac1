#include "ui/controls/ComCtrlsToolBar.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

#include <algorithm>

KV_DEFINE_CLASS(TToolButton, TGraphicControl, [](TPropertyBuilder<TToolButton>& p) {
    p.Enum("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"},
           &TToolButton::Style, &TToolButton::SetStyle);
    p.Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
    p.Bool("Down", &TToolButton::Down, &TToolButton::SetDown);
    p.Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
    p.Component<TAction>("Action", &TToolButton::Action, &TToolButton::SetAction);
})
KV_DEFINE_CLASS(TToolBar, TWinControl, [](TPropertyBuilder<TToolBar>& p) {
    p.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
    p.Bool("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent);
    p.Bool("List", &TToolBar::List, &TToolBar::SetList);
    p.Bool("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
    p.Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
    p.Bool("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize);
    p.Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
    p.Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
    p.Set("EdgeBorders", {"ebLeft", "ebTop", "ebRight", "ebBottom"}, &TToolBar::EdgeBorders,
          &TToolBar::SetEdgeBorders);
    p.Component<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages);
})

// --- TToolButton --------------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 23;
    height_ = 22;
}

TToolButton::~TToolButton() {
    if (TToolBar* bar = ToolBar()) bar->ButtonRemoved(*this);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::CommandId() const {
    TToolBar* bar = ToolBar();
    if (!bar) return 0;
    auto it = std::find(bar->buttons_.begin(), bar->buttons_.end(), this);
    return it == bar->buttons_.end() ? 0 : static_cast<int>(it - bar->buttons_.begin()) + 1;
}

void TToolButton::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old) old->ButtonRemoved(*this);
    if (TToolBar* bar = ToolBar()) bar->ButtonInserted(*this);
}

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar()) bar->RebuildButtons();
}

void TToolButton::StateChanged() {
    if (TToolBar* bar = ToolBar()) bar->UpdateButtonState(*this);
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == style_) return;
    style_ = style;
    // Separators are 8 pixels wide unless told otherwise.
    if (style == TToolButtonStyle::tbsSeparator || style == TToolButtonStyle::tbsDivider)
        width_ = 8;
    Changed();
}

void TToolButton::SetImageIndex(int index) {
    if (index == imageIndex_) return;
    imageIndex_ = index;
    if (TToolBar* bar = ToolBar(); bar && bar->HandleAllocated())
        SendMessageW(bar->Handle(), TB_CHANGEBITMAP, static_cast<WPARAM>(CommandId()),
                     MAKELPARAM(index >= 0 ? index : I_IMAGENONE, 0));
}

void TToolButton::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    StateChanged();
}

void TToolButton::SetGrouped(bool grouped) {
    if (grouped == grouped_) return;
    grouped_ = grouped;
    Changed();
}

void TToolButton::SetEnabled(bool enabled) {
    TGraphicControl::SetEnabled(enabled);
    StateChanged();
}

void TToolButton::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

void TToolButton::SetBounds(int left, int top, int width, int height) {
    bool resized = width != width_;
    // The toolbar places its buttons; only a separator's width is the button's own.
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (resized && (style_ == TToolButtonStyle::tbsSeparator ||
                    style_ == TToolButtonStyle::tbsDivider))
        Changed();
}

void TToolButton::TextChanged() {
    if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) Changed();
}

void TToolButton::SetAction(TAction* action) {
    // Linked in code, the button takes the action's image; linked by a layout (references are
    // set after the other properties), an image the layout gave the button stays.
    ownImage_ = IsLoading() && imageIndex_ >= 0;
    actionImage_ = imageIndex_;
    link_.SetAction(action);
}

void TToolButton::ActionChanged(const TAction& action) {
    SetCaption(action.Caption());
    SetHint(action.Hint());
    // A button given its own image keeps it; one showing the action's follows it.
    if (!ownImage_ && imageIndex_ == actionImage_) SetImageIndex(action.ImageIndex());
    ownImage_ = false;
    actionImage_ = action.ImageIndex();
    SetEnabled(action.Enabled());
    SetDown(action.Checked());
    SetVisible(action.Visible());
}

std::string TToolButton::TipText() const {
    return Hint();
}

void TToolButton::Click() {
    if (style_ == TToolButtonStyle::tbsSeparator || style_ == TToolButtonStyle::tbsDivider)
        return;
    if (!OnClick && link_.Execute()) return;
    TGraphicControl::Click();
}

// --- TToolBar -----------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 29;
    SetAlign(TAlign::alTop);
}

TToolBar::~TToolBar() {
    SetDestroying();
    SetImages(nullptr);
    buttons_.clear();
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TToolBar");
    // The framework places the toolbar and draws its edges; the control only lays out buttons.
    p.style |= WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER |
               TBSTYLE_TOOLTIPS | (flat_ ? TBSTYLE_FLAT : 0) |
               (transparent_ ? TBSTYLE_TRANSPARENT : 0) | (list_ ? TBSTYLE_LIST : 0) |
               (wrapable_ ? TBSTYLE_WRAPABLE : 0);
}

void TToolBar::HandleCreated() {
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    RebuildButtons();
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    RebuildButtons();
}

bool TToolBar::Rebuilding() const {
    return !handle_ || IsLoading() || IsDestroying() || (Owner() && Owner()->IsDestroying());
}

void TToolBar::ButtonInserted(TToolButton&) {
    buttons_.clear();
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i))) buttons_.push_back(b);
    RebuildButtons();
}

void TToolBar::ButtonRemoved(TToolButton& button) {
    std::erase(buttons_, &button);
    RebuildButtons();
}

TToolButton* TToolBar::ButtonById(int id) const {
    return id >= 1 && id <= ButtonCount() ? buttons_[static_cast<size_t>(id - 1)] : nullptr;
}

int TToolBar::ButtonHeight() const {
    if (buttonHeight_ > 0) return buttonHeight_;
    return std::max(22, (images_ ? images_->Height() : 16) + 6);
}

namespace {
bool IsSeparator(const TToolButton& b) {
    return b.Style() == TToolButtonStyle::tbsSeparator ||
           b.Style() == TToolButtonStyle::tbsDivider;
}

BYTE StateOf(const TToolButton& b) {
    BYTE state = b.Enabled() ? TBSTATE_ENABLED : 0;
    if (!b.Visible()) state |= TBSTATE_HIDDEN;
    if (b.Down()) state |= b.Style() == TToolButtonStyle::tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    return state;
}
} // namespace

void TToolBar::RebuildButtons() {
    if (Rebuilding()) return;
    while (SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(handle_, TB_DELETEBUTTON, 0, 0);
    SendMessageW(handle_, TB_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    int imageWidth = images_ ? images_->Width() : 16, imageHeight = images_ ? images_->Height() : 16;
    SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELPARAM(imageWidth, imageHeight));
    SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, ButtonHeight()));
    if (!showCaptions_ || !list_)
        SendMessageW(handle_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, buttonWidth_));
    std::vector<std::wstring> captions(buttons_.size());
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TToolButton& b = *buttons_[i];
        TBBUTTON tb{};
        tb.idCommand = static_cast<int>(i) + 1;
        tb.fsState = StateOf(b);
        tb.iString = -1;
        if (IsSeparator(b)) {
            tb.iBitmap = b.Width();
            tb.fsStyle = BTNS_SEP;
        } else {
            tb.iBitmap = b.ImageIndex() >= 0 ? b.ImageIndex() : I_IMAGENONE;
            tb.fsStyle = BTNS_BUTTON;
            if (b.Style() == TToolButtonStyle::tbsCheck) tb.fsStyle |= BTNS_CHECK;
            if (b.Style() == TToolButtonStyle::tbsDropDown) tb.fsStyle |= BTNS_DROPDOWN;
            if (b.Grouped()) tb.fsStyle |= BTNS_GROUP;
            if (showCaptions_) {
                captions[i] = AnsiToWide(b.Caption());
                tb.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
            }
        }
        SendMessageW(handle_, TB_INSERTBUTTONW, i, reinterpret_cast<LPARAM>(&tb));
    }
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
    InvalidateRect(handle_, nullptr, TRUE);
    PlaceOtherControls();
    AdjustSize();
}

void TToolBar::UpdateButtonState(TToolButton& button) {
    if (Rebuilding()) return;
    SendMessageW(handle_, TB_SETSTATE, static_cast<WPARAM>(button.CommandId()),
                 MAKELPARAM(StateOf(button), 0));
}

// Buttons take the places the window gave them; other controls follow the last button,
// centred on the button row.
void TToolBar::PlaceOtherControls() {
    if (!handle_) return;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        SendMessageW(handle_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        TToolButton& b = *buttons_[i];
        b.left_ = r.left;
        b.top_ = r.top;
        b.height_ = r.bottom - r.top;
        if (!IsSeparator(b)) b.width_ = r.right - r.left;
    }
    int x = 0, top = 0, rowHeight = ButtonHeight();
    int count = static_cast<int>(SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0));
    if (count > 0) {
        RECT r{};
        SendMessageW(handle_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                     reinterpret_cast<LPARAM>(&r));
        x = r.right;
        top = r.top;
        rowHeight = r.bottom - r.top;
    }
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (dynamic_cast<TToolButton*>(c) || !c->Visible() || c->Align() != TAlign::alNone)
            continue;
        c->SetBounds(x, top + (rowHeight - c->Height()) / 2, c->Width(), c->Height());
        x += c->Width();
    }
}

// AutoSize: as high as the button rows and the edges.
void TToolBar::AdjustSize() {
    if (!autoSize_ || !handle_ || IsLoading()) return;
    int bottom = ButtonHeight();
    int count = static_cast<int>(SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (SendMessageW(handle_, TB_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&r)))
            bottom = std::max<int>(bottom, r.bottom);
    }
    int height = bottom + EdgeSize(ebTop) + EdgeSize(ebBottom);
    if (height != height_) SetBounds(left_, top_, width_, height);
}

void TToolBar::SetBounds(int left, int top, int width, int height) {
    bool sameSize = width == width_ && height == height_;
    TWinControl::SetBounds(left, top, width, height);
    if (!sameSize && handle_ && !IsLoading()) {
        SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
        PlaceOtherControls();
        AdjustSize();
    }
}

void TToolBar::UpdateStyle() {
    if (!handle_) return;
    DWORD style = static_cast<DWORD>(SendMessageW(handle_, TB_GETSTYLE, 0, 0));
    style &= ~static_cast<DWORD>(TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | TBSTYLE_LIST | TBSTYLE_WRAPABLE);
    style |= (flat_ ? TBSTYLE_FLAT : 0) | (transparent_ ? TBSTYLE_TRANSPARENT : 0) |
             (list_ ? TBSTYLE_LIST : 0) | (wrapable_ ? TBSTYLE_WRAPABLE : 0);
    SendMessageW(handle_, TB_SETSTYLE, 0, static_cast<LPARAM>(style));
    RebuildButtons();
}

void TToolBar::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    UpdateStyle();
}

void TToolBar::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    UpdateStyle();
}

void TToolBar::SetList(bool list) {
    if (list == list_) return;
    list_ = list;
    UpdateStyle();
}

void TToolBar::SetWrapable(bool wrapable) {
    if (wrapable == wrapable_) return;
    wrapable_ = wrapable;
    UpdateStyle();
}

void TToolBar::SetShowCaptions(bool show) {
    if (show == showCaptions_) return;
    showCaptions_ = show;
    RebuildButtons();
}

void TToolBar::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TToolBar::SetButtonWidth(int width) {
    buttonWidth_ = std::max(width, 1);
    RebuildButtons();
}

void TToolBar::SetButtonHeight(int height) {
    buttonHeight_ = std::max(height, 0);
    RebuildButtons();
}

void TToolBar::SetEdgeBorders(unsigned borders) {
    edgeBorders_ = borders & (ebLeft | ebTop | ebRight | ebBottom);
    if (!handle_) return;
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    AdjustSize();
}

void TToolBar::SetImages(TImageList* images) {
    if (images == images_.Get()) return;
    if (images_) images_->RemoveChangeListener(this);
    images_.Set(images);
    if (images_) images_->AddChangeListener(this, [this] { RebuildButtons(); });
    RebuildButtons();
}

bool TToolBar::AnswerTip(TMessage& m) {
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    if (!header || (header->code != TTN_GETDISPINFOW && header->code != TTN_GETDISPINFOA))
        return false;
    TToolButton* button = ButtonById(static_cast<int>(header->idFrom));
    tipText_ = button && ShowHint() ? button->TipText() : std::string();
    tipTextWide_ = AnsiToWide(tipText_);
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(m.LParam);
        info->lpszText = tipTextWide_.data();
        info->szText[0] = 0;
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(m.LParam);
        info->lpszText = tipText_.data();
        info->szText[0] = 0;
        info->hinst = nullptr;
    }
    m.Result = 0;
    return true;
}

void TToolBar::WndProc(TMessage& m) {
    // The window presses and releases its buttons itself; the framework would hand the mouse
    // to the windowless TToolButton under it instead.
    if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MOUSELAST && m.Msg != WM_MOUSEWHEEL) {
        POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
        if (buttonPressed_ || dynamic_cast<TToolButton*>(GraphicControlAt(p))) {
            // A press on a button keeps the mouse the window's until the release.
            if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) buttonPressed_ = true;
            if (m.Msg == WM_LBUTTONUP) buttonPressed_ = false;
            DefaultHandler(m);
            return;
        }
    }
    switch (m.Msg) {
    case WM_NOTIFY:
        // The toolbar's own tooltip asks it, not the form, for the text.
        if (AnswerTip(m)) return;
        break;
    case CN_BASE + WM_COMMAND:
        if (TToolButton* button = ButtonById(LOWORD(m.WParam))) {
            if (button->Style() == TToolButtonStyle::tbsCheck)
                button->down_ = SendMessageW(handle_, TB_ISBUTTONCHECKED, LOWORD(m.WParam), 0) != 0;
            button->Click();
        }
        m.Result = 0;
        return;
    case WM_NCCALCSIZE:
        DefaultHandler(m);
        if (m.WParam || m.LParam) {
            RECT& r = *reinterpret_cast<RECT*>(m.LParam);
            r.left += EdgeSize(ebLeft);
            r.top += EdgeSize(ebTop);
            r.right -= EdgeSize(ebRight);
            r.bottom -= EdgeSize(ebBottom);
        }
        return;
    case WM_NCPAINT: {
        DefaultHandler(m);
        if (!edgeBorders_) return;
        HDC dc = GetWindowDC(handle_);
        RECT r;
        GetWindowRect(handle_, &r);
        OffsetRect(&r, -r.left, -r.top);
        UINT sides = ((edgeBorders_ & ebLeft) ? BF_LEFT : 0) | ((edgeBorders_ & ebTop) ? BF_TOP : 0) |
                     ((edgeBorders_ & ebRight) ? BF_RIGHT : 0) |
                     ((edgeBorders_ & ebBottom) ? BF_BOTTOM : 0);
        DrawEdge(dc, &r, EDGE_ETCHED, sides);
        ReleaseDC(handle_, dc);
        return;
    }
    }
    TWinControl::WndProc(m);
}

// The list is going away: its handle must leave the window now.
void TToolBar::ImagesFreed() {
    if (handle_) SendMessageW(handle_, TB_SETIMAGELIST, 0, 0);
}
