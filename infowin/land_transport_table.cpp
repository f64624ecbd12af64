// The fixed transport table and its marks.
#include "infowin/land_transport_table.h"

#include "platform/kernel/host.h"
#include "state/game_state.h"

namespace land_transport {
namespace {

// One row per terrain index, one digit per transport kind.
constexpr const char* kCodes[kTerrainCount] = {
    "22222222222", "21112222212", "22112222222", "22112222222", "22112222222", "22112222222", "21112222212",
    "21112222212", "22112222222", "22112222222", "22112222222", "22222222222", "22222222222", "22112222212",
    "22112222212", "22222222222", "22222222222", "21112222212", "22112222222", "22112222222", "22112222222",
    "22112222222", "22112222222", "22222222222", "22222222222", "22112222212", "22112222212", "22112222212",
    "22111121112", "22221121222", "22221121222", "21112222212", "21112222212", "21112222222", "21112222222",
    "11112222222", "11112222222", "22112222212", "22112222222", "22111111111", "22111111111", "22112222222",
    "22112222212", "21112222222", "22112222222", "22112222222", "22112222222", "22112222222", "22112222222",
    "22111121212", "22112222222", "21112222222", "21112222212", "22112222222",
};

constexpr int kFirstBuildingKind = 12;
// Rule 26 opens a building's transport service to everyone.

} // namespace

int code(int terrain, int kind)
{
    if (terrain < 0 || terrain >= kTerrainCount || kind < 0 || kind >= kKindCount)
        return 0;
    return kCodes[terrain][kind] - '0';
}

std::string mark(int code, int terrainKind, bool boardingOwnership)
{
    switch (code) {
    case 9: return {};
    case 0: return platform::utf8ToCp932("－");
    case 1:
        if (terrainKind < kFirstBuildingKind)
            return platform::utf8ToCp932("○");
        return platform::utf8ToCp932(boardingOwnership ? "全" : "味");
    default: return platform::utf8ToCp932("×");
    }
}

} // namespace land_transport
