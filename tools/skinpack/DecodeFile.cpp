#include "tools/skinpack/DecodeFile.h"

#include "skin/data/Lzh.h"
#include "tools/skinpack/Files.h"

#include <cstdio>
#include <exception>

namespace kv {
namespace {

bool Fail(std::string& message, std::string text) {
    message = std::move(text);
    return false;
}

// Decodes `in` into `part`.
bool DecodeInto(std::FILE* in, std::FILE* part, const char* packedPath, const char* outPath,
                std::string& message) {
    auto read = [in](std::span<uint8_t> buffer) {
        return std::fread(buffer.data(), 1, buffer.size(), in);
    };
    auto write = [part](std::span<const uint8_t> bytes) {
        return std::fwrite(bytes.data(), 1, bytes.size(), part) == bytes.size();
    };
    try {
        LzhStatus status = TLZH::UnpackStream(read, write);
        if (std::ferror(in)) return Fail(message, std::string("cannot read ") + packedPath);
        if (status == LzhStatus::WriteFailed)
            return Fail(message, std::string("cannot write ") + outPath);
        if (status == LzhStatus::Ok) return true;
        return Fail(message, std::string(packedPath) + ": " + LzhStatusText(status));
    } catch (const std::exception& e) { // no memory for the tables
        return Fail(message, e.what());
    }
}

} // namespace

bool DecodePackedFile(const char* packedPath, const char* outPath, std::string& message) {
    CFile in = files::OpenFile(packedPath, false);
    if (!in) return Fail(message, std::string("cannot open ") + packedPath);
    std::string partPath = std::string(outPath) + ".part";
    CFile part = files::OpenFile(partPath.c_str(), true);
    if (!part) return Fail(message, "cannot write " + partPath);
    bool ok = DecodeInto(in.get(), part.get(), packedPath, outPath, message);
    in.reset(); // Windows renames nothing over an open file
    bool closed = std::fclose(part.release()) == 0;
    if (ok && (!closed || !files::RenameOver(partPath.c_str(), outPath)))
        ok = Fail(message, std::string("cannot write ") + outPath);
    if (!ok) files::RemoveFile(partPath.c_str());
    return ok;
}

} // namespace kv
