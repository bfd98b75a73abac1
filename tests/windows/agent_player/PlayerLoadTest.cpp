// Loading characters and the failures the viewer relies on: missing, foreign and damaged
// files, unknown animations, characters that are gone.
#include "PlayerFixture.h"

#include "agent/acs/AcsWriter.h"
#include "base/Pixels.h"

#include <windows.h>

#include <fstream>
#include <random>

namespace kv::agent::testing {
namespace {

std::filesystem::path WriteBytes(const std::wstring& name, const std::vector<uint8_t>& bytes) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::filesystem::path path = std::filesystem::path(temp) / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

AgentError LoadError(TAgent& agent, const std::filesystem::path& path) {
    try {
        agent.Load(L"Bob", path.wstring());
    } catch (const AgentError& e) {
        return e;
    }
    ADD_FAILURE() << "loaded " << path.string();
    return AgentError(S_OK, L"-", L"");
}

TEST_F(PlayerTest, LoadRaisesForMissingForeignAndDamagedFiles) {
    AgentError missing = LoadError(*agent, L"Z:\\no such folder\\none.acs");
    EXPECT_EQ(missing.Code(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(LoadError(*agent, L"").Code(), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

    std::vector<uint8_t> text = {'h', 'e', 'l', 'l', 'o', '\n'};
    EXPECT_FALSE(LoadError(*agent, WriteBytes(L"kv-text.acs", text)).Text().empty());

    std::vector<uint8_t> good;
    std::string why;
    ASSERT_TRUE(WriteAcs(MakeTestCharacter(), good, why));
    std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() / 2);
    EXPECT_FALSE(LoadError(*agent, WriteBytes(L"kv-cut.acs", cut)).Text().empty());
    // A failed load leaves the loaded character alone.
    bob.Play(L"Timed");
}

TEST_F(PlayerTest, ScrambledFilesNeverCrashTheLoader) {
    std::vector<uint8_t> good;
    std::string why;
    ASSERT_TRUE(WriteAcs(MakeTestCharacter(), good, why));
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        std::vector<uint8_t> bad = good;
        for (int k = 0; k < 24; ++k) bad[4 + rng() % (bad.size() - 4)] = uint8_t(rng());
        std::filesystem::path path = WriteBytes(L"kv-scrambled.acs", bad);
        try {
            agent->Load(L"Other", path.wstring());
            agent->Character(L"Other").Play(L"Timed");
        } catch (const AgentError&) {
        }
    }
    PumpFor(100);
    agent->Unload(L"Other");
}

TEST_F(PlayerTest, PlayOfAnUnknownNameRaisesAndNamesAreComparedWithoutCase) {
    try {
        bob.Play(L"Fly");
        ADD_FAILURE() << "Play of a missing animation succeeded";
    } catch (const AgentError& e) {
        EXPECT_EQ(e.Operation(), L"Play");
        EXPECT_NE(e.Text().find(L"Fly"), std::wstring::npos);
    }
    bob.Play(L"tIMED");
    EXPECT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
}

TEST_F(PlayerTest, CharactersAreGoneAfterUnloadAndCallsOnThemRaise) {
    HWND window = CharacterWindow();
    ASSERT_TRUE(IsWindow(window));
    agent->Unload(L"bob");
    EXPECT_FALSE(IsWindow(window));
    EXPECT_THROW(bob.StopAll(L""), AgentError);
    EXPECT_THROW(agent->Character(L"Bob"), AgentError);
    agent->Unload(L"Bob"); // nothing loaded: no failure
    agent->Load(L"Bob", CharacterPath().wstring());
    agent->Character(L"Bob").Play(L"Timed");
}

TEST_F(PlayerTest, TheCharacterWindowIsATopmostLayeredToolWindow) {
    LONG_PTR ex = GetWindowLongPtrW(CharacterWindow(), GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(CharacterWindow(), &key, &alpha, &flags));
    EXPECT_TRUE(flags & LWA_COLORKEY);
    for (uint32_t colour : kTestColours) {
        if (colour == kTestColours[0]) continue;
        EXPECT_NE(key, kv::ToColorRef(colour)) << "the key must not hide a colour of the character";
    }
}

} // namespace
} // namespace kv::agent::testing
