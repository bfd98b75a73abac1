#pragma once
// AcsCharacter: the in-memory model of one animated character file (version 2.x).
//
// Contract
// - Plain data, copyable, comparable with ==. Strings are UTF-16 as in the file; AcsToUtf8
//   turns them into UTF-8 for display (unpaired surrogates become U+FFFD).
// - A character returned by ReadAcs (AcsReader.h) is consistent: every image, sound, branch
//   target, exit frame and overlay index it holds is in range, branch probabilities of a frame
//   add up to at most 100, and every image's stored data is long enough for its declared size.
//   A character assembled by hand may break these rules; WriteAcs refuses such a character and
//   AcsValidate names the first broken rule.
// - Images keep their pixel and region data as stored (compressed or not): decoding is done on
//   demand (AcsImage.h), because a character can hold more than a thousand images.
// - Animation and state names compare without regard to case (ASCII and Latin-1 letters).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

constexpr uint32_t kAcsSignature = 0xABCDABC3;

// Character info flags that describe the optional blocks and the balloon style.
constexpr uint32_t kAcsFlagVoiceDisabled = 0x10;
constexpr uint32_t kAcsFlagVoiceEnabled = 0x20;
constexpr uint32_t kAcsFlagBalloonDisabled = 0x100;
constexpr uint32_t kAcsFlagBalloonEnabled = 0x200;
constexpr uint32_t kAcsFlagBalloonSizeToText = 0x10000;
constexpr uint32_t kAcsFlagBalloonNoAutoHide = 0x20000;
constexpr uint32_t kAcsFlagBalloonNoAutoPace = 0x40000;
constexpr uint32_t kAcsFlagStandardAnimationSet = 0x100000;

constexpr uint16_t kAcsNoSound = 0xFFFF;
constexpr int16_t kAcsNoExit = -1;
constexpr int16_t kAcsExitEnds = -2; // the exit sequence ends at this frame

struct AcsGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
    bool operator==(const AcsGuid&) const = default;
};

struct AcsVoiceInfo {
    AcsGuid engine;
    AcsGuid mode;
    uint32_t speed = 0xFFFFFFFF;
    uint16_t pitch = 0xFFFF;
    bool hasExtra = false; // the fields below are stored only when true
    uint16_t langId = 0x0409;
    std::u16string dialect;
    uint16_t gender = 0;
    uint16_t age = 0;
    std::u16string style;
    bool operator==(const AcsVoiceInfo&) const = default;
};

// Colours are COLORREF values (0x00BBGGRR), the byte order the file uses for the balloon.
struct AcsBalloonInfo {
    uint8_t lines = 2;
    uint8_t charsPerLine = 28;
    uint32_t textColor = 0x000000;
    uint32_t backColor = 0xE1FFFF;
    uint32_t borderColor = 0x000000;
    std::u16string fontName = u"MS Sans Serif";
    int32_t fontHeight = -13;
    int32_t fontWeight = 400;
    bool italic = false;
    uint8_t reserved = 0;
    bool operator==(const AcsBalloonInfo&) const = default;
};

// Two plain DIBs (header, colour table, bottom-up rows), kept as stored.
struct AcsTrayIcon {
    std::vector<uint8_t> mask;
    std::vector<uint8_t> color;
    bool operator==(const AcsTrayIcon&) const = default;
};

struct AcsState {
    std::u16string name; // stored in upper case ("SHOWING")
    std::vector<std::u16string> animations;
    bool operator==(const AcsState&) const = default;
};

struct AcsLocalizedInfo {
    uint16_t langId = 0x0409;
    std::u16string name;
    std::u16string description;
    std::u16string extra;
    bool operator==(const AcsLocalizedInfo&) const = default;
};

struct AcsFrameImage {
    uint32_t image = 0; // index into AcsCharacter::images
    int16_t x = 0;      // top-left corner relative to the frame's
    int16_t y = 0;
    bool operator==(const AcsFrameImage&) const = default;
};

struct AcsBranch {
    uint16_t frame = 0;       // target frame index
    uint16_t probability = 0; // percent
    bool operator==(const AcsBranch&) const = default;
};

enum class AcsMouth : uint8_t {
    Closed = 0,
    WideOpen1,
    WideOpen2,
    WideOpen3,
    WideOpen4,
    Medium,
    Narrow,
};

struct AcsOverlay {
    AcsMouth mouth = AcsMouth::Closed;
    bool replaceTopImage = false;
    uint16_t image = 0; // index into AcsCharacter::images
    uint8_t unknown = 0;
    int16_t x = 0;
    int16_t y = 0;
    uint16_t width = 0; // meaning uncertain; kept for writing back
    uint16_t height = 0;
    std::optional<std::vector<uint8_t>> region; // RGNDATA, rarely present
    bool operator==(const AcsOverlay&) const = default;
};

