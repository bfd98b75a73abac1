#include "AcsTestCharacters.h"

#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsImage.h"

#include <gtest/gtest.h>

namespace {

using namespace kv;

// 4 x 3 frame; palette 0 see-through, 1 red, 2 green, 3 blue, and index 4 has no colour.
AcsCharacter Layers() {
    AcsCharacter c;
    c.width = 4;
    c.height = 3;
    c.transparentIndex = 0;
    c.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    c.images.push_back(AcsEncodeImage(2, 2, std::vector<uint8_t>{1, 1, 1, 0}, 0, false));
    c.images.push_back(AcsEncodeImage(4, 3, std::vector<uint8_t>(12, 2), 0, true));
    c.images.push_back(AcsEncodeImage(1, 1, std::vector<uint8_t>{3}, 0, false));
    c.images.push_back(AcsEncodeImage(3, 1, std::vector<uint8_t>{4, 4, 4}, 0, false));
    return c;
}

std::string Picture(AcsFrameComposer& composer, const AcsFrame& frame,
                    std::optional<AcsMouth> mouth = {}) {
    std::vector<uint8_t> idx;
    composer.ComposeIndices(frame, idx, mouth);
    std::string s;
    for (size_t i = 0; i < idx.size(); ++i) {
        s += char('0' + idx[i]);
        if (i % 4 == 3 && i + 1 < idx.size()) s += '|';
    }
    return s;
}

TEST(AcsCompose, DrawsTheFirstImageOnTopAndKeysOutTransparency) {
    const AcsCharacter c = Layers();
    AcsFrameComposer composer(c);
    AcsFrame f;
    f.images = {{0, 1, 1}, {1, 0, 0}}; // red corner over a green background
    EXPECT_EQ(Picture(composer, f), "2222|2112|2122");
    f.images = {{1, 0, 0}, {0, 1, 1}}; // the background now covers everything
    EXPECT_EQ(Picture(composer, f), "2222|2222|2222");
    PixelBuffer out;
    AcsFrame alone;
    alone.images = {{0, 1, 1}};
    ASSERT_TRUE(composer.Compose(alone, out, {std::nullopt, 0x00123456}));
    ASSERT_EQ(out.Width(), 4);
    EXPECT_EQ(out.At(0, 0), 0x00123456u);
    EXPECT_EQ(out.At(1, 1), 0xFFFF0000u);
    EXPECT_EQ(out.At(2, 2), 0x00123456u); // the sprite's own transparent pixel
}

TEST(AcsCompose, ClipsImagesThatReachPastTheFrame) {
    const AcsCharacter c = Layers();
    AcsFrameComposer composer(c);
    AcsFrame f;
    f.images = {{0, -1, -1}, {0, 3, 2}, {0, 30000, -30000}, {0, -32768, 32767}};
    EXPECT_EQ(Picture(composer, f), "0000|0000|0001");
    f.images = {{0, -1, 0}};
    EXPECT_EQ(Picture(composer, f), "1000|0000|0000");
}

TEST(AcsCompose, ColoursWithoutAPaletteEntryAreSeeThrough) {
    const AcsCharacter c = Layers();
    AcsFrameComposer composer(c);
    AcsFrame f;
    f.images = {{3, 0, 0}, {1, 0, 0}};
    EXPECT_EQ(Picture(composer, f), "2222|2222|2222");
    EXPECT_FALSE(composer.Colour(4).has_value());
    EXPECT_FALSE(composer.Colour(0).has_value());
    EXPECT_EQ(composer.Colour(3), 0xFF0000FFu);
}

TEST(AcsCompose, MouthOverlaysReplaceOrCoverTheTopImage) {
    const AcsCharacter c = Layers();
    AcsFrameComposer composer(c);
    AcsFrame f;
    f.images = {{0, 0, 0}, {1, 0, 0}};
    AcsOverlay cover;
    cover.mouth = AcsMouth::Medium;
    cover.image = 2;
    cover.x = 3;
    AcsOverlay replace = cover;
    replace.mouth = AcsMouth::Closed;
    replace.replaceTopImage = true;
    replace.x = 2;
    replace.y = 2;
    f.overlays = {cover, replace};
    EXPECT_EQ(Picture(composer, f), "1122|1222|2222");
    EXPECT_EQ(Picture(composer, f, AcsMouth::Medium), "1123|1222|2222");
    EXPECT_EQ(Picture(composer, f, AcsMouth::Closed), "2222|2222|2232");
    EXPECT_EQ(Picture(composer, f, AcsMouth::Narrow), "1122|1222|2222"); // no such overlay
}

TEST(AcsCompose, SurvivesMissingAndDamagedImages) {
    AcsCharacter c = Layers();
    c.images[1].pixels.resize(4); // compressed stream cut short
    AcsFrameComposer composer(c);
    AcsFrame f;
    f.images = {{99, 0, 0}, {1, 0, 0}, {0, 0, 0}};
    AcsOverlay missing;
    missing.replaceTopImage = true;
    missing.image = 77;
    f.overlays = {missing};
    const std::string pic = Picture(composer, f, AcsMouth::Closed);
    EXPECT_EQ(pic.size(), 14u);
    PixelBuffer tiny(2, 2);
    EXPECT_FALSE(composer.Compose(f, tiny.View())); // a view smaller than the frame
    EXPECT_TRUE(composer.Decoded(99).empty());
}

} // namespace
