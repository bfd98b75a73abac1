#pragma once
// Variant: an owned VARIANT (VariantInit on creation, VariantClear exactly once).
//
// Contract: the constructors make the argument types the Agent operations take: wide strings
// as VT_BSTR, 16- and 32-bit integers, booleans as VT_BOOL. A failed string allocation throws
// std::bad_alloc. Copying deep-copies (VariantCopy); moving transfers without copying.
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <string>
#include <string_view>

namespace kv::agent {

class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(std::wstring_view text);
    explicit Variant(const wchar_t* text) : Variant(std::wstring_view(text)) {}
    Variant(const char*) = delete; // 8-bit text must be widened with its code page first
    explicit Variant(short value) : Variant() { V_VT(&v_) = VT_I2, V_I2(&v_) = value; }
    explicit Variant(long value) : Variant() { V_VT(&v_) = VT_I4, V_I4(&v_) = value; }
    explicit Variant(int value) : Variant(static_cast<long>(value)) {}
    explicit Variant(bool value) : Variant() {
        V_VT(&v_) = VT_BOOL, V_BOOL(&v_) = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    Variant(const Variant& other);
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant() { VariantClear(&v_); }

    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    // For [out] results: clears the current value first.
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }
    VARTYPE type() const { return V_VT(&v_); }
    bool empty() const { return V_VT(&v_) == VT_EMPTY; }

private:
    VARIANT v_;
};

// Text in a code page (CP_ACP for the program's 8-bit text) as a wide string.
std::wstring Widen(std::string_view text, unsigned codePage = CP_ACP);
// Wide text as UTF-8 (logs and exception texts).
std::string ToUtf8(std::wstring_view text);

} // namespace kv::agent
