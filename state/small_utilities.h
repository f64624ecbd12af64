// Small shared operations of the game state: text line ends.
#pragma once

#include <string>
#include <string_view>

// Copies CP932 text with each lone LF turned into CR LF; an existing CR LF and both bytes of a
// double-byte character pass unchanged. The result holds whatever length that needs.
std::string convertLfToCrLf(std::string_view text);
