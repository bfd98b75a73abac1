#include "ui/controls/TabSet.h"
#include "ui/classes/Properties.h"
#include "ui/core/PaintMessage.h"
#include "ui/graphics/Colors.h"
#include "ui/graphics/GdiHandles.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

KV_DEFINE_CLASS(TTabSet, TWinControl, [](TPropertyBuilder<TTabSet>& p) {
    p.Strings("Tabs", static_cast<TStringList& (TTabSet::*)()>(&TTabSet::Tabs));
    p.Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
    p.Integer("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex);
    p.Integer("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin);
    p.Integer("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin);
})

namespace {

constexpr int kScrollerWidth = 24;
constexpr int kScrollerHeight = 15;
// How far a tab's lower corners sit inside its upper ones.
constexpr int kSlant = 3;

} // namespace

std::vector<TTabSlot> LayOutTabRow(const std::vector<int>& widths, int first, int start, int limit,
                                   bool skipMisfits) {
    std::vector<TTabSlot> row;
    if (first < 0) return row;
    int x = start;
    for (size_t i = static_cast<size_t>(first); i < widths.size(); ++i) {
        const int w = widths[i];
        // 64-bit: a hostile width must not wrap the sum into "fits".
        if (static_cast<long long>(x) + w <= limit) {
            row.push_back({static_cast<int>(i), x, x + w});
            x += w;
        } else if (!skipMisfits) {
            break;
        }
    }
    return row;
}

TTabSet::TTabSet(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 21;
    // First of the components this control owns: whoever looks for the scroller finds it there.
    scroller_ = new TUpDown(this);
    scroller_->FreeNotification(this);
    scroller_->SetOrientation(TUDOrientation::udHorizontal);
    scroller_->SetVisible(false);
    scroller_->SetParent(this);
    tabs_.OnChange = [this](TObject*) { TabsChanged(); };
}

TTabSet::~TTabSet() {
    SetDestroying();
    tabs_.OnChange = nullptr;
}

void TTabSet::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == scroller_) scroller_ = nullptr;
}

void TTabSet::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    // The arrows are a child window: painting the row must leave them alone.
    p.style |= WS_TABSTOP | WS_CLIPCHILDREN;
}

void TTabSet::Loaded() {
    TWinControl::Loaded();
    TabsChanged();
}

void TTabSet::FontChanged() {
    TWinControl::FontChanged();
    UpdateScroller();
    Invalidate();
}

// Also before the window exists: the scroller's place and need follow the width.
void TTabSet::SetBounds(int left, int top, int width, int height) {
    TWinControl::SetBounds(left, top, width, height);
    UpdateScroller();
}

void TTabSet::SetTabIndex(int index) {
    if (!IsLoading()) index = index >= 0 && index < tabs_.Count() ? index : -1;
    if (index == tabIndex_) return;
    tabIndex_ = index;
    Invalidate();
}

