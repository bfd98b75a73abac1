// Tab and page controls and the header control, over the Windows tab and header controls.
//
// Contract:
//  - Window classes "TPageControl", "TTabControl" (both SysTabControl32) and "THeaderControl"
//    (SysHeader32).
//  - TPageControl: its TTabSheet children are its pages, in child order; each visible sheet
//    (TabVisible) has a tab with its Caption. Only the active sheet is shown, filling the page
//    area. Clicking a tab (reflected TCN_SELCHANGING / TCN_SELCHANGE) asks OnChanging, then
//    activates the sheet and runs OnChange; changing ActivePage in code runs neither.
//  - TTabControl: one tab per line of Tabs; TabIndex -1 means none.
//  - THeaderControl: its THeaderSection items (nested objects in a layout) in order.
#pragma once

#include "ui/classes/ComponentLink.h"
#include "ui/classes/Strings.h"
#include "ui/controls/ComCtrlsBars.h"
#include "ui/controls/ComCtrlsItems.h"
#include "ui/graphics/ImageList.h"

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl;

class TTabSheet : public TWinControl {
    KV_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* control);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int PageIndex() const;
    // Its tab's index, -1 while the tab is hidden or the sheet is on no page control.
    int TabIndex() const;

    void SetParent(TWinControl* parent) override;

protected:
    void TextChanged() override;

private:
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

class TPageControl : public TWinControl {
    KV_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The selected tab: the index among the visible tabs.
    int TabIndex() const;
    TImageList* Images() const { return images_.Get(); }
    void SetImages(TImageList* images);
    // The next (or previous) visible tab, chosen as a click would choose it: OnChanging may
    // refuse, OnChange follows. Ctrl+Tab and Ctrl+Shift+Tab inside the control call it.
    void SelectNextPage(bool forward);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetOnChanging(const TTabChangingEvent& e) { OnChanging = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

private:
    void ImagesFreed();
    friend class TTabSheet;
    void PageInserted(TTabSheet& page);
    void PageRemoved(TTabSheet& page);
    void UpdateTabs();
    void ShowActivePage();
    TTabSheet* SheetOfTab(int tab) const;

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    TComponentLink<TImageList> images_{[this] { ImagesFreed(); }};
    bool loadedActive_ = false;
};

class TTabControl : public TWinControl {
    KV_CLASS(TTabControl, TWinControl)
public:
    explicit TTabControl(TComponent* owner);
    TStringList& Tabs() { return tabs_; }
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);
    // The page area inside the tabs, in client coordinates.
    RECT DisplayRect();

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetOnChanging(const TTabChangingEvent& e) { OnChanging = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void UpdateTabs();
    TStringList tabs_;
    int tabIndex_ = -1;
};

class THeaderSection : public TComCtlItem {
    KV_CLASS(THeaderSection, TComCtlItem)
public:
    explicit THeaderSection(TComponent* owner) : TComCtlItem(owner) {}
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

private:
    friend class THeaderControl;
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class THeaderControl : public TWinControl, private TItemHost {
    KV_CLASS(THeaderControl, TWinControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;
    int SectionCount() const { return sections_.Count(); }
    THeaderSection* Sections(int index) const { return sections_[index]; }
    THeaderSection* AddSection(const std::string& text, int width);

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void ItemChanged(TComCtlItem& item) override;
    void ItemRemoved(TComCtlItem& item) override;
    void UpdateSections();
    TItemList<THeaderSection> sections_{*this};
};
