// Feeds arbitrary bytes to the ini reader and editor; what it writes must read back the same.
#include "platform/kernel/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using platform::IniDocument;
    IniDocument document = IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : document.sectionNames())
        for (const std::string& key : document.keyNames(section))
            document.value(section, key);
    document.setValue("Fuzz", "Key", "value");
    std::vector<std::string> names = document.keyNames("Fuzz");
    if (document.value("fuzz", "key") != std::optional<std::string>("value"))
        std::abort();
    IniDocument again = IniDocument::parse(document.text());
    if (again.sectionNames() != document.sectionNames() || again.text() != document.text())
        std::abort();
    document.deleteKey("Fuzz", "Key");
    document.deleteSection("Fuzz");
    return 0;
}
