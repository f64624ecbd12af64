// The SDL audio device: its callback pulls the mix. Only the audio subsystem is started here;
// SDL video belongs to the desktop.
#include "platform/kernel/host.h"
#include "platform/media/mixer.h"
#include "platform/media/output.h"

#include <SDL.h>

#include <mutex>

namespace platform::media {
namespace {

class DeviceOutput final : public Output {
public:
    explicit DeviceOutput(SDL_AudioDeviceID device)
        : m_device(device)
    {
    }

    ~DeviceOutput() override
    {
        SDL_CloseAudioDevice(m_device);
        std::lock_guard lock(platform::hostLibraryMutex());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static void callback(void* user, Uint8* stream, int length)
    {
        auto* mixer = static_cast<Mixer*>(user);
        mixer->renderFrames(reinterpret_cast<int16_t*>(stream), size_t(length) / (2 * kDeviceChannels));
    }

private:
    SDL_AudioDeviceID m_device;
};

} // namespace

std::unique_ptr<Output> openDeviceOutput(Mixer& mixer)
{
    std::lock_guard lock(platform::hostLibraryMutex());
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    SDL_AudioSpec wanted {};
    wanted.freq = kDeviceRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kDeviceChannels;
    wanted.samples = 1024;
    wanted.callback = &DeviceOutput::callback;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained {};
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    SDL_PauseAudioDevice(device, 0);
    return std::make_unique<DeviceOutput>(device);
}

} // namespace platform::media
