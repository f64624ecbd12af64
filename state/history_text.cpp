// The text form of a history record: one CP932 line per record, seen from the viewing country.
#include "state/action_history.h"

#include "platform/kernel/host.h"
#include "state/name_tables.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Words and fixed texts, converted to CP932 once.
struct HistoryTexts {
    std::array<std::string, 32> done;
    std::array<std::string, 32> other;
    std::string arrow, civilian, noFunds, swept, cleared, unconfirmed, crash, fuelEmpty;

    HistoryTexts()
    {
        static const char* const words[32][2] = {
            { "生産完了,", nullptr }, { "修復完了,", "修復実行," }, { "変形完了,", nullptr },
            { "占領完了,", "占領実行," }, { "補給完了,", "補給不可," }, { "補充完了,", "補充実行," },
            { "交換完了,", "交換不可," }, { "合流完了,", "合流失敗," }, { "分散完了,", "分散失敗," },
            { "設営完了,", nullptr }, { "架橋完了,", nullptr }, { "自爆　　,", nullptr },
            { "破壊完了,", "破壊実行," }, { "妨害開始,", nullptr }, { "戦闘発生,", nullptr },
            { "誤射発生,", nullptr }, { "機雷掃海,", nullptr }, { "部隊解散,", nullptr },
            { "機雷作動,", nullptr }, { "ﾐｻｲﾙ発射,", nullptr }, { "地雷作動,", nullptr },
            { "燃料切れ,", nullptr }, { "燃料切れ,", nullptr }, { "生産開始,", nullptr },
            { "増援登場,", nullptr }, { "修理完了,", "修理実行," }, { "道路施設,", nullptr },
            { "補強完了,", "補強実行," }, { "地上攻撃,", nullptr }, { "地雷除去,", nullptr },
            { "誤射発生,", nullptr }, { "輸送完了,", nullptr },
        };
        for (size_t i = 0; i < 32; ++i) {
            done[i] = platform::utf8ToCp932(words[i][0]);
            other[i] = words[i][1] ? platform::utf8ToCp932(words[i][1]) : done[i];
        }
        arrow = platform::utf8ToCp932(" → ");
        civilian = platform::utf8ToCp932("[民]");
        noFunds = platform::utf8ToCp932("軍資金不足");
        swept = platform::utf8ToCp932("掃海完了");
        cleared = platform::utf8ToCp932("除去完了");
        unconfirmed = platform::utf8ToCp932("未確認");
        crash = platform::utf8ToCp932("墜落");
        fuelEmpty = platform::utf8ToCp932("燃料残 0");
    }
};

const HistoryTexts& texts()
{
    static const HistoryTexts instance;
    return instance;
}

// printf into the end of out; the formats here are short.
__attribute__((format(printf, 2, 3))) void appendf(std::string& out, const char* format, ...)
{
    char buffer[128];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (n > 0)
        out.append(buffer, std::min<size_t>(size_t(n), sizeof(buffer) - 1));
}

// "%d → %d" with the CP932 arrow; width 2 or none.
void appendChange(std::string& out, unsigned before, unsigned after, bool two_wide)
{
    if (two_wide)
        appendf(out, "%2u", before);
    else
        appendf(out, "%u", before);
    out += texts().arrow;
    if (two_wide)
        appendf(out, "%2u", after);
    else
        appendf(out, "%u", after);
}

unsigned low(uint32_t value) { return value & 0xFFFF; }
unsigned high(uint32_t value) { return value >> 16; }

std::string cp932(const char* utf8) { return platform::utf8ToCp932(utf8); }

} // namespace

bool isHistoryPartyKnown(const HistoryRecord& record, int slot, int viewer)
{
    const uint8_t seen = slot == 0 ? record.seen0 : record.seen1;
    const int side = (slot == 0 ? record.side0 : record.side1) & 0x7F;
    return viewer < 0 || side == viewer || (viewer < 8 && (seen >> viewer & 1));
}

void ActionHistoryLog::partyText(const HistoryRecord& record, int slot, std::string& out) const
{
    out.clear();
    const int side = (slot == 0 ? record.side0 : record.side1) & 0x7F;
    if (!isHistoryPartyKnown(record, slot, m_world ? m_world->viewingCountry() : -1)) {
        out = "Unknwon";
        return;
    }
    if (side == 8) {
        out = texts().civilian;
    } else {
        // A side past the countries (a damaged file's) has no colour.
        const char* colour = playerColourName(side);
        appendf(out, "[%c]", colour && colour[0] ? colour[0] : '?');
    }
    // The copy is not terminated when the name fills all 34 bytes.
    const char* name = slot == 0 ? record.unit0 : record.unit1;
    out.append(name, strnlen(name, sizeof(record.unit0)));
}

