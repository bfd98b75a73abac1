#include "ui/controls/ComCtrlsBars.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>

#include <algorithm>

namespace {
const std::vector<std::string> kAlignments = {"taLeftJustify", "taRightJustify", "taCenter"};
const std::vector<std::string> kOrientations = {"trHorizontal", "trVertical"};

// Styles a common control reads only when its window is made: remake the window.
void RecreateWindow(TWinControl& control) {
    if (!control.HandleAllocated()) return;
    control.DestroyHandle();
    control.HandleNeeded();
}
} // namespace

KV_DEFINE_CLASS(TStatusPanel, TComCtlItem, [](TPropertyBuilder<TStatusPanel>& p) {
    p.String("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
    p.Enum("Alignment", kAlignments, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment);
    p.Enum("Style", {"psText", "psOwnerDraw"}, &TStatusPanel::Style, &TStatusPanel::SetStyle);
    p.Enum("Bevel", {"pbNone", "pbLowered", "pbRaised"}, &TStatusPanel::Bevel,
           &TStatusPanel::SetBevel);
    p.Enum("BiDiMode", {"bdLeftToRight", "bdRightToLeft"}, &TStatusPanel::BiDiMode,
           &TStatusPanel::SetBiDiMode);
})
KV_DEFINE_PLAIN_CLASS(TComCtlItem, TComponent)
KV_DEFINE_CLASS(TStatusBar, TWinControl, [](TPropertyBuilder<TStatusBar>& p) {
    p.Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel);
    p.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    p.Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
})
KV_DEFINE_CLASS(TProgressBar, TWinControl, [](TPropertyBuilder<TProgressBar>& p) {
    p.Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin);
    p.Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax);
    p.Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
    p.Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep);
    p.Enum("Orientation", {"pbHorizontal", "pbVertical"}, &TProgressBar::Orientation,
           &TProgressBar::SetOrientation);
    p.Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
})
KV_DEFINE_CLASS(TTrackBar, TWinControl, [](TPropertyBuilder<TTrackBar>& p) {
    p.Integer("Min", &TTrackBar::Min, &TTrackBar::SetMin);
    p.Integer("Max", &TTrackBar::Max, &TTrackBar::SetMax);
    p.Integer("Position", &TTrackBar::Position, &TTrackBar::SetPosition);
    p.Integer("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency);
    p.Enum("Orientation", kOrientations, &TTrackBar::Orientation, &TTrackBar::SetOrientation);
    p.Enum("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &TTrackBar::TickMarks,
           &TTrackBar::SetTickMarks);
    p.Enum("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &TTrackBar::TickStyle,
           &TTrackBar::SetTickStyle);
    p.Event<TNotifyEvent>("OnChange", &TTrackBar::SetOnChange);
})
KV_DEFINE_CLASS(TUpDown, TWinControl, [](TPropertyBuilder<TUpDown>& p) {
    p.Integer("Min", &TUpDown::Min, &TUpDown::SetMin);
    p.Integer("Max", &TUpDown::Max, &TUpDown::SetMax);
    p.Integer("Position", &TUpDown::Position, &TUpDown::SetPosition);
    p.Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement);
    p.Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap);
    p.Component<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
    p.Enum("Orientation", {"udVertical", "udHorizontal"}, &TUpDown::Orientation,
           &TUpDown::SetOrientation);
    p.Event<TUDClickEvent>("OnClick", &TUpDown::SetOnClick);
    p.Event<TUDChangingEvent>("OnChanging", &TUpDown::SetOnChanging);
})

// --- TStatusPanel -------------------------------------------------------------------------------

TStatusPanel::TStatusPanel(TComponent* owner) : TComCtlItem(owner) {}

void TStatusPanel::SetText(const std::string& text) {
    text_ = text;
    Changed();
}
void TStatusPanel::SetWidth(int width) {
    width_ = std::max(width, 0);
    Changed();
}
void TStatusPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Changed();
}
void TStatusPanel::SetStyle(TStatusPanelStyle style) {
    style_ = style;
    Changed();
}
void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    bevel_ = bevel;
    Changed();
}
void TStatusPanel::SetBiDiMode(TBiDiMode mode) {
    biDiMode_ = mode;
    Changed();
}

// --- TStatusBar ---------------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
    width_ = 200;
    height_ = 19;
    SetAlign(TAlign::alBottom);
}

TStatusBar::~TStatusBar() {
    SetDestroying();
}

TStatusPanel* TStatusBar::AddPanel() {
    auto* panel = new TStatusPanel(this);
    panels_.Append(panel);
    UpdatePanels();
    return panel;
}

bool TStatusBar::AddLoadedChild(TComponent& child) {
    auto* panel = dynamic_cast<TStatusPanel*>(&child);
    if (!panel) return TWinControl::AddLoadedChild(child);
    panels_.Append(panel);
    return true;
}

