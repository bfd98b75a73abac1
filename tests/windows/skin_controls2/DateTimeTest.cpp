// Date-time pickers in both modes: a drop-down picker wears the combo box skin, an up-down
// picker the edit skin with its spin button skinned inside it.
#include "Controls2Fixture.h"

#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinUpDown.h"
#include "ui/controls/ComCtrlsEdits.h"

#include <commctrl.h>

namespace kv::test {
namespace {

TEST_F(Controls2, DateTimePickersWearTheComboOrTheEditSkinByTheirMode) {
    auto* dropDown = Place<TDateTimePicker>(20, 20, 160, 24);
    auto* spinning = Place<TDateTimePicker>(20, 60, 160, 24);
    spinning->SetDateMode(TDTDateMode::dmUpDown);
    TWinSkinForm* skin = ShowSkinned();
    ASSERT_NE(skin, nullptr);
    auto* combo = SkinOf<TSkinComBox>(skin, dropDown);
    ASSERT_NE(combo, nullptr);
    RedrawWindow(dropDown->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_NE(combo->LastState(), 0) << "drawn from the skin";
    auto* edit = SkinOf<TSkinEdit>(skin, spinning);
    ASSERT_NE(edit, nullptr);
    RedrawWindow(spinning->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(80);
    HWND arrows = FindWindowExW(spinning->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr);
    ASSERT_NE(edit->UpDown(), nullptr) << "the picker's own spin button is skinned";
    EXPECT_EQ(edit->UpDown()->Handle(), arrows);
    EXPECT_NE(edit->UpDown()->LastFirstState(), 0);
}

} // namespace
} // namespace kv::test
