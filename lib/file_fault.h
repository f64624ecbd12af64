// What keeps a file from being used, told in one Japanese sentence, and the whole-file read that
// finds it out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class FileFault : uint8_t {
    None,
    Missing,    // nothing at the path
    Folder,     // a folder stands where the file should be
    NotAFile,   // a named pipe or a device
    Unreadable, // no permission, or the reading failed
    TooLarge,   // larger than any file of its kind
    Empty,
    Format,     // not a file of the kind expected
    Truncated,  // cut short
    Damaged,    // a count, a size or a value out of its range
    UnknownData, // names data (unit types) this program does not have
};

// The sentence (CP932) for a fault; for damage, an offset of 0 or more names the byte where the
// reader stopped.
std::string fileFaultText(FileFault fault, int64_t offset = -1);

// Why a reader refused a file: the fault, the byte where it stopped (-1: none), and the reader's own
// account in English for the debug output.
struct FileRefusal {
    FileFault fault = FileFault::None;
    int64_t offset = -1;
    std::string detail;

    explicit operator bool() const { return fault != FileFault::None; }
    // The sentence the person reads (CP932).
    std::string text() const { return fileFaultText(fault, offset); }
};

// The game's largest picture is a few megabytes: a picture file larger than this is refused unread.
constexpr size_t kMaxPictureFileBytes = size_t(64) << 20;

// Reads the whole file at a game path when it is a regular file of 1 to maxBytes bytes.
FileFault readFileBytes(const char* name, size_t maxBytes, std::vector<uint8_t>& bytes);
// The same checks without reading: whether readFileBytes would get to the bytes.
FileFault checkFileBytes(const char* name, size_t maxBytes);
// Why a file could not be opened for reading at that game path.
FileFault openFault(const char* name);
