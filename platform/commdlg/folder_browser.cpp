// The folder browser: a modal dialog listing sub-folders, reporting the selection to the
// caller's callback, and handing back the chosen folder as an id list.
#include "platform/commdlg/commdlg.h"
#include "platform/commdlg/file_folder.h"
#include "platform/controls/list_rows.h"

#include "platform/controls/commctrl.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace platform::commdlg {

namespace {

constexpr int kTree = 0x3741;
constexpr int kTitle = 0x3742;
constexpr int kStatus = 0x3743;
const char* const kTemplate = "DERAZODO_FOLDER_BROWSER";

void registerTemplate()
{
    static std::once_flag once;
    std::call_once(once, [] {
        auto item = [](const char* cls, const char* utf8, int id, DWORD style, RECT rect) {
            resources::DialogItem i;
            i.className = cls;
            i.text = utf8ToCp932(utf8);
            i.id = id;
            i.style = WS_CHILD | WS_VISIBLE | style;
            i.rect = rect;
            return i;
        };
        resources::DialogTemplate t;
        t.caption = utf8ToCp932("フォルダの参照");
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        t.clientSize = SIZE { 320, 330 };
        t.items = {
            item("Static", "", kTitle, SS_LEFT, RECT { 8, 8, 312, 40 }),
            item("Static", "", kStatus, SS_LEFT | SS_PATHELLIPSIS, RECT { 8, 42, 312, 58 }),
            item("ListBox", "", kTree, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                RECT { 8, 62, 312, 290 }),
            item("Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, RECT { 150, 298, 228, 322 }),
            item("Button", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, RECT { 234, 298, 312, 322 }),
        };
        resources::addDialog(kTemplate, t);
    });
}

LPITEMIDLIST makeIdList(const std::string& path)
{
    size_t itemSize = sizeof(USHORT) + path.size() + 1;
    if (itemSize > 0xFFFF)
        return nullptr;
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(itemSize + sizeof(USHORT)));
    if (!bytes)
        return nullptr;
    USHORT cb = USHORT(itemSize);
    memcpy(bytes, &cb, sizeof(cb));
    memcpy(bytes + sizeof(cb), path.c_str(), path.size() + 1);
    USHORT end = 0;
    memcpy(bytes + itemSize, &end, sizeof(end));
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

// The path held by an id list of ours; empty when it holds none.
std::string pathOf(LPCITEMIDLIST list)
{
    if (!list)
        return {};
    const auto* bytes = reinterpret_cast<const BYTE*>(list);
    USHORT cb = 0;
    memcpy(&cb, bytes, sizeof(cb));
    if (cb <= sizeof(USHORT))
        return {};
    const char* text = reinterpret_cast<const char*>(bytes + sizeof(USHORT));
    size_t length = strnlen(text, cb - sizeof(USHORT));
    if (length == cb - sizeof(USHORT))
        return {};
    return std::string(text, length);
}

class FolderBrowser {
public:
    explicit FolderBrowser(BROWSEINFOA& info)
        : m_info(info)
    {
    }

    LPITEMIDLIST run()
    {
        registerTemplate();
        INT_PTR r = DialogBoxParamA(nullptr, kTemplate, m_info.hwndOwner, proc, reinterpret_cast<LPARAM>(this));
        if (r != 1)
            return nullptr;
        if (m_info.pszDisplayName) {
            std::string name = m_selection.substr(nameOffset(m_selection));
            if (name.empty())
                name = m_selection;
            size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
            memcpy(m_info.pszDisplayName, name.data(), n);
            m_info.pszDisplayName[n] = 0;
        }
        return makeIdList(m_selection);
    }

private:
    static INT_PTR CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG)
            SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        auto* self = reinterpret_cast<FolderBrowser*>(GetWindowLongPtrA(hwnd, DWLP_USER));
        return self ? self->onMessage(hwnd, message, wParam, lParam) : FALSE;
    }

    void callback(UINT message, LPARAM lParam)
    {
        if (m_info.lpfn)
            m_info.lpfn(m_dialog, message, lParam, m_info.lParam);
    }

