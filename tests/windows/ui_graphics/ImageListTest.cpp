// Image lists: masked images drawn with their key colour left out, strips split, the caller's
// bitmaps untouched, listeners told of changes, layout strips added after loading.
#include "ui/graphics/ImageList.h"

#include "tests/windows/support/GuiObjects.h"
#include "ui/classes/Streams.h"

#include <gtest/gtest.h>

namespace {

// A w x 16 strip: each 16-pixel image red with a magenta top-left 4 x 4 corner.
void MakeStrip(TBitmap& strip, int images) {
    strip.SetSize(16 * images, 16);
    kv::PixelView v = strip.Pixels();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16 * images; ++x)
            v.At(x, y) = (x % 16 < 4 && y < 4) ? kv::kMagenta : kv::RgbPixel(200, 0, 0);
}

void WhiteTarget(TBitmap& target) {
    target.SetSize(40, 20);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 40, 20});
}

TEST(ImageList, MaskedDrawLeavesTheKeyColourOut) {
    TImageList list(nullptr);
    EXPECT_EQ(list.Width(), 16);
    EXPECT_EQ(list.Height(), 16);
    TBitmap strip;
    MakeStrip(strip, 3);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3) << "a strip splits into Width-wide images";
    EXPECT_EQ(kv::RgbOf(strip.Pixels().At(0, 0)), kv::kMagenta) << "caller's bitmap unchanged";

    TBitmap target;
    WhiteTarget(target);
    list.Draw(target.Canvas(), 2, 2, 1);
    kv::PixelView t = target.Pixels();
    EXPECT_EQ(kv::RgbOf(t.At(3, 3)), 0xFFFFFFu) << "masked pixel drawn";
    EXPECT_EQ(kv::RgbOf(t.At(10, 10)), kv::RgbPixel(200, 0, 0));
    EXPECT_EQ(kv::RgbOf(t.At(30, 10)), 0xFFFFFFu);

    list.Draw(target.Canvas(), 0, 0, 3); // past the end: nothing
    list.Draw(target.Canvas(), 0, 0, -1);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(0, 0)), 0xFFFFFFu);
}

TEST(ImageList, DisabledDrawIsNotTheNormalImage) {
    TImageList list(nullptr);
    {
        TBitmap strip;
        MakeStrip(strip, 1);
        list.AddMasked(strip, clFuchsia);
    }
    TBitmap normal, disabled;
    WhiteTarget(normal);
    WhiteTarget(disabled);
    list.Draw(normal.Canvas(), 0, 0, 0, true);
    list.Draw(disabled.Canvas(), 0, 0, 0, false);
    EXPECT_NE(kv::RgbOf(disabled.Pixels().At(10, 10)), kv::RgbPixel(200, 0, 0));
}

TEST(ImageList, ExplicitMaskAndBitmapReadBack) {
    TImageList list(nullptr);
    TBitmap image(16, 16), mask(16, 16);
    image.Canvas().Brush().SetColor(clBlue);
    image.Canvas().FillRect(RECT{0, 0, 16, 16});
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect(RECT{0, 0, 16, 16});
    mask.Canvas().Brush().SetColor(clWhite);
    mask.Canvas().FillRect(RECT{0, 0, 8, 16}); // left half transparent
    ASSERT_EQ(list.Add(image, &mask), 0);
    TBitmap target;
    WhiteTarget(target);
    list.Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(2, 5)), 0xFFFFFFu);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(12, 5)), kv::RgbPixel(0, 0, 255));

    TBitmap back;
    ASSERT_TRUE(list.GetBitmap(0, back));
    EXPECT_EQ(back.Width(), 16);
    EXPECT_EQ(kv::RgbOf(back.Pixels().At(12, 5)), kv::RgbPixel(0, 0, 255));
    EXPECT_FALSE(list.GetBitmap(5, back));
}

TEST(ImageList, ListenersHearChangesAndResizingEmpties) {
    TImageList list(nullptr);
    int heard = 0;
    int key = 0;
    list.AddChangeListener(&key, [&] { ++heard; });
    {
        TBitmap strip;
        MakeStrip(strip, 2);
        list.AddMasked(strip, clFuchsia);
    }
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(heard, 2);
    list.SetWidth(24);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(heard, 3);
    list.RemoveChangeListener(&key);
    list.SetWidth(16);
    {
        TBitmap strip;
        MakeStrip(strip, 1);
        list.AddMasked(strip, clFuchsia);
    }
    EXPECT_EQ(heard, 3);
}

TEST(ImageList, StripWrittenAndReadThroughTheBinaryProperty) {
    TImageList list(nullptr);
    {
        TBitmap strip;
        MakeStrip(strip, 2);
        list.AddMasked(strip, clFuchsia);
    }
    TMemoryStream stream;
    list.WriteBitmap(stream);
    ASSERT_GT(stream.Size(), 54);

    TImageList loaded(nullptr);
    loaded.BeginLoading();
    stream.SetPosition(0);
    loaded.ReadBitmap(stream);
    EXPECT_EQ(loaded.Count(), 0) << "added only once the layout is loaded";
    loaded.Loaded();
    EXPECT_EQ(loaded.Count(), 2);
    TBitmap target;
    WhiteTarget(target);
    loaded.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(1, 1)), 0xFFFFFFu);
    EXPECT_EQ(kv::RgbOf(target.Pixels().At(8, 8)), kv::RgbPixel(200, 0, 0));
}

TEST(ImageList, NoHandlesLeftBehind) {
    auto cycle = [] {
        TImageList list(nullptr);
        {
            TBitmap strip;
            MakeStrip(strip, 4);
            list.AddMasked(strip, clFuchsia);
        }
        TBitmap target;
        WhiteTarget(target);
        for (int i = 0; i < 4; ++i) list.Draw(target.Canvas(), i, 0, i, i % 2 == 0);
    };
    for (int i = 0; i < 3; ++i) cycle();
    const kv::test::GuiObjects before = kv::test::CountGuiObjects();
    for (int i = 0; i < 40; ++i) cycle();
    EXPECT_TRUE(kv::test::GrewAtMost(before, kv::test::CountGuiObjects(), 2));
}

// A control that shows the list hears of its end while the handle is still good, so that it
// can take the list out of its window first.
TEST(ImageList, BorrowersAreToldWhileTheHandleStillLives) {
    struct Borrower : TComponent {
        using TComponent::TComponent;
        TImageList* list = nullptr;
        int imagesWhenTold = -1;
        void Notification(TComponent* c, TOperation op) override {
            TComponent::Notification(c, op);
            if (c == list && op == TOperation::opRemove)
                imagesWhenTold = ImageList_GetImageCount(list->Handle());
        }
    };
    Borrower borrower(nullptr);
    auto* list = new TImageList(nullptr);
    TBitmap strip;
    MakeStrip(strip, 3);
    list->AddMasked(strip, clFuchsia);
    borrower.list = list;
    list->FreeNotification(&borrower);
    delete list;
    EXPECT_EQ(borrower.imagesWhenTold, 3);
}

} // namespace
