// MainWindow's game commands: new game, resume, save, end and quit, and the answers to the game
// thread's wait for a person's turn.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/control_panel.h"
#include "app/environment_window.h"
#include "app/game_sound.h"
#include "app/help_page.h"
#include "app/main_window_prompts.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "app/window_helpers.h"
#include "dialogs/briefing_dialog.h"
#include "dialogs/game_file_dialog.h"
#include "dialogs/game_select_dialog.h"
#include "dialogs/map_settings_flow.h"
#include "lib/application.h"
#include "lib/file.h"
#include "platform/kernel/host.h"
#include "platform/user/modal_loop.h"
#include "rules/campaign_next_map.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "rules/saved_game_rules.h"
#include "rules/surrender.h"
#include "state/campaign_progress.h"
#include "state/data_path.h"
#include "state/game_settings.h"
#include "state/game_state.h"
#include "state/map_file.h"
#include "ui/presentation.h"
#include "ui/private_messages.h"
#include "ui/save_folder.h"
#include "ui/window_services.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <memory>

namespace {

std::string cp(const std::string& utf8) { return platform::utf8ToCp932(utf8); }

// The box that tells why a file was refused; the reader's own account goes to the debug output.
void showRefusal(swCWindow* owner, const char* what_utf8, const std::string& path, const FileRefusal& why)
{
    OutputDebugStringA((path + ": " + why.detail + "\r\n").c_str());
    std::string text = cp(what_utf8) + "\n" + path + cp("\n理由: ") + why.text();
    modalMessageBox(owner, text.c_str(), cp("注意").c_str());
}

// Why a save failed, from the system error of the step that failed, and which save the file holds now.
std::string saveFailureText(const std::string& path, const SaveResult& result)
{
    const char* reason = "ファイルに書き込めませんでした。";
    switch (result.error) {
    case ERROR_DISK_FULL: reason = "ディスクの空きが足りません。"; break;
    case ERROR_ACCESS_DENIED: reason = "書き込みが許されていません（読み取り専用か、同じ名前のフォルダがあります）。"; break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: reason = "保存先のフォルダがありません。"; break;
    }
    const char* kept = result.kept == SaveResult::Kept::Previous ? "前のセーブデータがそのまま残っています。"
        : result.kept == SaveResult::Kept::New                  ? "新しいセーブデータは保存されています。"
                                                                : "このファイルから読み込めるセーブデータはありません。";
    return cp("ゲームを保存できませんでした。\n") + path + cp((std::string("\n理由: ") + reason + "\n" + kept).c_str());
}

// The extension in lower case, without the dot.
std::string extensionOf(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < platform::fileNameOffset(path))
        return std::string();
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

// The kind of game a file starts: the selection dialog's category of it. Simple mode has only the
// scenario one.
uint16_t startedGameKind(const GameState& state, const std::string& ext)
{
    if (ext == "vtc")
        return kGameKindCampaign;
    return ext == "vts" || state.isSimpleMode() ? kGameKindScenario : kGameKindMap;
}

// The thinking window's stop button is ignored while a file dialog is open over it.
class ThinkWindowQuiet {
public:
    explicit ThinkWindowQuiet(MainWindow& window) : m_window(window) { m_window.setThinkWindowActive(false); }
    ~ThinkWindowQuiet() { m_window.setThinkWindowActive(true); }
    ThinkWindowQuiet(const ThinkWindowQuiet&) = delete;
    ThinkWindowQuiet& operator=(const ThinkWindowQuiet&) = delete;

private:
    MainWindow& m_window;
};

} // namespace

int MainWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    using namespace menu_id;
    switch (id) {
    case kNewGame: newGame(); break;
    case kResumeGame: resumeGame(); break;
    case kSaveGameAs: saveGameAs(); break;
    case kEndGame: endGame(); break;
    case kQuit: closeProgram(); break;
    case kEndActionPhase: endActionPhase(); break;
    case kEndTurn: endTurn(); break;
    case kSurrender: surrender(); break;
    case kChangePlayers: changePlayers(); break;
    case kDelegateTurn: delegateTurn(); break;
    case kAutoMoveWindow: toggleAutoMoveWindow(); break;
    case kZoom16:
    case kZoom32:
    case kZoom48: setZoom(int(id - kZoom16)); break;
    case kSwitchMode: switchMode(); break;
    case kEnvironment: openEnvironment(); break;
    case kWeaponList: openWeaponList(); break;
    case kTroopList: troopList() ? closeTroopList() : openTroopList(); break;
    case kDestroyedList: destroyedList() ? closeDestroyedList() : openDestroyedList(); break;
    case kTroopInfo: openTroopInfo(); break;
    case kAbout: runAboutBox(this); break;
    case kHelp: openHelpPage(this); break;
    case kRuleList: openRuleList(); break;
    case kProductEdit:
    case kProductImport:
    case kProductExport: openProductList(int(id - kProductEdit)); break;
    case kRuleInfo: showRuleInfo(); break;
    case kVictoryConditions: openVictoryConditions(); break;
    case kTerrainList: openTerrainList(); break;
    case kMoveTable: openLandTable(LandTable::Move); break;
    case kAvoidTable: openLandTable(LandTable::Avoid); break;
    case kTransportTable: openLandTable(LandTable::Transport); break;
    case kActionHistory: openActionHistory(); break;
    case kCountryInfo:
    case kConditionInfo:
    case kResults: toggleInfoWindow(id); break;
    case kShowOrders: showOrders(); break;
    default: return 0;
    }
    return 1;
}

int MainWindow::gameKind() const
{
    if (m_state.campaignBlock().campaignFlag == 1)
        return kGameKindCampaign;
    return m_state.turnBlock().gameKind;
}

bool MainWindow::confirmDiscard(const char* questionUtf8)
{
    // During a new game's set-up the game that comes back at its cancel is the one set aside; a
    // game the person has given up is not asked about again.
    const GameState& game = m_asideGame ? *m_asideGame : m_state;
    const bool unsaved = !m_gameGivenUp && game.mapWidth() > 0 && game.hasUnsavedPlay();
    if (!unsaved && !questionUtf8)
        return true;
    std::string text = unsaved ? "このゲームには保存していないターンがあります。\n" : "";
    text += questionUtf8 ? questionUtf8 : "ゲームを終了してよろしいですか？";
    const UINT style = MB_YESNO | MB_ICONQUESTION | (unsaved ? MB_DEFBUTTON2 : 0);
    return modalMessageBox(this, cp(text).c_str(), cp("確認").c_str(), style) == IDYES;
}

void MainWindow::newGame()
{
    if (!commandEnabled(menu_id::kNewGame) || leavingGame())
        return;
    GameHold hold(*this);
    if (!wayOutConfirmed())
        return;
    // The selection dialog hands back the path; newGameFrom runs the set-up before play.
    GameSelectDialog dialog(makeWindowContext(m_state), this, 0, 0, 0, kCategoryScenario);
    {
        ModalIdleOff idle;
        ThinkWindowQuiet quiet(*this);
        dialog.run();
    }
    // A quit met meanwhile waits for the game's stop: newGameFrom and resumeGameFrom start nothing then.
    if (dialog.result() == 1)
        newGameFrom(dialog.chosenPath());
}