void TTabSet::SetFirstIndex(int index) {
    if (!IsLoading()) index = std::clamp(index, 0, std::max(tabs_.Count() - 1, 0));
    if (index == firstIndex_) return;
    firstIndex_ = index;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
    startMargin_ = std::max(margin, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
    endMargin_ = std::max(margin, 0);
    UpdateScroller();
    Invalidate();
}

// The list changed: indexes that fell off the end come back within it.
void TTabSet::TabsChanged() {
    if (IsLoading() || IsDestroying()) return;
    const int last = tabs_.Count() - 1;
    if (tabIndex_ > last || tabIndex_ < -1) tabIndex_ = tabIndex_ < 0 ? -1 : last;
    firstIndex_ = std::clamp(firstIndex_, 0, std::max(last, 0));
    UpdateScroller();
    Invalidate();
}

std::vector<int> TTabSet::TabWidths() {
    std::vector<int> widths;
    widths.reserve(static_cast<size_t>(tabs_.Count()));
    kv::WindowDC screen(nullptr);
    kv::SelectionGuard font(screen.Get(), Font().Handle());
    for (int i = 0; i < tabs_.Count(); ++i) {
        const std::wstring text = AnsiToWide(tabs_[i]);
        SIZE size{};
        GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        widths.push_back(size.cx + kTabSetTextPad);
    }
    return widths;
}

std::vector<TTabSlot> TTabSet::VisibleTabs() {
    const int arrows = ScrollerShown() ? kScrollerWidth : 0;
    return LayOutTabRow(TabWidths(), firstIndex_, startMargin_, width_ - endMargin_ - arrows,
                        false);
}

int TTabSet::TabAt(POINT client) {
    if (client.y < 0 || client.y >= height_) return -1;
    for (const TTabSlot& slot : VisibleTabs())
        if (client.x >= slot.left && client.x < slot.right) return slot.index;
    return -1;
}

// Shown while the whole row does not fit, or while it is scrolled (to scroll back).
void TTabSet::UpdateScroller() {
    if (!scroller_ || IsLoading() || IsDestroying()) return;
    const int count = tabs_.Count();
    const bool fitsAll =
        static_cast<int>(
            LayOutTabRow(TabWidths(), 0, startMargin_, width_ - endMargin_, false).size()) == count;
    const bool show = count > 0 && (!fitsAll || firstIndex_ > 0);
    scroller_->SetMin(0);
    scroller_->SetMax(std::max(count - 1, 0));
    scroller_->SetPosition(firstIndex_);
    const int h = std::min(height_, kScrollerHeight);
    scroller_->SetBounds(width_ - kScrollerWidth, (height_ - h) / 2, kScrollerWidth, h);
    scroller_->SetVisible(show);
}

// The scroller's arrows moved: its window's position is the first tab to show.
void TTabSet::Scrolled(const TMessage& m) {
    if (!scroller_ || !scroller_->HandleAllocated() || LOWORD(m.WParam) != SB_THUMBPOSITION ||
        reinterpret_cast<HWND>(m.LParam) != scroller_->Handle())
        return;
    SetFirstIndex(static_cast<int>(SendMessageW(scroller_->Handle(), UDM_GETPOS32, 0, 0)));
}

void TTabSet::PickByUser(int index, bool click) {
    if (index != tabIndex_) {
        SetTabIndex(index);
        if (OnChange) OnChange(this);
    }
    if (click) Click();
}

void TTabSet::Step(int delta) {
    const int count = tabs_.Count();
    if (count == 0) return;
    const int next = tabIndex_ < 0 ? 0 : std::clamp(tabIndex_ + delta, 0, count - 1);
    PickByUser(next, false);
    if (next < firstIndex_) SetFirstIndex(next);
    // Scroll right until the chosen tab is in view (or it is the first and still too wide).
    while (firstIndex_ < next) {
        const std::vector<TTabSlot> row = VisibleTabs();
        if (std::any_of(row.begin(), row.end(), [&](const TTabSlot& s) { return s.index == next; }))
            break;
        SetFirstIndex(firstIndex_ + 1);
    }
}

void TTabSet::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        ServePaint(handle_, m, [this](HDC dc) { Paint(dc); });
        return;
    case WM_SIZE:
        UpdateScroller();
        Invalidate();
        break;
    case WM_HSCROLL:
        Scrolled(m);
        break; // and on to the scroller
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        if (m.WParam == VK_LEFT || m.WParam == VK_RIGHT) {
            Step(m.WParam == VK_LEFT ? -1 : 1);
            m.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONDOWN: {
        if (handle_ && GetFocus() != handle_) SetFocus();
        const int index = TabAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (index >= 0) PickByUser(index, true);
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate(); // the focus rectangle
        break;
    }
    TWinControl::WndProc(m);
}

void TTabSet::Paint(HDC dc) {
    RECT all;
    GetClientRect(handle_, &all);
    kv::UniqueBrush face(CreateSolidBrush(ColorToRGB(color_)));
    FillRect(dc, &all, face.Get());
    // The edge of the page above; the selected tab breaks it.
    kv::UniquePen frame(CreatePen(PS_SOLID, 1, ColorToRGB(clWindowFrame)));
    kv::SelectionGuard pen(dc, frame.Get());
    MoveToEx(dc, all.left, 0, nullptr);
    LineTo(dc, all.right, 0);
    kv::SelectionGuard font(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    for (const TTabSlot& slot : VisibleTabs()) PaintTab(dc, slot, all.bottom);
}

void TTabSet::PaintTab(HDC dc, const TTabSlot& slot, int height) {
    const bool selected = slot.index == tabIndex_;
    const int bottom = height - 2;
    const POINT corners[] = {{slot.left, 0},
                             {slot.left + kSlant, bottom},
                             {slot.right - kSlant, bottom},
                             {slot.right, 0}};
    kv::UniqueBrush fill(CreateSolidBrush(ColorToRGB(selected ? color_ : clWindow)));
    kv::SelectionGuard brush(dc, fill.Get());
    Polygon(dc, corners, 4);
    if (selected) {
        // Joined to the page: the top edge over this tab takes the tab's own colour.
        kv::UniquePen join(CreatePen(PS_SOLID, 1, ColorToRGB(color_)));
        kv::SelectionGuard pen(dc, join.Get());
        MoveToEx(dc, slot.left + 1, 0, nullptr);
        LineTo(dc, slot.right, 0);
    }
    RECT text{slot.left, 1, slot.right, bottom};
    SetTextColor(dc, ColorToRGB(enabled_ ? Font().Color() : clGrayText));
    const std::wstring caption = AnsiToWide(tabs_[slot.index]);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (selected && handle_ && GetFocus() == handle_) {
        InflateRect(&text, -kSlant, -1);
        DrawFocusRect(dc, &text);
    }
}
