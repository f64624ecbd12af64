// The message-box policy: boxes answered at once in runs without a person, and recorded.
#include "platform/desktop/harness.h"

#include "platform/kernel/host.h"

#include <deque>
#include <mutex>
#include <optional>

namespace platform::harness {

namespace {

struct Policy {
    std::mutex mutex;
    std::optional<bool> active; // unset: active exactly on a headless desktop
    std::deque<int> queued;
    int defaultAnswer = 0;
    std::vector<MessageBoxRecord> records;
};

Policy& policy()
{
    static Policy p;
    return p;
}

} // namespace

void setMessageBoxPolicy(bool active)
{
    std::lock_guard lock(policy().mutex);
    policy().active = active;
}

bool messageBoxPolicyActive()
{
    {
        std::lock_guard lock(policy().mutex);
        if (policy().active)
            return *policy().active;
    }
    return desktop::Desktop::instance().isHeadless();
}

void queueMessageBoxAnswer(int answer)
{
    std::lock_guard lock(policy().mutex);
    policy().queued.push_back(answer);
}

void setDefaultMessageBoxAnswer(int answer)
{
    std::lock_guard lock(policy().mutex);
    policy().defaultAnswer = answer;
}

std::vector<MessageBoxRecord> messageBoxes()
{
    std::lock_guard lock(policy().mutex);
    return policy().records;
}

void clearMessageBoxes()
{
    std::lock_guard lock(policy().mutex);
    policy().records.clear();
    policy().queued.clear();
    policy().defaultAnswer = 0;
}

// Message-box values (the window system's header sits above the desktop).
constexpr int kIdCancel = 2;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr UINT kTypeMask = 0xF;
constexpr UINT kAbortRetryIgnore = 2;

int answerMessageBox(const std::string& text, const std::string& caption, UINT style, int defaultButtonId)
{
    int answer;
    {
        std::lock_guard lock(policy().mutex);
        Policy& p = policy();
        if (!p.queued.empty()) {
            answer = p.queued.front();
            p.queued.pop_front();
        } else {
            answer = p.defaultAnswer;
        }
        // With nobody to ask, a box that offers to try again is given up on: retrying the same
        // failure unattended would never end.
        if (answer == 0 && defaultButtonId == kIdRetry)
            answer = (style & kTypeMask) == kAbortRetryIgnore ? kIdAbort : kIdCancel;
        if (answer == 0)
            answer = defaultButtonId;
        p.records.push_back(MessageBoxRecord { text, caption, style, answer });
    }
    debugOutput("MessageBox [" + caption + "] " + text + " -> " + std::to_string(answer) + "\n");
    return answer;
}

void recordShownMessageBox(const std::string& text, const std::string& caption, UINT style, int answer)
{
    std::lock_guard lock(policy().mutex);
    policy().records.push_back(MessageBoxRecord { text, caption, style, answer });
}

} // namespace platform::harness
