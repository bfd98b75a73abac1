#pragma once
// AgentError: a failed Agent operation, raised as a C++ exception.
//
// Contract: carries the failing HRESULT (for an automation exception, the exception's own
// code), the error's text (the automation exception's description when there is one, the
// system's message for the code otherwise, never empty) and the name of the operation that
// failed ("Characters.Load", "Play", ...). what() is the text in UTF-8.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace kv::agent {

class AgentError : public std::runtime_error {
public:
    AgentError(HRESULT code, std::wstring text, std::wstring operation);

    HRESULT Code() const { return code_; }
    const std::wstring& Text() const { return text_; }
    const std::wstring& Operation() const { return operation_; }

private:
    HRESULT code_;
    std::wstring text_;
    std::wstring operation_;
};

// The system's message for an HRESULT without its line end, or "OLE error 0x8XXXXXXX".
std::wstring DescribeHResult(HRESULT code);

} // namespace kv::agent
