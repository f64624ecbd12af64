// The program's settings file "derazodo.ini", holding the start mode so that a first start goes
// straight to the main window. A file already there holds a person's settings and is kept.
#include "tools/mkdata/generator.h"

namespace mkdata {
namespace {

void writeSettings(const std::filesystem::path& programFolder)
{
    const std::filesystem::path path = programFolder / "derazodo.ini";
    if (!std::filesystem::exists(path))
        writeFile(path, std::string("[Environment]\r\nSimpleMode=0\r\n"));
}

} // namespace

MKDATA_GENERATOR("settings", writeSettings);

} // namespace mkdata
