// Where the mixed audio goes: the SDL device or a silent sink clocked in real time.
#pragma once

#include <memory>

namespace platform::media {

class Mixer;

class Output {
public:
    virtual ~Output() = default;
};

// Both pull from the mixer on their own thread; the destructor stops pulling.
std::unique_ptr<Output> openDeviceOutput(Mixer& mixer);
std::unique_ptr<Output> openSilentOutput(Mixer& mixer);

} // namespace platform::media
