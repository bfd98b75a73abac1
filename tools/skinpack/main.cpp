#include "tools/skinpack/SkinPack.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kv::RunSkinPack(args, std::cout, std::cerr);
}
