// The silent sink: advances the mix at real speed (or the running test clock's) and discards it, so
// playing sources end on time.
#include "platform/media/mixer.h"
#include "platform/media/output.h"
#include "platform/kernel/test_clock.h"

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
        std::vector<int16_t> buffer;
        // Played time advances with real time, or with the test clock while a test runs it, so
        // that sounds end when that clock says.
        uint64_t playedMicros = 0;
        uint64_t framesDone = 0;
        auto lastReal = Clock::now();
        uint64_t lastClock = clockMilliseconds();
        std::unique_lock lock(m_mutex);
        for (;;) {
            const auto period = testClockRunning() ? std::chrono::milliseconds(1) : std::chrono::milliseconds(10);
            if (m_wake.wait_for(lock, period, [this] { return m_stop; }))
                break;
            const auto real = Clock::now();
            const uint64_t clock = clockMilliseconds();
            playedMicros += testClockRunning() ? (clock - lastClock) * 1000
                                               : uint64_t(std::chrono::duration_cast<std::chrono::microseconds>(real - lastReal).count());
            lastReal = real;
            lastClock = clock;
            uint64_t due = playedMicros * kDeviceRate / 1000000;
            if (due <= framesDone)
                continue;
            // A stall of real time is not made up for; a jump of the test clock is, a second at a time.
            const uint64_t owed = testClockRunning() ? due - framesDone : std::min<uint64_t>(due - framesDone, kDeviceRate);
            framesDone = due;
            lock.unlock();
            for (uint64_t left = owed; left > 0;) {
                const size_t frames = size_t(std::min<uint64_t>(left, kDeviceRate));
                buffer.resize(frames * kDeviceChannels);
                m_mixer.renderFrames(buffer.data(), frames);
                left -= frames;
            }
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
