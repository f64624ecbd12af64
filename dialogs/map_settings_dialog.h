// MapSettingsDialog: "マップ設定変更", where the person sets up a map read but not yet started:
// each participating country's player, name, production type, funds, limits, music, strategy and
// relations (four countries to a tab page), day and night, building income, the rules and the
// victory conditions. It edits the game state in place; cancel puts back what it held at the start.
#pragma once

#include "dialogs/camp_relations.h"
#include "lib/dialog_base.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"
#include "state/country_record.h"
#include "state/production_type_record.h"
#include "state/rule_block.h"

#include <array>
#include <memory>

class GameState;
class MapThumbnail;
class MusicPreview;
class PanelPage;

class MapSettingsDialog : public ui::KitWindow<DialogBase> {
public:
    static constexpr int kSlots = 4;
    static constexpr int kSlotPageWidth = 632;

    MapSettingsDialog(const WindowContext& context, swCWindow* owner);
    ~MapSettingsDialog() override;

    int OnInitDialog() override;
    int DataExchange(int save) override;
    int OnMessage(MessageRecord& msg) override;
    void destroying() override;
    // The close box and a right click (on a control too) cancel.
    const ui::WindowDescription& description() const override
    {
        static constexpr ui::WindowDescription kDescription { .closing = ui::Closing::Itself, .floating = true };
        return kDescription;
    }
    void closeGesture() override { cancel(); }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;
    int OnNotify(MessageRecord& msg, UINT id, NMHDR* header) override;

    int page() const { return m_page; }
    int pageCount() const { return m_participantCount > kSlots ? 2 : 1; }
    int participantCount() const { return m_participantCount; }
    // The country of slot s on the visible page (or the other one), or -1.
    int slotCountry(int slot, bool otherPage = false) const;
    int slotOfCountry(int country, bool otherPage = false) const;
    const CampRelations& camps() const { return *m_camps; }
    bool previewStoppedMusic() const;
    MapThumbnail* thumbnail() const { return m_thumbnail; }

private:
    class SlotBoxes;

    // Slots (map_settings_slots.cpp).
    void createSlot(int slot);
    void loadSlot(int slot, bool editable);
    void loadPage();
    void storePage();
    void storeSlot(int slot, uint8_t& civilians);
    void storeProductionType(int country, int id);
    void setSlotEnables(int slot);
    void changeParticipation(int slot);
    // General controls and commands (map_settings_dialog.cpp).
    void createGeneralControls();
    void createButtons();
    void setDayNightEnables();
    bool changePage(int page);
    bool accept();
    bool checkDayNightTurns();
    void cancel();
    void openRules();
    void openVictoryConditions();
    void end(INT_PTR result);
    bool validate(unsigned counted);
    HWND item(int id) const { return GetDlgItem(handle(), id); }
    // The slots' controls stand on their page.
    HWND slotPage() const;
    HWND slotItem(int id) const { return GetDlgItem(slotPage(), id); }

    GameState& m_state;
    const Presentation& m_look;
    MainWindowServices& m_main;
    int m_page = 0;
    // Countries taking part when the dialog was made, in country order; -1 fills the rest.
    std::array<int, 8> m_participants {};
    int m_participantCount = 0;
    int m_neutralUnits = 0;

    // What cancel puts back.
    std::array<CountryRecord, 8> m_snapshot {};
    uint8_t m_neutralSnapshot[10] = {};
    RuleBlock m_ruleSnapshot {};
    std::array<ProductionTypeRecord, 8> m_productionSnapshot {};

    std::unique_ptr<SlotBoxes> m_boxes;
    std::unique_ptr<CampRelations> m_camps;
    std::unique_ptr<MusicPreview> m_preview;
    HWND m_tab = nullptr;
    PanelPage* m_slots = nullptr;
    MapThumbnail* m_thumbnail = nullptr;
};
