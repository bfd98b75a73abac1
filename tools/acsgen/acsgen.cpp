// acsgen DIR: writes the sample character's frames and description into DIR, ready for
// `acstool build DIR OUT.acs`.
#include "tools/acsgen/gen/PipGenerator.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: acsgen DIR\n");
        return 2;
    }
    std::string error;
    if (!kv::pip::GeneratePip(argv[1], error)) {
        std::fprintf(stderr, "acsgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
