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
//  - Action: a linked button shows the action's caption, hint, image, enabled, checked (as
//    Down) and visible state, and follows every later change of them. An image index given to
//    the button after linking (for an action without an image) is the button's own and stays.
//  - A click (reflected WM_COMMAND) runs the button's Click(): OnClick when it is set, else
//    the linked action. Check buttons take their new pressed state (Down) first.
//  - Images are borrowed: the toolbar never destroys the image list's handle and drops it
//    when the list goes away.
//  - Flat, Transparent, List and Wrapable change the window's style at once (the skin sets
//    "Flat" and "Transparent" by name).
#pragma once

#include "ui/actions/ActnList.h"
#include "ui/classes/ComponentLink.h"
#include "ui/core/Controls.h"
#include "ui/graphics/ImageList.h"

class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };

class TToolButton : public TGraphicControl, private TActionClient {
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
    TAction* Action() const { return link_.Action(); }
    void SetAction(TAction* action);

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

private:
    friend class TToolBar;
    void ActionChanged(const TAction& action) override;
    void Changed();
    void StateChanged();

    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    bool down_ = false;
    bool grouped_ = false;
    TActionLink link_{*this};
    int actionImage_ = -1;  // the action's image as last shown
    bool ownImage_ = false; // the layout gave the button an image before linking it
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
    TImageList* Images() const { return images_.Get(); }
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

private:
    void ImagesFreed();
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
    TComponentLink<TImageList> images_{[this] { ImagesFreed(); }};
    bool flat_ = false;
    bool transparent_ = false;
    bool list_ = false;
    bool wrapable_ = true;
    bool showCaptions_ = false;
    bool autoSize_ = false;
    int buttonWidth_ = 23;
    int buttonHeight_ = 0; // 0: from the images
    unsigned edgeBorders_ = ebTop;
    bool buttonPressed_ = false;
    std::string tipText_;
    std::wstring tipTextWide_;
};
