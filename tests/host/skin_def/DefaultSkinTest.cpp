// The default skin, as the build packs it, against the worked examples for the stored skin.
#include "skin/data/SkinDefinition.h"
#include "skin/data/SkinRead.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::vector<uint8_t> DefaultSkinBytes() {
    const char* dir = std::getenv("KV_BINARY_DIR");
    std::ifstream in(std::string(dir ? dir : ".") + "/assets/skin/Default.skin", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DefaultSkin : public ::testing::Test {
protected:
    void SetUp() override {
        const auto bytes = DefaultSkinBytes();
        ASSERT_FALSE(bytes.empty()) << "build the default_skin target first";
        ASSERT_TRUE(reader.OpenPackage(bytes));
        def = kv::LoadSkinDefinition(reader);
        ASSERT_TRUE(def);
    }
    kv::TSkinReader reader;
    std::unique_ptr<kv::TSkinDefinition> def;
};

TEST_F(DefaultSkin, PackageHasTheStoredSkinsShape) {
    EXPECT_EQ(reader.PackageVersion(), 20000);
    EXPECT_EQ(reader.NameListLength(), 502);
    EXPECT_EQ(reader.Count(), 34u);
    EXPECT_EQ(16u + 502u + 4u * 34u + reader.Data().size(), 409971u);
    EXPECT_EQ(std::count(reader.Names().begin(), reader.Names().end(), "button.bmp"), 3);
    EXPECT_NE(reader.Names().back().find(".ini"), std::string::npos);
    size_t bmps = 0;
    for (const auto& n : reader.Names()) bmps += n.ends_with(".bmp");
    EXPECT_EQ(bmps, 33u);
}

TEST_F(DefaultSkin, ColoursAndColourTable) {
    ASSERT_EQ(def->ColourTable.size(), 3u);
    EXPECT_EQ(def->ColourTable[0], 0x00112842u);
    EXPECT_EQ(def->ColourTable[1], 0x00DDE6ECu);
    EXPECT_EQ(def->ColourTable[2], 0u);
    EXPECT_EQ(def->Title.ActiveTextColour, 0x00E1EDF2u);
    EXPECT_EQ(def->Title.InactiveTextColour, 0x009EB5C7u);
    EXPECT_FALSE(kv::IsSystemColour(def->ButtonFaceColour));
}

TEST_F(DefaultSkin, SystemButtonsAndMdiImages) {
    ASSERT_EQ(def->SysButtons.size(), 8u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(def->SysButtons[size_t(i)]->Name, "BUTTON" + std::to_string(i));
    const auto& b0 = *def->SysButtons[0];
    EXPECT_EQ(b0.Bitmap.Width(), 84);
    EXPECT_EQ(b0.Bitmap.Height(), 14);
    EXPECT_EQ(b0.FrameCount, 6);
    EXPECT_EQ(def->SysButtons[3]->Action, -1);
    const auto& b4 = *def->SysButtons[4];
    EXPECT_EQ(b4.Action, 3);
    EXPECT_TRUE(b4.Bitmap.Empty());
    EXPECT_EQ(b4.FrameCount, 6);
    const int x[] = {57, 38, 19};
    for (size_t i = 0; i < 3; ++i) {
        const auto& m = *def->SysButtons[5 + i];
        EXPECT_EQ(m.Action, int(7 + i));
        EXPECT_EQ(m.Bitmap.Width(), 60);
        EXPECT_EQ(m.Bitmap.Height(), 14);
        EXPECT_EQ(m.XCoord, x[i]);
    }
}

TEST_F(DefaultSkin, FramePiecesCaptionAndFrameCounts) {
    EXPECT_EQ(def->BorderTop.LeftWidth, 39);
    EXPECT_EQ(def->BorderTop.RightWidth, 84);
    EXPECT_EQ(def->BorderTop.FrameCount, 2);
    EXPECT_EQ(def->BorderTop.Tile, 0);
    EXPECT_EQ(def->BorderTop.Bitmap.Height() / def->BorderTop.FrameCount, 30);
    EXPECT_EQ(def->BorderRight.TopHeight, 24);
    EXPECT_EQ(def->BorderRight.BottomHeight, 11);
    EXPECT_EQ(def->BorderRight.Tile, 1);
    EXPECT_EQ(def->Title.TextShift(), 16);
    EXPECT_EQ(def->Title.TextShiftVert(), -7);
    EXPECT_EQ(def->Title.TextRightClip(), 80);
    EXPECT_EQ(def->Title.FontHeight, 10);
    EXPECT_TRUE(def->Title.Bitmap.Empty());
    EXPECT_EQ(def->Buttons.CheckFrameCount, 4);
    EXPECT_EQ(def->Buttons.RadioFrameCount, 4);
    EXPECT_EQ(def->Buttons.CheckBitmap.Width(), 56);
    ASSERT_TRUE(def->MenuItem);
    EXPECT_EQ(def->MenuItem->Bitmap.Width(), 620);
    EXPECT_EQ(def->MenuItem->Bitmap.Height(), 16);
    EXPECT_EQ(def->MenuItem->FrameCount, 5);
    ASSERT_TRUE(def->ScrollBar);
    EXPECT_EQ(def->ScrollBar->Bitmap.Width(), 368);
    EXPECT_EQ(def->ScrollBar->FrameCount, 23);
    ASSERT_TRUE(def->Toolbars); // through "[ToolBars]"
    ASSERT_TRUE(def->Tabs);
    EXPECT_FALSE(def->Tabs->Bitmap2.Empty());
    std::vector<uint8_t> border;
    ASSERT_TRUE(reader.ExtractEntry("tabs-border.bmp", border));
}

TEST_F(DefaultSkin, EveryImageSlotButTrackAndUpDownIsFilled) {
    const kv::TDataSkinObject* filled[] = {
        def->MenuBar.get(),         def->Progress.get(),       def->GroupBoxEdge.get(),
        def->Toolbars.get(),        def->Tabs.get(),           def->StatusBarEdges.get(),
        def->ComboButton.get(),     def->SunkEdge.get(),       def->ExtraImages.get(),
        def->Headerbar.get(),       def->MenuItem.get(),       def->MenuBackground.get(),
        def->ScrollBar.get(),       def->HorzScroll.get(),     def->VertScroll.get(),
        def->HorzScrollThumb.get(), def->VertScrollThumb.get()};
    for (const auto* o : filled) {
        ASSERT_TRUE(o);
        EXPECT_FALSE(o->Bitmap.Empty()) << o->Name;
        EXPECT_GE(o->FrameCount, 1);
    }
    EXPECT_FALSE(def->TrackThumbHorz || def->TrackThumbVert || def->TrackThumbLeft ||
                 def->TrackThumbRight || def->TrackThumbUp || def->TrackThumbDown ||
                 def->UpDownHorz || def->UpDownVert);
    for (const auto* piece :
         {&def->BorderLeft, &def->BorderRight, &def->BorderTop, &def->BorderBottom})
        EXPECT_FALSE(piece->Bitmap.Empty()) << piece->Name;
    EXPECT_FALSE(def->Buttons.Bitmap.Empty());
    EXPECT_FALSE(def->ComboButton->Bitmap2.Empty());
    EXPECT_EQ(def->SkinName, "Mocha");
}

TEST_F(DefaultSkin, CaptionTopCornersAreCutThroughMagenta) {
    const kv::PixelBuffer& left = def->BorderLeft.Bitmap;
    EXPECT_EQ(kv::RgbOf(left.At(0, 0)), kv::kMagenta);
    EXPECT_NE(kv::RgbOf(left.At(0, 30)), kv::kMagenta);
    const kv::PixelBuffer& right = def->BorderRight.Bitmap;
    const int fw = right.Width() / def->BorderRight.FrameCount;
    EXPECT_EQ(kv::RgbOf(right.At(fw - 1, 0)), kv::kMagenta);
}

} // namespace
