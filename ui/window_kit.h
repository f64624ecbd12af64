// The window kit: one way to build a game window. A window describes itself (where its place is
// kept, the picture it shows, how its body drags, what a right click or the close box does) and
// KitWindow answers the messages every window answers alike from that description.
//
// To add a window:
//  1. Derive from KitWindow<Frame> (Frame: swCWindow for a floating window, DialogBase or
//     swCDialog for a dialog) and return a WindowDescription from description(); take the game
//     and the main window's services from the WindowContext in the constructor.
//  2. A drawn window returns its picture from background() (or overrides showPicture); place it with
//     placeInfoWindow (floating) or centreWindow (dialogs) once it exists.
//  3. Override OnMessage/OnCommand only for what differs and hand the rest to KitWindow's.
//  4. Register it in its folder's list in tests/windows/registry, which opens, shows and closes
//     every window; test in tests/<folder>/ only what it does beyond the kit.
#pragma once

#include "lib/dialog.h"
#include "lib/error.h"
#include "lib/window.h"

#include <optional>
#include <string>
#include <type_traits>

namespace ui {

// How the body of a window drags: by its frame only, or anywhere (the body answers HTCAPTION, so
// its right clicks arrive as WM_NCRBUTTONDOWN).
enum class Drag { ByFrame, Anywhere };
// What the close box, a right click and Escape do.
enum class Closing {
    EndModal, // end the dialog with the description's result
    AskOwner, // post the description's request to the owner (else the main window), which closes it
    Itself, // the window's own closeGesture()
    Unanswered, // the kit leaves the close box and right clicks to the window
};

struct WindowDescription {
    // The placement WM_DESTROY keeps (and placeInfoWindow reads); null keeps none.
    const char* placementKey = nullptr;
    // WM_PAINT and WM_ERASEBKGND show the window's picture; false leaves painting to the window.
    bool drawn = false;
    Drag drag = Drag::ByFrame;
    Closing closing = Closing::EndModal;
    INT_PTR closeResult = 0;
    UINT closeRequest = 0;
    // A floating window: a left click in it or on a control raises it, a right click on a control
    // closes it as one on its body does.
    bool floating = false;
    // A right click closes when the button is released, not when it is pressed.
    bool closeOnRightRelease = false;
    // WM_PAINT hands the area to paint() while the background erases as its class says (a window
    // that shows a picture on part of its body). A drawn window paints so as well.
    bool painted = false;
    // A right click on the caption closes as one on the body does.
    bool captionRightClickCloses = false;
    // The dialog's own OK and Cancel buttons (0: none), which Enter (IDOK) and Escape (IDCANCEL)
    // press too: Cancel ends the dialog with 0, OK with what okResult() answers.
    UINT okButton = 0;
    UINT cancelButton = 0;
    // Without those buttons: Escape closes at once as the close box does, and Enter (no button is
    // the default) does nothing.
    bool escapeClosesEnterIgnored = false;
};

// A floating information window's: its place kept under the key, a click raises it, and its close
// gestures post the request to its owner, which closes it.
constexpr WindowDescription floatingWindow(const char* placementKey, UINT closeRequest, bool drawn = false)
{
    return { .placementKey = placementKey, .drawn = drawn, .closing = Closing::AskOwner, .closeRequest = closeRequest,
        .floating = true };
}

// The window side of the kit's answers; KitWindow implements it.
class KitHooks {
public:
    virtual const WindowDescription& description() const = 0;
    // Shows the area of the window's picture on the DC at the same place.
    virtual void showPicture(HDC dc, const RECT& area) = 0;
    // What the close box, a right click or Escape do.
    virtual void closeGesture() = 0;
    // WM_PAINT's area of a drawn or painted window on the paint DC.
    virtual void paint(HDC dc, const RECT& area) = 0;
    // A left click in a floating window or on one of its controls.
    virtual void raise() = 0;
    // The window's own work as its background is erased (before a drawn window's picture shows or
    // the class erases it).
    virtual void erasingBackground() { }
    // The window's own work as it is destroyed (timers, sounds, hooks), before its placement is kept.
    virtual void destroying() { }

protected:
    ~KitHooks() = default;
};

// How the kit took a message: not at all, wholly (the handler returns 1), or while letting the
// default handling see it too (the handler returns 0).
enum class Answer { None, Taken, Seen };
Answer answerCommonMessage(swCWindow& window, KitHooks& hooks, MessageRecord& msg);

// The area of the bitmap on the DC at the same place; nothing without a bitmap.
void showBitmap(HDC dc, const RECT& area, HBITMAP bitmap);
// The description's closing: the modal end with its result or the request to the owner.
void closeAsDescribed(swCWindow& window, const WindowDescription& description);
// Ends a dialog with the result (the last end before the loop returns wins; a plain swCDialog is
// taken to be modal); destroys any other window.
void endWindow(swCWindow& window, INT_PTR result);

template <class Frame>
class KitWindow : public Frame, public KitHooks {
public:
    using Frame::Frame;

