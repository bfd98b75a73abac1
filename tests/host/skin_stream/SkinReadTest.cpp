#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"
#include "tests/host/skin_stream/SkinStreamData.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;
using kv::TSkinReader;

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Records the reader's messages for one test.
class MessageLog {
public:
    std::vector<std::string> texts;

private:
    kv::ScopedSkinMessageHook hook_{[this](const std::string& t) { texts.push_back(t); }};
};

void PutU32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; i++) out.push_back(uint8_t(v >> (8 * i)));
}

// A package built field by field, so tests can make every field lie.
Bytes RawPackage(uint32_t version, uint32_t listLength, const std::string& list,
                 const std::vector<uint32_t>& sizes, const Bytes& data) {
    Bytes p;
    PutU32(p, version);
    PutU32(p, listLength);
    for (int i = 0; i < 8; i++) p.push_back(uint8_t(0xA5 + i)); // reserved: arbitrary bytes
    p.insert(p.end(), list.begin(), list.end());
    for (uint32_t s : sizes) PutU32(p, s);
    p.insert(p.end(), data.begin(), data.end());
    return p;
}

Bytes Packed(const Bytes& package) {
    return kv::TLZH::Pack(package);
}

Bytes PackEntries(const std::vector<kv::SkinEntry>& entries) {
    Bytes packed;
    std::string error;
    EXPECT_TRUE(kv::PackSkin(entries, packed, error)) << error;
    return packed;
}

void ExpectEmpty(const TSkinReader& r) {
    EXPECT_EQ(r.Count(), 0u);
    EXPECT_TRUE(r.Data().empty());
    Bytes dest = {1};
    EXPECT_FALSE(r.ExtractEntry("a.bmp", dest));
    EXPECT_TRUE(dest.empty());
}

TEST(SkinReader, ReadsTheSkinLikePackage) {
    auto entries = kv::testdata::SkinLikeEntries();
    entries[1].bytes.push_back(0x42); // the second "button.bmp" differs: the first must win
    entries[5].name = "Combo-Arrows.bmp";
    Bytes packed = PackEntries(entries);
    TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(packed));
    EXPECT_EQ(r.PackageVersion(), 20000);
    ASSERT_EQ(r.Count(), 34u);
    EXPECT_EQ(r.Names()[5], "combo-arrows.bmp");
    uint64_t total = 0;
    for (size_t i = 0; i < r.Count(); i++) total += r.EntrySize(i);
    EXPECT_EQ(total, r.Data().size());

    Bytes dest;
    EXPECT_TRUE(r.ExtractEntry("Combo-Arrows.bmp", dest));
    EXPECT_TRUE(dest == entries[5].bytes);
    EXPECT_TRUE(r.ExtractEntry("BUTTON.BMP", dest));
    EXPECT_TRUE(dest == entries[0].bytes);
    std::string name = "unchanged";
    EXPECT_TRUE(r.ExtractEntryContaining(".ini", dest, name));
    EXPECT_EQ(name, "skin.ini");
    EXPECT_TRUE(dest == entries.back().bytes);
}

TEST(SkinReader, AbsentNamesGiveEmptyDestinations) {
    TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(PackEntries({{"Skin.INI", Text("[a]")}, {"x.bmp", Text("BM")}})));
    Bytes dest = {1, 2, 3};
    EXPECT_FALSE(r.ExtractEntry("y.bmp", dest));
    EXPECT_TRUE(dest.empty());
    // The part is compared as given against lower-case names: no folding.
    std::string name = "keep";
    EXPECT_FALSE(r.ExtractEntryContaining(".INI", dest, name));
    EXPECT_EQ(name, "keep");
    EXPECT_TRUE(dest.empty());
    EXPECT_TRUE(r.ExtractEntryContaining("kin.i", dest, name));
    EXPECT_EQ(name, "skin.ini");
}

TEST(SkinReader, OlderPackageShowsTheVersionMessageAndYieldsNothing) {
    MessageLog log;
    TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(PackEntries({{"a.bmp", Text("BM")}})));
    EXPECT_FALSE(r.OpenPackage(Packed(RawPackage(10000, 7, "a.bmp\r\n", {2}, Text("BM")))));
    ExpectEmpty(r);
    EXPECT_EQ(r.PackageVersion(), 10000);
    ASSERT_EQ(log.texts.size(), 1u);
    EXPECT_EQ(log.texts[0], "This is Older Skin File\rPlease update to new version !");
}

TEST(SkinReader, RefusesDamagedPackagesQuietlyWithOneMessage) {
    std::string list3 = "a\r\nb\r\nc\r\n";
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"stream shorter than 4 bytes", Bytes{1, 2}},
        {"negative declared size", Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00}},
        {"declared size far beyond the stream", Bytes{0x00, 0x00, 0x00, 0x40, 0x12, 0x34}},
        {"truncated bit stream",
         [] {
             Bytes p = PackEntries(kv::testdata::SkinLikeEntries());
             p.resize(p.size() / 3);
             return p;
         }()},
        {"unpacked size below 16", Packed(Bytes{0x20, 0x4E, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"negative name list length", Packed(RawPackage(20000, 0xFFFFFFFF, "", {}, {}))},
        {"name list past the data", Packed(RawPackage(20000, 100, list3, {}, {}))},
        {"size table past the data", Packed(RawPackage(20000, 9, list3, {0, 0}, {}))},
    };
    for (const auto& [what, packed] : cases) {
        MessageLog log;
        TSkinReader r;
        ASSERT_TRUE(r.OpenPackage(PackEntries({{"old.bmp", Text("BM")}})));
        EXPECT_FALSE(r.OpenPackage(packed)) << what;
        ExpectEmpty(r);
        ASSERT_EQ(log.texts.size(), 1u) << what;
        EXPECT_EQ(log.texts[0], kv::kDamagedSkinMessage) << what;
    }
}

