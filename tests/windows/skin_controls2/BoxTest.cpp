// Colour-only skins: panels and group boxes take the skin's face colour while skinned and get
// their own back when the skin goes; the controls inside them are still skinned.
#include "Controls2Fixture.h"

#include "skin/controls/SkinBox.h"
#include "skin/controls/SkinCheckBox.h"
#include "ui/controls/ExtCtrls.h"

namespace kv::test {
namespace {

TEST_F(Controls2, PanelsAndGroupBoxesTakeTheFaceColourAndGiveItBack) {
    auto* panel = Place<TPanel>(20, 20, 160, 100);
    panel->SetColor(RGB(10, 120, 200));
    auto* group = Place<TGroupBox>(200, 20, 160, 100);
    group->SetColor(RGB(200, 120, 10));
    auto* inner = new TCheckBox(form);
    inner->SetParent(panel);
    inner->SetBounds(10, 10, 120, 22);
    inner->SetCaption("Inside");
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const COLORREF face = data->ButtonFaceColor();
    ASSERT_NE(face, RGB(10, 120, 200));
    EXPECT_NE(SkinOf<TSkinBox>(skin, panel), nullptr);
    EXPECT_NE(SkinOf<TSkinBox>(skin, group), nullptr);
    EXPECT_NE(SkinOf<TSkinCheckBox>(skin, inner), nullptr) << "the panel's controls are skinned";
    EXPECT_EQ(panel->Color(), face);
    EXPECT_EQ(group->Color(), face);
    Pump(100);
    EXPECT_EQ(RgbOf(ScreenAt(panel->Handle(), 80, 80)), ToPixel(face));
    data->SetActive(false);
    EXPECT_TRUE(WaitFor([&] { return panel->Color() == RGB(10, 120, 200); }, 2000));
    EXPECT_EQ(group->Color(), RGB(200, 120, 10));
}

} // namespace
} // namespace kv::test
