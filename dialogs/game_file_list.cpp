// The selection dialog's file listing.
#include "dialogs/game_file_list.h"

#include "platform/kernel/host.h"
#include "platform/windows.h"
#include "state/game_state.h"
#include "state/turn_block.h"

#include <algorithm>
#include <cstring>

namespace {

// The saved-game kind of a category: maps 0, scenarios 2, campaigns 1.
int savedGameKind(uint32_t category)
{
    switch (category) {
    case kCategoryScenario: return 2;
    case kCategoryCampaign: return 1;
    default: return 0;
    }
}

} // namespace

std::string gameFilePattern(const GameListMode& mode, const GameState& state)
{
    if (mode.resume) {
        if (mode.networkGame == 1)
            return "*.p2n";
        if (mode.matchKind == 1)
            return "*.mvs";
        // Simple mode once saved its games as maps: those are listed with its scenario saves.
        if (state.isSimpleMode())
            return std::string("*.") + state.fileExtension(kGameKindScenario) + ";*." + state.fileExtension(kGameKindMap);
        return std::string("*.") + state.fileExtension(savedGameKind(mode.category));
    }
    if (state.isSimpleMode())
        return "*.smp";
    switch (mode.category) {
    case kCategoryMap: return "*.vtm";
    case kCategoryCampaign: return "*.vtc";
    default: return "*.vts";
    }
}

std::string folderWithSeparator(const std::string& folder)
{
    // By characters: the second byte of a double-byte character may have the separator's value.
    bool endsWithSeparator = false;
    for (size_t i = 0; i < folder.size(); ++i) {
        endsWithSeparator = folder[i] == '\\';
        if (platform::isCp932LeadByte(uint8_t(folder[i])))
            ++i;
    }
    return endsWithSeparator ? folder : folder + "\\";
}

std::vector<std::string> listGameFiles(const std::string& folder, const std::string& patterns)
{
    std::vector<std::string> names;
    for (size_t start = 0; start <= patterns.size();) {
        const size_t end = std::min(patterns.find(';', start), patterns.size());
        const std::string pattern = patterns.substr(start, end - start);
        start = end + 1;
        WIN32_FIND_DATAA found {};
        HANDLE find = FindFirstFileA((folderWithSeparator(folder) + pattern).c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do
            names.emplace_back(found.cFileName, strnlen(found.cFileName, sizeof found.cFileName));
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    std::stable_sort(names.begin(), names.end(),
        [](const std::string& a, const std::string& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
    return names;
}
