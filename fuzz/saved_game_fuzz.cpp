// Feeds arbitrary bytes to the saved-game reader and to the preview reader.
#include "state/map_file_layout.h"
#include "state/memory_read_stream.h"
#include "state/saved_game.h"
#include "state/saved_game_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto image = std::make_unique<SavedGameImage>();
    MemoryReadStream stream(data, size);
    readSavedGameImage(stream, *image);

    static auto cells = std::make_unique<FileMapCell[]>(65536);
    CampaignBlock campaign;
    MapHeader header;
    TurnBlock turn;
    SaveFileInfo info { &campaign, &header, &turn, cells.get() };
    MemoryReadStream preview(data, size);
    readSaveFileHeader(preview, info);
    return 0;
}
