// skingen DIR: draws the default skin's images and writes them, its definition and the
// package order file (skinpack.order) into DIR. The same bytes come out on every run.
//
// The stored skin's package is 409,971 bytes with a 502-byte name list; the definition is
// padded with a closing comment so that the package built from DIR has exactly that size.
#include "base/Bmp.h"
#include "tools/skingen/SkinArt.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace {

constexpr size_t kPackageBytes = 409971;
constexpr size_t kNameListBytes = 502;
constexpr size_t kHeaderBytes = 16;

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    return bool(out);
}

// Comment lines that bring the definition to exactly `bytes` more bytes.
std::string Padding(size_t bytes) {
    std::string pad;
    const std::string line = "; " + std::string(76, '-') + "\r\n";
    while (bytes - pad.size() >= line.size() + 4) pad += line;
    const size_t rest = bytes - pad.size();
    if (rest >= 3)
        pad += ";" + std::string(rest - 3, '-') + "\r\n";
    else
        pad += std::string(rest, ' ');
    return pad;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);

    std::map<std::string, std::vector<uint8_t>> files;
    for (auto list : {skingen::DrawFrameImages(), skingen::DrawControlImages()})
        for (const auto& image : list) files[image.name] = kv::EncodeBmp24(image.pixels.View());

    const std::vector<std::string> order = skingen::EntryOrder();
    size_t names = 0, data = 0;
    for (const auto& name : order) {
        names += name.size() + 2;
        if (name != skingen::kDefinitionName) {
            if (!files.count(name)) {
                std::fprintf(stderr, "skingen: no image %s\n", name.c_str());
                return 1;
            }
            data += files[name].size();
        }
    }
    std::string ini = skingen::DefinitionText();
    const size_t fixed = kHeaderBytes + names + 4 * order.size() + data + ini.size();
    if (names != kNameListBytes || fixed > kPackageBytes) {
        std::fprintf(stderr, "skingen: name list %zu bytes, package %zu bytes before padding\n",
                     names, fixed);
        return 1;
    }
    ini += Padding(kPackageBytes - fixed);

    bool ok = WriteFile(dir / skingen::kDefinitionName, ini.data(), ini.size());
    for (const auto& [name, bytes] : files)
        ok = ok && WriteFile(dir / name, bytes.data(), bytes.size());
    std::string orderText;
    for (const auto& name : order) orderText += name + "\n";
    ok = ok && WriteFile(dir / "skinpack.order", orderText.data(), orderText.size());
    if (!ok) {
        std::fprintf(stderr, "skingen: cannot write into %s\n", dir.string().c_str());
        return 1;
    }
    return 0;
}
