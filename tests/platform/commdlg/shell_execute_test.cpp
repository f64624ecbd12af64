// ShellExecuteA fails honestly: a missing document, an unknown verb, or no desktop handler.
#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <thread>

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

// The opener may live as long as the browser it started: the call returns while it runs, and it is
// reaped once it ends.
TEST(ShellExecute, StartsTheOpenerWithoutWaitingAndReapsIt)
{
    ScratchFolder folder;
    folder.file("help.html");
    const std::string host = platform::hostPath(folder.game().c_str());
    // It writes its process id, then waits for the test to let it go, ten seconds at most.
    std::ofstream(host + "/xdg-open") << "#!/bin/sh\ncd '" << host << "'; echo $$ >id; /bin/mv id pid\n"
        << "for i in $(/usr/bin/seq 100); do [ -e go ] && exit 0; /bin/sleep 0.1; done\n";
    chmod((host + "/xdg-open").c_str(), 0755);
    const std::string savedPath = std::getenv("PATH");
    setenv("PATH", host.c_str(), 1);
    EXPECT_GT(reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", folder.game("help.html").c_str(), nullptr, nullptr, SW_SHOW)), 32);
    setenv("PATH", savedPath.c_str(), 1);
    int pid = 0;
    for (int i = 0; i < 500 && !(std::ifstream(host + "/pid") >> pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(kill(pid, 0), 0) << "the call waited for the opener";
    std::ofstream(host + "/go").put('x');
    // A zombie would still answer.
    for (int i = 0; i < 500 && kill(pid, 0) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_NE(kill(pid, 0), 0) << "the opener was not reaped";
}
