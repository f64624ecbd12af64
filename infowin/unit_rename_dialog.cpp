// UnitRenameDialog: the name edit, its byte limit, and the refusal of a blank name.
#include "infowin/unit_rename_dialog.h"

#include "infowin/troop_list_ids.h"
#include "lib/control.h"
#include "lib/edit.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/state_accessors.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

using ui::cp;

} // namespace

void setUnitName(UnitRecord& unit, const std::string& cp932)
{
    size_t length = 0;
    while (length < cp932.size() && cp932[length] != '\0') {
        const bool lead = platform::isCp932LeadByte(static_cast<unsigned char>(cp932[length]));
        const size_t next = length + (lead && length + 1 < cp932.size() ? 2 : 1);
        if (next > size_t(kUnitNameBytes))
            break;
        length = next;
    }
    std::memset(unit.name, 0, sizeof unit.name);
    std::memcpy(unit.name, cp932.data(), length);
}

UnitRenameDialog::UnitRenameDialog(const WindowContext& context, swCWindow* owner, int country, int unitIndex)
    : KitWindow(dialog_template::kTroopList, owner)
    , m_game(context.game)
    , m_look(context.look)
    , m_country(country)
    , m_unitIndex(unitIndex)
{
    registerGameDialogTemplates();
}

INT_PTR UnitRenameDialog::run()
{
    if (!unit())
        return 0;
    ModalIdleOff idle;
    CreateModal();
    return result();
}

UnitRecord* UnitRenameDialog::unit() const
{
    UnitRecord* record = m_game.unitOf(m_country, m_unitIndex);
    return record && unitInPlay(*record) ? record : nullptr;
}

int UnitRenameDialog::OnInitDialog()
{
    const UnitRecord* record = unit();
    if (!record) {
        ui::endWindow(*this, 0);
        return 1;
    }
    ui::centreWindow(*this, parent() ? parent()->handle() : nullptr, { kClientWidth, kClientHeight });

    const HFONT font = m_look.font(kFont14).handle();
    auto* label = new StaticText(this, unit_rename_id::kLabel, 0);
    label->controlCreateTitled(cp("部隊名の変更").c_str(), { 4, 4, 84, 14 });
    auto* edit = new EditBox(this, unit_rename_id::kName, 0);
    edit->setStyle(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    edit->controlCreate({ 4, 20, 238, 22 });
    auto* ok = new PushButton(this, unit_rename_id::kOk, WS_TABSTOP);
    ok->controlCreateTitled("OK", { 19, 46, 96, 24 });
    auto* cancel = new PushButton(this, unit_rename_id::kCancel, WS_TABSTOP);
    cancel->controlCreateTitled(cp("ｷｬﾝｾﾙ").c_str(), { 127, 46, 96, 24 });
    for (swCWindow* control : { static_cast<swCWindow*>(label), static_cast<swCWindow*>(edit),
             static_cast<swCWindow*>(ok), static_cast<swCWindow*>(cancel) })
        SendMessageA(control->handle(), WM_SETFONT, WPARAM(font), FALSE);

    // The limit counts bytes; the edit never splits a double-byte character at it.
    SendMessageA(edit->handle(), EM_LIMITTEXT, kUnitNameBytes, 0);
    const std::string name(record->name, strnlen(record->name, sizeof record->name));
    SetWindowTextA(edit->handle(), name.c_str());
    SendMessageA(handle(), DM_SETDEFID, unit_rename_id::kOk, 0);
    SetFocus(edit->handle());
    SendMessageA(edit->handle(), EM_SETSEL, 0, -1);
    // The title last: the window is complete once it bears its name.
    SetWindowTextA(handle(), cp("部隊名変更").c_str());
    return 0;
}

const ui::WindowDescription& UnitRenameDialog::description() const
{
    static constexpr ui::WindowDescription kDescription { .okButton = unit_rename_id::kOk, .cancelButton = unit_rename_id::kCancel };
    return kDescription;
}

std::optional<INT_PTR> UnitRenameDialog::okResult()
{
    UnitRecord* record = unit();
    if (!record)
        return 0;
    HWND edit = GetDlgItem(handle(), int(unit_rename_id::kName));
    std::string text(size_t(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(size_t(GetWindowTextA(edit, text.data(), int(text.size()))));
    trimFullWidthSpaces(text);
    if (text.empty()) {
        modalMessageBox(this, cp("部隊名が空白です。\n部隊名を入力してください。").c_str(), cp("注意").c_str(), MB_OK);
        SetFocus(edit);
        return std::nullopt;
    }
    setUnitName(*record, text);
    return 1;
}
