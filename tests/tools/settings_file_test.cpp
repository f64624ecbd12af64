// The generated program folder's settings file.
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

// A first start goes straight to the main window: the start mode is already chosen (normal mode).
TEST(SettingsFile, CarriesTheStartModeSoAFirstStartDoesNotAsk)
{
    const std::string ini = (std::filesystem::path(DERAZODO_PROGRAM_DIR) / "derazodo.ini").string();
    ASSERT_TRUE(std::filesystem::exists(ini)) << ini;
    EXPECT_EQ(GetPrivateProfileIntA("Environment", "SimpleMode", 2, ini.c_str()), 0u);
}
