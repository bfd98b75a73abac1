#pragma once
// LateBound: calls on an IDispatch by member name (GetIDsOfNames + Invoke), the way a
// scripting client calls an automation object.
//
// Contract: arguments are given in their natural (left-to-right) order. Every failure — an
// unknown name, a failed Invoke, an automation exception — throws AgentError with the failed
// HRESULT, the exception's description when the object supplied one, and the member name as
// the operation. Results come back as an owned Variant. An empty object throws
// AgentError(E_POINTER, "Invalid variant operation"). Calls stay on the caller's thread.
#include "agent/binding/AgentError.h"
#include "agent/binding/ComPtr.h"
#include "agent/binding/Variant.h"

#include <initializer_list>
#include <string>

namespace kv::agent {

class LateBound {
public:
    LateBound() = default;
    explicit LateBound(ComPtr<IDispatch> object) : object_(std::move(object)) {}

    Variant Call(const std::wstring& member, std::initializer_list<Variant> args = {}) const;
    Variant Get(const std::wstring& member) const;
    void Put(const std::wstring& member, const Variant& value) const;
    // A property or method result that must be an object.
    LateBound GetObject(const std::wstring& member, std::initializer_list<Variant> args = {},
                        WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET) const;

    IDispatch* get() const { return object_.get(); }
    explicit operator bool() const { return static_cast<bool>(object_); }

private:
    Variant Invoke(const std::wstring& member, WORD flags, VARIANT* args, UINT count,
                   bool propertyPut) const;
    DISPID IdOf(const std::wstring& member) const;

    ComPtr<IDispatch> object_;
};

} // namespace kv::agent
