// The Agent binding driven through the recording control: the late-bound calls, their
// arguments and order, raised failures, and how the control is chosen.
#include "agent/binding/Agent.h"
#include "agent/testing/RecordingAgent.h"

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdlib>

using kv::agent::AgentError;
using kv::agent::AgentSource;
using kv::agent::TAgent;
using kv::agent::TAgentCharacter;
using kv::agent::testing::RecordingAgent;
using ::testing::ElementsAre;

namespace {

class EnvSwitch {
public:
    explicit EnvSwitch(const char* value) { _putenv_s("KELVORINE_AGENT", value); }
    ~EnvSwitch() { _putenv_s("KELVORINE_AGENT", ""); }
};

class AgentBinding : public ::testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        RecordingAgent::RemoveFallback();
        CoUninitialize();
    }
    RecordingAgent recorder;
};

template <class F> AgentError Raised(F&& f) {
    try {
        f();
    } catch (const AgentError& e) {
        return e;
    }
    ADD_FAILURE() << "no AgentError raised";
    return AgentError(S_OK, L"none", L"");
}

TEST_F(AgentBinding, EveryOperationReachesTheControlByNameWithItsArguments) {
    TAgent agent(recorder.NewControl());
    agent.Unload(L"Bob");
    agent.Load(L"Bob", L"Z:\\a b\\x.acs");
    TAgentCharacter bob = agent.Character(L"Bob");
    bob.MoveTo(200, 300, 2);
    bob.SetLanguageID(1033);
    bob.Show(0);
    bob.Speak(L"Hello, can i help you?");
    bob.StopAll(L"");
    bob.Play(L"Greet");
    bob.Speak(L"Pipis unable to Fly!", L"");
    bob.Hide();
    EXPECT_THAT(
        recorder.Log(),
        ElementsAre("Characters.Unload(\"Bob\")", "Characters.Load(\"Bob\", \"Z:\\a b\\x.acs\")",
                    "Characters.Character(\"Bob\")", "Bob.MoveTo(200, 300, 2)",
                    "Bob.LanguageID = 1033", "Bob.Show(0)", "Bob.Speak(\"Hello, can i help you?\")",
                    "Bob.StopAll(\"\")", "Bob.Play(\"Greet\")",
                    "Bob.Speak(\"Pipis unable to Fly!\", \"\")", "Bob.Hide(0)"));
}

TEST_F(AgentBinding, PathsKeepCharactersOutsideTheAnsiCodePage) {
    TAgent agent(recorder.NewControl());
    agent.Load(L"Bob", L"C:\\\u00fcber \u5b57\\\u0416.acs");
    EXPECT_THAT(recorder.Log(), ElementsAre("Characters.Load(\"Bob\", \"C:\\\xc3\xbc"
                                            "ber "
                                            "\xe5\xad\x97\\\xd0\x96.acs\")"));
}

TEST_F(AgentBinding, EachFailedOperationRaisesItsCodeAndText) {
    const char* operations[] = {"Characters.Unload",
                                "Characters.Load",
                                "Characters.Character",
                                "MoveTo",
                                "LanguageID",
                                "Show",
                                "Hide",
                                "Speak",
                                "StopAll",
                                "Play"};
    for (const char* op : operations) {
        RecordingAgent fresh;
        TAgent agent(fresh.NewControl());
        agent.Load(L"Bob", L"x.acs");
        TAgentCharacter bob = agent.Character(L"Bob");
        fresh.Fail(op, 0x80041234, L"failed on purpose");
        std::string name = op;
        auto run = [&] {
            if (name == "Characters.Unload") agent.Unload(L"Bob");
            if (name == "Characters.Load") agent.Load(L"Bob", L"y.acs");
            if (name == "Characters.Character") agent.Character(L"Bob");
            if (name == "MoveTo") bob.MoveTo(1, 2, 3);
            if (name == "LanguageID") bob.SetLanguageID(1033);
            if (name == "Show") bob.Show();
            if (name == "Hide") bob.Hide();
            if (name == "Speak") bob.Speak(L"hi");
            if (name == "StopAll") bob.StopAll();
            if (name == "Play") bob.Play(L"Wave");
        };
        AgentError e = Raised(run);
        EXPECT_EQ(e.Code(), static_cast<HRESULT>(0x80041234)) << op;
        EXPECT_EQ(e.Text(), L"failed on purpose") << op;
        EXPECT_STREQ(e.what(), "failed on purpose") << op;
    }
}

