// AutoScroll: the form's scroll bars follow the children that lie outside its client area,
// and scrolling moves the children.
#include "ui/forms/Forms.h"

#include <algorithm>

namespace {
constexpr int kLineStep = 8;
} // namespace

void TCustomForm::SetAutoScroll(bool on) {
    if (on == autoScroll_) return;
    autoScroll_ = on;
    if (!on && (scrollPos_.x || scrollPos_.y)) ScrollChildren(scrollPos_.x, scrollPos_.y);
    UpdateScrollRange();
}

void TCustomForm::UpdateScrollRange() {
    if (!handle_ || updatingScroll_ || formStyle_ == TFormStyle::fsMDIForm) return;
    updatingScroll_ = true;
    // Two passes: a bar that appears takes client space and may call for the other one.
    for (int pass = 0; pass < 2; ++pass) {
        int right = 0, bottom = 0;
        if (autoScroll_) {
            for (int i = 0; i < ControlCount(); ++i) {
                TControl* c = Controls(i);
                if (!c->Visible() || c->Align() != TAlign::alNone) continue;
                right = std::max<int>(right, c->Left() + c->Width() + scrollPos_.x);
                bottom = std::max<int>(bottom, c->Top() + c->Height() + scrollPos_.y);
            }
        }
        RECT client;
        GetClientRect(handle_, &client);
        auto setBar = [&](int bar, int extent, int page, LONG& pos) {
            SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            bool needed = autoScroll_ && extent > page;
            si.nMax = needed ? extent - 1 : 0;
            si.nPage = needed ? static_cast<UINT>(page) : 0;
            si.nPos = needed ? std::min<int>(pos, extent - page) : 0;
            SetScrollInfo(handle_, bar, &si, TRUE);
            int newPos = needed ? si.nPos : 0;
            if (newPos != pos) { // the range shrank under the position: move the children back
                int delta = pos - newPos;
                ScrollChildren(bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0);
            }
        };
        setBar(SB_HORZ, right, client.right, scrollPos_.x);
        GetClientRect(handle_, &client);
        setBar(SB_VERT, bottom, client.bottom, scrollPos_.y);
    }
    updatingScroll_ = false;
}

void TCustomForm::ScrollMessage(int bar, WORD code) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(handle_, bar, &si)) return;
    int pos = si.nPos;
    int page = static_cast<int>(si.nPage);
    switch (code) {
    case SB_LINEUP:
        pos -= kLineStep;
        break;
    case SB_LINEDOWN:
        pos += kLineStep;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = si.nTrackPos;
        break;
    case SB_TOP:
        pos = si.nMin;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    default:
        return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - std::max(page, 1) + 1));
    LONG& current = bar == SB_HORZ ? scrollPos_.x : scrollPos_.y;
    int delta = current - pos;
    if (!delta) return;
    SetScrollPos(handle_, bar, pos, TRUE);
    ScrollChildren(bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0);
}

// Moves the unaligned children by (dx, dy); the scroll position moves the other way.
void TCustomForm::ScrollChildren(int dx, int dy) {
    scrollPos_.x -= dx;
    scrollPos_.y -= dy;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Align() != TAlign::alNone) continue;
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    Invalidate();
}
