// UTF-8 encoding steps for the code page conversions.
#include "platform/kernel/codepage_tables.h"

namespace platform {

size_t decodeUtf8(std::string_view text, size_t pos, char32_t& out)
{
    uint8_t byte = uint8_t(text[pos]);
    if (byte < 0x80) {
        out = byte;
        return 1;
    }
    size_t length;
    char32_t value;
    char32_t minimum;
    if ((byte & 0xE0) == 0xC0) {
        length = 2, value = byte & 0x1F, minimum = 0x80;
    } else if ((byte & 0xF0) == 0xE0) {
        length = 3, value = byte & 0x0F, minimum = 0x800;
    } else if ((byte & 0xF8) == 0xF0) {
        length = 4, value = byte & 0x07, minimum = 0x10000;
    } else {
        out = kUnmappable;
        return 1;
    }
    if (pos + length > text.size()) {
        out = kUnmappable;
        return 1;
    }
    for (size_t i = 1; i < length; ++i) {
        uint8_t next = uint8_t(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            out = kUnmappable;
            return 1;
        }
        value = value << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not characters.
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
        out = kUnmappable;
        return 1;
    }
    out = value;
    return length;
}

void appendUtf8(char32_t unicode, std::string& out)
{
    if (unicode < 0x80) {
        out.push_back(char(unicode));
    } else if (unicode < 0x800) {
        out.push_back(char(0xC0 | unicode >> 6));
        out.push_back(char(0x80 | (unicode & 0x3F)));
    } else if (unicode < 0x10000) {
        out.push_back(char(0xE0 | unicode >> 12));
        out.push_back(char(0x80 | (unicode >> 6 & 0x3F)));
        out.push_back(char(0x80 | (unicode & 0x3F)));
    } else {
        out.push_back(char(0xF0 | unicode >> 18));
        out.push_back(char(0x80 | (unicode >> 12 & 0x3F)));
        out.push_back(char(0x80 | (unicode >> 6 & 0x3F)));
        out.push_back(char(0x80 | (unicode & 0x3F)));
    }
}

} // namespace platform
