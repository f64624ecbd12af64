// Registration of every control class, and the common-controls initialisation calls.
#include "platform/controls/control_registry.h"
#include "platform/controls/commctrl.h"

#include <mutex>

namespace platform::controls {

void registerClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // Standard controls, trackbar and tooltips.
        registerButtonClass();
        registerStaticClass();
        registerEditClass();
        registerScrollBarClass();
        registerTrackbarClass();
        registerTooltipClass();
        // List controls.
        registerListBoxClasses();
        registerComboBoxClass();
        registerTabClass();
        registerHeaderClass();
        registerListViewClass();
    });
}

} // namespace platform::controls

// Kept linked by the folder's CMake file: the standard classes exist from the start, as dialogs
// create "Button" and "Edit" items without initialising anything.
extern "C" {
extern const int derazodo_controls_registered;
const int derazodo_controls_registered = (platform::controls::registerClasses(), 1);
}

void InitCommonControls() { platform::controls::registerClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    platform::controls::registerClasses();
    return TRUE;
}
