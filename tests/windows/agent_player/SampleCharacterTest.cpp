// The shipped sample character through the player: it loads, greets and speaks.
#include "PlayerFixture.h"

#include <cstdlib>

namespace kv::agent::testing {
namespace {

std::wstring SamplePath() {
    const char* root = std::getenv("KV_SOURCE_DIR");
    std::filesystem::path base = root ? std::filesystem::path(root) : std::filesystem::path(".");
    return (base / "assets" / "sample" / "Pip.acs").wstring();
}

TEST_F(PlayerTest, TheSampleCharacterLoadsShowsAndGreets) {
    agent->Load(L"Pip", SamplePath());
    TAgentCharacter pip = agent->Character(L"Pip");
    pip.MoveTo(200, 300, 2);
    pip.SetLanguageID(1033);
    pip.Show(0);
    pip.Speak(L"Hello, can i help you?");
    pip.Play(L"Greet");
    EXPECT_THROW(pip.Play(L"DoMagic1"), AgentError) << "not one of the sample's animations";
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::AnimationEnd, L"Greet") == 1; }, 8000));
    EXPECT_EQ(Events(Kind::BalloonText).back().text, L"Hello, can i help you?");
    EXPECT_TRUE(IsWindowVisible(player::PlayerWindows(L"Pip").character));
}

// Run by hand for a screenshot: --gtest_also_run_disabled_tests --gtest_filter=*Screenshot*
TEST_F(PlayerTest, DISABLED_ScreenshotOfTheGreeting) {
    Tune(1.0);
    agent->Load(L"Pip", SamplePath());
    TAgentCharacter pip = agent->Character(L"Pip");
    pip.MoveTo(200, 300, 2);
    pip.Show(0);
    pip.Speak(L"Hello, can i help you?");
    pip.Play(L"Greet");
    PumpFor(12000);
}

} // namespace
} // namespace kv::agent::testing
