#pragma once
// RecordingAgent: a stand-in Agent control for tests. Its COM objects answer the same
// late-bound members as the system control (control.Characters; Characters.Load, Unload,
// Character; a character's MoveTo, LanguageID, Show, Hide, Speak, StopAll, Play), record every
// call with its arguments as a text line, in order, and fail any call they are told to.
//
// Log lines (UTF-8):  Characters.Unload("Bob")      Characters.Load("Bob", "Z:\a b\x.acs")
//                     Characters.Character("Bob")   Bob.MoveTo(200, 300, 2)
//                     Bob.LanguageID = 1033         Bob.Show(0)        Bob.Speak("Hi", "")
//                     Bob.StopAll("")               Bob.Play("Greet")
// Strings are quoted as they are (no escaping), integers bare, a missing argument "<none>".
// A failed call is logged like any other, then fails.
//
// Operations for failures: "Characters.Unload", "Characters.Load", "Characters.Character",
// "MoveTo", "LanguageID", "Show", "Hide", "Speak", "StopAll", "Play". A failing call returns
// DISP_E_EXCEPTION with the given code and text in its EXCEPINFO, so the binding raises
// AgentError(code, text). Built-in behaviour besides: Character(id) of an id that is not
// loaded fails; a character object from before an Unload or a later Load of its id fails
// every call ("The character is not loaded."), unless SetStaleCharactersFail(false); Play of
// a name outside SetAnimations (compared without case) fails when a list was set.
//
// The recorder and every object it made share one state; objects may outlive the recorder.
// UI thread only.
#include "agent/binding/ComPtr.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv::agent::testing {

class RecordingAgent {
public:
    RecordingAgent();
    ~RecordingAgent();

    // A new control object on this recorder (the caller owns the reference).
    ComPtr<IDispatch> NewControl() const;
    // Registers NewControl as the binding's fallback provider; RemoveFallback clears it.
    void InstallAsFallback() const;
    static void RemoveFallback();

    std::vector<std::string> Log() const;
    void ClearLog();

    // Every later call of `operation` fails.
    void Fail(std::string_view operation, HRESULT code, std::wstring text);
    // Later calls of `operation` with a string argument equal to `argument` (without case) fail.
    void FailWhen(std::string_view operation, std::wstring argument, HRESULT code,
                  std::wstring text);
    void ClearFailures();

    void SetAnimations(std::vector<std::wstring> names);
    void SetStaleCharactersFail(bool fail);
    bool IsLoaded(const std::wstring& id) const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace kv::agent::testing
