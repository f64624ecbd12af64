// What the person sees does not follow what is hidden from them: every registered window that can be
// open during play (and with the main window its map and panel, and the history's text export) is
// drawn, the hidden state is changed, and it is drawn again; a pixel that differs names the window.
// The riverside scenario has fog of war on and the camps' information closed; it is tried on the
// person's own action phase and on the computer's turn held at its next hand-shake.
#include "tests/windows/registry/window_registry.h"

#include "app/menu_ids.h"
#include "infowin/action_history_window.h"
#include "platform/desktop/harness.h"
#include "rules/unit_removal.h"
#include "rules/visibility.h"
#include "state/action_history.h"
#include "state/unit_facts.h"
#include "ui/private_messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <tuple>

using namespace window_registry;
namespace harness = platform::harness;

namespace {

constexpr int kComputer = 1;

// Entries that never stand open while a game is played, and why.
const std::set<std::string> kBeforeOrAfterPlay = {
    "start_mode",            // the program's first question, before any game
    "map_settings_list",     // the set-up of a game not yet begun
    "map_settings",
    "briefing_before_play",
    "campaign_troop_deploy", // between a campaign's stages
    "ending",                // after the game has ended
};
// Shown, but not from the game: the battle scene, whose figures stand where a random draw puts
// them, so that two looks differ anyway (what the scene is given of an unseen side is the combat
// tests' to check), or the disk's folders, which other programs change.
const std::set<std::string> kNotFromTheGame = { "battle_scene", "folder_browse" };

// What the viewer may know of while it stays hidden, and which the rules still let show:
// - a building's owner colour, drawn whatever the fog (a neutral bridge in fog turns red when an
//   enemy takes it): the change leaves buildings alone;
// - a hidden unit that blocks a move: no unit is selected, so no range is drawn.
// The change alters only the rest, and puts everything back when it goes.
class HiddenChange {
public:
    explicit HiddenChange(GameState& state)
        : m_state(state)
        , m_count(state.unitCount(kComputer))
        , m_units(state.unitOf(kComputer, 0), state.unitOf(kComputer, 0) + m_count + 1)
        , m_grid(state.unitGrid(), state.unitGrid() + size_t(state.mapWidth()) * size_t(state.mapHeight()))
        , m_country(state.country(kComputer))
        , m_stats(state.turnStatsAt(0), state.turnStatsAt(0) + state.turnStatsCount())
    {
        m_history.copyRecords(state.historyLog());
        const ViewerView view(state);
        std::vector<int> hidden;
        for (int i = 0; i < int(m_count); ++i)
            if (unitInPlay(m_units[size_t(i)]) && !view.seesUnit(kComputer, i))
                hidden.push_back(i);
        m_hiddenUnits = int(hidden.size());
        for (int index : hidden) {
            UnitRecord& unit = *state.unitOf(kComputer, index);
            unit.unitTypeId = uint16_t(otherTypeOfDomain(unit.type()));
            for (uint8_t& strength : unit.memberStrengths)
                strength = strength > 1 ? uint8_t(strength - 1) : strength;
            unit.experience = uint16_t(unit.experience + 37);
        }
        // The last hidden unit on the map (the registry's windows name the first ones) moves to
        // another hidden hex, and a copy of it stands in the fog.
        for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
            if (const int index = *it; state.unitOf(kComputer, index)->isOnOwnHex()) {
                placeInFog(index);
                UnitRecord& copy = *state.unitOf(kComputer, int(m_count));
                copy = *state.unitOf(kComputer, index);
                copy.flags = 0;
                std::fill(std::begin(copy.carriedUnits), std::end(copy.carriedUnits), uint16_t(0));
                state.setUnitCount(kComputer, m_count + 1);
                placeInFog(int(m_count));
                break;
            }
        CountryRecord& country = state.country(kComputer);
        country.funds += 777;
        country.fundsSpent += 333;
        country.runningTotal += 1110;
        country.membersLost += 5;
        country.unitsLost += 2;
        for (size_t turn = 0; turn < m_stats.size(); ++turn) {
            TurnStatsEntry& entry = state.turnStatsAt(turn)->country[kComputer];
            entry.threadValue += 3;
            entry.income += 450;
            entry.damageTaken += 9;
            entry.valueLost += 120;
            entry.forces += 60;
            entry.unitCount += 1;
        }
        // The unseen party of each fight: another type, name and strength.
        ActionHistoryLog changed(state.historyLog().world());
        for (uint32_t i = 0; i < m_history.count(); ++i) {
            HistoryRecord record = m_history.record(i);
            for (int slot : { 0, 1 })
                if (!isHistoryPartyKnown(record, slot, view.viewer())) {
                    (slot ? record.type1 : record.type0) += 1;
                    (slot ? record.unit1 : record.unit0)[0] ^= 1;
                    record.value ^= slot ? 0x01010000 : 0x0101;
                }
            changed.append(record);
        }
        state.historyLog().copyRecords(changed);
    }

