// The program's file name, modules, global memory, time and the C runtime's generator.
#include "temp_program_folder.h"

#include "platform/kernel/modules.h"
#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

int answer() { return 42; }

} // namespace

TEST(ModuleFileName, EndsInExeInsideTheProgramFolder)
{
    TempProgramFolder folder;
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(length, 4u);
    std::string name(path, length);
    EXPECT_EQ(name.substr(name.size() - 4), ".exe");
    EXPECT_EQ(name.find(platform::gamePathFromHost(folder.path())), 0u);
    EXPECT_EQ(GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof path), length);

    char small[5];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), name.substr(0, 4));
    std::string commandLine = GetCommandLineA();
    EXPECT_EQ(commandLine.front(), '"');
    EXPECT_NE(commandLine.find(".exe\""), std::string::npos);
}

TEST(Modules, RegistryLoadsCaseInsensitively)
{
    EXPECT_EQ(LoadLibraryA("kerneltest.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
    platform::registerModule("KernelTest.dll", { platform::moduleSymbol("Answer", answer) });
    HMODULE module = LoadLibraryA("kerneltest");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibraryA("C:\\Windows\\KERNELTEST.DLL"), module);
    EXPECT_EQ(GetModuleHandleA("kerneltest.dll"), module);
    auto function = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(GetProcAddress(module, "Answer")));
    ASSERT_NE(function, nullptr);
    EXPECT_EQ(function(), 42);
    EXPECT_EQ(GetProcAddress(module, "answer"), nullptr); // symbol names keep their case
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_NE(GetProcAddress(module, "Answer"), nullptr); // loaded twice, freed once
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "Answer"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    platform::unregisterModule("kerneltest.DLL");
    EXPECT_EQ(LoadLibraryA("kerneltest.dll"), nullptr);
}

TEST(GlobalMemory, MoveableAndFixedBlocks)
{
    HGLOBAL moveable = GlobalAlloc(GHND, 100);
    ASSERT_NE(moveable, nullptr);
    EXPECT_EQ(GlobalSize(moveable), 100u);
    auto* bytes = static_cast<unsigned char*>(GlobalLock(moveable));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[0] | bytes[99], 0);
    EXPECT_TRUE(GlobalLock(moveable) == bytes);
    EXPECT_TRUE(GlobalUnlock(moveable));
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), DWORD(NO_ERROR));
    EXPECT_EQ(GlobalFree(moveable), nullptr);
    EXPECT_EQ(GlobalLock(moveable), nullptr);
    EXPECT_EQ(GlobalFree(moveable), moveable);

    // A fixed block is its own address.
    auto* fixed = static_cast<char*>(GlobalAlloc(GPTR, 16));
    ASSERT_NE(fixed, nullptr);
    fixed[15] = 'x';
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(GlobalSize(fixed), 16u);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST(Time, FileTimesAndSystemTimesConvertBothWays)
{
    SYSTEMTIME epoch { 1601, 1, 0, 1, 0, 0, 0, 0 };
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&epoch, &ft));
    EXPECT_EQ(ft.dwLowDateTime | ft.dwHighDateTime, 0u);

    SYSTEMTIME leap { 2024, 2, 0, 29, 23, 59, 58, 123 };
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
    // 2024-02-29 23:59:58.123 UTC in 100 ns steps since 1601.
    EXPECT_EQ(uint64_t(ft.dwHighDateTime) << 32 | ft.dwLowDateTime, 133537247981230000ULL);
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(back.wYear, 2024);
    EXPECT_EQ(back.wMonth, 2);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(back.wSecond, 58);
    EXPECT_EQ(back.wMilliseconds, 123);

    SYSTEMTIME bad { 2023, 2, 0, 29, 0, 0, 0, 0 };
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &ft));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    FILETIME huge { 0, 0x80000000 };
    EXPECT_FALSE(FileTimeToSystemTime(&huge, &back));

    LARGE_INTEGER frequency;
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency.QuadPart, 0);
    LARGE_INTEGER first, second;
    QueryPerformanceCounter(&first);
    QueryPerformanceCounter(&second);
    EXPECT_GE(second.QuadPart, first.QuadPart);
}

TEST(CrtRand, SeedOneSequencePerThread)
{
    platform::crtSrand(1);
    EXPECT_EQ(platform::crtRand(), 41);
    EXPECT_EQ(platform::crtRand(), 18467);
    EXPECT_EQ(platform::crtRand(), 6334);
    int fromThread = 0;
    std::thread([&] { fromThread = platform::crtRand(); }).join(); // a new thread starts at seed 1
    EXPECT_EQ(fromThread, 41);
    EXPECT_EQ(platform::crtRand(), 26500);
}

TEST(DebugOutput, ReachesTheSink)
{
    std::string seen;
    platform::setDebugOutputSink([&](std::string_view text) { seen += text; });
    OutputDebugStringA("turn 3\n");
    OutputDebugStringA(nullptr);
    platform::setDebugOutputSink(nullptr);
    EXPECT_EQ(seen, "turn 3\n");
}

TEST(Restart, RunsTheProgramAgainWithTheNewCommandLine)
{
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        platform::restartProgram("--gtest_list_tests \"--gtest_filter=CrtRand.*\"");
        _exit(99); // only reached when the program could not be started again
    }
    close(output[1]);
    std::string listed;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;)
        listed.append(buffer, size_t(got));
    close(output[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(listed.find("CrtRand."), std::string::npos);
    EXPECT_EQ(listed.find("Restart."), std::string::npos); // the filter arrived as one argument
}
