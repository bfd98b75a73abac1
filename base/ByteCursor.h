#pragma once
// ByteCursor: the one reader every parser uses over untrusted bytes.
//
// Contract: never reads outside [data, data + size). Every read checks `n > size - pos` first;
// a read that does not fit sets a sticky failure flag, returns zero/empty and leaves the
// position at the end of the data. A parser reads freely and checks `Ok()` once at the end.
// The cursor borrows the bytes; they must outlive it. Integers are little-endian.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace kv {

class ByteCursor {
public:
    ByteCursor() = default;
    ByteCursor(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    explicit ByteCursor(std::span<const uint8_t> bytes) : ByteCursor(bytes.data(), bytes.size()) {}

    bool Ok() const { return ok_; }
    size_t Pos() const { return pos_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }

    // Borrowed view of the next n bytes, or an empty span (and failure) when they do not fit.
    std::span<const uint8_t> Take(size_t n) {
        if (!ok_ || n > size_ - pos_) return Fail();
        std::span<const uint8_t> out(data_ + pos_, n);
        pos_ += n;
        return out;
    }
    bool Skip(size_t n) { return Take(n).size() == n && ok_; }

    // Moves to an absolute offset; failure when it lies past the end.
    bool Seek(size_t offset) {
        if (!ok_ || offset > size_) { Fail(); return false; }
        pos_ = offset;
        return true;
    }

    uint8_t U8() { return uint8_t(Read(1)); }
    uint16_t U16() { return uint16_t(Read(2)); }
    uint32_t U32() { return uint32_t(Read(4)); }
    uint64_t U64() { return Read(8); }
    int16_t I16() { return int16_t(U16()); }
    int32_t I32() { return int32_t(U32()); }

    std::string Bytes(size_t n) {
        auto s = Take(n);
        return std::string(reinterpret_cast<const char*>(s.data()), s.size());
    }

    // Marks the data as malformed for a reason the cursor cannot see (a bad magic, a count
    // above its cap...).
    std::span<const uint8_t> Fail() {
        ok_ = false;
        pos_ = size_;
        return {};
    }

private:
    uint64_t Read(size_t n) {
        auto s = Take(n);
        uint64_t v = 0;
        for (size_t i = s.size(); i-- > 0;) v = (v << 8) | s[i];
        return v;
    }

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace kv
