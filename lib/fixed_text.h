// Fixed-point numbers as window text: the value 1500 at scale 1000 is "1.500".
#pragma once

#include <string>
#include <string_view>

// Scales 10, 100 and 1000 give one, two or three decimals; any other scale the plain value.
std::string formatFixedText(int value, int scale);
// The inverse. Decimals beyond the scale are cut off, missing ones count as zeros; an empty or
// unreadable text gives 0 and values outside int are clamped.
int parseFixedText(std::string_view text, int scale);
