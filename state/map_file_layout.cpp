// The four magics of map and scenario files.
#include "state/map_file_layout.h"

#include <cstring>

namespace {
const char* const kMagics[4] = {"ZAFRONSCENO00001", "ZAFRONSCENO00002", "ZAFRONSCENO00003", "ZAFRONSCENO00004"};
}

int scenarioFileVersion(const char* magic)
{
    for (int v = 0; v < 4; ++v)
        if (std::memcmp(magic, kMagics[v], kScenarioMagicSize) == 0)
            return v + 1;
    return -1;
}

const char* scenarioMagic(int version)
{
    return version >= 1 && version <= 4 ? kMagics[version - 1] : nullptr;
}
