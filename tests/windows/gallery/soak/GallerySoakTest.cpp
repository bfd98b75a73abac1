// Long runs over the gallery, the one window that holds every control kind: its skin switched
// off and on, and changed at run time to a skin of other geometry, a thousand times each while
// its pages take turns in front. The process's GDI and USER object counts must end where they
// began, so a control skin that leaks on attach, detach or skin change shows here.
//
// A cycle takes a third of a second under Wine (the whole window, every control in it, is laid
// out and repainted twice), so the suite runs 100 cycles of each; KV_SOAK_CYCLES=1000 gives
// the long run.
#include "tests/windows/skin_form/SkinFiles.h"
#include "tests/windows/skin_form/SkinFixture.h"
#include "tests/windows/support/GuiObjects.h"
#include "tools/gallery/GalleryForm.h"

#include "ui/controls/ComCtrlsTabs.h"

#include <cstdio>
#include <cstdlib>

namespace kv::test {
namespace {

int SoakCycles() {
    const char* text = std::getenv("KV_SOAK_CYCLES");
    return text ? std::atoi(text) : 100;
}

// Pumps until the condition holds, without WaitFor's fixed wait after each pass.
template <class F> bool Settle(F condition, DWORD ms = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (condition()) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

class GallerySoak : public ::testing::Test {
protected:
    void SetUp() override {
        app = new TApplication(nullptr);
        app->Initialize();
        gallery = app->CreateForm<TGalleryForm>();
        data = gallery->Find<TSkinData>("SkinData1");
        pages = gallery->Find<TPageControl>("PageControl1");
        ASSERT_NE(data, nullptr);
        ASSERT_NE(pages, nullptr);
        gallery->Show();
        SetForegroundWindow(gallery->Handle());
        ASSERT_TRUE(Settle([&] { return Skinned(); }));
    }
    void TearDown() override {
        ShutDownSkinManager();
        delete app;
    }

    bool Skinned() const {
        TWinSkinForm* skin = SkinManager ? SkinManager->FindForm(gallery->Handle()) : nullptr;
        return skin && skin->SkinState == 1 && skin->FramePaints > 0;
    }
    TWinSkinForm* Skin() const { return SkinManager->FindForm(gallery->Handle()); }

    // The skin's actions run when the manager's delay ticks; the soak runs them at once.
    static void RunAction() { SkinManager->RunPendingAction(); }

    void ShowPageOf(int cycle) {
        pages->SetActivePageIndex(cycle % pages->PageCount());
        UpdateWindow(gallery->Handle()); // the page's controls paint under the skin
    }

    bool ActiveOffAndOn() {
        data->SetActive(false);
        RunAction();
        const bool off = Settle([&] { return SkinManager->Forms().empty(); });
        data->SetActive(true);
        RunAction();
        return off && Settle([&] { return Skinned(); });
    }

    bool ChangeSkin(const std::vector<uint8_t>& packed, int caption) {
        if (!data->LoadSkinBytes(packed)) return false;
        RunAction();
        return Settle([&] { return Skinned() && Skin()->Sizes.caption == caption; });
    }

    template <class Cycle> void Soak(const char* name, Cycle cycle) {
        for (int i = 0; i < 2 * pages->PageCount(); ++i) ASSERT_TRUE(cycle(i)); // caches settle
        const int cycles = SoakCycles();
        const GuiObjects before = CountGuiObjects();
        const DWORD start = GetTickCount();
        int failures = 0;
        for (int i = 0; i < cycles; ++i) failures += cycle(i) ? 0 : 1;
        const DWORD elapsed = GetTickCount() - start;
        Pump(50);
        const GuiObjects after = CountGuiObjects();
        EXPECT_EQ(failures, 0);
        std::printf("%s: %d cycles over %d pages in %lu ms\n", name, cycles, pages->PageCount(),
                    static_cast<unsigned long>(elapsed));
        std::printf("%s: GDI objects %d -> %d, USER objects %d -> %d\n", name, before.GdiTotal(),
                    after.GdiTotal(), before.UserTotal(), after.UserTotal());
        EXPECT_GT(before.GdiTotal(), 0) << "the counter must see something, or it proves nothing";
        // A leak in the cycle grows by hundreds; the slack covers what the system libraries make
        // once and keep.
        EXPECT_TRUE(GrewAtMost(before, after, 8));
    }

    TApplication* app = nullptr;
    TGalleryForm* gallery = nullptr;
    TSkinData* data = nullptr;
    TPageControl* pages = nullptr;
};

TEST_F(GallerySoak, ActiveOffAndOnWithEveryPageLeavesTheCountsFlat) {
    Soak("active off and on", [&](int i) {
        ShowPageOf(i);
        return ActiveOffAndOn();
    });
    EXPECT_TRUE(Skinned());
}

TEST_F(GallerySoak, SkinChangesWithEveryPageLeaveTheCountsFlat) {
    const std::vector<uint8_t> stored = data->PackedSkin();
    const std::vector<uint8_t> other = EditedSkin("Frame=2", "Frame=1"); // twice the borders
    const int caption = Skin()->Sizes.caption;
    ASSERT_TRUE(ChangeSkin(other, caption * 2)) << "the other skin must change the caption";
    Soak("skin changes", [&](int i) {
        ShowPageOf(i);
        return i % 2 == 0 ? ChangeSkin(stored, caption) : ChangeSkin(other, caption * 2);
    });
}

} // namespace
} // namespace kv::test
