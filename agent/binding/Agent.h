#pragma once
// TAgent: the Microsoft Agent control of the viewer, and TAgentCharacter, a character it has
// loaded. Every operation is a late-bound call by name, so the system's control, the built-in
// player and the tests' recording double are driven through exactly the same COM path.
//
// Creation (TAgent::Create):
//   1. the system's control, CoCreateInstance of CLSID {D45FD31B-5C6E-11D1-9EC1-00C04FD7081F}
//      (then "Connected" := true, failure of that ignored);
//   2. when that fails, the registered fallback provider's stand-in (SetAgentFallback);
//   3. with neither, AgentError carrying the system's HRESULT (REGDB_E_CLASSNOTREG on a system
//      without Agent) — the caller shows its not-installed message.
//   Environment KELVORINE_AGENT: "system" = step 1 only (the not-installed path stays
//   testable); "builtin" = step 2 only. Anything else or unset: 1 then 2.
//   TAgent initialises COM (apartment-threaded) for its lifetime on the creating thread; all
//   calls belong to that thread.
//
// Operations (all throw AgentError with the failing HRESULT and text; nothing is retried):
//   TAgent:          Unload(id)  -> Characters.Unload(id)
//                    Load(id, path) -> Characters.Load(id, path), path as a VT_BSTR
//                    Character(id)  -> Characters.Character(id), the character object
//   TAgentCharacter: MoveTo(x, y, speed) VT_I2, VT_I2, VT_I4; GestureAt(x, y) VT_I2, VT_I2
//                    (screen point); SetLanguageID(id) property put
//                    VT_I4; Show(fast) VT_I4; Hide(fast) VT_I4; Speak(text) / Speak(text, url)
//                    VT_BSTR; StopAll(types) VT_BSTR; Play(name) VT_BSTR; SetIdleOn(on)
//                    property put VT_BOOL (idle animations between requests).
//   Request objects the control returns are released at once; nothing waits for completion.
//   A default-constructed TAgentCharacter is empty: every operation on it throws
//   AgentError(E_POINTER, "Invalid variant operation").
#include "agent/binding/AgentError.h"
#include "agent/binding/ComPtr.h"
#include "agent/binding/LateBound.h"

#include <functional>
#include <memory>
#include <string>

namespace kv::agent {

// The system control's class.
extern const CLSID kAgentControlClsid;

// Makes a stand-in control for `owner`: an IDispatch with the control's late-bound members
// ("Characters" property with Load, Unload and Character). Returns the new reference (owned
// by the caller) or null when it cannot.
using AgentFallback = std::function<ComPtr<IDispatch>(HWND owner)>;

// Registers the provider used when the system control cannot be created; an empty function
// removes it. Process-wide; the last registration wins.
void SetAgentFallback(AgentFallback provider);
bool HasAgentFallback();

enum class AgentSource { System, Fallback };

class TAgentCharacter {
public:
    TAgentCharacter() = default;
    explicit TAgentCharacter(LateBound character) : character_(std::move(character)) {}

    void MoveTo(short x, short y, long speed) const;
    void GestureAt(short x, short y) const;
    void SetLanguageID(long languageId) const;
    void SetIdleOn(bool on) const;
    void Show(long fast = 0) const;
    void Hide(long fast = 0) const;
    void Speak(const std::wstring& text) const;
    void Speak(const std::wstring& text, const std::wstring& url) const;
    void StopAll(const std::wstring& types = L"") const;
    void Play(const std::wstring& animation) const;

    bool Empty() const { return !character_; }
    const LateBound& Dispatch() const { return character_; }

private:
    LateBound character_;
};

class TAgent {
public:
    // Throws AgentError when neither the system control nor a fallback can be had.
    static std::unique_ptr<TAgent> Create(HWND owner);
    // Wraps a control object the caller made (tests); COM must already be initialised.
    explicit TAgent(ComPtr<IDispatch> control, AgentSource source = AgentSource::Fallback);
    ~TAgent();
    TAgent(const TAgent&) = delete;
    TAgent& operator=(const TAgent&) = delete;

    void Unload(const std::wstring& id) const;
    void Load(const std::wstring& id, const std::wstring& path) const;
    TAgentCharacter Character(const std::wstring& id) const;

    AgentSource Source() const { return source_; }
    const LateBound& Control() const { return control_; }

private:
    struct Apartment;
    TAgent(std::unique_ptr<Apartment> apartment, ComPtr<IDispatch> control, AgentSource source);
    LateBound Characters() const;

    std::unique_ptr<Apartment> apartment_; // released last: outlives the control reference
    LateBound control_;
    AgentSource source_;
};

} // namespace kv::agent
