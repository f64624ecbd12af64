// Damaged and hostile files opened through the program's own commands while a game is played:
// each is refused in one Japanese box naming the file, and the game in memory and every file on
// disk stay as they were. The damaged files are kept in fuzz/corpus/program_paths.
#include "app/menu_ids.h"
#include "rules/game_thread.h"
#include "state/action_history.h"
#include "tests/app/app_test_support.h"
#include "tests/app/main_window_world.h"
#include "tests/lib/permission_checks.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>

namespace {

using main_window_test::World;
namespace harness = platform::harness;
namespace fs = std::filesystem;

using testing_app::cp;

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_world.dismissPopups();
        ASSERT_TRUE(m_world.startGame());
        m_root = fs::path(m_world.folder().host("tkmap")).parent_path();
    }

    // The game as a save writes it: the same bytes are the same game.
    std::string game()
    {
        EXPECT_TRUE(m_world.window().saveGameTo(m_world.gamePath("save/snapshot.wqm")));
        return m_world.folder().read("save/snapshot.wqm");
    }

    // Every regular file under the program folder with its bytes.
    std::map<std::string, std::string> disk() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(m_root))
            if (entry.is_regular_file() && access(entry.path().c_str(), R_OK) == 0)
                files[entry.path()] = bytesOf(entry.path());
        return files;
    }

    // The command refuses the file in one box that names it and says why in Japanese; the game
    // plays on as it was.
    void expectRefused(const std::string& label, const std::string& name, bool (MainWindow::*open)(const std::string&))
    {
        SCOPED_TRACE(label);
        const std::string before = game();
        const auto files = disk();
        harness::clearMessageBoxes();
        const std::string path = m_world.gamePath(name);
        EXPECT_FALSE((m_world.window().*open)(path));
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, cp("注意"));
        EXPECT_NE(boxes[0].text.find(path), std::string::npos) << boxes[0].text;
        const size_t reason = boxes[0].text.find(cp("理由: "));
        ASSERT_NE(reason, std::string::npos) << boxes[0].text;
        // In Japanese: no word of the reader's own English.
        const std::string why = platform::cp932ToUtf8(boxes[0].text.substr(reason));
        EXPECT_TRUE(std::none_of(why.begin(), why.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
            << why;
        EXPECT_TRUE(m_world.state().handshake().playRunning());
        EXPECT_TRUE(disk() == files) << "a file on disk changed";
        EXPECT_TRUE(game() == before) << "the game in memory changed";
    }

    World m_world;
    fs::path m_root;
};

const fs::path kCorpus = fs::path(DERAZODO_SOURCE_DIR) / "fuzz/corpus/program_paths";

TEST(DamagedPictures, MapPicturesThatCannotBeReadAreNamedWhenTheMainWindowOpens)
{
    World world(World::Scene::Off, [](const testing_state::DataFolder& data) {
        const std::string map = data.read("tkbmp/map32.bmp");
        data.write("tkbmp/map32.bmp", map.substr(0, map.size() / 2));
        data.write("tkbmp/unit32.bmp", bytesOf(kCorpus / "save-noise.wqm"));
        // A sound sheet of more pixels than any picture may have.
        std::string huge = bytesOf(kCorpus.parent_path() / "map_sheet/hostile-one-bit-huge.bmp");
        huge.resize(62 + 4096 / 8 * 2040, '\x0F');
        data.write("tkbmp/map48.bmp", huge);
    });
    const auto boxes = harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string text = platform::cp932ToUtf8(boxes[0].text);
    EXPECT_NE(text.find("map32.bmp: ファイルの内容が壊れています。\nunit32.bmp: ファイルの内容が壊れています。\n"
                        "map48.bmp: ファイルが大きすぎます。"),
        std::string::npos)
        << text;
    harness::keepShot("map_pictures_unread.png");
}

TEST_F(DamagedFiles, EachFileOfTheCorpusIsRefusedWithTheGameAndTheDiskUnchanged)
{
    int fed = 0;
    for (const auto& entry : fs::directory_iterator(kCorpus)) {
        const std::string name = entry.path().filename();
        const bool save = name.starts_with("save-");
        if (!save && !name.starts_with("map-") && !name.starts_with("campaign-"))
            continue;
        const std::string target = (save ? "save/" : "tkmap/") + name;
        fs::copy_file(entry.path(), m_world.folder().host(target));
        expectRefused(name, target, save ? &MainWindow::resumeGameFrom : &MainWindow::newGameFrom);
        ++fed;
    }
    EXPECT_GE(fed, 10);
}

