#include "agent/player/SoundOutput.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace kv::agent::player {
namespace {

bool LooksLikeWave(const std::vector<uint8_t>& wave) {
    return wave.size() >= 44 && std::memcmp(wave.data(), "RIFF", 4) == 0 &&
           std::memcmp(wave.data() + 8, "WAVE", 4) == 0;
}

} // namespace

SoundOutput::SoundOutput() : available_(waveOutGetNumDevs() > 0) {}

SoundOutput::~SoundOutput() {
    Stop();
}

bool SoundOutput::Play(const std::vector<uint8_t>& wave) {
    if (!available_ || !LooksLikeWave(wave)) return false;
    playing_ = PlaySoundW(reinterpret_cast<LPCWSTR>(wave.data()), nullptr,
                          SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
    return playing_;
}

void SoundOutput::Stop() {
    if (playing_) PlaySoundW(nullptr, nullptr, 0);
    playing_ = false;
}

} // namespace kv::agent::player
