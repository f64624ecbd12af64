// The unit information pages' shared buttons.
#include "infowin/unit_info_buttons.h"

#include "infowin/unit_info_ids.h"
#include "lib/media/bitmap_button.h"

namespace unit_info {

void createPageButtons(swCWindow* page, int baseTypeTop)
{
    new InfoButton80x24(page, 0, unit_info_id::kPrevious, 456, 8);
    new InfoButton80x24(page, 1, unit_info_id::kNext, 544, 8);
    new InfoButton80x24(page, 2, unit_info_id::kClose, 632, 8);
    new InfoButton56x24(page, 0, unit_info_id::kBaseType, 378, baseTypeTop);
    new InfoButton72x24(page, 0, unit_info_id::kCapabilityPage, 152, 322);
    new InfoButton72x24(page, 1, unit_info_id::kMovePage, 224, 322);
}

void holdPressed(HWND page, UINT buttonId, bool pressed)
{
    if (auto* face = dynamic_cast<swCButton*>(windowFromHandle(GetDlgItem(page, int(buttonId)))))
        face->holdPressed(pressed);
}

void showButton(HWND page, UINT buttonId, bool shown)
{
    if (HWND item = GetDlgItem(page, int(buttonId)))
        ShowWindow(item, shown ? SW_SHOWNA : SW_HIDE);
}

} // namespace unit_info
