#pragma once
// TSkinEdit: a bordered edit box gets a flat two-line border (the skin's ButtonShadowColour
// outside, white inside) over its own, and a spin button inside it gets a TSkinUpDown.
//
// Contract
// - The border is drawn after the edit's own painting and non-client painting; an edit
//   without a border (client as large as the window) keeps its own look.
// - A WM_PAINT that carries a DC is not bordered; WM_PRINT borders the DC it is given with the
//   DC's current brush inside (borrowed: never deleted nor left changed).
// - The spin button is searched among the edit's child windows at each paint until found and
//   then skinned once (inset by a pixel); its skin belongs to the edit skin's owner and sits in
//   the form skin's list. The edit skin forgets it when it is freed first.
#include "skin/controls/SkinControl.h"

namespace kv {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    KV_CLASS(TSkinEdit, TSkinControl)
public:
    explicit TSkinEdit(TComponent* owner) : TSkinControl(owner) {}

    void AfterDefault(TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

    TSkinUpDown* UpDown() const { return FUpDown; }
    // Diagnostics for tests: borders drawn so far (screen and print).
    int Borders() const { return borders_; }

private:
    void FindUpDown();
    void PrintFrame(HDC dc);
    void DrawPrintFrame(HDC dc, const RECT& rect);
    bool HasBorder(const RECT& rect, int slack) const;

    TSkinUpDown* FUpDown = nullptr;
    int borders_ = 0;
};

} // namespace kv
