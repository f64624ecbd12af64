// MainWindow's game commands: new game, resume, save, end and quit, and the answers to the game
// thread's wait for a person's turn.
#include "app/main_window.h"

#include "app/about_box.h"
#include "app/app_messages.h"
#include "app/control_panel.h"
#include "app/environment_window.h"
#include "app/game_sound.h"
#include "app/help_page.h"
#include "app/main_window_messages.h"
#include "app/main_window_rules_link.h"
#include "app/map_window.h"
#include "app/menu_ids.h"
#include "app/window_helpers.h"
#include "lib/application.h"
#include "lib/file.h"
#include "platform/commdlg/commdlg.h"
#include "platform/kernel/host.h"
#include "rules/game_thread.h"
#include "rules/play.h"
#include "rules/play_handshake.h"
#include "rules/saved_game_rules.h"
#include "rules/surrender.h"
#include "state/campaign_progress.h"
#include "state/data_path.h"
#include "state/game_settings.h"
#include "state/game_state.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// The line that says why a file was refused (the reader's own words, with the place in the file).
std::string refusalLine(const std::string& why)
{
    return why.empty() ? std::string() : cp("\n理由: ") + why;
}

// The extension in lower case, without the dot.
std::string extensionOf(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext;
}

std::string folderKey(const char* key, const std::string& fallback)
{
    std::string folder;
    makeNamedValue(key).profileReadString(folder, fallback.c_str());
    return folder;
}

// A filter of one entry: display text, then the patterns, each ended by a zero byte.
std::string filterOf(const std::string& label, const std::string& patterns)
{
    std::string filter = label + "(" + patterns + ")";
    filter += '\0';
    filter += patterns;
    filter += '\0';
    return filter;
}

struct FileChoice {
    std::string path;
    std::string folder;
};

bool chooseFile(HWND owner, bool save, const std::string& title, const std::string& filter, const std::string& folder,
    const std::string& initialName, const char* defaultExtension, FileChoice& out)
{
    char file[MAX_PATH] = {};
    initialName.copy(file, sizeof file - 1);
    OPENFILENAMEA ofn {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.hInstance = theApplication().instance();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = folder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (save) {
        ofn.Flags |= OFN_NOTESTFILECREATE;
    } else {
        ofn.Flags |= OFN_ENABLEHOOK;
        ofn.lpfnHook = openFileHookProc;
    }
    ModalIdleOff idle;
    if (!(save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn)))
        return false;
    out.path = file;
    out.folder = out.path.substr(0, std::min<size_t>(ofn.nFileOffset, out.path.size()));
    return true;
}

} // namespace

int MainWindow::OnCommand(MessageRecord&, UINT id, UINT)
{
    using namespace menu_id;
    switch (id) {
    case kNewGame: newGame(); break;
    case kResumeGame: resumeGame(); break;
    case kSaveGameAs: saveGameAs(); break;
    case kEndGame: endGame(); break;
    case kQuit: quit(); break;
    case kEndActionPhase: endActionPhase(); break;
    case kEndTurn: endTurn(); break;
    case kSurrender: surrender(); break;
    case kChangePlayers: changePlayers(); break;
    case kDelegateTurn: delegateTurn(); break;
    case kZoom16:
    case kZoom32:
    case kZoom48: setZoom(int(id - kZoom16)); break;
    case kSwitchMode: switchMode(); break;
    case kEnvironment: openEnvironment(); break;
    case kAbout: runAboutBox(this); break;
    case kHelp: openHelpPage(this); break;
    default: return 0;
    }
    return 1;
}

int MainWindow::gameKind() const
{
    if (m_state.campaignBlock().campaignFlag == 1)
        return 1;
    return m_fileKind;
}

void MainWindow::newGame()
{
    if (!commandStates().canStop)
        return;
    std::string patterns = m_state.isSimpleMode() ? "*.smp" : "*.vtm;*.vts;*.vtc";
    std::string folder = folderKey("NewGamePath", dataPath("", kFolderMap));
    FileChoice choice;
    if (!chooseFile(handle(), false, cp("マップを開く"), filterOf(cp("マップ"), patterns), folder, "", nullptr, choice))
        return;
    makeNamedValue("NewGamePath").profileWriteString(choice.folder.c_str());
    newGameFrom(choice.path);
}

