// Browsing for the folder the selection dialog lists.
#include "dialogs/folder_browse.h"

#include "platform/commdlg/shlobj.h"
#include "platform/kernel/host.h"

#include <cstring>

namespace {

struct TitleSearch {
    std::string lead;
    HWND found = nullptr;
};

BOOL CALLBACK findTitleStatic(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<TitleSearch*>(data);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return TRUE;
    char text[8] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::strncmp(text, search->lead.c_str(), search->lead.size()) != 0)
        return TRUE;
    search->found = child;
    return FALSE;
}

void widenTitle(HWND browser, HFONT font)
{
    TitleSearch search { platform::utf8ToCp932("参") };
    EnumChildWindows(browser, findTitleStatic, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return;
    RECT r {};
    GetWindowRect(search.found, &r);
    POINT corner { r.left, r.top };
    ScreenToClient(browser, &corner);
    MoveWindow(search.found, corner.x, corner.y - 6, r.right - r.left, 28, TRUE);
    SetWindowLongPtrA(search.found, GWL_STYLE, GetWindowLongPtrA(search.found, GWL_STYLE) | SS_PATHELLIPSIS);
    SendMessageA(search.found, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

} // namespace

int CALLBACK browseFolderCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data)
{
    if (message == BFFM_INITIALIZED) {
        const auto* start = reinterpret_cast<const FolderBrowseStart*>(data);
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->folder));
        widenTitle(browser, start->font);
    } else if (message == BFFM_SELCHANGED) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path))
            SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

std::optional<std::string> browseForGameFolder(HWND owner, HFONT font, const std::string& current)
{
    const std::string title = platform::utf8ToCp932("参照するフォルダーを選んでください。");
    char name[MAX_PATH] = {};
    BROWSEINFOA info {};
    info.hwndOwner = owner;
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = browseFolderCallback;
    const FolderBrowseStart start { current.c_str(), font };
    info.lParam = reinterpret_cast<LPARAM>(&start);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen)
        return std::nullopt;
    char path[MAX_PATH] = {};
    const BOOL hasPath = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    if (!hasPath)
        return std::nullopt;
    return std::string(path);
}
