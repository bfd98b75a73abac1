#include "tools/skinpack/DecodeFile.h"
#include "tools/skinpack/SkinPack.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Decoding one skin is the common use and mostly start-up: it goes first.
    if (argc == 4 && std::strcmp(argv[1], "decode") == 0) {
        std::string message;
        if (kv::DecodePackedFile(argv[2], argv[3], message)) return 0;
        std::fprintf(stderr, "skinpack: %s\n", message.c_str());
        return 1;
    }
    std::string out, err;
    int rc = kv::RunSkinPack(std::vector<std::string>(argv + 1, argv + argc), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return rc;
}
