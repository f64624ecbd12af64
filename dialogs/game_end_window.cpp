// GameEndWindow: the kind's picture and words, the eight-second timer and the wait for the jingle.
#include "dialogs/game_end_window.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/dialog_templates.h"
#include "ui/main_window_services.h"
#include "ui/private_messages.h"
#include "ui/presentation.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<const char*, 8> kKindTexts {
    "の首都が制圧されました。",
    "の部隊が全滅しました。",
    "が勝利条件を達成しました。",
    "が降伏しました。",
    "の司令部が制圧されました。",
    "は勝利条件を達成できません。",
    "は全ての重要拠点を制圧されました。",
    "は全ての重要部隊を撃破されました。",
};

} // namespace

GameEndWindow::GameEndWindow(const WindowContext& context, swCWindow* owner, int country, int kind)
    : AnnouncementWindow(dialog_template::kPopup, owner)
    , m_game(context.game)
    , m_look(context.look)
    , m_main(context.main)
    , m_country(country)
    , m_kind(kind)
{
}

std::string GameEndWindow::kindText(int kind)
{
    return kind >= 0 && kind < int(kKindTexts.size()) ? platform::utf8ToCp932(kKindTexts[size_t(kind)]) : std::string();
}

int GameEndWindow::bandTop(int kind) { return kind >= 0 && kind <= 3 ? kind * kHeight : 4 * kHeight; }

int GameEndWindow::OnInitDialog()
{
    const int top = bandTop(m_kind);
    m_canvas.load(m_look, "end_s.bmp", { 0, top, kWidth, top + kHeight });
    const GameState& state = m_game;
    HFONT font = m_look.font(kFont14Bold).handle();
    if (m_country >= 0 && m_country < kCountryCount) {
        const char* name = state.country(m_country).name;
        m_canvas.text({ 12, 219, 268, 235 }, std::string(name, strnlen(name, sizeof state.country(0).name)),
            RGB(255, 255, 255), font, DT_LEFT | DT_SINGLELINE);
    }
    m_canvas.text({ 12, 241, 300, 257 }, kindText(m_kind), RGB(255, 255, 255), font, DT_LEFT | DT_SINGLELINE);
    placeCentred(kWidth, kHeight);
    if (HWND main = m_main.mainWindow())
        PostMessageA(main, ui_message::kGameEndShown, WPARAM(m_country), LPARAM(m_kind));
    SetTimer(handle(), kShowTimer, kShowMs, nullptr);
    return 1;
}

bool GameEndWindow::timerFired(UINT_PTR id)
{
    if (id == kShowTimer) {
        KillTimer(handle(), kShowTimer);
        SetTimer(handle(), kSoundTimer, kSoundPollMs, nullptr);
        return true;
    }
    if (id != kSoundTimer)
        return false;
    // The jingle plays to its end; the window goes with it.
    if (!m_main.isSoundPlaying(kJingleSlot)) {
        KillTimer(handle(), kSoundTimer);
        closeWith(1);
    }
    return true;
}

void GameEndWindow::destroying()
{
    KillTimer(handle(), kShowTimer);
    KillTimer(handle(), kSoundTimer);
}
