// The program's resources in code: dialog templates, accelerator tables and strings, found by
// integer id or by name as LPCSTR resource names are.
#pragma once

#include "platform/user/winuser.h"

#include <optional>
#include <string>
#include <vector>

#ifndef ERROR_RESOURCE_NAME_NOT_FOUND
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L
#endif

namespace platform::resources {

// A control the dialog manager creates with the dialog. The rectangle is in client pixels.
struct DialogItem {
    std::string className;
    std::string text; // CP932
    int id = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    RECT rect {};
};

// Sizes are pixels. Without DS_CENTER the dialog is placed at `position` in the owner's client
// coordinates (screen coordinates without an owner).
struct DialogTemplate {
    std::string caption; // CP932
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    DWORD exStyle = 0;
    POINT position {};
    SIZE clientSize {};
    std::string fontFace; // CP932; used with DS_SETFONT
    int fontPointSize = 0;
    std::vector<DialogItem> items;
};

// The key of a resource name: "#<id>" for integer ids (and names written "#<digits>"), the
// upper-cased name otherwise, since resource names match without regard to case.
std::string resourceKey(LPCSTR name);

void addDialog(LPCSTR name, DialogTemplate dialog);
std::optional<DialogTemplate> findDialog(LPCSTR name);

void addAccelerators(LPCSTR name, std::vector<ACCEL> table);
std::optional<std::vector<ACCEL>> findAccelerators(LPCSTR name);

// A menu template entry: a command, a separator (MF_SEPARATOR) or a popup with children.
struct MenuTemplateItem {
    std::string text; // CP932
    UINT flags = MF_STRING;
    UINT id = 0;
    std::vector<MenuTemplateItem> children;
};

void addMenu(LPCSTR name, std::vector<MenuTemplateItem> menu);
std::optional<std::vector<MenuTemplateItem>> findMenu(LPCSTR name);

void addString(UINT id, std::string text);
std::optional<std::string> findString(UINT id);

} // namespace platform::resources