std::vector<TComponent*> TStatusBar::LoadedChildren() const {
    std::vector<TComponent*> children(panels_.begin(), panels_.end());
    for (TComponent* c : TWinControl::LoadedChildren()) children.push_back(c);
    return children;
}

void TStatusBar::ItemChanged(TComCtlItem&) {
    UpdatePanels();
}

void TStatusBar::ItemRemoved(TComCtlItem& item) {
    panels_.Remove(item);
    if (!IsDestroying()) UpdatePanels();
}

void TStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TStatusBar");
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | (sizeGrip_ ? SBARS_SIZEGRIP : 0);
}

void TStatusBar::HandleCreated() {
    UpdatePanels();
}

void TStatusBar::UpdatePanels() {
    if (!handle_) return;
    SendMessageW(handle_, SB_SIMPLE, simplePanel_ || panels_.Count() == 0, 0);
    SendMessageW(handle_, SB_SETTEXTW, SB_SIMPLEID | SBT_NOBORDERS,
                 reinterpret_cast<LPARAM>(AnsiToWide(simpleText_).c_str()));
    if (panels_.Count() == 0) return;
    std::vector<int> edges;
    int right = 0;
    for (TStatusPanel* panel : panels_) edges.push_back(right += panel->Width());
    edges.back() = -1; // the last panel reaches the right edge
    SendMessageW(handle_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < panels_.Count(); ++i) {
        TStatusPanel& panel = *panels_[i];
        // The control aligns text after one tab to the centre, after two to the right.
        TAlignment align = panel.Alignment();
        if (panel.BiDiMode() == TBiDiMode::bdRightToLeft && align != taCenter)
            align = align == taLeftJustify ? taRightJustify
                                                        : taLeftJustify;
        std::wstring text = AnsiToWide(panel.Text());
        if (align == taCenter) text = L"\t" + text;
        if (align == taRightJustify) text = L"\t\t" + text;
        WPARAM type = static_cast<WPARAM>(i);
        if (panel.Bevel() == TStatusPanelBevel::pbNone) type |= SBT_NOBORDERS;
        if (panel.Bevel() == TStatusPanelBevel::pbRaised) type |= SBT_POPOUT;
        if (panel.BiDiMode() == TBiDiMode::bdRightToLeft) type |= SBT_RTLREADING;
        if (panel.Style() == TStatusPanelStyle::psOwnerDraw) type |= SBT_OWNERDRAW;
        SendMessageW(handle_, SB_SETTEXTW, type, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TStatusBar::SetSimplePanel(bool simple) {
    simplePanel_ = simple;
    UpdatePanels();
}

void TStatusBar::SetSimpleText(const std::string& text) {
    simpleText_ = text;
    UpdatePanels();
}

void TStatusBar::SetSizeGrip(bool grip) {
    if (grip == sizeGrip_) return;
    sizeGrip_ = grip;
    RecreateWindow(*this);
}

void TStatusBar::WndProc(TMessage& m) {
    // The control would otherwise move itself to the bottom of its parent on every size.
    if (m.Msg == WM_SIZE) {
        TWinControl::WndProc(m);
        UpdatePanels();
        return;
    }
    TWinControl::WndProc(m);
}

// --- TProgressBar -------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 16;
}

void TProgressBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TProgressBar");
    if (orientation_ == TOrientation::trVertical) p.style |= PBS_VERTICAL;
    if (smooth_) p.style |= PBS_SMOOTH;
}

void TProgressBar::HandleCreated() {
    SendMessageW(handle_, PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle_, PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
    SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, max_);
    if (handle_) HandleCreated();
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    position_ = std::clamp(position_, min_, max_);
    if (handle_) HandleCreated();
}

void TProgressBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, max_);
    if (handle_) SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SetStep(int v) {
    step_ = v;
    if (handle_) SendMessageW(handle_, PBM_SETSTEP, static_cast<WPARAM>(v), 0);
}

void TProgressBar::StepIt() {
    // Past the end the control starts again from the beginning.
    int next = Position() + step_;
    if (next > max_ && max_ > min_) next = (next - min_) % (max_ - min_) + min_;
    SetPosition(next);
}

void TProgressBar::StepBy(int delta) {
    SetPosition(Position() + delta);
}

void TProgressBar::SetOrientation(TOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    RecreateWindow(*this);
}

void TProgressBar::SetSmooth(bool smooth) {
    if (smooth == smooth_) return;
    smooth_ = smooth;
    RecreateWindow(*this);
}

// --- TTrackBar ----------------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    width_ = 150;
    height_ = 45;
}

void TTrackBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TTrackBar");
    p.style |= WS_TABSTOP;
    if (orientation_ == TOrientation::trVertical) p.style |= TBS_VERT;
    if (tickMarks_ == TTickMark::tmTopLeft) p.style |= TBS_TOP;
    if (tickMarks_ == TTickMark::tmBoth) p.style |= TBS_BOTH;
    if (tickStyle_ == TTickStyle::tsNone) p.style |= TBS_NOTICKS;
    if (tickStyle_ == TTickStyle::tsAuto) p.style |= TBS_AUTOTICKS;
}

void TTrackBar::HandleCreated() {
    SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(handle_, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(handle_, TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Changed() {
    if (OnChange && !IsLoading()) OnChange(this);
}

void TTrackBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    if (handle_) HandleCreated();
    if (position_ < min_) SetPosition(min_);
}

void TTrackBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    if (handle_) HandleCreated();
    if (position_ > max_) SetPosition(max_);
}

void TTrackBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (handle_) SendMessageW(handle_, TBM_SETPOS, TRUE, v);
    if (v == position_) return;
    position_ = v;
    Changed();
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = std::max(v, 1);
    if (handle_) SendMessageW(handle_, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
}

void TTrackBar::SetOrientation(TOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    std::swap(width_, height_);
    RecreateWindow(*this);
}

void TTrackBar::SetTickMarks(TTickMark t) {
    if (t == tickMarks_) return;
    tickMarks_ = t;
    RecreateWindow(*this);
}

void TTrackBar::SetTickStyle(TTickStyle t) {
    if (t == tickStyle_) return;
    tickStyle_ = t;
    RecreateWindow(*this);
}

void TTrackBar::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_HSCROLL || m.Msg == CN_BASE + WM_VSCROLL) {
        int now = static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
        if (now != position_) {
            position_ = now;
            Changed();
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

// --- TUpDown ------------------------------------------------------------------------------------

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
    width_ = 17;
    height_ = 25;
}

TUpDown::~TUpDown() {
    SetDestroying();
    SetAssociate(nullptr);
}

void TUpDown::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TUpDown");
    p.style |= UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS;
    if (associate_) p.style |= UDS_ALIGNRIGHT;
    if (wrap_) p.style |= UDS_WRAP;
    if (orientation_ == TUDOrientation::udHorizontal) p.style |= UDS_HORZ;
}

void TUpDown::HandleCreated() {
    SendMessageW(handle_, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(handle_, UDM_SETPOS32, 0, position_);
    UDACCEL accel{0, static_cast<UINT>(std::max(increment_, 1))};
    SendMessageW(handle_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (!associate_) return;
    SendMessageW(handle_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(handle_, UDM_SETPOS32, 0, position_); // writes the number into the buddy
}

void TUpDown::SetMin(int v) {
    min_ = v;
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    if (handle_) HandleCreated();
}

void TUpDown::SetMax(int v) {
    max_ = v;
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    if (handle_) HandleCreated();
}

void TUpDown::SetPosition(int v) {
    position_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
    if (handle_) SendMessageW(handle_, UDM_SETPOS32, 0, position_);
}

void TUpDown::SetIncrement(int v) {
    increment_ = v;
    if (handle_) HandleCreated();
}

void TUpDown::SetWrap(bool wrap) {
    if (wrap == wrap_) return;
    wrap_ = wrap;
    RecreateWindow(*this);
}

void TUpDown::SetOrientation(TUDOrientation o) {
    if (o == orientation_) return;
    orientation_ = o;
    RecreateWindow(*this);
}

void TUpDown::SetAssociate(TWinControl* control) {
    if (control == associate_.Get()) return;
    if (associate_ && handle_) SendMessageW(handle_, UDM_SETBUDDY, 0, 0);
    associate_.Set(control);
    if (!IsDestroying()) RecreateWindow(*this);
}

void TUpDown::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == UDN_DELTAPOS) {
            bool allow = true;
            if (OnChanging) OnChanging(this, allow);
            m.Result = allow ? 0 : 1;
            return;
        }
    }
    if (m.Msg == CN_BASE + WM_VSCROLL || m.Msg == CN_BASE + WM_HSCROLL) {
        if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
            int old = position_;
            BOOL failed = FALSE;
            int now = static_cast<int>(
                SendMessageW(handle_, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
            // The failure flag speaks of reading the buddy's text; an up-down without a buddy
            // (Wine raises the flag then) keeps its own position, which is valid.
            if (!failed || !associate_) position_ = now;
            if (OnClick && position_ != old)
                OnClick(this, position_ > old ? TUDBtnType::btNext : TUDBtnType::btPrev);
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

// The buddy is going away: the window must let go of it now.
void TUpDown::AssociateFreed() {
    if (handle_) SendMessageW(handle_, UDM_SETBUDDY, 0, 0);
}
