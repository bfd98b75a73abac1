#pragma once
// Move-only owners for the GDI handles the drawing edges make, one release path each, and a
// guard that puts back what a device context had selected.
//
// Contract: an owner deletes its handle exactly once (on destruction, reset or assignment
// over it); Release() hands the handle on and forgets it. Copies are impossible.
#include <windows.h>

#include <utility>

namespace kv {

template <typename Handle, BOOL(WINAPI* Free)(Handle)> class GdiOwner {
public:
    GdiOwner() = default;
    explicit GdiOwner(Handle h) : handle_(h) {}
    GdiOwner(GdiOwner&& other) noexcept : handle_(other.Release()) {}
    GdiOwner& operator=(GdiOwner&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    GdiOwner(const GdiOwner&) = delete;
    GdiOwner& operator=(const GdiOwner&) = delete;
    ~GdiOwner() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle h = nullptr) {
        if (handle_) Free(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = nullptr;
};

inline BOOL WINAPI DeleteGdiObject(HGDIOBJ h) {
    return DeleteObject(h);
}
inline BOOL WINAPI DeleteRegion(HRGN h) {
    return DeleteObject(h);
}
inline BOOL WINAPI DeleteBitmap(HBITMAP h) {
    return DeleteObject(h);
}

using RegionOwner = GdiOwner<HRGN, DeleteRegion>;
using BitmapOwner = GdiOwner<HBITMAP, DeleteBitmap>;
using MemoryDcOwner = GdiOwner<HDC, DeleteDC>;

// Selects an object into a DC for the guard's lifetime.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace kv
