// The battle scene module: start-up and shut-down, the two scene windows, starting and resetting a scene.
#include "battle/live_clash_window.h"

#include "battle/battle_sound.h"
#include "platform/kernel/host.h"
#include "rules/combat_scene.h"
#include "ui/private_messages.h"
#include "ui/window_kit.h"

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

HWND sideWindow(int side) { return sceneState().windows[size_t(1 - side)]; }

// A scene window of one side (0 attacker, 1 defender): it shows its side's buffer and ends the
// scene on a click; the windows serve every scene until the module shuts down.
class SceneWindow : public ui::KitWindow<swCWindow> {
public:
    explicit SceneWindow(int side)
        : m_side(side)
    {
    }

    const ui::WindowDescription& description() const override
    {
        static const ui::WindowDescription kDescription { .drawn = true, .closing = ui::Closing::Itself };
        return kDescription;
    }
    void showPicture(HDC dc, const RECT& area) override
    {
        SceneState& st = sceneState();
        if (!st.lockMade)
            return;
        EnterCriticalSection(&st.lock);
        const SceneBitmap& buffer = st.wide[size_t(m_side)] ? st.wideBuffer : st.buffers[size_t(m_side)];
        if (!buffer.empty()) {
            const int right = std::min<int>(area.right, buffer.width());
            const int bottom = std::min<int>(area.bottom, buffer.height());
            BitBlt(dc, area.left, area.top, right - area.left, bottom - area.top, buffer.dc(), area.left, area.top, SRCCOPY);
        }
        LeaveCriticalSection(&st.lock);
    }
    // A right click ends the scene as a click does: the window stays for the next one. (Alt+F4 is
    // the program's close, as on every window the game puts up.)
    void closeGesture() override { LiveClashWindow::endScene(); }
    // The main window ends the program: a quit from here would end whatever loop runs now.
    void destroying() override { LiveClashWindow::removeWindowShape(handle()); }

    int OnMessage(MessageRecord& msg) override
    {
        SceneState& st = sceneState();
        switch (msg.message) {
        case WM_LBUTTONDOWN:
            LiveClashWindow::endScene();
            return 1;
        case ui_message::kSceneDestroy:
            DestroyWindow(handle());
            return 1;
        case ui_message::kSceneStartClock:
            st.frame = 0;
            st.lastFrame = -1;
            if (m_side == 1)
                st.startTime = UINT32_MAX;
            return 1;
        case ui_message::kSceneEnd:
            // The main window is left as it is: a window the person opened over it may hold it
            // disabled, and the battle host gives it back enabled when the host ends.
            ShowWindow(handle(), SW_HIDE);
            if (m_side == 1) {
                // Only a scene still running hands back: a second click or the thread's repeated
                // ending finds it reset already.
                const bool playing = st.frame >= 0;
                LiveClashWindow::resetScene();
                if (playing && st.mainWindow)
                    PostMessageA(st.mainWindow, ui_message::kBattleSceneFinished, 0, 0);
            }
            return 1;
        default:
            return KitWindow::OnMessage(msg);
        }
    }

private:
    int m_side;
};

bool registerClass(HINSTANCE instance, int side)
{
    WNDCLASSEXA wc {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(32517));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = HBRUSH(GetStockObject(HOLLOW_BRUSH));
    wc.lpszClassName = className(side).c_str();
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The side's window, owned by the given one, with its object bound (deleted with the window).
HWND makeSceneWindow(HINSTANCE instance, int side, HWND owner)
{
    HWND window = CreateWindowExA(0, className(side).c_str(), className(side).c_str(), WS_POPUP, 0, 0, kNarrowWidth,
        kSceneHeight, owner, nullptr, instance, nullptr);
    if (window)
        (new SceneWindow(side))->windowAttach(window);
    return window;
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
        st.windows[0] = makeSceneWindow(instance, 1, main_window);
        st.windows[1] = st.windows[0] ? makeSceneWindow(instance, 0, st.windows[0]) : nullptr;
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
    ui::showGameWindow(sideWindow(1), SW_RESTORE);
    ui::showGameWindow(sideWindow(0), SW_RESTORE);
    return true;
}
