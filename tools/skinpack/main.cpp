#include "tools/skinpack/SkinPack.h"

#include <cstdio>

int main(int argc, char** argv) {
    std::string out, err;
    int rc = kv::RunSkinPack(std::vector<std::string>(argv + 1, argv + argc), out, err);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return rc;
}
