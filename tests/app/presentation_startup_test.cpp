// The presentation's start-up after the game's: fonts, colours, pictures and the sheets built from
// them; an unreadable colour table is told once, and the pictures that cannot be read are named
// together in one box while start-up goes on.
#include "lib/application.h"
#include "lib/media/picture_services.h"
#include "state/game_state.h"
#include "ui/presentation.h"

#include "tests/state/state_test_support.h"
#include "tests/state/unreadable_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>


namespace {

// Records what start-up asks of the folders above.
class FakeLookServices : public PresentationServices {
public:
    FakeLookServices() { setPresentationServices(this); }
    ~FakeLookServices() override { setPresentationServices(nullptr); }
    std::unique_ptr<swCBitmap> buildSmallBuildingSheets(const Presentation&) override { return ++sheets, nullptr; }
    std::unique_ptr<swCBitmap> buildUnitSheet(const Presentation& look) override
    {
        // The sheet is built after the pictures before it were loaded.
        categoryLoadedFirst = look.baseBitmap(kCategorySheet) != nullptr;
        return ++sheets, nullptr;
    }
    FileFault loadStartArrowBitmap() override { return ++arrows, FileFault::None; }
    void freeStartArrowBitmap() override { --arrows; }

    int sheets = 0;
    int arrows = 0;
    bool categoryLoadedFirst = false;
};

// The boxes the presentation's start-up shows with the damage in place.
template <class Damage>
std::vector<platform::harness::MessageBoxRecord> boxesOfStartUpWith(Damage damage)
{
    testing_state::DataFolder folder;
    makeNamedValue("SimpleMode").profileWriteInt(0);
    GameState state;
    state.startUp();
    Presentation look(state);
    {
        [[maybe_unused]] auto held = damage(folder);
        look.startUp();
    }
    return platform::harness::messageBoxes();
}

std::string text(const std::vector<platform::harness::MessageBoxRecord>& boxes)
{
    return boxes.empty() ? std::string() : platform::cp932ToUtf8(boxes[0].text);
}

} // namespace

TEST(PresentationStartUp, HoldsFontsColoursPicturesAndSheetsUntilShutDown)
{
    testing_state::DataFolder folder;
    FakeLookServices services;
    makeNamedValue("SimpleMode").profileWriteInt(0);
    GameState state;
    state.startUp();
    PictureServices* installed = nullptr;
    {
        Presentation look(state);
        look.startUp();
        ASSERT_NE(look.customColors(), nullptr);
        EXPECT_EQ(look.customColors()->entry(4), CustomColorTable::defaultEntry(4));
        for (int i = 0; i < kFontCount; ++i)
            EXPECT_NE(look.font(i).handle(), nullptr) << i;
        EXPECT_EQ(pictureServices().smallFont(), look.font(kSmallFont).handle());
        installed = &pictureServices();
        EXPECT_NE(look.baseBitmap(kLand32Base)->handle(), nullptr);
        EXPECT_NE(look.baseBitmap(kOwnerStrip2)->handle(), nullptr);
        EXPECT_TRUE(services.categoryLoadedFirst);
        EXPECT_EQ(services.sheets, 2);
        EXPECT_EQ(services.arrows, 1);
        EXPECT_TRUE(platform::harness::messageBoxes().empty());
    }
    EXPECT_EQ(services.arrows, 0);
    // The picture services go with the presentation.
    EXPECT_NE(&pictureServices(), installed);

    // Without the picture folder every bitmap is there, empty, and all are told in one box.
    std::filesystem::remove_all(folder.host("tkbmp"));
    Presentation look(state);
    look.startUp();
    for (int i = 0; i < kBaseBitmapCount; ++i) {
        ASSERT_NE(look.baseBitmap(i), nullptr) << i;
        EXPECT_EQ(look.baseBitmap(i)->handle(), nullptr) << i;
    }
    const auto boxes = platform::harness::messageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(text(boxes).find("info_btn.bmp: ファイルがありません。"), std::string::npos) << text(boxes);
}

TEST(PresentationStartUp, UnreadableCustomColoursAreToldOnceAndLeaveDefaults)
{
    const auto boxes = boxesOfStartUpWith([](const testing_state::DataFolder& folder) {
        folder.write("cstmcl.dat", std::string(120, '\x01'));
        return std::make_unique<testing_state::UnreadableFile>(folder, "cstmcl.dat");
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(text(boxes).rfind("カスタムカラー cstmcl.dat を読み込めません。", 0), 0u) << text(boxes);
}

TEST(PresentationStartUp, MissingAndDamagedPicturesAreNamedInOneBoxAndStartUpGoesOn)
{
    struct Damage {
        int picture;
        std::optional<std::string> bytes; // none: the file is removed
    };
    struct Case {
        std::vector<Damage> damage;
        const char* lines;
    };
    // A sound picture of one bit a pixel, with more pixels than any picture may have.
    std::ifstream in(std::filesystem::path(DERAZODO_SOURCE_DIR) / "fuzz/corpus/bmp/hostile-one-bit-huge.bmp", std::ios::binary);
    std::string huge((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(huge.size(), 62u);
    huge.resize(62 + 4096 / 8 * 2040, '\x55');
    const Case cases[] = {
        { { { kLand32Base, std::nullopt } }, "land32_base.bmp: ファイルがありません。\n" },
        { { { kCategorySheet, "BM not a picture" } }, "category.bmp: ファイルの内容が壊れています。\n" },
        { { { kInfoButtons, "" } }, "info_btn.bmp: ファイルが空です。\n" },
        { { { kCategorySheet, "BM not a picture" }, { kExtraNumbers, std::nullopt }, { kInfoButtons, "" } },
            "category.bmp: ファイルの内容が壊れています。\nexnum.bmp: ファイルがありません。\n"
            "info_btn.bmp: ファイルが空です。\n" },
        { { { kLand16Base, huge } }, "land16_base.bmp: ファイルが大きすぎます。\n" },
    };
    for (const Case& c : cases) {
        const auto boxes = boxesOfStartUpWith([&](const testing_state::DataFolder& folder) {
            for (const Damage& d : c.damage) {
                const std::string file = std::string("tkbmp/") + baseBitmapFile(d.picture);
                if (d.bytes)
                    folder.write(file, *d.bytes);
                else
                    folder.remove(file);
            }
            return 0;
        });
        ASSERT_EQ(boxes.size(), 1u) << c.lines;
        EXPECT_EQ(text(boxes), std::string("画像ファイルを読み込めません。\n") + c.lines + "読み込めた画像だけで表示します。");
    }
}
