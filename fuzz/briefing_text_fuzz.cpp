// Feeds any bytes, cut like a scenario text field, to the briefing's layouts: every sub-page starts
// inside the text and every line fits its width.
#include "dialogs/briefing_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size < 4802 ? size : 4801);
    for (TextLineTaker take : { takeTextLine, takeNewsTextLine }) {
        for (int start : pagedSubPageStarts(text.c_str(), kNewsShape, take)) {
            if (start < 0 || size_t(start) > text.size())
                std::abort();
            for (const std::string& line : pagedSubPageLines(text.c_str(), kNewsShape, start, take))
                if (line.size() > 50)
                    std::abort();
        }
    }
    const size_t half = text.size() / 2;
    const std::string goals = text.substr(0, half);
    const std::string camps = text.substr(half);
    for (const GoalsSubPage& page : goalsSubPages(goals.c_str(), camps.c_str()))
        if (goalsSubPageLines(goals.c_str(), camps.c_str(), page).size() > 16)
            std::abort();
    scrolledLayout(text.c_str(), kMissionShape);
    return 0;
}
