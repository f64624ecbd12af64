// Internal helpers shared by the code page conversions: the CP932 tables and UTF-8 steps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct CodePageTables {
    std::vector<uint16_t> toUnicode;   // CP932 code (byte, or lead << 8 | trail) -> BMP code point
    std::vector<uint16_t> fromUnicode; // BMP code point -> CP932 code; 0 = none
};
const CodePageTables& codePageTables();

// Marks a character that the source encoding does not define.
inline constexpr char32_t kUnmappable = 0xFFFFFFFF;

bool isCp932TrailByte(unsigned char byte);
// Decodes the character at pos; returns the bytes it took (at least 1).
size_t decodeCp932(std::string_view text, size_t pos, char32_t& out);
// Appends the character; '?' and false when CP932 has no code for it.
bool encodeCp932(char32_t unicode, std::string& out);

// Decodes the UTF-8 sequence at pos; malformed input yields kUnmappable for one byte.
size_t decodeUtf8(std::string_view text, size_t pos, char32_t& out);
void appendUtf8(char32_t unicode, std::string& out);

} // namespace platform
