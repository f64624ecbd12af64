// Fuzzes the wave reader: any bytes are either a located wave or a thrown file error.
#include "lib/error.h"
#include "lib/media/wave_data.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        WaveData wave(std::vector<uint8_t>(data, data + size));
        volatile uint8_t sink = 0;
        for (DWORD i = 0; i < wave.dataSize(); i += 97)
            sink = sink + wave.samples()[i];
        if (wave.dataSize())
            sink = sink + wave.samples()[wave.dataSize() - 1];
    } catch (swCError* error) {
        delete error;
    }
    return 0;
}
