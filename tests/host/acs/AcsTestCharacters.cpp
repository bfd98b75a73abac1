#include "AcsTestCharacters.h"

#include "agent/acs/AcsImage.h"
#include "agent/acs/AcsWriter.h"

#include <gtest/gtest.h>

namespace kv::test {

AcsCharacter MinimalCharacter() {
    AcsCharacter c;
    c.width = 8;
    c.height = 6;
    c.transparentIndex = 0;
    c.flags = kAcsFlagVoiceDisabled | kAcsFlagBalloonDisabled;
    c.palette = {0x000000, 0xFF0000, 0x0000FF};
    c.localized.push_back({0x0409, u"Mini", u"A test character", u""});
    const std::vector<uint8_t> red(4 * 3, 1);
    c.images.push_back(AcsEncodeImage(4, 3, red, 0, false));
    AcsAnimation wave;
    wave.name = u"Wave";
    wave.frames.push_back({});
    wave.frames[0].images.push_back({0, 1, 1});
    c.animations.push_back(wave);
    return c;
}

std::vector<uint8_t> SilentWave(size_t samples) {
    std::vector<uint8_t> w;
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
        w.push_back(uint8_t(v));
        w.push_back(uint8_t(v >> 8));
    };
    w.insert(w.end(), {'R', 'I', 'F', 'F'});
    put32(uint32_t(36 + samples));
    w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1);     // PCM
    put16(1);     // mono
    put32(11025); // samples per second
    put32(11025); // bytes per second
    put16(1);     // block align
    put16(8);     // bits per sample
    w.insert(w.end(), {'d', 'a', 't', 'a'});
    put32(uint32_t(samples));
    w.insert(w.end(), samples, 0x80);
    return w;
}

AcsCharacter FullCharacter() {
    AcsCharacter c = MinimalCharacter();
    c.flags = kAcsFlagVoiceEnabled | kAcsFlagBalloonEnabled | kAcsFlagStandardAnimationSet |
              kAcsFlagBalloonSizeToText;
    c.guid = {0x12345678, 0x9ABC, 0x11D3, {1, 2, 3, 4, 5, 6, 7, 8}};
    AcsVoiceInfo voice;
    voice.hasExtra = true;
    voice.dialect = u"US English";
    voice.gender = 2;
    voice.age = 30;
    voice.style = u"Business";
    c.voice = voice;
    c.balloon = AcsBalloonInfo{};
    c.trayIcon = AcsTrayIcon{{1, 2, 3}, {4, 5, 6, 7}};
    c.states.push_back({u"SHOWING", {u"WAVE"}});
    c.states.push_back({u"IDLINGLEVEL1", {u"Wave", u"Blink"}});
    c.localized.push_back({0x0407, u"Mini", u"Eine Testfigur", u"extra"});
    std::vector<uint8_t> pattern(5 * 4);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = uint8_t(i % 3);
    c.images.push_back(AcsEncodeImage(5, 4, pattern, 0, true)); // 1: compressed
    c.images.push_back(AcsImage{});                             // 2: empty
    c.sounds.push_back({SilentWave(100), 0});
    AcsAnimation blink;
    blink.name = u"Blink";
    blink.transition = AcsTransition::ExitBranches;
    for (int i = 0; i < 3; ++i) {
        AcsFrame f;
        f.images = {{1, int16_t(i), 0}, {0, 0, 0}};
        f.duration = uint16_t(5 + i);
        f.exitFrame = int16_t(i == 2 ? kAcsExitEnds : 2 - i);
        blink.frames.push_back(f);
    }
    blink.frames[0].sound = 0;
    blink.frames[1].branches = {{0, 40}, {2, 30}};
    AcsOverlay open;
    open.mouth = AcsMouth::WideOpen2;
    open.image = 1;
    open.x = 2;
    open.y = 3;
    AcsOverlay closed = open;
    closed.mouth = AcsMouth::Closed;
    closed.replaceTopImage = true;
    closed.region = std::vector<uint8_t>{9, 9, 9};
    blink.frames[2].overlays = {open, closed};
    c.animations.push_back(blink);
    AcsAnimation greet;
    greet.name = u"Greet";
    greet.transition = AcsTransition::ReturnAnimation;
    greet.returnAnimation = u"BLINK";
    greet.frames.push_back({});
    c.animations.push_back(greet);
    AcsAnimation empty;
    empty.name = u"Nothing";
    c.animations.push_back(empty);
    return c;
}

std::vector<uint8_t> Written(const AcsCharacter& c) {
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(WriteAcs(c, bytes, error)) << error;
    return bytes;
}

} // namespace kv::test
