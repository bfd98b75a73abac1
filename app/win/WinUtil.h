#pragma once
// Small Win32 pieces the viewer's windows share: owned GDI fonts, text conversion between the
// ANSI code page and UTF-16, whole-file reading, the atomic file replacement used for saving,
// and the program's own path.
//
// Contract: every function reports failure by throwing AppError with a readable message in the
// ANSI code page (the text the default error report shows); nothing leaks on any path.
#include "app/logic/FontSpec.h"

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace kv::app {

class AppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One owner for an HFONT.
class Font {
public:
    Font() = default;
    explicit Font(HFONT font) : font_(font) {}
    ~Font() { Reset(); }
    Font(Font&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
    Font& operator=(Font&& other) noexcept {
        if (this != &other) {
            Reset();
            font_ = std::exchange(other.font_, nullptr);
        }
        return *this;
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    HFONT get() const { return font_; }
    explicit operator bool() const { return font_ != nullptr; }

private:
    void Reset() {
        if (font_) DeleteObject(font_);
        font_ = nullptr;
    }
    HFONT font_ = nullptr;
};

// A font by face, charset, pixel height (negative: character height) and styles (FontStyle bits).
Font MakeFont(std::string_view face, int charset, int height, uint8_t styles = 0);
// The font a font spec describes (size in points at the screen's resolution).
Font MakeFont(const FontSpec& spec);
// The framework's charset value 1 means "the default charset".
int SpecCharset(int charset);

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
