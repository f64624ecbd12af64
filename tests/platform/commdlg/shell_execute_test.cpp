// ShellExecuteA fails honestly: a missing document, an unknown verb, or no desktop handler.
#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace dialogtest;

TEST(ShellExecute, RefusesMissingDocumentsUnknownVerbsAndAMissingHandler)
{
    ScratchFolder folder;
    folder.file("help.html");
    std::string page = folder.game("help.html");
    auto code = [](HINSTANCE h) { return reinterpret_cast<INT_PTR>(h); };
    EXPECT_EQ(code(ShellExecuteA(nullptr, "open", folder.game("none.html").c_str(), nullptr, nullptr, SW_SHOW)), SE_ERR_FNF);
    EXPECT_EQ(code(ShellExecuteA(nullptr, "print", page.c_str(), nullptr, nullptr, SW_SHOW)), SE_ERR_NOASSOC);

    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    INT_PTR result = code(ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOW));
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(result, SE_ERR_NOASSOC) << "without xdg-open nothing can open the page";
}
