// The resource table: names by id and by text, as LPCSTR resource names are given.
#include "platform/user/resource_table.h"

#include <gtest/gtest.h>

TEST(ResourceTable, IdsAndNamesFindTheSameEntryHoweverWritten)
{
    using namespace platform::resources;

    EXPECT_EQ(resourceKey(MAKEINTRESOURCEA(130)), "#130");
    EXPECT_EQ(resourceKey("#130"), "#130");
    EXPECT_EQ(resourceKey("MainMenu"), "MAINMENU");
    EXPECT_EQ(resourceKey("#12a"), "#12A") << "not all digits: a name";
    EXPECT_EQ(resourceKey("#99999999999"), "#99999999999") << "too long for an id: a name, never an overflow";

    addAccelerators("#77", { ACCEL { FVIRTKEY, 'A', 1 } });
    ASSERT_TRUE(findAccelerators(MAKEINTRESOURCEA(77)));
    EXPECT_EQ(findAccelerators(MAKEINTRESOURCEA(77))->at(0).cmd, 1);
    DialogTemplate dialog;
    dialog.caption = "x";
    addDialog("Settings", dialog);
    EXPECT_TRUE(findDialog("SETTINGS"));
    EXPECT_FALSE(findDialog(MAKEINTRESOURCEA(4242)));
    EXPECT_FALSE(findDialog(nullptr));
}
