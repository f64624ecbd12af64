// ModalOwnerHold: the owners that modal windows hold disabled, counted across threads.
#include "platform/user/modal_owner.h"

#include <algorithm>
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

std::mutex g_lock;
std::map<HWND, Held>& heldOwners()
{
    static auto* owners = new std::map<HWND, Held>();
    return *owners;
}

void activate(HWND window)
{
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        SetActiveWindow(window);
    else
        SetForegroundWindow(window);
}

} // namespace

ModalOwnerHold::ModalOwnerHold(HWND owner)
    : m_owner(owner)
{
    if (!m_owner)
        return;
    bool disable = false;
    {
        std::lock_guard lock(g_lock);
        Held& held = heldOwners()[m_owner];
        if (held.count++ == 0)
            held.disabledByHolds = disable = IsWindowEnabled(m_owner) != FALSE;
    }
    if (disable)
        EnableWindow(m_owner, FALSE);
}

void ModalOwnerHold::setModal(HWND modal)
{
    m_modal = modal;
    if (!m_owner || !modal)
        return;
    std::lock_guard lock(g_lock);
    heldOwners()[m_owner].modals.push_back(modal);
}

ModalOwnerHold::~ModalOwnerHold()
{
    if (!m_owner)
        return;
    try {
        bool enable = false;
        HWND next = nullptr;
        {
            std::lock_guard lock(g_lock);
            auto it = heldOwners().find(m_owner);
            if (it == heldOwners().end())
                return;
            Held& held = it->second;
            std::erase(held.modals, m_modal);
            if (--held.count == 0) {
                enable = held.disabledByHolds;
                heldOwners().erase(it);
            } else if (!held.modals.empty()) {
                next = held.modals.back();
            }
        }
        if (enable)
            EnableWindow(m_owner, TRUE);
        // The modal window had the keyboard, or nobody visible has it now: it goes on, else it
        // stays with the window that has it.
        const HWND active = GetActiveWindow();
        const bool handOn = m_modalEndedActive || active == m_modal || !IsWindowVisible(active);
        if (!next) {
            if (handOn && IsWindowEnabled(m_owner))
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
