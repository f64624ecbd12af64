// The file dialog's behaviour: listing and navigating folders, the filters, the hook and its
// notices, and checking the chosen name before it is handed back.
#include "platform/commdlg/file_dialog.h"
#include "platform/controls/list_rows.h"

#include "platform/controls/commctrl.h"
#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

#include <algorithm>
#include <cstring>

namespace platform::commdlg {

namespace {

INT_PTR CALLBACK fileDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    auto* dialog = reinterpret_cast<FileDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog)
        return FALSE;
    if (message == WM_INITDIALOG)
        return dialog->onMessage(message, reinterpret_cast<WPARAM>(hwnd), lParam);
    return dialog->onMessage(message, wParam, lParam);
}

// A hook procedure answers UINT_PTR, a dialog procedure INT_PTR: the hook's child dialog runs this
// procedure, which calls the hook as what it is. The hook is kept as a property of the child from
// its first message on (WM_SETFONT comes before WM_INITDIALOG).
constexpr const char* kHookProperty = "platform.commdlg.hook";
thread_local LPOFNHOOKPROC t_hookBeingCreated = nullptr;

INT_PTR CALLBACK hookDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto hook = reinterpret_cast<LPOFNHOOKPROC>(GetPropA(hwnd, kHookProperty));
    if (!hook && t_hookBeingCreated) {
        hook = t_hookBeingCreated;
        SetPropA(hwnd, kHookProperty, reinterpret_cast<HANDLE>(hook));
    }
    return hook ? INT_PTR(hook(hwnd, message, wParam, lParam)) : FALSE;
}

// Copies text into a caller's buffer of the given size; returns the size the text needs.
LRESULT copyOut(const std::string& text, WPARAM size, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (out && size > 0) {
        size_t n = std::min(text.size(), size_t(size) - 1);
        memcpy(out, text.data(), n);
        out[n] = 0;
    }
    return LRESULT(text.size() + 1);
}

} // namespace

FileDialog::FileDialog(OPENFILENAMEA& ofn, bool save)
    : m_ofn(ofn)
    , m_save(save)
    , m_filters(parseFilters(ofn.lpstrFilter))
{
    if (ofn.lpstrDefExt)
        setDefaultExtension(ofn.lpstrDefExt);
    if (!m_filters.empty())
        m_filter = std::clamp(int(ofn.nFilterIndex) - 1, 0, int(m_filters.size()) - 1);
}

void FileDialog::setDefaultExtension(const std::string& extension)
{
    // Callers also write the extension as a pattern ("*.txt"); only "txt" is appended to names.
    size_t start = extension.find_first_not_of("*.");
    m_defaultExtension = start == std::string::npos ? std::string() : extension.substr(start);
}

BOOL FileDialog::run()
{
    if ((m_ofn.Flags & OFN_ENABLEHOOK) && !m_ofn.lpfnHook) {
        m_error = CDERR_NOHOOK;
        return FALSE;
    }
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && !hookTemplateName(m_ofn.lpTemplateName)) {
        m_error = CDERR_FINDRESFAILURE;
        return FALSE;
    }
    INT_PTR result = DialogBoxParamA(nullptr, standardTemplateName(m_save), m_ofn.hwndOwner, fileDialogProc,
        reinterpret_cast<LPARAM>(this));
    if (result == -1 && !m_error)
        m_error = CDERR_DIALOGFAILURE;
    return result == 1 ? TRUE : FALSE;
}

