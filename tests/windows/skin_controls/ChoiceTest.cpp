// Which control skin each control gets: the control table row by row, the Skin3rd lines, the
// SkinControls options, DisableTag and OnSkinControl; and the child windows of foreign windows.
#include "ControlFixture.h"

#include "skin/controls/ControlSkinChoice.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckBox.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"

namespace kv::test {
namespace {

class ControlChoiceTest : public SkinnedControls {
protected:
    ControlChoice Choose(TComponent& c) { return ChooseFromTable(c, *data); }
    void Without(TSkinControlType t) {
        data->SetSkinControls(data->SkinControls() & ~SkinControlBit(t));
    }
};

TEST_F(ControlChoiceTest, FrameworkKindsFindTheirRows) {
    auto* button = Add<TButton>(10, 10, 80, 25, "Go");
    auto* check = Add<TCheckBox>(10, 40, 80, 20, "Check");
    auto* radio = Add<TRadioButton>(10, 60, 80, 20, "Radio");
    auto* bit = Add<TBitBtn>(10, 80, 80, 25, "Bit");
    auto* panel = Add<TPanel>(100, 10, 80, 80, "");
    auto* group = Add<TGroupBox>(100, 100, 80, 80, "Group");
    auto* radios = Add<TRadioGroup>(200, 100, 80, 80, "Radios");
    auto* memo = Add<TMemo>(200, 10, 80, 40, "");
    auto* list = Add<TListBox>(200, 60, 80, 40, "");
    auto* combo = Add<TComboBox>(10, 120, 80, 20, "");
    auto* edit = Add<TEdit>(10, 150, 80, 20, "");
    EXPECT_EQ(Choose(*button).row, 31);
    EXPECT_EQ(Choose(*button).kind, SkinKind::Button);
    EXPECT_EQ(Choose(*check).row, 8);
    EXPECT_EQ(Choose(*radio).row, 14);
    EXPECT_EQ(Choose(*bit).row, 23);
    EXPECT_EQ(Choose(*bit).kind, SkinKind::BitButton);
    EXPECT_EQ(Choose(*panel).row, 25);
    EXPECT_TRUE(Choose(*panel).skinChildren);
    EXPECT_EQ(Choose(*group).row, 13);
    EXPECT_EQ(Choose(*radios).row, 11); // before the group box row it also matches
    EXPECT_EQ(Choose(*radios).childKind, SkinKind::RadioButton);
    EXPECT_EQ(Choose(*memo).row, 28);
    EXPECT_EQ(Choose(*list).row, 30);
    EXPECT_EQ(Choose(*combo).row, 19);
    EXPECT_EQ(Choose(*edit).row, 32);
    EXPECT_EQ(Choose(*edit).attach, SkinAttach::Handle);
    EXPECT_EQ(Choose(*data).row, 0);
}

TEST_F(ControlChoiceTest, AnOptionOffPassesToLaterRowsButABitmapButtonStops) {
    auto* bit = Add<TBitBtn>(10, 80, 80, 25, "Bit");
    auto* check = Add<TCheckBox>(10, 40, 80, 20, "Check");
    auto* button = Add<TButton>(10, 10, 80, 25, "Go");
    Without(xcBitBtn);
    Without(xcCheckBox);
    // A bitmap button is also a button (row 31), yet stays unskinned.
    EXPECT_EQ(Choose(*bit).row, 23);
    EXPECT_EQ(Choose(*bit).kind, SkinKind::None);
    EXPECT_EQ(Choose(*check).row, 0);
    Without(xcButton);
    EXPECT_EQ(Choose(*button).row, 0);
}

TEST_F(ControlChoiceTest, Skin3rdLinesMatchTheWholeClassNameAndAnyCase) {
    auto* button = Add<TButton>(10, 10, 80, 25, "Go");
    auto* panel = Add<TPanel>(100, 10, 80, 80, "");
    data->Skin3rd().Clear();
    data->Skin3rd().Add("TButtonX=edit");
    EXPECT_EQ(Choose(*button).row, 31); // a longer name that starts the same does not match
    data->Skin3rd().Add("tbutton=CheckBox");
    EXPECT_EQ(Choose(*button).row, 3);
    EXPECT_EQ(Choose(*button).kind, SkinKind::CheckBox);
    data->Skin3rd().Add("TPanel=nothing we know");
    EXPECT_EQ(Choose(*panel).row, 3); // matched: the unknown kind leaves it unskinned
    EXPECT_EQ(Choose(*panel).kind, SkinKind::None);
    Without(xcCheckBox);
    EXPECT_EQ(Choose(*button).kind, SkinKind::None);
    EXPECT_EQ(Skin3rdKind(data->Skin3rd(), "TButton"), "checkbox");
}

TEST_F(ControlChoiceTest, ForeignButtonsByStyleOwnerDrawnAndNewerTypesStayAsTheyAre) {
    const SkinKind expected[16] = {
        SkinKind::Button,      SkinKind::Button,      SkinKind::CheckBox, SkinKind::CheckBox,
        SkinKind::RadioButton, SkinKind::CheckBox,    SkinKind::CheckBox, SkinKind::None,
        SkinKind::Button,      SkinKind::RadioButton, SkinKind::Button,   SkinKind::None,
        SkinKind::None,        SkinKind::None,        SkinKind::None,     SkinKind::None,
    };
    for (DWORD type = 0; type < 16; ++type)
        EXPECT_EQ(ChooseForChildWindow("button", WS_CHILD | type, false), expected[type]) << type;
    EXPECT_EQ(ChooseForChildWindow("scrollbar", SBS_VERT, false), SkinKind::None);
    EXPECT_EQ(ChooseForChildWindow("scrollbar", SBS_SIZEGRIP, false), SkinKind::Sizer);
    EXPECT_EQ(ChooseForChildWindow("combobox", CBS_SIMPLE, false), SkinKind::None);
    EXPECT_EQ(ChooseForChildWindow("combobox", CBS_DROPDOWNLIST, false), SkinKind::ComBox);
    EXPECT_EQ(ChooseForChildWindow("comboboxex32", 0, false), SkinKind::None);
    EXPECT_EQ(ChooseForChildWindow("systabcontrol32", 0x2000, false), SkinKind::None);
    EXPECT_EQ(ChooseForChildWindow("static", 0, false), SkinKind::None);
}

TEST_F(ControlChoiceTest, DisableTagTakesTheSignedRemainder) {
    auto* tag99 = Add<TButton>(10, 10, 80, 25, "99");
    auto* tag199 = Add<TButton>(10, 40, 80, 25, "199");
    auto* minus1 = Add<TButton>(10, 70, 80, 25, "-1");
    tag99->SetTag(99);
    tag199->SetTag(199);
    minus1->SetTag(-1);
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(SkinOf(skin, tag99), nullptr);
    EXPECT_EQ(SkinOf(skin, tag199), nullptr);
    EXPECT_NE(SkinOf<TSkinButton>(skin, minus1), nullptr);
}

TEST_F(ControlChoiceTest, OnSkinControlDecidesAloneWhenItGivesASkin) {
    auto* button = Add<TButton>(10, 10, 80, 25, "Go");
    auto* other = Add<TButton>(10, 40, 80, 25, "Other");
    std::vector<std::string> asked;
    data->OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control,
                              const std::string& cls, TComponent*& made) {
        asked.push_back(cls);
        if (control == button) made = new TSkinCheckBox(button);
    };
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(std::find(asked.begin(), asked.end(), "TBUTTON"), asked.end());
    EXPECT_NE(SkinOf<TSkinCheckBox>(skin, button), nullptr);
    EXPECT_EQ(std::count_if(skin->ControlSkins.begin(), skin->ControlSkins.end(),
                            [&](TSkinControl* s) { return s->Control() == button; }),
              1);
    EXPECT_NE(SkinOf<TSkinButton>(skin, other), nullptr); // no answer: the table decides
}

TEST_F(ControlChoiceTest, ARescanSkinsNewControlsOnceAndFreesDeadSkins) {
    auto* button = Add<TButton>(10, 10, 80, 25, "Go");
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    const size_t before = skin->ControlSkins.size();
    auto* later = Add<TButton>(10, 40, 80, 25, "Later");
    skin->SkinControls();
    EXPECT_EQ(skin->ControlSkins.size(), before + 1);
    skin->SkinControls();
    EXPECT_EQ(skin->ControlSkins.size(), before + 1);
    EXPECT_NE(SkinOf(skin, later), nullptr);
    // Deleting a control frees its skin and takes it off the list.
    delete button;
    EXPECT_EQ(skin->ControlSkins.size(), before);
}

TEST_F(ControlChoiceTest, ARadioGroupsButtonsGetOneSkinEachHoweverOftenTheFormIsScanned) {
    auto* radios = Add<TRadioGroup>(20, 20, 150, 90, "Radios");
    radios->Items().Add("One");
    radios->Items().Add("Two");
    ASSERT_EQ(radios->ButtonCount(), 2);
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    auto skinsOfButtons = [&] {
        return std::count_if(
            skin->ControlSkins.begin(), skin->ControlSkins.end(), [&](TSkinControl* s) {
                return s->Served() == radios->Buttons(0) || s->Served() == radios->Buttons(1);
            });
    };
    EXPECT_EQ(skinsOfButtons(), 2);
    EXPECT_NE(SkinOf<TSkinRadioButton>(skin, radios->Buttons(0)), nullptr);
    skin->SkinControls();
    skin->SkinControls();
    EXPECT_EQ(skinsOfButtons(), 2);
}

} // namespace
} // namespace kv::test
