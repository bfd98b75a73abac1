#include "ui/services/Registry.h"

#include "ui/graphics/GdiHandles.h"

#include <vector>

namespace {

struct RegKeyDeleter {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = kv::UniqueHandle<HKEY, RegKeyDeleter>;

std::string Join(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + "\\" + b;
}

// Registry values of the program are short; a larger one is refused instead of allocated.
constexpr DWORD kMaxValueBytes = 1 << 20;

} // namespace

TRegistry::TRegistry(HKEY root, REGSAM access) : root_(root), access_(access) {}

TRegistry::~TRegistry() {
    CloseKey();
}

void TRegistry::SetRootKey(HKEY root, std::string basePath) {
    CloseKey();
    root_ = root;
    basePath_ = std::move(basePath);
}

void TRegistry::CloseKey() {
    if (current_) RegCloseKey(current_);
    current_ = nullptr;
    currentPath_.clear();
}

TRegistry::Target TRegistry::Resolve(const std::string& path) const {
    if (!path.empty() && path[0] == '\\') {
        std::string rest = path.substr(1);
        return {root_, Join(basePath_, rest), rest};
    }
    if (current_) return {current_, path, Join(currentPath_, path)};
    return {root_, Join(basePath_, path), path};
}

bool TRegistry::Open(const std::string& path, bool canCreate, REGSAM access) {
    Target target = Resolve(path);
    HKEY opened = nullptr;
    LONG result = canCreate ? RegCreateKeyExA(target.parent, target.path.c_str(), 0, nullptr, 0,
                                              access, nullptr, &opened, nullptr)
                            : RegOpenKeyExA(target.parent, target.path.c_str(), 0, access, &opened);
    if (result != ERROR_SUCCESS || !opened) return false;
    CloseKey();
    current_ = opened;
    currentPath_ = target.full;
    return true;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
    return Open(path, canCreate, access_);
}

bool TRegistry::OpenKeyReadOnly(const std::string& path) {
    return Open(path, false, KEY_READ);
}

bool TRegistry::KeyExists(const std::string& path) {
    Target target = Resolve(path);
    HKEY probe = nullptr;
    if (RegOpenKeyExA(target.parent, target.path.c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS)
        return false;
    UniqueRegKey closer(probe);
    return true;
}

bool TRegistry::DeleteKey(const std::string& path) {
    Target target = Resolve(path);
    return RegDeleteKeyA(target.parent, target.path.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string& name) const {
    return current_ && RegQueryValueExA(current_, name.c_str(), nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
    if (!current_) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException("Invalid data type for '" + name + "'");
    if (size > kMaxValueBytes) throw ERegistryException("Value '" + name + "' is too long");
    std::vector<char> buffer(size + 1, 0);
    DWORD got = size;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        throw ERegistryException("Failed to get data for '" + name + "'");
    buffer[std::min(got, size)] = 0;
    return std::string(buffer.data());
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    LONG result = current_ ? RegSetValueExA(current_, name.c_str(), 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(value.c_str()),
                                            DWORD(value.size() + 1))
                           : LONG(ERROR_INVALID_HANDLE);
    if (result != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + name + "'");
}

int TRegistry::ReadInteger(const std::string& name) const {
    DWORD type = 0, value = 0, size = sizeof value;
    if (!current_ ||
        RegQueryValueExA(current_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        throw ERegistryException("Failed to get data for '" + name + "'");
    return int(value);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
    DWORD data = DWORD(value);
    LONG result = current_ ? RegSetValueExA(current_, name.c_str(), 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&data), sizeof data)
                           : LONG(ERROR_INVALID_HANDLE);
    if (result != ERROR_SUCCESS) throw ERegistryException("Failed to set data for '" + name + "'");
}

bool TRegistry::DeleteValue(const std::string& name) {
    return current_ && RegDeleteValueA(current_, name.c_str()) == ERROR_SUCCESS;
}
