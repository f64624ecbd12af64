// Common-controls declarations: class names, initialisation, notification codes and the
// messages and structures of each control class, in blocks by control.
#pragma once

#include "platform/kernel/windef.h"
#include "platform/user/winuser.h"

// ---- Shared: initialisation, class names, notification ranges --------------------------------

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
typedef INITCOMMONCONTROLSEX* LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_STANDARD_CLASSES 0x00004000

// Registers every class of the controls area (they are also registered when the program starts).
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

#define WC_BUTTONA "Button"
#define WC_STATICA "Static"
#define WC_EDITA "Edit"
#define WC_SCROLLBARA "ScrollBar"
#define WC_LISTBOXA "ListBox"
#define WC_COMBOBOXA "ComboBox"
#define TRACKBAR_CLASSA "msctls_trackbar32"
#define TOOLTIPS_CLASSA "tooltips_class32"
#define WC_TABCONTROLA "SysTabControl32"
#define WC_LISTVIEWA "SysListView32"
#define WC_HEADERA "SysHeader32"
#define WC_BUTTON WC_BUTTONA
#define WC_STATIC WC_STATICA
#define WC_EDIT WC_EDITA
#define WC_SCROLLBAR WC_SCROLLBARA
#define WC_LISTBOX WC_LISTBOXA
#define WC_COMBOBOX WC_COMBOBOXA
#define TRACKBAR_CLASS TRACKBAR_CLASSA
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA
#define WC_TABCONTROL WC_TABCONTROLA
#define WC_LISTVIEW WC_LISTVIEWA
#define WC_HEADER WC_HEADERA

// WM_NOTIFY codes shared by the common controls, and each class's range.
#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)
#define LVN_FIRST (0U - 100U)
#define LVN_LAST (0U - 199U)
#define HDN_FIRST (0U - 300U)
#define HDN_LAST (0U - 399U)
#define TTN_FIRST (0U - 520U)
#define TTN_LAST (0U - 549U)
#define TCN_FIRST (0U - 550U)
#define TCN_LAST (0U - 580U)

#define CCM_FIRST 0x2000
#define CCM_SETBKCOLOR (CCM_FIRST + 1)
#define CCM_SETUNICODEFORMAT (CCM_FIRST + 5)
#define CCM_GETUNICODEFORMAT (CCM_FIRST + 6)

#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#define CCS_NODIVIDER 0x00000040L

// ---- Standard controls: Button, Static, Edit, ScrollBar --------------------------------------

#include "platform/controls/button.h"
#include "platform/controls/static.h"
#include "platform/controls/edit.h"
#include "platform/controls/scrollbar.h"

// ---- Trackbar and tooltips -------------------------------------------------------------------

#include "platform/controls/trackbar.h"
#include "platform/controls/tooltip.h"

// ---- List controls: ListBox, ComboBox, tabs, list view and header ---------------------------

#include "platform/controls/listbox.h"
#include "platform/controls/combobox.h"
#include "platform/controls/tab.h"
#include "platform/controls/header.h"
#include "platform/controls/listview.h"