    ~HiddenChange()
    {
        std::copy(m_units.begin(), m_units.end(), m_state.unitOf(kComputer, 0));
        m_state.setUnitCount(kComputer, m_count);
        std::copy(m_grid.begin(), m_grid.end(), m_state.unitGrid());
        m_state.country(kComputer) = m_country;
        std::copy(m_stats.begin(), m_stats.end(), m_state.turnStatsAt(0));
        m_state.historyLog().copyRecords(m_history);
    }

    int hiddenUnits() const { return m_hiddenUnits; }

private:
    int otherTypeOfDomain(const UnitTypeRecord& type) const
    {
        for (int id = 1; id < kUnitTypeIdMapSize; ++id)
            if (m_state.unitTypeIndex(id) && &m_state.unitTypeRecord(id) != &type && m_state.unitTypeRecord(id).domain == type.domain)
                return id;
        return type.id;
    }

    // Onto the first free hex that the viewer does not see.
    void placeInFog(int index)
    {
        UnitRecord& unit = *m_state.unitOf(kComputer, index);
        const ViewerView view(m_state);
        std::vector<UnitRef> on;
        for (int y = 0; y < m_state.mapHeight(); ++y)
            for (int x = 0; x < m_state.mapWidth(); ++x)
                if (on.clear(); !view.seesHex(x, y) && m_state.collectUnitsInHex(x, y, on) == 0 && !m_state.buildingOnHex(x, y)) {
                    removeUnitFromHex(m_state, kComputer, index);
                    unit.x = uint8_t(x);
                    unit.y = uint8_t(y);
                    m_state.placeUnitRefInHex(x, y, m_state.unitSlotFor(unit.type().domain), kComputer + 1, index);
                    return;
                }
    }

