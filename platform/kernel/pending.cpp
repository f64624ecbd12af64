// Entry points whose implementation is still in progress: each fails honestly.
#include "platform/kernel/host.h"
#include "platform/kernel/modules.h"
#include "platform/kernel/waitable.h"
#include "platform/kernel/winbase.h"

#include <cstdlib>

namespace {
template <class T>
T notYet(T value)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return value;
}
}

HANDLE CreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) { return notYet(INVALID_HANDLE_VALUE); }
BOOL ReadFile(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) { return notYet(FALSE); }
BOOL WriteFile(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED) { return notYet(FALSE); }
DWORD SetFilePointer(HANDLE, LONG, LONG*, DWORD) { return notYet(INVALID_SET_FILE_POINTER); }
DWORD GetFileSize(HANDLE, LPDWORD) { return notYet(INVALID_FILE_SIZE); }
BOOL SetEndOfFile(HANDLE) { return notYet(FALSE); }
BOOL FlushFileBuffers(HANDLE) { return notYet(FALSE); }
BOOL CloseHandle(HANDLE) { return notYet(FALSE); }
BOOL DeleteFileA(LPCSTR) { return notYet(FALSE); }
BOOL MoveFileA(LPCSTR, LPCSTR) { return notYet(FALSE); }
BOOL MoveFileExA(LPCSTR, LPCSTR, DWORD) { return notYet(FALSE); }
BOOL CopyFileA(LPCSTR, LPCSTR, BOOL) { return notYet(FALSE); }
BOOL CreateDirectoryA(LPCSTR, LPSECURITY_ATTRIBUTES) { return notYet(FALSE); }
BOOL RemoveDirectoryA(LPCSTR) { return notYet(FALSE); }
DWORD GetFileAttributesA(LPCSTR) { return notYet(INVALID_FILE_ATTRIBUTES); }
DWORD GetFullPathNameA(LPCSTR, DWORD, LPSTR, LPSTR*) { return notYet(DWORD(0)); }
DWORD GetCurrentDirectoryA(DWORD, LPSTR) { return notYet(DWORD(0)); }
BOOL SetCurrentDirectoryA(LPCSTR) { return notYet(FALSE); }
HANDLE FindFirstFileA(LPCSTR, LPWIN32_FIND_DATAA) { return notYet(INVALID_HANDLE_VALUE); }
BOOL FindNextFileA(HANDLE, LPWIN32_FIND_DATAA) { return notYet(FALSE); }
BOOL FindClose(HANDLE) { return notYet(FALSE); }
DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR) { return notYet(DWORD(0)); }
UINT GetPrivateProfileIntA(LPCSTR, LPCSTR, INT nDefault, LPCSTR) { return notYet(UINT(nDefault)); }
BOOL WritePrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPCSTR) { return notYet(FALSE); }
DWORD GetPrivateProfileSectionA(LPCSTR, LPSTR, DWORD, LPCSTR) { return notYet(DWORD(0)); }
HANDLE CreateThread(LPSECURITY_ATTRIBUTES, size_t, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) { return notYet(HANDLE(nullptr)); }
void ExitThread(DWORD) { std::abort(); }
DWORD GetCurrentThreadId() { return 1; }
HANDLE GetCurrentThread() { return notYet(HANDLE(nullptr)); }
BOOL GetExitCodeThread(HANDLE, LPDWORD) { return notYet(FALSE); }
BOOL SetThreadPriority(HANDLE, int) { return notYet(FALSE); }
int GetThreadPriority(HANDLE) { return notYet(0); }
uintptr_t _beginthreadex(void*, unsigned, unsigned(__stdcall*)(void*), void*, unsigned, unsigned*) { return notYet(uintptr_t(0)); }
void _endthreadex(unsigned) { std::abort(); }
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCSTR) { return notYet(HANDLE(nullptr)); }
HANDLE OpenEventA(DWORD, BOOL, LPCSTR) { return notYet(HANDLE(nullptr)); }
BOOL SetEvent(HANDLE) { return notYet(FALSE); }
BOOL ResetEvent(HANDLE) { return notYet(FALSE); }
BOOL PulseEvent(HANDLE) { return notYet(FALSE); }
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR) { return notYet(HANDLE(nullptr)); }
HANDLE OpenMutexA(DWORD, BOOL, LPCSTR) { return notYet(HANDLE(nullptr)); }
BOOL ReleaseMutex(HANDLE) { return notYet(FALSE); }
HANDLE CreateSemaphoreA(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCSTR) { return notYet(HANDLE(nullptr)); }
BOOL ReleaseSemaphore(HANDLE, LONG, LONG*) { return notYet(FALSE); }
DWORD WaitForSingleObject(HANDLE, DWORD) { return notYet(WAIT_FAILED); }
DWORD WaitForMultipleObjects(DWORD, const HANDLE*, BOOL, DWORD) { return notYet(WAIT_FAILED); }
DWORD GetModuleFileNameA(HMODULE, LPSTR, DWORD) { return notYet(DWORD(0)); }
HMODULE GetModuleHandleA(LPCSTR) { return notYet(HMODULE(nullptr)); }
LPSTR GetCommandLineA() { static char empty[] = ""; return empty; }
void ExitProcess(UINT uExitCode) { std::exit(int(uExitCode)); }
HMODULE LoadLibraryA(LPCSTR) { return notYet(HMODULE(nullptr)); }
FARPROC GetProcAddress(HMODULE, LPCSTR) { return notYet(FARPROC(nullptr)); }
BOOL FreeLibrary(HMODULE) { return notYet(FALSE); }
HGLOBAL GlobalAlloc(UINT, size_t) { return notYet(HGLOBAL(nullptr)); }
LPVOID GlobalLock(HGLOBAL) { return notYet(LPVOID(nullptr)); }
BOOL GlobalUnlock(HGLOBAL) { return notYet(FALSE); }
size_t GlobalSize(HGLOBAL) { return notYet(size_t(0)); }
HGLOBAL GlobalFree(HGLOBAL h) { return notYet(h); }

namespace platform {
bool restartProgram(const std::string&) { return false; }
DWORD waitForHandles(const HANDLE*, DWORD, bool, DWORD, Waitable*) { return notYet(WAIT_FAILED); }
void notifyWaiters() { }
HANDLE registerWaitable(std::shared_ptr<Waitable>) { return notYet(HANDLE(nullptr)); }
std::shared_ptr<Waitable> waitableFromHandle(HANDLE) { return nullptr; }
void registerModule(std::string_view, std::vector<ModuleSymbol>) { }
void unregisterModule(std::string_view) { }
}
