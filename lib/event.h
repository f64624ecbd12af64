// swCEvent: an auto-reset event with a value, the answer object of the game thread's hand-shakes.
#pragma once

#include "platform/kernel/windef.h"

#include <atomic>

class swCEvent {
public:
    // Not signalled; value is kept for the side that waits.
    explicit swCEvent(DWORD value = 0);
    swCEvent(const swCEvent&) = delete;
    swCEvent& operator=(const swCEvent&) = delete;
    ~swCEvent();

    // The answer: written before eventSet, read after the wait returns.
    DWORD value() const { return m_value.load(); }
    void setValue(DWORD value) { m_value.store(value); }

    HANDLE handle() const { return m_handle; }
    void eventSet();
    // WAIT_OBJECT_0 when set (the event resets itself), WAIT_TIMEOUT after timeout ms.
    DWORD eventWait(DWORD timeout);

private:
    std::atomic<DWORD> m_value;
    HANDLE m_handle = nullptr;
};
