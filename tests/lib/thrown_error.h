// Catches the library's thrown error objects in tests and owns them.
#pragma once

#include "lib/error.h"

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
    try {
        f();
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        return { true, dynamic_cast<swCFileError*>(error) != nullptr, error->code(), error->caption() };
    }
    return {};
}

// The code of the swCFileError f throws; -1 when it throws nothing, -2 for another class.
template <class F>
int fileErrorCode(F f)
{
    ThrownError e = thrownError(f);
    return !e.thrown || e.isFileError ? e.code : -2;
}

} // namespace testing_lib
