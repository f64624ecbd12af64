// ModalOwnerHold: the owners that modal windows hold disabled, counted across threads.
#include "platform/user/modal_owner.h"

#include "platform/user/window_state.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace platform::user {

namespace {

struct Held {
    // The holds disabled the owner, so the last of them enables it again.
    bool disabledByHolds = false;
    int count = 0;
    // The modal windows of the holds, oldest first.
    std::vector<HWND> modals;
};

// Guards the holds and their owners' enabled state: a hold's begin or end and the change it makes
// to the state are one step, so the state always follows the holds. The owner is told of a change
// with the lock let go, as that may send to another thread, which may be waiting for the lock.
std::mutex g_lock;
std::map<HWND, Held>& heldOwners()
{
    static auto* owners = new std::map<HWND, Held>();
    return *owners;
}

// The owners that a thread is telling of changes to their state, with the changes it has still to
// tell. One thread at a time tells an owner, so the news reaches it in the order of the changes.
std::map<HWND, int>& untoldOwners()
{
    static auto* owners = new std::map<HWND, int>();
    return *owners;
}

std::atomic<void (*)(HWND)> g_newsHook { nullptr };

// Sets the owner's state with g_lock held, and has the owner told: by the thread telling it of
// earlier changes, if there is one (this one goes on at once then, the state already set), else
// by this one, until no change is left untold.
void setOwnerEnabled(std::unique_lock<std::mutex>& lock, HWND owner, bool enable)
{
    if (changeEnabled(owner, enable).value_or(enable) == enable)
        return;
    auto [untold, first] = untoldOwners().try_emplace(owner, 0);
    ++untold->second;
    if (!first)
        return;
    try {
        while (untold->second > 0) {
            untold->second = 0;
            const bool enabled = IsWindowEnabled(owner) != FALSE;
            lock.unlock();
            if (auto hook = g_newsHook.load())
                hook(owner);
            tellEnabled(owner, enabled);
            lock.lock();
        }
    } catch (...) {
        if (!lock.owns_lock())
            lock.lock();
        untoldOwners().erase(untold);
        throw;
    }
    untoldOwners().erase(untold);
}

void activate(HWND window)
{
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        SetActiveWindow(window);
    else
        SetForegroundWindow(window);
}

} // namespace

void setOwnerNewsHook(void (*hook)(HWND owner)) { g_newsHook = hook; }

ModalOwnerHold::ModalOwnerHold(HWND owner)
    : m_owner(owner)
    , m_activeBefore(GetActiveWindow())
{
    if (!m_owner)
        return;
    std::unique_lock lock(g_lock);
    Held& held = heldOwners()[m_owner];
    if (held.count++ > 0)
        return;
    held.disabledByHolds = IsWindowEnabled(m_owner) != FALSE;
    try {
        if (held.disabledByHolds)
            setOwnerEnabled(lock, m_owner, false);
    } catch (...) {
        lock.unlock();
        try {
            release();
        } catch (...) {
        }
        throw;
    }
}

void ModalOwnerHold::setModal(HWND modal)
{
    m_modal = modal;
    if (!m_owner || !modal)
        return;
    std::lock_guard lock(g_lock);
    heldOwners()[m_owner].modals.push_back(modal);
}

HWND ModalOwnerHold::release()
{
    std::unique_lock lock(g_lock);
    auto it = heldOwners().find(m_owner);
    if (it == heldOwners().end())
        return nullptr;
    Held& held = it->second;
    std::erase(held.modals, m_modal);
    if (--held.count > 0)
        return held.modals.empty() ? nullptr : held.modals.back();
    const bool enable = held.disabledByHolds;
    heldOwners().erase(it);
    if (enable)
        setOwnerEnabled(lock, m_owner, true);
    return nullptr;
}

ModalOwnerHold::~ModalOwnerHold()
{
    if (!m_owner)
        return;
    try {
        const HWND next = release();
        // The modal window had the keyboard, or nobody visible has it now: it goes on, else it
        // stays with the window that has it.
        const HWND active = GetActiveWindow();
        const bool handOn = m_modalEndedActive || active == m_modal || !IsWindowVisible(active);
        if (!next) {
            if (!handOn)
                return;
            if (m_activeBefore != m_owner && m_activeBefore != m_modal && IsWindowVisible(m_activeBefore)
                && IsWindowEnabled(m_activeBefore) && !IsIconic(m_activeBefore))
                activate(m_activeBefore);
            else if (IsWindowEnabled(m_owner))
                activate(m_owner);
            return;
        }
        // Another modal window still holds the owner: it has the keyboard next.
        if (handOn && IsWindow(next))
            activate(next);
    } catch (...) {
    }
}

} // namespace platform::user
