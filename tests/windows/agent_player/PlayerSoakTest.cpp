// Many characters' lives in a row: load, show, idle, hide, unload, with the process's window
// and GDI object counts flat afterwards.
#include "PlayerFixture.h"

#include "agent/player/PlayerHooks.h"
#include "tests/windows/support/GuiObjects.h"

#include <windows.h>

#include <cstdlib>

namespace kv::agent::testing {
namespace {

TEST_F(PlayerTest, AThousandLivesLeaveTheHandleCountsFlat) {
    // Every step as fast as the engine allows, idle after its shortest wait, and the shell's
    // slow notification area left out (TrayIconComesAndGoesWithTheCharacter covers it).
    player::PlayerTuning tuning;
    tuning.timeScale = 0;
    tuning.seed = 7;
    tuning.idleScale = 0;
    tuning.shellTray = false;
    player::SetPlayerTuning(tuning);
    std::filesystem::path path = WriteTestCharacter(MakeIdleCharacter(), L"kv-soak.acs");
    auto live = [&] {
        events.clear();
        agent->Load(L"Soak", path.wstring());
        TAgentCharacter c = agent->Character(L"Soak");
        c.Show(0);
        bool idled = PumpUntil([&] { return !IdleStarts().empty(); }, 3000);
        c.Hide(0);
        bool hidden = PumpUntil([&] { return Count(Kind::Hidden) == 1; }, 3000);
        agent->Unload(L"Soak");
        return idled && hidden;
    };
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(live()); // caches settle
    kv::test::GuiObjects before = kv::test::CountGuiObjects();
    int failures = 0;
    // KV_SOAK_CYCLES shortens the run by hand; about 0.17 s a cycle under Wine.
    int cycles = std::getenv("KV_SOAK_CYCLES") ? std::atoi(std::getenv("KV_SOAK_CYCLES")) : 1000;
    double start = player::NowMs();
    for (int i = 0; i < cycles; ++i) failures += live() ? 0 : 1;
    kv::test::GuiObjects after = kv::test::CountGuiObjects();
    EXPECT_EQ(failures, 0);
    std::printf("soak: %d cycles in %.0f ms\n", cycles, player::NowMs() - start);
    std::printf("soak: GDI objects %d -> %d, USER objects %d -> %d (windows %d -> %d)\n",
                before.GdiTotal(), after.GdiTotal(), before.UserTotal(), after.UserTotal(),
                before.windows, after.windows);
    EXPECT_GT(before.GdiTotal(), 0) << "the counter must see something, or it proves nothing";
    // A leak in the cycle grows by hundreds; the slack covers one-time objects of the system
    // libraries (a run on a heavily loaded machine once ended 3 bitmaps up: one icon's worth).
    EXPECT_TRUE(kv::test::GrewAtMost(before, after, 8));
}

} // namespace
} // namespace kv::agent::testing
