#include "TestCharacter.h"

#include "agent/acs/AcsImage.h"
#include "agent/acs/AcsWriter.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace kv::agent::testing {
namespace {

AcsImage Square(uint8_t colour) {
    std::vector<uint8_t> pixels(32 * 32, colour);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) pixels[size_t(y) * 32 + size_t(x)] = 0;
    return AcsEncodeImage(32, 32, pixels, 0, true);
}

AcsFrame Frame(uint32_t image, uint16_t duration) {
    AcsFrame f;
    f.images.push_back({image, 0, 0});
    f.duration = duration;
    return f;
}

AcsAnimation Animation(const char16_t* name, std::vector<AcsFrame> frames,
                       AcsTransition transition = AcsTransition::None) {
    AcsAnimation a;
    a.name = name;
    a.frames = std::move(frames);
    a.transition = transition;
    return a;
}

std::vector<uint8_t> TinyWave() {
    std::vector<uint8_t> w(44 + 8, 0x80);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) w[at + i] = uint8_t(v >> (8 * i));
    };
    auto put16 = [&](size_t at, uint16_t v) { w[at] = uint8_t(v), w[at + 1] = uint8_t(v >> 8); };
    std::memcpy(w.data(), "RIFF", 4);
    put32(4, uint32_t(w.size() - 8));
    std::memcpy(w.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, 8000);
    put32(28, 8000);
    put16(32, 1);
    put16(34, 8);
    std::memcpy(w.data() + 36, "data", 4);
    put32(40, 8);
    return w;
}

} // namespace

AcsCharacter MakeTestCharacter() {
    AcsCharacter c;
    c.width = 32;
    c.height = 32;
    c.transparentIndex = 0;
    c.flags = kAcsFlagStandardAnimationSet;
    c.balloon = AcsBalloonInfo{};
    c.palette.assign(std::begin(kTestColours), std::end(kTestColours));
    c.localized.push_back({0x0409, u"Testy", u"A test character", u""});
    for (uint8_t k = 1; k <= 6; ++k) c.images.push_back(Square(k));
    c.sounds.push_back({TinyWave(), 0});

    c.animations.push_back(
        Animation(u"Timed", {Frame(0, 10), Frame(1, 20), Frame(2, 5), Frame(3, 30), Frame(4, 10)}));
    AcsAnimation branchy = Animation(u"Branchy", {Frame(0, 0), Frame(1, 0), Frame(2, 0)});
    branchy.frames[0].branches.push_back({2, 30});
    c.animations.push_back(branchy);
    AcsAnimation looping =
        Animation(u"Looping", {Frame(0, 5), Frame(1, 5), Frame(2, 5), Frame(3, 5)},
                  AcsTransition::ExitBranches);
    looping.frames[3].branches.push_back({0, 100});
    int16_t exits[] = {kAcsExitEnds, 0, 1, 0};
    for (int i = 0; i < 4; ++i) looping.frames[size_t(i)].exitFrame = exits[i];
    c.animations.push_back(looping);
    AcsAnimation spin = Animation(u"Spin", {Frame(0, 0)});
    spin.frames[0].branches.push_back({0, 100});
    c.animations.push_back(spin);
    AcsAnimation pose =
        Animation(u"Pose", {Frame(0, 5), Frame(1, 5)}, AcsTransition::ReturnAnimation);
    pose.returnAnimation = u"POSERETURN";
    c.animations.push_back(pose);
    c.animations.push_back(Animation(u"PoseReturn", {Frame(2, 5)}));
    c.animations.push_back(Animation(u"Show", {Frame(3, 5), Frame(4, 5)}));
    c.animations.push_back(Animation(u"Hide", {Frame(4, 5), Frame(3, 5)}));
    AcsAnimation talk = Animation(u"Talk", {Frame(0, 10)});
    talk.frames[0].sound = 0;
    for (uint8_t m = 0; m <= uint8_t(AcsMouth::Narrow); ++m) {
        AcsOverlay o;
        o.mouth = AcsMouth(m);
        o.image = 5;
        o.x = 8;
        o.y = 8;
        talk.frames[0].overlays.push_back(o);
    }
    c.animations.push_back(talk);
    c.animations.push_back(Animation(u"Empty", {}));
    c.states.push_back({u"SHOWING", {u"SHOW"}});
    c.states.push_back({u"HIDING", {u"HIDE"}});
    return c;
}

