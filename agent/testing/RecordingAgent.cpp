#include "agent/testing/RecordingAgent.h"

#include "agent/binding/Agent.h"
#include "agent/binding/DispatchObject.h"

#include <map>
#include <optional>

namespace kv::agent::testing {

struct Failure {
    std::string operation;
    std::optional<std::wstring> argument;
    HRESULT code;
    std::wstring text;
};

struct RecordingAgent::State {
    std::vector<std::string> log;
    std::vector<Failure> failures;
    std::vector<std::wstring> animations;
    std::map<std::wstring, unsigned> loaded; // upper-cased id -> generation of its load
    unsigned generation = 0;
    bool staleFails = true;

    void Record(const std::wstring& line) { log.push_back(ToUtf8(line)); }
    void MaybeFail(std::string_view operation, const CallArgs& args) const;
};

namespace {

using StatePtr = std::shared_ptr<RecordingAgent::State>;

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(towupper(c));
    return s;
}

std::wstring ArgList(const CallArgs& args) {
    std::wstring out = L"(";
    for (size_t i = 0; i < args.Count(); ++i) out += (i ? L", " : L"") + args.Describe(i);
    return out + L")";
}

enum : DISPID { kCharacters = 1, kLoad, kUnload, kCharacter };
enum : DISPID { kMoveTo = 1, kLanguageId, kShow, kHide, kSpeak, kStopAll, kPlay };

const DispatchMember kControlMembers[] = {{L"Characters", kCharacters}};
const DispatchMember kCollectionMembers[] = {
    {L"Load", kLoad}, {L"Unload", kUnload}, {L"Character", kCharacter}};
const DispatchMember kCharacterMembers[] = {
    {L"MoveTo", kMoveTo}, {L"LanguageID", kLanguageId}, {L"Show", kShow}, {L"Hide", kHide},
    {L"Speak", kSpeak},   {L"StopAll", kStopAll},       {L"Play", kPlay}};

class RecordingCharacter final : public DispatchObject {
public:
    RecordingCharacter(StatePtr state, std::wstring id, unsigned generation)
        : DispatchObject(kCharacterMembers, L"RecordingAgent"), state_(std::move(state)),
          id_(std::move(id)), generation_(generation) {}

protected:
    void Call(DISPID id, WORD, const CallArgs& args, VARIANT*) override {
        std::string operation = ToUtf8(kCharacterMembers[id - 1].name);
        if (id == kLanguageId)
            state_->Record(id_ + L".LanguageID = " + std::to_wstring(Value(args)));
        else
            state_->Record(id_ + L"." + kCharacterMembers[id - 1].name + ArgList(args));
        if (state_->staleFails && Stale())
            throw DispatchFault{E_FAIL, L"The character is not loaded."};
        state_->MaybeFail(operation, args);
        if (id == kPlay) CheckAnimation(args.String(0));
    }

private:
    static long Value(const CallArgs& args) {
        if (!args.IsPut()) throw DispatchFault{DISP_E_MEMBERNOTFOUND, L"LanguageID is write-only"};
        Variant v;
        if (FAILED(VariantChangeType(v.put(), const_cast<VARIANT*>(args.Value().get()), 0, VT_I4)))
            throw DispatchFault{DISP_E_TYPEMISMATCH, L"Type mismatch"};
        return V_I4(v.get());
    }
    bool Stale() const {
        auto it = state_->loaded.find(Upper(id_));
        return it == state_->loaded.end() || it->second != generation_;
    }
    void CheckAnimation(const std::wstring& name) const {
        if (state_->animations.empty()) return;
        for (const std::wstring& known : state_->animations)
            if (Upper(known) == Upper(name)) return;
        throw DispatchFault{E_INVALIDARG, L"The animation \"" + name + L"\" does not exist."};
    }

