// Feeds any bytes to the map reader: refused, or a file whose cells fill its map and that writes back.
#include "state/map_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static ScenarioFile file;
    if (readScenarioBytes(std::span(data, size), file))
        return 0;
    if (file.cells.size() != size_t(file.width()) * size_t(file.height()))
        std::abort();
    ScenarioFile again;
    if (readScenarioBytes(writeScenarioBytes(file), again))
        std::abort();
    return 0;
}
