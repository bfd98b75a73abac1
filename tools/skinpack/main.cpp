#include "tools/skinpack/QuickDecode.h"
#include "tools/skinpack/SkinPack.h"

#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>

namespace {

// stdout and stderr as C++ streams, made only for the commands that print. Not std::cout:
// linking it sets up every standard stream and the locales before main, which is a large
// share of decoding one small skin.
class StdioBuf : public std::streambuf {
public:
    explicit StdioBuf(std::FILE* file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return std::streamsize(std::fwrite(s, 1, size_t(n), file_));
    }

private:
    std::FILE* file_;
};

} // namespace

int main(int argc, char** argv) {
#ifndef _WIN32
    // Decoding one skin is the common use and mostly start-up: it goes first, before any
    // C++ string or stream exists.
    if (argc == 4 && std::strcmp(argv[1], "decode") == 0) return kv::QuickDecode(argv[2], argv[3]);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "decode") {
        std::string error;
        int rc = kv::DecodePackedFile(args[1], args[2], error);
        if (rc != 0) std::fprintf(stderr, "skinpack: %s\n", error.c_str());
        return rc;
    }
    StdioBuf outBuf(stdout), errBuf(stderr);
    std::ostream out(&outBuf), err(&errBuf);
    return kv::RunSkinPack(args, out, err);
}
