// A thread that runs one piece of work and ends, as a test's game thread.
#pragma once

#include "lib/thread.h"

#include <functional>
#include <utility>

namespace testing_lib {

class TestThread : public swCThread {
public:
    explicit TestThread(std::function<void()> work) : m_work(std::move(work)) { }
    ~TestThread() override { threadStopAndWait(); }
    void Run() override { m_work(); }

private:
    std::function<void()> m_work;
};

} // namespace testing_lib
