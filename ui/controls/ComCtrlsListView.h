// TListView over the Windows list view.
//
// Contract:
//  - Window class "TListView" (SysListView32). Columns are TListColumn items and rows are
//    TListItem items (nested objects in a layout; AddColumn / AddItem in code), in order.
//  - An item's Caption, SubItems and ImageIndex are kept in the object and in the window;
//    changing them updates the row.
//  - Image lists are borrowed (the window shares them and never destroys them); they are
//    dropped when the list goes away.
//  - ItemIndex / Selected read the window's selection; -1 / nullptr when nothing is selected.
//    Setting it selects that row alone.
#pragma once

#include "ui/classes/ComponentLink.h"
#include "ui/classes/Strings.h"
#include "ui/controls/ComCtrlsBars.h"
#include "ui/controls/ComCtrlsItems.h"
#include "ui/graphics/ImageList.h"

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TComCtlItem {
    KV_CLASS(TListColumn, TComCtlItem)
public:
    explicit TListColumn(TComponent* owner) : TComCtlItem(owner) {}
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
};

class TListItem : public TComCtlItem {
    KV_CLASS(TListItem, TComCtlItem)
public:
    explicit TListItem(TComponent* owner);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TStringList& SubItems() { return subItems_; }
    const TStringList& SubItems() const { return subItems_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);

private:
    std::string caption_;
    TStringList subItems_;
    int imageIndex_ = -1;
};

class TListView : public TWinControl, private TItemHost {
    KV_CLASS(TListView, TWinControl)
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool rowSelect);
    TImageList* SmallImages() const { return smallImages_.Get(); }
    void SetSmallImages(TImageList* images);
    TImageList* LargeImages() const { return largeImages_.Get(); }
    void SetLargeImages(TImageList* images);

    int ColumnCount() const { return columns_.Count(); }
    TListColumn* Columns(int index) const { return columns_[index]; }
    TListColumn* AddColumn(const std::string& caption, int width);
    int ItemCount() const { return items_.Count(); }
    TListItem* Items(int index) const { return items_[index]; }
    TListItem* AddItem(const std::string& caption);
    int IndexOf(const TListItem* item) const { return items_.IndexOf(item); }
    void ClearItems();

    int ItemIndex();
    void SetItemIndex(int index);
    TListItem* Selected();
    void SetSelected(TListItem* item);

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void ItemChanged(TComCtlItem& item) override;
    void ItemRemoved(TComCtlItem& item) override;
    void FillWindow();
    void WriteColumns();
    void WriteItem(int row, bool insert);
    void UpdateStyle();
    void UpdateImages();
    void SetImageList(TComponentLink<TImageList>& field, TImageList* images);

    TItemList<TListColumn> columns_{*this};
    TItemList<TListItem> items_{*this};
    TViewStyle viewStyle_ = TViewStyle::vsIcon;
    bool readOnly_ = false;
    bool rowSelect_ = false;
    int itemIndex_ = -1;
    TComponentLink<TImageList> smallImages_{[this] { UpdateImages(); }};
    TComponentLink<TImageList> largeImages_{[this] { UpdateImages(); }};
};