    GameState& m_state;
    uint32_t m_count;
    std::vector<UnitRecord> m_units;
    std::vector<UnitCell> m_grid;
    CountryRecord m_country;
    std::vector<TurnStatsRecord> m_stats;
    ActionHistoryLog m_history;
    int m_hiddenUnits = 0;
};

// What a window shows: its picture and, for the history, its text export.
struct Shown {
    bool open = false;
    harness::Image picture;
    std::string text;
};

std::string historyExport(HWND window)
{
    const auto* history = dynamic_cast<const ActionHistoryWindow*>(windowFromHandle(window));
    if (!history)
        return {};
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "derazodo_hidden_history.txt";
    if (!history->writeText(platform::gamePathFromHost(path.string())))
        return "(not written)";
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The thinking window's radar turns on its own thread in real time, whatever the test's clock, over
// whatever lies under it: its place is left out of every picture.
void leaveOutThinking(WindowWorld& world, const RECT& area, harness::Image& picture)
{
    HWND think = world.world().link().thinkWindow();
    RECT r {};
    if (!think || !IsWindowVisible(think) || !GetWindowRect(think, &r) || !IntersectRect(&r, &r, &area))
        return;
    for (int y = r.top - area.top; y < r.bottom - area.top && y < picture.height; ++y)
        for (int x = r.left - area.left; x < r.right - area.left && x < picture.width; ++x)
            picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] = 0;
}

// The windows' own clock runs this long from the moment a window opens to its picture: past the
// longest gauge of a result window (a hundred steps of 40 ms), which stays at its end value three
// seconds before the window closes itself.
constexpr DWORD kLookAfterMs = 5000;

// The picture a person has before them once the window's animations have run: the clock is held
// while it opens, so that its timers fall due at the same moments in every look, and then moved on
// timer by timer. A result window is seen with its gauge at the end value, a notice just before it
// goes by itself, a blinking mark at the phase that moment gives.
Shown look(const WindowEntry& entry, WindowWorld& world)
{
    Shown shown;
    harness::TestClock clock;
    visit(entry, world, [&](const OpenWindow& open) {
        const RECT area = areaOf(open);
        shown.open = true;
        shown.picture = harness::readRect(area);
        EXPECT_TRUE(harness::advanceClock(kLookAfterMs, [&] {
            if (!IsWindowVisible(open.window))
                return true;
            shown.picture = harness::readRect(area);
            return false;
        })) << entry.name << " never stood idle";
        leaveOutThinking(world, area, shown.picture);
        shown.text = historyExport(open.window);
    });
    return shown;
}

// The map and the panel redrawn from the state, as the rules' refresh messages ask.
void refreshMainWindow(WindowWorld& world)
{
    AppMainWindowLink& link = world.world().link();
    PostMessageA(link.mapWindow(), ui_message::kMapFullRefresh, 0, 0);
    PostMessageA(link.panel(), ui_message::kPanelFullRefresh, 0, 0);
    WindowWorld::pump();
    harness::waitIdle();
}

// The pixels by which two pictures differ (-1: they are not of one size).
int differing(const harness::Image& a, const harness::Image& b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int differ = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        differ += a.pixels[i] != b.pixels[i];
    return differ;
}

int firstHiddenUnit(const GameState& state)
{
    const ViewerView view(state);
    for (uint32_t i = 0; i < state.unitCount(kComputer); ++i)
        if (unitInPlay(*state.unitOf(kComputer, int(i))) && state.unitOf(kComputer, int(i))->isOnOwnHex() && !view.seesUnit(kComputer, int(i)))
            return int(i);
    return -1;
}

// A computer unit that acted and stands hidden: the panel keeps it as the last to act.
void showHiddenActedUnit(WindowWorld& world)
{
    const int hidden = firstHiddenUnit(world.state());
    ASSERT_GE(hidden, 0) << "no hidden computer unit";
    world.state().unitOf(kComputer, hidden)->flags |= kUnitActed;
    PostMessageA(world.world().link().panel(), ui_message::kPanelShowUnit, WPARAM(kComputer | hidden << 16), 0);
    WindowWorld::pump();
}

// A hidden transport of the computer takes a hidden land unit aboard.
void loadHiddenTransport(WindowWorld& world)
{
    GameState& state = world.state();
    const int ship = world.unitNamed(kComputer, "輸送艦");
    const int cargo = world.unitNamed(kComputer, "第2歩兵");
    ASSERT_GE(ship, 0);
    ASSERT_GE(cargo, 0);
    const ViewerView view(state);
    ASSERT_FALSE(view.seesUnit(kComputer, ship)) << "the transport stands in fog";
    UnitRecord& carrier = *state.unitOf(kComputer, ship);
    UnitRecord& aboard = *state.unitOf(kComputer, cargo);
    removeUnitFromHex(state, kComputer, cargo);
    aboard.flags |= kUnitAboard;
    aboard.carrierSide = kComputer + 1;
    aboard.carrierIndex = uint16_t(ship + 1);
    aboard.x = carrier.x;
    aboard.y = carrier.y;
    carrier.setCarriedUnit(0, cargo);
    carrier.flags |= kUnitCarrying;
}

// The computer's turn, held at its next hand-shake as the thinking window's stop holds it.
bool holdComputersTurn(WindowWorld& world)
{
    using main_window_test::World;
    GameState& state = world.state();
    state.settings().showTurnEnd = false;
    world.command(menu_id::kEndActionPhase);
    if (!World::pumpUntil([&] { return state.handshake().waitingForAnswer() && state.turnBlock().phase == kPhaseProduction; }))
        return false;
    world.command(menu_id::kEndTurn);
    if (!World::pumpUntil([&] { return state.turnBlock().currentCountry == kComputer; }, std::chrono::seconds(60)))
        return false;
    state.handshake().setUiLinkReady();
    return World::pumpUntil([&] { return state.handshake().replyPending(); }, std::chrono::seconds(60));
}

// Each window is opened twice: twice the registry's groups keep each test short.
constexpr int kGroups = 2 * kWindowGroups;

class HiddenState : public ::testing::TestWithParam<std::tuple<bool, int>> { };

TEST_P(HiddenState, ChangesNothingOnTheScreen)
{
    const auto [computersTurn, group] = GetParam();
    WindowWorld world;
    ASSERT_TRUE(world.ready());
    if (computersTurn) {
        ASSERT_TRUE(holdComputersTurn(world));
    }
    GameState& state = world.state();
    // A second turn's figures, so that the graphs draw lines.
    ASSERT_GT(state.turnStatsCount(), 0u);
    state.appendTurnStats(*state.turnStatsAt(state.turnStatsCount() - 1));
    ASSERT_TRUE(state.ruleOn(kRuleSearch));
    ASSERT_FALSE(state.ruleOn(kRuleOpenCampInfo));
    loadHiddenTransport(world);
    showHiddenActedUnit(world);
    refreshMainWindow(world);
    for (const WindowEntry& entry : entriesOfGroup(group, kGroups)) {
        if (kBeforeOrAfterPlay.count(entry.name) || kNotFromTheGame.count(entry.name))
            continue;
        SCOPED_TRACE(entry.name);
        const Shown before = look(entry, world);
        Shown after;
        {
            HiddenChange change(state);
            ASSERT_GT(change.hiddenUnits(), 2);
            refreshMainWindow(world);
            after = look(entry, world);
        }
        refreshMainWindow(world);
        EXPECT_EQ(before.open, after.open) << entry.name << " opens only with one of the hidden states";
        if (before.open && after.open) {
            const int differ = differing(before.picture, after.picture);
            EXPECT_EQ(differ, 0) << entry.name << " shows what is hidden (" << differ << " pixels differ)";
            if (differ != 0) {
                harness::keepShot(before.picture, "hidden_" + entry.name + "_before.png");
                harness::keepShot(after.picture, "hidden_" + entry.name + "_after.png");
            }
            EXPECT_EQ(before.text, after.text) << entry.name << "'s text export";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Turns, HiddenState, ::testing::Combine(::testing::Bool(), ::testing::Range(0, kGroups)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) ? "ComputersTurn" : "PersonsTurn") + "_group" + std::to_string(std::get<1>(info.param));
    });

} // namespace