bool MainWindow::newGameFrom(const std::string& path)
{
    stopPlay();
    clearCampaignInfo(m_state);
    const std::string ext = extensionOf(path);
    // Country 0 is the person's in the sample campaigns.
    bool loaded = ext == "vtc" ? startCampaign(m_state, path.c_str(), 0) : m_state.loadMapFile(path.c_str());
    if (!loaded) {
        std::string text = cp("マップファイルを読み込めませんでした。\n") + path + refusalLine(m_state.mapRefusal());
        modalMessageBox(this, text.c_str(), cp("注意").c_str());
        refreshTitle();
        return false;
    }
    m_state.setSavePath("");
    m_gamePath = path;
    m_fileKind = ext == "vtc" ? 1 : (ext == "vts" ? 2 : 0);
    startPlay(m_state);
    refreshTitle();
    refreshAfterChange();
    return true;
}

void MainWindow::resumeGame()
{
    if (!commandStates().canStop)
        return;
    std::string patterns;
    for (int kind : { 0, 2, 1 })
        patterns += std::string(patterns.empty() ? "" : ";") + "*." + m_state.fileExtension(kind);
    std::string folder = folderKey("SaveGamePath", theApplication().appProgramFolder() + "save\\");
    FileChoice choice;
    if (!chooseFile(handle(), false, cp("ゲームを再開"), filterOf(cp("セーブデータ"), patterns), folder, "", nullptr, choice))
        return;
    resumeGameFrom(choice.path);
}

bool MainWindow::resumeGameFrom(const std::string& path)
{
    stopPlay();
    clearCampaignInfo(m_state);
    SavedGameError why { "file not found", 0 };
    if (!fileExists(path.c_str()) || !loadGame(m_state, path.c_str(), &why)) {
        std::string reason = why.what + (why.offset ? " (at byte " + std::to_string(why.offset) + ")" : "");
        std::string text = cp("セーブデータを読み込めませんでした。\n") + path + refusalLine(reason);
        modalMessageBox(this, text.c_str(), cp("注意").c_str());
        refreshTitle();
        return false;
    }
    m_state.setSavePath(path);
    m_gamePath = path;
    const std::string ext = extensionOf(path);
    m_fileKind = ext == m_state.fileExtension(2) ? 2 : 0;
    startPlay(m_state);
    refreshTitle();
    refreshAfterChange();
    return true;
}

void MainWindow::saveGameAs()
{
    if (!commandStates().canEndGame)
        return;
    const std::string ext = m_state.fileExtension(gameKind());
    std::string folder = folderKey("SaveGamePath", theApplication().appProgramFolder() + "save\\");
    const std::string& current = m_state.savePath();
    std::string name = current.substr(current.find_last_of("\\/") == std::string::npos ? 0 : current.find_last_of("\\/") + 1);
    FileChoice choice;
    if (!chooseFile(handle(), true, cp("名前を付けてｹﾞｰﾑを保存"), filterOf(cp("セーブデータ"), "*." + ext), folder, name,
            ext.c_str(), choice))
        return;
    if (fileExists(choice.path.c_str())
        && modalMessageBox(this, cp("同じ名前のファイルが存在しています。\n上書きしますか？").c_str(), cp("確認").c_str(),
               MB_YESNO)
            != IDYES)
        return;
    makeNamedValue("SaveGamePath").profileWriteString(choice.folder.c_str());
    saveGameTo(choice.path);
}

bool MainWindow::saveGameTo(const std::string& path)
{
    if (!commandStates().canEndGame)
        return false;
    if (!saveGame(m_state, path.c_str(), true)) {
        std::string text = cp("ゲームを保存できませんでした。\n") + path;
        modalMessageBox(this, text.c_str(), cp("注意").c_str());
        return false;
    }
    refreshTitle();
    return true;
}

void MainWindow::endGame()
{
    const CommandStates s = commandStates();
    if (!s.playing || !s.canStop)
        return;
    if (modalMessageBox(this, cp("ゲームを終了しますか？").c_str(), cp("確認").c_str(), MB_YESNO) != IDYES)
        return;
    stopPlay();
    refreshTitle();
    refreshAfterChange();
}

