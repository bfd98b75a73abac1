#include "agent/binding/Agent.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

namespace kv::agent {

// {D45FD31B-5C6E-11D1-9EC1-00C04FD7081F}
const CLSID kAgentControlClsid = {
    0xD45FD31B, 0x5C6E, 0x11D1, {0x9E, 0xC1, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x1F}};

namespace {

std::mutex g_fallbackLock;
AgentFallback g_fallback;

AgentFallback CurrentFallback() {
    std::lock_guard lock(g_fallbackLock);
    return g_fallback;
}

std::string_view SourceSwitch() {
    const char* value = std::getenv("KELVORINE_AGENT");
    return value ? std::string_view(value) : std::string_view();
}

ComPtr<IDispatch> CreateSystemControl(HRESULT& failure) {
    ComPtr<IDispatch> control;
    failure =
        CoCreateInstance(kAgentControlClsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                         IID_IDispatch, reinterpret_cast<void**>(control.put()));
    if (FAILED(failure)) control.reset();
    return control;
}

// The control only talks to the service once connected; a control hosted without a site
// needs to be told.
void Connect(const ComPtr<IDispatch>& control) {
    try {
        LateBound(control).Put(L"Connected", Variant(true));
    } catch (const AgentError&) {
    }
}

} // namespace

struct TAgent::Apartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~Apartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

void SetAgentFallback(AgentFallback provider) {
    std::lock_guard lock(g_fallbackLock);
    g_fallback = std::move(provider);
}

bool HasAgentFallback() {
    std::lock_guard lock(g_fallbackLock);
    return static_cast<bool>(g_fallback);
}

std::unique_ptr<TAgent> TAgent::Create(HWND owner) {
    auto apartment = std::make_unique<Apartment>();
    std::string_view mode = SourceSwitch();
    HRESULT failure = REGDB_E_CLASSNOTREG;
    if (mode != "builtin") {
        if (ComPtr<IDispatch> control = CreateSystemControl(failure)) {
            Connect(control);
            return std::unique_ptr<TAgent>(
                new TAgent(std::move(apartment), std::move(control), AgentSource::System));
        }
    }
    if (mode != "system") {
        if (AgentFallback provider = CurrentFallback()) {
            if (ComPtr<IDispatch> control = provider(owner))
                return std::unique_ptr<TAgent>(
                    new TAgent(std::move(apartment), std::move(control), AgentSource::Fallback));
        }
    }
    throw AgentError(failure, L"", L"CreateAgent");
}

TAgent::TAgent(ComPtr<IDispatch> control, AgentSource source)
    : control_(std::move(control)), source_(source) {}

TAgent::TAgent(std::unique_ptr<Apartment> apartment, ComPtr<IDispatch> control, AgentSource source)
    : apartment_(std::move(apartment)), control_(std::move(control)), source_(source) {}

TAgent::~TAgent() {
    control_ = LateBound(); // before the apartment goes
}

LateBound TAgent::Characters() const {
    return control_.GetObject(L"Characters", {}, DISPATCH_PROPERTYGET);
}

void TAgent::Unload(const std::wstring& id) const {
    Characters().Call(L"Unload", {Variant(id)});
}

void TAgent::Load(const std::wstring& id, const std::wstring& path) const {
    Characters().Call(L"Load", {Variant(id), Variant(path)});
}

TAgentCharacter TAgent::Character(const std::wstring& id) const {
    return TAgentCharacter(Characters().GetObject(L"Character", {Variant(id)}));
}

void TAgentCharacter::MoveTo(short x, short y, long speed) const {
    character_.Call(L"MoveTo", {Variant(x), Variant(y), Variant(speed)});
}

void TAgentCharacter::GestureAt(short x, short y) const {
    character_.Call(L"GestureAt", {Variant(x), Variant(y)});
}

void TAgentCharacter::SetLanguageID(long languageId) const {
    character_.Put(L"LanguageID", Variant(languageId));
}

void TAgentCharacter::SetIdleOn(bool on) const {
    character_.Put(L"IdleOn", Variant(on));
}

void TAgentCharacter::Show(long fast) const {
    character_.Call(L"Show", {Variant(fast)});
}

void TAgentCharacter::Hide(long fast) const {
    character_.Call(L"Hide", {Variant(fast)});
}

void TAgentCharacter::Speak(const std::wstring& text) const {
    character_.Call(L"Speak", {Variant(text)});
}

void TAgentCharacter::Speak(const std::wstring& text, const std::wstring& url) const {
    character_.Call(L"Speak", {Variant(text), Variant(url)});
}

void TAgentCharacter::StopAll(const std::wstring& types) const {
    character_.Call(L"StopAll", {Variant(types)});
}

void TAgentCharacter::Play(const std::wstring& animation) const {
    character_.Call(L"Play", {Variant(animation)});
}

} // namespace kv::agent
