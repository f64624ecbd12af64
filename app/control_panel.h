// ControlPanel: the side's turn facts and the shown unit's and hex's facts, beside the map.
#pragma once

#include "app/control_panel_facts.h"
#include "lib/window.h"

#include <cstdint>
#include <vector>

class GameState;
struct UnitRecord;

// Refreshed by posted messages only (see the constants), so the game thread never waits for it.
class ControlPanel : public swCWindow {
public:
    static constexpr const char* kClassName = "DERAZODO_CONTROLPANEL_CNAME";
    static constexpr int kWidth = 216;
    static constexpr int kHeight = 288;

    ControlPanel(swCWindow* parent, GameState& state);
    ~ControlPanel() override;

    int OnMessage(MessageRecord& msg) override;

    // What the panel draws now: the side's lines, then the unit's, then the hex's.
    std::vector<PanelLine> lines() const;
    const std::vector<PanelLine>& sideLines() const { return m_sideLines; }
    const std::vector<PanelLine>& unitLines() const { return m_unitLines; }
    const std::vector<PanelLine>& hexLines() const { return m_hexLines; }
    // The byte of the last kPanelValue; kept for the main window's later reads.
    uint8_t panelValue() const { return m_value; }
    // The unit shown while the viewer sees it (its page may open); null once it has gone out of sight.
    const UnitRecord* seenUnit() const;
    int unitSide() const { return m_unitSide; }
    int unitIndex() const { return m_unitIndex; }

private:
    void readSide();
    void readUnit();
    void readHex();
    void redraw();
    void paint();

    GameState& m_state;
    int m_unitSide = -1;
    int m_unitIndex = -1;
    int m_hexX = -1;
    int m_hexY = -1;
    uint8_t m_value = 0;
    std::vector<PanelLine> m_sideLines;
    std::vector<PanelLine> m_unitLines;
    std::vector<PanelLine> m_hexLines;
};
