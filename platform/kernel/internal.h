// Helpers shared by the kernel area's files; not for callers outside platform/kernel.
#pragma once

#include "platform/kernel/windef.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The Win32 error for an errno value; ENOENT becomes ERROR_PATH_NOT_FOUND when the folder of
// hostFile is missing too.
DWORD errorFromErrno(int error, std::string_view hostFile = {});
// Sets the last error from errno and returns FALSE, for the common failure path.
BOOL failFromErrno(std::string_view hostFile = {});

// The game's current folder in host form with a trailing '/': the program folder unless the
// game set another.
std::string currentHostFolder();
void setCurrentHostFolder(std::string hostFolder);

// Splits a CP932 game path at '\' and '/' (never inside a double-byte character).
struct GamePathParts {
    bool absolute = false;
    std::vector<std::string> components; // CP932, "." and ".." already applied
};
GamePathParts splitGamePath(std::string_view gamePath);

// Case-insensitive comparison of ASCII letters in UTF-8 or CP932 single bytes.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

FILETIME fileTimeFromUnix(int64_t seconds, long nanoseconds);
// FILE_ATTRIBUTE_* of a host file: DIRECTORY, READONLY when the owner may not write, else NORMAL.
DWORD attributesFromMode(unsigned mode);

// Copies text with its terminator into a caller's buffer under the usual Win32 rule:
// returns the length without terminator when it fits, else the size needed with it.
DWORD copyOutString(const std::string& text, LPSTR buffer, DWORD size);

// Whether the calling thread was started through the layer (CreateThread, _beginthreadex): one
// of the program's own, not the host's first thread or a thread of a test.
bool startedByLayer();

} // namespace platform