TEST_F(DamagedFiles, APipeAFolderAnUnreadableOrAMissingFileIsRefusedWithoutWaiting)
{
    ASSERT_EQ(mkfifo(m_world.folder().host("tkmap/pipe.vtm").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(m_world.folder().host("save/pipe.wqm").c_str(), 0644), 0);
    fs::create_directory(m_world.folder().host("tkmap/folder.vtm"));
    fs::create_directory(m_world.folder().host("save/folder.wqm"));
    fs::copy_file(m_world.folder().host("tkmap/training.vtm"), m_world.folder().host("tkmap/locked.vtm"));
    chmod(m_world.folder().host("tkmap/locked.vtm").c_str(), 0);
    testing_lib::PermissionChecks checks;
    for (const char* name : { "tkmap/pipe.vtm", "tkmap/folder.vtm", "tkmap/locked.vtm", "tkmap/missing.vtm" })
        expectRefused(name, name, &MainWindow::newGameFrom);
    for (const char* name : { "save/pipe.wqm", "save/folder.wqm", "save/missing.wqm" })
        expectRefused(name, name, &MainWindow::resumeGameFrom);
}

TEST_F(DamagedFiles, ASaveWhoseHistoryCannotBeJoinedResumesWithoutItAndSaysSo)
{
    GameState& state = m_world.state();
    state.settings().writeHistory = true;
    ASSERT_TRUE(m_world.window().saveGameTo(m_world.gamePath("save/other.wqm")));
    state.historyLog().append(HistoryRecord {});
    ASSERT_TRUE(m_world.window().saveGameTo(m_world.gamePath("save/h.wqm")));
    std::vector<std::pair<std::string, std::string>> histories { { "another save's", m_world.folder().read("save/other.hqm") } };
    for (const char* name : { "history-noise.hqm", "history-cut.hqm", "history-count-huge.hqm" })
        histories.emplace_back(name, bytesOf(kCorpus / name));
    for (const auto& [label, bytes] : histories) {
        SCOPED_TRACE(label);
        m_world.folder().write("save/h.hqm", bytes);
        harness::clearMessageBoxes();
        ASSERT_TRUE(m_world.window().resumeGameFrom(m_world.gamePath("save/h.wqm")));
        ASSERT_TRUE(m_world.settle());
        const auto boxes = harness::messageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find("h.hqm"), std::string::npos) << boxes[0].text;
        EXPECT_EQ(state.historyLog().count(), 0u);
        EXPECT_EQ(m_world.folder().read("save/h.hqm"), bytes) << "the history is left as it was";
        ASSERT_TRUE(m_world.waitForPersonIn(kPhaseAction));
    }
    // A history the save names and that is not there is told as well.
    m_world.folder().remove("save/h.hqm");
    harness::clearMessageBoxes();
    ASSERT_TRUE(m_world.window().resumeGameFrom(m_world.gamePath("save/h.wqm")));
    ASSERT_TRUE(m_world.settle());
    ASSERT_EQ(harness::messageBoxes().size(), 1u);
    EXPECT_NE(harness::messageBoxes()[0].text.find(cp("h.hqm がないので")), std::string::npos);
}

TEST_F(DamagedFiles, ADoubleByteNameEndingInTheByteOfABackslashIsKeptWhole)
{
    // "ソ" and "表" end in 0x5C: split by bytes, the title would be ".wqm".
    const std::string name = cp("ソ表能.wqm");
    const std::string path = m_world.gamePath("save/ソ表能.wqm");
    ASSERT_EQ(path.substr(path.size() - name.size()), name);
    ASSERT_TRUE(m_world.window().saveGameTo(path));
    char text[256] = {};
    GetWindowTextA(m_world.handle(), text, sizeof text);
    EXPECT_EQ(std::string(text), name);
    harness::clearMessageBoxes();
    ASSERT_TRUE(m_world.window().resumeGameFrom(path));
    ASSERT_TRUE(m_world.settle());
    EXPECT_TRUE(harness::messageBoxes().empty());
    GetWindowTextA(m_world.handle(), text, sizeof text);
    EXPECT_EQ(std::string(text), name);
}

} // namespace
