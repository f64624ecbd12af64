// The layer's own services on the host: code pages, host paths, the program folder,
// debug output, restart, ini writes of several keys at once or held to one rewrite, and the C
// runtime's per-thread random generator.
#pragma once

#include "platform/kernel/windef.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// CP932 (Shift-JIS as the game stores it) <-> Unicode. Unmappable input becomes '?' (U+FFFD
// would not survive a round trip through CP932). Both directions are lossless for valid text.
std::string cp932ToUtf8(std::string_view cp932);
std::string utf8ToCp932(std::string_view utf8);
std::u32string cp932ToUtf32(std::string_view cp932);
std::string utf32ToCp932(std::u32string_view text);
// The first byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
bool isCp932LeadByte(unsigned char byte);
// Japanese line breaking: closing punctuation (。、」』）and their kin, full and half width, and the
// half-width sound marks) never starts a wrapped line; it stays with the character before it.
bool neverStartsLine(char32_t code);
// Where a wrap of CP932 text meant at `cut` (a character boundary past lineStart) is made: moved
// back until the next line starts with no such character, so that the character before it goes
// along. `cut` itself when the line would keep nothing.
size_t cp932LineCut(std::string_view text, size_t lineStart, size_t cut);

// The program folder: the root of relative data paths, where the ini file lives.
// Defaults to the folder of the running executable; DERAZODO_PROGRAM_DIR or setProgramFolder
// (tests) override it. Host form: UTF-8, '/' separated, with a trailing '/'.
std::string programFolder();
void setProgramFolder(const std::string& hostFolder);
// The program's file as the game sees it: CP932, '\' separated, with the extension ".exe".
std::string programPathForGame();

// Maps a game path (CP932, '\' or '/', relative to the program folder or absolute) to a host
// path (UTF-8, '/'), resolving each existing component case-insensitively. Components that do
// not exist yet are kept as given (for files about to be created).
std::string hostPath(std::string_view gamePath);
// The inverse for paths the layer hands back to the game (find results, dialogs).
std::string gamePathFromHost(std::string_view hostPath);
// Where the file name of a CP932 game path begins: after its last '\' or '/', 0 when it has none.
// The second byte of a double-byte character may have the value of '\' ("表" is 0x95 0x5C) and is
// never taken for a separator.
size_t fileNameOffset(std::string_view gamePath);

// Debug output: off unless DERAZODO_DEBUG is set (then stderr) or a sink is installed (tests).
void debugOutput(std::string_view text);
void setDebugOutputSink(std::function<void(std::string_view)> sink);

// Sets several keys of one section of an ini file in a single rewrite of it: what a
// WritePrivateProfileStringA for each would leave, written once.
BOOL writeProfileValues(LPCSTR section, const std::vector<std::pair<std::string, std::string>>& values, LPCSTR fileName);

// While one lives, this process's ini writes are held: its own reads see them at once, and when the
// last hold ends (or at a flush, WritePrivateProfileStringA with every argument null) they are made
// on each file as it then is, one rewrite per file and none where its text stays the same. A run's
// end holds its writes so that the placements and settings it writes cost one rewrite.
class ProfileWriteHold {
public:
    ProfileWriteHold();
    // Releases the hold when release() has not.
    ~ProfileWriteHold();
    ProfileWriteHold(const ProfileWriteHold&) = delete;
    ProfileWriteHold& operator=(const ProfileWriteHold&) = delete;

    // Ends the hold now. False, with the last error set, when it was the last hold and a file's
    // writes could not be made: they are lost, as the calls that held them had answered success.
    bool release();

private:
    bool m_released = false;
};

// Replaces the running program with a new copy started with the given command line.
// Returns false when the program could not be started again.
bool restartProgram(const std::string& commandLine);
// A test's stand-in for the restart: while set, restartProgram hands it the command line and
// answers what it answers, and the program goes on. Empty carries restarts out again.
void setRestartStandIn(std::function<bool(const std::string& commandLine)> standIn);

// Held while a host library shared by several areas (SDL: video on the desktop thread, audio in
// the media area) starts or stops one of its parts; those calls are not thread-safe.
std::mutex& hostLibraryMutex();

// Held while the calling thread waits for another outside the layer's own waits (on a host
// condition variable): the running test clock may move on meanwhile, as it does while a thread
// waits in Sleep, WaitForSingleObject or its message queue.
class ThreadWaits {
public:
    ThreadWaits();
    ~ThreadWaits();
    ThreadWaits(const ThreadWaits&) = delete;
    ThreadWaits& operator=(const ThreadWaits&) = delete;

private:
    uint64_t m_spell = 0;
    bool m_holds = false;
};

// The C runtime's generator as the game's runtime had it: state * 214013 + 2531011, result
// (state >> 16) & 0x7FFF, one state per thread, initial seed 1.
void crtSrand(unsigned int seed);
int crtRand();

} // namespace platform
