// Panels, bevels, images and radio groups.
//
// Contract:
//  - TPanel: a container window of its own class ("TPanel"); Color fills it, BevelOuter and
//    BevelInner (each BevelWidth wide) frame it, and Caption is drawn on one line, vertically
//    centred, by Alignment. Windowless children paint on it.
//  - TBevel: windowless; draws Shape in the button shadow and highlight colours (Style says
//    which one is on top). bsSpacer draws nothing.
//  - TPicture holds at most one image: an icon or a bitmap (loading one empties the other).
//    TImage (windowless) draws it at its top-left corner, centred with Center, scaled to its
//    size with Stretch; Transparent leaves out the bitmap's transparent colour (its bottom-left
//    pixel). A click on the image runs OnClick.
//  - TRadioGroup: a group box whose radio buttons (TRadioButton children it owns and lays out
//    in Columns) are made from Items; ItemIndex is the checked one (-1: none). A click on a
//    button checks it, sets ItemIndex and runs OnClick. The buttons belong to the group, not to
//    the layout (LoadedChildren does not list them).
#pragma once

#include "ui/controls/StdCtrls.h"
#include "ui/graphics/Bitmap.h"
#include "ui/graphics/Icon.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TWinControl {
    KV_CLASS(TPanel, TWinControl)
public:
    explicit TPanel(TComponent* owner);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel b);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel b);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int w);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void WndProc(TMessage& message) override;
    void TextChanged() override { Invalidate(); }

private:
    void Paint(HDC dc);

    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    TAlignment alignment_ = taCenter;
};

enum TBevelShape {
    bsBox,
    bsFrame,
    bsTopLine,
    bsBottomLine,
    bsLeftLine,
    bsRightLine,
    bsSpacer
};
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
    KV_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape s);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle s);

protected:
    void Paint(HDC dc) override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

class TPicture : public TObject {
    KV_CLASS(TPicture, TObject)
public:
    TIcon& Icon() { return icon_; }
    TBitmap& Bitmap() { return bitmap_; }
    // Takes the icon (ownership) or copies the bitmap in; the other kind is emptied.
    void SetIcon(HICON icon);
    void SetBitmap(const TBitmap& bitmap);
    void Clear();
    bool HasIcon() const { return !icon_.Empty(); }
    bool HasBitmap() const { return !bitmap_.Empty(); }
    int Width() const;
    int Height() const;
    // A BMP file (Bitmap = { .. } or resource '..' in layouts).
    void ReadBitmap(TStream& stream);
    void WriteBitmap(TStream& stream) const;

    std::function<void()> OnChange;

private:
    void Changed();
    TIcon icon_;
    TBitmap bitmap_;
};

class TImage : public TGraphicControl {
    KV_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    TPicture& Picture() { return picture_; }
    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);

protected:
    void Paint(HDC dc) override;

private:
    void PictureChanged();
    RECT DestRect() const;

    TPicture picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

class TRadioGroup : public TGroupBox {
    KV_CLASS(TRadioGroup, TGroupBox)
public:
    explicit TRadioGroup(TComponent* owner);
    TStringList& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int n);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

    std::vector<TComponent*> LoadedChildren() const override { return {}; }
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Loaded() override;
    void FontChanged() override;
    void Notification(TComponent* c, TOperation op) override;

private:
    void MakeButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);

    TStringList items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};