    void show(const std::string& folder, const std::string& selection)
    {
        m_folder = folder;
        m_entries.clear();
        for (const FolderEntry& entry : listFolder(folder, {}))
            if (entry.folder)
                m_entries.push_back(entry.name);
        HWND list = GetDlgItem(m_dialog, kTree);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        for (const std::string& name : m_entries)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("    " + name).c_str()));
        int row = 0;
        for (size_t i = 0; i < m_entries.size(); ++i)
            if (joinPath(folder, m_entries[i]) == selection)
                row = int(i) + 1;
        SendMessageA(list, LB_SETCURSEL, WPARAM(row), 0);
        select(selection);
    }

    void select(const std::string& folder)
    {
        if (folder == m_selection)
            return;
        m_selection = folder;
        LPITEMIDLIST list = makeIdList(folder);
        callback(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(list));
        CoTaskMemFree(list);
    }

    // Shows the folder's parent with the folder highlighted; the root shows itself.
    void setSelection(const std::string& folder)
    {
        if (!isFolder(folder))
            return;
        std::string parent = parentFolder(folder);
        show(parent == folder ? folder : parent, folder);
    }

    std::string rowFolder(int row) const
    {
        if (row <= 0 || row > int(m_entries.size()))
            return m_folder;
        return joinPath(m_folder, m_entries[size_t(row - 1)]);
    }

    INT_PTR onMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_INITDIALOG:
            m_dialog = hwnd;
            controls::giveRowsRoomForFocus(GetDlgItem(hwnd, kTree));
            SetDlgItemTextA(hwnd, kTitle, m_info.lpszTitle ? m_info.lpszTitle : "");
            if (!(m_info.ulFlags & BIF_STATUSTEXT))
                ShowWindow(GetDlgItem(hwnd, kStatus), SW_HIDE);
            callback(BFFM_INITIALIZED, 0);
            if (m_selection.empty()) {
                std::string root = pathOf(m_info.pidlRoot);
                std::string start = isFolder(root) ? root : programGameFolder();
                show(start, start);
            }
            return TRUE;
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == IDOK || id == IDCANCEL) {
                EndDialog(hwnd, id == IDOK ? 1 : 0);
            } else if (id == kTree) {
                int row = int(SendDlgItemMessageA(hwnd, kTree, LB_GETCURSEL, 0, 0));
                if (code == LBN_SELCHANGE)
                    select(rowFolder(row));
                else if (code == LBN_DBLCLK && row > 0)
                    show(rowFolder(row), rowFolder(row));
                else if (code == LBN_DBLCLK && row == 0)
                    setSelection(m_folder);
            }
            return TRUE;
        }
        case BFFM_SETSELECTIONA:
            if (lParam)
                setSelection(wParam ? std::string(reinterpret_cast<LPCSTR>(lParam)) : pathOf(reinterpret_cast<LPCITEMIDLIST>(lParam)));
            return TRUE;
        case BFFM_SETSTATUSTEXTA:
            SetDlgItemTextA(hwnd, kStatus, lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
            return TRUE;
        case BFFM_ENABLEOK:
            EnableWindow(GetDlgItem(hwnd, IDOK), lParam != 0);
            return TRUE;
        default:
            return FALSE;
        }
    }

    BROWSEINFOA& m_info;
    HWND m_dialog = nullptr;
    std::string m_folder;
    std::string m_selection;
    std::vector<std::string> m_entries;
};

} // namespace

} // namespace platform::commdlg

LPITEMIDLIST SHBrowseForFolderA(LPBROWSEINFOA info)
{
    if (!info)
        return nullptr;
    return platform::commdlg::FolderBrowser(*info).run();
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST idList, LPSTR path)
{
    if (!path)
        return FALSE;
    std::string text = platform::commdlg::pathOf(idList);
    if (text.empty() || text.size() >= MAX_PATH) {
        path[0] = 0;
        return FALSE;
    }
    memcpy(path, text.c_str(), text.size() + 1);
    return TRUE;
}

LPVOID CoTaskMemAlloc(size_t size)
{
    return std::malloc(size ? size : 1);
}

void CoTaskMemFree(LPVOID memory)
{
    std::free(memory);
}

void ILFree(LPITEMIDLIST idList)
{
    CoTaskMemFree(idList);
}
