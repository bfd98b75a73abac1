#include "agent/binding/AgentError.h"

#include "agent/binding/Variant.h"

#include <cwchar>

namespace kv::agent {
namespace {

std::wstring NonEmpty(std::wstring text, HRESULT code) {
    return text.empty() ? DescribeHResult(code) : text;
}

} // namespace

AgentError::AgentError(HRESULT code, std::wstring text, std::wstring operation)
    : std::runtime_error(ToUtf8(NonEmpty(text, code))), code_(code),
      text_(NonEmpty(std::move(text), code)), operation_(std::move(operation)) {}

std::wstring DescribeHResult(HRESULT code) {
    wchar_t* buffer = nullptr;
    DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD n = FormatMessageW(flags, nullptr, static_cast<DWORD>(code), 0,
                             reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (!text.empty()) return text;
    wchar_t fallback[32];
    swprintf(fallback, 32, L"OLE error 0x%08lX", static_cast<unsigned long>(code));
    return fallback;
}

} // namespace kv::agent
