// Standard controls over the system's BUTTON, EDIT, LISTBOX, COMBOBOX and SCROLLBAR windows.
//
// Contract:
//  - Each kind's window class is its T-name, a copy of the system class.
//  - TMemo: Lines() is the window's text split at line breaks whenever the window exists
//    (read back from it on every use and before the window goes); changing Lines rewrites the
//    window. Changing WordWrap or ScrollBars on a live memo makes its window again.
//  - TComboBox: Items() kept in the window like a list box's; Text() is the edit text (the
//    selected item's text for csDropDownList); OnChange runs for typing and for a selection
//    the user makes. Height() is the closed height; DropDownCount items show when dropped.
//  - TCheckBox / TRadioButton: the framework keeps the check state (the windows are the
//    non-automatic styles). A user click cycles unchecked, checked (and grayed with
//    AllowGrayed) and runs OnClick; setting Checked or State from code does not click.
//    Checking a radio button unchecks its sibling radio buttons (same parent).
//  - TGroupBox: a container over the group box style; its windowless children paint on it.
//  - TScrollBar: Position stays within Min..Max; scrolling by the user moves it (SmallChange,
//    LargeChange) and runs OnChange; setting it from code runs OnChange when it changes.
//  - TButton: a click (BN_CLICKED, reflected) runs Click(): OnClick, then the button's
//    ModalResult goes to its form.
//  - TEdit: Text() reads the window's text when it has one. OnKeyPress sees WM_CHAR and may set
//    the key to 0 to swallow it.
//  - TListBox: Items() is kept in the window once it exists; ItemIndex -1 means none.
//  - TLabel: a windowless text; accelerator "&x" focuses FocusControl.
#pragma once

#include "ui/classes/Strings.h"
#include "ui/core/Controls.h"
#include "ui/graphics/Canvas.h"

class TCustomForm;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TButton : public TWinControl {
    KV_CLASS(TButton, TWinControl)
public:
    explicit TButton(TComponent* owner);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Default() const { return default_; }
    void SetDefault(bool d) { default_ = d; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool c) { cancel_ = c; }
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;
};

// What edit boxes and memos share.
class TCustomEdit : public TWinControl {
    KV_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);
    // The window's text when it has one.
    std::string GetText();
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnChange;
    void SetOnKeyPress(const TKeyPressEvent& e) { OnKeyPress = e; }
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    bool readOnly_ = false;
    int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
    KV_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}

protected:
    void CreateParams(TCreateParams& params) override;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
    KV_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);
    TStringList& Lines();
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void PullFromWindow();
    void PushToWindow();
    void RemakeWindow();

    TStringList lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    TAlignment alignment_ = taLeftJustify;
    bool syncing_ = false;
};

class TListBox : public TWinControl {
    KV_CLASS(TListBox, TWinControl)
public:
    explicit TListBox(TComponent* owner);
    TStringList& Items() { return items_; }
    int ItemIndex();
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool s) { items_.SetSorted(s); }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void FillWindow();
    TStringList items_;
    int itemIndex_ = -1;
    int itemHeight_ = 13;
};


class TLabel : public TGraphicControl {
    KV_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool w);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    // On (the default): the label takes the size of its text (keeping its width when it wraps
    // or is aligned across its parent); applied after loading and on text or font changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    // Off (the default): the label fills its rectangle with Color before the text.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool on);

protected:
    void Paint(HDC dc) override;
    void WndProc(TMessage& message) override;
    void TextChanged() override { AdjustBounds(); }
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;

private:
    UINT TextFormat() const;
    void AdjustBounds();

    TWinControl* focusControl_ = nullptr;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

enum TComboBoxStyle {
    csDropDown,
    csSimple,
    csDropDownList,
    csOwnerDrawFixed,
    csOwnerDrawVariable
};
// Owner-drawn items: the canvas is bound to the item's DC for the call.
using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const RECT& rect, UINT itemState)>;

class TComboBox : public TWinControl {
    KV_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);
    TStringList& Items() { return items_; }
    int ItemIndex();
    void SetItemIndex(int index);
    std::string GetText();
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle s);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int n);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    bool Sorted() const { return items_.Sorted(); }
    void SetSorted(bool s) { items_.SetSorted(s); }
    bool DroppedDown();
    void SetDroppedDown(bool down);
    TCanvas& Canvas() { return canvas_; }
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnChange;
    TDrawItemEvent OnDrawItem;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }
    void SetOnDrawItem(const TDrawItemEvent& e) { OnDrawItem = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;

private:
    void FillWindow();
    void RemakeWindow();
    int DroppedHeight() const;
    void DrawItem(const DRAWITEMSTRUCT& item);

    TStringList items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    TCanvas canvas_;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
    KV_CLASS(TCheckBox, TWinControl)
public:
    explicit TCheckBox(TComponent* owner);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool on) { SetState(on ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState s);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool on) { allowGrayed_ = on; }
    // taRightJustify (the default): the text right of the box; taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TWinControl {
    KV_CLASS(TRadioButton, TWinControl)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TGroupBox : public TWinControl {
    KV_CLASS(TGroupBox, TWinControl)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
    KV_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind k);
    int Min() const { return min_; }
    void SetMin(int v) { SetParams(position_, v, max_); }
    int Max() const { return max_; }
    void SetMax(int v) { SetParams(position_, min_, v); }
    int Position() const { return position_; }
    void SetPosition(int v) { SetParams(v, min_, max_); }
    void SetParams(int position, int min, int max);
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int v) { smallChange_ = v; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int v) { largeChange_ = v; }
    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void Scroll(int code, int trackPosition);
    void SyncWindow();

    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0;
    int smallChange_ = 1, largeChange_ = 1;
};

// Registers every framework control kind for layouts (standard, extended and button kinds).
void RegisterStandardControls();
