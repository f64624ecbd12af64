// Critical sections: a recursive host mutex behind a pointer that the caller's struct holds.
#include "platform/kernel/winbase.h"

#include <mutex>

namespace {
std::recursive_mutex* lockOf(LPCRITICAL_SECTION section) { return static_cast<std::recursive_mutex*>(section->LockImpl); }
}

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    lpCriticalSection->LockImpl = new std::recursive_mutex;
    lpCriticalSection->OwningThread = 0;
    lpCriticalSection->RecursionCount = 0;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    lockOf(lpCriticalSection)->lock();
    lpCriticalSection->OwningThread = GetCurrentThreadId();
    ++lpCriticalSection->RecursionCount;
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (!lockOf(lpCriticalSection)->try_lock())
        return FALSE;
    lpCriticalSection->OwningThread = GetCurrentThreadId();
    ++lpCriticalSection->RecursionCount;
    return TRUE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    // Leaving a section this thread does not hold would be undefined on the host mutex.
    if (lpCriticalSection->OwningThread != GetCurrentThreadId() || lpCriticalSection->RecursionCount <= 0)
        return;
    if (--lpCriticalSection->RecursionCount == 0)
        lpCriticalSection->OwningThread = 0;
    lockOf(lpCriticalSection)->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    delete lockOf(lpCriticalSection);
    lpCriticalSection->LockImpl = nullptr;
}
