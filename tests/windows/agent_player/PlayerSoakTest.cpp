// Many characters' lives in a row: load, show, idle, hide, unload, with the process's window
// and GDI object counts flat afterwards.
#include "PlayerFixture.h"

#include "agent/player/PlayerHooks.h"

#include <windows.h>

#include <cstdlib>

namespace kv::agent::testing {
namespace {

// Live objects of this process. GetGuiResources answers 0 under Wine, so the GDI count asks
// every handle slot (Wine takes a handle with a zero high word as that slot's object) and the
// window count enumerates this thread's windows. To be replaced by the shared Windows test
// library's counter when it is available to this program.
struct Objects {
    int gdi = 0;
    int windows = 0;
};

Objects CountObjects() {
    Objects o;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++o.gdi;
    if (o.gdi == 0) o.gdi = int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
        reinterpret_cast<LPARAM>(&o.windows));
    return o;
}

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
    Objects before = CountObjects();
    int failures = 0;
    // KV_SOAK_CYCLES shortens the run by hand; about 0.17 s a cycle under Wine.
    int cycles = std::getenv("KV_SOAK_CYCLES") ? std::atoi(std::getenv("KV_SOAK_CYCLES")) : 1000;
    double start = player::NowMs();
    for (int i = 0; i < cycles; ++i) failures += live() ? 0 : 1;
    Objects after = CountObjects();
    EXPECT_EQ(failures, 0);
    std::printf("soak: %d cycles in %.0f ms\n", cycles, player::NowMs() - start);
    std::printf("soak: GDI objects %d -> %d, windows %d -> %d\n", before.gdi, after.gdi,
                before.windows, after.windows);
    EXPECT_GT(before.gdi, 0) << "the counter must see something, or it proves nothing";
    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.windows, before.windows);
}

} // namespace
} // namespace kv::agent::testing
