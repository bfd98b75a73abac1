// TTabSet: a row of tabs that hang below the pages above it, scrolled by a small arrow control.
//
// Contract:
//  - Window class "TTabSet" (the framework's own class, no system control). Tabs is a string
//    list; each tab is its text's width plus kTabSetTextPad wide, laid out from FirstIndex
//    starting StartMargin pixels from the left, up to EndMargin pixels from the right.
//  - TabIndex is the selected tab (-1: none) and stays within the tabs; FirstIndex is the first
//    tab in view and stays within 0..count-1 (0 with no tabs).
//  - The scroller is the first component the tab set owns: a horizontal TUpDown at the right
//    end, shown only while the tabs from the first one do not all fit (or FirstIndex > 0); its
//    arrows move FirstIndex by one tab. It belongs to the tab set, not to a layout.
//  - A press on a tab selects it: OnChange runs when TabIndex changed, then OnClick. Left and
//    right arrow keys, while focused, select the previous or next tab (OnChange only), scrolling
//    it into view. TabIndex set from code runs no event.
//  - Unskinned look: the tabs hang down from the top edge as trapezoids; the selected one is in
//    the control's colour and joined to the page above (no line over it), the others are in the
//    window colour.
#pragma once

#include "ui/classes/Strings.h"
#include "ui/controls/ComCtrlsBars.h"
#include "ui/core/Controls.h"

#include <vector>

// A tab is this much wider than its text.
constexpr int kTabSetTextPad = 9;

// One tab placed in the row: its index and its horizontal extent [left, right).
struct TTabSlot {
    int index;
    int left;
    int right;
};

// Places tabs of the given widths from `first`, starting at x = `start`, each only where it
// ends at or before `limit`. With `skipMisfits` a tab that does not fit is passed over and the
// next one tried; without, the row ends at the first tab that does not fit. An out-of-range
// `first` places nothing.
std::vector<TTabSlot> LayOutTabRow(const std::vector<int>& widths, int first, int start, int limit,
                                   bool skipMisfits);

class TTabSet : public TWinControl {
    KV_CLASS(TTabSet, TWinControl)
public:
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStringList& Tabs() { return tabs_; }
    const TStringList& Tabs() const { return tabs_; }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    int StartMargin() const { return startMargin_; }
    void SetStartMargin(int margin);
    int EndMargin() const { return endMargin_; }
    void SetEndMargin(int margin);

    TUpDown* Scroller() const { return scroller_; }
    bool ScrollerShown() const { return scroller_ && scroller_->Visible(); }
    // The widths of all tabs in the control's font.
    std::vector<int> TabWidths();
    // The tabs in view now, in client coordinates.
    std::vector<TTabSlot> VisibleTabs();
    // The tab at a client point, or -1.
    int TabAt(POINT client);

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

    void SetBounds(int left, int top, int width, int height) override;
    std::vector<TComponent*> LoadedChildren() const override { return {}; }
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;
    void Loaded() override;

private:
    void TabsChanged();
    void UpdateScroller();
    void PickByUser(int index, bool click);
    void Step(int delta);
    void Paint(HDC dc);
    void PaintTab(HDC dc, const TTabSlot& slot, int height);
    void Scrolled(const TMessage& m);

    TUpDown* scroller_ = nullptr; // owned as a component (first of them)
    TStringList tabs_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    int startMargin_ = 5;
    int endMargin_ = 5;
};
