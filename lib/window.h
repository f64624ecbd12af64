// swCWindow: a window object bound to its handle, with one shared window procedure that turns
// messages into virtual handlers; windowFromHandle finds the object again from any thread.
#pragma once

#include "platform/windows.h"

#include <cstddef>
#include <string>
#include <vector>

// One message as the handlers see it. A handler that handles the message returns nonzero and
// may set result, which the window procedure then returns.
struct MessageRecord {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
};

class swCWindow {
public:
    // Without a class name the object is bound later (dialogs, attached handles).
    explicit swCWindow(const char* className = nullptr, swCWindow* parent = nullptr, UINT controlId = 0);
    swCWindow(const swCWindow&) = delete;
    swCWindow& operator=(const swCWindow&) = delete;

    // Slot order is fixed for every window class of the program: destructor, Destroy, Create,
    // OnMessage, OnCommand, OnNotify; controls and dialogs add theirs after these.
    // Detaches from a window that still exists, so later messages reach its old procedure only.
    virtual ~swCWindow();
    virtual BOOL Destroy();
    // Registers the class when neither the application nor the system has it, creates the
    // window and subclasses it. False when no window was made.
    virtual BOOL Create();
    virtual int OnMessage(MessageRecord& msg);
    virtual int OnCommand(MessageRecord& msg, UINT id, UINT code);
    virtual int OnNotify(MessageRecord& msg, UINT id, NMHDR* header);

    // Objects made with new delete themselves when their window is destroyed; the allocation
    // marks the object for the constructor that runs next on the same thread.
    static void* operator new(std::size_t size);
    static void operator delete(void* pointer) noexcept;

    void windowAttach(HWND handle, bool keepProcedure = false);
    void windowDetach(bool keepProcedure = false);
    int windowDispatch(MessageRecord& msg);
    // The handlers first; what they leave goes to the procedure the window had before.
    LRESULT windowCallOldProc(MessageRecord& msg);

    // Moves the window to (x, y, width, height) after fitting it into the work area by mode:
    // 0 as given, 1 wholly inside, 2 top-left corner inside, 3 to the top-left when no corner
    // is inside. Returns 1 when the position had to change.
    int windowFitWorkArea(int x, int y, int width, int height, BOOL repaint, int mode);
    // Placement in the ini section "WindowInfo" under keys that start with prefix. A restore
    // brings the kept rectangle wholly onto the work area and returns the kept show
    // command (SW_SHOWNORMAL, SW_SHOWMAXIMIZED or SW_SHOWMINIMIZED); 0 when no placement is kept.
    void windowSavePlacement(const char* prefix) const;
    int windowRestorePlacement(const char* prefix, bool withSize, bool show);
    void windowCollectChildren(std::vector<HWND>& children) const;
    HWND windowFindChildByClass(const char* className) const;
    // A fixed-point value as window text: scale 10, 100 or 1000 gives one to three decimals.
    void windowSetFixedText(int value, int scale);
    int windowGetFixedValue(int scale) const;

    HWND handle() const { return m_handle; }
    swCWindow* parent() const { return m_parent; }
    UINT controlId() const { return m_controlId; }
    bool deleteOnDestroy() const { return m_deleteOnDestroy; }
    const std::string& className() const { return m_className; }
    WNDPROC oldProcedure() const { return m_oldProc; }

    // Defaults of the creation fields, changed by derived classes before Create.
    void setTitle(const char* title) { m_title = title; }
    void setStyle(DWORD style, DWORD exStyle = 0)
    {
        m_style = style;
        m_exStyle = exStyle;
    }
    void setFrame(int x, int y, int width, int height)
    {
        m_x = x;
        m_y = y;
        m_width = width;
        m_height = height;
    }

protected:
    WNDCLASSA m_windowClass {};
    const char* m_title = nullptr;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    int m_x = CW_USEDEFAULT;
    int m_y = CW_USEDEFAULT;
    int m_width = CW_USEDEFAULT;
    int m_height = CW_USEDEFAULT;
    swCWindow* m_parent = nullptr;
    UINT m_controlId = 0;
    // CreateWindowExA is given this field's address as its creation parameter.
    LPARAM m_createParam = 0;

private:
    void windowSetDefaults(swCWindow* parent, UINT controlId);

    WNDPROC m_oldProc = nullptr;
    bool m_subclassed = false;
    bool m_deleteOnDestroy = false;
    HWND m_handle = nullptr;
    std::string m_className;
};

// The base of controls: a window that draws itself when its parent receives WM_DRAWITEM.
class swCOwnerDrawWindow : public swCWindow {
public:
    using swCWindow::swCWindow;
    // Slot 6 of controls.
    virtual void DrawItem(DRAWITEMSTRUCT* item);
};

// The object bound to a handle, or null; safe on any thread.
swCWindow* windowFromHandle(HWND handle);
// The application's mutex that windowFromHandle holds while it looks.
constexpr const char* kLookupMutexName = "VUD_MUT_GETWIN";
LRESULT CALLBACK commonWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// Shared by the window and the dialog procedure: a child control draws itself for its parent.
// False when the item has no owner-drawn object.
bool windowDrawChildItem(HWND parent, DRAWITEMSTRUCT* item);
// What both common procedures do for every window: the application cursor on WM_MOUSEMOVE and
// WM_SETCURSOR, the active flag on WM_ACTIVATEAPP. True when WM_SETCURSOR was answered.
bool windowApplyApplicationState(UINT message, WPARAM wParam);
// The end of WM_DESTROY: deletes a heap window, detaches one that lives elsewhere. Nothing when a
// handler has already detached the object.
void windowReleaseAfterDestroy(HWND handle, swCWindow* window, bool keepProcedure);
