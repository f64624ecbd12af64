// The one header game code includes for the Windows-style API. Each area has its own header;
// areas not yet in the tree are simply absent.
#pragma once

#include "platform/kernel/windef.h"
#include "platform/kernel/winbase.h"
#if __has_include("platform/gdi/wingdi.h")
#include "platform/gdi/wingdi.h"
#endif
#if __has_include("platform/user/winuser.h")
#include "platform/user/winuser.h"
#endif
#if __has_include("platform/controls/commctrl.h")
#include "platform/controls/commctrl.h"
#endif
#if __has_include("platform/commdlg/commdlg.h")
#include "platform/commdlg/commdlg.h"
#endif
#if __has_include("platform/media/mmsystem.h")
#include "platform/media/mmsystem.h"
#endif
