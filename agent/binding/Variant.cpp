#include "agent/binding/Variant.h"

#include <windows.h>

#include <climits>
#include <new>
#include <utility>

namespace kv::agent {

Variant::Variant(std::wstring_view text) : Variant() {
    if (text.size() > UINT_MAX / 2) throw std::bad_alloc();
    BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!s) throw std::bad_alloc();
    V_VT(&v_) = VT_BSTR;
    V_BSTR(&v_) = s;
}

Variant::Variant(const Variant& other) : Variant() {
    if (FAILED(VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)))) throw std::bad_alloc();
}

Variant::Variant(Variant&& other) noexcept : Variant() {
    std::swap(v_, other.v_);
}

Variant& Variant::operator=(Variant other) noexcept {
    std::swap(v_, other.v_);
    return *this;
}

std::wstring Widen(std::string_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX / 4) return {};
    int size = static_cast<int>(text.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace kv::agent
