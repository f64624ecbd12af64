// Folders and names for the file dialogs: game-style paths ("\" separators, CP932), listing a
// folder through the kernel layer, and the filter pairs of OPENFILENAMEA.
#pragma once

#include <string>
#include <vector>

namespace platform::commdlg {

struct FolderEntry {
    std::string name; // CP932
    bool folder = false;
};

struct Filter {
    std::string description;
    std::vector<std::string> patterns; // "*.sav", "*.*", ...
};

// "desc\0*.a;*.b\0desc2\0*.c\0\0" into pairs; a description without a pattern ends the list.
std::vector<Filter> parseFilters(const char* pairs);

// Sub-folders first, then the files matching any pattern; each group sorted without regard to case.
std::vector<FolderEntry> listFolder(const std::string& folder, const std::vector<std::string>& patterns);

std::string programGameFolder();
std::string currentFolder();
bool isFolder(const std::string& path);
bool isFile(const std::string& path);
bool isAbsolute(const std::string& path);
// Folder plus name; an absolute name stands alone. The result is normalised ("." and ".." removed).
std::string joinPath(const std::string& folder, const std::string& name);
std::string parentFolder(const std::string& path);
// Offsets of the name and of the extension (after the dot; the terminator when none) in a path.
size_t nameOffset(const std::string& path);
size_t extensionOffset(const std::string& path);
bool hasWildcard(const std::string& name);
// The folders from the root down to the path, for the folder combo box.
std::vector<std::string> folderChain(const std::string& path);

} // namespace platform::commdlg
