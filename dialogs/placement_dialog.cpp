// PlacementDialog: every type of the country's production type, placed by "OK" or a double click.
#include "dialogs/placement_dialog.h"

#include "dialogs/owner_draw_list_box.h"
#include "dialogs/production_dialog.h"
#include "lib/media/bitmap_button.h"
#include "rules/place_new_unit.h"
#include "rules/production_types.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

using ui::cp;

} // namespace

PlacementDialog::PlacementDialog(const WindowContext& context, swCWindow* owner, int x, int y, int country)
    : PlayPopup(context, dialog_template::kProduction, owner, production_id::kCancel)
    , m_x(x)
    , m_y(y)
    , m_country(country)
{
}

int PlacementDialog::OnInitDialog()
{
    placeWindow({ kWidth, kHeight });
    m_typeIds = productionTypeMembers(m_state, m_country);
    // Every row grey, and the price of a whole unit: the tool buys nothing.
    m_list = new OwnerDrawListBox(this, m_state, m_look, production_id::kTypeList, m_country, &m_typeIds);
    m_list->setFreeSlotMask(0);
    m_list->setShownCount(0);
    // The whole box, so that it ends short of the hex picture at x = 432.
    m_list->create(8, 8, 420, 242, OwnerDrawListBox::Size::Window);
    SendMessageA(m_list->handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    for (size_t i = 0; i < m_typeIds.size(); ++i)
        SendMessageA(m_list->handle(), LB_ADDSTRING, 0, LPARAM(i));
    new HexPictureButton(this, production_id::kHexPicture, 432, 8, m_x, m_y);
    auto* name = new ChildControl("Static", this, production_id::kTerrainName, SS_CENTER | SS_NOPREFIX);
    const TerrainRecord* terrain = m_state.terrainTypeAt(m_x, m_y);
    name->controlCreateTitled(terrain ? std::string(terrain->name, strnlen(terrain->name, sizeof terrain->name)).c_str() : "",
        { 464, 17, 84, 14 });
    SendMessageA(name->handle(), WM_SETFONT, WPARAM(m_look.font(kSmallFont).handle()), FALSE);
    const struct {
        UINT id;
        const char* text;
        int x;
    } buttons[2] = { { production_id::kOk, "OK", 340 }, { production_id::kCancel, "ｷｬﾝｾﾙ", 452 } };
    for (const auto& b : buttons) {
        auto* button = new ChildControl("Button", this, b.id, BS_PUSHBUTTON | WS_TABSTOP);
        button->controlCreateTitled(cp(b.text).c_str(), { b.x, 268, 96, 24 });
        SendMessageA(button->handle(), WM_SETFONT, WPARAM(m_look.font(kFont14).handle()), FALSE);
    }
    SetFocus(m_list->handle());
    return 0;
}

void PlacementDialog::place()
{
    const int type = m_list ? m_list->selectedType() : 0;
    if (type <= 0) {
        modalMessageBox(this, cp("配置する兵器を選択してください。").c_str(), cp("警告").c_str(), MB_OK);
        return;
    }
    if (!placeNewUnit(m_state, m_x, m_y, m_country, type)) {
        modalMessageBox(this, cp("この地点に兵器を配置することができませんでした。").c_str(), cp("警告").c_str(), MB_OK);
        return;
    }
    end(1);
}

int PlacementDialog::OnCommand(MessageRecord& msg, UINT command, UINT code)
{
    switch (command) {
    case production_id::kTypeList:
        if (code == LBN_DBLCLK)
            place();
        return 1;
    case production_id::kOk:
        place();
        return 1;
    default:
        return PlayPopup::OnCommand(msg, command, code);
    }
}
