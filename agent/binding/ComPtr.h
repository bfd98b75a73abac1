#pragma once
// ComPtr: the one owner of a COM interface reference.
//
// Contract: holds at most one reference and releases it exactly once (reset, destruction or
// move-assignment). Copying adds a reference. Adopt() takes over a reference the caller already
// owns (a fresh object, an [out] parameter); Borrow() adds one to a pointer the caller does not
// own. Never throws.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace kv::agent {

template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& other) : p_(other.p_) { AddRefIfAny(); }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    static ComPtr Adopt(T* p) {
        ComPtr out;
        out.p_ = p;
        return out;
    }
    static ComPtr Borrow(T* p) {
        ComPtr out;
        out.p_ = p;
        out.AddRefIfAny();
        return out;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // For [out] parameters: drops the current reference first.
    T** put() {
        reset();
        return &p_;
    }
    T* detach() { return std::exchange(p_, nullptr); }
    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }

private:
    void AddRefIfAny() {
        if (p_) p_->AddRef();
    }
    T* p_ = nullptr;
};

} // namespace kv::agent
