#include "base/IcoDirectory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct IcoEntry {
    uint8_t width;
    uint16_t bits;
    uint32_t length, offset;
};

Bytes Ico(const std::vector<IcoEntry>& entries, size_t dataBytes, uint16_t type = 1) {
    Bytes out;
    auto u16 = [&](uint32_t v) { out.push_back(uint8_t(v)), out.push_back(uint8_t(v >> 8)); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
    u16(0), u16(type), u16(uint32_t(entries.size()));
    for (const auto& e : entries) {
        out.push_back(e.width), out.push_back(e.width), out.push_back(0), out.push_back(0);
        u16(1), u16(e.bits), u32(e.length), u32(e.offset);
    }
    for (size_t i = 0; i < dataBytes; ++i) out.push_back(uint8_t(i));
    return out;
}

size_t OffsetOf(const Bytes& file, std::optional<std::span<const uint8_t>> image) {
    return image ? size_t(image->data() - file.data()) : 0;
}

TEST(IcoDirectory, PicksTheNearestWidthThenTheMostColours) {
    // Entries at 6 + 16n: data from 70 on.
    const Bytes file = Ico({{16, 32, 4, 70}, {32, 4, 4, 74}, {32, 32, 4, 78}, {0, 32, 4, 82}}, 16);
    EXPECT_EQ(OffsetOf(file, kv::BestIcoImage(file, 16)), 70u);
    EXPECT_EQ(OffsetOf(file, kv::BestIcoImage(file, 32)), 78u);
    EXPECT_EQ(OffsetOf(file, kv::BestIcoImage(file, 256)), 82u); // width byte 0 is 256
    EXPECT_EQ(kv::BestIcoImage(file, 32)->size(), 4u);
}

TEST(IcoDirectory, SkipsEntriesOutsideTheFileAndRefusesBadHeaders) {
    const Bytes file = Ico({{32, 32, 4, 1000}, {32, 32, 0, 38}, {16, 8, 4, 54}}, 4);
    EXPECT_EQ(OffsetOf(file, kv::BestIcoImage(file, 32)), 54u);
    EXPECT_FALSE(kv::BestIcoImage(Ico({{32, 32, 0xFFFFFFFF, 22}}, 4), 32));
    EXPECT_FALSE(kv::BestIcoImage(Ico({{32, 32, 4, 22}}, 4, 2), 32)); // a cursor file
    EXPECT_FALSE(kv::BestIcoImage(Ico({}, 4), 32));
    Bytes truncated = Ico({{32, 32, 4, 38}, {16, 32, 4, 38}}, 4);
    truncated[4] = 3; // three entries claimed, two there
    EXPECT_FALSE(kv::BestIcoImage(Bytes(truncated.begin(), truncated.begin() + 40), 32));
    EXPECT_FALSE(kv::BestIcoImage(Bytes{0, 0, 1}, 32));
}

} // namespace