TEST_F(AgentBinding, FailuresCanBeLimitedToOneArgument) {
    recorder.FailWhen("Characters.Load", L"z:\\MISSING.acs", E_FAIL, L"file not found");
    recorder.SetAnimations({L"Greet", L"Show"});
    TAgent agent(recorder.NewControl());
    agent.Load(L"Bob", L"Z:\\good.acs");
    EXPECT_EQ(Raised([&] { agent.Load(L"Bob", L"Z:\\missing.acs"); }).Text(), L"file not found");
    TAgentCharacter bob = agent.Character(L"Bob");
    bob.Play(L"GREET");
    AgentError unknown = Raised([&] { bob.Play(L"Fly"); });
    EXPECT_EQ(unknown.Operation(), L"Play");
    EXPECT_NE(unknown.Text().find(L"Fly"), std::wstring::npos);
}

TEST_F(AgentBinding, CharactersAreGoneAfterUnloadAndBeforeLoad) {
    TAgent agent(recorder.NewControl());
    EXPECT_THROW(agent.Character(L"Bob"), AgentError);
    agent.Load(L"Bob", L"a.acs");
    TAgentCharacter old = agent.Character(L"Bob");
    agent.Unload(L"Bob");
    EXPECT_FALSE(recorder.IsLoaded(L"Bob"));
    EXPECT_THROW(old.StopAll(), AgentError);
    agent.Load(L"Bob", L"b.acs");
    EXPECT_THROW(old.Play(L"Wave"), AgentError) << "a reference from an earlier load";
    agent.Character(L"Bob").Play(L"Wave");
    recorder.SetStaleCharactersFail(false);
    old.Play(L"Wave");
}

TEST_F(AgentBinding, AnEmptyCharacterReferenceRaisesInsteadOfCrashing) {
    TAgentCharacter none;
    EXPECT_TRUE(none.Empty());
    AgentError e = Raised([&] { none.StopAll(L""); });
    EXPECT_EQ(e.Code(), E_POINTER);
    EXPECT_EQ(e.Text(), L"Invalid variant operation");
}

TEST_F(AgentBinding, UnknownMembersRaiseTheirName) {
    kv::agent::LateBound control(recorder.NewControl());
    AgentError e = Raised([&] { control.Call(L"Fly", {}); });
    EXPECT_EQ(e.Code(), DISP_E_UNKNOWNNAME);
    EXPECT_NE(e.Text().find(L"Fly"), std::wstring::npos);
}

TEST_F(AgentBinding, WithoutTheSystemControlTheFallbackStandsIn) {
    // Wine has no Agent control, so creation always reaches the fallback here.
    EXPECT_FALSE(kv::agent::HasAgentFallback());
    AgentError none = Raised([] { TAgent::Create(nullptr); });
    EXPECT_EQ(none.Code(), REGDB_E_CLASSNOTREG);

    HWND seen = reinterpret_cast<HWND>(1);
    kv::agent::SetAgentFallback([&](HWND owner) {
        seen = owner;
        return recorder.NewControl();
    });
    auto agent = TAgent::Create(nullptr);
    EXPECT_EQ(agent->Source(), AgentSource::Fallback);
    EXPECT_EQ(seen, nullptr);
    agent->Load(L"Bob", L"p.acs");
    EXPECT_THAT(recorder.Log(), ElementsAre("Characters.Load(\"Bob\", \"p.acs\")"));
}

TEST_F(AgentBinding, TheSwitchForcesTheSystemControlOnly) {
    recorder.InstallAsFallback();
    {
        EnvSwitch only("system");
        AgentError e = Raised([] { TAgent::Create(nullptr); });
        EXPECT_EQ(e.Code(), REGDB_E_CLASSNOTREG);
        EXPECT_FALSE(e.Text().empty());
    }
    {
        EnvSwitch builtin("builtin");
        EXPECT_EQ(TAgent::Create(nullptr)->Source(), AgentSource::Fallback);
    }
    EXPECT_EQ(TAgent::Create(nullptr)->Source(), AgentSource::Fallback);
}

TEST_F(AgentBinding, AFallbackThatGivesNothingMeansNoControl) {
    kv::agent::SetAgentFallback([](HWND) { return kv::agent::ComPtr<IDispatch>(); });
    EXPECT_THROW(TAgent::Create(nullptr), AgentError);
}

} // namespace
