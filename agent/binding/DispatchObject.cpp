#include "agent/binding/DispatchObject.h"

#include <cwchar>
#include <new>

namespace kv::agent {
namespace {

bool IsMissing(const VARIANT& v) {
    return V_VT(&v) == VT_EMPTY || (V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND);
}

Variant Dereferenced(const VARIANT& v) {
    Variant out;
    if (IsMissing(v)) return out;
    if (FAILED(VariantCopyInd(out.put(), const_cast<VARIANT*>(&v))))
        throw DispatchFault{DISP_E_TYPEMISMATCH, L""};
    return out;
}

Variant Coerced(const Variant& v, VARTYPE type) {
    Variant out;
    if (FAILED(VariantChangeType(out.put(), const_cast<VARIANT*>(v.get()), 0, type)))
        throw DispatchFault{DISP_E_TYPEMISMATCH, L"Type mismatch"};
    return out;
}

void FillException(EXCEPINFO* error, const std::wstring& source, HRESULT code,
                   const std::wstring& text) {
    if (!error) return;
    *error = EXCEPINFO{};
    error->scode = code;
    error->bstrSource = SysAllocString(source.c_str());
    error->bstrDescription = SysAllocString(text.c_str());
}

} // namespace

CallArgs::CallArgs(const DISPPARAMS& params, bool propertyPut) {
    UINT named = params.cNamedArgs;
    if (propertyPut && named >= 1 && params.rgdispidNamedArgs &&
        params.rgdispidNamedArgs[0] == DISPID_PROPERTYPUT && params.cArgs >= 1) {
        value_ = Dereferenced(params.rgvarg[0]);
        hasValue_ = true;
    }
    // Positional arguments are stored last to first after the named ones.
    for (UINT i = params.cArgs; i > named; --i) args_.push_back(Dereferenced(params.rgvarg[i - 1]));
}

std::wstring CallArgs::String(size_t i) const {
    if (!Has(i)) throw DispatchFault{DISP_E_PARAMNOTFOUND, L"Parameter not optional"};
    Variant s = Coerced(args_[i], VT_BSTR);
    BSTR b = V_BSTR(s.get());
    return std::wstring(b ? b : L"", b ? SysStringLen(b) : 0);
}

long CallArgs::Int(size_t i) const {
    if (!Has(i)) throw DispatchFault{DISP_E_PARAMNOTFOUND, L"Parameter not optional"};
    return V_I4(Coerced(args_[i], VT_I4).get());
}

std::wstring CallArgs::Describe(size_t i) const {
    if (!Has(i)) return L"<none>";
    const Variant& v = args_[i];
    if (v.type() == VT_BSTR) return L"\"" + String(i) + L"\"";
    if (v.type() == VT_BOOL) return V_BOOL(v.get()) ? L"true" : L"false";
    try {
        return std::to_wstring(Int(i));
    } catch (const DispatchFault&) {
        return L"<variant " + std::to_wstring(v.type()) + L">";
    }
}

DispatchObject::DispatchObject(std::span<const DispatchMember> members, std::wstring source)
    : members_(members), source_(std::move(source)) {}

HRESULT DispatchObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() {
    return ++refs_;
}

ULONG DispatchObject::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT n = 0; n < count; ++n) ids[n] = DISPID_UNKNOWN;
    for (const DispatchMember& m : members_) {
        if (names[0] && _wcsicmp(names[0], m.name) == 0) ids[0] = m.id;
    }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    if (count > 1) hr = DISP_E_UNKNOWNNAME; // members take no named arguments
    return hr;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* error, UINT* badArg) {
    if (badArg) *badArg = 0;
    bool known = false;
    for (const DispatchMember& m : members_) known = known || m.id == id;
    if (!known) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (result) VariantInit(result);
    try {
        CallArgs args(params ? *params : none, (flags & DISPATCH_PROPERTYPUT) != 0);
        AddRef(); // a member may drop the last outside reference to this object
        struct Hold {
            DispatchObject* self;
            ~Hold() { self->Release(); }
        } hold{this};
        Call(id, flags, args, result);
        return S_OK;
    } catch (const DispatchFault& fault) {
        FillException(error, source_, fault.code, fault.text);
    } catch (const std::bad_alloc&) {
        FillException(error, source_, E_OUTOFMEMORY, L"Out of memory");
    } catch (const std::exception& e) {
        FillException(error, source_, E_FAIL, Widen(e.what(), CP_UTF8));
    } catch (...) {
        FillException(error, source_, E_UNEXPECTED, L"Unexpected failure");
    }
    if (result) VariantClear(result);
    return DISP_E_EXCEPTION;
}

void DispatchObject::ReturnObject(VARIANT* result, IDispatch* object) {
    if (!result) return;
    VariantInit(result);
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    if (object) object->AddRef();
}

} // namespace kv::agent
