// What many of the program's tests share: the program's texts and the small worlds' unit types.
#pragma once

#include "platform/kernel/host.h"

#include <string>

namespace testing_app {

// The program's texts are in code page 932; the tests write theirs in UTF-8.
inline std::string cp(const char* utf8) { return platform::utf8ToCp932(utf8); }

// The infantry's unit type in the small worlds' master data.
constexpr int kInfantry = 2;

} // namespace testing_app