bool MainWindow::newGameFrom(const std::string& path)
{
    // A way out waits for the game thread (the program's quit among them): nothing new starts.
    if (m_exitWait != ExitWait::None)
        return false;
    const std::string ext = extensionOf(path);
    // The file is read and checked whole before anything of the running game is touched.
    std::shared_ptr<StagedCampaign> campaign;
    auto map = std::make_shared<std::unique_ptr<ScenarioFile>>();
    if (ext == "vtc")
        campaign = stageCampaign(m_state, path.c_str());
    else
        *map = m_state.stageMapFile(path.c_str());
    if (!campaign && !*map) {
        showRefusal(this, "マップファイルを読み込めませんでした。", path, m_state.mapRefusal());
        return false;
    }
    auto refused = std::make_shared<bool>(false);
    auto start = [=, this] {
        // Country 0 is the person's in the sample campaigns.
        *refused = !(campaign ? commitCampaign(m_state, *campaign, 0) : m_state.commitStaged(std::move(*map)));
        return !*refused && (m_gameSetUp ? m_gameSetUp(this) : runNewGameSetUp(makeWindowContext(m_state), this));
    };
    auto started = [=, this] {
        m_gamePath = path;
        m_state.turnBlock().gameKind = startedGameKind(m_state, ext);
        setCountryMusic(m_state);
        startPlay(m_state);
        refreshTitle();
        refreshAfterChange();
    };
    auto failed = [=, this] {
        if (*refused)
            showRefusal(this, "マップファイルを読み込めませんでした。", path, m_state.mapRefusal());
    };
    replaceGame(start, started, failed);
    return true;
}

void MainWindow::showOrders()
{
    if (!commandEnabled(menu_id::kShowOrders))
        return;
    ModalIdleOff idle;
    BriefingDialog dialog(makeWindowContext(m_state), this, BriefingMode::DuringPlay);
    dialog.run();
}

void MainWindow::resumeGame()
{
    if (!commandEnabled(menu_id::kResumeGame) || leavingGame())
        return;
    GameHold hold(*this);
    if (!wayOutConfirmed())
        return;
    GameSelectDialog dialog(makeWindowContext(m_state), this, 0, 1, 0, kCategoryScenario);
    {
        ModalIdleOff idle;
        dialog.run();
    }
    if (dialog.result() == 1)
        resumeGameFrom(dialog.chosenPath());
}

bool MainWindow::resumeGameFrom(const std::string& path)
{
    // A way out waits for the game thread (the program's quit among them): nothing new starts.
    if (m_exitWait != ExitWait::None)
        return false;
    // The save and its history are read and checked before anything of the running game is touched.
    auto staged = std::make_shared<StagedSave>();
    if (FileRefusal refusal = stageSavedGame(m_state, path.c_str(), *staged)) {
        showRefusal(this, "セーブデータを読み込めませんでした。", path, refusal);
        return false;
    }
    auto started = [=, this] {
        // The map as it was looked at when the game was saved: its zoom first, since the column and
        // row place the view at a zoom.
        if (MapWindow* map = mapWindow()) {
            const SavedView& view = m_state.savedView();
            if (view.zoomPlusOne >= 1)
                map->setZoom(view.zoomPlusOne - 1);
            map->showFrom(view.firstColumn, view.firstRow, { view.offsetX, view.offsetY });
        }
        m_state.setSavePath(path);
        m_gamePath = path;
        if (!staged->droppedHistory.empty()) {
            const std::string& history = staged->droppedHistory;
            std::string text = cp("履歴ファイル ") + history.substr(platform::fileNameOffset(history))
                + cp(staged->historyMissing ? " がないので、履歴なしでゲームを再開します。"
                                            : " は壊れているか別のセーブデータのものなので、履歴なしでゲームを再開します。");
            modalMessageBox(this, text.c_str(), cp("注意").c_str());
            // Closed meanwhile: nothing of the game starts.
            if (m_programEnding)
                return;
        }
        startPlay(m_state);
        refreshTitle();
        refreshAfterChange();
    };
    auto failed = [=, this] {
        showRefusal(this, "セーブデータを読み込めませんでした。", path, { FileFault::Unreadable, -1, "game not started" });
    };
    // The save chosen, the game loaded is given up: it comes back only when the save cannot start.
    m_gameGivenUp = true;
    replaceGame([=, this] { return resumeStagedGame(m_state, *staged); }, started, failed);
    return true;
}