    int OnMessage(MessageRecord& msg) override
    {
        switch (answerCommonMessage(*this, *this, msg)) {
        case Answer::Taken:
            return 1;
        case Answer::Seen:
            return 0;
        default:
            return Frame::OnMessage(msg);
        }
    }
    // Escape (IDCANCEL) closes as the close box does, unless the description names a Cancel button.
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override
    {
        const WindowDescription& described = description();
        if (described.okButton && (id == described.okButton || id == IDOK)) {
            pressOk();
            return 1;
        }
        if (described.cancelButton && (id == described.cancelButton || id == IDCANCEL)) {
            endWindow(*this, 0);
            return 1;
        }
        if (described.escapeClosesEnterIgnored && (id == IDCANCEL || id == IDOK)) {
            if (id == IDCANCEL)
                closeGesture();
            return 1;
        }
        const Closing closing = described.closing;
        if (id == IDCANCEL && (closing == Closing::AskOwner || closing == Closing::Itself)) {
            PostMessageA(this->handle(), WM_CLOSE, 0, 0);
            return 1;
        }
        return Frame::OnCommand(msg, id, code);
    }

    // The window's picture; null shows nothing.
    virtual HBITMAP background() const { return nullptr; }
    void showPicture(HDC dc, const RECT& area) override { showBitmap(dc, area, background()); }
    void closeGesture() override { closeAsDescribed(*this, description()); }
    // Shows the picture; a window painted in part overrides it.
    void paint(HDC dc, const RECT& area) override { showPicture(dc, area); }
    // Brings the window to the top.
    void raise() override { BringWindowToTop(this->handle()); }

    // What OK ends the dialog with; nothing keeps it open (the dialog has said why).
    virtual std::optional<INT_PTR> okResult() { return 1; }
    void pressOk()
    {
        if (const std::optional<INT_PTR> result = okResult())
            endWindow(*this, *result);
    }
};

// Sizes a floating information window to the client area and places it: at the place kept under
// the key ("...WindowPosLeft"/"...WindowPosTop" in "WindowInfo"), else at infoWindowOrigin; kept
// inside the work area.
void placeInfoWindow(swCWindow& window, const char* placementKey, SIZE client, bool besideLeftPanel, BOOL repaint = FALSE);
// The information windows' default top-left in screen coordinates: the owner's client point
// (216, 0) beside the side panel at the left, else just right of a vertical scroll bar.
POINT infoWindowOrigin(const swCWindow& window, bool besideLeftPanel);

// A resizable information window's rectangle, where the window now stands: its place and size
// kept under the key, else the default outer size at infoWindowOrigin. The caller may snap it
// before fitInWorkArea finishes the placement.
RECT restoreInfoWindow(swCWindow& window, const char* placementKey, SIZE defaultSize, bool besideLeftPanel);
// Moves the window to the rectangle, kept wholly inside the work area.
void fitInWorkArea(swCWindow& window, const RECT& rect);

// What a window is centred over: its owner's client area (the work area without an owner), or the
// main window's (the owner's without a main window; the screen's centre when the one chosen is
// minimised).
enum class CentreOver { Owner, MainWindow };
struct Centring {
    CentreOver over = CentreOver::Owner;
    // Centre the client area rather than the frame (a captioned frame is uneven).
    bool client = false;
    BOOL repaint = FALSE;
};
// The drawn dialogs' centring: the client area over the main window's.
constexpr Centring kOverMainWindow { CentreOver::MainWindow, true, TRUE };
// The window rectangle of the style whose client area (width x height) is centred as told.
RECT centredWindowRect(HWND owner, SIZE client, DWORD style, DWORD exStyle, Centring how = {});
// Sizes the window to the client area, centres it as told over the owner and keeps it inside the
// work area.
void centreWindow(swCWindow& window, HWND owner, SIZE client, Centring how = {});

// Opens a window object made with new, which deletes itself with its window: `create` makes and
// fills the window, telling whether the window was made (a create that fails after that destroys
// it). Null when it failed; the object is deleted unless its window took it.
template <class Window>
Window* openOwnWindow(Window* window, bool (Window::*create)(bool& windowMade))
{
    bool windowMade = false;
    if ((window->*create)(windowMade))
        return window;
    if (!windowMade)
        delete window;
    return nullptr;
}

// Shows the library's error over the window's owner (with no owner, over the desktop) and deletes it.
void showOverOwner(const swCWindow& window, swCError* error);

// Runs the work; a library error it throws is shown over `over` (null: the desktop) and false answered.
template <class Work>
bool runShowingError(HWND over, Work&& work)
{
    try {
        work();
        return true;
    } catch (swCError* error) {
        error->Show(over);
        delete error;
        return false;
    }
}

// Loads what the window shows, then makes it: what cannot be loaded is shown over the owner and
// no window is made. windowMade tells whether a window was made, for openOwnWindow.
template <class Window, class Load>
bool loadAndCreate(Window& window, bool& windowMade, Load load)
{
    windowMade = false;
    try {
        load();
    } catch (swCError* error) {
        showOverOwner(window, error);
        return false;
    }
    windowMade = window.Create() != FALSE;
    return windowMade;
}

// Windows the game puts up by itself while play goes on (the battle scene and its host, the
// simplified battle window, the thinking panel). A window the person opened over the main window,
// which holds it disabled, stays in front of them and keeps the keyboard and the mouse. Their close
// by the keyboard (Alt+F4) is the main window's close.
void markGameShown(HWND window);
// The window the person has open over the main window that owns the game's window; null when none.
HWND personsWindowOver(HWND gameWindow);
// Shows such a window (marked so) as the show command says, or, while the person has a window of
// their own open, just under that one and not activated.
void showGameWindow(HWND window, int command);

// UTF-8 text in the program's code page, as the window functions take it.
std::string cp(const char* utf8);

} // namespace ui
