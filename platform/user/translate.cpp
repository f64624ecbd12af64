// TranslateMessage: characters from key presses, and typed text as CP932 bytes.
#include "platform/user/window_state.h"

namespace {

// Characters of keys the desktop does not also report as text.
int controlCharacter(UINT vk, bool control)
{
    switch (vk) {
    case VK_BACK: return 0x08;
    case VK_TAB: return 0x09;
    case VK_RETURN: return control ? 0x0A : 0x0D;
    case VK_ESCAPE: return 0x1B;
    case VK_CANCEL: return 0x03;
    }
    if (control && vk >= 'A' && vk <= 'Z')
        return int(vk - 'A' + 1);
    return -1;
}

} // namespace

using namespace platform;
using namespace platform::user;

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    auto queue = ThreadQueue::current();
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_PROCESSKEY) {
        // Typed text: one WM_CHAR per byte, a double-byte character lead byte first.
        uint32_t id = uint32_t(uint64_t(msg->lParam) >> 32);
        std::string text;
        {
            std::lock_guard lock(queue->m_mutex);
            auto it = queue->m_texts.find(id);
            if (it == queue->m_texts.end())
                return FALSE;
            text = std::move(it->second);
            queue->m_texts.erase(it);
        }
        for (unsigned char byte : text)
            queue->post(MSG { msg->hwnd, WM_CHAR, WPARAM(byte), 1, msg->time, msg->pt });
        return TRUE;
    }
    UINT vk = UINT(msg->wParam);
    if (msg->message == WM_SYSKEYDOWN) {
        // Alt + a letter or digit: the menu's mnemonic.
        int c = (vk >= 'A' && vk <= 'Z') ? int(vk - 'A' + 'a') : (vk >= '0' && vk <= '9') ? int(vk) : vk == VK_SPACE ? ' ' : -1;
        if (c < 0)
            return FALSE;
        queue->post(MSG { msg->hwnd, WM_SYSCHAR, WPARAM(c), msg->lParam, msg->time, msg->pt });
        return TRUE;
    }
    bool control = (queue->m_keyState[VK_CONTROL] & 0x80) != 0;
    int c = controlCharacter(vk, control);
    if (c < 0)
        return FALSE;
    queue->post(MSG { msg->hwnd, WM_CHAR, WPARAM(c), msg->lParam, msg->time, msg->pt });
    return TRUE;
}
