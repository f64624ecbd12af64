// Catches the library's thrown error objects in tests and owns them.
#pragma once

#include "lib/error.h"

#include <memory>
#include <string>

namespace testing_lib {

struct ThrownError {
    int code = -1; // -1: nothing thrown
    std::string caption;
    bool isFileError = false;
};

template <class F>
ThrownError thrownError(F f)
{
    try {
        f();
    } catch (swCError* error) {
        std::unique_ptr<swCError> owned(error);
        return { error->code(), error->caption(), dynamic_cast<swCFileError*>(error) != nullptr };
    }
    return {};
}

// The code of the swCFileError f throws; -1 when it throws nothing, -2 for another class.
template <class F>
int fileErrorCode(F f)
{
    ThrownError e = thrownError(f);
    return e.code == -1 || e.isFileError ? e.code : -2;
}

} // namespace testing_lib
