// TToolBar over the Windows toolbar, and its TToolButton children.
//
// Contract:
//  - The toolbar's window class is "TToolBar", a ToolbarWindow32. Its buttons are the
//    TToolButton children in child order; other child controls (a label, a combo box) sit in
//    the row after the last button, in child order, centred on the button height.
//  - AutoSize makes the height that of the button row plus the edges; ButtonHeight follows
//    the images (image height + 6, at least 22) until it is set.
//  - Hints: with ShowHint the tooltip of a button shows its Hint (its action's hint when
//    linked); the toolbar answers TTN_GETDISPINFO itself.
//  - A click (reflected WM_COMMAND) runs the button's Click(): its action when it has one,
//    else OnClick. Check buttons follow their pressed state first (Down).
//  - Images are borrowed: the toolbar never destroys the image list's handle and drops it
//    when the list goes away.
//  - Flat, Transparent, List and Wrapable change the window's style at once (the skin sets
//    "Flat" and "Transparent" by name).
#pragma once

#include "ui/core/Controls.h"
#include "ui/graphics/ImageList.h"

class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };

class TToolButton : public TGraphicControl {
    KV_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Down() const { return down_; }
    void SetDown(bool down);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool grouped);
    // The linked action (a TAction or any component), or nullptr.
    TComponent* Action() const { return action_; }
    void SetAction(TComponent* action);

    void SetParent(TWinControl* parent) override;
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Click() override;

    TToolBar* ToolBar() const;
    // The id of the button in the toolbar's window, 0 when not on a toolbar.
    int CommandId() const;
    // What the tooltip shows.
    std::string TipText() const;

protected:
    void TextChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;
    void Changed();
    void StateChanged();

    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    TComponent* action_ = nullptr;
};

class TToolBar : public TWinControl {
    KV_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool List() const { return list_; }
    void SetList(bool list);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool wrapable);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool show);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const;
    void SetButtonHeight(int height);
    unsigned EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(unsigned borders);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    TToolButton* ButtonById(int id) const;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolButton;
    void ButtonInserted(TToolButton& button);
    void ButtonRemoved(TToolButton& button);
    void RebuildButtons();
    void UpdateButtonState(TToolButton& button);
    void UpdateStyle();
    void PlaceOtherControls();
    void AdjustSize();
    bool AnswerTip(TMessage& message);
    int EdgeSize(TEdgeBorder edge) const { return (edgeBorders_ & edge) ? 2 : 0; }
    bool Rebuilding() const;

    std::vector<TToolButton*> buttons_;
    TImageList* images_ = nullptr;
    bool flat_ = false;
    bool transparent_ = false;
    bool list_ = false;
    bool wrapable_ = true;
    bool showCaptions_ = false;
    bool autoSize_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 0; // 0: from the images
    unsigned edgeBorders_ = ebTop;
    std::string tipText_;
    std::wstring tipTextWide_;
};
