// The installed application link, and the one the state uses without it.
#include "state/application_link.h"

#include "platform/kernel/host.h"

#include <atomic>

namespace {

class UnlinkedApplication : public ApplicationLink {
public:
    void tell(const std::string& text, const std::string& caption, NoticeIcon, NoticeOwner) override
    {
        platform::debugOutput("Notice [" + caption + "] " + text + "\n");
    }
    void setRestartRequested(bool requested) override { m_restart = requested; }
    bool restartRequested() const override { return m_restart; }
    bool raiseMainWindow() override { return false; }

private:
    std::atomic<bool> m_restart = false;
};

std::atomic<ApplicationLink*> g_link = nullptr;

} // namespace

void setApplicationLink(ApplicationLink* link) { g_link = link; }

ApplicationLink& applicationLink()
{
    static UnlinkedApplication unlinked;
    ApplicationLink* link = g_link;
    return link ? *link : unlinked;
}
