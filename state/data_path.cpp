// The data folders below the program folder.
#include "state/data_path.h"

#include "platform/kernel/host.h"

void buildDataPath(std::string& out, const char* name, int kind)
{
    static const char* const kFolders[] = { "bmp\\", "unit\\", "wave\\", "map\\", "lc\\", "munit\\", "bgm\\", "rule\\" };
    // The running program's folder, in game form: what the application object reports too.
    out = platform::gamePathFromHost(platform::programFolder());
    if (out.empty() || out.back() != '\\')
        out += '\\';
    if (kind != 0 && kind != 1)
        out += "tk";
    if (kind >= 2 && kind <= 9)
        out += kFolders[kind - 2];
    out += name;
}

std::string dataPath(const char* name, int kind)
{
    std::string path;
    buildDataPath(path, name, kind);
    return path;
}
