// CloseHandle for every kind of kernel handle.
#include "platform/kernel/files.h"
#include "platform/kernel/sync_objects.h"
#include "platform/kernel/winbase.h"

using namespace platform;

BOOL CloseHandle(HANDLE hObject)
{
    uintptr_t value = handleValue(hObject);
    HandleKind kind = handleKindOf(value);
    bool closed = false;
    if (kind == HandleKind::File)
        closed = closeFileHandle(value);
    else if (isWaitableKind(kind))
        closed = waitableTable(kind).remove(value) != nullptr;
    if (!closed) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}
