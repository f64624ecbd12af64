// The clipboard, shared by the threads of the program: one opener at a time; the data handles
// (global memory) belong to the clipboard once set and are freed when it is emptied.
#include "platform/kernel/winbase.h"
#include "platform/user/clipboard.h"
#include "platform/user/winuser.h"

#include <map>
#include <mutex>
#include <thread>

namespace {

struct Clipboard {
    std::mutex mutex;
    bool open = false;
    std::thread::id opener;
    HWND owner = nullptr;
    std::map<UINT, HANDLE> data;
};

Clipboard& clipboard()
{
    static auto* board = new Clipboard();
    return *board;
}

bool openedHere(const Clipboard& board) { return board.open && board.opener == std::this_thread::get_id(); }

} // namespace

BOOL OpenClipboard(HWND owner)
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (board.open && board.opener != std::this_thread::get_id())
        return FALSE;
    board.open = true;
    board.opener = std::this_thread::get_id();
    board.owner = owner;
    return TRUE;
}

BOOL CloseClipboard()
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!openedHere(board))
        return FALSE;
    board.open = false;
    return TRUE;
}

BOOL EmptyClipboard()
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!openedHere(board))
        return FALSE;
    for (auto& [format, handle] : board.data)
        GlobalFree(HGLOBAL(handle));
    board.data.clear();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!openedHere(board) || !data)
        return nullptr;
    auto it = board.data.find(format);
    if (it != board.data.end() && it->second != data)
        GlobalFree(HGLOBAL(it->second));
    board.data[format] = data;
    return data;
}

HANDLE GetClipboardData(UINT format)
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    if (!openedHere(board))
        return nullptr;
    auto it = board.data.find(format);
    return it == board.data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    return board.data.count(format) ? TRUE : FALSE;
}

HWND GetClipboardOwner()
{
    Clipboard& board = clipboard();
    std::lock_guard lock(board.mutex);
    return board.owner;
}
