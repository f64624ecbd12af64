// MapSettingsDialog's slots: the controls of one country's column, loading them from its record,
// storing them back, and the change of its participation.
#include "dialogs/map_settings_dialog.h"

#include "dialogs/map_settings_boxes.h"

#include "dialogs/map_preview_fields.h"
#include "dialogs/map_settings_common.h"
#include "dialogs/map_settings_ids.h"
#include "editors/panel_page.h"
#include "lib/edit.h"
#include "state/game_state.h"
#include "state/name_tables.h"
#include "ui/window_kit.h"
#include "ui/window_services.h"
#include "ui/presentation.h"

#include <cstring>

namespace {

enum : int {
    kNotParticipating = 0, kPerson = 0x100, kComputer = 0x200,
    // The production type item inserted for a country whose own type is none of the listed ones.
    kOwnProductionType = 65535,
};

using ui::cp;

constexpr CountryFrameIds kFrameIds { map_settings_id::kGroupBox, map_settings_id::kLabels, map_settings_id::kAlliance, map_settings_id::kCivilian, map_settings_id::kPact };

int pageHeight(const GameState& state) { return state.isSimpleMode() ? 212 : 248; }

CountryFrame frameOf(const GameState& state, int slot)
{
    CountryFrame frame;
    frame.ids = kFrameIds;
    frame.index = slot;
    // Relative to the slot page, which stands at (8, 190) on the tab.
    frame.origin = { 158 * slot, 0 };
    frame.pageHeight = pageHeight(state);
    frame.simple = state.isSimpleMode();
    frame.musicLabel = false;
    frame.editable = true;
    return frame;
}

// The numeric and name edits of a slot: control id, x, width in normal mode, characters.
struct SlotEdit {
    int id;
    int x;
    int y;
    int width;
    int characters;
};
constexpr SlotEdit kNumberEdits[] = {
    { map_settings_id::kFunds, 30, 73, 114, 8 },
    { map_settings_id::kFundsCap, 30, 93, 114, 8 },
    { map_settings_id::kUnitLimit, 30, 113, 40, 3 },
    { map_settings_id::kProductionLimit, 104, 113, 40, 3 },
};

void addItem(HWND combo, const std::string& text, int data)
{
    const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, LPARAM(text.c_str()));
    SendMessageA(combo, CB_SETITEMDATA, WPARAM(index), LPARAM(data));
}

void selectData(HWND combo, int data, int fallback)
{
    const int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(i), 0)) == data) {
            SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
            return;
        }
    }
    SendMessageA(combo, CB_SETCURSEL, WPARAM(fallback), 0);
}

// The data of the selected item; -1 with nothing selected.
int selectedData(HWND combo)
{
    const LRESULT index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return index < 0 ? -1 : int(SendMessageA(combo, CB_GETITEMDATA, WPARAM(index), 0));
}

} // namespace

