// Standard controls over the system's BUTTON, EDIT, LISTBOX and STATIC windows.
//
// Contract:
//  - Each kind's window class is its T-name, a copy of the system class.
//  - TButton: a click (BN_CLICKED, reflected) runs Click(): OnClick, then the button's
//    ModalResult goes to its form.
//  - TEdit: Text() reads the window's text when it has one. OnKeyPress sees WM_CHAR and may set
//    the key to 0 to swallow it.
//  - TListBox: Items() is kept in the window once it exists; ItemIndex -1 means none.
//  - TLabel: a windowless text; accelerator "&x" focuses FocusControl.
#pragma once

#include "ui/classes/Strings.h"
#include "ui/core/Controls.h"

class TCustomForm;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

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

class TEdit : public TWinControl {
    KV_CLASS(TEdit, TWinControl)
public:
    explicit TEdit(TComponent* owner);
    std::string GetText();
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnChange;
    void SetOnKeyPress(const TKeyPressEvent& e) { OnKeyPress = e; }
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
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

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

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

void RegisterStandardControls();
