// What many of the program's tests share: the program's texts and the small worlds' unit types.
#pragma once

#include "tests/lib/window_test_support.h"

#include <string>

namespace testing_app {

using testing_lib::cp;

// The infantry's unit type in the small worlds' master data.
constexpr int kInfantry = 2;

} // namespace testing_app
