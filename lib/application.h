// swCApplication: the one application object (start-up values, message loop, modeless list,
// owned object) and the program's path routines.
#pragma once

#include "platform/windows.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class swCWindow;

namespace platform {
class ProfileWriteHold;
}

// What the application owns until its message loop ends (the game state).
class swCOwnedObject {
public:
    virtual ~swCOwnedObject() = default;
};

class swCApplication {
public:
    swCApplication();
    ~swCApplication();
    swCApplication(const swCApplication&) = delete;
    swCApplication& operator=(const swCApplication&) = delete;

    // Stores what the entry was given, installs outOfMemoryHandler and seeds the runtime's
    // random generator.
    void appInit(HINSTANCE instance, HINSTANCE previousInstance, const char* commandLine, int showCommand);
    // Runs until WM_QUIT or the main window's end (appEndWindow); stores the quit's wParam (0
    // at the window's end) as the exit code, closes the main window if it is still open, deletes
    // the owned object and returns the exit code. A WM_QUIT met while the main window lives (one
    // that unwound nested loops) is first handed to it as WM_CLOSE: a close it refuses keeps the
    // loop running.
    int appMessageLoop();
    // Destroys the window. The main window's end is the run's end: the ini writes from then on (the
    // placements of the windows that go with it, the settings the owned object writes as the loop
    // deletes it) are held and reach the file as one rewrite when the loop is over.
    void appDestroyWindow(HWND window);
    // Asks the loop to destroy the window once the message it handles now has been handled: the
    // window never goes under a call into it. The main window's end ends the loop.
    void appEndWindow(HWND window);
    // The loop's step between two messages, in its own loop only (no nested loop running): the
    // end that was asked for. True when the main window went.
    bool appEndWindowWhenAsked();

    // The head of the list is tried first. Safe from any thread.
    void appAddModeless(swCWindow* dialog);
    // A window that is not on the list leaves it unchanged.
    void appRemoveModeless(swCWindow* dialog);
    std::vector<swCWindow*> modelessWindows() const;

    // The program's full path (at most 259 characters) and its folder with a trailing '\'.
    std::string appProgramPath() const;
    std::string appProgramFolder() const;
    // False when the table does not exist; the loop then dispatches without one.
    bool appLoadAccelerators(UINT resourceId);
    void appSetCursor(HCURSOR cursor);

    HINSTANCE instance() const { return m_instance; }
    const char* commandLine() const { return m_commandLine; }
    HINSTANCE previousInstance() const { return m_previousInstance; }
    int showCommand() const { return m_showCommand; }
    int exitCode() const { return m_exitCode; }
    HCURSOR cursor() const { return m_cursor; }
    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    HACCEL accelerators() const { return m_accelerators; }

    swCWindow* mainWindow() const { return m_mainWindow; }
    void setMainWindow(swCWindow* window) { m_mainWindow = window; }
    HWND mainWindowHandle() const;

    // The program-wide restart flag: after its loop the program starts again with "restart".
    void requestRestart() { m_restartRequested = true; }
    void clearRestartRequest() { m_restartRequested = false; }
    bool restartRequested() const { return m_restartRequested; }

    swCOwnedObject* ownedObject() const { return m_ownedObject.get(); }
    void setOwnedObject(std::unique_ptr<swCOwnedObject> object) { m_ownedObject = std::move(object); }
    // Deletes the owned object now (the game state writes the settings back as it goes).
    void deleteOwnedObject() { m_ownedObject.reset(); }
    // The loop's keyboard step: true when a modeless dialog took the message as its own.
    bool tryModelessNavigation(MSG& msg);

private:
    // Sends the main window WM_CLOSE; true when it is still open afterwards.
    bool closeMainWindowAtTop();

    HINSTANCE m_instance = nullptr;
    const char* m_commandLine = "";
    HINSTANCE m_previousInstance = nullptr;
    int m_showCommand = 0;
    int m_exitCode = 0;
    // Head first. The game thread opens and closes dialogs too, so the list is locked.
    mutable std::mutex m_modelessMutex;
    std::vector<swCWindow*> m_modeless;
    std::unique_ptr<swCOwnedObject> m_ownedObject;
    std::unique_ptr<platform::ProfileWriteHold> m_endOfRunWrites;
    HWND m_endingWindow = nullptr;
    // Read and set by the window procedures of every thread.
    std::atomic<HCURSOR> m_cursor = nullptr;
    std::atomic<bool> m_active = false;
    HACCEL m_accelerators = nullptr;
    swCWindow* m_mainWindow = nullptr;
    HANDLE m_lookupMutex = nullptr;
    std::atomic<bool> m_restartRequested = false;
};

// The application object, made on first use and kept to the end of the process.
swCApplication& theApplication();

// The runtime's new-handler: asks to retry or ends the process.
void outOfMemoryHandler();
