// A framework form skinned by the manager: attaching on activation, the non-client messages,
// the frame's pixels and region read back, unskinning and skinning again.
#include "SkinFixture.h"

#include "skin/form/logic/FrameCompose.h"

#include <algorithm>
#include <memory>

namespace kv::test {
namespace {

SIZE ClientSize(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right, r.bottom};
}

RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Records which messages reach the form's own message method (behind the skin).
// The messages a form's WindowProc chain passes to the layer below the skin. The form outlives
// the test body (it goes in TearDown), so the record is shared with the layer, not borrowed.
struct Recorder {
    std::shared_ptr<std::vector<UINT>> seen = std::make_shared<std::vector<UINT>>();
    int Count(UINT msg) const { return int(std::count(seen->begin(), seen->end(), msg)); }
    void Clear() { seen->clear(); }
};

void Record(TForm* form, const Recorder& recorder) {
    TWndMethod inner = form->WindowProc;
    form->WindowProc = [inner, seen = recorder.seen](TMessage& m) {
        seen->push_back(m.Msg);
        inner(m);
    };
}

TEST_F(SkinnedForm, ActivationSkinsTheFormAndKeepsItsClientSize) {
    form->HandleNeeded();
    const SIZE client = ClientSize(form->Handle());
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    HWND h = form->Handle();
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION, 0);
    const SIZE now = ClientSize(h);
    EXPECT_EQ(now.cx, client.cx);
    EXPECT_EQ(now.cy, client.cy);
    const RECT w = WindowRectOf(h);
    EXPECT_EQ(w.right - w.left, client.cx + skin->Sizes.left + skin->Sizes.right);
    EXPECT_EQ(w.bottom - w.top, client.cy + skin->Sizes.caption + skin->Sizes.bottom);
    EXPECT_GT(skin->Sizes.caption, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(h, region), ERROR);
    DeleteObject(region);
    // A skinned window is never skinned twice.
    EXPECT_FALSE(SkinManager->SkinWindow(h));
}

TEST_F(SkinnedForm, NcActivateIsAnsweredTrueAndNeverPassedOn) {
    Recorder recorder;
    Record(form, recorder);
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND h = form->Handle();
    recorder.Clear();
    EXPECT_EQ(SendMessageW(h, WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_EQ(SendMessageW(h, WM_NCACTIVATE, TRUE, 0), TRUE);
    EXPECT_EQ(recorder.Count(WM_NCACTIVATE), 0);
    SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(recorder.Count(WM_NCHITTEST), 1); // passed on exactly once
    recorder.Clear();
    SendMessageW(h, WM_NCPAINT, 1, 0);
    EXPECT_EQ(recorder.Count(WM_NCPAINT), 0);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(recorder.Count(WM_SKINQUERY), 0);
}

TEST_F(SkinnedForm, HitTestGivesTheCaptionBelowTheTopRows) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const RECT w = WindowRectOf(form->Handle());
    const int midX = (w.left + w.right) / 2;
    const LRESULT caption =
        SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(midX, w.top + skin->Sizes.caption / 2));
    EXPECT_EQ(caption, HTCAPTION);
    const LRESULT client =
        SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(midX, (w.top + w.bottom) / 2));
    EXPECT_EQ(client, HTCLIENT);
}

TEST_F(SkinnedForm, NcCalcSizeNeverInvertsTheClient) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    WINDOWPOS pos{form->Handle(), nullptr, 10, 20, 1, 1, 0};
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = {10, 20, 11, 21};
    params.lppos = &pos;
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCCALCSIZE, TRUE, LPARAM(&params)), WVR_VALIDRECTS);
    EXPECT_GE(params.rgrc[0].right, params.rgrc[0].left);
    EXPECT_GE(params.rgrc[0].bottom, params.rgrc[0].top);
    pos.cx = 300;
    pos.cy = 200;
    SendMessageW(form->Handle(), WM_NCCALCSIZE, TRUE, LPARAM(&params));
    EXPECT_EQ(params.rgrc[0].left, 10 + skin->Sizes.left);
    EXPECT_EQ(params.rgrc[0].top, 20 + skin->Sizes.caption + skin->MenuBarHeight);
    EXPECT_EQ(params.rgrc[0].right, 310 - skin->Sizes.right);
    EXPECT_EQ(params.rgrc[0].bottom, 220 - skin->Sizes.bottom);
}

// The left border as the drawing routines compose it, compared with the screen.
int LeftBorderMismatches(HWND h, const TSkinDefinition& def, const BorderSizes& sizes, bool active) {
    const RECT w = WindowRectOf(h);
    const int height = w.bottom - w.top;
    PixelBuffer expected(sizes.left, height);
    ComposeBorderPiece(expected.View(), {0, 0, sizes.left, height}, def, BorderPiece::Left, active);
    int mismatches = 0;
    for (int y = sizes.caption; y < height - sizes.bottom; y += 7) {
        for (int x = 0; x < sizes.left; ++x) {
            if (RgbOf(expected.At(x, y)) == kMagenta) continue; // a hole of the region
            if (ToPixel(ScreenPixel(w.left + x, w.top + y)) != RgbOf(expected.At(x, y))) ++mismatches;
        }
    }
    return mismatches;
}