struct AcsFrame {
    std::vector<AcsFrameImage> images; // first entry is the top-most
    uint16_t sound = kAcsNoSound;      // index into AcsCharacter::sounds
    uint16_t duration = 10;            // hundredths of a second
    int16_t exitFrame = kAcsNoExit;
    std::vector<AcsBranch> branches;
    std::vector<AcsOverlay> overlays;
    bool operator==(const AcsFrame&) const = default;
};

enum class AcsTransition : uint8_t { ReturnAnimation = 0, ExitBranches = 1, None = 2 };

struct AcsAnimation {
    std::u16string name; // original case, as the animation list gives it
    AcsTransition transition = AcsTransition::None;
    std::u16string returnAnimation; // used with ReturnAnimation; may name a missing animation
    std::vector<AcsFrame> frames;
    bool operator==(const AcsAnimation&) const = default;
};

struct AcsRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const AcsRect&) const = default;
};

// One palette-indexed image. `pixels` is the compressed stream when `compressed`, otherwise
// stride x height bytes of bottom-up rows (stride = AcsStride(width)). `region` likewise holds
// the RGNDATA compressed (regionCompressed) or stored; regionSize is its decoded length.
// An image with width or height 0 is empty (the file's one-byte entries) and draws nothing.
struct AcsImage {
    uint8_t unknown = 1;
    uint16_t width = 0;
    uint16_t height = 0;
    bool compressed = false;
    std::vector<uint8_t> pixels;
    bool regionCompressed = false;
    uint32_t regionSize = 0;
    std::vector<uint8_t> region;
    uint32_t checksum = 0;
    bool Empty() const { return width == 0 || height == 0; }
    bool operator==(const AcsImage&) const = default;
};

// A complete RIFF WAVE file image.
struct AcsSound {
    std::vector<uint8_t> wave;
    uint32_t checksum = 0;
    bool operator==(const AcsSound&) const = default;
};

struct AcsCharacter {
    uint16_t minorVersion = 1;
    uint16_t majorVersion = 2;
    AcsGuid guid;
    uint16_t width = 0; // frame size
    uint16_t height = 0;
    uint8_t transparentIndex = 0;
    uint32_t flags = 0; // read and written with the voice and balloon bits of AcsFlagsOfBlocks
    uint16_t setMajorVersion = 2;
    uint16_t setMinorVersion = 0;
    std::optional<AcsVoiceInfo> voice;
    std::optional<AcsBalloonInfo> balloon;
    std::vector<uint32_t> palette; // 0x00RRGGBB (kv::Pixel without alpha), at most 256
    std::optional<AcsTrayIcon> trayIcon;
    std::vector<AcsState> states;
    std::vector<AcsLocalizedInfo> localized;
    std::vector<AcsAnimation> animations;
    std::vector<AcsImage> images;
    std::vector<AcsSound> sounds;

    // Animation by name, without regard to case; nullptr when there is none.
    const AcsAnimation* FindAnimation(std::u16string_view name) const;
    const AcsAnimation* FindAnimation(std::string_view utf8Name) const;
    // State by name, without regard to case; nullptr when there is none.
    const AcsState* FindState(std::u16string_view name) const;
    // Best localized entry for a language: exact match, same primary language, English, the
    // first entry; nullptr when the list is empty.
    const AcsLocalizedInfo* Localized(uint16_t langId) const;

    bool operator==(const AcsCharacter&) const = default;
};

// Case-insensitive equality of two names (ASCII and Latin-1 letters fold).
bool AcsNamesEqual(std::u16string_view a, std::u16string_view b);
std::u16string AcsUpper(std::u16string_view s);

std::string AcsToUtf8(std::u16string_view s);
// Invalid UTF-8 sequences become U+FFFD.
std::u16string AcsFromUtf8(std::string_view s);

// Bytes per stored pixel row: width rounded up to a multiple of 4.
constexpr size_t AcsStride(size_t width) {
    return (width + 3) & ~size_t(3);
}

// `c.flags` with exactly one bit of each voice and balloon pair set, the one that says whether
// `voice` and `balloon` are there: what real files hold, what the writer writes and what the
// reader keeps.
uint32_t AcsFlagsOfBlocks(const AcsCharacter& c);

// Empty string when the character is consistent (see the contract); otherwise what is wrong.
std::string AcsValidate(const AcsCharacter& c);

} // namespace kv