void ActionHistoryLog::placeText(const HistoryRecord&, int terrain_type, int, std::string& out) const
{
    out = m_world ? m_world->terrainName(terrain_type) : std::string();
}

void ActionHistoryLog::writeText(const HistoryRecord& record, std::string& out) const
{
    const HistoryTexts& t = texts();
    int kind = record.kind & 0xFF;
    out.clear();
    appendf(out, "%03u,%03u.%03u,", unsigned(record.turn), unsigned(record.x), unsigned(record.y));

    std::string p0, p1, place;
    partyText(record, 0, p0);
    partyText(record, 1, p1);
    uint32_t value = record.value;
    // An unknown party's strength is not told, as the history window shows " ? →  ?".
    const int viewer = m_world ? m_world->viewingCountry() : -1;
    auto partyChange = [&](int slot, unsigned before, unsigned after) {
        if (isHistoryPartyKnown(record, slot, viewer))
            appendChange(out, before, after, true);
        else
            out += " ?" + t.arrow + " ?";
    };
    bool done = true;
    switch (kind) {
    case 1:
    case 27: done = record.side1 == low(value); break;
    case 3:
    case 12: done = low(value) == 0; break;
    case 4: done = value == 1; break;
    case 5:
    case 25: done = record.type1 == 1; break;
    case 6: done = low(value) != high(value); break;
    case 7:
    case 8: done = value != 0xFFFFFFFFu; break;
    default: break;
    }
    if (kind < 32)
        out += done ? t.done[size_t(kind)] : t.other[size_t(kind)];

    switch (kind) {
    case 2: out += p0 + t.arrow + p0; break;
    case 11: out += p0 + " -> " + p1; break;
    case 14:
    case 15: out += p0 + (record.seen ? t.arrow : std::string(" vs ")) + p1; break;
    case 19:
        if (record.side0 == 8)
            placeText(record, record.type0, 0, p0);
        placeText(record, record.type1, 0, place);
        out += p0 + t.arrow + place;
        break;
    case 28:
    case 30:
        placeText(record, record.type1, 0, place);
        out += p0 + t.arrow + place;
        break;
    default: out += p0; break;
    }
    out += ',';

    switch (kind) {
    case 1:
    case 12:
    case 27:
        placeText(record, record.type1 & 0xFF, record.type1 >> 8, place);
        out += place + cp932("耐久度 ");
        appendChange(out, high(value), low(value), false);
        break;
    case 3:
        placeText(record, record.type1 & 0xFF, record.type1 >> 8, place);
        out += place;
        if (done) {
            out += t.arrow + place;
        } else {
            out += ' ';
            appendChange(out, high(value), low(value), false);
        }
        break;
    case 4:
        if (!done)
            out += t.noFunds;
        break;
    case 5:
        out += cp932("機数 ");
        appendChange(out, high(value), low(value), false);
        break;
    case 6:
        if (done) {
            appendf(out, "PACK%u", high(value) + 1);
            out += t.arrow;
            appendf(out, "PACK%u", low(value) + 1);
        }
        break;
    case 7:
    case 8:
        if (done) {
            out += cp932(kind == 7 ? "合流後機数 " : "分散後機数 ");
            appendf(out, "%u  ", low(value));
            out += cp932(kind == 7 ? "合流元残機数 " : "分散元残機数 ");
            appendf(out, "%u", high(value));
        }
        break;
    case 11:
    case 14:
    case 15:
        if (kind == 11 || !record.seen) {
            out += p0;
            partyChange(0, value >> 8 & 0xFF, value & 0xFF);
            out += "  ";
        }
        out += p1;
        partyChange(1, value >> 24 & 0xFF, value >> 16 & 0xFF);
        break;
    case 16: out += record.side1 ? t.swept : t.unconfirmed; break;
    case 29: out += record.side1 ? t.cleared : t.unconfirmed; break;
    case 18:
    case 20: appendChange(out, low(value), high(value), true); break;
    case 19: out += cp932("残ミサイル数 "); appendf(out, "%u", unsigned(value)); break;
    case 21: out += t.crash; break;
    case 22: out += t.fuelEmpty; break;
    case 25:
        out += cp932("耐久度 ");
        appendChange(out, high(value), low(value), false);
        break;
    case 26:
        appendf(out, "%3u.%3u", low(value), high(value));
        out += t.arrow;
        appendf(out, "%3u.%3u", unsigned(record.x), unsigned(record.y));
        break;
    case 28:
    case 30:
        out += p0 + ' ';
        partyChange(0, value >> 8 & 0xFF, value & 0xFF);
        out += "  Unknwon?" + t.arrow + "?";
        break;
    case 31:
        out += p1;
        appendf(out, "%2u", unsigned(value));
        break;
    default: break;
    }
}
