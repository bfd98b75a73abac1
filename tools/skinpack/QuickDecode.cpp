#include "tools/skinpack/QuickDecode.h"

#include "skin/data/Lzh.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace kv {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Unbuffered: the decoder moves pieces of many kilobytes, a stdio buffer would only be one
// more page to touch.
File Open(const char* path, const char* mode) {
    File file(std::fopen(path, mode));
    if (file) std::setvbuf(file.get(), nullptr, _IONBF, 0);
    return file;
}

int Fail(const char* what, const char* path) {
    std::fprintf(stderr, "skinpack: %s%s\n", what, path);
    return 1;
}

// Decodes `in` into `part`: 0, or 1 with the failure reported.
int DecodeInto(std::FILE* in, std::FILE* part, const char* packedPath, const char* outPath) {
    auto read = [in](std::span<uint8_t> buffer) {
        return std::fread(buffer.data(), 1, buffer.size(), in);
    };
    auto write = [part](std::span<const uint8_t> bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), part) == bytes.size();
    };
    try {
        LzhStatus status = TLZH::UnpackStream(read, write);
        if (std::ferror(in)) return Fail("cannot read ", packedPath);
        if (status == LzhStatus::WriteFailed) return Fail("cannot write ", outPath);
        if (status == LzhStatus::Ok) return 0;
        std::fprintf(stderr, "skinpack: %s: %s\n", packedPath, LzhStatusText(status));
    } catch (const std::exception& e) { // no memory for the tables
        std::fprintf(stderr, "skinpack: %s\n", e.what());
    }
    return 1;
}

} // namespace

int QuickDecode(const char* packedPath, const char* outPath) {
    File in = Open(packedPath, "rb");
    if (!in) return Fail("cannot open ", packedPath);
    char partPath[4096];
    int length = std::snprintf(partPath, sizeof partPath, "%s.part", outPath);
    if (length < 0 || size_t(length) >= sizeof partPath) return Fail("cannot write ", outPath);
    File part = Open(partPath, "wb");
    if (!part) return Fail("cannot write ", partPath);
    int rc = DecodeInto(in.get(), part.get(), packedPath, outPath);
    in.reset();
    bool closed = std::fclose(part.release()) == 0;
    if (rc == 0 && (!closed || std::rename(partPath, outPath) != 0))
        rc = Fail("cannot write ", outPath);
    if (rc != 0) std::remove(partPath);
    return rc;
}

} // namespace kv
