// The disband question, one wording for every road that disbands.
#include "ui/disband_question.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"
#include "ui/window_services.h"

#include <string>

bool confirmDisband(swCWindow* owner, const GameState& game, int country, int index)
{
    const UnitRecord* unit = game.unitOf(country, index);
    if (!unit)
        return false;
    const char* question = game.liveUnitCount(country) == 1 ? "部隊を解散します。\n最後の部隊ですがよろしいですか？"
        : (unit->watchBits & (kWatchCounted | kWatchTransported)) ? "部隊を解散します。\n勝敗条件が設定されていますがよろしいですか？"
                                                                  : "部隊を解散します。\nよろしいですか？";
    const std::string text = platform::utf8ToCp932(question);
    // No is the default: Enter alone must not disband.
    return modalMessageBox(owner, text.c_str(), platform::utf8ToCp932("解散確認").c_str(), MB_YESNO | MB_DEFBUTTON2) == IDYES;
}