void MainWindow::saveGameAs()
{
    if (!commandEnabled(menu_id::kSaveGameAs))
        return;
    const std::string folder = gameSaveFolder();
    const std::string& current = m_state.savePath();
    const std::string name = current.substr(platform::fileNameOffset(current));
    GameFileDialog dialog(makeWindowContext(m_state), this);
    int chosen = 0;
    {
        ThinkWindowQuiet quiet(*this);
        chosen = dialog.runSaveDialog(folder, 0, name, gameKind());
    }
    if (chosen != 1)
        return;
    makeNamedValue("SaveGamePath").profileWriteString(dialog.chosenFolder().c_str());
    saveGameTo(dialog.chosenPath());
}

bool MainWindow::saveGameTo(const std::string& path)
{
    if (!commandStates().canEndGame)
        return false;
    if (const SaveResult result = saveGame(m_state, path.c_str(), true); !result) {
        modalMessageBox(this, saveFailureText(path, result).c_str(), cp("注意").c_str());
        return false;
    }
    refreshTitle();
    return true;
}

void MainWindow::endActionPhase()
{
    if (commandEnabled(menu_id::kEndActionPhase))
        m_state.handshake().answerUi(1);
}

void MainWindow::endTurn()
{
    if (!commandEnabled(menu_id::kEndTurn))
        return;
    // The question is modal: the game may have been stopped meanwhile.
    if (m_state.settings().showTurnEnd && (!prompts::confirmTurnEnd(handle()) || !commandEnabled(menu_id::kEndTurn)))
        return;
    m_state.handshake().answerUi2(1);
}

void MainWindow::surrender()
{
    const CommandStates s = commandStates();
    if (!commandEnabled(menu_id::kSurrender))
        return;
    // No is the default: Enter alone must not end the person's game.
    if (modalMessageBox(this, cp("降伏しますか？").c_str(), cp("確認").c_str(), MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;
    surrenderSide(m_state, m_state.turnBlock().currentCountry);
    if (s.actionPhase)
        m_state.handshake().answerUi(1);
    else
        m_state.handshake().answerUi2(1);
}

void MainWindow::delegateTurn()
{
    if (!commandEnabled(menu_id::kDelegateTurn))
        return;
    m_state.handshake().setDelegation(true);
    m_state.handshake().answerUi(0);
}

void MainWindow::cancelDelegation()
{
    Handshake& handshake = m_state.handshake();
    if (handshake.deferDuringCombat(DeferredRequest::CancelDelegation) || !handshake.delegation())
        return;
    handshake.setDelegation(false);
    handshake.releaseUiWait();
}

void MainWindow::setZoom(int zoom)
{
    if (zoom < 0 || zoom > 2)
        return;
    // The map window keeps the view's centre as it changes the zoom.
    if (HWND map = m_link.mapWindow())
        PostMessageA(map, ui_message::kMapSetZoom, WPARAM(zoom), 0);
    else
        presentation().mapView().zoom = zoom;
    updateMenuStates();
}

void MainWindow::openEnvironment()
{
    EnvironmentWindow window(this, m_state.settings());
    {
        ModalIdleOff idle;
        window.run();
    }
    if (window.result() != 1)
        return;
    if (m_sound)
        m_sound->applySettings(m_state.settings());
    layoutChildren();
    if (HWND map = m_link.mapWindow())
        PostMessageA(map, ui_message::kMapFullRefresh, 0, 0);
}

void MainWindow::refreshAfterChange(Panel panel_refresh)
{
    if (HWND map = m_link.mapWindow())
        PostMessageA(map, ui_message::kMapFullRefresh, 0, 0);
    if (HWND panel = m_link.panel(); panel && panel_refresh == Panel::Restart)
        PostMessageA(panel, ui_message::kPanelStartGameView, 0, 0);
    refreshRuleWindow();
    refreshInfoWindows();
    updateMenuStates();
}
