// The game's folders see no window: no file of state/, rules/ or ai/ includes a window, GDI or
// picture header, or anything of the folders above them, directly or through another header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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

// The project's includes of each file read so far ("x/y.h" against the source root), read once.
class IncludeGraph {
public:
    explicit IncludeGraph(fs::path root)
        : m_root(std::move(root))
    {
    }

    // The first window header the file reaches, as the chain "file -> header -> ... -> window
    // header"; empty when it reaches none. Each header's answer is kept for the files after it.
    std::string windowChain(const std::string& file)
    {
        if (auto known = m_chains.find(file); known != m_chains.end())
            return known->second;
        m_chains[file] = ""; // a cycle ends here
        std::string chain;
        for (const std::string& include : includes(file)) {
            if (isWindowHeader(include))
                chain = include;
            else if (fs::exists(m_root / include))
                chain = windowChain(include);
            if (!chain.empty())
                break;
        }
        return m_chains[file] = chain.empty() ? chain : file + " -> " + chain;
    }

private:
    std::vector<std::string> includes(const std::string& file) const
    {
        static const std::regex includeLine(R"re(^\s*#\s*include\s*"([^"]+)")re");
        std::vector<std::string> found;
        std::ifstream in(m_root / file);
        std::smatch match;
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, match, includeLine))
                found.push_back(match[1].str());
        return found;
    }

    fs::path m_root;
    std::map<std::string, std::string> m_chains;
};

} // namespace

TEST(IncludeGraph, GameFoldersIncludeNoWindowOrPictureHeader)
{
    const fs::path root = DERAZODO_SOURCE_DIR;
    ASSERT_TRUE(isWindowHeader("lib/media/bitmap.h") && isWindowHeader("ui/presentation.h"));
    ASSERT_FALSE(isWindowHeader("lib/file.h") || isWindowHeader("state/game_state.h"));
    IncludeGraph graph(root);
    // The one header of the Windows-style API reaches the window areas.
    ASSERT_EQ(graph.windowChain("platform/windows.h").rfind("platform/windows.h -> platform/gdi/", 0), 0u);
    for (const char* folder : { "state", "rules", "ai" }) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".h" && extension != ".cpp")
                continue;
            const std::string chain = graph.windowChain(fs::relative(entry.path(), root).generic_string());
            if (!chain.empty())
                ADD_FAILURE() << chain;
        }
    }
}
