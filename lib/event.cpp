// swCEvent over the kernel's events.
#include "lib/event.h"

#include "platform/kernel/winbase.h"

swCEvent::swCEvent(DWORD value)
    : m_value(value)
    , m_handle(CreateEventA(nullptr, FALSE, FALSE, nullptr))
{
}

swCEvent::~swCEvent()
{
    if (m_handle)
        CloseHandle(m_handle);
}

void swCEvent::eventSet()
{
    SetEvent(m_handle);
}

DWORD swCEvent::eventWait(DWORD timeout)
{
    return WaitForSingleObject(m_handle, timeout);
}
