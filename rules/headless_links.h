// The headless neighbours: no map window, an invisible main window, and every request recorded.
#pragma once

#include "rules/battle_link.h"
#include "rules/dialog_link.h"
#include "rules/main_window_link.h"
#include "rules/map_window_link.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// One request as a name and its integer arguments.
struct LinkCall {
    std::string what;
    std::vector<int64_t> args;
    friend bool operator==(const LinkCall&, const LinkCall&) = default;
};

// The game thread and the interface thread may both call; the record is shared under a lock.
// Only the latest kKeptCalls are kept, so a long headless run does not grow without end.
class LinkRecorder {
public:
    static constexpr size_t kKeptCalls = 20000;

    std::vector<LinkCall> calls() const;
    // The recorded calls of that name, in order.
    std::vector<LinkCall> callsOf(const std::string& what) const;
    // Calls made since the last clear, the forgotten ones included.
    uint64_t callCount() const;
    void clear();

protected:
    void record(std::string what, std::vector<int64_t> args = {});

private:
    mutable std::mutex m_lock;
    std::deque<LinkCall> m_calls;
    uint64_t m_count = 0;
};

// The answers a headless person gives; by default every offer and question is declined.
struct HeadlessAnswers {
    bool acceptReplenish = false;
    bool acceptRepair = false;
    bool produce = false;
    int weapon = 0;
};

class HeadlessMainWindow : public MainWindowLink, public LinkRecorder {
public:
    HeadlessAnswers answers;
    // Text and caption of each message box, as shown.
    std::vector<std::pair<std::string, std::string>> messages() const;

    bool isVisible() const override { return false; }
    void playSound(int slot) override { record("playSound", { slot }); }
    bool isSoundPlaying(int) const override { return false; }
    void restartChime() override { record("restartChime"); }
    void stopAllSounds() override { record("stopAllSounds"); }
    void requestMusic(int tune, bool loop) override { record("requestMusic", { tune, loop }); }
    void refresh(MainRefresh what) override { record("refresh", { int(what) }); }
    void notifyTroopLists(int country) override { record("notifyTroopLists", { country }); }
    void restartUnitLists() override { record("restartUnitLists"); }
    void postPanelCommand(int country, int index) override { record("postPanelCommand", { country, index }); }
    void postPanelHexInfo(int x, int y) override { record("postPanelHexInfo", { x, y }); }
    void setPanelValue(uint8_t value) override { record("setPanelValue", { value }); }
    void reportThinkProgress(int value) override { record("reportThinkProgress", { value }); }
    bool postThinkProgress(int value) override { record("postThinkProgress", { value }); return false; }
    void showThinkWindow(int country) override { record("showThinkWindow", { country }); }
    void closeThinkWindow() override { record("closeThinkWindow"); }
    void setTitle() override { record("setTitle"); }
    void messageBox(const std::string& text, const std::string& caption) override;
    void bringToFront() override { record("bringToFront"); }
    void showIncome(int32_t income) override { record("showIncome", { income }); }
    void endOfGameStep() override { record("endOfGameStep"); }
    void askReplenish(ReplenishOffer& offer) override;
    void askSupplyOrder(SupplyOrder&) override { record("askSupplyOrder"); }
    bool askProductionOrders() override;
    void explainPhase() override { record("explainPhase"); }
    void openStartWindows() override { record("openStartWindows"); }
    void startGameView() override { record("startGameView"); }
    void refreshTerrainWindows(bool last) override { record("refreshTerrainWindows", { last }); }
    bool startCampaignDeployment() override { record("startCampaignDeployment"); return false; }
    void releasePendingWait() override { record("releasePendingWait"); }
    void afterGame() override { record("afterGame"); }

private:
    mutable std::mutex m_messageLock;
    // The latest kKeptCalls boxes.
    std::deque<std::pair<std::string, std::string>> m_messages;
};

// No map window: nothing is drawn, waits return at once and the view is empty.
class HeadlessMapWindow : public MapWindowLink, public LinkRecorder {
public:
    bool isOpen() const override { return false; }
    void updateHex(int x, int y) override { record("updateHex", { x, y }); }
    void postRefresh(bool wait) override { record("postRefresh", { wait }); }
    void fullRefresh() override { record("fullRefresh"); }
    void blinkHex(int x, int y) override { record("blinkHex", { x, y }); }
    void showHex(int x, int y) override { record("showHex", { x, y }); }
    void centreOn(int x, int y) override { record("centreOn", { x, y }); }
    void animateExplosion(int x, int y, int side, int index) override { record("animateExplosion", { x, y, side, index }); }
    void showHexEffect(int x, int y, int a, int b) override { record("showHexEffect", { x, y, a, b }); }
    void animateAttackPath(int fx, int fy, int tx, int ty) override { record("animateAttackPath", { fx, fy, tx, ty }); }
    void animateAreaBlast(int x, int y) override { record("animateAreaBlast", { x, y }); }
    void animateLevelChange(const LevelChange& c) override;
    bool postHexBlink(int x, int y) override { record("postHexBlink", { x, y }); return false; }
    bool postCentreOnHex(int x, int y) override { record("postCentreOnHex", { x, y }); return false; }
    bool postLevelChange(uint32_t id) override { record("postLevelChange", { id }); return false; }
    void checkDayNight() override { record("checkDayNight"); }
    HexView visibleHexRange() const override { return {}; }
    int zoom() const override { return 1; }
};

// Every dialog closes at once; notices are recorded for tests.
class HeadlessDialogs : public DialogLink, public LinkRecorder {
public:
    HeadlessAnswers answers;

    void showEventNotice(int kind, int a, int b) override { record("showEventNotice", { kind, a, b }); }
    int chooseWeapon(CombatPair& pair, int flag, WeaponChoiceMode mode) override;
    void showOccupationResult(const BuildingRecord& after, const BuildingRecord& before) override;
    void showBuildingResult(BuildingResult kind, const BuildingRecord& after, const BuildingRecord& before) override;
    void showStructureResult(BuildingResult kind, int terrain_kind, int durability, int old_durability) override;
    void showGameEnd(int country, int kind) override { record("showGameEnd", { country, kind }); }
    void showSupplyOrder(SupplyOrder&) override { record("showSupplyOrder"); }
    void showBriefing() override { record("showBriefing"); }
    void showMapSettings() override { record("showMapSettings"); }
};

// No battle scene: the engagement is resolved without one.
class HeadlessBattle : public BattleLink, public LinkRecorder {
public:
    void runBattleScene(BattleRecord&, bool play_se) override { record("runBattleScene", { play_se }); }
    void showSimpleBattle() override { record("showSimpleBattle"); }
};

// The process's headless neighbours, which the links fall back on.
HeadlessMainWindow& headlessMainWindow();
HeadlessMapWindow& headlessMapWindow();
HeadlessDialogs& headlessDialogs();
HeadlessBattle& headlessBattle();
