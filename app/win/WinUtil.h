#pragma once
// Small Win32 pieces the viewer's windows share: text conversion between the ANSI code page and
// UTF-16, whole-file reading, the atomic file replacement used for saving, and the program's
// own path.
//
// Contract: every function reports failure by throwing AppError with a readable message in the
// ANSI code page (the text the default error report shows); nothing leaks on any path.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace kv::app {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::wstring ToWide(std::string_view ansi);
std::string ToAnsi(std::wstring_view wide);
std::string Utf8ToAnsi(std::string_view utf8);

// True for a lead byte of the ANSI code page in force.
bool IsAnsiLeadByte(unsigned char c);

// The whole file, or nullopt-like false when it does not exist; other failures throw.
bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
// Writes `bytes` to a new file beside `path`, flushes it and then moves it over `path` in one
// step. On any failure the old file is left as it was, the temporary file is removed and
// AppError is thrown.
void ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The program file's full path (tests may name another one).
std::string ProgramPath();
void SetProgramPathForTests(std::string path);

// Window text as ANSI bytes.
std::string WindowText(HWND window);

} // namespace kv::app
