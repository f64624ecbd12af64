// The battle scene module: start-up and shut-down, the two scene windows, starting and resetting a scene.
#include "battle/live_clash_window.h"

#include "battle/battle_sound.h"
#include "platform/kernel/host.h"
#include "rules/combat_scene.h"
#include "ui/private_messages.h"

#include <algorithm>
#include <cstring>

namespace {

const std::string& className(int side)
{
    // The window titles too.
    static const std::string attacker = platform::utf8ToCp932("攻撃側");
    static const std::string defender = platform::utf8ToCp932("防御側");
    return side == 0 ? attacker : defender;
}

LRESULT CALLBACK attackerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return battleWindowProc(0, window, message, wParam, lParam);
}

LRESULT CALLBACK defenderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return battleWindowProc(1, window, message, wParam, lParam);
}

HWND sideWindow(int side) { return sceneState().windows[size_t(1 - side)]; }

bool registerClass(HINSTANCE instance, int side)
{
    WNDCLASSEXA wc {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = side == 0 ? attackerProc : defenderProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(32517));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(GetStockObject(HOLLOW_BRUSH));
    wc.lpszClassName = className(side).c_str();
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool makeBuffer(SceneBitmap& buffer, int width, HFONT font)
{
    if (!buffer.create(width, kSceneHeight))
        return false;
    SelectObject(buffer.dc(), font);
    SetBkMode(buffer.dc(), TRANSPARENT);
    SetTextColor(buffer.dc(), RGB(255, 255, 255));
    return true;
}

void clearScene(SceneState& st)
{
    st.frame = -1;
    for (BackgroundSlot& slot : st.backgrounds) {
        slot.bitmap.release();
        slot.number = -1;
    }
    for (SceneBitmap& picture : st.framePictures)
        picture.release();
    st.category.release();
    for (SpriteImage& sprite : st.sprites)
        sprite = SpriteImage {};
    for (SceneSide& side : st.sides)
        side = SceneSide {};
    st.plan = CutPlan {};
}

void releaseAll(SceneState& st)
{
    clearScene(st);
    for (SceneBitmap& buffer : st.buffers)
        buffer.release();
    st.wideBuffer.release();
    st.shapes = {};
    if (st.font)
        DeleteObject(st.font);
    st.font = nullptr;
}

} // namespace

SceneState& sceneState()
{
    static SceneState state;
    return state;
}

bool LiveClashWindow::isReady()
{
    const SceneState& st = sceneState();
    return st.running && st.thread && st.windows[0] && st.windows[1];
}

bool LiveClashWindow::init(HINSTANCE instance, HWND main_window)
{
    SceneState& st = sceneState();
    if (st.running)
        return isReady();
    st.running = true;
    st.frame = st.lastFrame = -1;
    st.startTime = UINT32_MAX;
    st.windows = {};
    st.wide = { false, false };
    st.shape = { -1, -1 };
    st.mainWindow = main_window;
    st.instance = instance;
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string folder = module;
    const size_t name = platform::fileNameOffset(folder);
    folder = name == 0 ? "\\" : folder.substr(0, name);
    st.folder = folder + "tklc\\";
    st.soundOn = initBattleSound(main_window);
    InitializeCriticalSection(&st.lock);
    st.lockMade = true;
    LOGFONTA font {};
    font.lfHeight = 18;
    font.lfWeight = 700;
    font.lfCharSet = 128;
    font.lfOutPrecision = 4;
    font.lfPitchAndFamily = 0x31;
    std::strncpy(font.lfFaceName, platform::utf8ToCp932("ＭＳ ゴシック").c_str(), sizeof font.lfFaceName - 1);
    st.font = CreateFontIndirectA(&font);
    st.random.seed(timeGetTime());
    bool ok = st.font != nullptr && registerClass(instance, 1) && registerClass(instance, 0);
    if (ok) {
        st.windows[0] = CreateWindowExA(0, className(1).c_str(), className(1).c_str(), WS_POPUP, 0, 0, kNarrowWidth,
            kSceneHeight, main_window, nullptr, instance, nullptr);
        st.windows[1] = st.windows[0] ? CreateWindowExA(0, className(0).c_str(), className(0).c_str(), WS_POPUP, 0, 0,
                                            kNarrowWidth, kSceneHeight, st.windows[0], nullptr, instance, nullptr)
                                      : nullptr;
        ok = st.windows[0] && st.windows[1] && loadMasks();
    }
    ok = ok && makeBuffer(st.buffers[0], kNarrowWidth, st.font) && makeBuffer(st.buffers[1], kNarrowWidth, st.font)
        && makeBuffer(st.wideBuffer, kWideWidth, st.font);
    if (ok) {
        st.event = CreateEventA(nullptr, TRUE, FALSE, "ZR4 LiveClash Event");
        st.thread = st.event ? CreateThread(nullptr, 0, battleDrawThread, nullptr, 0, nullptr) : nullptr;
        ok = st.thread != nullptr;
    }
    if (!ok) {
        shutDown();
        return false;
    }
    resetScene();
    st.frame = st.lastFrame = -1;
    st.startTime = UINT32_MAX;
    return true;
}

