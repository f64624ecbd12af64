// The event and result columns of a history row.
#include "infowin/action_history_rows.h"

#include "infowin/panel_text.h"
#include "state/action_history.h"
#include "ui/base_bitmaps.h"
#include "state/game_state.h"
#include "state/unit_facts.h"
#include "ui/window_kit.h"
#include "ui/presentation.h"
#include "ui/palette_colours.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace history_rows {
namespace {

constexpr int kIcon = 16;
constexpr int kFirstPartyOffset = 49;
constexpr int kSecondPartyGap = 24;

using ui::cp;

unsigned low(uint32_t value) { return value & 0xFFFF; }
unsigned high(uint32_t value) { return value >> 16; }

// Members before and after an engagement: the actor in the low word, the target in the high one.
unsigned membersBefore(uint32_t value, int slot) { return value >> (slot == 0 ? 8 : 24) & 0xFF; }
unsigned membersAfter(uint32_t value, int slot) { return value >> (slot == 0 ? 0 : 16) & 0xFF; }

template <typename... Args>
std::string format(const char* pattern, Args... values)
{
    char text[96];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// One row's drawing state: where the texts may go and where the row stands.
class Row {
public:
    Row(HDC dc, const Presentation& look, GameState& state, int right, int top, const HistoryRecord& record, int viewer,
        RowTrace* trace)
        : m_dc(dc), m_look(look), m_state(state), m_right(right), m_top(top), m_record(record), m_viewer(viewer), m_trace(trace)
    {
    }

    // The text at x; returns the x after it.
    int text(int x, const std::string& text) const
    {
        if (text.empty())
            return x;
        note(text);
        if (x >= m_right)
            return x;
        RECT box { x, m_top + 3, m_right, m_top + 15 };
        DrawTextA(m_dc, text.c_str(), int(text.size()), &box, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
        SIZE size {};
        GetTextExtentPoint32A(m_dc, text.c_str(), int(text.size()), &size);
        return x + size.cx;
    }

    // A terrain or building type's icon; returns the x after it.
    int terrainIcon(int x, int terrain, bool building) const
    {
        note("[land]");
        m_look.drawLandIcon(m_dc, x, m_top + 1, terrain, building ? terrain : 0, 0, std::min(kIcon, m_right - x));
        return x + kIcon;
    }

    // The target of a missile or a ground attack: a building's type (side 8) or the hex's terrain.
    int targetIcon(int x) const { return terrainIcon(x, m_record.type1, m_record.side1 == 8); }

    // A party's icon and, when asked, its name; returns the x after it.
    int party(int x, int slot, bool withName) const
    {
        const bool known = isHistoryPartyKnown(m_record, slot, m_viewer);
        if (!known) {
            unknownBox(x);
            if (!withName)
                return x + kIcon;
            text(x + 17, "Unknwon");
            return x + 59;
        }
        categoryIcon(x, slot);
        if (!withName)
            return x + kIcon;
        const char* name = slot == 0 ? m_record.unit0 : m_record.unit1;
        // The stored name fills its 34 bytes without a terminator when it is that long.
        const size_t length = strnlen(name, sizeof m_record.unit0);
        text(x + 17, std::string(name, length));
        return x + kIcon + 6 * int(length) + 1;
    }

    // A party's icon and its strength before and after; " ? →  ?" for a party the viewer does not know.
    int strength(int x, int slot) const
    {
        x = party(x, slot, false) + 1;
        if (!isHistoryPartyKnown(m_record, slot, m_viewer))
            return text(x, cp(" ? →  ?"));
        return text(x, format("%2u", membersBefore(m_record.value, slot)) + cp(" → ")
                + format("%2u", membersAfter(m_record.value, slot)));
    }

private:
    void note(const std::string& what) const
    {
        if (m_trace)
            m_trace->push_back(what);
    }

    void unknownBox(int x) const
    {
        note("[unknown]");
        PaletteHolder holder(m_dc);
        holder.fillRectColor(x + 1, m_top + 1 + 1, x + kIcon - 2, m_top + 1 + kIcon - 2, kBlack);
        const COLORREF old = SetTextColor(m_dc, kWhite);
        static const std::string mark = cp("？");
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                TextOutA(m_dc, x + 2 + dx, m_top + 3 + dy, mark.c_str(), int(mark.size()));
        SetTextColor(m_dc, old);
    }

    void categoryIcon(int x, int slot) const
    {
        note("[unit]");
        GameState* state = &m_state;
        const int typeId = slot == 0 ? m_record.type0 : m_record.type1;
        if (typeId <= 0 || typeId >= kUnitTypeIdMapSize || !state->unitTypeIndex(typeId))
            return;
        const swCBitmap* sheet = m_look.baseBitmap(kCategorySheet);
        if (!sheet || !sheet->handle())
            return;
        const int side = (slot == 0 ? m_record.side0 : m_record.side1) & 0x0F;
        const int row = side < 8 ? side + 1 : 0;
        const int column = unitBitmapIndex(*state, state->unitTypeRecord(typeId));
        const int width = std::min(kIcon, m_right - x);
        if (width > 0)
            panel::blitKeyed(m_dc, x, m_top + 1, *sheet,
                RECT { column * kIcon, row * kIcon, column * kIcon + width, (row + 1) * kIcon }, kPictureKey);
    }

    HDC m_dc;
    const Presentation& m_look;
    GameState& m_state;
    int m_right;
    int m_top;
    const HistoryRecord& m_record;
    int m_viewer;
    RowTrace* m_trace;
};

// The event word of a record: done or under way as the record's fields tell.
std::string eventWord(const HistoryRecord& r)
{
    const uint32_t v = r.value;
    switch (r.kind) {
    case 0: return cp("生産完了");
    case 23: return cp("生産開始");
    case 24: return cp("増援登場");
    case 1: return cp(low(v) == r.side1 ? "修復完了" : "修復実行");
    case 27: return cp(low(v) == r.side1 ? "補強完了" : "補強実行");
    case 6: return cp(high(v) != low(v) ? "交換完了" : "交換不可");
    case 9: return cp("設営完了");
    case 10: return cp("架橋完了");
    case 26: return cp("道路施設");
    case 7: return cp(v == 0xFFFFFFFFu ? "合流失敗" : "合流完了");
    case 8: return cp(v == 0xFFFFFFFFu ? "分散失敗" : "分散完了");
    case 2: return cp("変形完了");
    case 4: return cp(v == 1 ? "補給完了" : "補給不可");
    case 5: return cp(r.type1 == 1 ? "補充完了" : "補充実行");
    case 25: return cp(r.type1 == 1 ? "修理完了" : "修理実行");
    case 17: return cp("部隊解散");
    case 13: return cp("妨害開始");
    case 3: return cp(low(v) != 0 ? "占領実行" : "占領完了");
    case 12: return cp(low(v) != 0 ? "破壊実行" : "破壊完了");
    case 14: return cp("戦闘発生");
    case 15:
    case 30: return cp("誤射発生");
    case 28: return cp("地上攻撃");
    case 11: return cp("自爆　　");
    case 19: return cp("ﾐｻｲﾙ発射");
    case 21:
    case 22: return cp("燃料切れ");
    case 29: return cp("地雷除去");
    case 16: return cp("機雷掃海");
    case 20: return cp("地雷作動");
    case 18: return cp("機雷作動");
    case 31: return cp("輸送完了");
    default: return {};
    }
}

std::string targetText(const HistoryRecord& r) { return std::string(r.unit1, strnlen(r.unit1, sizeof r.unit1)); }

} // namespace

int paintEvent(HDC dc, const Presentation& look, GameState& state, int left, int right, int y, const HistoryRecord& r, int viewer, RowTrace* trace)
{
    const Row row(dc, look, state, right, y, r, viewer, trace);
    int x = row.text(left, eventWord(r));
    const int first = left + kFirstPartyOffset;
    // The separator lies in the gap between the parties, not before it.
    auto then = [&](int end, const char* separator) {
        row.text(end, cp(separator));
        return end + kSecondPartyGap;
    };
    switch (r.kind) {
    case 2:
        x = row.party(first, 1, true);
        return row.party(then(x, " → "), 0, true);
    case 14:
    case 15:
        x = row.party(first, 0, true);
        return row.party(then(x, r.seen != 0 ? " → " : " vs "), 1, true);
    case 11:
        x = row.party(first, 0, true);
        return row.party(then(x, " -> "), 1, true);
    case 28:
    case 30:
        x = row.party(first, 0, true);
        x = row.targetIcon(then(x, " vs "));
        return row.text(x + 1, targetText(r));
    case 19:
        x = (r.side0 & 0x0F) >= 8 ? row.terrainIcon(first, r.type0, true) : row.party(first, 0, true);
        x = row.targetIcon(then(x, " → "));
        return row.text(x + 1, targetText(r));
    default:
        return r.kind < kKindCount ? row.party(first, 0, true) : x;
    }
}

int paintResult(HDC dc, const Presentation& look, GameState& state, int left, int right, int y, const HistoryRecord& r, int viewer, RowTrace* trace)
{
    const Row row(dc, look, state, right, y, r, viewer, trace);
    const uint32_t v = r.value;
    const bool failed = v == 0xFFFFFFFFu;
    // The building of a building event: its type in the detail word's low byte.
    const int building = r.type1 & 0xFF;
    switch (r.kind) {
    case 1:
    case 12:
    case 27:
        return row.text(row.terrainIcon(left, building, true) + 1, cp("耐久度 ") + format("%u", high(v)) + cp(" → ") + format("%u", low(v)));
    case 25: return row.text(left, cp("耐久度 ") + format("%u", high(v)) + cp(" → ") + format("%u", low(v)));
    case 3: {
        const int x = row.terrainIcon(left, building, true);
        if (low(v) == 0)
            return row.terrainIcon(row.text(x, cp(" → ")), building, true);
        return row.text(x, format(" %u", high(v)) + cp(" → ") + format("%u", low(v)));
    }
    case 4: return v == 0 ? row.text(left, cp("軍資金不足")) : left;
    case 5: return row.text(left, cp("機数 ") + format("%u", high(v)) + cp(" → ") + format("%u", low(v)));
    case 6: return row.text(left, format("PACK%u", high(v) + 1) + cp(" → ") + format("PACK%u", low(v) + 1));
    case 7:
    case 8:
        if (failed)
            return left;
        return row.text(left, cp(r.kind == 7 ? "合流後機数 " : "分散後機数 ") + format("%u  ", low(v))
                + cp(r.kind == 7 ? "合流元残機数 " : "分散元残機数 ") + format("%u", high(v)));
    case 14:
    case 15:
    case 11:
        return row.strength(row.strength(left, 0) + 8, 1);
    case 28:
    case 30:
        return row.targetIcon(row.strength(left, 0) + 8);
    case 19: return row.text(left, cp("残ミサイル数 ") + format("%u", unsigned(v)));
    case 20:
    case 18: {
        const int x = row.party(left, 0, false) + 1;
        return row.text(x, format("%2u", low(v)) + cp(" → ") + format("%2u", high(v)));
    }
    case 21: return row.text(left, cp("墜落"));
    case 22: return row.text(left, cp("燃料残 0"));
    case 29: return row.text(left, cp(r.side1 != 0 ? "除去完了" : "未確認"));
    case 16: return row.text(left, cp(r.side1 != 0 ? "掃海完了" : "未確認"));
    case 26:
        return row.text(left, format("%3u,%3u", low(v), high(v)) + cp(" → ") + format("%3u,%3u", unsigned(r.x), unsigned(r.y)));
    case 31: {
        const int x = row.party(left, 1, true);
        return row.text(x + 4, isHistoryPartyKnown(r, 1, viewer) ? format("%2u", unsigned(v)) : std::string(" ?"));
    }
    default: return left;
    }
}

} // namespace history_rows
