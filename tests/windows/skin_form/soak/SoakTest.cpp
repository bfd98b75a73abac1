// Long runs of skinning on and off and of run-time skin changes over three open windows, with
// the process's GDI and USER object counts flat afterwards.
//
// The actions normally run after the manager's 250 ms delay; 2000 of them would wait more than
// eight minutes, so the first cycles go through the real delay and the rest call what its tick
// runs (RunPendingAction) as soon as the request is made.
#include "tests/windows/skin_form/SkinFiles.h"
#include "tests/windows/skin_form/SkinFixture.h"

#include "skin/data/SkinWrite.h"
#include "tests/windows/support/GuiObjects.h"

#include <cstdio>
#include <cstdlib>

namespace kv::test {
namespace {

int SoakCycles() {
    // KV_SOAK_CYCLES shortens a run by hand.
    const char* text = std::getenv("KV_SOAK_CYCLES");
    return text ? std::atoi(text) : 1000;
}

// Pumps until the condition holds, without the fixed wait that WaitFor takes after each pass
// (it would add seconds over a thousand cycles).
template <class F> bool Settle(F condition, DWORD ms = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (condition()) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// The stored skin with every "Frame=2" made "Frame=1": same images, twice the border sizes.
std::vector<uint8_t> OtherGeometrySkin() {
    return EditedSkin("Frame=2", "Frame=1");
}

class SkinSoak : public SkinnedForm {
protected:
    void SetUp() override {
        SkinnedForm::SetUp();
        for (int i = 0; i < 2; ++i) {
            TForm* other = app->CreateForm<TForm>();
            other->SetBounds(520 + 40 * i, 120 + 40 * i, 320, 240);
            other->SetCaption("Soak " + std::to_string(i + 1));
            others.push_back(other);
        }
        for (TForm* f : Windows()) ShowSkinned(f);
    }

    std::vector<TForm*> Windows() const {
        std::vector<TForm*> all{form};
        all.insert(all.end(), others.begin(), others.end());
        return all;
    }

    bool AllSkinned() const {
        for (TForm* f : Windows()) {
            TWinSkinForm* skin = SkinManager->FindForm(f->Handle());
            if (!skin || skin->SkinState != 1 || skin->FramePaints == 0) return false;
        }
        return true;
    }
    bool NoneSkinned() const {
        if (!SkinManager->Forms().empty()) return false;
        for (TForm* f : Windows())
            if (SendMessageW(f->Handle(), WM_SKINQUERY, 0, 0) == 1) return false;
        return true;
    }

    // One request as the delay's tick would run it; through the real delay when `timed`.
    static bool RunAction(bool timed) {
        if (timed) return WaitFor([] { return !SkinManager->TimerRunning(); });
        SkinManager->RunPendingAction();
        return !SkinManager->TimerRunning();
    }

    bool ActiveOffAndOn(bool timed) {
        data->SetActive(false);
        const bool ran = RunAction(timed);
        const bool off = Settle([&] { return NoneSkinned(); });
        data->SetActive(true);
        const bool ranAgain = RunAction(timed);
        const bool on = Settle([&] { return AllSkinned(); });
        return ran && off && ranAgain && on;
    }

    // Loads `packed` and waits until every window wears a caption of `caption` pixels.
    bool ChangeSkin(const std::vector<uint8_t>& packed, int caption, bool timed) {
        if (!data->LoadSkinBytes(packed)) return false;
        const bool ran = RunAction(timed);
        return ran && Settle([&] {
                   for (TForm* f : Windows()) {
                       TWinSkinForm* skin = SkinManager->FindForm(f->Handle());
                       if (!skin || skin->SkinState != 1 || skin->Sizes.caption != caption ||
                           skin->CaptionButtons.empty())
                           return false;
                   }
                   return true;
               });
    }

    // Counts, runs and reports `cycles` calls of one cycle; the counts must end where they began.
    template <class Cycle> void Soak(const char* name, Cycle cycle) {
        const int cycles = SoakCycles();
        const GuiObjects before = CountGuiObjects();
        const DWORD start = GetTickCount();
        int failures = 0;
        for (int i = 0; i < cycles; ++i) failures += cycle(i) ? 0 : 1;
        const DWORD elapsed = GetTickCount() - start;
        Pump(50); // the last repaints
        const GuiObjects after = CountGuiObjects();
        EXPECT_EQ(failures, 0);
        std::printf("%s: %d cycles in %lu ms\n", name, cycles, static_cast<unsigned long>(elapsed));
        std::printf("%s: GDI objects %d -> %d, USER objects %d -> %d\n", name, before.GdiTotal(),
                    after.GdiTotal(), before.UserTotal(), after.UserTotal());
        EXPECT_GT(before.GdiTotal(), 0) << "the counter must see something, or it proves nothing";
        // A leak in the cycle grows by hundreds; the slack covers objects the system libraries
        // make once and keep (Wine's cached DCs for windows, an icon's bitmaps).
        EXPECT_TRUE(GrewAtMost(before, after, 8));
    }

    std::vector<TForm*> others;
};

TEST_F(SkinSoak, ActiveOffAndOnAThousandTimesLeavesTheCountsFlat) {
    ASSERT_TRUE(AllSkinned());
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(ActiveOffAndOn(true)) << "through the delay, cycle " << i;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(ActiveOffAndOn(false)); // caches settle
    Soak("active off and on", [&](int) { return ActiveOffAndOn(false); });
    EXPECT_TRUE(AllSkinned());
}

TEST_F(SkinSoak, AThousandSkinChangesLeaveTheCountsFlat) {
    ASSERT_TRUE(AllSkinned());
    const std::vector<uint8_t> stored = StoredPackedSkin();
    const std::vector<uint8_t> other = OtherGeometrySkin();
    const int caption = SkinManager->FindForm(form->Handle())->Sizes.caption;
    // Each change alternates the geometry, so a change that did not reach a window shows.
    auto change = [&](int i, bool timed) {
        return i % 2 == 0 ? ChangeSkin(other, caption * 2, timed) : ChangeSkin(stored, caption, timed);
    };
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(change(i, true)) << "through the delay, change " << i;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(change(i, false)); // caches settle
    Soak("skin changes", [&](int i) { return change(i, false); });
}

} // namespace
} // namespace kv::test
