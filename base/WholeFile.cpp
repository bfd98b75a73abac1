#include "base/WholeFile.h"

namespace kv {

WholeFile ReadWholeFile(std::FILE* file, uint64_t cap, std::vector<uint8_t>& bytes) {
    constexpr size_t kPiece = 64 * 1024;
    bytes.clear();
    for (size_t got = kPiece; got == kPiece;) {
        size_t have = bytes.size();
        bytes.resize(have + kPiece);
        got = std::fread(bytes.data() + have, 1, kPiece, file);
        bytes.resize(have + got);
        if (bytes.size() > cap) return WholeFile::TooLarge;
    }
    return std::ferror(file) ? WholeFile::ReadError : WholeFile::Ok;
}

} // namespace kv
