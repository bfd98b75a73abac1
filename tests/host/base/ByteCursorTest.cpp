#include "base/ByteCursor.h"
#include "base/CheckedSize.h"
#include "base/Pixels.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteCursor, ReadsLittleEndianAndFailsStickyPastTheEnd) {
    const uint8_t bytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    kv::ByteCursor c(bytes, sizeof bytes);
    EXPECT_EQ(c.U16(), 0x0201);
    EXPECT_EQ(c.U32(), 0x06050403u);
    EXPECT_TRUE(c.Ok());
    EXPECT_EQ(c.U8(), 0); // past the end: zero, and failure from now on
    EXPECT_FALSE(c.Ok());
    EXPECT_TRUE(c.Take(0).empty());
    EXPECT_FALSE(c.Seek(0)); // failure is sticky
}

TEST(ByteCursor, HugeTakeNeverWrapsAround) {
    const uint8_t bytes[4] = {};
    kv::ByteCursor c(bytes, sizeof bytes);
    c.U8();
    EXPECT_TRUE(c.Take(SIZE_MAX).empty());
    EXPECT_FALSE(c.Ok());
}

TEST(CheckedSize, RefusesOverflowAndCaps) {
    size_t out = 7;
    EXPECT_FALSE(kv::CheckedMul(SIZE_MAX / 2 + 1, 2, out));
    EXPECT_EQ(out, 7u);
    EXPECT_FALSE(kv::CheckedImageBytes(100000, 100000, 4, 64u << 20, out));
    EXPECT_FALSE(kv::CheckedImageBytes(-1, 5, 4, 64u << 20, out));
    EXPECT_TRUE(kv::CheckedImageBytes(640, 480, 4, 64u << 20, out));
    EXPECT_EQ(out, 640u * 480 * 4);
}

TEST(PixelBuffer, ConvertsColourRefsAndRefusesAbsurdSizes) {
    EXPECT_EQ(kv::ToPixel(0x00332211), 0x112233u);
    EXPECT_EQ(kv::ToColorRef(kv::ToPixel(0x00ABCDEF)), 0x00ABCDEFu);
    kv::PixelBuffer b;
    EXPECT_FALSE(b.Resize(100000, 100000));
    EXPECT_TRUE(b.Empty());
    ASSERT_TRUE(b.Resize(3, 2, kv::kMagenta));
    EXPECT_EQ(b.At(2, 1), kv::kMagenta);
    EXPECT_EQ(b.View().Row(1) - b.View().Row(0), 3);
}

} // namespace
