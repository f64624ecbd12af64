// The sdl backend: a desktop thread owns SDL video and events, shows the virtual screen in one
// resizable window scaled to fit, and turns SDL input into desktop input events.
#include "platform/desktop/backend.h"
#include "platform/desktop/compositor.h"
#include "platform/desktop/sdl_display.h"
#include "platform/desktop/sdl_keymap.h"
#include "platform/desktop/viewport.h"
#include "platform/kernel/host.h"

#include <SDL2/SDL.h>

#include <atomic>
#include <chrono>
#include <future>
#include <set>
#include <thread>

namespace platform::desktop {

namespace {

constexpr Uint32 frameMs = 16;

InputEvent::Button buttonFromSdl(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return InputEvent::Button::Left;
    case SDL_BUTTON_RIGHT:
        return InputEvent::Button::Right;
    case SDL_BUTTON_MIDDLE:
        return InputEvent::Button::Middle;
    default:
        return InputEvent::Button::None;
    }
}

class SdlBackend final : public Backend {
public:
    // Once the display is gone nobody sees the screen, nor answers a message box.
    bool isHeadless() const override { return m_displayLost; }

    bool start(BackendHost& host) override
    {
        m_host = &host;
        std::promise<bool> opened;
        std::future<bool> result = opened.get_future();
        m_thread = std::thread([this, &opened] { run(opened); });
        if (result.get())
            return true;
        m_thread.join();
        return false;
    }

    void stop() override
    {
        m_stop = true;
        // A display library that ends the program from inside a call of this thread runs the exit
        // handlers here: the thread cannot wait for itself.
        if (m_thread.get_id() == std::this_thread::get_id())
            m_thread.detach();
        if (m_thread.joinable())
            m_thread.join();
    }

    void minimizeHost() override { m_minimizeAsked = true; }

private:
    bool open();
    void close();
    void run(std::promise<bool>& opened);
    void handle(const SDL_Event& event);
    void presentDirty();
    void render();
    void postMouse(InputEvent::Kind kind, int windowX, int windowY, InputEvent::Button button);
    void releaseAllKeys();

    BackendHost* m_host = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_displayLost { false };
    std::atomic<bool> m_minimizeAsked { false };
    bool m_hostMinimized = false;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    SIZE m_screen {};
    POINT m_cursor {};
    std::set<UINT> m_keysDown;
    bool m_needRender = true;
};

bool SdlBackend::open()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
    {
        std::lock_guard lock(platform::hostLibraryMutex());
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            return false;
    }
    m_screen = m_host->compositor().size();
    // The first window fits nine tenths of the display, at most one screen pixel per pixel.
    int width = m_screen.cx, height = m_screen.cy;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        Viewport fit = fitViewport(usable.w * 9 / 10, usable.h * 9 / 10, m_screen);
        if (fit.width > 0 && fit.width < width) {
            width = fit.width;
            height = fit.height;
        }
    }
    m_window = SDL_CreateWindow("derazodo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
        SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (m_window)
        m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (m_window && !m_renderer)
        m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_SOFTWARE);
    if (m_renderer)
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, m_screen.cx, m_screen.cy);
    if (!m_texture) {
        close();
        return false;
    }
    if (!watchDisplayLoss(m_window, m_displayLost))
        debugOutput("desktop: a lost display will end the program at once\n");
    SDL_StartTextInput();
    return true;
}