std::vector<uint8_t> Dib(int side, int bits, uint32_t colours) {
    std::vector<uint8_t> out;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(uint8_t(v >> (8 * i)));
    };
    put(40, 4), put(uint32_t(side), 4), put(uint32_t(side), 4), put(1, 2), put(uint32_t(bits), 2);
    for (int i = 0; i < 4; ++i) put(0, 4);
    put(colours, 4), put(0, 4);
    for (uint32_t c = 0; c < colours; ++c) put(c * 0x111111u, 4);
    size_t stride = ((size_t(side) * size_t(bits) + 31) / 32) * 4;
    for (int y = 0; y < side; ++y)
        for (size_t x = 0; x < stride; ++x) out.push_back(uint8_t(bits == 1 ? (y < 4 ? 0xF0 : 0) : 0x9A));
    return out;
}

AcsTrayIcon MakeTrayIcon(bool damaged) {
    AcsTrayIcon icon{Dib(16, 1, 2), Dib(16, 4, 16)};
    if (damaged) icon.color.resize(icon.color.size() - 9);
    return icon;
}

AcsCharacter MakeIdleCharacter() {
    AcsCharacter c = MakeTestCharacter();
    c.animations.push_back(Animation(u"Idle1a", {Frame(1, 5)}));
    c.animations.push_back(Animation(u"Idle1b", {Frame(2, 5), Frame(3, 5)}));
    AcsAnimation idle2 = Animation(u"Idle2", {Frame(4, 5)}, AcsTransition::ReturnAnimation);
    idle2.returnAnimation = u"PoseReturn";
    c.animations.push_back(idle2);
    AcsAnimation sleep = Animation(u"Sleep", {Frame(0, 5), Frame(1, 5), Frame(2, 5), Frame(3, 5)},
                                   AcsTransition::ExitBranches);
    sleep.frames[3].branches.push_back({0, 100});
    int16_t exits[] = {kAcsExitEnds, 0, 1, 2};
    for (int i = 0; i < 4; ++i) sleep.frames[size_t(i)].exitFrame = exits[i];
    c.animations.push_back(sleep);
    AcsAnimation walk = Animation(u"WalkLeft", {Frame(2, 5), Frame(3, 5)});
    walk.frames[1].branches.push_back({0, 100});
    c.animations.push_back(walk);
    c.animations.push_back(Animation(u"PointLeft", {Frame(1, 5), Frame(2, 5)}));
    c.states.push_back({u"GESTURINGLEFT", {u"PointLeft"}});
    c.states.push_back({u"GESTURINGRIGHT", {u"NoSuchPoint"}});
    c.states.push_back({u"IDLINGLEVEL1", {u"IDLE1A", u"Idle1b", u"Missing1"}});
    c.states.push_back({u"IDLINGLEVEL2", {u"Idle2"}});
    c.states.push_back({u"IDLINGLEVEL3", {u"Sleep"}});
    c.states.push_back({u"MOVINGLEFT", {u"WalkLeft"}});
    c.states.push_back({u"MOVINGRIGHT", {u"NoSuchWalk"}});
    c.states.push_back({u"SPEAKING", {u"Talk"}});
    c.trayIcon = MakeTrayIcon(false);
    return c;
}

AcsCharacter MakeSpinningIdler() {
    AcsCharacter c = MakeTestCharacter();
    c.states.push_back({u"IDLINGLEVEL1", {u"Spin"}});
    return c;
}

std::filesystem::path WriteTestCharacter(const AcsCharacter& character, const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::filesystem::path path = std::filesystem::path(temp) / name;
    std::string error;
    EXPECT_TRUE(WriteAcsFile(path, character, error)) << error;
    return path;
}

} // namespace kv::agent::testing
