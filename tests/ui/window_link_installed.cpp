// The window tests run as the program does: what the game state tells is a message box.
#include "ui/window_application_link.h"

#include <gtest/gtest.h>

namespace {

class WindowLinkInstalled : public testing::Environment {
public:
    void SetUp() override { setApplicationLink(&windowApplicationLink()); }
    void TearDown() override { setApplicationLink(nullptr); }
};

testing::Environment* const kWindowLink = testing::AddGlobalTestEnvironment(new WindowLinkInstalled);

} // namespace
