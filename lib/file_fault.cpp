// File faults: their sentences and the whole-file read.
#include "lib/file_fault.h"

#include "platform/kernel/host.h"
#include "platform/kernel/winbase.h"

std::string fileFaultText(FileFault fault, int64_t offset)
{
    const char* text = "";
    switch (fault) {
    case FileFault::None: return std::string();
    case FileFault::Missing: text = "ファイルがありません"; break;
    case FileFault::Folder: text = "ファイルの代わりにフォルダがあります"; break;
    case FileFault::NotAFile: text = "通常のファイルではありません"; break;
    case FileFault::Unreadable: text = "ファイルを読み取れません"; break;
    case FileFault::TooLarge: text = "ファイルが大きすぎます"; break;
    case FileFault::Empty: text = "ファイルが空です"; break;
    case FileFault::Format: text = "ファイルの種類が違います"; break;
    case FileFault::Truncated: text = "ファイルが途中で切れています"; break;
    case FileFault::Damaged: text = "ファイルの内容が壊れています"; break;
    case FileFault::UnknownData: text = "本製品に含まれていない兵器データが使用されています"; break;
    }
    std::string sentence = text;
    // Where damage begins helps whoever mends the file; a cut-short file ends where it ends.
    if (offset >= 0 && fault == FileFault::Damaged)
        sentence += "（" + std::to_string(offset) + "バイト目）";
    return platform::utf8ToCp932(sentence + "。");
}

FileFault openFault(const char* name)
{
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_ACCESS_DENIED ? FileFault::Unreadable : FileFault::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileFault::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? FileFault::NotAFile : FileFault::Unreadable;
}

namespace {

// Opens the file and finds its fault by its size; the handle stays open for reading when there is none.
FileFault openWhole(const char* name, size_t maxBytes, HANDLE& file, size_t& size)
{
    file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return openFault(name);
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    const uint64_t bytes = uint64_t(high) << 32 | low;
    size = size_t(bytes);
    FileFault fault = bytes == 0 ? FileFault::Empty : bytes > maxBytes ? FileFault::TooLarge : FileFault::None;
    if (fault != FileFault::None) {
        CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }
    return fault;
}

} // namespace

FileFault readFileBytes(const char* name, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    HANDLE file = INVALID_HANDLE_VALUE;
    size_t size = 0;
    if (FileFault fault = openWhole(name, maxBytes, file, size); fault != FileFault::None)
        return fault;
    bytes.resize(size);
    DWORD got = 0;
    const bool read = ReadFile(file, bytes.data(), DWORD(size), &got, nullptr) && got == size;
    CloseHandle(file);
    if (!read) {
        bytes.clear();
        return FileFault::Unreadable;
    }
    return FileFault::None;
}

FileFault checkFileBytes(const char* name, size_t maxBytes)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    size_t size = 0;
    FileFault fault = openWhole(name, maxBytes, file, size);
    if (fault == FileFault::None)
        CloseHandle(file);
    return fault;
}
