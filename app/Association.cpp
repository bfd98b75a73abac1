#include "app/Association.h"

#include "app/logic/Association.h"
#include "app/win/WinUtil.h"

#include <windows.h>

#include <string>
#include <vector>

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
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                               nullptr, &key_, nullptr) == ERROR_SUCCESS;
    }
    void WriteString(const std::string& name, const std::string& data) const {
        LONG rc =
            RegSetValueExA(key_, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(data.c_str()), DWORD(data.size() + 1));
        if (rc != ERROR_SUCCESS)
            throw AppError("Failed to set data for '" +
                           (name.empty() ? std::string("(Default)") : name) + "'");
    }

private:
    HKEY key_ = nullptr;
};

} // namespace

namespace {

std::string ReadDefault(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    char buffer[2048] = {};
    DWORD size = sizeof buffer - 1, type = 0;
    LONG rc =
        RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer) : std::string();
}

bool WriteLayout(HKEY root, const std::string& prefix, const std::vector<RegistryValue>& layout) {
    for (const RegistryValue& value : layout) {
        RegKey key;
        if (!key.Create(root, prefix + value.key)) return false;
        key.WriteString(value.valueName, value.data);
    }
    return true;
}

// Whether the classes root already shows every default value of the layout.
bool ClassesRootShows(const std::vector<RegistryValue>& layout) {
    for (const RegistryValue& value : layout) {
        if (value.valueName.empty() && ReadDefault(HKEY_CLASSES_ROOT, value.key) != value.data)
            return false;
    }
    return true;
}

// Deletes the key when it holds no values and no subkeys.
void DeleteIfEmpty(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 0, values = 0;
    LONG rc = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (rc == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyA(root, path.c_str());
}

// Removes the key's default value; true when it is gone.
bool DeleteDefault(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
    LONG rc = RegDeleteValueA(key, nullptr);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool RemoveLayout(HKEY root, const std::string& prefix, const std::string& extension,
                  const std::string& progId, std::string_view command) {
    std::string idKey = prefix + progId;
    if (!SameRegistryText(ReadDefault(root, idKey + "\\shell\\open\\command"), command))
        return true; // not ours (or not there): left alone
    // What the association wrote, and keys it leaves empty; whatever others put there stays.
    if (!DeleteDefault(root, idKey + "\\shell\\open\\command") || !DeleteDefault(root, idKey))
        return false;
    for (const char* below : {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""})
        DeleteIfEmpty(root, idKey + below);
    std::string extKey = prefix + extension;
    if (ReadDefault(root, extKey) != progId) return true;
    if (!DeleteDefault(root, extKey)) return false;
    DeleteIfEmpty(root, extKey);
    return true;
}

} // namespace

bool UnregisterFileType(std::string_view extension, std::string_view progId,
                        std::string_view command) {
    if (extension.empty() || progId.empty() || command.empty()) return true;
    std::string ext(extension), id(progId);
    bool user = RemoveLayout(HKEY_CURRENT_USER, std::string(kUserClassesKey) + "\\", ext, id, command);
    // Where the classes root is not the per-user classes merged (Wine), it has its own copy.
    bool root = RemoveLayout(HKEY_CLASSES_ROOT, "", ext, id, command);
    return user && root;
}

bool RegisterFileType(std::string_view extension, std::string_view progId,
                      std::string_view description, std::string_view contentType,
                      std::string_view command) {
    auto layout = FileTypeLayout(extension, progId, description, contentType, command);
    if (layout.empty()) return false;
    if (!WriteLayout(HKEY_CURRENT_USER, std::string(kUserClassesKey) + "\\", layout)) return false;
    // Systems that do not merge the per-user classes into the classes root (Wine) get the same
    // layout there, so that success always means the shell sees it.
    if (ClassesRootShows(layout)) return true;
    return WriteLayout(HKEY_CLASSES_ROOT, "", layout);
}

} // namespace kv::app
