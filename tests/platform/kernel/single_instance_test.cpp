// The single-instance mutex names across processes.
#include "temp_program_folder.h"

#include "platform/kernel/winbase.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const kName = "DERAZODO_MAINWINDOW_CNAME";

// Runs f in a child process and returns its exit status.
template <class F>
int inChild(F f)
{
    pid_t pid = fork();
    if (pid == 0)
        _exit(f());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 1 when CreateMutexA reports that the name exists, 0 when this process made it.
int childCreates(const char* name)
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
}

class SingleInstance : public testing::Test {
protected:
    // Lock files go to a folder of this test's own.
    void SetUp() override { setenv("XDG_RUNTIME_DIR", m_folder.path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
    TempProgramFolder m_folder;
};

} // namespace

TEST_F(SingleInstance, SecondProcessSeesTheNameUntilTheFirstCloses)
{
    EXPECT_EQ(inChild([] { return childCreates(kName); }), 0);
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kName);
    ASSERT_NE(mutex, nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS)); // the child's lock ended with the child
    EXPECT_EQ(inChild([] { return childCreates(kName); }), 1);
    EXPECT_EQ(inChild([] { return childCreates("NOLTRAX_MAINWINDOW_CNAME"); }), 0);
    EXPECT_EQ(inChild([] { return OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kName) ? 1 : 0; }), 1);
    CloseHandle(mutex);
    EXPECT_EQ(inChild([] { return childCreates(kName); }), 0);
    EXPECT_EQ(inChild([] { return OpenMutexA(SYNCHRONIZE, FALSE, kName) ? 1 : 0; }), 0);
}

TEST_F(SingleInstance, OtherNamesStayWithinTheProcess)
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "kernel-test-local");
    ASSERT_NE(mutex, nullptr);
    // The child inherits a copy of the process, but a fresh name in it is its own.
    EXPECT_EQ(inChild([] { return childCreates("kernel-test-other"); }), 0);
    CloseHandle(mutex);
}
