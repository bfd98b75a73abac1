// Skins that lack what the control skins draw with: no button art, no check or radio marks.
// The controls keep working (a click clicks, a box toggles) and nothing is left behind.
#include "ControlFixture.h"

#include "tests/windows/skin_form/SkinFiles.h"
#include "tests/windows/support/GuiObjects.h"

namespace kv::test {
namespace {

class ControlsUnderHostileSkins : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        button = Add<TButton>(20, 20, 110, 30, "Press");
        button->SetOnClick([this](TObject*) { ++clicks; });
        box = Add<TCheckBox>(20, 70, 140, 22, "Loop");
        radio = Add<TRadioButton>(20, 100, 140, 22, "Once");
        ASSERT_NE(ShowSkinned(), nullptr);
    }

    // Loads `skin` at run time, then uses every control with the real mouse.
    void UseAll(const std::vector<uint8_t>& skin, const char* what) {
        SCOPED_TRACE(what);
        data->SetSkinFile(TempSkinFile(skin, "kv_controls_hostile.skin"));
        Pump(400);
        const int before = clicks;
        const POINT at = CentreOf(button->Handle());
        MouseAt(at.x, at.y);
        Button(true);
        Button(false);
        EXPECT_TRUE(WaitFor([&] { return clicks == before + 1; }, 1500));
        const bool checked = box->Checked();
        RECT r = WindowRectOf(box->Handle());
        MouseAt(r.left + 6, (r.top + r.bottom) / 2);
        Button(true);
        Button(false);
        EXPECT_TRUE(WaitFor([&] { return box->Checked() != checked; }, 1500));
        radio->SetChecked(true);
        InvalidateRect(form->Handle(), nullptr, TRUE);
        Pump(100);
        EXPECT_TRUE(IsWindow(button->Handle()));
    }

    TButton* button = nullptr;
    TCheckBox* box = nullptr;
    TRadioButton* radio = nullptr;
    int clicks = 0;
};

TEST_F(ControlsUnderHostileSkins, ControlsKeepWorkingWithoutTheirArt) {
    const GuiObjects before = CountGuiObjects();
    UseAll(EditedSkin("[Buttons]", "[NoButtonsHere]"), "no Buttons section");
    UseAll(EditedSkin("CheckButton=Checkbox.bmp", "CheckButton="), "no check marks");
    UseAll(EditedSkin("RadioButton=radio.bmp", "RadioButton="), "no radio marks");
    UseAll(RepackedSkin([](SkinEntry& e) {
               return e.name != "button.bmp" && e.name != "checkbox.bmp" &&
                      e.name != "radio.bmp";
           }),
           "the images named but missing from the package");
    data->SetSkinFile(TempSkinFile(StoredPackedSkin(), "kv_controls_good.skin"));
    Pump(400);
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 8));
}

} // namespace
} // namespace kv::test
