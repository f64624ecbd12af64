// Case-insensitive wildcard matching of CP932 names, with the find functions' "*.*" rules.
#pragma once

#include <string_view>

namespace platform {

// '*' matches any run of characters, '?' exactly one; a double-byte character counts as one.
// A pattern ending in ".*" also matches names without an extension ("*.*" matches everything),
// and one ending in a lone "." matches only names without a dot.
bool matchesWildcard(std::string_view pattern, std::string_view name);

} // namespace platform