    StatePtr state_;
    std::wstring id_;
    unsigned generation_;
};

class RecordingCharacters final : public DispatchObject {
public:
    explicit RecordingCharacters(StatePtr state)
        : DispatchObject(kCollectionMembers, L"RecordingAgent"), state_(std::move(state)) {}

protected:
    void Call(DISPID id, WORD, const CallArgs& args, VARIANT* result) override {
        const wchar_t* name = kCollectionMembers[id - kLoad].name;
        state_->Record(std::wstring(L"Characters.") + name + ArgList(args));
        state_->MaybeFail("Characters." + ToUtf8(name), args);
        std::wstring key = Upper(args.String(0));
        if (id == kLoad) state_->loaded[key] = ++state_->generation;
        if (id == kUnload) state_->loaded.erase(key);
        if (id == kCharacter) ReturnCharacter(args.String(0), key, result);
    }

private:
    void ReturnCharacter(const std::wstring& id, const std::wstring& key, VARIANT* result) {
        auto it = state_->loaded.find(key);
        if (it == state_->loaded.end())
            throw DispatchFault{E_INVALIDARG, L"The character \"" + id + L"\" is not loaded."};
        auto character = ComPtr<IDispatch>::Adopt(new RecordingCharacter(state_, id, it->second));
        ReturnObject(result, character.get());
    }

    StatePtr state_;
};

class RecordingControl final : public DispatchObject {
public:
    explicit RecordingControl(StatePtr state)
        : DispatchObject(kControlMembers, L"RecordingAgent"), state_(std::move(state)) {}

protected:
    void Call(DISPID, WORD, const CallArgs&, VARIANT* result) override {
        auto characters = ComPtr<IDispatch>::Adopt(new RecordingCharacters(state_));
        ReturnObject(result, characters.get());
    }

private:
    StatePtr state_;
};

} // namespace

static bool HasArgument(const CallArgs& args, const std::wstring& wanted) {
    for (size_t i = 0; i < args.Count(); ++i)
        if (args.Has(i) && args.Raw(i).type() == VT_BSTR && Upper(args.String(i)) == Upper(wanted))
            return true;
    return false;
}

void RecordingAgent::State::MaybeFail(std::string_view operation, const CallArgs& args) const {
    for (const Failure& f : failures) {
        if (f.operation != operation) continue;
        if (f.argument && !HasArgument(args, *f.argument)) continue;
        throw DispatchFault{f.code, f.text};
    }
}

RecordingAgent::RecordingAgent() : state_(std::make_shared<State>()) {}
RecordingAgent::~RecordingAgent() = default;

ComPtr<IDispatch> RecordingAgent::NewControl() const {
    return ComPtr<IDispatch>::Adopt(new RecordingControl(state_));
}

void RecordingAgent::InstallAsFallback() const {
    StatePtr state = state_;
    SetAgentFallback(
        [state](HWND) { return ComPtr<IDispatch>::Adopt(new RecordingControl(state)); });
}

void RecordingAgent::RemoveFallback() {
    SetAgentFallback(nullptr);
}

std::vector<std::string> RecordingAgent::Log() const {
    return state_->log;
}
void RecordingAgent::ClearLog() {
    state_->log.clear();
}

void RecordingAgent::Fail(std::string_view operation, HRESULT code, std::wstring text) {
    state_->failures.push_back({std::string(operation), std::nullopt, code, std::move(text)});
}

void RecordingAgent::FailWhen(std::string_view operation, std::wstring firstArgument, HRESULT code,
                              std::wstring text) {
    state_->failures.push_back(
        {std::string(operation), std::move(firstArgument), code, std::move(text)});
}

void RecordingAgent::ClearFailures() {
    state_->failures.clear();
}
void RecordingAgent::SetAnimations(std::vector<std::wstring> names) {
    state_->animations = std::move(names);
}
void RecordingAgent::SetStaleCharactersFail(bool fail) {
    state_->staleFails = fail;
}

bool RecordingAgent::IsLoaded(const std::wstring& id) const {
    return state_->loaded.count(Upper(id)) != 0;
}

} // namespace kv::agent::testing
