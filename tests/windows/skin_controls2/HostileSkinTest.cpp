// Skins that lack what these control skins draw with, or whose images are narrower than their
// frames, and controls at their limits: every control keeps working, nothing crashes or hangs,
// and no handle is left behind; switching skins and skinning off and on is flat too.
#include "Controls2Fixture.h"

#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinUpDown.h"
#include "tests/windows/support/GuiObjects.h"
#include "ui/controls/ComCtrlsBars.h"
#include "ui/controls/ExtCtrls.h"

#include <commctrl.h>

#include <climits>

namespace kv::test {
namespace {

class EveryKind : public Controls2 {
protected:
    void SetUp() override {
        Controls2::SetUp();
        form->SetBounds(100, 100, 460, 340);
        progress = Place<TProgressBar>(10, 10, 200, 18);
        progress->SetPosition(40);
        track = Place<TTrackBar>(10, 40, 200, 34);
        edit = Add<TEdit>(220, 10, 60, 22, "0");
        spin = Place<TUpDown>(280, 10, 18, 22);
        spin->SetAssociate(edit);
        auto* across = Place<TUpDown>(310, 10, 40, 20);
        across->SetOrientation(TUDOrientation::udHorizontal);
        auto* panel = Place<TPanel>(220, 40, 200, 60);
        panel->SetCaption("Panel");
        Place<TGroupBox>(10, 110, 200, 60)->SetCaption("Group");
        status = Place<TStatusBar>(0, 260, 440, 22);
        status->SetAlign(TAlign::alNone);
        for (int i = 0; i < 3; ++i) status->AddPanel()->SetText("Panel");
        ASSERT_NE(skin = ShowSkinned(), nullptr);
    }

    // Uses every control with the real mouse and redraws them all.
    void UseAll(const char* what) {
        SCOPED_TRACE(what);
        // Read from the window: without a buddy the framework's Position no longer follows.
        auto position = [&] { return int(SendMessageW(spin->Handle(), UDM_GETPOS32, 0, 0)); };
        const int before = position();
        RECT r = WindowRectOf(spin->Handle());
        MouseAt(r.left + 4, r.top + 3);
        Button(true);
        Button(false);
        EXPECT_TRUE(WaitFor([&] { return position() == before + 1; }, 1500));
        track->SetPosition(0);
        r = WindowRectOf(track->Handle());
        MouseAt(r.right - 12, (r.top + r.bottom) / 2);
        Button(true);
        Button(false);
        EXPECT_TRUE(WaitFor([&] { return track->Position() > 0; }, 1500));
        progress->SetPosition(progress->Position() == 40 ? 80 : 40);
        RedrawWindow(form->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(100);
        EXPECT_TRUE(IsWindow(status->Handle()));
    }

    TProgressBar* progress = nullptr;
    TTrackBar* track = nullptr;
    TEdit* edit = nullptr;
    TUpDown* spin = nullptr;
    TStatusBar* status = nullptr;
    TWinSkinForm* skin = nullptr;
};

// A 1 x 1 image: narrower than any strip of two or more frames.
std::vector<SkinEntry> TinyImage() {
    return {{"kvtiny.bmp", StripBmp(1, 1, 1, 0x808080)}};
}

TEST_F(EveryKind, SkinsWithoutTheArtOrWithTooNarrowImagesLeaveEverythingWorking) {
    const GuiObjects before = CountGuiObjects();
    UseSkin(EditedSkin("Bitmap=progress.bmp", "Bitmap="));
    UseAll("no progress image");
    UseSkin(EditedSkin("Image=statusbar.bmp", "Image="));
    UseAll("no status bar edges");
    UseSkin(EditedSkin("[Tabs]", "[NoTabsHere]"));
    UseAll("no tabs");
    UseSkin(EditedSkin("[Headerbar]", "[NoHeaderHere]"));
    UseAll("no header");
    UseSkin(RepackedSkin([](SkinEntry& e) {
        return e.name != "progress.bmp" && e.name != "statusbar.bmp" && e.name != "extras.bmp";
    }));
    UseAll("the images named but missing from the package");
    const std::string tiny = "[Trackbar.ThumbHorz]\r\nImage=kvtiny.bmp\r\n"
                             "[UpDown.Vert]\r\nImage=kvtiny.bmp\r\nGlyphImage=kvtiny.bmp\r\n"
                             "[UpDown.Horz]\r\nImage=kvtiny.bmp\r\nGlyphImage=kvtiny.bmp\r\n";
    UseSkin(SkinWith(tiny,
                     {{"Bitmap=progress.bmp", "Bitmap=kvtiny.bmp"},
                      {"Chunk=progress-chunk.bmp", "Style=1\r\nChunk=kvtiny.bmp"},
                      {"Image=statusbar.bmp", "Image=kvtiny.bmp"},
                      {"Image=extras.bmp", "Image=kvtiny.bmp"}},
                     TinyImage()));
    ASSERT_NE(data->Skin()->UpDownVert, nullptr);
    UseAll("images narrower than their frames");
    UseSkin(StoredPackedSkin());
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 8));
}

TEST_F(EveryKind, ControlsAtTheirLimitsNeitherCrashNorHang) {
    progress->SetMax(0);
    progress->SetPosition(0);
    UseAll("progress range 0");
    progress->SetMax(INT_MAX);
    progress->SetPosition(INT_MAX - 1);
    UseAll("progress range 0..2^31-1");
    for (int i = 0; i < 60; ++i) status->AddPanel()->SetWidth(3);
    UseAll("60 panels");
    while (status->PanelCount() > 0) delete status->Panels(0);
    UseAll("no panels");
    delete edit; // the up-down's buddy goes
    edit = nullptr;
    UseAll("the buddy gone");
}

TEST_F(EveryKind, SkinChangesAndSkinningOffAndOnKeepHandleCountsFlat) {
    const std::vector<uint8_t> art = ArtSkin(true);
    UseSkin(art);
    UseSkin(StoredPackedSkin());
    data->SetActive(false);
    Pump(400);
    data->SetActive(true);
    Pump(400);
    const GuiObjects before = CountGuiObjects();
    for (int cycle = 0; cycle < 4; ++cycle) {
        UseSkin(art);
        UseAll("the art skin");
        UseSkin(StoredPackedSkin());
        data->SetActive(false);
        Pump(400);
        data->SetActive(true);
        Pump(400);
        UseAll("skinned again");
    }
    EXPECT_TRUE(GrewAtMost(before, CountGuiObjects(), 4));
    // Skinned again after all that.
    skin = SkinManager->FindForm(form->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(SkinOf<TSkinStatusBar>(skin, status), nullptr);
    EXPECT_NE(SkinOf<TSkinUpDown>(skin, spin), nullptr);
}

} // namespace
} // namespace kv::test
