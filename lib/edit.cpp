// swCEdit: filtering of typed and pasted characters.
#include "lib/edit.h"

#include "platform/kernel/host.h"
#include "platform/user/clipboard.h"

#include <string>

swCEdit::swCEdit(swCWindow* parent, UINT controlId, DWORD style) : swCControl("Edit", parent, controlId, style) { }

int swCEdit::OnMessage(MessageRecord& msg)
{
    if (!m_filter.hasSets())
        return controlOnMessage(msg);
    switch (msg.message) {
    case WM_CHAR:
        if (onChar(msg))
            return 1;
        break;
    case WM_KEYDOWN: {
        const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (msg.wParam == VK_INSERT && shift && !ctrl) {
            pasteFiltered();
            return 1;
        }
        break;
    }
    case WM_PASTE:
        pasteFiltered();
        return 1;
    case WM_KILLFOCUS:
        m_pendingLead = -1;
        break;
    default:
        break;
    }
    return controlOnMessage(msg);
}

int swCEdit::onChar(MessageRecord& msg)
{
    const auto byte = static_cast<unsigned char>(msg.wParam & 0xFF);
    if (m_pendingLead >= 0) {
        const char pair[2] = { char(m_pendingLead), char(byte) };
        const LPARAM leadLParam = m_pendingLParam;
        m_pendingLead = -1;
        if (m_filter.accepts(std::string_view(pair, 2))) {
            forwardChar(static_cast<unsigned char>(pair[0]), leadLParam);
            forwardChar(byte, msg.lParam);
        }
        return 1;
    }
    if (platform::isCp932LeadByte(byte)) {
        m_pendingLead = byte;
        m_pendingLParam = msg.lParam;
        return 1;
    }
    // Ctrl+V arrives as the character 0x16.
    if (byte == 0x16) {
        pasteFiltered();
        return 1;
    }
    const char single = char(byte);
    return m_filter.accepts(std::string_view(&single, 1)) ? 0 : 1;
}

void swCEdit::forwardChar(unsigned char byte, LPARAM lParam)
{
    if (oldProcedure())
        CallWindowProcA(oldProcedure(), handle(), WM_CHAR, byte, lParam);
}

void swCEdit::pasteFiltered()
{
    if (GetWindowLongA(handle(), GWL_STYLE) & ES_READONLY)
        return;
    std::string text;
    if (!OpenClipboard(handle()))
        return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    const std::string kept = m_filter.filter(text);
    if (!kept.empty())
        SendMessageA(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
}