TEST(SkinReader, AtMost1001Entries) {
    auto listOf = [](size_t n) {
        std::string list;
        for (size_t i = 0; i < n; i++) list += "e" + std::to_string(i) + ".bmp\r\n";
        return list;
    };
    for (size_t n : {size_t(1001), size_t(1002)}) {
        std::string list = listOf(n);
        Bytes package = RawPackage(20000, uint32_t(list.size()), list, std::vector<uint32_t>(n, 1),
                                   Bytes(n, 'x'));
        TSkinReader r;
        EXPECT_EQ(r.OpenPackage(Packed(package)), n == 1001) << n;
        EXPECT_EQ(r.Count(), n == 1001 ? n : 0u);
    }
    // A hostile list of a million empty lines is refused without a million strings.
    std::string blank(1000000, '\n');
    TSkinReader r;
    EXPECT_FALSE(r.OpenPackage(Packed(RawPackage(20000, uint32_t(blank.size()), blank, {}, {}))));
}

TEST(SkinReader, EntriesPastDataAreAbsentAndOthersStillWork) {
    // Sizes that add up to more than the data: the last entry reaches past it.
    TSkinReader r;
    ASSERT_TRUE(
        r.OpenPackage(Packed(RawPackage(20000, 9, "a\r\nb\r\nc\r\n", {2, 3, 4}, Text("AABBBCC")))));
    Bytes dest = {9};
    EXPECT_TRUE(r.ExtractEntry("b", dest));
    EXPECT_EQ(dest, Text("BBB"));
    EXPECT_FALSE(r.ExtractEntry("c", dest));
    EXPECT_TRUE(dest.empty()); // never partial
    EXPECT_FALSE(r.Entry(2).has_value());

    // 32-bit sizes that would wrap back to offset 0 if summed in 32 bits.
    ASSERT_TRUE(r.OpenPackage(
        Packed(RawPackage(20000, 9, "a\r\nb\r\nc\r\n", {0xFFFFFFFF, 1, 2}, Text("XY")))));
    EXPECT_FALSE(r.ExtractEntry("a", dest));
    EXPECT_FALSE(r.ExtractEntry("c", dest));
    EXPECT_TRUE(dest.empty());

    // Sizes that add up to less: the trailing bytes are ignored.
    ASSERT_TRUE(r.OpenPackage(Packed(RawPackage(20000, 3, "a\r\n", {1}, Text("Qtrailing")))));
    EXPECT_TRUE(r.ExtractEntry("a", dest));
    EXPECT_EQ(dest, Text("Q"));
}

TEST(SkinReader, AFirstMatchPastDataHidesLaterDuplicates) {
    TSkinReader r;
    ASSERT_TRUE(r.OpenPackage(Packed(RawPackage(20000, 6, "a\r\na\r\n", {5, 1}, Text("ab")))));
    Bytes dest;
    EXPECT_FALSE(r.ExtractEntry("a", dest));
    EXPECT_TRUE(dest.empty());
}

TEST(SkinReader, NameListsSplitLikeAStringList) {
    using kv::SplitNameList;
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitNameList(""), V{});
    EXPECT_EQ(SplitNameList("a\r\nb\r\n"), (V{"a", "b"}));
    EXPECT_EQ(SplitNameList("a\rb\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(SplitNameList("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitNameList("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitNameList("\r\n"), (V{""}));
    EXPECT_EQ(SplitNameList(std::string_view("a\r\nb\0c\r\n", 9)), (V{"a", "b"}));
    EXPECT_EQ(SplitNameList("a\nb\nc\n", 2), (V{"a", "b"}));
    // A NUL in the list ends it: the sizes still start after all L bytes.
    TSkinReader r;
    std::string list("a\r\n\0zz\r\n", 8);
    ASSERT_TRUE(r.OpenPackage(Packed(RawPackage(20000, 8, list, {2}, Text("OK")))));
    ASSERT_EQ(r.Count(), 1u);
    Bytes dest;
    EXPECT_TRUE(r.ExtractEntry("A", dest));
    EXPECT_EQ(dest, Text("OK"));
}

TEST(SkinReader, OpensFilesAndRefusesMissingOnes) {
    MessageLog log;
    std::string path = ::testing::TempDir() + "skin_stream_reader.skn";
    Bytes packed = PackEntries({{"a.ini", Text("[x]")}});
    {
        std::ofstream f(path, std::ios::binary);
        f.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
    }
    TSkinReader r;
    EXPECT_TRUE(r.OpenPackageFile(path));
    EXPECT_EQ(r.Count(), 1u);
    std::remove(path.c_str());
    EXPECT_FALSE(r.OpenPackageFile(path));
    ExpectEmpty(r);
    EXPECT_TRUE(log.texts.empty()); // a missing file is the caller's to report
}

TEST(SkinWriter, RefusesNamesThatWouldChangeTheList) {
    Bytes out;
    std::string error;
    EXPECT_FALSE(kv::BuildSkinPackage({{"a\r\nb", {}}}, out, error));
    EXPECT_FALSE(kv::BuildSkinPackage({{"", {}}}, out, error));
    EXPECT_FALSE(kv::BuildSkinPackage(std::vector<kv::SkinEntry>(1002, {"a", {}}), out, error));
    EXPECT_TRUE(kv::BuildSkinPackage(std::vector<kv::SkinEntry>(1001, {"a", {}}), out, error));
}

} // namespace
