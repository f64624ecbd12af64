// What the briefing and the news draw alike: the map's picture fitted into its box, and a picture
// the map file carries that cannot be read.
#include "dialogs/paper_page.h"

#include "state/map_file.h"
#include "tests/lib/thrown_error.h"
#include "tests/dialogs/dialog_test_world.h"
#include "tests/dialogs/setup_world.h"

#include <gtest/gtest.h>

TEST(PaperPage, PicturesFitTheirBoxKeepingTheirShape)
{
    struct Case {
        const char* what;
        SIZE picture;
        RECT at;
    };
    const RECT box { 18, 289, 234, 449 };
    const Case cases[] = {
        { "wider: scaled to the box's width, centred up and down", { 320, 200 }, { 18, 301, 234, 436 } },
        { "wider and then still too tall: scaled to the height", { 400, 400 }, { 46, 289, 206, 449 } },
        { "taller only: scaled to the height", { 180, 240 }, { 66, 289, 186, 449 } },
        { "smaller: as it is, centred", { 100, 50 }, { 76, 344, 176, 394 } },
        { "exactly the box", { 216, 160 }, { 18, 289, 234, 449 } },
    };
    for (const Case& c : cases) {
        const RECT r = fitPictureInBox(c.picture, box);
        EXPECT_EQ(r.left, c.at.left) << c.what;
        EXPECT_EQ(r.top, c.at.top) << c.what;
        EXPECT_EQ(r.right, c.at.right) << c.what;
        EXPECT_EQ(r.bottom, c.at.bottom) << c.what;
    }
}

TEST(PaperPage, AMapPictureThatCannotBeReadIsLeftOut)
{
    setup_test::SetUpWorld world;
    ScenarioFile file = testing_dialogs::MapFilesWorld::scenario({});
    file.images[0] = { 'B', 'M', 1, 2, 3 };
    file.images[1] = { 0, 1, 2 };
    const std::vector<uint8_t> bytes = writeScenarioBytes(file);
    ASSERT_TRUE(world.state().loadMapImage(bytes.data(), bytes.size()));
    EXPECT_TRUE(testing_lib::thrownError([&] { embeddedBitmap(world.state(), 0); }).thrown) << "the state's reader refuses it";
    EXPECT_EQ(mapPicture(world.state(), MapPicture::Briefing), nullptr);
    EXPECT_EQ(mapPicture(world.state(), MapPicture::News), nullptr);
}
