#include "tools/skinpack/Files.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace kv::files {

CFile OpenFile(const char* path, bool write) {
    CFile file(std::fopen(path, write ? "wb" : "rb"));
    if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder + "/" + name; // Windows takes '/' as well
}

bool RemoveFile(const char* path) {
    return std::remove(path) == 0;
}

#ifdef _WIN32

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
bool MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr);
}
bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}
} // namespace

std::optional<std::vector<std::string>> FileNamesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::string> names;
    do {
        if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool RenameOver(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING);
}

#else

bool IsFolder(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

namespace {
bool MakeFolder(const std::string& path) {
    return mkdir(path.c_str(), 0777) == 0;
}
bool IsSeparator(char c) {
    return c == '/';
}
} // namespace

std::optional<std::vector<std::string>> FileNamesIn(const std::string& folder) {
    struct Closer {
        void operator()(DIR* d) const { closedir(d); }
    };
    std::unique_ptr<DIR, Closer> dir(opendir(folder.c_str()));
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir.get())) {
        struct stat info;
        std::string name = entry->d_name;
        if (stat(Join(folder, name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.push_back(std::move(name));
    }
    return names;
}

bool RenameOver(const char* from, const char* to) {
    return std::rename(from, to) == 0;
}

#endif

bool MakeFolders(const std::string& path) {
    for (size_t i = 1; i < path.size(); i++)
        if (IsSeparator(path[i]) && !IsSeparator(path[i - 1]) && !IsFolder(path.substr(0, i)))
            MakeFolder(path.substr(0, i));
    if (!IsFolder(path)) MakeFolder(path);
    return IsFolder(path);
}

} // namespace kv::files
