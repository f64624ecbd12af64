// The silent sink: advances the mix at real speed and discards it, so playing sources end on time.
#include "platform/media/mixer.h"
#include "platform/media/output.h"

#include <chrono>
#include <condition_variable>
#include <thread>

namespace platform::media {
namespace {

class SilentOutput final : public Output {
public:
    explicit SilentOutput(Mixer& mixer)
        : m_mixer(mixer)
        , m_thread([this] { run(); })
    {
    }

    ~SilentOutput() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

private:
    void run()
    {
        using Clock = std::chrono::steady_clock;
        constexpr auto kPeriod = std::chrono::milliseconds(10);
        std::vector<int16_t> buffer;
        auto start = Clock::now();
        uint64_t framesDone = 0;
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, kPeriod, [this] { return m_stop; })) {
            auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
            uint64_t due = uint64_t(elapsed.count()) * kDeviceRate / 1000000;
            if (due <= framesDone)
                continue;
            size_t frames = size_t(std::min<uint64_t>(due - framesDone, kDeviceRate));
            framesDone = due;
            buffer.resize(frames * kDeviceChannels);
            lock.unlock();
            m_mixer.renderFrames(buffer.data(), frames);
            lock.lock();
        }
    }

    Mixer& m_mixer;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace

std::unique_ptr<Output> openSilentOutput(Mixer& mixer) { return std::make_unique<SilentOutput>(mixer); }

} // namespace platform::media
