// Feeds arbitrary bytes to the link archive reader; damaged archives must be refused, never overrun.
#include "lib/error.h"
#include "lib/file_link_reader.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryLinkSource source(data, size);
    int version = linkDetectVersion(source);
    for (uint32_t index = 0; index < 8; ++index) {
        try {
            linkReadMember(source, version, index);
        } catch (swCError* error) {
            std::unique_ptr<swCError> owned(error);
        }
    }
    return 0;
}
