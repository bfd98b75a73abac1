// The bar of an MDI frame whose active child is maximised carries the child's buttons.
#include "MenuFixture.h"

#include "skin/form/draw/SkinDraw.h"
#include "tests/windows/skin_form/SkinFiles.h"

namespace kv::test {

// The ornament button made one of the MDI buttons (Visibility 100), 40 pixels from the right.
TEST_F(MenuBarTest, AMaximisedMdiChildPutsItsButtonsIntoTheFramesBar) {
    ASSERT_TRUE(data->LoadSkinBytes(EditedSkin("Xcoord=0\r\nYcoord=7\r\nVisibility=0",
                                               "Xcoord=40\r\nYcoord=7\r\nVisibility=100")));
    form->SetFormStyle(TFormStyle::fsMDIForm);
    ASSERT_NE(ShowBar(), nullptr);
    auto* child = new TForm(form);
    child->SetFormStyle(TFormStyle::fsMDIChild);
    child->SetCaption("Child");
    child->SetBounds(10, 10, 200, 150);
    child->Show();
    ASSERT_TRUE(WaitFor([&] { return SkinManager->CountMdiChildren() == 1; }));
    SendMessageW(form->ClientHandle(), WM_MDIMAXIMIZE, WPARAM(child->Handle()), 0);
    Pump(100);
    SendMessageW(form->Handle(), WM_SKINREPAINTFRAME, 0, 0);
    EXPECT_TRUE(SkinManager->MdiMaximized);
    const TWinSysButton* mdi = nullptr;
    for (auto& b : skin->CaptionButtons)
        if (b->SkinButton->Visibility == 100) mdi = b.get();
    ASSERT_NE(mdi, nullptr);
    const PixelRect r = mdi->BoundsRect;
    ASSERT_FALSE(r.Empty());
    // Inside the bar, and showing the button's first frame.
    const PixelRect bar = skin->MenuBar()->BarRect;
    EXPECT_GE(r.top, bar.top);
    EXPECT_LE(r.bottom, bar.bottom);
    const PixelView image = mdi->SkinButton->Bitmap.View();
    const PixelRect cell = StripFrame(image, false, std::max(mdi->SkinButton->FrameCount, 1), 1);
    const RECT w = WindowRectOf(form->Handle());
    int compared = 0;
    for (int y = 0; y < r.Height(); ++y) {
        const int x = r.Width() / 2;
        const Pixel want = RgbOf(image.At(cell.left + x * cell.Width() / r.Width(),
                                          cell.top + y * cell.Height() / r.Height()));
        if (r.Width() != cell.Width() || r.Height() != cell.Height()) break; // unstretched only
        EXPECT_EQ(RgbOf(ToPixel(ScreenPixel(w.left + r.left + x, w.top + r.top + y))), want) << y;
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

} // namespace kv::test
