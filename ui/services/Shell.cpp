#include "ui/services/Shell.h"

#include <shellapi.h>
#include <shlobj.h>

bool ShellOpen(const std::string& target, HWND owner) {
    HINSTANCE result =
        ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool ShellOpenW(const std::wstring& target, HWND owner) {
    HINSTANCE result =
        ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

void NotifyAssociationsChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}
