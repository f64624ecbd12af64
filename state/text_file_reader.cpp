// Line and field splitting of the master text files.
#include "state/text_file_reader.h"

#include "lib/error.h"
#include "lib/file.h"
#include "platform/kernel/host.h"

#include <cstring>

namespace {

// No master data, rule or list file comes near this; a larger one is refused before it is read.
constexpr DWORD kMaxTextFileBytes = 16u << 20;

} // namespace

TextFileReader::TextFileReader(const char* path)
{
    swCFile file(path, 0);
    DWORD size = file.fileGetSize();
    if (size > kMaxTextFileBytes)
        throw new swCFileError(6);
    m_buffer.reset(new char[size ? size : 1]);
    DWORD done = size ? file.fileRead(m_buffer.get(), size) : 0;
    m_size = int(done);
    file.fileClose();
}

TextFileReader::TextFileReader(const char* data, size_t size)
    : m_buffer(new char[size ? size : 1])
    , m_size(int(size))
{
    std::memcpy(m_buffer.get(), data, size);
}

int TextFileReader::readLine(char* buffer, int capacity)
{
    int written = 0;
    // Once a byte did not fit, the rest of the line is skipped so the cut stays at a character.
    bool full = false;
    auto put = [&](char c) {
        if (!full && written < capacity - 1)
            buffer[written++] = c;
        else
            full = true;
    };
    m_lineEnded = false;
    while (m_position < m_size) {
        unsigned char c = static_cast<unsigned char>(m_buffer[m_position]);
        if (platform::isCp932LeadByte(c) && m_position + 1 < m_size) {
            if (!full && written < capacity - 2) {
                put(char(c));
                put(m_buffer[m_position + 1]);
            } else {
                full = true;
            }
            m_position += 2;
            continue;
        }
        if (c == 0 || c == '\n') {
            ++m_position;
            m_lineEnded = true;
            break;
        }
        if (c == '\r' && m_position + 1 < m_size && m_buffer[m_position + 1] == '\n') {
            m_position += 2;
            m_lineEnded = true;
            break;
        }
        put(char(c));
        ++m_position;
    }
    if (capacity > 0)
        buffer[written] = '\0';
    return written + 1;
}

int parseCommaList(char* text, std::vector<char*>& list)
{
    int count = 1;
    list.push_back(text);
    for (char* p = text; *p; ++p) {
        if (platform::isCp932LeadByte(static_cast<unsigned char>(*p))) {
            if (p[1])
                ++p;
            continue;
        }
        if (*p == ',') {
            *p = '\0';
            list.push_back(p + 1);
            ++count;
        }
    }
    return count;
}