INT_PTR FileDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        init(reinterpret_cast<HWND>(wParam));
        return FALSE;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case CDM_GETSPEC:
    case CDM_GETFILEPATH:
    case CDM_GETFOLDERPATH:
    case CDM_SETCONTROLTEXT:
    case CDM_HIDECONTROL:
    case CDM_SETDEFEXT:
        SetWindowLongPtrA(m_dialog, DWLP_MSGRESULT, answerCdm(message, wParam, lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void FileDialog::init(HWND dialog)
{
    m_dialog = dialog;
    controls::giveRowsRoomForFocus(GetDlgItem(dialog, lst1));
    if (m_ofn.lpstrTitle)
        SetWindowTextA(dialog, m_ofn.lpstrTitle);
    HWND types = GetDlgItem(dialog, cmb1);
    for (const Filter& filter : m_filters)
        SendMessageA(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
    SendMessageA(types, CB_SETCURSEL, WPARAM(m_filter), 0);

    // A path in the file buffer wins over the initial folder; the program folder is the fallback.
    std::string given = m_ofn.lpstrFile ? std::string(m_ofn.lpstrFile, strnlen(m_ofn.lpstrFile, m_ofn.nMaxFile)) : "";
    std::string name = given;
    m_folder.clear();
    if (nameOffset(given) > 0) {
        std::string folder = joinPath(currentFolder(), given.substr(0, nameOffset(given)));
        if (isFolder(folder)) {
            m_folder = folder;
            name = given.substr(nameOffset(given));
        }
    }
    if (m_folder.empty() && m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir) {
        std::string folder = joinPath(currentFolder(), m_ofn.lpstrInitialDir);
        if (isFolder(folder))
            m_folder = folder;
    }
    if (m_folder.empty())
        m_folder = programGameFolder();
    SetDlgItemTextA(dialog, edt1, name.c_str());

    if (m_ofn.Flags & OFN_ENABLEHOOK)
        createHook();
    refresh();
    SetFocus(GetDlgItem(dialog, edt1));
    SendDlgItemMessageA(dialog, edt1, EM_SETSEL, 0, -1);
    notify(CDN_INITDONE);
    notify(CDN_FOLDERCHANGE);
}

bool FileDialog::createHook()
{
    const char* name = hookTemplateName((m_ofn.Flags & OFN_ENABLETEMPLATE) ? m_ofn.lpTemplateName : nullptr);
    if (!name)
        return false;
    t_hookBeingCreated = m_ofn.lpfnHook;
    m_hook = CreateDialogParamA(m_ofn.hInstance, name, m_dialog, hookDialogProc, reinterpret_cast<LPARAM>(&m_ofn));
    t_hookBeingCreated = nullptr;
    if (!m_hook)
        return false;
    RECT area;
    GetWindowRect(m_hook, &area);
    int width = std::max(kStandardWidth, int(area.right - area.left));
    int height = kStandardHeight + int(area.bottom - area.top);
    SetWindowPos(m_hook, HWND_BOTTOM, 0, kStandardHeight, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    RECT frame { 0, 0, width, height };
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrA(m_dialog, GWL_STYLE)), FALSE,
        DWORD(GetWindowLongPtrA(m_dialog, GWL_EXSTYLE)));
    RECT now;
    GetWindowRect(m_dialog, &now);
    int x = now.left - (frame.right - frame.left - (now.right - now.left)) / 2;
    int y = now.top - (frame.bottom - frame.top - (now.bottom - now.top)) / 2;
    SetWindowPos(m_dialog, nullptr, std::max(0, x), std::max(0, y), frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

std::vector<std::string> FileDialog::patterns() const
{
    if (!m_typedPattern.empty())
        return { m_typedPattern };
    if (m_filters.empty())
        return {};
    return m_filters[size_t(m_filter)].patterns;
}

void FileDialog::refresh()
{
    m_entries = listFolder(m_folder, patterns());
    HWND list = GetDlgItem(m_dialog, lst1);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : m_entries) {
        std::string shown = entry.folder ? "[" + entry.name + "]" : entry.name;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    HWND folders = GetDlgItem(m_dialog, cmb2);
    SendMessageA(folders, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> chain = folderChain(m_folder);
    for (const std::string& folder : chain)
        SendMessageA(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(folders, CB_SETCURSEL, chain.size() - 1, 0);
}

bool FileDialog::navigate(const std::string& folder)
{
    if (!isFolder(folder))
        return false;
    m_folder = joinPath(folder, "");
    m_typedPattern.clear();
    refresh();
    notify(CDN_FOLDERCHANGE);
    return true;
}

void FileDialog::onCommand(int id, int code)
{
    switch (id) {
    case IDOK:
        onOk();
        break;
    case IDCANCEL:
        EndDialog(m_dialog, 0);
        break;
    case kUpButton:
        if (code == BN_CLICKED)
            navigate(parentFolder(m_folder));
        break;
    case lst1:
        if (code == LBN_SELCHANGE)
            onListSelect();
        else if (code == LBN_DBLCLK)
            onListOpen();
        break;
    case cmb1:
        if (code == CBN_SELCHANGE)
            onTypeChange();
        break;
    case cmb2:
        if (code == CBN_SELCHANGE) {
            std::vector<std::string> chain = folderChain(m_folder);
            int index = int(SendDlgItemMessageA(m_dialog, cmb2, CB_GETCURSEL, 0, 0));
            if (index >= 0 && index < int(chain.size()))
                navigate(chain[size_t(index)]);
        }
        break;
    default:
        break;
    }
}

void FileDialog::onListSelect()
{
    int index = int(SendDlgItemMessageA(m_dialog, lst1, LB_GETCURSEL, 0, 0));
    if (index < 0 || index >= int(m_entries.size()))
        return;
    if (!m_entries[size_t(index)].folder)
        SetDlgItemTextA(m_dialog, edt1, m_entries[size_t(index)].name.c_str());
    notify(CDN_SELCHANGE);
}

void FileDialog::onListOpen()
{
    int index = int(SendDlgItemMessageA(m_dialog, lst1, LB_GETCURSEL, 0, 0));
    if (index < 0 || index >= int(m_entries.size()))
        return;
    const FolderEntry& entry = m_entries[size_t(index)];
    if (entry.folder) {
        navigate(joinPath(m_folder, entry.name));
        return;
    }
    SetDlgItemTextA(m_dialog, edt1, entry.name.c_str());
    onOk();
}

void FileDialog::onTypeChange()
{
    int index = int(SendDlgItemMessageA(m_dialog, cmb1, CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= int(m_filters.size()))
        return;
    m_filter = index;
    m_typedPattern.clear();
    m_ofn.nFilterIndex = DWORD(index + 1);
    refresh();
    notify(CDN_TYPECHANGE);
}

std::string FileDialog::editText() const
{
    char text[MAX_PATH * 2] = {};
    GetDlgItemTextA(m_dialog, edt1, text, sizeof(text));
    std::string s = text;
    size_t first = s.find_first_not_of(' ');
    size_t last = s.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

std::string FileDialog::currentPath() const
{
    std::string text = editText();
    return text.empty() ? m_folder : joinPath(m_folder, text);
}

int FileDialog::message(const std::string& text, UINT style) const
{
    char title[256] = {};
    GetWindowTextA(m_dialog, title, sizeof(title));
    return MessageBoxA(m_dialog, text.c_str(), title, style);
}

void FileDialog::onOk()
{
    std::string text = editText();
    if (text.empty()) {
        int index = int(SendDlgItemMessageA(m_dialog, lst1, LB_GETCURSEL, 0, 0));
        if (index >= 0 && index < int(m_entries.size()) && m_entries[size_t(index)].folder)
            navigate(joinPath(m_folder, m_entries[size_t(index)].name));
        return;
    }
    if (hasWildcard(text)) {
        if (nameOffset(text) > 0)
            navigate(joinPath(m_folder, text.substr(0, nameOffset(text))));
        m_typedPattern = text.substr(nameOffset(text));
        refresh();
        return;
    }
    std::string path = joinPath(m_folder, text);
    if (isFolder(path)) {
        navigate(path);
        SetDlgItemTextA(m_dialog, edt1, "");
        return;
    }
    if (!m_defaultExtension.empty() && extensionOffset(path) == path.size() && path.back() != '.')
        path += "." + m_defaultExtension;
    std::string name = path.substr(nameOffset(path));
    if ((m_save || (m_ofn.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST))) && !isFolder(parentFolder(path))) {
        message(path + "\n" + utf8ToCp932("パスが存在しません。\nパスが正しいかどうかを確認してください。"),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!m_save && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !isFile(path)) {
        message(name + "\n" + utf8ToCp932("ファイルが見つかりません。\nファイル名を確認して再実行してください。"),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_save && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && isFile(path)) {
        if (message(name + utf8ToCp932(" は既に存在します。\n上書きしますか?"), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
    SetDlgItemTextA(m_dialog, edt1, name.c_str());
    // The hook may refuse the name through DWLP_MSGRESULT; the dialog then stays open.
    if (m_hook && notify(CDN_FILEOK))
        return;
    EndDialog(m_dialog, accept(path) ? 1 : 0);
}

bool FileDialog::accept(const std::string& path)
{
    if (!m_ofn.lpstrFile || path.size() + 1 > m_ofn.nMaxFile) {
        m_error = FNERR_BUFFERTOOSMALL;
        // The size needed goes into the first two bytes, as callers retrying with more room expect.
        if (m_ofn.lpstrFile && m_ofn.nMaxFile >= 2) {
            WORD needed = WORD(std::min<size_t>(path.size() + 1, 0xFFFF));
            memcpy(m_ofn.lpstrFile, &needed, sizeof(needed));
        }
        return false;
    }
    memcpy(m_ofn.lpstrFile, path.c_str(), path.size() + 1);
    size_t name = nameOffset(path);
    size_t extension = extensionOffset(path);
    m_ofn.nFileOffset = WORD(name);
    m_ofn.nFileExtension = WORD(extension >= path.size() ? 0 : extension);
    if (m_ofn.lpstrFileTitle && m_ofn.nMaxFileTitle > 0)
        copyOut(path.substr(name), m_ofn.nMaxFileTitle, reinterpret_cast<LPARAM>(m_ofn.lpstrFileTitle));
    if (!m_filters.empty())
        m_ofn.nFilterIndex = DWORD(m_filter + 1);
    if (!(m_ofn.Flags & OFN_NOCHANGEDIR))
        SetCurrentDirectoryA(parentFolder(path).c_str());
    return true;
}

LRESULT FileDialog::notify(UINT code)
{
    if (!m_hook)
        return 0;
    OFNOTIFYA nm {};
    nm.hdr.hwndFrom = m_dialog;
    nm.hdr.idFrom = 0;
    nm.hdr.code = code;
    nm.lpOFN = &m_ofn;
    SetWindowLongPtrA(m_hook, DWLP_MSGRESULT, 0);
    return SendMessageA(m_hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
}

LRESULT FileDialog::answerCdm(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case CDM_GETSPEC:
        return copyOut(editText(), wParam, lParam);
    case CDM_GETFILEPATH:
        return copyOut(currentPath(), wParam, lParam);
    case CDM_GETFOLDERPATH:
        return copyOut(m_folder, wParam, lParam);
    case CDM_SETCONTROLTEXT:
        return SetDlgItemTextA(m_dialog, int(wParam), reinterpret_cast<LPCSTR>(lParam));
    case CDM_HIDECONTROL:
        return ShowWindow(GetDlgItem(m_dialog, int(wParam)), SW_HIDE), TRUE;
    case CDM_SETDEFEXT:
        setDefaultExtension(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
        return TRUE;
    default:
        return 0;
    }
}

} // namespace platform::commdlg
