// Control classes: shared fields, binding or creating the window, and the keyboard chain.
#pragma once

#include "lib/window.h"

// Posted to the parent: Escape (WM_USER+100), any other unused key (WM_USER+101), focus
// gained (WM_USER+102) and lost (WM_USER+103); the last two carry the control object.
constexpr UINT WM_CONTROL_ESCAPE = WM_USER + 100;
constexpr UINT WM_CONTROL_KEY = WM_USER + 101;
constexpr UINT WM_CONTROL_SETFOCUS = WM_USER + 102;
constexpr UINT WM_CONTROL_KILLFOCUS = WM_USER + 103;

struct ControlFrame {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The base of every control class. Slot 3 is controlOnMessage unless a class says otherwise;
// slot 6 (DrawItem) draws nothing.
class swCControl : public swCOwnerDrawWindow {
public:
    // The style is combined with WS_CHILD | WS_VISIBLE. Binds at once when the parent's
    // template already has an item with the id.
    swCControl(const char* className, swCWindow* parent, UINT controlId, DWORD style);

    int OnMessage(MessageRecord& msg) override { return controlOnMessage(msg); }

    // 1 when bound already or now bound to the parent's item with the control id.
    BOOL controlAttachDlgItem();
    // A control bound to a template item keeps it and is not created. 0 when neither.
    BOOL controlCreate(const ControlFrame& frame);
    BOOL controlCreateTitled(const char* title, const ControlFrame& frame);
    // Returns 1 only when the control used the key itself.
    int controlOnMessage(MessageRecord& msg);

    void setEnterClicks(bool on) { m_enterClicks = on; }
    // Shift+Tab and Up go to previous, Tab and Down to next.
    void setChain(swCWindow* previous, swCWindow* next)
    {
        m_previous = previous;
        m_next = next;
    }
    void setPrevious(swCWindow* previous) { m_previous = previous; }
    void setNext(swCWindow* next) { m_next = next; }
    void setEscapeToParent(bool on) { m_escapeToParent = on; }
    void setKeysToParent(bool on) { m_keysToParent = on; }
    void setFocusNotices(bool on) { m_focusNotices = on; }
    // Whether Tab stops at the control; its window must exist.
    void setTabStop(bool on);
    void setHoverFocus(bool on) { m_hoverFocus = on; }

    bool enterClicks() const { return m_enterClicks; }
    swCWindow* previous() const { return m_previous; }
    swCWindow* next() const { return m_next; }

protected:
    void postToParent(UINT message, WPARAM wParam, LPARAM lParam) const;

    bool m_enterClicks = false;
    swCWindow* m_previous = nullptr;
    swCWindow* m_next = nullptr;
    bool m_escapeToParent = false;
    bool m_keysToParent = false;
    bool m_focusNotices = false;
    bool m_hoverFocus = false;
};

class ChildControl : public swCControl {
public:
    ChildControl(const char* className, swCWindow* parent, UINT controlId, DWORD style)
        : swCControl(className, parent, controlId, style)
    {
    }
};

class PushButton : public swCControl {
public:
    PushButton(swCWindow* parent, UINT controlId, DWORD style) : swCControl("Button", parent, controlId, style) { }
};

class RadioButton : public PushButton {
public:
    RadioButton(swCWindow* parent, UINT controlId) : PushButton(parent, controlId, BS_AUTORADIOBUTTON) { }
};

class CheckBox : public swCControl {
public:
    CheckBox(swCWindow* parent, UINT controlId) : swCControl("Button", parent, controlId, BS_AUTOCHECKBOX | WS_TABSTOP) { }
};

class StaticText : public swCControl {
public:
    StaticText(swCWindow* parent, UINT controlId, DWORD style) : swCControl("Static", parent, controlId, style) { }
};

class Trackbar : public swCControl {
public:
    Trackbar(swCWindow* parent, UINT controlId, DWORD style)
        : swCControl("msctls_trackbar32", parent, controlId, style)
    {
    }
};

class TabControl : public swCControl {
public:
    TabControl(swCWindow* parent, UINT controlId, DWORD style)
        : swCControl("SysTabControl32", parent, controlId, style)
    {
    }
};

class ComboBoxControl : public swCControl {
public:
    ComboBoxControl(swCWindow* parent, UINT controlId, DWORD style)
        : swCControl("ComboBox", parent, controlId, style)
    {
    }
};

// An owner-drawn list box without strings keeps one value a row: its rows become the values.
template <class Values>
void setListRows(HWND list, const Values& values)
{
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const auto value : values)
        SendMessageA(list, LB_ADDSTRING, 0, LPARAM(value));
}
// Rows 0 to count - 1, each holding its own index.
void setListIndexRows(HWND list, size_t count);
// The row's value; -1 for no such row.
LPARAM listRowValue(HWND list, int row);
