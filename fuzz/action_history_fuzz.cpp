// Feeds arbitrary bytes to the history block reader and writes every record read as text.
#include "state/action_history.h"
#include "state/memory_read_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryReadStream stream(data, size);
    ActionHistoryLog log;
    log.read(stream, size);
    std::string line;
    for (uint32_t i = 0; i < log.count() && i < 64; ++i)
        log.writeText(log.record(i), line);
    return 0;
}
