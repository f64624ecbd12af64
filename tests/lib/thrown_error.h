// Catches the library's thrown error objects in tests and owns them.
#pragma once

#include "lib/error.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace testing_lib {

struct ThrownError {
    bool thrown = false;
    bool isFileError = false;
    int code = -1;
    std::string caption;
};

template <class F>
ThrownError thrownError(F f)
{
    ThrownError result;
    try {
        f();
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        result.thrown = true;
        result.isFileError = dynamic_cast<swCFileError*>(error) != nullptr;
        result.code = error->code();
        result.caption = error->caption();
    }
    return result;
}

// The code of the swCFileError f throws, or -1 when it throws nothing.
template <class F>
int fileErrorCode(F f)
{
    ThrownError e = thrownError(f);
    if (e.thrown) {
        EXPECT_TRUE(e.isFileError);
    }
    return e.code;
}

} // namespace testing_lib
