// swCFileLink: the archive parsing of file_link_reader over the open file.
#include "lib/file_link.h"

#include "lib/file_link_reader.h"

#include <limits>

namespace {

class FileSource final : public LinkSource {
public:
    explicit FileSource(swCFile& file)
        : m_file(file)
    {
    }

    uint64_t size() override { return m_file.fileGetSize(); }

    size_t readAt(uint64_t offset, void* buffer, size_t count) override
    {
        if (offset > uint64_t(std::numeric_limits<LONG>::max()) || count > std::numeric_limits<DWORD>::max())
            return 0;
        m_file.fileSeek(LONG(offset), 0);
        return m_file.fileRead(buffer, DWORD(count));
    }

private:
    swCFile& m_file;
};

} // namespace

swCFileLink::swCFileLink(const char* name)
    : swCFile(name, 0)
{
    FileSource source(*this);
    m_version = linkDetectVersion(source);
}

DWORD swCFileLink::linkGetMember(uint32_t index, const BYTE** data)
{
    if (m_version == linkVersionNone)
        return 0;
    m_member.clear();
    m_member.shrink_to_fit();
    FileSource source(*this);
    m_member = linkReadMember(source, m_version, index);
    *data = m_member.data();
    return DWORD(m_member.size());
}
