// Reading, editing and atomically saving ini documents.
#include "platform/kernel/ini_document.h"
#include "platform/kernel/file_bytes.h"
#include "platform/kernel/winbase.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr size_t kMaxIniBytes = size_t(1) << 20;

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Names match without regard to the case of single-byte letters.
bool sameName(std::string_view a, std::string_view b)
{
    return lstrcmpiA(std::string(a).c_str(), std::string(b).c_str()) == 0;
}

bool writeAll(int fd, const std::string& data)
{
    for (size_t done = 0; done < data.size();) {
        ssize_t put = write(fd, data.data() + done, data.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        done += size_t(put);
    }
    return true;
}

} // namespace

IniDocument IniDocument::load(const std::string& hostFile)
{
    struct stat st {};
    const bool known = stat(hostFile.c_str(), &st) == 0;
    if (!known && (errno == ENOENT || errno == ENOTDIR))
        return IniDocument();
    // A settings file is a few kilobytes: anything else in its place (a pipe, a device such as
    // /dev/zero, a huge file) is unreadable rather than read for ever.
    std::optional<std::vector<uint8_t>> bytes = readHostFile(hostFile, kMaxIniBytes);
    if (!bytes) {
        if (known && S_ISDIR(st.st_mode))
            errno = EISDIR;
        else if (known && !S_ISREG(st.st_mode))
            errno = EINVAL;
        else if (known && uint64_t(st.st_size) > kMaxIniBytes)
            errno = EFBIG;
        IniDocument unreadable;
        unreadable.m_found = true;
        unreadable.m_readable = false;
        return unreadable;
    }
    IniDocument document = parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    document.m_found = true;
    return document;
}

IniDocument IniDocument::parse(std::string_view text)
{
    IniDocument document;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        document.m_lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return document;
}

std::string IniDocument::text() const
{
    std::string text;
    for (auto& line : m_lines)
        text += line + "\r\n";
    return text;
}

std::optional<std::string> IniDocument::sectionOf(std::string_view line)
{
    line = trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    size_t close = line.find(']');
    return std::string(trim(line.substr(0, close)));
}

std::optional<IniDocument::Entry> IniDocument::entryOf(std::string_view line)
{
    std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' || trimmed.front() == '[')
        return std::nullopt;
    size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    // Blanks around '=' go; a value keeps its own trailing blanks ("TRUE " is not "TRUE").
    std::string_view value = line.substr(line.find('=') + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '\r')
        value.remove_suffix(1);
    return Entry { std::string(trim(trimmed.substr(0, equals))), std::string(value) };
}

std::optional<size_t> IniDocument::findSection(std::string_view section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (auto name = sectionOf(m_lines[i]); name && sameName(*name, trim(section)))
            return i;
    return std::nullopt;
}

size_t IniDocument::sectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < m_lines.size() && !sectionOf(m_lines[i]))
        ++i;
    return i;
}

std::vector<std::string> IniDocument::sectionNames() const
{
    std::vector<std::string> names;
    for (auto& line : m_lines)
        if (auto name = sectionOf(line))
            names.push_back(*name);
    return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const
{
    std::vector<std::string> keys;
    if (auto header = findSection(section))
        for (size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i)
            if (auto entry = entryOf(m_lines[i]))
                keys.push_back(entry->key);
    return keys;
}

std::vector<std::string> IniDocument::entries(std::string_view section) const
{
    std::vector<std::string> result;
    if (auto header = findSection(section))
        for (size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i)
            if (auto entry = entryOf(m_lines[i]))
                result.push_back(entry->key + "=" + entry->value);
    return result;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    auto header = findSection(section);
    if (!header)
        return std::nullopt;
    for (size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i) {
        auto entry = entryOf(m_lines[i]);
        if (!entry || !sameName(entry->key, trim(key)))
            continue;
        std::string& text = entry->value;
        // One pair of enclosing quotes is not part of the value.
        if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
            return text.substr(1, text.size() - 2);
        return text;
    }
    return std::nullopt;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    // A line break in the value would start lines of its own (even a section header).
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string line = std::string(trim(key)) + "=" + std::string(value);
    auto header = findSection(section);
    if (!header) {
        m_lines.push_back("[" + std::string(trim(section)) + "]");
        m_lines.push_back(line);
        return true;
    }
    size_t end = sectionEnd(*header);
    size_t insertAt = *header + 1;
    for (size_t i = *header + 1; i < end; ++i) {
        auto entry = entryOf(m_lines[i]);
        if (entry && sameName(entry->key, trim(key))) {
            if (m_lines[i] == line)
                return false;
            m_lines[i] = line;
            return true;
        }
        // New keys go after the section's last non-blank line, before the gap to the next one.
        if (!trim(m_lines[i]).empty())
            insertAt = i + 1;
    }
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(insertAt), line);
    return true;
}

bool IniDocument::deleteKey(std::string_view section, std::string_view key)
{
    auto header = findSection(section);
    if (!header)
        return false;
    for (size_t i = *header + 1, end = sectionEnd(*header); i < end; ++i) {
        auto entry = entryOf(m_lines[i]);
        if (entry && sameName(entry->key, trim(key))) {
            m_lines.erase(m_lines.begin() + std::ptrdiff_t(i));
            return true;
        }
    }
    return false;
}

bool IniDocument::deleteSection(std::string_view section)
{
    auto header = findSection(section);
    if (!header)
        return false;
    m_lines.erase(m_lines.begin() + std::ptrdiff_t(*header), m_lines.begin() + std::ptrdiff_t(sectionEnd(*header)));
    return true;
}

bool IniDocument::save(const std::string& hostFile) const
{
    static std::atomic<unsigned> counter { 0 };
    std::string contents = text();
    std::string temporary = hostFile + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(counter++);
    struct stat st;
    mode_t mode = stat(hostFile.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0666;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, contents) && fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && rename(temporary.c_str(), hostFile.c_str()) == 0)
        return true;
    if (ok)
        error = errno;
    unlink(temporary.c_str());
    errno = error;
    return false;
}

} // namespace platform
