// The game's folders see no window: no file of state/, rules/ or ai/ includes a window, GDI or
// picture header, or anything of the folders above them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The windows' side of the tree, by path prefix.
constexpr const char* kWindowHeaders[] = {
    "lib/font.h", "lib/media/", "lib/window", "lib/frame_window.h", "lib/handle_window.h", "lib/dialog", "lib/control.h",
    "lib/edit", "lib/fixed_text.h", "lib/list_view.h", "lib/menu_helpers.h", "lib/tooltip.h",
    "platform/gdi/", "platform/user/", "platform/controls/", "platform/commdlg/", "platform/media/", "ui/", "infowin/",
    "dialogs/", "editors/", "battle/", "app/",
};

bool isWindowHeader(const std::string& include)
{
    for (const char* prefix : kWindowHeaders)
        if (include.rfind(prefix, 0) == 0)
            return true;
    return false;
}

// "file: header" for each window header the folder's sources include.
std::vector<std::string> windowIncludes(const fs::path& root, const char* folder)
{
    static const std::regex includeLine(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp")
            continue;
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, match, includeLine) && isWindowHeader(match[1]))
                found.push_back(fs::relative(entry.path(), root).string() + ": " + match[1].str());
    }
    return found;
}

} // namespace

TEST(IncludeGraph, GameFoldersIncludeNoWindowOrPictureHeader)
{
    const fs::path root = DERAZODO_SOURCE_DIR;
    ASSERT_TRUE(isWindowHeader("lib/media/bitmap.h") && isWindowHeader("ui/presentation.h"));
    ASSERT_FALSE(isWindowHeader("lib/file.h") || isWindowHeader("state/game_state.h"));
    for (const char* folder : { "state", "rules", "ai" }) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
        for (const std::string& include : windowIncludes(root, folder))
            ADD_FAILURE() << include;
    }
}
