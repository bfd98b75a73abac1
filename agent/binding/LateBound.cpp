#include "agent/binding/LateBound.h"

#include <vector>

namespace kv::agent {
namespace {

// Takes the description out of an automation exception and frees its strings.
std::wstring TakeDescription(EXCEPINFO& info, HRESULT& code) {
    if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
    if (info.scode != 0) code = info.scode;
    std::wstring text = info.bstrDescription ? info.bstrDescription : L"";
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return text;
}

} // namespace

DISPID LateBound::IdOf(const std::wstring& member) const {
    if (!object_) throw AgentError(E_POINTER, L"Invalid variant operation", member);
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member.c_str());
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw AgentError(hr, L"Method '" + member + L"' not supported by automation object",
                         member);
    return id;
}

Variant LateBound::Invoke(const std::wstring& member, WORD flags, VARIANT* args, UINT count,
                          bool propertyPut) const {
    DISPID id = IdOf(member);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, propertyPut ? &putId : nullptr, count, propertyPut ? 1u : 0u};
    Variant result;
    EXCEPINFO info{};
    UINT badArg = 0;
    HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 propertyPut ? nullptr : result.put(), &info, &badArg);
    if (hr == DISP_E_EXCEPTION) {
        std::wstring text = TakeDescription(info, hr);
        throw AgentError(hr, std::move(text), member);
    }
    if (FAILED(hr)) throw AgentError(hr, L"", member);
    return result;
}

Variant LateBound::Call(const std::wstring& member, std::initializer_list<Variant> args) const {
    // Invoke takes its arguments last to first; the copies stay owned by `reversed`.
    std::vector<Variant> reversed(args.begin(), args.end());
    std::vector<VARIANT> raw;
    raw.reserve(reversed.size());
    for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) raw.push_back(*it->get());
    return Invoke(member, DISPATCH_METHOD, raw.data(), static_cast<UINT>(raw.size()), false);
}

Variant LateBound::Get(const std::wstring& member) const {
    return Invoke(member, DISPATCH_PROPERTYGET, nullptr, 0, false);
}

void LateBound::Put(const std::wstring& member, const Variant& value) const {
    VARIANT raw = *value.get();
    Invoke(member, DISPATCH_PROPERTYPUT, &raw, 1, true);
}

LateBound LateBound::GetObject(const std::wstring& member, std::initializer_list<Variant> args,
                               WORD flags) const {
    std::vector<Variant> reversed(args.begin(), args.end());
    std::vector<VARIANT> raw;
    for (auto it = reversed.rbegin(); it != reversed.rend(); ++it) raw.push_back(*it->get());
    Variant result = Invoke(member, flags, raw.data(), static_cast<UINT>(raw.size()), false);
    if (result.type() != VT_DISPATCH || !V_DISPATCH(result.get()))
        throw AgentError(DISP_E_TYPEMISMATCH, L"", member);
    return LateBound(ComPtr<IDispatch>::Borrow(V_DISPATCH(result.get())));
}

} // namespace kv::agent
