#include "ui/controls/ComCtrlsEdits.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComctlClasses.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>

KV_DEFINE_CLASS(TDateTimePicker, TWinControl, [](TPropertyBuilder<TDateTimePicker>& p) {
    p.Enum("Kind", {"dtkDate", "dtkTime"}, &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    p.Enum("DateMode", {"dmComboBox", "dmUpDown"}, &TDateTimePicker::DateMode,
           &TDateTimePicker::SetDateMode);
    p.String("Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat);
    p.Event<TNotifyEvent>("OnChange", &TDateTimePicker::SetOnChange);
})
KV_DEFINE_CLASS(TRichEdit, TWinControl, [](TPropertyBuilder<TRichEdit>& p) {
    p.Strings("Lines", &TRichEdit::Lines);
    p.Bool("PlainText", &TRichEdit::PlainText, &TRichEdit::SetPlainText);
    p.Bool("ReadOnly", &TRichEdit::ReadOnly, &TRichEdit::SetReadOnly);
    p.Bool("WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap);
    p.Event<TNotifyEvent>("OnChange", &TRichEdit::SetOnChange);
})

namespace {
// 1899-12-30 is day 0; FILETIME counts 100 ns from 1601-01-01, 109205 days earlier.
constexpr double kDaysFrom1601 = 109205.0;
constexpr double kTicksPerDay = 864000000000.0;

void RecreateWindow(TWinControl& control) {
    if (!control.HandleAllocated()) return;
    control.DestroyHandle();
    control.HandleNeeded();
}
} // namespace

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
    FILETIME file{};
    if (!SystemTimeToFileTime(&time, &file)) return 0;
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    return static_cast<double>(ticks.QuadPart) / kTicksPerDay - kDaysFrom1601;
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value) {
    // FILETIME reaches 30827-12-31; keep inside it.
    double days = std::clamp(value + kDaysFrom1601, 0.0, 10675199.0);
    ULARGE_INTEGER ticks{};
    // Rounded to the millisecond so that 0.5 days is 12:00:00.000, not 11:59:59.999.
    ticks.QuadPart = static_cast<ULONGLONG>(std::llround(days * 86400000.0)) * 10000ULL;
    FILETIME file{ticks.LowPart, ticks.HighPart};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// --- TDateTimePicker ----------------------------------------------------------------------------

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
    width_ = 186;
    height_ = 21;
    SYSTEMTIME now;
    GetLocalTime(&now);
    value_ = SystemTimeToDateTime(now);
}

void TDateTimePicker::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TDateTimePicker");
    p.style |= WS_TABSTOP;
    if (kind_ == TDateTimeKind::dtkTime)
        p.style |= DTS_TIMEFORMAT;
    else
        p.style |= DTS_SHORTDATEFORMAT | (dateMode_ == TDTDateMode::dmUpDown ? DTS_UPDOWN : 0);
}

void TDateTimePicker::HandleCreated() {
    if (!format_.empty())
        SendMessageW(handle_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(AnsiToWide(format_).c_str()));
    SYSTEMTIME time = DateTimeToSystemTime(value_);
    SendMessageW(handle_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

TDateTime TDateTimePicker::DateTime() {
    if (handle_) {
        SYSTEMTIME time{};
        if (SendMessageW(handle_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID)
            value_ = SystemTimeToDateTime(time);
    }
    return value_;
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    value_ = value;
    if (handle_) HandleCreated();
}

TDateTime TDateTimePicker::Date() {
    return std::floor(DateTime());
}

void TDateTimePicker::SetDate(TDateTime value) {
    double time = DateTime() - std::floor(value_);
    SetDateTime(std::floor(value) + time);
}

TDateTime TDateTimePicker::Time() {
    double all = DateTime();
    return all - std::floor(all);
}

void TDateTimePicker::SetTime(TDateTime value) {
    SetDateTime(std::floor(DateTime()) + (value - std::floor(value)));
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == kind_) return;
    DateTime();
    kind_ = kind;
    RecreateWindow(*this);
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (mode == dateMode_) return;
    DateTime();
    dateMode_ = mode;
    RecreateWindow(*this);
}

void TDateTimePicker::SetFormat(const std::string& format) {
    format_ = format;
    // An empty format gives the control its own again.
    if (handle_)
        SendMessageW(handle_, DTM_SETFORMATW, 0,
                     format_.empty() ? 0 : reinterpret_cast<LPARAM>(AnsiToWide(format_).c_str()));
}

void TDateTimePicker::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_NOTIFY && m.LParam &&
        reinterpret_cast<NMHDR*>(m.LParam)->code == DTN_DATETIMECHANGE) {
        auto* change = reinterpret_cast<NMDATETIMECHANGE*>(m.LParam);
        if (change->dwFlags == GDT_VALID) value_ = SystemTimeToDateTime(change->st);
        if (OnChange) OnChange(this);
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

// --- TRichEdit ----------------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 89;
    lines_.OnChange = [this](TObject*) { WriteText(); };
}

void TRichEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = ComctlSystemClass("TRichEdit");
    p.style |= WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
               ES_NOHIDESEL | (readOnly_ ? ES_READONLY : 0) |
               (wordWrap_ ? 0 : WS_HSCROLL | ES_AUTOHSCROLL);
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TRichEdit::HandleCreated() {
    if (plainText_) {
        // The mode can only change while the control has neither text nor undo history.
        SendMessageW(handle_, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(handle_, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    }
    SendMessageW(handle_, EM_SETEVENTMASK, 0, ENM_CHANGE);
    SendMessageW(handle_, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    WriteText();
}

void TRichEdit::WriteText() {
    if (!handle_ || syncing_) return;
    syncing_ = true;
    std::string text = lines_.Text();
    if (text.size() >= 2) text.resize(text.size() - 2); // no empty line after the last one
    SetWindowTextW(handle_, AnsiToWide(text).c_str());
    syncing_ = false;
}

void TRichEdit::ReadText() {
    if (!handle_ || syncing_) return;
    syncing_ = true;
    int n = GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(handle_, text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(n, 0)));
    lines_.SetText(WideToAnsi(text));
    syncing_ = false;
}

void TRichEdit::SetPlainText(bool plain) {
    if (plain == plainText_) return;
    plainText_ = plain;
    RecreateWindow(*this);
}

void TRichEdit::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (handle_) SendMessageW(handle_, EM_SETREADONLY, readOnly, 0);
}

void TRichEdit::SetWordWrap(bool wrap) {
    if (wrap == wordWrap_) return;
    wordWrap_ = wrap;
    RecreateWindow(*this);
}

void TRichEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        ReadText();
        if (OnChange) OnChange(this);
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}
