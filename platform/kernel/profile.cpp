// The ini profile functions over IniDocument; writes serialised within the process and, by a lock on
// the file's folder, with other processes. While a ProfileWriteHold lives the writes are kept as edits
// and replayed onto the file as it then is, so another program's lines written meanwhile survive.
#include "platform/kernel/host.h"
#include "platform/kernel/ini_document.h"
#include "platform/kernel/internal.h"
#include "platform/kernel/winbase.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace platform;

namespace {

std::mutex& profileMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

// A bare file name means the file beside the program.
std::string profilePath(LPCSTR fileName)
{
    std::string_view name = fileName;
    bool hasFolder = false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (isCp932LeadByte(uint8_t(name[i])) && i + 1 < name.size())
            ++i;
        else if (name[i] == '\\' || name[i] == '/' || name[i] == ':')
            hasFolder = true;
    }
    if (hasFolder)
        return hostPath(name);
    return hostPath(gamePathFromHost(programFolder()) + std::string(name));
}

// Copies a list of names, each with its terminator, plus the final one. When it does not fit,
// the list is cut to size - 2 bytes, closed with two terminators, and size - 2 returned.
DWORD copyList(const std::vector<std::string>& names, LPSTR buffer, DWORD size)
{
    std::string list;
    for (auto& name : names) {
        list += name;
        list.push_back('\0');
    }
    if (size < 2) {
        if (size == 1)
            buffer[0] = '\0';
        return 0;
    }
    if (list.size() + 1 <= size) {
        std::memcpy(buffer, list.data(), list.size());
        buffer[list.size()] = '\0';
        if (list.empty())
            buffer[1] = '\0';
        return DWORD(list.size());
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = '\0';
    buffer[size - 1] = '\0';
    SetLastError(ERROR_MORE_DATA);
    return size - 2;
}

// Copies one value; when it does not fit, size - 1 bytes and the terminator, returning size - 1.
DWORD copyValue(std::string_view value, LPSTR buffer, DWORD size)
{
    size_t length = value.size() < size ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    if (length < value.size())
        SetLastError(ERROR_MORE_DATA);
    return DWORD(length);
}

int parseInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > (long long)INT_MAX + 1)
            value = (long long)INT_MAX + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        value = INT_MAX;
    return int(value);
}

// Held across a load-change-save of an ini file: another process writing a file of the same folder
// (a second copy of the program, a test running beside this one) waits, so neither write is lost.
class FolderLock {
public:
    explicit FolderLock(const std::string& file)
    {
        std::string folder = std::filesystem::path(file).parent_path().string();
        m_fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd >= 0)
            while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int m_fd = -1;
};

// One change of a write call; a write of several keys is several of them.
struct ProfileEdit {
    enum class Kind { Set, DeleteKey, DeleteSection };
    Kind kind;
    std::string section;
    std::string key;
    std::string value;

    void applyTo(IniDocument& document) const
    {
        switch (kind) {
        case Kind::Set:
            document.setValue(section, key, value);
            break;
        case Kind::DeleteKey:
            document.deleteKey(section, key);
            break;
        case Kind::DeleteSection:
            document.deleteSection(section);
            break;
        }
    }
};

void applyEdits(IniDocument& document, const std::vector<ProfileEdit>& edits)
{
    for (const ProfileEdit& edit : edits)
        edit.applyTo(document);
}

// The held writes by host path, in order; guarded by profileMutex.
struct HeldWrites {
    int holds = 0;
    std::map<std::string, std::vector<ProfileEdit>> edits;
};

HeldWrites& heldWrites()
{
    static auto* held = new HeldWrites;
    return *held;
}

// The file as this process sees it: with its held writes. Called under profileMutex.
IniDocument loadProfile(const std::string& path)
{
    IniDocument document = IniDocument::load(path);
    auto held = heldWrites().edits.find(path);
    if (held != heldWrites().edits.end() && document.readable())
        applyEdits(document, held->second);
    return document;
}

// Writes the edits onto the file as it is now, rewriting it only when its text changes. Called
// under profileMutex.
bool saveEdits(const std::string& path, const std::vector<ProfileEdit>& edits)
{
    FolderLock folderLock(path);
    IniDocument document = IniDocument::load(path);
    // Saving what could not be read would replace every setting in the file by these.
    if (!document.readable())
        return false;
    const std::string before = document.text();
    applyEdits(document, edits);
    return document.text() == before || document.save(path);
}