void LiveClashWindow::shutDown()
{
    SceneState& st = sceneState();
    if (!st.lockMade)
        return;
    resetScene();
    st.running = false;
    if (st.event)
        SetEvent(st.event);
    if (st.thread) {
        // The thread may be ending a scene by sending to the scene windows of this thread: those
        // sent messages are handled while waiting (posted ones stay queued).
        while (MsgWaitForMultipleObjects(1, &st.thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        }
        CloseHandle(st.thread);
    }
    st.thread = nullptr;
    if (st.event)
        CloseHandle(st.event);
    st.event = nullptr;
    for (HWND& window : st.windows) {
        if (window && IsWindow(window))
            DestroyWindow(window);
        window = nullptr;
    }
    DeleteCriticalSection(&st.lock);
    st.lockMade = false;
    closeBattleSound();
    releaseAll(st);
}

void LiveClashWindow::endScene()
{
    SendMessageA(sideWindow(0), ui_message::kSceneEnd, 0, 0);
    SendMessageA(sideWindow(1), ui_message::kSceneEnd, 0, 0);
}

void LiveClashWindow::resetScene()
{
    SceneState& st = sceneState();
    if (!st.lockMade)
        return;
    EnterCriticalSection(&st.lock);
    if (st.event)
        ResetEvent(st.event);
    clearScene(st);
    freeBattleSounds();
    LeaveCriticalSection(&st.lock);
}

bool LiveClashWindow::runBattle(const BattleRecord& record, SceneSound sound)
{
    SceneState& st = sceneState();
    if (!isReady())
        return false;
    EnterCriticalSection(&st.lock);
    prepareScene(record);
    loadSceneData(record.side[0].night != 0);
    placeWindows();
    if (sound.on && st.soundOn)
        loadBattleSounds(sound.volume);
    SendMessageA(sideWindow(0), ui_message::kSceneStartClock, 0, 0);
    SendMessageA(sideWindow(1), ui_message::kSceneStartClock, 0, 0);
    LeaveCriticalSection(&st.lock);
    SetEvent(st.event);
    ShowWindow(sideWindow(1), SW_RESTORE);
    ShowWindow(sideWindow(0), SW_RESTORE);
    return true;
}

LRESULT battleWindowProc(int side, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SceneState& st = sceneState();
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (st.lockMade) {
            EnterCriticalSection(&st.lock);
            const SceneBitmap& buffer = st.wide[size_t(side)] ? st.wideBuffer : st.buffers[size_t(side)];
            if (!buffer.empty())
                BitBlt(dc, 0, 0, buffer.width(), buffer.height(), buffer.dc(), 0, 0, SRCCOPY);
            LeaveCriticalSection(&st.lock);
        }
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    // Alt+F4 on a scene window ends the scene as a click does: the windows serve every scene.
    case WM_CLOSE:
        LiveClashWindow::endScene();
        return 0;
    case ui_message::kSceneDestroy:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        LiveClashWindow::removeWindowShape(window);
        // The main window ends the program; a quit from here would end whatever loop runs now.
        break;
    case ui_message::kSceneStartClock:
        st.frame = 0;
        st.lastFrame = -1;
        if (side == 1)
            st.startTime = UINT32_MAX;
        return 0;
    case ui_message::kSceneEnd:
        if (st.mainWindow)
            EnableWindow(st.mainWindow, TRUE);
        ShowWindow(window, SW_HIDE);
        if (side == 1) {
            // Only a scene still running hands back: a second click or the thread's repeated ending
            // finds it reset already.
            const bool playing = st.frame >= 0;
            LiveClashWindow::resetScene();
            if (playing && st.mainWindow)
                PostMessageA(st.mainWindow, ui_message::kBattleSceneFinished, 0, 0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
