// Date-time picker and rich edit over their Windows controls.
//
// Contract:
//  - Window classes "TDateTimePicker" (SysDateTimePick32) and "TRichEdit" (the rich edit
//    control of riched20.dll, loaded once through the common-control classes).
//  - TDateTimePicker: DateTime is a day count from 1899-12-30 with the time as the fraction;
//    Date() is its whole days, Time() its fraction. Kind dtkTime shows the time with up-down
//    arrows (DateMode dmUpDown); Format, when not empty, is the control's display format.
//    The user's changes (DTN_DATETIMECHANGE) update the value and run OnChange.
//  - TRichEdit: Lines is the text, line by line, kept in step with the window both ways.
//    PlainText makes the control a plain-text one (it must be set before text is given).
#pragma once

#include "ui/classes/Strings.h"
#include "ui/core/Controls.h"

using TDateTime = double;
enum class TDateTimeKind { dtkDate, dtkTime };
enum class TDTDateMode { dmComboBox, dmUpDown };

// Day counts from 1899-12-30 and back; times outside the years 1601..30827 are clamped.
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);

class TDateTimePicker : public TWinControl {
    KV_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);
    TDateTime DateTime();
    void SetDateTime(TDateTime value);
    TDateTime Date();
    void SetDate(TDateTime value);
    TDateTime Time();
    void SetTime(TDateTime value);
    TDateTimeKind Kind() const { return kind_; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode mode);
    const std::string& Format() const { return format_; }
    void SetFormat(const std::string& format);
    // The up-down look: the time kind or the up-down date mode.
    bool ShowsUpDown() const { return kind_ == TDateTimeKind::dtkTime || dateMode_ == TDTDateMode::dmUpDown; }

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    TDateTime value_;
    TDateTimeKind kind_ = TDateTimeKind::dtkDate;
    TDTDateMode dateMode_ = TDTDateMode::dmComboBox;
    std::string format_;
};

class TRichEdit : public TWinControl {
    KV_CLASS(TRichEdit, TWinControl)
public:
    explicit TRichEdit(TComponent* owner);
    TStringList& Lines() { return lines_; }
    bool PlainText() const { return plainText_; }
    void SetPlainText(bool plain);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);

    TNotifyEvent OnChange;
    void SetOnChange(const TNotifyEvent& e) { OnChange = e; }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void WndProc(TMessage& message) override;

private:
    void WriteText();
    void ReadText();
    TStringList lines_;
    bool plainText_ = false;
    bool readOnly_ = false;
    bool wordWrap_ = true;
    bool syncing_ = false;
};