void SdlBackend::close()
{
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    if (m_renderer)
        SDL_DestroyRenderer(m_renderer);
    if (m_window)
        SDL_DestroyWindow(m_window);
    m_texture = nullptr;
    m_renderer = nullptr;
    m_window = nullptr;
    std::lock_guard lock(platform::hostLibraryMutex());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlBackend::run(std::promise<bool>& opened)
{
    if (!open()) {
        opened.set_value(false);
        return;
    }
    // The whole screen goes up once; after that only what the compositor reports as changed.
    m_host->compositor().invalidateScreen(RECT { 0, 0, m_screen.cx, m_screen.cy });
    opened.set_value(true);
    Uint32 nextFrame = SDL_GetTicks();
    while (!m_stop && !m_displayLost) {
        Uint32 now = SDL_GetTicks();
        int wait = int(nextFrame - now);
        SDL_Event event;
        if (wait > 0 && SDL_WaitEventTimeout(&event, wait))
            handle(event);
        while (SDL_PollEvent(&event))
            handle(event);
        if (m_minimizeAsked.exchange(false))
            SDL_MinimizeWindow(m_window);
        if (int(SDL_GetTicks() - nextFrame) >= 0) {
            nextFrame = SDL_GetTicks() + frameMs;
            presentDirty();
        }
    }
    // Without a display the program ends as when its window is closed. SDL's video is left as it
    // is: each call of it would meet the lost display again.
    if (m_displayLost) {
        InputEvent input;
        input.kind = InputEvent::Kind::DisplayLost;
        m_host->postInput(input);
        return;
    }
    close();
}

void SdlBackend::presentDirty()
{
    Compositor& compositor = m_host->compositor();
    std::vector<RECT> dirty = compositor.compose();
    if (!dirty.empty()) {
        compositor.withScreen([&](const uint32_t* pixels) {
            for (const RECT& r : dirty) {
                SDL_Rect area { r.left, r.top, r.right - r.left, r.bottom - r.top };
                SDL_UpdateTexture(m_texture, &area, pixels + size_t(r.top) * m_screen.cx + r.left, int(m_screen.cx * 4));
            }
        });
        m_needRender = true;
    }
    if (m_needRender)
        render();
}

void SdlBackend::render()
{
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(m_renderer, &outputWidth, &outputHeight);
    Viewport v = fitViewport(outputWidth, outputHeight, m_screen);
    SDL_Rect target { v.x, v.y, v.width, v.height };
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    SDL_RenderClear(m_renderer);
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &target);
    SDL_RenderPresent(m_renderer);
    m_needRender = false;
}

void SdlBackend::postMouse(InputEvent::Kind kind, int windowX, int windowY, InputEvent::Button button)
{
    int width = 0, height = 0;
    SDL_GetWindowSize(m_window, &width, &height);
    InputEvent input;
    input.kind = kind;
    input.screen = windowToScreen(fitViewport(width, height, m_screen), m_screen, windowX, windowY);
    input.button = button;
    m_cursor = input.screen;
    m_host->postInput(input);
}

void SdlBackend::releaseAllKeys()
{
    for (UINT key : m_keysDown) {
        InputEvent input;
        input.kind = InputEvent::Kind::KeyUp;
        input.virtualKey = key;
        m_host->postInput(input);
    }
    m_keysDown.clear();
}

void SdlBackend::handle(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: {
        InputEvent input;
        input.kind = InputEvent::Kind::CloseRequest;
        m_host->postInput(input);
        break;
    }
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST)
            releaseAllKeys(); // keys released while another program had the keyboard
        else
            m_needRender = true;
        if (event.window.event == SDL_WINDOWEVENT_MINIMIZED) {
            m_hostMinimized = true;
        } else if (m_hostMinimized && (event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_MAXIMIZED)) {
            m_hostMinimized = false;
            InputEvent input;
            input.kind = InputEvent::Kind::HostRestored;
            m_host->postInput(input);
        }
        break;
    case SDL_MOUSEMOTION:
        postMouse(InputEvent::Kind::MouseMove, event.motion.x, event.motion.y, InputEvent::Button::None);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        InputEvent::Button button = buttonFromSdl(event.button.button);
        if (button != InputEvent::Button::None)
            postMouse(event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Kind::MouseDown : InputEvent::Kind::MouseUp,
                event.button.x, event.button.y, button);
        break;
    }
    case SDL_MOUSEWHEEL: {
        InputEvent input;
        input.kind = InputEvent::Kind::MouseWheel;
        input.screen = m_cursor;
        input.wheelDelta = (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y) * 120;
        if (input.wheelDelta != 0)
            m_host->postInput(input);
        break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        UINT key = virtualKeyFromSdl(event.key.keysym.sym);
        if (key == 0)
            break;
        InputEvent input;
        input.kind = event.type == SDL_KEYDOWN ? InputEvent::Kind::KeyDown : InputEvent::Kind::KeyUp;
        input.virtualKey = key;
        input.repeat = event.key.repeat != 0;
        if (event.type == SDL_KEYDOWN)
            m_keysDown.insert(key);
        else
            m_keysDown.erase(key);
        m_host->postInput(input);
        break;
    }
    case SDL_TEXTINPUT: {
        InputEvent input;
        input.kind = InputEvent::Kind::Text;
        input.textCp932 = utf8ToCp932(event.text.text);
        if (!input.textCp932.empty())
            m_host->postInput(input);
        break;
    }
    default:
        break;
    }
}

} // namespace

std::unique_ptr<Backend> makeSdlBackend()
{
    return std::make_unique<SdlBackend>();
}

} // namespace platform::desktop
