#pragma once
// SoundOutput: a frame's sound through the system's wave output.
//
// Contract: Play() starts a RIFF WAVE image asynchronously when the system has a wave output
// device and the bytes look like a wave file; otherwise it does nothing and says so (false).
// The bytes are borrowed and must stay alive until Stop() or the next Play(); the destructor
// stops what is playing. A new sound replaces the one playing.
#include <cstdint>
#include <vector>

namespace kv::agent::player {

class SoundOutput {
public:
    SoundOutput();
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    bool Play(const std::vector<uint8_t>& wave);
    void Stop();
    bool Available() const { return available_; }

private:
    bool available_;
    bool playing_ = false;
};

} // namespace kv::agent::player
