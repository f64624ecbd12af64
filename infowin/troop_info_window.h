// TroopInfoWindow ("部隊詳細情報"): one unit on the map: its type as the weapon information shows
// it, its status, its armament set or its cargo, and the step to the country's previous and next
// unit in troop-list order.
#pragma once

#include "lib/dialog.h"
#include "lib/media/bitmap.h"
#include "ui/window_context.h"
#include "ui/window_kit.h"

#include <cstdint>
#include <memory>
#include <vector>

class GameState;
struct UnitRecord;
struct UnitTypeRecord;

// The units before and after (country, index) among the country's units in play; -1 for none.
struct TroopNeighbours {
    int previous = -1;
    int next = -1;
};
// In the order of the country's troop keys (the troop list's) when the unit is in them, else by
// index. A unit of a country not allied with the viewer's has neither.
TroopNeighbours findTroopNeighbours(GameState& state, const std::vector<uint32_t>& keys, int country, int index);
// The unit's cargo may be shown to the viewer: of its own or an ally's unit.
bool troopCargoVisible(GameState& state, int country);

// The status block right of the picture, and the carried-units page of the lower right.
void drawTroopStatus(HDC dc, const Presentation& look, GameState& state, int country, const UnitRecord& unit);
void drawCarriedUnits(HDC dc, const Presentation& look, GameState& state, int country, const UnitRecord& unit, const UnitTypeRecord& type);

class TroopInfoWindow : public ui::KitWindow<swCDialog> {
public:
    static constexpr const char* kPlacementPrefix = "TroopInfo";
    static constexpr int kPageWidth = 720;
    static constexpr int kPageHeight = 608;
    static constexpr int kArmamentPage = 2;
    static constexpr int kCargoPage = 3;

    TroopInfoWindow(const WindowContext& context, swCWindow* parent, int country, int unitIndex);
    ~TroopInfoWindow() override;

    // Runs modally; the result is always 0.
    INT_PTR run();

    int OnInitDialog() override;
    static constexpr ui::WindowDescription kDescription { .placementKey = kPlacementPrefix, .drawn = true };
    const ui::WindowDescription& description() const override { return kDescription; }
    HBITMAP background() const override { return m_background ? m_background->handle() : nullptr; }
    int OnCommand(MessageRecord& msg, UINT id, UINT code) override;

    int unitIndex() const { return m_unitIndex; }
    int typeId() const { return m_typeId; }
    int lowerPage() const { return m_lowerPage; }
    bool movePage() const { return m_movePage; }

private:
    const UnitRecord* shownUnit() const;
    const UnitTypeRecord* shownType() const;
    void takeUnit(int index);
    void render();
    void createButtons();
    void updateButtons();
    void pressPair(UINT chosen, UINT partner);
    void step(int index);
    void refuse();
    void end();

    GameState& m_game;
    const Presentation& m_look;
    int m_country = -1;
    int m_unitIndex = -1;
    int m_armamentSet = 0;
    int m_typeId = 0;
    bool m_movePage = false;
    int m_lowerPage = kArmamentPage;
    std::unique_ptr<swCBitmap> m_background;
};
