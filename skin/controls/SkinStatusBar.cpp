#include "skin/controls/SkinStatusBar.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "ui/classes/Properties.h"
#include "ui/controls/ComCtrlsBars.h"

#include <commctrl.h>

#include <algorithm>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinStatusBar, TSkinControl)

namespace {

constexpr int kStatusFrames = 3;
constexpr int kExtraFrames = 5;
constexpr int kSizeGripFrame = 5;
// The control itself caps its parts at 255; a bar never shows more.
constexpr int kMaxParts = 255;
constexpr int kTextInset = 2;

UINT FrameworkAlign(const TStatusPanel& panel) {
    TAlignment align = panel.Alignment();
    if (panel.BiDiMode() == TBiDiMode::bdRightToLeft && align != taCenter)
        align = align == taLeftJustify ? taRightJustify : taLeftJustify;
    return align == taCenter ? DT_CENTER : align == taRightJustify ? DT_RIGHT : DT_LEFT;
}

PanelBevel FrameworkBevel(TStatusPanelBevel bevel) {
    switch (bevel) {
    case TStatusPanelBevel::pbNone:
        return pbNoFrame;
    case TStatusPanelBevel::pbRaised:
        return pbRaisedFrame;
    default:
        return pbLoweredFrame;
    }
}

PanelBevel TypeBevel(UINT type) {
    if (type & SBT_NOBORDERS) return pbNoFrame;
    if (type & SBT_POPOUT) return pbRaisedFrame;
    return pbLoweredFrame;
}

// A part's text with its leading tabs taken off as the alignment they stand for.
void SplitTabs(std::wstring text, StatusPanelLook& panel) {
    size_t tabs = 0;
    while (tabs < text.size() && tabs < 2 && text[tabs] == L'\t') ++tabs;
    panel.align = tabs == 2 ? DT_RIGHT : tabs == 1 ? DT_CENTER : DT_LEFT;
    panel.text = text.substr(tabs);
}

// The part's text and its type word (SBT_*), read through the control.
std::wstring PartText(HWND bar, int part, UINT& type) {
    const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(part), 0);
    type = HIWORD(info);
    std::wstring text(LOWORD(info) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace

bool TSkinStatusBar::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        HandlePaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

std::vector<StatusPanelLook> TSkinStatusBar::ReadPanels(const RECT& rect) const {
    std::vector<StatusPanelLook> panels;
    const auto* bar = dynamic_cast<const TStatusBar*>(FControl);
    const bool simple = SendMessageW(FHandle, SB_ISSIMPLE, 0, 0) != 0;
    const int parts = int(SendMessageW(FHandle, SB_GETPARTS, 0, 0));
    if (simple || parts <= 0 || (bar && bar->PanelCount() == 0)) {
        StatusPanelLook all;
        all.rect = rect;
        if (bar) {
            all.text = AnsiToWide(bar->SimpleText());
        } else {
            UINT type = 0;
            all.text = PartText(FHandle, SB_SIMPLEID, type);
        }
        panels.push_back(std::move(all));
        return panels;
    }
    if (bar)
        ReadFrameworkPanels(panels);
    else
        ReadWindowParts(panels, parts);
    if (!panels.empty()) panels.back().rect.right = rect.right;
    return panels;
}

void TSkinStatusBar::ReadFrameworkPanels(std::vector<StatusPanelLook>& panels) const {
    const auto* bar = static_cast<const TStatusBar*>(FControl);
    const int count = std::min(bar->PanelCount(), kMaxParts);
    for (int i = 0; i < count; ++i) {
        StatusPanelLook look;
        if (!SendMessageW(FHandle, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&look.rect)))
            break;
        const TStatusPanel& panel = *bar->Panels(i);
        look.align = FrameworkAlign(panel);
        look.bevel = FrameworkBevel(panel.Bevel());
        look.text = AnsiToWide(panel.Text());
        panels.push_back(std::move(look));
    }
}

void TSkinStatusBar::ReadWindowParts(std::vector<StatusPanelLook>& panels, int parts) const {
    const int count = std::min(parts, kMaxParts);
    for (int i = 0; i < count; ++i) {
        StatusPanelLook look;
        if (!SendMessageW(FHandle, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&look.rect)))
            break;
        UINT type = 0;
        SplitTabs(PartText(FHandle, i, type), look);
        look.bevel = TypeBevel(type);
        panels.push_back(std::move(look));
    }
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || Inverted(rect)) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (!StartFace(face_, dc, w, h, FaceColour())) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(face_.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(face_.Dc(), skin->StatusBarEdges ? ResolveColour(skin->StatusBarEdges->NormalColour2)
                                                  : ResolveColour(skin->ButtonTextColour));
    lastPanels_ = ReadPanels(RECT{0, 0, w, h});
    const bool skinned = skin->StatusBarEdges && !skin->StatusBarEdges->Bitmap.Empty();
    for (const StatusPanelLook& panel : lastPanels_) {
        if (skinned)
            DrawPanelSkin(panel);
        else
            DrawPanelPlain(panel);
    }
    DrawSizeGrip(RECT{0, 0, w, h});
    BitBlt(dc, rect.left, rect.top, w, h, face_.Dc(), 0, 0, SRCCOPY);
}

void TSkinStatusBar::DrawPanelSkin(const StatusPanelLook& panel) {
    if (Inverted(panel.rect)) return;
    const RECT& r = panel.rect;
    DrawStateFrame(face_.View(), PixelRect{r.left, r.top, r.right, r.bottom}, kStatusFrames,
                   panel.bevel, *Skin()->StatusBarEdges);
    const RECT text{r.left + kTextInset, r.top, r.right - kTextInset, r.bottom};
    DrawCaptionText(face_.Dc(), text, panel.align, true, panel.text.empty() ? L" " : panel.text);
}

void TSkinStatusBar::DrawPanelPlain(const StatusPanelLook& panel) {
    if (Inverted(panel.rect)) return;
    RECT r = panel.rect;
    if (panel.bevel != pbNoFrame) {
        const UINT edge = panel.bevel == pbLoweredFrame ? BDR_SUNKENOUTER : BDR_RAISEDINNER;
        DrawEdge(face_.Dc(), &r, edge, BF_RECT | BF_ADJUST);
    }
    const RECT text{r.left + kTextInset, r.top, r.right - kTextInset, r.bottom};
    DrawCaptionText(face_.Dc(), text, panel.align, true, panel.text.empty() ? L" " : panel.text);
}

void TSkinStatusBar::DrawSizeGrip(const RECT& rect) {
    const TSkinDefinition& skin = *Skin();
    if (!(GetWindowLongPtrW(FHandle, GWL_STYLE) & SBARS_SIZEGRIP)) return;
    if (!skin.ExtraImages || skin.ExtraImages->Bitmap.Empty()) return;
    const PixelBuffer& image = skin.ExtraImages->Bitmap;
    const int fw = image.Width() / kExtraFrames, fh = image.Height();
    if (fw <= 0) return;
    const PixelRect grip{rect.right - 1 - fw, rect.bottom - 1 - fh, rect.right - 1,
                         rect.bottom - 1};
    DrawKeyedFrame(face_.View(), grip, image, kExtraFrames, kSizeGripFrame);
}

} // namespace kv
