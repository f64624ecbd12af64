// MapSettingsDialog's check boxes of the visible page as the camp rules see them.
#pragma once

#include "dialogs/map_settings_dialog.h"
#include "dialogs/map_settings_ids.h"
#include "state/game_state.h"

class MapSettingsDialog::SlotBoxes final : public CampView {
public:
    explicit SlotBoxes(MapSettingsDialog& dialog) : m_dialog(dialog) { }

    int slotOf(int country) const override { return m_dialog.slotOfCountry(country); }
    int countryOf(int slot) const override { return m_dialog.slotCountry(slot); }
    bool box(CampBox kind, int slot, int k) const override
    {
        return IsDlgButtonChecked(m_dialog.slotPage(), idOf(kind, slot, k)) == BST_CHECKED;
    }
    void setBox(CampBox kind, int slot, int k, bool on) override
    {
        CheckDlgButton(m_dialog.slotPage(), idOf(kind, slot, k), on ? BST_CHECKED : BST_UNCHECKED);
    }
    void enableBox(CampBox kind, int slot, int k, bool on) override
    {
        EnableWindow(GetDlgItem(m_dialog.slotPage(), idOf(kind, slot, k)), on);
    }
    CountryRecord& record(int country) const override { return m_dialog.m_state.country(country); }
    uint8_t& civilianMask() const override { return m_dialog.m_state.neutralBlock()[0]; }

private:
    static int idOf(CampBox kind, int slot, int k)
    {
        switch (kind) {
        case CampBox::Alliance: return map_settings_id::kAlliance + 8 * slot + k;
        case CampBox::Pact: return map_settings_id::kPact + 8 * slot + k;
        default: return map_settings_id::kCivilian + slot;
        }
    }

    MapSettingsDialog& m_dialog;
};

