// acstool: prints what a character file holds, dumps an animation's frames as BMP files and
// builds a character from a folder of frame images and a description.
#include "agent/acs/AcsCompose.h"
#include "agent/acs/AcsReader.h"
#include "agent/acs/AcsWriter.h"
#include "base/Bmp.h"
#include "tools/acstool/build/AcsBuild.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace kv;

const char* kUsage = R"(usage:
  acstool info FILE.acs                  character, sizes, languages, states, animations
  acstool frames FILE.acs ANIMATION DIR  each frame composed to DIR/ANIMATION_NNN.bmp
                                         (see-through pixels drawn magenta)
  acstool build DIR OUT.acs              a character from DIR/character.txt and its images
)";

int Fail(const std::string& message) {
    std::fprintf(stderr, "acstool: %s\n", message.c_str());
    return 1;
}

bool Load(const char* path, AcsCharacter& c) {
    std::string error;
    if (ReadAcsFile(std::filesystem::u8path(path), c, error)) return true;
    Fail(std::string(path) + ": " + error);
    return false;
}

const char* Transition(AcsTransition t) {
    switch (t) {
    case AcsTransition::ReturnAnimation:
        return "return";
    case AcsTransition::ExitBranches:
        return "exit branches";
    default:
        return "none";
    }
}

void PrintHeader(const AcsCharacter& c) {
    for (const auto& l : c.localized)
        std::printf("name 0x%04X: %s (%s)\n", l.langId, AcsToUtf8(l.name).c_str(),
                    AcsToUtf8(l.description).c_str());
    std::printf("version %u.%u, size %ux%u, transparent index %u, flags 0x%08X\n", c.majorVersion,
                c.minorVersion, c.width, c.height, c.transparentIndex, c.flags);
    std::printf("palette %zu colours, %zu images, %zu sounds, tray icon %s, voice %s\n",
                c.palette.size(), c.images.size(), c.sounds.size(), c.trayIcon ? "yes" : "no",
                c.voice ? "yes" : "no");
    if (c.balloon)
        std::printf("balloon %u lines x %u chars, font \"%s\" %d/%d, text %06X back %06X "
                    "border %06X (COLORREF)\n",
                    c.balloon->lines, c.balloon->charsPerLine,
                    AcsToUtf8(c.balloon->fontName).c_str(), c.balloon->fontHeight,
                    c.balloon->fontWeight, c.balloon->textColor, c.balloon->backColor,
                    c.balloon->borderColor);
    else
        std::printf("balloon none\n");
}

int Info(const char* path) {
    AcsCharacter c;
    if (!Load(path, c)) return 1;
    PrintHeader(c);
    std::printf("states %zu\n", c.states.size());
    for (const auto& s : c.states) {
        std::printf("  %s:", AcsToUtf8(s.name).c_str());
        for (const auto& a : s.animations) std::printf(" %s", AcsToUtf8(a).c_str());
        std::printf("\n");
    }
    std::printf("animations %zu\n", c.animations.size());
    for (const auto& a : c.animations) {
        unsigned total = 0;
        for (const auto& f : a.frames) total += f.duration;
        std::printf("  %-24s %3zu frames %6.2f s  %s%s%s\n", AcsToUtf8(a.name).c_str(),
                    a.frames.size(), total / 100.0, Transition(a.transition),
                    a.returnAnimation.empty() ? "" : " ", AcsToUtf8(a.returnAnimation).c_str());
    }
    return 0;
}

int Frames(const char* path, const char* name, const char* dir) {
    AcsCharacter c;
    if (!Load(path, c)) return 1;
    const AcsAnimation* a = c.FindAnimation(std::string_view(name));
    if (!a) return Fail(std::string(path) + " has no animation " + name);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(dir), ec);
    AcsFrameComposer composer(c);
    PixelBuffer frame;
    for (size_t i = 0; i < a->frames.size(); ++i) {
        if (!composer.Compose(a->frames[i], frame, {std::nullopt, kMagenta}))
            return Fail("cannot compose frame " + std::to_string(i));
        char file[32];
        std::snprintf(file, sizeof file, "_%03zu.bmp", i);
        const auto out = std::filesystem::u8path(dir) / (AcsToUtf8(a->name) + file);
        const std::vector<uint8_t> bmp = EncodeBmp24(frame.View());
        std::ofstream f(out, std::ios::binary);
        if (!f.write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size())))
            return Fail("cannot write " + out.string());
    }
    std::printf("%zu frames written\n", a->frames.size());
    return 0;
}

int Build(const char* dir, const char* out) {
    AcsCharacter c;
    std::string error;
    if (!BuildAcsFromFolder(std::filesystem::u8path(dir), c, error)) return Fail(error);
    if (!WriteAcsFile(std::filesystem::u8path(out), c, error))
        return Fail(std::string(out) + ": " + error);
    std::printf("%s: %zu animations, %zu images\n", out, c.animations.size(), c.images.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "info" && argc == 3) return Info(argv[2]);
    if (command == "frames" && argc == 5) return Frames(argv[2], argv[3], argv[4]);
    if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
    std::fprintf(stderr, "%s\n%s", kUsage, kAcsDescriptionHelp);
    return 2;
}
