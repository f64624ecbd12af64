// What every control of the folder shares: its state in the window's extra bytes, the parent's
// notifications and colours, the default font and class registration.
#pragma once

#include "platform/gdi/wingdi.h"
#include "platform/user/winuser.h"

#include <memory>
#include <string>

namespace platform::controls {

// A control keeps its state object behind the first pointer of its extra bytes, from
// WM_NCCREATE to WM_NCDESTROY.
template <class State>
State* stateOf(HWND hwnd)
{
    return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, 0));
}

template <class State>
State* attachState(HWND hwnd)
{
    auto state = std::make_unique<State>();
    SetWindowLongPtrA(hwnd, 0, LONG_PTR(state.get()));
    return state.release();
}

template <class State>
void detachState(HWND hwnd)
{
    std::unique_ptr<State> state(stateOf<State>(hwnd));
    SetWindowLongPtrA(hwnd, 0, 0);
}

// Registers a system class whose windows hold one state pointer.
void registerControlClass(const char* name, WNDPROC proc, UINT style, LPCSTR cursor = IDC_ARROW);

int controlId(HWND hwnd);
// The client point of a mouse message.
inline POINT pointOf(LPARAM lParam) { return POINT { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }; }
DWORD controlStyle(HWND hwnd);
// WM_COMMAND to the parent with the control's id and the code.
void notifyParent(HWND hwnd, WORD code);
std::string windowText(HWND hwnd);
// Copies an item's text into a caller's buffer of capacity bytes, cut so that no double-byte
// character is split, always zero-terminated; nothing for a null or empty buffer.
void copyItemText(const std::string& text, char* out, int capacity);

HFONT defaultFont();
// The control's font (WM_SETFONT), else the default GUI font.
HFONT fontOr(HFONT font);
// Asks the parent for the colours of the control (WM_CTLCOLOR...): the parent sets the text
// colour on the DC and returns a brush; without a parent, the default of DefWindowProc.
HBRUSH parentColors(HWND hwnd, HDC dc, UINT message);

// Selects an object into a DC for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(m_dc, m_old); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A window DC for one scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~WindowDC() { ReleaseDC(m_hwnd, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// BeginPaint/EndPaint for one scope; a DC handed in with WM_PAINT's wParam is drawn on as it is.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd, WPARAM givenDC = 0)
        : m_hwnd(hwnd)
        , m_given(reinterpret_cast<HDC>(givenDC))
    {
        if (!m_given)
            BeginPaint(hwnd, &m_paint);
    }
    ~PaintScope()
    {
        if (!m_given)
            EndPaint(m_hwnd, &m_paint);
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return m_given ? m_given : m_paint.hdc; }

private:
    HWND m_hwnd;
    HDC m_given;
    PAINTSTRUCT m_paint {};
};

} // namespace platform::controls