TEST_F(SkinnedForm, FramePixelsAreTheSkinsPiecesActiveAndInactive) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const TSkinDefinition& def = *data->Skin();
    ASSERT_GT(def.BorderLeft.FrameCount, 1);
    Pump(100);
    EXPECT_EQ(LeftBorderMismatches(form->Handle(), def, skin->Sizes, true), 0);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 500, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitFor([&] { return !skin->Active; }));
    Pump(100);
    EXPECT_EQ(LeftBorderMismatches(form->Handle(), def, skin->Sizes, false), 0);
    DestroyWindow(other);
}

TEST_F(SkinnedForm, MagentaCaptionCornerIsOutsideTheRegion) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const TSkinDefinition& def = *data->Skin();
    ASSERT_NE(def.BorderTop.Trans, 0);
    const RECT w = WindowRectOf(form->Handle());
    // The caption bar's corner: the top rows of the side pieces and the top piece.
    PixelBuffer caption(w.right - w.left, skin->Sizes.caption);
    ComposeCaptionBar(caption.View(), skin->Sizes, def, true, {}, w.bottom - w.top);
    int hole = -1;
    for (int x = 0; x < caption.Width() && hole < 0; ++x)
        if (RgbOf(caption.At(x, 0)) == kMagenta) hole = x;
    ASSERT_GE(hole, 0) << "the default skin's caption has a magenta corner";
    int solidY = -1;
    for (int y = 0; y < caption.Height() && solidY < 0; ++y)
        if (RgbOf(caption.At(hole, y)) != kMagenta) solidY = y;
    ASSERT_GE(solidY, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
    EXPECT_FALSE(PtInRegion(region, hole, 0));
    EXPECT_TRUE(PtInRegion(region, hole, solidY));
    DeleteObject(region);
}

TEST_F(SkinnedForm, UnskinningGivesBackStylesFrameAndClientSize) {
    form->HandleNeeded();
    HWND h = form->Handle();
    // Read before showing: the first activation skins the window at once.
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE) | WS_VISIBLE;
    const LONG_PTR exStyle = GetWindowLongPtrW(h, GWL_EXSTYLE);
    const SIZE client = ClientSize(h);
    ASSERT_NE(ShowSkinned(), nullptr);
    data->SetActive(false);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h) == nullptr; }));
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE), style);
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_EXSTYLE), exStyle);
    EXPECT_EQ(ClientSize(h).cx, client.cx);
    EXPECT_EQ(ClientSize(h).cy, client.cy);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(h, region), ERROR);
    DeleteObject(region);
    EXPECT_FALSE(SkinManager->TimerRunning()); // idle: no timer ticks

    data->SetActive(true);
    TWinSkinForm* again = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        again = SkinManager->FindForm(h);
        return again && again->SkinState == 1;
    }));
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(ClientSize(h).cx, client.cx);
}

TEST_F(SkinnedForm, ActiveToggledFasterThanTheDelayEndsAsLastSet) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND h = form->Handle();
    for (int i = 0; i < 5; ++i) {
        data->SetActive(false);
        data->SetActive(true);
    }
    Pump(600);
    EXPECT_NE(SkinManager->FindForm(h), nullptr);
    data->SetActive(false);
    data->SetActive(true);
    data->SetActive(false);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h) == nullptr; }));
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
}

TEST_F(SkinnedForm, FormWithTag99IsNeverSkinned) {
    form->SetTag(99);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(400);
    EXPECT_EQ(SkinManager->FindForm(form->Handle()), nullptr);
    EXPECT_EQ(SendMessageW(form->Handle(), WM_SKINQUERY, 0, 0), 0);
}

TEST_F(SkinnedForm, TinyAndHugeWindowsStayUsable) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    HWND h = form->Handle();
    for (SIZE s : {SIZE{1, 1}, SIZE{5000, 5000}, SIZE{300, 200}}) {
        SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER);
        Pump(50);
        RECT c{};
        GetClientRect(h, &c);
        EXPECT_GE(c.right, 0);
        EXPECT_GE(c.bottom, 0);
        SendMessageW(h, WM_SKINREPAINTFRAME, 0, 0);
    }
    EXPECT_EQ(SkinManager->FindForm(h), skin);
}

// Live sizing repaints the frame once a step: the new region does not ask for a second one.
TEST_F(SkinnedForm, AResizeStepPaintsTheFrameOnce) {
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    HWND h = form->Handle();
    Pump(100);
    for (int step = 1; step <= 3; ++step) {
        const int before = skin->FramePaints;
        SetWindowPos(h, nullptr, 0, 0, 400 + 7 * step, 300 + 5 * step,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump(50);
        EXPECT_EQ(skin->FramePaints - before, 1) << "step " << step;
    }
}

TEST_F(SkinnedForm, SkinDataFreedBeforeItsFormTakesTheSkinOff) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND h = form->Handle();
    data->SetActive(false); // an action pending for a component about to go
    delete data;
    data = nullptr;
    EXPECT_EQ(SkinManager->FindForm(h), nullptr);
    EXPECT_EQ(SkinManager->PendingSkinData, nullptr);
    Pump(400);
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
    EXPECT_TRUE(IsWindow(h));
}

TEST_F(SkinnedForm, FormFreedWhileAnActionIsPending) {
    ASSERT_NE(ShowSkinned(), nullptr);
    data->SetActive(false);
    delete form; // owns the skin component and the form skin
    form = nullptr;
    Pump(400);
    EXPECT_TRUE(SkinManager->Forms().empty());
}

} // namespace
} // namespace kv::test
