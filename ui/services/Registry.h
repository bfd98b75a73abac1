#pragma once
// The registry: one open key at a time under a root.
//
// Contract:
//  - OpenKey(path, canCreate): a path starting with '\' is taken from the root (and the base
//    path, see below); any other path is taken from the current key when one is open, else
//    from the root. On success the new key becomes current and the previous one is closed; on
//    failure false and the current key stays as it was.
//  - Every key opened is closed exactly once: by the next OpenKey, CloseKey or the destructor.
//  - UseUserClasses() makes the root HKEY_CURRENT_USER\Software\Classes, the per-user half
//    of HKEY_CLASSES_ROOT: writes need no elevation and show under HKEY_CLASSES_ROOT.
//  - Writes raise ERegistryException naming the value when the system refuses them (or when no
//    key is open): a failed write is never reported as success.
//  - ReadString gives "" for a missing value (ValueExists tells the two apart).
//  - Names, paths and values are ANSI text of the system code page; "" is the default value.
#include "ui/classes/Exception.h"

#include <windows.h>

#include <string>

class ERegistryException : public Exception {
    using Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(HKEY root = HKEY_CURRENT_USER, REGSAM access = KEY_ALL_ACCESS);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return root_; }
    // Closes the current key; `basePath` is prefixed to paths taken from the root.
    void SetRootKey(HKEY root, std::string basePath = {});
    void UseUserClasses() { SetRootKey(HKEY_CURRENT_USER, "Software\\Classes"); }

    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    HKEY CurrentKey() const { return current_; }
    const std::string& CurrentPath() const { return currentPath_; }

    bool KeyExists(const std::string& path);
    bool DeleteKey(const std::string& path);
    bool ValueExists(const std::string& name) const;
    std::string ReadString(const std::string& name) const;
    void WriteString(const std::string& name, const std::string& value);
    int ReadInteger(const std::string& name) const; // raises when missing or not a number
    void WriteInteger(const std::string& name, int value);
    bool DeleteValue(const std::string& name);

private:
    struct Target {
        HKEY parent;
        std::string path;
        std::string full;
    };
    Target Resolve(const std::string& path) const;
    bool Open(const std::string& path, bool canCreate, REGSAM access);

    HKEY root_;
    std::string basePath_;
    REGSAM access_;
    HKEY current_ = nullptr;
    std::string currentPath_;
};
