// The application object: start-up values, the message loop and the modeless list.
#include "lib/application.h"

#include "lib/profile.h"
#include "lib/window.h"
#include "platform/kernel/host.h"
#include "platform/user/modal_loop.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

constexpr const char* kOutOfMemoryText = "メモリが足りません。\nいくつかのアプリケーションを終了するか、\n"
                                         "このプログラムの実行をキャンセルしてください。";

// Converted before it is needed: the handler itself must not allocate.
std::string g_outOfMemoryText;

} // namespace

swCApplication& theApplication()
{
    static swCApplication application;
    return application;
}

swCApplication::swCApplication()
    : m_lookupMutex(CreateMutexA(nullptr, FALSE, kLookupMutexName))
{
}

swCApplication::~swCApplication()
{
    m_ownedObject.reset();
    if (m_lookupMutex)
        CloseHandle(m_lookupMutex);
}

void swCApplication::appInit(HINSTANCE instance, HINSTANCE previousInstance, const char* commandLine,
    int showCommand)
{
    m_instance = instance;
    m_commandLine = commandLine ? commandLine : "";
    m_previousInstance = previousInstance;
    m_showCommand = showCommand;
    m_ownedObject.reset();
    m_accelerators = nullptr;
    m_endingWindow = nullptr;
    if (g_outOfMemoryText.empty())
        g_outOfMemoryText = platform::utf8ToCp932(kOutOfMemoryText);
    std::set_new_handler(outOfMemoryHandler);
    platform::crtSrand(GetTickCount());
}

bool swCApplication::tryModelessNavigation(MSG& msg)
{
    // Handles are taken under the lock and used without it: a dialog may close itself, and
    // leave the list, while it handles the message.
    std::vector<HWND> handles;
    {
        std::lock_guard lock(m_modelessMutex);
        handles.reserve(m_modeless.size());
        for (swCWindow* window : m_modeless)
            if (window->handle())
                handles.push_back(window->handle());
    }
    for (HWND handle : handles)
        if (IsDialogMessageA(handle, &msg))
            return true;
    return false;
}

int swCApplication::appMessageLoop()
{
    MSG msg {};
    for (;;) {
        if (appEndWindowWhenAsked()) {
            msg.wParam = 0;
            break;
        }
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (got == 0 && !closeMainWindowAtTop())
            break;
        if (got == 0)
            continue;
        if (m_accelerators) {
            HWND main = mainWindowHandle();
            if (main && TranslateAcceleratorA(main, m_accelerators, &msg))
                continue;
        }
        if (tryModelessNavigation(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_exitCode = int(msg.wParam);
    // The main window goes before the game it shows, and its own quit message is not left behind
    // for a later loop.
    if (HWND main = mainWindowHandle(); main && IsWindow(main))
        appDestroyWindow(main);
    MSG left;
    while (PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
    m_ownedObject.reset();
    if (m_endOfRunWrites && !m_endOfRunWrites->release())
        profileWriteFailed();
    m_endOfRunWrites.reset();
    return m_exitCode;
}

bool swCApplication::closeMainWindowAtTop()
{
    HWND main = mainWindowHandle();
    if (!main || !IsWindow(main))
        return false;
    SendMessageA(main, WM_CLOSE, 0, 0);
    return IsWindow(main);
}

void swCApplication::appDestroyWindow(HWND window)
{
    if (window && window == mainWindowHandle() && !m_endOfRunWrites)
        m_endOfRunWrites = std::make_unique<platform::ProfileWriteHold>();
    DestroyWindow(window);
}

void swCApplication::appEndWindow(HWND window)
{
    m_endingWindow = window;
    // Wakes a loop that waits for its next message.
    PostMessageA(window, WM_NULL, 0, 0);
}

bool swCApplication::appEndWindowWhenAsked()
{
    if (!m_endingWindow || platform::modalLoopDepth() > 0)
        return false;
    const HWND window = std::exchange(m_endingWindow, nullptr);
    const bool main = window == mainWindowHandle();
    if (IsWindow(window))
        appDestroyWindow(window);
    return main;
}

void swCApplication::appAddModeless(swCWindow* dialog)
{
    if (!dialog)
        return;
    std::lock_guard lock(m_modelessMutex);
    m_modeless.insert(m_modeless.begin(), dialog);
}

void swCApplication::appRemoveModeless(swCWindow* dialog)
{
    std::lock_guard lock(m_modelessMutex);
    auto it = std::find(m_modeless.begin(), m_modeless.end(), dialog);
    if (it != m_modeless.end())
        m_modeless.erase(it);
}

std::vector<swCWindow*> swCApplication::modelessWindows() const
{
    std::lock_guard lock(m_modelessMutex);
    return m_modeless;
}

std::string swCApplication::appProgramPath() const
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(m_instance, buffer, MAX_PATH);
    return std::string(buffer, std::min<DWORD>(length, MAX_PATH - 1));
}

std::string swCApplication::appProgramFolder() const
{
    std::string path = appProgramPath();
    size_t name = platform::fileNameOffset(path);
    if (name == 0)
        return std::string();
    path.erase(name - 1);
    return path + '\\';
}

bool swCApplication::appLoadAccelerators(UINT resourceId)
{
    m_accelerators = LoadAcceleratorsA(m_instance, MAKEINTRESOURCEA(resourceId));
    return m_accelerators != nullptr;
}

void swCApplication::appSetCursor(HCURSOR cursor)
{
    m_cursor = cursor;
    SetCursor(cursor);
}

HWND swCApplication::mainWindowHandle() const
{
    return m_mainWindow ? m_mainWindow->handle() : nullptr;
}

void outOfMemoryHandler()
{
    int answer = MessageBoxA(nullptr, g_outOfMemoryText.c_str(), nullptr, MB_RETRYCANCEL | MB_TASKMODAL);
    if (answer == IDRETRY)
        return;
    ExitProcess(UINT(-1));
}
