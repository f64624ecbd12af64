// Internal pieces of the kernel's waitable objects: the wait lock, handle tables and names.
#pragma once

#include "platform/kernel/handle_table.h"
#include "platform/kernel/waitable.h"
#include "platform/kernel/winbase.h"

#include <string>
#include <utility>
#include <vector>

namespace platform {

// One waiting thread; objects that pulse mark entry i of its wait as released.
struct WaitBlock {
    DWORD threadId = 0;
    uint64_t pulsed = 0;
};

std::mutex& waitMutex();
// Wakes all waiters; the caller holds the wait lock or has just released it.
void wakeWaiters();

// One table per waitable kind: Event, Mutex, Semaphore, Thread, Waitable.
HandleTable<Waitable>& waitableTable(HandleKind kind);
bool isWaitableKind(HandleKind kind);

template <class T>
std::shared_ptr<T> objectFromHandle(HANDLE handle, HandleKind kind)
{
    uintptr_t value = handleValue(handle);
    if (handleKindOf(value) != kind)
        return nullptr;
    return std::static_pointer_cast<T>(waitableTable(kind).get(value));
}

inline HANDLE addObject(HandleKind kind, std::shared_ptr<Waitable> object)
{
    return makeHandle<HANDLE>(waitableTable(kind).add(std::move(object)));
}

// Named objects share one namespace within the process, as on the original platform.
struct NamedObject {
    HandleKind kind;
    std::shared_ptr<Waitable> object;
};
// Under the name lock: the living object of that name, if any.
std::unique_lock<std::mutex> lockNames();
NamedObject findNamed(const std::string& name);
void recordNamed(const std::string& name, HandleKind kind, const std::shared_ptr<Waitable>& object);

// Called by a thread as it ends: its mutexes become abandoned.
void abandonOwnedMutexes();

} // namespace platform

namespace platform {

// CreateEvent/CreateMutex/CreateSemaphore with an optional name: an existing object of the same
// kind is opened (ERROR_ALREADY_EXISTS), one of another kind refuses (ERROR_INVALID_HANDLE).
// `make` builds the new object and may set `existed` itself (another process has the name).
template <class Make>
HANDLE createNamedObject(const char* name, HandleKind kind, Make make)
{
    if (!name || !*name) {
        bool unused = false;
        std::shared_ptr<Waitable> object = make(unused);
        SetLastError(ERROR_SUCCESS);
        return addObject(kind, std::move(object));
    }
    auto lock = lockNames();
    NamedObject named = findNamed(name);
    if (named.object) {
        if (named.kind != kind) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        HANDLE handle = addObject(kind, named.object);
        SetLastError(ERROR_ALREADY_EXISTS);
        return handle;
    }
    bool existed = false;
    std::shared_ptr<Waitable> object = make(existed);
    recordNamed(name, kind, object);
    HANDLE handle = addObject(kind, std::move(object));
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

// Opens an existing named object of the given kind; null with ERROR_FILE_NOT_FOUND otherwise.
inline HANDLE openNamedObject(const char* name, HandleKind kind)
{
    if (!name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = lockNames();
    NamedObject named = findNamed(name);
    if (!named.object) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    if (named.kind != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return addObject(kind, named.object);
}

} // namespace platform
