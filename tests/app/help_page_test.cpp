// The help page: a missing page or a desktop without a viewer is told, never silently ignored.
#include "app/help_page.h"
#include "platform/desktop/harness.h"
#include "platform/kernel/host.h"

#include "tests/lib/temp_program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace harness = platform::harness;

TEST(HelpPage, MissingPageOrViewerIsToldInAMessageBox)
{
    testing_lib::TempProgramFolder folder("help");
    harness::clearMessageBoxes();
    EXPECT_EQ(openHelpPage(nullptr), HelpOutcome::Missing);
    ASSERT_EQ(harness::messageBoxes().size(), 1u);
    EXPECT_EQ(harness::messageBoxes()[0].caption, platform::utf8ToCp932("ヘルプ"));

    std::filesystem::create_directories(folder.host("tkhelp"));
    std::ofstream(folder.host("tkhelp/index.html")) << "<html></html>";
    // No handler on the search path: the page is named so the person can open it by hand.
    const char* path = std::getenv("PATH");
    std::string saved = path ? path : "";
    setenv("PATH", folder.path().c_str(), 1);
    HelpOutcome outcome = openHelpPage(nullptr);
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(outcome, HelpOutcome::NoViewer);
    ASSERT_EQ(harness::messageBoxes().size(), 2u);
    EXPECT_NE(harness::messageBoxes()[1].text.find("tkhelp/index.html"), std::string::npos);
}

} // namespace
