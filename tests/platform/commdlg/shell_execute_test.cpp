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

// The opener may live as long as the browser it started: the call returns while it runs, it is
// reaped once it ends, and one that cannot be started is told.
TEST(ShellExecute, StartsTheOpenerWithoutWaitingAndReapsIt)
{
    ScratchFolder folder;
    folder.file("help.html");
    const std::string host = platform::hostPath(folder.game().c_str());
    auto writeOpener = [&](const std::string& script) {
        std::ofstream(host + "/xdg-open") << script;
        chmod((host + "/xdg-open").c_str(), 0755);
    };
    // Runs until the test lets it go, ten seconds at most.
    writeOpener("#!/bin/sh\nPATH=/usr/bin:/bin\necho $$ > '" + host + "/pid.tmp'; mv '" + host + "/pid.tmp' '" + host
        + "/pid'\nfor i in $(seq 100); do [ -e '" + host + "/go' ] && exit 0; sleep 0.1; done\n");
    std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", host.c_str(), 1);
    const INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", folder.game("help.html").c_str(), nullptr, nullptr, SW_SHOW));
    int pid = 0;
    for (int i = 0; i < 500 && !(std::ifstream(host + "/pid") >> pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const bool runningAfterTheCall = pid > 0 && kill(pid, 0) == 0;
    std::ofstream(host + "/go") << "";
    bool reaped = false;
    for (int i = 0; i < 500 && !reaped; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        reaped = kill(pid, 0) != 0; // a zombie still answers
    }
    writeOpener("#!/nonexistent/interpreter\n");
    const INT_PTR broken = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", folder.game("help.html").c_str(), nullptr, nullptr, SW_SHOW));
    setenv("PATH", savedPath.c_str(), 1);
    EXPECT_GT(result, 32);
    EXPECT_TRUE(runningAfterTheCall);
    EXPECT_TRUE(reaped);
    EXPECT_LE(broken, 32);
}
