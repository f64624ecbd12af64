// Line-end conversion.
#include "state/small_utilities.h"

#include "platform/kernel/host.h"

std::string convertLfToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (size_t i = 0; i < text.size() && text[i] != 0; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (platform::isCp932LeadByte(c) && i + 1 < text.size() && text[i + 1] != 0) {
            out += text[i];
            out += text[++i];
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += "\r\n";
            ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}
