#include "app/Association.h"

#include "app/logic/Association.h"
#include "app/win/WinUtil.h"

#include <windows.h>

namespace kv::app {
namespace {

class RegKey {
public:
    RegKey() = default;
    ~RegKey() {
        if (key_) RegCloseKey(key_);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    bool Create(HKEY root, const std::string& path) {
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_WRITE, nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    void WriteString(const std::string& name, const std::string& data) const {
        LONG rc = RegSetValueExA(key_, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(data.c_str()), DWORD(data.size() + 1));
        if (rc != ERROR_SUCCESS)
            throw AppError("Failed to set data for '" + (name.empty() ? std::string("(Default)") : name) + "'");
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

bool RegisterFileType(std::string_view extension, std::string_view progId,
                      std::string_view description, std::string_view contentType,
                      std::string_view command) {
    auto layout = FileTypeLayout(extension, progId, description, contentType, command);
    if (layout.empty()) return false;
    const std::string root(kUserClassesKey);
    for (const RegistryValue& value : layout) {
        RegKey key;
        if (!key.Create(HKEY_CURRENT_USER, root + "\\" + value.key)) return false;
        key.WriteString(value.valueName, value.data);
    }
    return true;
}

} // namespace kv::app
