// The file dialog's templates: the standard controls with their Japanese labels, and the
// caller's template area turned into a child of the dialog.
#include "platform/commdlg/file_dialog.h"

#include "platform/controls/commctrl.h"
#include "platform/kernel/host.h"
#include "platform/user/resource_table.h"

#include <mutex>

namespace platform::commdlg {

namespace {

using resources::DialogItem;
using resources::DialogTemplate;

DialogItem item(const char* cls, const char* utf8, int id, DWORD style, RECT rect, DWORD exStyle = 0)
{
    DialogItem i;
    i.className = cls;
    i.text = utf8ToCp932(utf8);
    i.id = id;
    i.style = WS_CHILD | WS_VISIBLE | style;
    i.exStyle = exStyle;
    i.rect = rect;
    return i;
}

DialogTemplate standardTemplate(bool save)
{
    DialogTemplate t;
    t.caption = utf8ToCp932(save ? "名前を付けて保存" : "開く");
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | WS_CLIPCHILDREN;
    t.clientSize = SIZE { kStandardWidth, kStandardHeight };
    t.items = {
        item("Static", "ファイルの場所(&I):", stc4, SS_LEFT, RECT { 8, 12, 116, 28 }),
        item("ComboBox", "", cmb2, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, RECT { 118, 8, 400, 208 }),
        item("Button", "↑", kUpButton, BS_PUSHBUTTON | WS_TABSTOP, RECT { 408, 7, 436, 29 }),
        item("ListBox", "", lst1, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
            RECT { 8, 38, 472, 218 }, WS_EX_CLIENTEDGE),
        item("Static", "ファイル名(&N):", stc3, SS_LEFT, RECT { 8, 230, 118, 246 }),
        item("Edit", "", edt1, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, RECT { 120, 226, 380, 248 }),
        item("Button", save ? "保存(&S)" : "開く(&O)", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, RECT { 390, 225, 472, 249 }),
        item("Static", "ファイルの種類(&T):", stc2, SS_LEFT, RECT { 8, 262, 118, 278 }),
        item("ComboBox", "", cmb1, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, RECT { 120, 258, 380, 408 }),
        item("Button", "キャンセル", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, RECT { 390, 257, 472, 281 }),
    };
    return t;
}

} // namespace

const char* standardTemplateName(bool save)
{
    static std::once_flag once;
    std::call_once(once, [] {
        resources::addDialog("DERAZODO_FILE_OPEN", standardTemplate(false));
        resources::addDialog("DERAZODO_FILE_SAVE", standardTemplate(true));
        DialogTemplate empty;
        empty.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
        resources::addDialog("DERAZODO_FILE_HOOK", empty);
    });
    return save ? "DERAZODO_FILE_SAVE" : "DERAZODO_FILE_OPEN";
}

const char* hookTemplateName(LPCSTR callerTemplate)
{
    standardTemplateName(false);
    if (!callerTemplate)
        return "DERAZODO_FILE_HOOK";
    auto found = resources::findDialog(callerTemplate);
    if (!found)
        return nullptr;
    DialogTemplate child = *found;
    child.style = (child.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | DS_CENTER))
        | WS_CHILD | WS_VISIBLE | DS_CONTROL | WS_CLIPSIBLINGS;
    child.position = POINT { 0, kStandardHeight };
    resources::addDialog("DERAZODO_FILE_HOOK_TEMPLATE", child);
    return "DERAZODO_FILE_HOOK_TEMPLATE";
}

} // namespace platform::commdlg
