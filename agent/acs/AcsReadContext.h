#pragma once
// Internal to the reader: the shared parsing state (file bytes, model budget, first error) and
// the primitive readers of the format (strings, locators, lists). Not part of the public API.
#include "agent/acs/AcsCharacter.h"
#include "base/ByteCursor.h"

#include <span>
#include <string>

namespace kv::acsread {

struct Locator {
    uint32_t offset = 0;
    uint32_t size = 0;
};

class Context {
public:
    Context(std::span<const uint8_t> file, size_t budget) : file_(file), budget_(budget) {}

    // Records the first failure; always returns false so callers can `return Fail(...)`.
    bool Fail(std::string why) {
        if (error_.empty()) error_ = std::move(why);
        return false;
    }
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

    // Accounts for `bytes` of model memory; false (and failure) once the budget is spent.
    bool Charge(size_t bytes) {
        if (bytes > budget_) return Fail("the character is larger than the reader's limits");
        budget_ -= bytes;
        return true;
    }

    // A cursor over the bytes a locator names; failure when they lie outside the file.
    bool Block(const Locator& loc, ByteCursor& out, const std::string& what) {
        if (uint64_t(loc.offset) + loc.size > file_.size())
            return Fail(what + " lies outside the file");
        out = ByteCursor(file_.data() + loc.offset, loc.size);
        return true;
    }

    std::span<const uint8_t> File() const { return file_; }

private:
    std::span<const uint8_t> file_;
    size_t budget_;
    std::string error_;
};

inline Locator ReadLocator(ByteCursor& c) {
    Locator loc;
    loc.offset = c.U32();
    loc.size = c.U32();
    return loc;
}

// A length-prefixed UTF-16 string with its terminator; the cursor fails on any overrun or a
// missing terminator.
inline std::u16string ReadString(ByteCursor& c) {
    const uint32_t n = c.U32();
    if (n == 0 || !c.Ok()) return {};
    if (c.Remaining() < 2 || n > (c.Remaining() - 2) / 2) {
        c.Fail();
        return {};
    }
    std::u16string s(n, u'\0');
    for (auto& ch : s) ch = char16_t(c.U16());
    if (c.U16() != 0) c.Fail();
    return s;
}

// True when `count` items of at least `minSize` bytes each can fit in what is left.
inline bool CountFits(const ByteCursor& c, size_t count, size_t minSize) {
    return c.Ok() && count <= c.Remaining() / minSize;
}

inline AcsGuid ReadGuid(ByteCursor& c) {
    AcsGuid g;
    g.data1 = c.U32();
    g.data2 = c.U16();
    g.data3 = c.U16();
    for (auto& b : g.data4) b = c.U8();
    return g;
}

inline std::vector<uint8_t> ReadBytes(ByteCursor& c, size_t n) {
    auto s = c.Take(n);
    return std::vector<uint8_t>(s.begin(), s.end());
}

// Character info block and localized list; animations, images and sounds.
bool ReadCharacterInfo(Context& ctx, const Locator& loc, AcsCharacter& out);
bool ReadImages(Context& ctx, const Locator& loc, AcsCharacter& out);
bool ReadSounds(Context& ctx, const Locator& loc, AcsCharacter& out);
bool ReadAnimations(Context& ctx, const Locator& loc, AcsCharacter& out);

} // namespace kv::acsread
