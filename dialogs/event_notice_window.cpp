// EventNoticeWindow: the texts of the event kinds, drawn once on "event_s.bmp", and the close timer.
#include "dialogs/event_notice_window.h"

#include "dialogs/game_records.h"
#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/dialog_templates.h"
#include "ui/presentation.h"

#include <array>
#include <cstring>

namespace {

// Kinds 0..16: the first line; every kind but 13 and 14 names the unit on the second.
constexpr std::array<const char*, 17> kFirstLines {
    "燃料切れで墜落しました。",
    "増援部隊が到着しました。",
    "民間人を目標地点に輸送しました。",
    "民間人を目標地点に輸送しました。",
    "避難目標地点に到着しました。",
    "誤射が発生しました。",
    "敵部隊に遭遇しました。",
    "敵部隊の迎撃に遇いました。",
    "輸送目標地点に到着しました。",
    "オート移動で移動できませんでした。",
    "オート追尾目標部隊を見失いました。",
    "地雷を除去しました。",
    "機雷を除去しました。",
    "%s陣営が",
    "%s陣営のミサイルが",
    "地雷原に進入しました。",
    "機雷原に進入しました。",
};

using game_records::field;

std::string countryName(const GameState& game, int country)
{
    return country >= 0 && country < kCountryCount ? field(game.country(country).name) : std::string();
}

const UnitRecord* noticeUnit(const GameState& game, int side, int index)
{
    const UnitRecord* unit = game.unitOf(side, index);
    return unit && unitExists(*unit) ? unit : nullptr;
}

// The pattern is UTF-8 with one "%s"; the name is CP932 already.
std::string withName(const char* utf8Pattern, const std::string& name)
{
    std::string pattern = platform::utf8ToCp932(utf8Pattern);
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.replace(at, 2, name);
}

} // namespace

EventNoticeWindow::EventNoticeWindow(const WindowContext& context, swCWindow* owner, int kind, int a, int b)
    : AnnouncementWindow(dialog_template::kEventNotice, owner)
    , m_game(context.game)
    , m_look(context.look)
    , m_kind(kind)
    , m_a(a)
    , m_b(b)
{
}

std::pair<std::string, std::string> EventNoticeWindow::lines(const GameState& game, int kind, int a, int b)
{
    if (kind < 0 || kind >= int(kFirstLines.size()))
        return {};
    if (namesCountries(kind)) {
        const char* second = kind == 13 ? "%s陣営領に進入しました。" : "%s陣営領に着弾しました。";
        return { withName(kFirstLines[size_t(kind)], countryName(game, a)), withName(second, countryName(game, b)) };
    }
    const UnitRecord* unit = noticeUnit(game, a, b);
    return { platform::utf8ToCp932(kFirstLines[size_t(kind)]), unit ? field(unit->name) : std::string() };
}

int EventNoticeWindow::OnInitDialog()
{
    placeCentred(kWidth, kHeight);
    m_canvas.load(m_look, "event_s.bmp", { 0, 0, kWidth, kHeight });
    drawNotice();
    SetTimer(handle(), kCloseTimer, kCloseAfterMs, nullptr);
    return 1;
}

void EventNoticeWindow::drawNotice()
{
    HFONT font = m_look.font(kSmallFont).handle();
    const COLORREF white = RGB(255, 255, 255);
    const UINT line = DT_LEFT | DT_SINGLELINE;
    auto [first, second] = lines(m_game, m_kind, m_a, m_b);
    if (namesCountries(m_kind)) {
        m_canvas.text({ 12, 14, 272, 28 }, first, white, font, line);
        m_canvas.text({ 12, 29, 272, 43 }, second, white, font, line);
        return;
    }
    if (const UnitRecord* unit = noticeUnit(m_game, m_a, m_b))
        m_canvas.draw([&](HDC dc) { m_look.drawUnitIcon(dc, 12, 12, m_a, unit->unitTypeId, 0); });
    if (first.empty())
        return;
    const int left = m_kind <= 1 ? 48 : 46;
    const int right = m_kind == 0 ? 216 : m_kind == 1 ? 258 : 286;
    m_canvas.text({ left, 14, right, 28 }, first, white, font, line);
    m_canvas.text({ left, 29, 272, 43 }, second, white, font, line);
}

bool EventNoticeWindow::timerFired(UINT_PTR id)
{
    if (id != kCloseTimer)
        return false;
    closeWith(1);
    return true;
}

void EventNoticeWindow::destroying() { KillTimer(handle(), kCloseTimer); }