// Writes every held file once. The held calls already answered success, so a failed write is
// answered here: false, with the error of the last file that could not be written.
bool saveHeldWrites()
{
    bool saved = true;
    for (const auto& [path, edits] : heldWrites().edits)
        if (!saveEdits(path, edits)) {
            failFromErrno(path);
            saved = false;
        }
    heldWrites().edits.clear();
    return saved;
}

} // namespace

platform::ProfileWriteHold::ProfileWriteHold()
{
    std::lock_guard lock(profileMutex());
    ++heldWrites().holds;
}

platform::ProfileWriteHold::~ProfileWriteHold() { release(); }

bool platform::ProfileWriteHold::release()
{
    if (m_released)
        return true;
    m_released = true;
    std::lock_guard lock(profileMutex());
    return --heldWrites().holds > 0 || saveHeldWrites();
}

DWORD GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
    DWORD nSize, LPCSTR lpFileName)
{
    if (!lpReturnedString || !lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (nSize == 0)
        return 0;
    IniDocument document;
    {
        std::lock_guard lock(profileMutex());
        document = loadProfile(profilePath(lpFileName));
    }
    if (!lpAppName)
        return copyList(document.sectionNames(), lpReturnedString, nSize);
    if (!lpKeyName)
        return copyList(document.keyNames(lpAppName), lpReturnedString, nSize);
    if (auto value = document.value(lpAppName, lpKeyName))
        return copyValue(*value, lpReturnedString, nSize);
    // The default loses its trailing blanks.
    std::string_view fallback = lpDefault ? lpDefault : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.remove_suffix(1);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return copyValue(fallback, lpReturnedString, nSize);
}

UINT GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName)
{
    if (!lpAppName || !lpKeyName || !lpFileName)
        return UINT(nDefault);
    IniDocument document;
    {
        std::lock_guard lock(profileMutex());
        document = loadProfile(profilePath(lpFileName));
    }
    auto value = document.value(lpAppName, lpKeyName);
    return value ? UINT(parseInteger(*value)) : UINT(nDefault);
}

DWORD GetPrivateProfileSectionA(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName)
{
    if (!lpAppName || !lpReturnedString || !lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    IniDocument document;
    {
        std::lock_guard lock(profileMutex());
        document = loadProfile(profilePath(lpFileName));
    }
    return copyList(document.entries(lpAppName), lpReturnedString, nSize);
}

namespace {

// A write as Win32 makes it: seen by the next read at once, and on disk unless a hold keeps it.
BOOL editProfile(LPCSTR fileName, std::vector<ProfileEdit> edits)
{
    std::lock_guard lock(profileMutex());
    std::string path = profilePath(fileName);
    if (heldWrites().holds > 0) {
        if (!loadProfile(path).readable())
            return failFromErrno(path);
        auto& held = heldWrites().edits[path];
        held.insert(held.end(), std::make_move_iterator(edits.begin()), std::make_move_iterator(edits.end()));
        return TRUE;
    }
    if (!saveEdits(path, edits))
        return failFromErrno(path);
    return TRUE;
}

} // namespace

BOOL WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName)
{
    // With everything null the caller asks to flush a cache: the held writes, if any.
    if (!lpAppName && !lpKeyName && !lpString) {
        std::lock_guard lock(profileMutex());
        return saveHeldWrites() ? TRUE : FALSE;
    }
    if (!lpAppName || !lpFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    using Kind = ProfileEdit::Kind;
    if (!lpKeyName)
        return editProfile(lpFileName, { { Kind::DeleteSection, lpAppName, {}, {} } });
    if (!lpString)
        return editProfile(lpFileName, { { Kind::DeleteKey, lpAppName, lpKeyName, {} } });
    return editProfile(lpFileName, { { Kind::Set, lpAppName, lpKeyName, lpString } });
}

BOOL platform::writeProfileValues(LPCSTR section, const std::vector<std::pair<std::string, std::string>>& values,
    LPCSTR fileName)
{
    if (!section || !fileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<ProfileEdit> edits;
    for (const auto& [key, value] : values)
        edits.push_back({ ProfileEdit::Kind::Set, section, key, value });
    return editProfile(fileName, std::move(edits));
}
