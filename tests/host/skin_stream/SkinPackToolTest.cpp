#include "skin/data/Lzh.h"
#include "skin/data/SkinRead.h"
#include "skin/data/SkinWrite.h"
#include "tests/host/skin_stream/SkinStreamData.h"
#include "tools/skinpack/SkinPack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), {});
}

void Write(const fs::path& p, const Bytes& b) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

void Write(const fs::path& p, const std::string& s) {
    Write(p, Bytes(s.begin(), s.end()));
}

class SkinPackTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("skinpack_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // In-process run: exit code, with stdout and stderr kept.
    int Run(std::vector<std::string> args) {
        out_.clear();
        err_.clear();
        return kv::RunSkinPack(args, out_, err_);
    }

    // The built tool itself.
    int Exec(const std::string& args) {
        std::string cmd = std::string("\"") + KV_SKINPACK_EXE + "\" " + args + " >\"" +
                          (dir_ / "exec.log").string() + "\" 2>&1";
        int status = std::system(cmd.c_str());
        return status == 0 ? 0 : 1;
    }

    std::string P(const std::string& name) const { return (dir_ / name).string(); }

    // A skin folder: the skin-like entries, "button.bmp" three times through the order file.
    fs::path MakeFolder(const std::string& name) {
        fs::path folder = dir_ / name;
        fs::create_directories(folder);
        std::string order;
        for (const auto& e : kv::testdata::SkinLikeEntries()) {
            Write(folder / e.name, e.bytes);
            order += e.name + "\n";
        }
        Write(folder / kv::kSkinPackOrderFile, order);
        return folder;
    }

    fs::path dir_;
    std::string out_, err_;
};

void ExpectSameFolders(const fs::path& a, const fs::path& b) {
    size_t count = 0;
    for (const auto& item : fs::directory_iterator(a)) {
        fs::path other = b / item.path().filename();
        ASSERT_TRUE(fs::exists(other)) << other;
        EXPECT_TRUE(Read(item.path()) == Read(other)) << other;
        count++;
    }
    EXPECT_EQ(count, size_t(std::distance(fs::directory_iterator(b), {})));
}

TEST_F(SkinPackTool, EncodeThenDecodeRoundTripsArbitraryData) {
    const std::vector<Bytes> inputs = {
        {}, {0x7F}, kv::testdata::RandomBytes(1, 50000), kv::testdata::RandomBytes(2, 9000, 3)};
    for (const Bytes& data : inputs) {
        Write(dir_ / "in", data);
        ASSERT_EQ(Exec("encode \"" + P("in") + "\" \"" + P("packed") + "\""), 0);
        ASSERT_EQ(Exec("decode \"" + P("packed") + "\" \"" + P("out") + "\""), 0);
        EXPECT_TRUE(Read(dir_ / "out") == data) << data.size();
    }
}