void MainWindow::stopPlay()
{
    KillTimer(handle(), main_message::kEndOfPlayTimer);
    m_endOfPlayPending = false;
    Handshake& handshake = m_state.handshake();
    if (!handshake.playRunning() && !handshake.playThread())
        return;
    if (m_stopping)
        return;
    m_stopping = true;
    handshake.setUiLinkReady();
    handshake.replyToGame(0);
    // The game thread may be waiting on this thread (a message it sent, a box it owns): keep
    // handling messages until it has finished. A quit met on the way is put back for the loop.
    int quitCode = -1;
    while (!handshake.requestStopPlay()) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitCode = int(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    endPlay(m_state);
    m_stopping = false;
    if (quitCode >= 0)
        PostQuitMessage(quitCode);
}

void MainWindow::quit()
{
    if (m_stopping)
        return;
    stopPlay();
    if (handle())
        DestroyWindow(handle());
}

void MainWindow::endActionPhase()
{
    const CommandStates s = commandStates();
    if (s.canEndGame && s.personToMove && s.actionPhase)
        m_state.handshake().answerUi(1);
}

void MainWindow::endTurn()
{
    const CommandStates s = commandStates();
    if (s.canEndGame && s.personToMove && m_state.turnBlock().phase == kPhaseProduction)
        m_state.handshake().answerUi2(1);
}

void MainWindow::surrender()
{
    const CommandStates s = commandStates();
    if (!s.canEndGame || !s.personToMove)
        return;
    if (modalMessageBox(this, cp("降伏しますか？").c_str(), cp("確認").c_str(), MB_YESNO) != IDYES)
        return;
    surrenderSide(m_state, m_state.turnBlock().currentCountry);
    if (s.actionPhase)
        m_state.handshake().answerUi(1);
    else
        m_state.handshake().answerUi2(1);
}

void MainWindow::changePlayers()
{
    const CommandStates s = commandStates();
    if (!s.canEndGame || !s.personToMove)
        return;
    // Until the players dialog exists, the one change offered is handing the country whose turn
    // it is to the computer.
    TurnBlock& turn = m_state.turnBlock();
    const int side = turn.currentCountry;
    const CountryRecord& country = m_state.country(side);
    std::string name(country.name, strnlen(country.name, sizeof country.name));
    std::string text = name + cp("の担当をコンピュータに変更しますか？");
    if (modalMessageBox(this, text.c_str(), cp("プレイヤー変更").c_str(), MB_YESNO) != IDYES)
        return;
    m_state.country(side).controller = 2;
    // The view moves on to the next country in play that a person plays; with none it stays.
    for (int step = 1; step <= kCountryCount; ++step) {
        int next = (side + step) % kCountryCount;
        if (takesPart(m_state, next) && m_state.isHumanCountry(next)) {
            turn.viewingCountry = int8_t(next);
            break;
        }
    }
    Handshake& handshake = m_state.handshake();
    if (s.actionPhase)
        handshake.answerUi(0);
    else
        handshake.answerUi2(0);
    handshake.replyToGame(4);
    refreshAfterChange();
}

void MainWindow::delegateTurn()
{
    const CommandStates s = commandStates();
    if (!s.canEndGame || !s.personToMove || !s.actionPhase)
        return;
    m_state.handshake().setDelegation(true);
    m_state.handshake().answerUi(0);
}

void MainWindow::switchMode()
{
    std::string text = cp(m_state.isSimpleMode() ? "通常モードに切り替えて再起動しますか？" : "シンプルモードに切り替えて再起動しますか？");
    if (modalMessageBox(this, text.c_str(), cp("確認").c_str(), MB_YESNO) != IDYES)
        return;
    writeSwitchedMode(m_state.isSimpleMode());
    theApplication().requestRestart();
    quit();
}

void MainWindow::setZoom(int zoom)
{
    if (zoom < 0 || zoom > 2)
        return;
    // The map window keeps the view's centre as it changes the zoom.
    if (HWND map = m_link.mapWindow())
        PostMessageA(map, app_message::kMapSetZoom, WPARAM(zoom), 0);
    else
        m_state.display().zoom = uint32_t(zoom);
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
        PostMessageA(map, map_message::kFullRefresh, 0, 0);
}

void MainWindow::refreshAfterChange()
{
    if (HWND map = m_link.mapWindow())
        PostMessageA(map, map_message::kFullRefresh, 0, 0);
    if (HWND panel = m_link.panel())
        PostMessageA(panel, ControlPanel::kStartGameView, 0, 0);
    updateMenuStates();
}
