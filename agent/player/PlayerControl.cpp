// The player's automation objects: the control, its Characters collection and the character
// objects, answering the same late-bound members as the system's Agent control.
#include "agent/acs/AcsReader.h"
#include "agent/binding/Agent.h"
#include "agent/binding/DispatchObject.h"
#include "agent/player/CharacterPlayer.h"
#include "agent/player/Player.h"

#include <cwctype>
#include <filesystem>
#include <map>
#include <memory>

namespace kv::agent::player {
namespace {

const wchar_t kSource[] = L"Kelvorine character player";

std::wstring Upper(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

DispatchFault NotLoaded(const std::wstring& id) {
    return {E_INVALIDARG, L"The character \"" + id + L"\" is not loaded."};
}

// Characters by upper-cased id. Shared by the control and its collection objects.
struct Roster {
    std::map<std::wstring, std::shared_ptr<CharacterPlayer>> characters;
};

Request Simple(Request::Kind kind, bool fast) {
    Request r;
    r.kind = kind;
    r.fast = fast;
    return r;
}

Request MoveRequest(const CallArgs& args) {
    Request r = Simple(Request::Kind::Move, false);
    r.x = static_cast<int>(args.Int(0));
    r.y = static_cast<int>(args.Int(1));
    r.speed = args.IntOr(2, 1000);
    return r;
}

Request GestureRequest(const CallArgs& args) {
    Request r = Simple(Request::Kind::Gesture, false);
    r.x = static_cast<int>(args.Int(0));
    r.y = static_cast<int>(args.Int(1));
    return r;
}

Request SpeakRequest(std::wstring text) {
    Request r = Simple(Request::Kind::Speak, false);
    r.text = std::move(text);
    return r;
}

enum : DISPID {
    kMoveTo = 1, kLanguageId, kShow, kHide, kSpeak, kStopAll, kPlay, kVisible, kIdleOn, kGestureAt
};
const DispatchMember kCharacterMembers[] = {
    {L"MoveTo", kMoveTo}, {L"LanguageID", kLanguageId}, {L"Show", kShow},
    {L"Hide", kHide},     {L"Speak", kSpeak},           {L"StopAll", kStopAll},
    {L"Play", kPlay},     {L"Visible", kVisible},       {L"IdleOn", kIdleOn},
    {L"GestureAt", kGestureAt}};

class CharacterObject final : public DispatchObject {
public:
    CharacterObject(std::weak_ptr<CharacterPlayer> player, std::wstring id)
        : DispatchObject(kCharacterMembers, kSource), player_(std::move(player)),
          id_(std::move(id)) {}

protected:
    void Call(DISPID id, WORD flags, const CallArgs& args, VARIANT* result) override {
        std::shared_ptr<CharacterPlayer> p = player_.lock();
        if (!p) throw NotLoaded(id_);
        switch (id) {
        case kMoveTo:
            return p->Enqueue(MoveRequest(args));
        case kGestureAt:
            return p->Enqueue(GestureRequest(args));
        case kLanguageId:
            return Language(*p, flags, args, result);
        case kShow:
            return p->Enqueue(Simple(Request::Kind::Show, args.IntOr(0, 0) != 0));
        case kHide:
            return p->Enqueue(Simple(Request::Kind::Hide, args.IntOr(0, 0) != 0));
        case kSpeak:
            return p->Enqueue(SpeakRequest(args.StringOr(0, L"")));
        case kStopAll:
            return p->StopAll();
        case kPlay:
            return Play(*p, args.String(0));
        case kIdleOn:
            return IdleOn(*p, args, result);
        case kVisible:
            if (result)
                V_VT(result) = VT_BOOL,
                V_BOOL(result) = p->Visible() ? VARIANT_TRUE : VARIANT_FALSE;
            return;
        }
    }

private:
    static void Language(CharacterPlayer& p, WORD flags, const CallArgs& args, VARIANT* result) {
        if (!args.IsPut()) {
            if (result) V_VT(result) = VT_I4, V_I4(result) = p.Language();
            return;
        }
        Variant v;
        if (FAILED(VariantChangeType(v.put(), const_cast<VARIANT*>(args.Value().get()), 0, VT_I4)))
            throw DispatchFault{DISP_E_TYPEMISMATCH, L"Type mismatch"};
        p.SetLanguage(V_I4(v.get()));
        (void)flags;
    }

    static void IdleOn(CharacterPlayer& p, const CallArgs& args, VARIANT* result) {
        if (!args.IsPut()) {
            if (result)
                V_VT(result) = VT_BOOL, V_BOOL(result) = p.IdleOn() ? VARIANT_TRUE : VARIANT_FALSE;
            return;
        }
        Variant v;
        if (FAILED(VariantChangeType(v.put(), const_cast<VARIANT*>(args.Value().get()), 0, VT_BOOL)))
            throw DispatchFault{DISP_E_TYPEMISMATCH, L"Type mismatch"};
        p.SetIdleOn(V_BOOL(v.get()) != VARIANT_FALSE);
    }

    static void Play(CharacterPlayer& p, const std::wstring& name) {
        const AcsAnimation* animation = p.Find(name);
        if (!animation)
            throw DispatchFault{E_INVALIDARG, L"The animation \"" + name + L"\" does not exist."};
        Request request = Simple(Request::Kind::Play, false);
        request.animation = animation;
        p.Enqueue(std::move(request));
    }

    std::weak_ptr<CharacterPlayer> player_;
    std::wstring id_;
};

enum : DISPID { kLoad = 1, kUnload, kCharacter };
const DispatchMember kCollectionMembers[] = {
    {L"Load", kLoad}, {L"Unload", kUnload}, {L"Character", kCharacter}};

class CharactersObject final : public DispatchObject {
public:
    explicit CharactersObject(std::shared_ptr<Roster> roster)
        : DispatchObject(kCollectionMembers, kSource), roster_(std::move(roster)) {}

protected:
    void Call(DISPID id, WORD, const CallArgs& args, VARIANT* result) override {
        std::wstring name = args.String(0);
        switch (id) {
        case kLoad:
            return Load(name, args.String(1));
        case kUnload:
            roster_->characters.erase(Upper(name)); // unloading nothing is no failure
            return;
        case kCharacter:
            return Character(name, result);
        }
    }

private:
    void Load(const std::wstring& id, const std::wstring& path) {
        std::error_code ec;
        std::filesystem::path file(path);
        if (path.empty() || !std::filesystem::is_regular_file(file, ec))
            throw DispatchFault{HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
                                L"The character file \"" + path + L"\" cannot be found."};
        AcsCharacter character;
        std::string error;
        if (!ReadAcsFile(file, character, error))
            throw DispatchFault{E_FAIL, L"\"" + path + L"\" is not a usable character file: " +
                                            Widen(error, CP_UTF8)};
        std::wstring why;
        std::unique_ptr<CharacterPlayer> player =
            CharacterPlayer::Create(id, std::move(character), why);
        if (!player) throw DispatchFault{E_FAIL, why};
        // A new load under a loaded id replaces that character.
        roster_->characters[Upper(id)] = std::move(player);
    }

    void Character(const std::wstring& id, VARIANT* result) {
        auto it = roster_->characters.find(Upper(id));
        if (it == roster_->characters.end()) throw NotLoaded(id);
        auto object = ComPtr<IDispatch>::Adopt(new CharacterObject(it->second, id));
        ReturnObject(result, object.get());
    }

    std::shared_ptr<Roster> roster_;
};

enum : DISPID { kCharacters = 1, kConnected };
const DispatchMember kControlMembers[] = {{L"Characters", kCharacters}, {L"Connected", kConnected}};

class PlayerControl final : public DispatchObject {
public:
    PlayerControl()
        : DispatchObject(kControlMembers, kSource), roster_(std::make_shared<Roster>()) {}
    ~PlayerControl() override { roster_->characters.clear(); } // closes the characters' windows

protected:
    void Call(DISPID id, WORD, const CallArgs& args, VARIANT* result) override {
        if (id == kConnected) {
            if (!args.IsPut() && result) V_VT(result) = VT_BOOL, V_BOOL(result) = VARIANT_TRUE;
            return;
        }
        auto characters = ComPtr<IDispatch>::Adopt(new CharactersObject(roster_));
        ReturnObject(result, characters.get());
    }

private:
    std::shared_ptr<Roster> roster_;
};

} // namespace

ComPtr<IDispatch> NewPlayerControl(HWND) {
    return ComPtr<IDispatch>::Adopt(new PlayerControl());
}

void InstallBuiltInPlayer() {
    SetAgentFallback(NewPlayerControl);
}

} // namespace kv::agent::player
