// The folder games are saved in and resumed from.
#include "ui/save_folder.h"

#include "platform/windows.h"
#include "state/data_path.h"
#include "state/game_settings.h"

namespace {

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string gameSaveFolder()
{
    std::string kept;
    makeNamedValue("SaveGamePath").profileReadString(kept, "");
    if (!kept.empty() && isFolder(kept))
        return kept;
    // The save dialog would start in the program folder where a folder is missing, while the resume
    // list would show the missing one empty.
    std::string folder = dataPath("save\\", kFolderProgram);
    if (!isFolder(folder))
        CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
