// Status bar, progress bar, track bar and up-down over their Windows controls.
//
// Contract:
//  - Window classes are the T-names ("TStatusBar", "TProgressBar", "TTrackBar", "TUpDown"),
//    each the real common control; values live in the object and are pushed into the window
//    whenever it exists, and read back from it after the user changed them.
//  - TStatusBar: its panels are TStatusPanel items (nested objects in a layout); the last panel
//    reaches the right edge. SimplePanel shows SimpleText alone. Aligned to the bottom unless
//    told otherwise; SizeGrip can be switched off at run time.
//  - TProgressBar: Position stays within Min..Max; StepIt adds Step and wraps to Min past Max
//    as the control does.
//  - TTrackBar: OnChange runs when the position changed, from the reflected scroll message or
//    from code; Min..Max bound Position.
//  - TUpDown: Associate is a borrowed control whose window becomes the buddy; it is dropped
//    when that control is freed. OnChanging may refuse a step (UDN_DELTAPOS); OnClick tells
//    which arrow moved the position.
#pragma once

#include "ui/classes/ComponentLink.h"
#include "ui/controls/ComCtrlsItems.h"
#include "ui/controls/StdCtrls.h" // TAlignment
#include "ui/core/Controls.h"

enum class TStatusPanelStyle { psText, psOwnerDraw };
enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };
enum class TOrientation { trHorizontal, trVertical };
enum class TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum class TTickStyle { tsNone, tsAuto, tsManual };
enum class TUDBtnType { btNext, btPrev };
enum class TUDOrientation { udVertical, udHorizontal };

using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TStatusPanel : public TComCtlItem {
    KV_CLASS(TStatusPanel, TComCtlItem)
public:
    explicit TStatusPanel(TComponent* owner);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TBiDiMode biDiMode_ = TBiDiMode::bdLeftToRight;
};

class TStatusBar : public TWinControl, private TItemHost {
    KV_CLASS(TStatusBar, TWinControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    int PanelCount() const { return panels_.Count(); }
    TStatusPanel* Panels(int index) const { return panels_[index]; }
    TStatusPanel* AddPanel(); // owned by the status bar
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool simple);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool grip);

    bool AddLoadedChild(TComponent& child) override;
    std::vector<TComponent*> LoadedChildren() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void ItemChanged(TComCtlItem& item) override;
    void ItemRemoved(TComCtlItem& item) override;
    void UpdatePanels();

    TItemList<TStatusPanel> panels_{*this};
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

class TProgressBar : public TWinControl {
    KV_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v);
    void StepIt();
    void StepBy(int delta);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation o);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool smooth);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;

private:
    int min_ = 0, max_ = 100, position_ = 0, step_ = 10;
    TOrientation orientation_ = TOrientation::trHorizontal;
    bool smooth_ = false;
};

class TTrackBar : public TWinControl {
    KV_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation o);
    TTickMark TickMarks() const { return tickMarks_; }
    void SetTickMarks(TTickMark t);
    TTickStyle TickStyle() const { return tickStyle_; }
    void SetTickStyle(TTickStyle t);

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void Changed();
    int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
    TOrientation orientation_ = TOrientation::trHorizontal;
    TTickMark tickMarks_ = TTickMark::tmBottomRight;
    TTickStyle tickStyle_ = TTickStyle::tsAuto;
};

class TUpDown : public TWinControl {
    KV_CLASS(TUpDown, TWinControl)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool wrap);
    TWinControl* Associate() const { return associate_.Get(); }
    void SetAssociate(TWinControl* control);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation o);

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    void SetOnClick(const TUDClickEvent& e) { OnClick = e; }
    void SetOnChanging(const TUDChangingEvent& e) { OnChanging = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void AssociateFreed();
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    bool wrap_ = false;
    TComponentLink<TWinControl> associate_{[this] { AssociateFreed(); }};
    TUDOrientation orientation_ = TUDOrientation::udVertical;
};
