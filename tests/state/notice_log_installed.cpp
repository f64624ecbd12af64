// The state tests run with the recording link: what the state tells is checked in the log.
#include "tests/state/state_test_support.h"

#include <gtest/gtest.h>

namespace {

class NoticeLogInstalled : public testing::Environment {
public:
    void SetUp() override { setApplicationLink(&testing_state::noticeLog()); }
    void TearDown() override { setApplicationLink(nullptr); }
};

testing::Environment* const kNoticeLog = testing::AddGlobalTestEnvironment(new NoticeLogInstalled);

} // namespace
