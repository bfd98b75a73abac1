// The application's hint: the hint of the control under the mouse, and the tooltip of a
// control that shows its hint.
#include "ui/forms/Forms.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kToolId = 1;

// The innermost framework control under a mouse message: a windowed control, or one of its
// windowless children at the point.
TControl* ControlUnderMouse(const MSG& msg) {
    TWinControl* windowed = nullptr;
    for (HWND w = msg.hwnd; w && !windowed; w = GetParent(w)) windowed = TWinControl::FromHandle(w);
    if (!windowed) return nullptr;
    if (windowed->Handle() != msg.hwnd) return windowed;
    POINT at{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    for (int i = windowed->ControlCount() - 1; i >= 0; --i) {
        TControl* c = windowed->Controls(i);
        if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
        if (at.x >= c->Left() && at.x < c->Left() + c->Width() && at.y >= c->Top() &&
            at.y < c->Top() + c->Height())
            return c;
    }
    return windowed;
}

// A control without a hint of its own shows its container's.
const std::string& HintOf(TControl* control) {
    static const std::string none;
    for (TControl* c = control; c; c = c->Parent())
        if (!c->Hint().empty()) return c->Hint();
    return none;
}
} // namespace

std::string GetShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

std::string GetLongHint(const std::string& hint) {
    size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TApplication::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    if (OnHint) OnHint(this);
}

void TApplication::HintMouseMessage(const MSG& msg) {
    if (msg.message != WM_MOUSEMOVE) return;
    TControl* control = ControlUnderMouse(msg);
    if (control == hintControl_) return;
    if (hintControl_) hintControl_->RemoveFreeNotification(this);
    hintControl_ = control;
    if (control) control->FreeNotification(this); // forgotten when it goes away
    SetHint(GetLongHint(HintOf(control)));
    ShowTooltipFor(control);
}

// One tooltip window, with one tool: the control under the mouse, when it shows its hint. The
// tooltip watches the tool's window itself (TTF_SUBCLASS) and pops up after its delay.
void TApplication::ShowTooltipFor(TControl* control) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uId = kToolId;
    if (tooltip_ && tooltipTool_) {
        tool.hwnd = tooltipTool_;
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        tooltipTool_ = nullptr;
    }
    if (!control || !control->ShowHint()) return;
    std::wstring text = AnsiToWide(GetShortHint(HintOf(control)));
    if (text.empty()) return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* host = windowed ? windowed : control->Parent();
    if (!host || !host->HandleAllocated()) return;
    if (!tooltip_) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&init);
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_) return;
    }
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = host->Handle();
    if (windowed)
        GetClientRect(tool.hwnd, &tool.rect);
    else
        tool.rect = {control->Left(), control->Top(), control->Left() + control->Width(),
                     control->Top() + control->Height()};
    tool.lpszText = text.data(); // copied by the tooltip
    if (SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        tooltipTool_ = tool.hwnd;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == hintControl_) hintControl_ = nullptr;
}
