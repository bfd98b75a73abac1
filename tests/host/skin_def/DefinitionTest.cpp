// The definition parser on small hand-written definitions: defaults, derivations and
// hostile values.
#include "base/Bmp.h"
#include "skin/data/SkinDefinition.h"

#include <gtest/gtest.h>

#include <ctime>
#include <map>

namespace {

using kv::PixelBuffer;
using kv::SystemColour;

struct Entries {
    std::map<std::string, std::vector<uint8_t>> files; // lower-case names
    void Add(const std::string& name, int w, int h, kv::Pixel fill = 0x336699) {
        PixelBuffer px(w, h, fill);
        for (int x = 0; x < w; ++x) px.At(x, 0) = kv::Pixel(x); // column markers
        files[name] = kv::EncodeBmp24(px.View());
    }
    kv::SkinEntryLookup Lookup() const {
        return [this](std::string_view name) -> std::span<const uint8_t> {
            std::string lower(name);
            for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
            auto it = files.find(lower);
            if (it == files.end()) return {};
            return it->second;
        };
    }
};

TEST(SkinDefinition, AnEmptyDefinitionGivesTheDefaults) {
    auto def = kv::ParseSkinDefinition("", {});
    ASSERT_TRUE(def);
    EXPECT_EQ(def->BorderTop.FrameCount, 1);
    EXPECT_EQ(def->BorderTop.Tile, 1);
    EXPECT_EQ(def->BorderTop.Trans, 1);
    EXPECT_EQ(def->Title.FrameCount, 2);
    EXPECT_EQ(def->Title.FontHeight, 14);
    EXPECT_EQ(def->Title.ActiveTextColour, kv::TDataSkinTitle::kNoColour);
    EXPECT_EQ(def->Buttons.FrameCount, 5);
    EXPECT_EQ(def->Buttons.CheckFrameCount, 4);
    EXPECT_EQ(def->Buttons.NormalColour, -1);
    EXPECT_EQ(def->Buttons.NormalColour2, SystemColour(18));
    EXPECT_EQ(def->ButtonLightColour, SystemColour(20));    // not 22
    EXPECT_EQ(def->ButtonDkShadowColour, SystemColour(16)); // not 21
    EXPECT_EQ(def->MenubarColour, SystemColour(15));
    EXPECT_TRUE(def->ColourTable.empty());
    ASSERT_EQ(def->SysButtons.size(), 3u); // the MDI buttons alone
    for (int i = 0; i < 3; ++i) {
        const auto& b = *def->SysButtons[size_t(i)];
        EXPECT_EQ(b.Action, 7 + i);
        EXPECT_EQ(b.Align, 100);
        EXPECT_EQ(b.Visibility, 100);
        EXPECT_EQ(b.Visibility1, 100);
        EXPECT_EQ(b.FrameCount, 4);
        EXPECT_EQ(b.XCoord, 0);
        EXPECT_TRUE(b.Bitmap.Empty());
    }
    EXPECT_FALSE(def->MenuBar || def->Progress || def->ScrollBar || def->ComboButton);
}

TEST(SkinDefinition, ColoursFollowTheFileAndEarlierValues) {
    auto def = kv::ParseSkinDefinition("[Colours]\nButtonFace=1 2 3\nButtonText=\nMenu=9\n"
                                       "[colour7]\ncolor=4 5 6\n[Colours]\n[COLOUR]\n"
                                       "[Colour0]\ncolor=\n[Buttons]\nPressedColour2=7 8 9\n",
                                       {});
    EXPECT_EQ(def->ButtonFaceColour, 0x030201u);
    EXPECT_EQ(def->MenubarColour, 0x030201u);           // defaults to the button face just read
    EXPECT_EQ(def->ButtonTextColour, SystemColour(18)); // empty value: default
    EXPECT_EQ(def->MenuColour, 0u);                     // one number: black
    ASSERT_EQ(def->ColourTable.size(), 3u);             // "Colours" is not a table entry
    EXPECT_EQ(def->ColourTable[0], 0x060504u);
    EXPECT_EQ(def->ColourTable[1], SystemColour(8));
    EXPECT_EQ(def->ColourTable[2], SystemColour(8));
    EXPECT_EQ(def->TableColour(2, 1), SystemColour(8));
    EXPECT_EQ(def->TableColour(3, 1), 1u);
    EXPECT_EQ(def->TableColour(-1, 1), 1u);
    EXPECT_EQ(def->Buttons.PressedColour2, 0x090807u);
    EXPECT_EQ(def->Buttons.NormalColour2, SystemColour(18));
}

TEST(SkinDefinition, SystemButtonFrameCountsAreDerivedWhenNotUsable) {
    Entries e;
    e.Add("wide.bmp", 84, 14);   // 6.0 : 1
    e.Add("square.bmp", 42, 14); // 3.0 : 1
    e.Add("edge.bmp", 38, 10);   // exactly 3.8 : 1
    auto def = kv::ParseSkinDefinition("[Button0]\nButtonImage=wide.bmp\n"
                                       "[Button1]\nButtonImage=square.bmp\n"
                                       "[button2]\nButtonImage=edge.bmp\naction=-1\n"
                                       "[Button3]\nButtonImage=square.bmp\nframe=0\n"
                                       "[Button4]\nButtonImage=square.bmp\nframe=-5\n"
                                       "[Button5]\nButtonImage=square.bmp\nframe=2\n"
                                       "[Button6]\nButtonImage=square.bmp\nAction=3\n"
                                       "[Button7]\nButtonImage=square.bmp\nAction=11\nframe=1\n"
                                       "[Button8]\n"
                                       "[Buttons]\n[Button.Radio]\n[BUTTON.CHECKBOX]\n",
                                       e.Lookup());
    ASSERT_EQ(def->SysButtons.size(), 9u + 3u);
    const int frames[] = {6, 3, 6, 3, 3, 2, 3, 1, 6};
    for (size_t i = 0; i < 9; ++i) EXPECT_EQ(def->SysButtons[i]->FrameCount, frames[i]) << i;
    EXPECT_EQ(def->SysButtons[2]->Name, "BUTTON2");
    EXPECT_EQ(def->SysButtons[0]->CombineOp, -1);
    EXPECT_TRUE(def->SysButtons[6]->Bitmap.Empty());  // icon button: its image is dropped
    EXPECT_FALSE(def->SysButtons[7]->Bitmap.Empty()); // unless "frame" was given
}

TEST(SkinDefinition, MdiImageIsCutIntoThreeButtons) {
    Entries e;
    e.Add("mdi.bmp", 180, 14);
    e.Add("tiny.bmp", 11, 14);
    auto def = kv::ParseSkinDefinition("[MDIControls]\nImage=skins\\mdi.bmp\n", e.Lookup());
    ASSERT_EQ(def->SysButtons.size(), 3u);
    const int x[] = {57, 38, 19};
    for (size_t i = 0; i < 3; ++i) {
        const auto& b = *def->SysButtons[i];
        EXPECT_EQ(b.XCoord, x[i]);
        ASSERT_EQ(b.Bitmap.Width(), 60);
        EXPECT_EQ(b.Bitmap.Height(), 14);
        EXPECT_EQ(b.Bitmap.At(0, 0), kv::Pixel(60 * i)); // the source column it came from
        EXPECT_EQ(b.Bitmap.At(59, 0), kv::Pixel(60 * i + 59));
    }
    auto narrow = kv::ParseSkinDefinition("[MDIControls]\nImage=tiny.bmp\n", e.Lookup());
    EXPECT_TRUE(narrow->SysButtons[0]->Bitmap.Empty()); // 11 / 12 = 0 columns a cell
}

TEST(SkinDefinition, ManyButtonSectionsAreCapped) {
    std::string text;
    for (int i = 0; i < 1500; ++i) text += "[Button" + std::to_string(i) + "]\n";
    auto def = kv::ParseSkinDefinition(text, {});
    EXPECT_EQ(def->SysButtons.size(), kv::kMaxSysButtonSections + kv::kMdiButtonCount);
}

// Every caption-button section repeats the look-ups in the first section of its name; with
// those look-ups scanning the section, a 300 KB definition took seconds (fuzzing found it).
TEST(SkinDefinition, RepeatedSectionsOfAHugeSectionStayFast) {
    std::string text = "[Button1]\nAction=4\n";
    for (int i = 0; i < 80000; ++i) text += "k=1\n";
    for (int i = 0; i < 1000; ++i) text += "[Button1]\n[Colour1]\n";
    const std::clock_t start = std::clock();
    auto def = kv::ParseSkinDefinition(text, nullptr);
    const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    ASSERT_EQ(def->SysButtons.size(), kv::kMaxSysButtonSections + kv::kMdiButtonCount);
    EXPECT_EQ(def->SysButtons[1000]->Action, 4);
    EXPECT_EQ(def->ColourTable.size(), 1000u);
    EXPECT_LT(seconds, 0.3); // milliseconds when each look-up is one hash probe
}

TEST(SkinDefinition, ImageNamesNeedALowerCaseBmpFileName) {
    Entries e;
    e.Add("a.bmp", 4, 4);
    e.Add("b.bmp", 4, 4);
    auto def = kv::ParseSkinDefinition("[Personality]\nLeft=C:\\skins/x\\A.bmp\nRight=a.BMP\n"
                                       "Top=dir:b.bmp\nBottom=b.bmp\\\n[Progress]\nBitmap=a\n"
                                       "[SunkEdge]\nImage=missing.bmp\n[HorzScroll]\nImage=.bmp\n",
                                       e.Lookup());
    EXPECT_EQ(def->BorderLeft.Bitmap.Width(), 4); // folder parts dropped, entry case folded
    EXPECT_TRUE(def->BorderRight.Bitmap.Empty()); // ".BMP" is never looked up
    EXPECT_EQ(def->BorderTop.Bitmap.Width(), 4);
    EXPECT_TRUE(def->BorderBottom.Bitmap.Empty()); // empty file-name part
    ASSERT_TRUE(def->Progress);                    // the key is there, the image is not
    EXPECT_TRUE(def->Progress->Bitmap.Empty());
    ASSERT_TRUE(def->SunkEdge);
    EXPECT_TRUE(def->SunkEdge->Bitmap.Empty());
    ASSERT_TRUE(def->HorzScroll);
}

TEST(SkinDefinition, HostileNumbersFallBackOrClamp) {
    auto def = kv::ParseSkinDefinition(
        "[Personality]\nTopFrame=0\nLeftFrame=-3\nRightFrame=99999999999\nBottomFrame=4\n"
        "TopTopHeight=-2147483648\nTopBotHeight=2147483647\nLeftTopHeight=1e9\n"
        "ActiveTextR=300\nActiveTextG=1\nActiveTextB=2\nInActiveTextR=1\nInActiveTextG=-1\n"
        "InActiveTextB=1\n"
        "[HorzScrollThumb]\nImage=t.bmp\nFrameCount=0\n[VertScrollThumb]\nImage=t.bmp\n"
        "FrameCount=-1\n[Scrollbar]\nImage=s.bmp\nTile=7\n[Headerbar]\nImage=h.bmp\nTile=-1\n"
        "[Buttons]\nCheckButtonFrame=0\nRadioButtonFrame=-4\nLeftWidth=123456789012\n",
        {});
    EXPECT_EQ(def->BorderTop.FrameCount, 1);
    EXPECT_EQ(def->BorderLeft.FrameCount, 1);
    EXPECT_EQ(def->BorderRight.FrameCount, 1);
    EXPECT_EQ(def->BorderBottom.FrameCount, 4);
    EXPECT_EQ(def->BorderTop.LeftWidth, -32768);
    EXPECT_EQ(def->BorderTop.RightWidth, 32767);
    EXPECT_EQ(def->BorderLeft.TopHeight, 0);
    EXPECT_EQ(def->Title.ActiveTextColour, 0x0002012Cu); // 300 modulo 256
    EXPECT_EQ(def->Title.InactiveTextColour, kv::TDataSkinTitle::kNoColour);
    EXPECT_EQ(def->HorzScrollThumb->FrameCount, 3);
    EXPECT_EQ(def->VertScrollThumb->FrameCount, 3);
    EXPECT_EQ(def->ScrollBar->FrameCount, 23);
    EXPECT_EQ(def->ScrollBar->Tile, 0); // above 1 becomes 0
    EXPECT_EQ(def->Headerbar->Tile, -1);
    EXPECT_EQ(def->Buttons.CheckFrameCount, 4);
    EXPECT_EQ(def->Buttons.RadioFrameCount, 4);
    EXPECT_EQ(def->Buttons.LeftWidth, 0);
}

TEST(SkinDefinition, StripFramesAndTheMirroredComboButton) {
    Entries e;
    e.Add("check.bmp", 56, 14);
    e.Add("radio.bmp", 96, 16);
    e.Add("combo.bmp", 3, 2);
    e.files["bad.bmp"] = {'B', 'M', 1, 2, 3};
    auto def = kv::ParseSkinDefinition("[Buttons]\nCheckButton=Check.bmp\nRadioButton=radio.bmp\n"
                                       "[ComboButton]\nImage=combo.bmp\n****=check.bmp\n"
                                       "[Tabs]\nImage=bad.bmp\nBorder=combo.bmp\n",
                                       e.Lookup());
    EXPECT_EQ(def->Buttons.CheckFrameCount, 4); // 56 div 13
    EXPECT_EQ(def->Buttons.RadioFrameCount, 6); // 96 div 16
    ASSERT_TRUE(def->ComboButton);
    EXPECT_EQ(def->ComboButton->FrameCount, 4);
    const PixelBuffer& m = def->ComboButton->Bitmap2;
    ASSERT_EQ(m.Width(), 3);
    EXPECT_EQ(m.At(0, 0), def->ComboButton->Bitmap.At(2, 0));
    EXPECT_EQ(m.At(2, 0), def->ComboButton->Bitmap.At(0, 0));
    ASSERT_TRUE(def->Tabs); // an invalid BMP is an empty image, and the load goes on
    EXPECT_TRUE(def->Tabs->Bitmap.Empty());
    EXPECT_EQ(def->Tabs->Bitmap2.Width(), 3);
    EXPECT_EQ(def->Tabs->FrameCount, 5);
}

} // namespace
