#include "app/win/WinUtil.h"

#include "app/logic/Paths.h"

#include <vector>

namespace kv::app {
namespace {

// The system's message for the last error, in the ANSI code page, without its line end.
std::string LastErrorText(DWORD code) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty()) text = "System error " + std::to_string(code);
    return text;
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& path) {
    DWORD code = GetLastError();
    throw AppError(std::string(what) + " \"" + path + "\". " + LastErrorText(code));
}

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

} // namespace

std::wstring ToWide(std::string_view ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring out(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), out.data(), n);
    return out;
}

std::string ToAnsi(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return ToAnsi(wide);
}

bool IsAnsiLeadByte(unsigned char c) {
    return IsDBCSLeadByte(c) != 0;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowFileError("Cannot open file", path);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size)) ThrowFileError("Cannot read file", path);
    // An action list of this size is already absurd; refuse rather than exhaust memory.
    constexpr LONGLONG kMaxFileSize = 64ll << 20;
    if (size.QuadPart > kMaxFileSize) throw AppError("File \"" + path + "\" is too large");
    std::string bytes(size_t(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &got, nullptr)))
        ThrowFileError("Cannot read file", path);
    bytes.resize(got);
    return bytes;
}

void ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    std::string directory = DirectoryOf(path, IsAnsiLeadByte);
    char temp[MAX_PATH + 16] = {};
    if (!GetTempFileNameA(directory.empty() ? "." : directory.c_str(), "kvs", 0, temp))
        ThrowFileError("Cannot create file", path);
    std::string tempPath = temp;
    try {
        FileHandle file(CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) ThrowFileError("Cannot create file", path);
        DWORD written = 0;
        if (!bytes.empty() &&
            (!WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) ||
             written != bytes.size()))
            ThrowFileError("Cannot write file", path);
        if (!FlushFileBuffers(file.get()) || !file.Close())
            ThrowFileError("Cannot write file", path);
        if (!MoveFileExA(tempPath.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ThrowFileError("Cannot write file", path);
    } catch (...) {
        DeleteFileA(tempPath.c_str());
        throw;
    }
}

namespace {
std::string& ProgramPathOverride() {
    static std::string path;
    return path;
}
} // namespace

void SetProgramPathForTests(std::string path) {
    ProgramPathOverride() = std::move(path);
}

std::string ProgramPath() {
    if (!ProgramPathOverride().empty()) return ProgramPathOverride();
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return std::string(buffer.data(), n);
        if (buffer.size() > 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string WindowText(HWND window) {
    int n = GetWindowTextLengthA(window);
    std::string text(size_t(n > 0 ? n : 0) + 1, '\0');
    int got = GetWindowTextA(window, text.data(), int(text.size()));
    text.resize(size_t(got > 0 ? got : 0));
    return text;
}

} // namespace kv::app
