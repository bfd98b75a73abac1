#pragma once
// The one set of move-only owners of GDI and USER handles, and guards that put back what a DC
// had selected. The framework, the skin engine and the player all use these.
//
// Contract:
//  - An owner holds at most one handle and releases it exactly once: in its destructor, in
//    Reset, or when a moved-in handle replaces it. Copying is deleted; moving hands the handle
//    over and leaves the source empty. Release() gives the handle away unreleased.
//  - Only handles this program created go into an owner. A borrowed handle (a DC's current
//    brush, a stock object, a window's WM_GETFONT font) stays a plain handle and is never
//    deleted. A menu that a window shows is the window's: release it from its owner first.
//  - SelectionGuard selects an object into a DC and selects the previous one back when it goes
//    out of scope, so an object can be deleted after its guard is gone. It is for pens,
//    brushes, fonts and bitmaps. A select that fails (SelectObject answers NULL or
//    HGDI_ERROR: a bitmap already in another DC, a dead DC) or that is refused (a null DC or
//    object, a region, whose SelectObject is a clip operation) leaves the DC as it was,
//    Selected() false, and nothing to put back.
//  - WindowDC pairs GetDC/GetWindowDC with ReleaseDC on the same window.
#include <windows.h>

#include <utility>

namespace kv {

template <typename Handle, typename Deleter> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        Handle old = std::exchange(handle_, handle);
        if (old && old != handle) Deleter{}(old);
    }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct KernelHandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct MenuDeleter {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectDeleter>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectDeleter>;
using UniquePen = UniqueHandle<HPEN, GdiObjectDeleter>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectDeleter>;
using UniqueIcon = UniqueHandle<HICON, IconDeleter>;
// A DC from CreateCompatibleDC or CreateDC (never one from GetDC: see WindowDC).
using UniqueMemoryDC = UniqueHandle<HDC, DcDeleter>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;

// A window's DC, released with ReleaseDC on the window it came from.
class WindowDC {
public:
    enum class Area { Client, Window };
    explicit WindowDC(HWND window, Area area = Area::Client)
        : window_(window), dc_(area == Area::Client ? GetDC(window) : GetWindowDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects `object` into `dc` for the guard's lifetime (see the contract for failed selects).
class SelectionGuard {
public:
    SelectionGuard() = default;
    SelectionGuard(HDC dc, HGDIOBJ object) {
        if (!dc || !object || GetObjectType(object) == OBJ_REGION) return;
        HGDIOBJ previous = SelectObject(dc, object);
        if (!previous || previous == HGDI_ERROR) return;
        dc_ = dc;
        previous_ = previous;
    }
    ~SelectionGuard() { Restore(); }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;
    SelectionGuard(SelectionGuard&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)),
          previous_(std::exchange(other.previous_, nullptr)) {}
    SelectionGuard& operator=(SelectionGuard&& other) noexcept {
        if (this != &other) {
            Restore();
            dc_ = std::exchange(other.dc_, nullptr);
            previous_ = std::exchange(other.previous_, nullptr);
        }
        return *this;
    }

    // Whether the object is in the DC now, so that drawing with it means something.
    bool Selected() const { return previous_ != nullptr; }
    // The object that was selected before (borrowed), or nullptr when nothing was selected.
    HGDIOBJ Previous() const { return previous_; }
    // Puts the previous object back now; the guard is empty afterwards.
    void Restore() {
        if (previous_) SelectObject(dc_, previous_);
        dc_ = nullptr;
        previous_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// SaveDC on construction, RestoreDC on destruction: clip region, colours, modes and selection
// all come back at once.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~SavedDCState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC dc_;
    int saved_;
};

} // namespace kv
