// Link archive parsing over any byte source: the "FLINK Ver1.00" directory form, the
// "FLINK2 ver.00" block-chain form and their run-length decoder. Damaged input is refused
// with swCFileError code 1 (read); nothing is read or written outside its bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Random access to an archive's bytes: the open file, or memory.
class LinkSource {
public:
    virtual ~LinkSource() = default;
    virtual uint64_t size() = 0;
    // Reads up to count bytes at offset; returns how many were read.
    virtual size_t readAt(uint64_t offset, void* buffer, size_t count) = 0;
};

class MemoryLinkSource final : public LinkSource {
public:
    MemoryLinkSource(const void* data, size_t size);
    uint64_t size() override { return m_size; }
    size_t readAt(uint64_t offset, void* buffer, size_t count) override;

private:
    const uint8_t* m_data;
    size_t m_size;
};

// Archive versions as the archive object stores them.
enum LinkVersion : int {
    linkVersionBlocks = 0, // "FLINK2 ver.00"
    linkVersionDirectory = 1, // "FLINK Ver1.00"
    linkVersionNone = 2, // not a link archive
};

int linkDetectVersion(LinkSource& source);

// The unpacked bytes of member index of an archive of the given version (empty for
// linkVersionNone). Throws swCFileError code 1 for an index or member the file does not hold.
std::vector<uint8_t> linkReadMember(LinkSource& source, int version, uint32_t index);

// Run-length decoding. Method 1 works in 16-bit little-endian units, any other method in bytes;
// length and the result count units. With no destination it only counts. Throws swCFileError
// code 1 when the source ends inside a run or the output would pass destination_units.
size_t rleDecode(void* destination, size_t destination_units, const void* source, int method, size_t length);
