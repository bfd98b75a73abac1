// Replays the checked-in seeds of the image fuzz targets through their bodies.
#include "tests/host/CorpusFiles.h"
#include "tests/host/base_bmp/fuzz/BmpFuzz.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ImageCorpus, EverySeedThroughItsTarget) {
    const auto bmps = kv::test::CorpusFiles("tests/host/base_bmp/corpus/bmp");
    size_t decoded = 0;
    for (const auto& f : bmps) {
        SCOPED_TRACE(f.name);
        kv::fuzz::DecodeAnyBmp(f.bytes);
        decoded += !kv::DecodeBmp(f.bytes).Empty();
    }
    EXPECT_GE(bmps.size(), 6u);
    EXPECT_GE(decoded, 4u);
    const auto icons = kv::test::CorpusFiles("tests/host/base_bmp/corpus/ico");
    for (const auto& f : icons) {
        SCOPED_TRACE(f.name);
        kv::fuzz::PickAnyIcoImage(f.bytes);
    }
    EXPECT_GE(icons.size(), 2u);
}

// Rewrites the seeds: KV_WRITE_FUZZ_SEEDS=1 base_bmp_tests --gtest_filter=ImageCorpus.*
TEST(ImageCorpus, WriteSeedsWhenAsked) {
    if (!std::getenv("KV_WRITE_FUZZ_SEEDS")) GTEST_SKIP();
    kv::PixelBuffer image(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image.At(x, y) = kv::Pixel(0x102030u * uint32_t(x + 4 * y));
    const Bytes rgb24 = kv::EncodeBmp24(image.View());
    const Bytes rgb32 = kv::EncodeBmp32(image.View());
    const std::string dir = "tests/host/base_bmp/corpus/bmp";
    kv::test::WriteCorpusFile(dir, "rgb24.bmp", rgb24);
    kv::test::WriteCorpusFile(dir, "rgb32.bmp", rgb32);
    kv::test::WriteCorpusFile(dir, "truncated.bmp", Bytes(rgb24.begin(), rgb24.end() - 7));
    // 8 bpp, 2 colours, a top-down 3 x 2 image (rows padded to 4 bytes).
    Bytes pal8 = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0,
                  0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                  0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0xFF, 0, 0xFF, 0x00, 0x00, 0,
                  0, 1, 0, 0, 1, 0, 1, 0};
    kv::test::WriteCorpusFile(dir, "pal8-topdown.bmp", pal8);
    // 1 bpp, 4 bpp and a 16 bpp bit-field file: the same header with other bit counts.
    Bytes pal1 = pal8, pal4 = pal8;
    pal1[28] = 1;
    pal4[28] = 4;
    kv::test::WriteCorpusFile(dir, "pal1.bmp", pal1);
    kv::test::WriteCorpusFile(dir, "pal4.bmp", pal4);
    Bytes fields = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 66, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0,
                    2, 0, 0, 0, 1, 0, 16, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0,
                    0x1F, 0, 0, 0, 0x1F, 0x00, 0xE0, 0x07, 0x00, 0xF8, 0xFF, 0xFF};
    kv::test::WriteCorpusFile(dir, "bitfields565.bmp", fields);
    kv::test::WriteCorpusFile(dir, "core-header.bmp",
                              {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0, 12, 0, 0, 0, 1, 0,
                               1, 0, 1, 0, 24, 0, 0x10, 0x20, 0x30, 0});
    // Icons: one directory of two images, and one whose image lies past the end.
    Bytes ico = {0, 0, 1, 0, 2, 0, 16, 16, 0, 0, 1, 0, 32, 0, 4, 0, 0, 0, 38, 0, 0, 0,
                 32, 32, 0, 0, 1, 0, 8, 0, 4, 0, 0, 0, 42, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    kv::test::WriteCorpusFile("tests/host/base_bmp/corpus/ico", "two-images.ico", ico);
    Bytes past = ico;
    past[18] = 200;
    kv::test::WriteCorpusFile("tests/host/base_bmp/corpus/ico", "past-end.ico", past);
}

} // namespace