void MapSettingsDialog::createSlot(int slot)
{
    if (!m_boxes) {
        m_slots = new PanelPage(this, map_settings_id::kSlotPage);
        m_slots->controlCreate({ 8, 190, kSlotPageWidth, pageHeight(m_state) });
        ShowWindow(m_slots->handle(), SW_SHOW);
        m_boxes = std::make_unique<SlotBoxes>(*this);
        m_camps = std::make_unique<CampRelations>(*m_boxes, m_participantCount, m_neutralUnits > 0);
    }
    HWND dialog = slotPage();
    HFONT font = m_look.font(kSmallFont).handle();
    const bool simple = m_state.isSimpleMode();
    const CountryFrame frame = frameOf(m_state, slot);
    createCountryFrame(dialog, frame, font);
    const int x = frame.origin.x;
    const int y = frame.origin.y;
    // Made in reading order, which is the order Tab takes.
    makeSettingsControl(dialog, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, map_settings_id::kParticipation + slot,
        { x + 30, y + 13, 114, 96 }, font);
    auto* name = new swCEdit(m_slots, UINT(map_settings_id::kName + slot), 0);
    name->setStyle(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
    name->controlCreate({ x + 30, y + 33, 114, 20 });
    SendMessageA(name->handle(), EM_LIMITTEXT, 16, 0);
    SendMessageA(name->handle(), WM_SETFONT, WPARAM(font), FALSE);
    makeSettingsControl(dialog, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, map_settings_id::kProductionType + slot,
        { x + 30, y + 53, 114, 128 }, font);
    for (const SlotEdit& e : kNumberEdits) {
        const int width = e.id == map_settings_id::kUnitLimit && simple ? 114 : e.width;
        auto* edit = new swCEdit(m_slots, UINT(e.id + slot), 0);
        edit->editSetAllowedChars("0123456789");
        edit->setStyle(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
        edit->controlCreate({ x + e.x, y + e.y, width, 20 });
        SendMessageA(edit->handle(), EM_LIMITTEXT, WPARAM(e.characters), 0);
        SendMessageA(edit->handle(), WM_SETFONT, WPARAM(font), FALSE);
    }
    makeSettingsControl(dialog, "Button", "BGM", BS_PUSHBUTTON | WS_TABSTOP, map_settings_id::kMusicPreview + slot,
        { x + 2, y + 133, 28, 20 }, font);
    makeSettingsControl(dialog, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, map_settings_id::kMusic + slot,
        { x + 30, y + 133, 114, 128 }, font);
    HWND strategy = makeSettingsControl(dialog, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
        map_settings_id::kStrategy + slot, { x + 30, y + 153, 114, 128 }, font);
    for (int i = 0; i < computerStrategyCount(); ++i)
        addItem(strategy, computerStrategyName(i), i);
    createRelationBoxes(dialog, frame, font);
}

void MapSettingsDialog::loadPage()
{
    for (int slot = 0; slot < kSlots; ++slot)
        loadSlot(slot, true);
    m_camps->updateRelationEnables();
}

void MapSettingsDialog::loadSlot(int slot, bool editableAsked)
{
    HWND dialog = slotPage();
    const CountryFrame frame = frameOf(m_state, slot);
    const int c = slotCountry(slot);
    const int editables[] = { map_settings_id::kMusicPreview, map_settings_id::kParticipation, map_settings_id::kName, map_settings_id::kProductionType, map_settings_id::kFunds,
        map_settings_id::kFundsCap, map_settings_id::kUnitLimit, map_settings_id::kProductionLimit, map_settings_id::kMusic, map_settings_id::kStrategy };
    const bool simple = m_state.isSimpleMode();
    showCountryFrame(dialog, frame, c >= 0);
    for (int control : editables)
        showSettingsControl(dialog, control + slot, c >= 0 && !(simple && control == map_settings_id::kProductionLimit));
    if (c < 0)
        return;
    const CountryRecord& country = m_state.country(c);
    const bool active = country.takesPart();
    const bool editable = editableAsked && active;
    SetDlgItemTextA(dialog, map_settings_id::kGroupBox + slot, playerColourName(c));

    HWND participation = slotItem(map_settings_id::kParticipation + slot);
    SendMessageA(participation, CB_RESETCONTENT, 0, 0);
    if (active) {
        // Two countries are the fewest a game can have: neither may leave.
        if (m_participantCount != 2)
            addItem(participation, cp("不参戦"), kNotParticipating);
        addItem(participation, "USER", kPerson);
        addItem(participation, "COMP", kComputer);
        selectData(participation, country.controller == 1 ? kPerson : kComputer, 0);
    } else {
        addItem(participation, cp("不参戦"), kNotParticipating);
        SendMessageA(participation, CB_SETCURSEL, 0, 0);
    }

    HWND music = slotItem(map_settings_id::kMusic + slot);
    SendMessageA(music, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < anthemChoiceCount(m_state); ++i)
        addItem(music, m_state.anthemNames()[size_t(i)], i);
    for (size_t i = 0; i < m_state.musicNames().size(); ++i)
        addItem(music, m_state.musicNames()[i], 50 + int(i));
    selectData(music, country.anthemCode, 0);

    SetDlgItemTextA(dialog, map_settings_id::kName + slot, std::string(boundedText(country.name, sizeof country.name)).c_str());

    HWND types = slotItem(map_settings_id::kProductionType + slot);
    SendMessageA(types, CB_RESETCONTENT, 0, 0);
    const ProductionTypeRecord* own = m_state.sideProductionType(c);
    const std::string ownName = own ? std::string(boundedText(own->name, sizeof own->name)) : std::string();
    int selected = -1;
    auto listType = [&](int number) {
        const ProductionTypeRecord* type = m_state.productionType(number);
        const std::string typeName = type ? std::string(boundedText(type->name, sizeof type->name)) : std::string();
        if (typeName.empty())
            return;
        addItem(types, typeName, number);
        // A user type may have been replaced since the map was made: it must still bear the name.
        if (number == country.productionTypeNumber && (number < kFirstUserProductionType || typeName == ownName))
            selected = int(SendMessageA(types, CB_GETCOUNT, 0, 0)) - 1;
    };
    for (int i = 0; i < int(m_state.builtinProductionTypes().size()); ++i)
        listType(i);
    for (int i = 0; i < kUserProductionTypeCount; ++i)
        listType(kFirstUserProductionType + i);
    if (selected < 0) {
        SendMessageA(types, CB_INSERTSTRING, 0, LPARAM(ownName.c_str()));
        SendMessageA(types, CB_SETITEMDATA, 0, kOwnProductionType);
        selected = 0;
    }
    SendMessageA(types, CB_SETCURSEL, WPARAM(selected), 0);

    SetDlgItemInt(dialog, map_settings_id::kFunds + slot, country.funds, FALSE);
    SetDlgItemInt(dialog, map_settings_id::kFundsCap + slot, country.fundsCeiling, FALSE);
    SetDlgItemInt(dialog, map_settings_id::kUnitLimit + slot, country.unitListLength, FALSE);
    SetDlgItemInt(dialog, map_settings_id::kProductionLimit + slot, country.productionLimit, FALSE);
    SendMessageA(slotItem(map_settings_id::kStrategy + slot), CB_SETCURSEL, WPARAM(country.analysisByte), 0);

    for (int k = 0; k < kCountryCount; ++k) {
        CheckDlgButton(dialog, map_settings_id::kAlliance + 8 * slot + k, k == c || (country.allianceMask >> k & 1) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, map_settings_id::kPact + 8 * slot + k, country.pactMask >> k & 1 ? BST_CHECKED : BST_UNCHECKED);
    }
    const bool civilians = m_neutralUnits > 0 && m_state.isAllied(c, 8);
    CheckDlgButton(dialog, map_settings_id::kCivilian + slot, civilians ? BST_CHECKED : BST_UNCHECKED);

    EnableWindow(participation, editable);
    for (int control : { map_settings_id::kMusic, map_settings_id::kMusicPreview, map_settings_id::kName, map_settings_id::kProductionType, map_settings_id::kFunds, map_settings_id::kFundsCap,
             map_settings_id::kUnitLimit, map_settings_id::kStrategy })
        EnableWindow(slotItem(control + slot), editable);
    EnableWindow(slotItem(map_settings_id::kProductionLimit + slot), editable && m_state.ruleOn(kRuleProductionLimit));
    EnableWindow(slotItem(map_settings_id::kAlliance + 8 * slot + c), FALSE);
}

void MapSettingsDialog::setSlotEnables(int slot)
{
    const int c = slotCountry(slot);
    if (c < 0)
        return;
    const bool taking = m_state.country(c).controller != 0;
    for (int control : { map_settings_id::kMusic, map_settings_id::kMusicPreview, map_settings_id::kName, map_settings_id::kProductionType, map_settings_id::kFunds, map_settings_id::kFundsCap,
             map_settings_id::kUnitLimit, map_settings_id::kStrategy })
        EnableWindow(slotItem(control + slot), taking);
    EnableWindow(slotItem(map_settings_id::kProductionLimit + slot), taking && m_state.ruleOn(kRuleProductionLimit));
}

void MapSettingsDialog::changeParticipation(int slot)
{
    const int c = slotCountry(slot);
    if (c < 0)
        return;
    CountryRecord& country = m_state.country(c);
    HWND participation = slotItem(map_settings_id::kParticipation + slot);
    country.reserved114[0] = 0;
    switch (selectedData(participation)) {
    case kPerson: country.controller = 1; break;
    case kComputer: country.controller = 2; break;
    case kNotParticipating: {
        int allied = 0;
        for (int k = 0; k < kCountryCount; ++k)
            allied += IsDlgButtonChecked(slotPage(), map_settings_id::kAlliance + 8 * slot + k) == BST_CHECKED ? 1 : 0;
        if (allied <= 1) {
            country.controller = 0;
            m_camps->onCountryLeft();
            break;
        }
        modalMessageBox(this, cp("同盟を結んでいる陣営は不参戦に設定できません。").c_str(), cp("注意").c_str());
        const int count = int(SendMessageA(participation, CB_GETCOUNT, 0, 0));
        SendMessageA(participation, CB_SETCURSEL, WPARAM(country.controller == 1 ? count - 2 : count - 1), 0);
        break;
    }
    default: break;
    }
    setSlotEnables(slot);
    m_camps->updateRelationEnables();
}

void MapSettingsDialog::storePage()
{
    uint8_t civilians = m_state.neutralBlock()[0];
    for (int slot = 0; slot < kSlots; ++slot)
        storeSlot(slot, civilians);
    m_state.neutralBlock()[0] = civilians;
}

void MapSettingsDialog::storeSlot(int slot, uint8_t& civilians)
{
    const int c = slotCountry(slot);
    if (c < 0)
        return;
    CountryRecord& country = m_state.country(c);
    if (!country.takesPart())
        return;
    HWND dialog = slotPage();
    switch (selectedData(slotItem(map_settings_id::kParticipation + slot))) {
    case kPerson: country.controller = 1; break;
    case kComputer: country.controller = 2; break;
    case kNotParticipating:
        country = CountryRecord {};
        return;
    default: break;
    }
    char name[sizeof country.name] = {};
    GetDlgItemTextA(dialog, map_settings_id::kName + slot, name, sizeof name);
    std::memset(country.name, 0, sizeof country.name);
    std::memcpy(country.name, name, strnlen(name, sizeof name - 1));
    const int type = selectedData(slotItem(map_settings_id::kProductionType + slot));
    if (type >= 0 && type != kOwnProductionType)
        storeProductionType(c, type);
    country.funds = GetDlgItemInt(dialog, map_settings_id::kFunds + slot, nullptr, FALSE);
    country.initialFunds = country.funds;
    country.fundsCeiling = GetDlgItemInt(dialog, map_settings_id::kFundsCap + slot, nullptr, FALSE);
    country.unitListLength = uint16_t(GetDlgItemInt(dialog, map_settings_id::kUnitLimit + slot, nullptr, FALSE));
    country.productionLimit = uint16_t(GetDlgItemInt(dialog, map_settings_id::kProductionLimit + slot, nullptr, FALSE));
    country.anthemCode = uint8_t(std::max(0, selectedData(slotItem(map_settings_id::kMusic + slot))));
    country.analysisByte = uint8_t(std::max(0, int(SendMessageA(slotItem(map_settings_id::kStrategy + slot), CB_GETCURSEL, 0, 0))));
    uint8_t alliance = 0;
    uint8_t pacts = 0;
    for (int k = 0; k < kCountryCount; ++k) {
        if (IsDlgButtonChecked(dialog, map_settings_id::kAlliance + 8 * slot + k) == BST_CHECKED)
            alliance |= uint8_t(1u << k);
        if (IsDlgButtonChecked(dialog, map_settings_id::kPact + 8 * slot + k) == BST_CHECKED)
            pacts |= uint8_t(1u << k);
    }
    country.allianceMask = alliance;
    country.pactMask = pacts;
    const bool withCivilians = IsDlgButtonChecked(dialog, map_settings_id::kCivilian + slot) == BST_CHECKED;
    civilians = withCivilians ? uint8_t(civilians | 1u << c) : uint8_t(civilians & ~(1u << c));
}

void MapSettingsDialog::storeProductionType(int country, int id)
{
    const ProductionTypeRecord* chosen = m_state.productionType(id);
    if (!chosen)
        return;
    // Types 5000..9999 are the built-in twins of the user-made 10000..14999: the chosen type's
    // user-made types are replaced by their twins, which alone stay producible.
    ProductionTypeRecord converted = *chosen;
    for (int unit = 5000; unit <= 9999; ++unit)
        converted.setProducible(unit, false);
    for (int unit = 10000; unit < 15000; ++unit) {
        if (!chosen->canProduce(unit))
            continue;
        converted.setProducible(unit, false);
        if (const int twin = m_state.findTwinUnitType(unit))
            converted.setProducible(twin, true);
    }
    m_state.setSideProductionType(country, converted);
    m_state.country(country).productionTypeNumber = uint8_t(id);
}
