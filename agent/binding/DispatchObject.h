#pragma once
// DispatchObject: the base of our own late-bound automation objects (the built-in player and
// the tests' recording double), so that they answer GetIDsOfNames/Invoke like the system
// control does.
//
// Contract: a derived class lists its members (name, DISPID) once; names are matched without
// regard to case. Invoke hands the member its arguments in natural order as CallArgs
// (by-reference variants dereferenced, a missing optional argument reported as missing) and
// the value of a property put. A member reports failure by throwing DispatchFault (or any
// std::exception): Invoke turns it into DISP_E_EXCEPTION with the code and text in EXCEPINFO,
// so no exception ever crosses the COM boundary. Unknown names give DISP_E_UNKNOWNNAME,
// unknown DISPIDs DISP_E_MEMBERNOTFOUND. Reference counted; a new object starts at one
// reference owned by its creator (use ComPtr::Adopt). Single-threaded (the UI thread).
#include "agent/binding/ComPtr.h"
#include "agent/binding/Variant.h"

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv::agent {

struct DispatchFault {
    HRESULT code;
    std::wstring text;
};

struct DispatchMember {
    const wchar_t* name;
    DISPID id;
};

class CallArgs {
public:
    CallArgs(const DISPPARAMS& params, bool propertyPut);

    size_t Count() const { return args_.size(); }
    bool Has(size_t i) const { return i < args_.size() && !args_[i].empty(); }
    // Coerced values; a missing or unconvertible argument throws DispatchFault
    // (DISP_E_PARAMNOTFOUND / DISP_E_TYPEMISMATCH).
    std::wstring String(size_t i) const;
    long Int(size_t i) const;
    long IntOr(size_t i, long fallback) const { return Has(i) ? Int(i) : fallback; }
    std::wstring StringOr(size_t i, const std::wstring& fallback) const {
        return Has(i) ? String(i) : fallback;
    }
    // The argument as the text a log shows: strings quoted, numbers bare, missing as "<none>".
    std::wstring Describe(size_t i) const;
    const Variant& Raw(size_t i) const { return args_.at(i); }

    bool IsPut() const { return hasValue_; }
    const Variant& Value() const { return value_; }

private:
    std::vector<Variant> args_;
    Variant value_;
    bool hasValue_ = false;
};

class DispatchObject : public IDispatch {
public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* error, UINT* badArg) override;

    // A wrapped IDispatch result for a member returning an object.
    static void ReturnObject(VARIANT* result, IDispatch* object);

protected:
    DispatchObject(std::span<const DispatchMember> members, std::wstring source);
    virtual ~DispatchObject() = default;

    // Runs member `id`; `result` may be null when the caller wants none.
    virtual void Call(DISPID id, WORD flags, const CallArgs& args, VARIANT* result) = 0;

private:
    std::span<const DispatchMember> members_;
    std::wstring source_;
    ULONG refs_ = 1;
};

} // namespace kv::agent
