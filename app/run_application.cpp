// The program's run: instance checks, start-up checks, the main window, the loop and restart.
#include "app/run_application.h"

#include "ai/computer_players.h"
#include "app/app_battle_link.h"
#include "battle/battle_unit_data.h"
#include "app/app_dialog_link.h"
#include "app/app_window_services.h"
#include "app/game_state_services.h"
#include "app/main_window.h"
#include "app/main_window_rules_link.h"
#include "app/map_window_link.h"
#include "app/program_resources.h"
#include "lib/error.h"
#include "lib/profile.h"
#include "rules/links.h"
#include "state/game_state.h"
#include "platform/kernel/host.h"
#include "platform/user/program_close.h"
#include "platform/media/directx_version.h"
#include "ui/window_application_link.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr const char* kEditorMutex = "NOLTRAX_MAINWINDOW_CNAME";
constexpr int kMinimumDirectX = 6;

// Closes the instance mutex when the run ends, however it ends.
class MutexHolder {
public:
    explicit MutexHolder(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~MutexHolder() { close(); }
    void close()
    {
        if (m_handle)
            CloseHandle(m_handle);
        m_handle = nullptr;
    }
    MutexHolder(const MutexHolder&) = delete;
    MutexHolder& operator=(const MutexHolder&) = delete;

private:
    HANDLE m_handle;
};

bool mutexExists(const char* name)
{
    HANDLE handle = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
    if (!handle)
        return false;
    CloseHandle(handle);
    return true;
}

void stop(const char* utf8Text, const char* utf8Caption)
{
    MessageBoxA(nullptr, platform::utf8ToCp932(utf8Text).c_str(), platform::utf8ToCp932(utf8Caption).c_str(), MB_OK);
}

// A copy in this process has a window to raise; one in another process is left as it is.
void raiseRunningCopy()
{
    HWND running = FindWindowA(MainWindow::kClassName, nullptr);
    if (!running)
        return;
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

// DERAZODO_EXIT_AFTER_MS ends a run without a person after that time: it closes the main window,
// or, while start-up still waits in a dialog (the first start's mode choice), ends that dialog's
// loop so start-up finishes and the run ends by its usual road.
unsigned int exitAfterMilliseconds()
{
    const char* value = std::getenv("DERAZODO_EXIT_AFTER_MS");
    if (!value || !*value)
        return 0;
    char* end = nullptr;
    unsigned long ms = std::strtoul(value, &end, 10);
    return *end == '\0' && ms <= 0x7FFFFFFFul ? unsigned(ms) : 0;
}

void CALLBACK endUnattendedRun(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (theApplication().mainWindow())
        platform::requestProgramClose(platform::CloseRequest::Unattended);
    else
        PostQuitMessage(0);
}

// The rules engine reaches the windows through these while the main window lives; the game state
// they refer to outlives them.
class InstalledLinks {
public:
    explicit InstalledLinks(GameState& state)
        : m_main(state)
        , m_dialogs(m_main)
        , m_battle(m_main)
        , m_windows(m_main)
    {
        RulesLinks links;
        links.mainWindow = &m_main;
        links.mapWindow = &appMapWindowLink();
        links.dialogs = &m_dialogs;
        links.battle = &m_battle;
        setRulesLinks(links);
        setMainWindowServices(&m_windows);
    }
    ~InstalledLinks()
    {
        setMainWindowServices(nullptr);
        setRulesLinks({});
    }
    InstalledLinks(const InstalledLinks&) = delete;
    InstalledLinks& operator=(const InstalledLinks&) = delete;

    AppMainWindowLink& main() { return m_main; }

private:
    AppMainWindowLink m_main;
    AppDialogLink m_dialogs;
    AppBattleLink m_battle;
    AppWindowServices m_windows;
};

// An ini file that cannot be read, or that is not ini text, is left as it is: the run takes the
// defaults and writes nothing back, after this one warning.
void checkSettingsFile()
{
    profileUseDefaults(false);
    profileForgetWriteFailure();
    const ProfileCheck check = checkProfile();
    if (check.usable())
        return;
    std::string path = profilePath();
    std::string name = path.substr(platform::fileNameOffset(path));
    std::string reason = check.folder ? "同じ名前のフォルダがあります。"
        : check.state == ProfileCheck::State::Invalid ? std::to_string(check.line) + "行目が設定の形式ではありません。"
                                                      : "読み取れません。";
    MessageBoxA(nullptr,
        (platform::utf8ToCp932("設定ファイル ") + name
            + platform::utf8ToCp932(" を使えません。" + reason + "\n設定は既定値で始め、このファイルは変更しません。"))
            .c_str(),
        platform::utf8ToCp932("警告").c_str(), MB_OK | MB_ICONEXCLAMATION);
    profileUseDefaults(true);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand)
{
    swCApplication& app = theApplication();
    app.appInit(instance, previousInstance, commandLine, showCommand);
    // The shell hears of a start that stopped with its box.
    switch (runApplication(app)) {
    case RunOutcome::Played:
        return app.exitCode();
    case RunOutcome::AlreadyRunning:
        return 0;
    default:
        return 1;
    }
}

RunOutcome runApplication(swCApplication& app)
{
    if (mutexExists(kEditorMutex)) {
        stop("ゲーム、マップエディタは、兵器エディタと同時に起動する事は出来ません。\n"
             "兵器エディタを終了させてから、再起動してください。",
            "中止");
        return RunOutcome::EditorRunning;
    }
    if (mutexExists(MainWindow::kClassName)) {
        raiseRunningCopy();
        return RunOutcome::AlreadyRunning;
    }
    HANDLE instanceMutex = CreateMutexA(nullptr, FALSE, MainWindow::kClassName);
    MutexHolder instanceHolder(instanceMutex);
    // Another process may have taken the name between the check and the creation.
    if (!instanceMutex || GetLastError() == ERROR_ALREADY_EXISTS) {
        raiseRunningCopy();
        return RunOutcome::AlreadyRunning;
    }
    InitCommonControls();
    registerProgramResources();
    if (unsigned int ms = exitAfterMilliseconds())
        SetTimer(nullptr, 0, ms, endUnattendedRun);
    checkSettingsFile();
    // A master file that is missing or cannot be read has shown its warning; the program then
    // ends without a window.
    setApplicationLink(&windowApplicationLink());
    installAppGameStateServices(&appGameStateServices());
    installComputerPlayer();
    auto game = std::make_unique<OwnedGameState>();
    GameState& state = game->state();
    try {
        game->startUp();
    } catch (swCError* error) {
        // The loaders tell of their files; a file error that reached here untold still gets a box.
        std::unique_ptr<swCError> owned(error);
        if (dynamic_cast<swCFileError*>(error))
            stop("起動に必要なファイルを読み込めませんでした。", "警告");
        return RunOutcome::StartUpFailed;
    }
    app.setOwnedObject(std::move(game));

    if (platform::media::directXVersion() < kMinimumDirectX) {
        stop("DirectXのバージョンを新しくしてください。", "中止");
        app.deleteOwnedObject();
        return RunOutcome::OldDirectX;
    }
    if (GetSystemMetrics(SM_CXSCREEN) < 800 || GetSystemMetrics(SM_CYSCREEN) < 600) {
        stop("このゲームの実行に必要な画面サイズは、800×600以上です。\n"
             "画面サイズを800×600以上に変更してこのゲームを起動してください。",
            "中止");
        app.deleteOwnedObject();
        return RunOutcome::SmallScreen;
    }
    loadBattleUnitData(state, false);
    app.appLoadAccelerators(kAcceleratorTable);

    auto links = std::make_unique<InstalledLinks>(state);
    auto* mainWindow = new MainWindow(state, links->main());
    if (!mainWindow->createCentred()) {
        delete mainWindow;
        links.reset();
        app.deleteOwnedObject();
        return RunOutcome::NoMainWindow;
    }
    app.setMainWindow(mainWindow);
    mainWindow->showAtStart(app.showCommand());
    UpdateWindow(mainWindow->handle());
    // Closed while starting (a signal, or the desktop closed over a start-up box): the run ends at once.
    if (platform::closeRequested())
        PostMessageA(mainWindow->handle(), WM_CLOSE, 0, 0);

    // The loop deletes the game state at its end: play has stopped by then and the links go first.
    app.appMessageLoop();
    platform::clearCloseRequest();
    links.reset();
    if (app.restartRequested()) {
        // The new copy must not find this copy's mutex.
        instanceHolder.close();
        platform::restartProgram("restart");
    }
    return RunOutcome::Played;
}