// decode streams into a file beside its output: a damaged input leaves an existing output as
// it was (and no part file), and the output may be the input itself.
TEST_F(SkinPackTool, DecodeReplacesItsOutputOnlyWhenComplete) {
    Bytes data = kv::testdata::RandomBytes(4, 200000, 12);
    Bytes packed = kv::TLZH::Pack(data);
    Write(dir_ / "out", std::string("keep me"));
    Write(dir_ / "cut", Bytes(packed.begin(), packed.begin() + std::ptrdiff_t(packed.size() / 2)));
    EXPECT_EQ(Run({"decode", P("cut"), P("out")}), 1);
    EXPECT_NE(err_.find("ends before its declared size"), std::string::npos) << err_;
    EXPECT_EQ(Read(dir_ / "out"), Bytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
    EXPECT_FALSE(fs::exists(P("out") + ".part"));
    EXPECT_EQ(Run({"decode", P("missing"), P("out")}), 1);
    EXPECT_FALSE(fs::exists(P("out") + ".part"));
    // The program's own start for decode reports the same way.
    EXPECT_EQ(Exec("decode \"" + P("cut") + "\" \"" + P("out") + "\""), 1);
    Bytes logBytes = Read(dir_ / "exec.log");
    std::string log(logBytes.begin(), logBytes.end());
    EXPECT_NE(log.find("skinpack: "), std::string::npos) << log;
    EXPECT_NE(log.find("ends before its declared size"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(P("out") + ".part"));

    Write(dir_ / "same", packed);
    ASSERT_EQ(Run({"decode", P("same"), P("same")}), 0) << err_;
    EXPECT_TRUE(Read(dir_ / "same") == data);
}

// The program decodes before setting anything else up, on its own code: every failure still
// exits 1 with a message, leaves the output as it was and no part file behind.
TEST_F(SkinPackTool, TheProgramsOwnDecodeReportsEveryFailure) {
    Bytes data = kv::testdata::RandomBytes(3, 70000, 5);
    Bytes packed = kv::TLZH::Pack(data);
    Write(dir_ / "good", packed);
    Write(dir_ / "out", std::string("keep me"));
    auto log = [&] {
        Bytes bytes = Read(dir_ / "exec.log");
        return std::string(bytes.begin(), bytes.end());
    };
    auto expectFailure = [&](const std::string& args, const std::string& message) {
        EXPECT_EQ(Exec("decode " + args), 1) << args;
        EXPECT_EQ(log().rfind("skinpack: ", 0), 0u) << log();
        EXPECT_NE(log().find(message), std::string::npos) << log();
        EXPECT_EQ(Read(dir_ / "out"), Bytes({'k', 'e', 'e', 'p', ' ', 'm', 'e'})) << args;
        EXPECT_FALSE(fs::exists(P("out") + ".part")) << args;
    };
    auto q = [&](const std::string& name) { return "\"" + P(name) + "\""; };

    expectFailure(q("missing") + " " + q("out"), "cannot open " + P("missing"));
    Write(dir_ / "short", Bytes{1, 0});
    expectFailure(q("short") + " " + q("out"), "shorter than its 4-byte size word");
    Bytes huge = packed;
    huge[3] = 0x7F; // declares far more than the stream holds
    Write(dir_ / "huge", huge);
    expectFailure(q("huge") + " " + q("out"), "beyond what the stream can hold");
    EXPECT_EQ(Exec("decode " + q("good") + " " + q("no-such-folder/out")), 1);
    EXPECT_NE(log().find("cannot write"), std::string::npos) << log();
    EXPECT_EQ(Exec("decode " + q("good")), 1); // the general path's usage message
    EXPECT_NE(log().find("wrong number of arguments"), std::string::npos) << log();

    ASSERT_EQ(Exec("decode " + q("good") + " " + q("out")), 0) << log();
    EXPECT_TRUE(Read(dir_ / "out") == data);
    EXPECT_FALSE(fs::exists(P("out") + ".part"));
    ASSERT_EQ(Exec("decode " + q("good") + " " + q("good")), 0) << log(); // in place
    EXPECT_TRUE(Read(dir_ / "good") == data);
}

TEST_F(SkinPackTool, PackThenUnpackRoundTripsAFolderByteForByte) {
    fs::path folder = MakeFolder("skin");
    ASSERT_EQ(Exec("pack \"" + folder.string() + "\" \"" + P("a.skn") + "\""), 0);
    ASSERT_EQ(Exec("unpack \"" + P("a.skn") + "\" \"" + P("copy") + "\""), 0);
    ExpectSameFolders(folder, dir_ / "copy");
    // And the unpacked folder packs to the very same skin.
    ASSERT_EQ(Run({"pack", P("copy"), P("b.skn")}), 0) << err_;
    EXPECT_TRUE(Read(dir_ / "a.skn") == Read(dir_ / "b.skn"));

    kv::TSkinReader r;
    ASSERT_TRUE(r.OpenPackageFile(P("a.skn")));
    EXPECT_EQ(r.Count(), 34u);
    EXPECT_EQ(std::count(r.Names().begin(), r.Names().end(), "button.bmp"), 3);
}

TEST_F(SkinPackTool, WithoutAnOrderFileEveryFileIsPackedOnceInNameOrder) {
    fs::create_directories(dir_ / "f" / "sub.bmp"); // folders are not entries
    Write(dir_ / "f" / "b.bmp", std::string("BB"));
    Write(dir_ / "f" / "a.ini", std::string("[x]"));
    ASSERT_EQ(Run({"pack", P("f"), P("f.skn")}), 0) << err_;
    ASSERT_EQ(Run({"list", P("f.skn")}), 0) << err_;
    EXPECT_EQ(out_, "version 20000, 2 entries, 5 bytes of data\n"
                    "         3  a.ini\n"
                    "         2  b.bmp\n");
    ASSERT_EQ(Run({"extract", P("f.skn"), "B.BMP", P("b.out")}), 0) << err_;
    EXPECT_EQ(Read(dir_ / "b.out"), (Bytes{'B', 'B'}));
}

// unpack makes its folder and any missing parents, and writes over files already there.
TEST_F(SkinPackTool, UnpackMakesMissingFoldersAndReplacesFiles) {
    fs::path folder = MakeFolder("skin");
    ASSERT_EQ(Run({"pack", folder.string(), P("a.skn")}), 0) << err_;
    fs::create_directories(dir_ / "x");
    Write(dir_ / "x" / "y", std::string("a file in the way"));
    EXPECT_EQ(Run({"unpack", P("a.skn"), P("x/y/z")}), 1);
    EXPECT_NE(err_.find("cannot create folder"), std::string::npos) << err_;
    ASSERT_EQ(Run({"unpack", P("a.skn"), P("new/deeper/copy/")}), 0) << err_;
    ExpectSameFolders(folder, dir_ / "new" / "deeper" / "copy");
    Write(dir_ / "new" / "deeper" / "copy" / "button.bmp", std::string("stale"));
    ASSERT_EQ(Run({"unpack", P("a.skn"), P("new/deeper/copy")}), 0) << err_;
    ExpectSameFolders(folder, dir_ / "new" / "deeper" / "copy");
}

TEST_F(SkinPackTool, BadUsageAndBadInputFailWithAMessage) {
    Write(dir_ / "junk", std::string("not a skin at all"));
    fs::create_directories(dir_ / "empty");
    const std::vector<std::vector<std::string>> failing = {
        {"list"},
        {"frobnicate", "x"},
        {"list", P("missing.skn")},
        {"list", P("junk")},
        {"decode", P("junk"), P("out")},
        {"pack", P("empty"), P("out")},
        {"pack", P("missing"), P("out")},
        {"encode", P("missing"), P("out")},
    };
    for (const auto& args : failing) {
        EXPECT_EQ(Run(args), 1) << args[0];
        EXPECT_NE(err_.find("skinpack: "), std::string::npos) << args[0];
    }
    EXPECT_EQ(Exec(""), 1);
    EXPECT_EQ(Exec("list"), 1);
}

TEST_F(SkinPackTool, RefusesOlderAndAbsentEntries) {
    Bytes older = {0x10, 0x27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Write(dir_ / "old.skn", kv::TLZH::Pack(older));
    EXPECT_EQ(Run({"list", P("old.skn")}), 1);
    EXPECT_NE(err_.find("This is Older Skin File Please update to new version !"),
              std::string::npos);
    Bytes packed;
    std::string error;
    ASSERT_TRUE(kv::PackSkin({{"a.bmp", {1}}}, packed, error));
    Write(dir_ / "a.skn", packed);
    EXPECT_EQ(Run({"extract", P("a.skn"), "b.bmp", P("out")}), 1);
    EXPECT_FALSE(fs::exists(dir_ / "out"));
}

// A skin that cannot be read (the tool's message hook was installed when reading threw) leaves
// the caller's hook in place: the next refused package reports to it, not into the tool's
// finished call.
TEST_F(SkinPackTool, AFailedReadPutsTheCallersMessageHookBack) {
    std::vector<std::string> texts;
    kv::ScopedSkinMessageHook hook([&](const std::string& t) { texts.push_back(t); });
    EXPECT_EQ(Run({"list", P("missing.skn")}), 1);
    kv::TSkinReader reader;
    EXPECT_FALSE(reader.OpenPackage(Bytes{1, 2}));
    EXPECT_EQ(texts, std::vector<std::string>{kv::kDamagedSkinMessage});
}

TEST_F(SkinPackTool, UnpackWritesNothingForUnsafeNames) {
    for (const char* name : {"../escape.bmp", "sub/x.bmp", "c:x.bmp", "..", "skinpack.order"}) {
        Bytes packed;
        std::string error;
        ASSERT_TRUE(kv::PackSkin({{"fine.bmp", {1}}, {name, {2}}}, packed, error));
        Write(dir_ / "evil.skn", packed);
        fs::remove_all(dir_ / "out");
        EXPECT_EQ(Run({"unpack", P("evil.skn"), P("out")}), 1) << name;
        EXPECT_FALSE(fs::exists(dir_ / "out" / "fine.bmp")) << name;
        EXPECT_FALSE(fs::exists(dir_ / "escape.bmp"));
    }
    // The same names are refused when an order file tries to pack them.
    fs::create_directories(dir_ / "f");
    Write(dir_ / "f" / kv::kSkinPackOrderFile, std::string("# entries\n../junk\n"));
    EXPECT_EQ(Run({"pack", P("f"), P("o.skn")}), 1);
    Write(dir_ / "f" / kv::kSkinPackOrderFile, std::string("missing.bmp\r\n"));
    EXPECT_EQ(Run({"pack", P("f"), P("o.skn")}), 1);
}

} // namespace
