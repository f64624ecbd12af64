// Link archive parsing and the run-length decoder.
#include "lib/file_link_reader.h"

#include "lib/error.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// No member of the game's archives comes near this; a member that would unpack to more is refused
// before anything of that size is allocated.
constexpr size_t kMaxMemberBytes = size_t(32) << 20;

[[noreturn]] void refuse()
{
    throw new swCFileError(1);
}

template <class Unit>
Unit loadUnit(const uint8_t* p)
{
    if constexpr (sizeof(Unit) == 1)
        return p[0];
    else
        return Unit(p[0] | (p[1] << 8));
}

template <class Unit>
void storeUnit(uint8_t* p, Unit value)
{
    p[0] = uint8_t(value);
    if constexpr (sizeof(Unit) == 2)
        p[1] = uint8_t(value >> 8);
}

// A unit equal to the literal before it is followed by a count n: the literal stands n times
// in all (0 counts as 1). Any other unit is a new literal.
template <class Unit>
size_t decode(uint8_t* out, size_t capacity, const uint8_t* in, size_t length)
{
    constexpr size_t w = sizeof(Unit);
    size_t produced = 0;
    auto emit = [&](Unit value, size_t times) {
        if (out) {
            if (times > capacity - produced)
                refuse();
            for (size_t k = 0; k < times; ++k)
                storeUnit<Unit>(out + (produced + k) * w, value);
        }
        produced += times;
    };
    if (length == 0)
        return 0;
    Unit literal = loadUnit<Unit>(in);
    emit(literal, 1);
    size_t i = 1;
    while (i < length) {
        if (loadUnit<Unit>(in + i * w) == literal) {
            if (i + 1 >= length)
                refuse();
            size_t n = loadUnit<Unit>(in + (i + 1) * w);
            if (n > 1)
                emit(literal, n - 1);
            i += 2;
            if (i >= length)
                break;
        }
        literal = loadUnit<Unit>(in + i * w);
        emit(literal, 1);
        ++i;
    }
    return produced;
}

void readExact(LinkSource& source, uint64_t offset, void* buffer, size_t count)
{
    uint64_t size = source.size();
    if (offset > size || count > size - offset)
        refuse();
    if (source.readAt(offset, buffer, count) != count)
        refuse();
}

uint32_t loadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool isPacked(uint32_t method) { return method == 0 || method == 1; }

// A method-1 stored size counts bytes, so it holds size / 2 units; an odd size is damage.
size_t storedUnits(uint32_t method, size_t bytes)
{
    if (method == 1 && bytes % 2 != 0)
        refuse();
    return method == 1 ? bytes / 2 : bytes;
}

size_t unitWidth(uint32_t method) { return method == 1 ? 2 : 1; }

std::vector<uint8_t> readDirectoryMember(LinkSource& source, uint32_t index)
{
    uint8_t entry[16];
    readExact(source, 20 + 16 * uint64_t(index), entry, sizeof entry);
    uint32_t method = loadU32(entry);
    uint32_t unpacked = loadU32(entry + 4);
    uint32_t stored = loadU32(entry + 8);
    uint32_t offset = loadU32(entry + 12);

    if (uint64_t(offset) + stored > source.size() || unpacked > kMaxMemberBytes)
        refuse();
    std::vector<uint8_t> bytes(stored);
    readExact(source, offset, bytes.data(), stored);
    if (!isPacked(method)) {
        if (stored != unpacked)
            refuse();
        return bytes;
    }
    // The runs must give exactly the directory's size: a member is never padded or cut.
    size_t units = storedUnits(method, stored);
    size_t width = unitWidth(method);
    if (rleDecode(nullptr, 0, bytes.data(), int(method), units) * width != unpacked)
        refuse();
    std::vector<uint8_t> member(unpacked);
    rleDecode(member.data(), unpacked / width, bytes.data(), int(method), units);
    return member;
}

std::vector<uint8_t> readBlockMember(LinkSource& source, uint32_t index)
{
    uint8_t range[8];
    readExact(source, 16 + 4 * uint64_t(index), range, sizeof range);
    uint32_t start = loadU32(range);
    uint32_t end = loadU32(range + 4);
    if (end < start || end > source.size())
        refuse();
    std::vector<uint8_t> chain(end - start);
    readExact(source, start, chain.data(), chain.size());

    // Pass one sizes the member, pass two fills it; every block lies wholly inside the chain.
    auto walk = [&](uint8_t* out, size_t capacity) {
        size_t total = 0;
        size_t pos = 0;
        while (pos < chain.size()) {
            if (chain.size() - pos < 3)
                refuse();
            size_t length = chain[pos] | chain[pos + 1] << 8;
            uint32_t method = chain[pos + 2];
            const uint8_t* data = chain.data() + pos + 3;
            if (length > chain.size() - pos - 3)
                refuse();
            size_t produced;
            if (isPacked(method)) {
                size_t width = unitWidth(method);
                uint8_t* at = out ? out + total : nullptr;
                produced = rleDecode(at, out ? (capacity - total) / width : 0, data, int(method), storedUnits(method, length)) * width;
            } else {
                if (out && length > capacity - total)
                    refuse();
                if (out)
                    std::memcpy(out + total, data, length);
                produced = length;
            }
            if (produced > kMaxMemberBytes - total)
                refuse();
            total += produced;
            pos += 3 + length;
        }
        return total;
    };
    std::vector<uint8_t> member(walk(nullptr, 0));
    walk(member.data(), member.size());
    return member;
}

} // namespace

MemoryLinkSource::MemoryLinkSource(const void* data, size_t size)
    : m_data(static_cast<const uint8_t*>(data))
    , m_size(size)
{
}

size_t MemoryLinkSource::readAt(uint64_t offset, void* buffer, size_t count)
{
    if (offset >= m_size)
        return 0;
    size_t n = std::min<uint64_t>(count, m_size - offset);
    if (n > 0)
        std::memcpy(buffer, m_data + offset, n);
    return n;
}

size_t rleDecode(void* destination, size_t destination_units, const void* source, int method, size_t length)
{
    auto* out = static_cast<uint8_t*>(destination);
    auto* in = static_cast<const uint8_t*>(source);
    if (method == 1)
        return decode<uint16_t>(out, destination_units, in, length);
    return decode<uint8_t>(out, destination_units, in, length);
}

int linkDetectVersion(LinkSource& source)
{
    char header[17] = {};
    source.readAt(0, header, 16);
    if (std::strcmp(header, "FLINK2 ver.00") == 0)
        return linkVersionBlocks;
    if (std::strcmp(header, "FLINK Ver1.00") == 0)
        return linkVersionDirectory;
    return linkVersionNone;
}

std::vector<uint8_t> linkReadMember(LinkSource& source, int version, uint32_t index)
{
    switch (version) {
    case linkVersionDirectory:
        return readDirectoryMember(source, index);
    case linkVersionBlocks:
        return readBlockMember(source, index);
    default:
        return {};
    }
}
