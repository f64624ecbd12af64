// The headless backend: no window and no device; the screen is composed when it is read.
#include "platform/desktop/backend.h"

namespace platform::desktop {

namespace {

class HeadlessBackend final : public Backend {
public:
    bool isHeadless() const override { return true; }
    bool start(BackendHost&) override { return true; }
    void stop() override { }
};

} // namespace

std::unique_ptr<Backend> makeHeadlessBackend()
{
    return std::make_unique<HeadlessBackend>();
}

} // namespace platform::desktop
