// MessageBoxA: a box of the layer's own drawing with its modal loop on the calling thread, or,
// in runs without a person, an answer from the harness policy at once.
#include "platform/desktop/harness.h"
#include "platform/user/menu_model.h"
#include "platform/user/modal_loop.h"
#include "platform/user/modal_owner.h"
#include "platform/user/msgbox_draw.h"
#include "platform/user/msgbox_layout.h"
#include "platform/user/system_classes.h"

#include "platform/gdi/wingdi.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>

namespace {

using namespace platform;

constexpr int margin = 12;
constexpr int glyphSize = 32;
constexpr int buttonHeight = 24;
constexpr int buttonGap = 8;
constexpr int minButtonWidth = 80;
constexpr int maxTextWidth = 520;
const char* const boxClass = "DerazodoMessageBox";

struct Box {
    UINT style = 0;
    std::vector<msgbox::Button> buttons;
    std::vector<RECT> buttonRects;
    std::vector<std::string> lines;
    RECT textRect {};
    int lineHeight = 16;
    size_t focus = 0;
    size_t defaultButton = 0;
    int pressed = -1;      // button held down by the mouse
    bool pressedInside = false;
    bool done = false;
    int answer = 0;
};

Box* boxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void choose(HWND hwnd, Box& box, int answer)
{
    box.answer = answer;
    box.done = true;
    PostMessageA(hwnd, WM_NULL, 0, 0);
}

int buttonAt(const Box& box, POINT p)
{
    for (size_t i = 0; i < box.buttonRects.size(); ++i)
        if (PtInRect(&box.buttonRects[i], p))
            return int(i);
    return -1;
}

bool chooseByMnemonic(HWND hwnd, Box& box, WPARAM character)
{
    if (character >= 0x80)
        return false;
    char key = char(std::toupper(int(character)));
    for (const auto& button : box.buttons)
        if (menus::mnemonicOf(button.label) == key) {
            choose(hwnd, box, button.id);
            return true;
        }
    return false;
}

void paint(HWND hwnd, Box& box)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    look::drawMessageGlyph(dc, margin, margin, box.style);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    int y = box.textRect.top;
    for (const std::string& line : box.lines) {
        TextOutA(dc, box.textRect.left, y, line.c_str(), int(line.size()));
        y += box.lineHeight;
    }
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        look::ButtonState state = look::ButtonState::Normal;
        if (int(i) == box.pressed && box.pressedInside)
            state = look::ButtonState::Pressed;
        else if (i == box.focus)
            state = look::ButtonState::Focused;
        look::drawPushButton(dc, box.buttonRects[i], box.buttons[i].label, state, i == box.focus);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

void moveFocus(HWND hwnd, Box& box, int step)
{
    size_t count = box.buttons.size();
    box.focus = step < 0 ? (box.focus + count - 1) % count : (box.focus + 1) % count;
    InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK boxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Box* box = boxOf(hwnd);
    if (!box)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        paint(hwnd, *box);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_LEFT:
        case VK_UP:
            moveFocus(hwnd, *box, -1);
            return 0;
        case VK_RIGHT:
        case VK_DOWN:
            moveFocus(hwnd, *box, 1);
            return 0;
        case VK_TAB:
            moveFocus(hwnd, *box, (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1);
            return 0;
        case VK_RETURN:
        case VK_SPACE:
            choose(hwnd, *box, box->buttons[box->focus].id);
            return 0;
        case VK_ESCAPE:
            if (int cancel = msgbox::cancelAnswer(box->style))
                choose(hwnd, *box, cancel);
            return 0;
        default:
            return 0;
        }
    case WM_CHAR:
    case WM_SYSCHAR:
        if (chooseByMnemonic(hwnd, *box, wParam))
            return 0;
        break;
    case WM_LBUTTONDOWN: {
        POINT p { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        box->pressed = buttonAt(*box, p);
        if (box->pressed >= 0) {
            box->pressedInside = true;
            box->focus = size_t(box->pressed);
            SetCapture(hwnd);
            InvalidateRect(hwnd, nullptr, FALSE);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (box->pressed >= 0) {
            POINT p { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            bool inside = buttonAt(*box, p) == box->pressed;
            if (inside != box->pressedInside) {
                box->pressedInside = inside;
                InvalidateRect(hwnd, nullptr, FALSE);
            }
        }
        return 0;
    case WM_LBUTTONUP:
        if (box->pressed >= 0) {
            POINT p { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            int pressed = box->pressed;
            box->pressed = -1;
            ReleaseCapture();
            InvalidateRect(hwnd, nullptr, FALSE);
            if (buttonAt(*box, p) == pressed)
                choose(hwnd, *box, box->buttons[size_t(pressed)].id);
        }
        return 0;
    case WM_CLOSE:
        if (int cancel = msgbox::cancelAnswer(box->style))
            choose(hwnd, *box, cancel);
        return 0;
    case WM_COMMAND:
        // A button's id, as a dialog takes it: the box answers so, from outside as by a press.
        for (const auto& button : box->buttons)
            if (button.id == int(LOWORD(wParam))) {
                choose(hwnd, *box, button.id);
                break;
            }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void registerBoxClass()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSA cls {};
        cls.style = CS_SAVEBITS;
        cls.lpfnWndProc = boxProc;
        cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        cls.lpszClassName = boxClass;
        user::registerSystemClass(cls);
    });
}

// Lays out glyph, wrapped text and the button row; returns the client size.
SIZE layout(Box& box, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics {};
    GetTextMetricsA(dc, &metrics);
    box.lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 12);
    auto width = [dc](const std::string& s) {
        SIZE size {};
        GetTextExtentPoint32A(dc, s.c_str(), int(s.size()), &size);
        return int(size.cx);
    };
    box.lines = msgbox::wrapText(text, maxTextWidth, width);
    int textWidth = 0;
    for (const auto& line : box.lines)
        textWidth = std::max(textWidth, width(line));
    int buttonWidth = minButtonWidth;
    for (const auto& button : box.buttons)
        buttonWidth = std::max(buttonWidth, look::labelWidth(dc, button.label) + 24);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);

    bool glyph = (box.style & MB_ICONMASK) != 0;
    int textLeft = margin + (glyph ? glyphSize + margin : 0);
    int textHeight = int(box.lines.size()) * box.lineHeight;
    int contentHeight = std::max(textHeight, glyph ? glyphSize : 0);
    int textTop = margin + (contentHeight - textHeight) / 2;
    box.textRect = RECT { textLeft, textTop, textLeft + textWidth, textTop + textHeight };
    int rowWidth = int(box.buttons.size()) * buttonWidth + int(box.buttons.size() - 1) * buttonGap;
    int clientWidth = std::max(textLeft + textWidth + margin, rowWidth + 2 * margin);
    int rowTop = margin + contentHeight + margin + 4;
    int x = (clientWidth - rowWidth) / 2;
    for (size_t i = 0; i < box.buttons.size(); ++i) {
        box.buttonRects.push_back(RECT { x, rowTop, x + buttonWidth, rowTop + buttonHeight });
        x += buttonWidth + buttonGap;
    }
    return SIZE { clientWidth, rowTop + buttonHeight + margin };
}

// Holds windows disabled for the life of the box and gives them back, also when unwinding.
class DisabledWindows {
public:
    void disable(HWND hwnd)
    {
        if (hwnd && std::find(m_windows.begin(), m_windows.end(), hwnd) == m_windows.end()) {
            m_holds.push_back(std::make_unique<platform::user::ModalOwnerHold>(hwnd));
            m_windows.push_back(hwnd);
        }
    }
    // The box, once it exists: the activation it has when it goes goes back to a window it held.
    void setBox(HWND box)
    {
        for (auto& hold : m_holds)
            hold->setModal(box);
    }

private:
    std::vector<HWND> m_windows;
    std::vector<std::unique_ptr<platform::user::ModalOwnerHold>> m_holds;
};

BOOL CALLBACK collectThreadWindow(HWND hwnd, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

int runBox(HWND owner, const std::string& text, const std::string& caption, UINT style)
{
    registerBoxClass();
    Box box;
    box.style = style;
    box.buttons = msgbox::buttonsFor(style);
    box.defaultButton = msgbox::defaultIndex(style, box.buttons.size());
    box.focus = box.defaultButton;
    SIZE client = layout(box, text);

    DWORD frameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | ((style & (MB_TOPMOST | MB_SYSTEMMODAL)) ? WS_EX_TOPMOST : 0);
    RECT frame { 0, 0, client.cx, client.cy };
    AdjustWindowRectEx(&frame, frameStyle, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT area;
    if (!owner || !GetWindowRect(owner, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int x = std::max<int>(0, area.left + ((area.right - area.left) - width) / 2);
    int y = std::max<int>(0, area.top + ((area.bottom - area.top) - height) / 2);

    // Declared before the disabled windows, so they are enabled again before the box goes and
    // activation returns to them.
    struct Destroy {
        HWND hwnd = nullptr;
        ~Destroy()
        {
            try {
                if (hwnd && IsWindow(hwnd))
                    DestroyWindow(hwnd);
            } catch (...) {
            }
        }
    } destroy;
    DisabledWindows disabled;
    disabled.disable(owner);
    if (!owner && (style & MB_TASKMODAL)) {
        std::vector<HWND> mine;
        EnumThreadWindows(GetCurrentThreadId(), collectThreadWindow, reinterpret_cast<LPARAM>(&mine));
        for (HWND hwnd : mine)
            disabled.disable(hwnd);
    }
    HWND hwnd = CreateWindowExA(exStyle, boxClass, caption.c_str(), frameStyle, x, y, width, height, owner, nullptr,
        nullptr, &box);
    if (!hwnd)
        return 0;
    destroy.hwnd = hwnd;
    disabled.setBox(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    if (style & (MB_SETFOREGROUND | MB_SYSTEMMODAL | MB_TOPMOST))
        SetForegroundWindow(hwnd);
    SetActiveWindow(hwnd);
    SetFocus(hwnd);
    ModalLoopScope loop;
    while (!box.done && IsWindow(hwnd)) {
        MSG msg;
        if (!getNestedMessage(msg))
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // Ended from outside (the program's close unwinds every loop): the question is not carried out.
    const int answer = box.done ? box.answer : msgbox::safeAnswer(style);
    harness::recordShownMessageBox(text, caption, style, answer);
    return answer;
}

} // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::string body = text ? text : "";
    std::string title = caption ? caption : msgbox::defaultCaption();
    if (harness::messageBoxPolicyActive()) {
        auto buttons = msgbox::buttonsFor(type);
        return harness::answerMessageBox(body, title, type, buttons[msgbox::defaultIndex(type, buttons.size())].id);
    }
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    return runBox(root, body, title, type);
}
