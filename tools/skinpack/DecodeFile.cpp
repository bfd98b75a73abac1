#include "tools/skinpack/DecodeFile.h"

#include "skin/data/Lzh.h"
#include "tools/skinpack/Files.h"

#include <cstdio>
#include <exception>

namespace kv {
namespace {

// A failure's message, written into the caller's buffer.
class Message {
public:
    Message(char* text, size_t size) : text_(text), size_(size) {}

    bool Fail(const char* what, const char* path) {
        std::snprintf(text_, size_, "%s%s", what, path);
        return false;
    }
    bool Fail(const char* path, const char* sep, const char* what) {
        std::snprintf(text_, size_, "%s%s%s", path, sep, what);
        return false;
    }

private:
    char* text_;
    size_t size_;
};

// Decodes `in` into `part`.
bool DecodeInto(std::FILE* in, std::FILE* part, const char* packedPath, const char* outPath,
                Message& message) {
    auto read = [in](std::span<uint8_t> buffer) {
        return std::fread(buffer.data(), 1, buffer.size(), in);
    };
    auto write = [part](std::span<const uint8_t> bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), part) == bytes.size();
    };
    try {
        LzhStatus status = TLZH::UnpackStream(read, write);
        if (std::ferror(in)) return message.Fail("cannot read ", packedPath);
        if (status == LzhStatus::WriteFailed) return message.Fail("cannot write ", outPath);
        if (status == LzhStatus::Ok) return true;
        return message.Fail(packedPath, ": ", LzhStatusText(status));
    } catch (const std::exception& e) { // no memory for the tables
        return message.Fail("", e.what());
    }
}

} // namespace

bool DecodePackedFile(const char* packedPath, const char* outPath, char* text, size_t size) {
    Message message(text, size);
    files::File in = files::OpenFile(packedPath, false);
    if (!in) return message.Fail("cannot open ", packedPath);
    char partPath[4096];
    int length = std::snprintf(partPath, sizeof partPath, "%s.part", outPath);
    if (length < 0 || size_t(length) >= sizeof partPath) return message.Fail("cannot write ", outPath);
    files::File part = files::OpenFile(partPath, true);
    if (!part) return message.Fail("cannot write ", partPath);
    bool ok = DecodeInto(in.get(), part.get(), packedPath, outPath, message);
    in.reset(); // Windows renames nothing over an open file
    bool closed = std::fclose(part.release()) == 0;
    if (ok && (!closed || !files::RenameOver(partPath, outPath)))
        ok = message.Fail("cannot write ", outPath);
    if (!ok) files::RemoveFile(partPath);
    return ok;
}

} // namespace kv
