// Registers the list controls' classes at start-up and on request.
#include "platform/controls/listbox_registry.h"

#include <mutex>

namespace platform::controls {

void registerListControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        registerListBoxClasses();
        registerComboBoxClass();
        registerTabClass();
        registerHeaderClass();
        registerListViewClass();
    });
}

} // namespace platform::controls

// Referenced by the link options so this object, and its start-up registration, is always linked.
extern "C" {
int derazodo_list_controls_registered = (platform::controls::registerListControls(), 1);
}
