// The battle scene over the generated scene files: one frame of both sides painted by each painter
// family at its busiest (figures falling, explosions, the wide scrolling land), and a whole
// five-second scene played by the draw thread at 30 frames a second, with the CPU time of each of
// the process's threads read from /proc meanwhile.
#include "bench/program_folder.h"
#include "bench/short_mode.h"
#include "battle/battle_unit_data.h"
#include "battle/live_clash_window.h"
#include "lib/window.h"
#include "platform/desktop/harness.h"
#include "rules/combat_scene.h"
#include "state/game_state.h"

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

class Owner : public swCWindow {
public:
    Owner()
        : swCWindow("SceneBenchOwner")
    {
        setStyle(WS_POPUP | WS_VISIBLE);
        setFrame(0, 0, 100, 100);
    }
};

struct Scene {
    GameState* state = nullptr;
    Owner owner;
};

Scene& scene()
{
    static std::unique_ptr<Scene> made = [] {
        prepareBenchProgramFolder();
        auto s = std::make_unique<Scene>();
        static GameState state;
        state.startUp();
        g_gameState = &state;
        loadBattleUnitData(state, false);
        s->state = &state;
        s->owner.Create();
        if (!LiveClashWindow::init(GetModuleHandleA(nullptr), s->owner.handle()))
            std::abort();
        return s;
    }();
    return *made;
}

BattleSideRecord side(int type_id, int country, int domain, int terrain, int before, int after, int shots)
{
    BattleSideRecord r;
    r.country = uint32_t(country);
    r.unitType = uint32_t(type_id);
    r.domain = uint32_t(domain);
    r.terrain = uint32_t(terrain);
    r.figuresBefore = before;
    r.figuresAfter = after;
    r.shots = uint32_t(shots);
    r.unitEntry = &scene().state->battleUnitData()->entryFor(type_id);
    r.weaponSlot = r.unitEntry->weapons[0].kind ? 0 : -1;
    std::snprintf(r.unitName, sizeof r.unitName, "Unit %d", type_id);
    std::snprintf(r.typeName, sizeof r.typeName, "Type %d", type_id);
    return r;
}

// 0: tanks and infantry losing figures to each other, both narrow; 1: the tanks' wide window against
// a ship; 2: a submarine hit by a destroyer and firing back; 3: cruise missiles shot down; 4: ten
// rocket launchers on each side firing their three-missile salvos (the heaviest effect frame).
BattleRecord record(int kind)
{
    BattleRecord r;
    switch (kind) {
    case 0:
        r.side[0] = side(3, 0, 3, 5, 10, 4, 10);
        r.side[1] = side(2, 1, 3, 5, 10, 0, 10);
        r.side[1].counterAttack = 1;
        break;
    case 1:
        r.side[0] = side(3, 0, 3, 5, 10, 10, 10);
        r.side[1] = side(30, 1, 4, 15, 1, 0, 1);
        break;
    case 2:
        r.side[0] = side(30, 0, 4, 15, 1, 1, 4);
        r.side[1] = side(31, 1, 5, 15, 1, 0, 2);
        r.side[1].counterAttack = 1;
        break;
    case 3:
        r.side[0] = side(6, 0, 3, 5, 10, 10, 10);
        r.side[1] = side(12, 1, 1, 5, 10, 0, 0);
        break;
    default:
        r.side[0] = side(5, 0, 3, 5, 10, 10, 10);
        r.side[1] = side(5, 1, 3, 5, 10, 6, 10);
        r.side[1].counterAttack = 1;
        break;
    }
    return r;
}

// Both windows drawn wide, whatever the layout chose: the most pixels the effects can cover.
void forceWide(int kind)
{
    if (kind != 4)
        return;
    SceneState& st = sceneState();
    EnterCriticalSection(&st.lock);
    st.wide = { true, true };
    LeaveCriticalSection(&st.lock);
}

// The busy frame of each scene: figures fading, explosions at their largest, every salvo in flight.
constexpr int kBusyFrame[5] = { 100, 110, 110, 100, 40 };

void paintBusiestFrame(benchmark::State& bench)
{
    scene();
    const int kind = int(bench.range(0));
    BattleRecord r = record(kind);
    sceneState().random.seed(5);
    LiveClashWindow::prepareScene(r);
    LiveClashWindow::loadSceneData(false);
    forceWide(kind);
    for (int f = 0; f < kBusyFrame[kind]; ++f)
        LiveClashWindow::paintFrame(f);
    for (auto _ : bench)
        LiveClashWindow::paintFrame(kBusyFrame[kind]);
    static const char* const kNames[5] = { "formations", "wide formation", "large sprite", "kind 31", "salvos, both wide" };
    bench.SetLabel(kNames[kind]);
    LiveClashWindow::resetScene();
}
BENCHMARK(paintBusiestFrame)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

// utime + stime of each of the process's threads, in clock ticks.
std::map<int, long> threadTicks()
{
    std::map<int, long> ticks;
    DIR* dir = opendir("/proc/self/task");
    if (!dir)
        return ticks;
    while (dirent* entry = readdir(dir)) {
        const int tid = std::atoi(entry->d_name);
        if (tid <= 0)
            continue;
        std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/stat");
        std::string line;
        std::getline(in, line);
        // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        std::string field;
        long utime = 0;
        long stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14)
                utime = std::atol(field.c_str());
            if (i == 15)
                stime = std::atol(field.c_str());
        }
        ticks[tid] = utime + stime;
    }
    closedir(dir);
    return ticks;
}

// One whole scene played as in the game (the plain one, and the salvos both wide); the UI thread handles the windows' paints.
// Counters: the busiest other thread's share of one core (the draw thread) and the whole process's.
void playFiveSecondScene(benchmark::State& bench)
{
    scene();
    const double tick = 1.0 / double(sysconf(_SC_CLK_TCK));
    double draw_share = 0;
    double process_share = 0;
    const int kind = int(bench.range(0));
    for (auto _ : bench) {
        BattleRecord r = record(kind);
        if (kind == 0)
            r.side[1].counterAttack = 0;
        const auto before = threadTicks();
        const auto start = std::chrono::steady_clock::now();
        LiveClashWindow::runBattle(r, SceneSound {});
        forceWide(kind);
        while (sceneState().frame >= 0 || IsWindowVisible(sceneState().windows[0])) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            // Asleep until the next message, as the program's loop is: a poll would add its own cost.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const auto after = threadTicks();
        const int self = int(gettid());
        long busiest = 0;
        long total = 0;
        for (const auto& [tid, t] : after) {
            const auto it = before.find(tid);
            const long used = t - (it == before.end() ? 0 : it->second);
            total += used;
            if (tid != self)
                busiest = std::max(busiest, used);
        }
        draw_share = double(busiest) * tick / seconds;
        process_share = double(total) * tick / seconds;
        bench.SetIterationTime(seconds);
    }
    bench.counters["draw_thread_core_share"] = draw_share;
    bench.counters["process_core_share"] = process_share;
}
BENCHMARK(playFiveSecondScene)->Arg(0)->Arg(4)->Iterations(2)->UseManualTime()->Unit(benchmark::kMillisecond)->Apply(onceInShortRun);

} // namespace
