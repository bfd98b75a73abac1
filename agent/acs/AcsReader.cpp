#include "agent/acs/AcsReader.h"

#include "agent/acs/AcsReadContext.h"

#include <cstring>
#include <fstream>

namespace kv {
namespace {

constexpr size_t kHeaderSize = 36;
constexpr uint32_t kWebSignature = 0xABCDABC4;
constexpr uint8_t kCompoundSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

bool CheckSignature(acsread::Context& ctx, std::span<const uint8_t> file) {
    if (file.size() >= sizeof kCompoundSignature &&
        std::memcmp(file.data(), kCompoundSignature, sizeof kCompoundSignature) == 0)
        return ctx.Fail("this is a character file of the older version 1.5 (a compound file), "
                        "which is not supported");
    if (file.size() < kHeaderSize) return ctx.Fail("the file is too short to be a character file");
    ByteCursor c(file.data(), file.size());
    const uint32_t signature = c.U32();
    if (signature == kWebSignature)
        return ctx.Fail("this is a web character file (animations kept in separate files), "
                        "which is not supported");
    if (signature != kAcsSignature) return ctx.Fail("this is not a character file");
    return true;
}

bool ReadAll(acsread::Context& ctx, std::span<const uint8_t> file, AcsCharacter& out) {
    if (!CheckSignature(ctx, file)) return false;
    ByteCursor header(file.data() + 4, kHeaderSize - 4);
    const acsread::Locator info = acsread::ReadLocator(header);
    const acsread::Locator animations = acsread::ReadLocator(header);
    const acsread::Locator images = acsread::ReadLocator(header);
    const acsread::Locator sounds = acsread::ReadLocator(header);
    // Images and sounds first: frames are checked against their counts.
    return acsread::ReadCharacterInfo(ctx, info, out) && acsread::ReadImages(ctx, images, out) &&
           acsread::ReadSounds(ctx, sounds, out) && acsread::ReadAnimations(ctx, animations, out);
}

} // namespace

bool ReadAcs(std::span<const uint8_t> file, AcsCharacter& out, std::string& error) {
    out = AcsCharacter{};
    error.clear();
    if (file.size() > kAcsMaxFileBytes) {
        error = "the file is larger than the reader's limit";
        return false;
    }
    acsread::Context ctx(file, kAcsMaxModelBytes);
    AcsCharacter parsed;
    if (!ReadAll(ctx, file, parsed)) {
        error = ctx.Failed() ? ctx.Error() : "the file is damaged";
        return false;
    }
    out = std::move(parsed);
    return true;
}

bool ReadAcsFile(const std::filesystem::path& path, AcsCharacter& out, std::string& error) {
    out = AcsCharacter{};
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = "the file cannot be opened";
        return false;
    }
    f.seekg(0, std::ios::end);
    const std::streamoff size = f.tellg();
    if (size < 0 || uint64_t(size) > kAcsMaxFileBytes) {
        error = size < 0 ? "the file cannot be read" : "the file is larger than the reader's limit";
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    f.seekg(0);
    if (!bytes.empty() && !f.read(reinterpret_cast<char*>(bytes.data()), size)) {
        error = "the file cannot be read";
        return false;
    }
    return ReadAcs(bytes, out, error);
}

} // namespace kv
