// CP932 <-> Unicode tables, built once from the host's iconv converter.
#include "platform/kernel/host.h"
#include "platform/kernel/codepage_tables.h"

#include <cassert>
#include <iconv.h>
#include <mutex>

namespace platform {

namespace {

// Converts one CP932 sequence (1 or 2 bytes) to a code point; 0xFFFFFFFF when iconv refuses it.
char32_t convertOne(iconv_t cd, const char* in, size_t inLength)
{
    char32_t out = 0;
    char* inPtr = const_cast<char*>(in);
    char* outPtr = reinterpret_cast<char*>(&out);
    size_t inLeft = inLength;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0 || outLeft != 0)
        return 0xFFFFFFFF;
    return out;
}

CodePageTables buildTables()
{
    CodePageTables tables;
    tables.toUnicode.assign(0x10000, 0);
    tables.fromUnicode.assign(0x10000, 0);
    iconv_t cd = iconv_open("UTF-32LE", "CP932");
    assert(cd != iconv_t(-1));
    auto record = [&](uint16_t code, char32_t unicode) {
        if (unicode > 0xFFFF)
            return;
        tables.toUnicode[code] = uint16_t(unicode);
        if (unicode != 0 && tables.fromUnicode[unicode] == 0)
            tables.fromUnicode[unicode] = code;
    };
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (isCp932LeadByte(uint8_t(byte)))
            continue;
        char in = char(byte);
        char32_t unicode = convertOne(cd, &in, 1);
        if (unicode != 0xFFFFFFFF)
            record(uint16_t(byte), unicode);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isCp932LeadByte(uint8_t(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            char in[2] = { char(lead), char(trail) };
            char32_t unicode = convertOne(cd, in, 2);
            if (unicode != 0xFFFFFFFF && unicode != 0)
                record(uint16_t(lead << 8 | trail), unicode);
        }
    }
    iconv_close(cd);
    // Where several codes share one character (NEC and IBM extensions), use the code iconv
    // itself writes, so text written here reads the same elsewhere.
    cd = iconv_open("CP932", "UTF-32LE");
    assert(cd != iconv_t(-1));
    for (uint32_t unicode = 0x80; unicode < 0x10000; ++unicode) {
        if (tables.fromUnicode[unicode] == 0 || (unicode >= 0xD800 && unicode < 0xE000))
            continue;
        char32_t in = unicode;
        char out[4];
        char* inPtr = reinterpret_cast<char*>(&in);
        char* outPtr = out;
        size_t inLeft = sizeof in;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
            continue;
        size_t written = sizeof out - outLeft;
        if (written == 1)
            tables.fromUnicode[unicode] = uint8_t(out[0]);
        else if (written == 2)
            tables.fromUnicode[unicode] = uint16_t(uint8_t(out[0]) << 8 | uint8_t(out[1]));
    }
    iconv_close(cd);
    return tables;
}

} // namespace

const CodePageTables& codePageTables()
{
    static std::once_flag once;
    static const CodePageTables* tables = nullptr;
    std::call_once(once, [] { tables = new CodePageTables(buildTables()); });
    return *tables;
}

bool isCp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isCp932TrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

size_t decodeCp932(std::string_view text, size_t pos, char32_t& out)
{
    const CodePageTables& tables = codePageTables();
    uint8_t byte = uint8_t(text[pos]);
    if (!isCp932LeadByte(byte)) {
        uint16_t unicode = tables.toUnicode[byte];
        out = (unicode != 0 || byte == 0) ? unicode : kUnmappable;
        return 1;
    }
    if (pos + 1 >= text.size() || !isCp932TrailByte(uint8_t(text[pos + 1]))) {
        out = kUnmappable;
        return 1;
    }
    uint16_t unicode = tables.toUnicode[byte << 8 | uint8_t(text[pos + 1])];
    out = unicode != 0 ? unicode : kUnmappable;
    return 2;
}

bool encodeCp932(char32_t unicode, std::string& out)
{
    if (unicode == 0) {
        out.push_back('\0');
        return true;
    }
    uint16_t code = unicode < 0x10000 ? codePageTables().fromUnicode[unicode] : 0;
    if (code == 0) {
        out.push_back('?');
        return false;
    }
    if (code > 0xFF)
        out.push_back(char(code >> 8));
    out.push_back(char(code & 0xFF));
    return true;
}

bool neverStartsLine(char32_t code)
{
    // The usual word processor's standard set; small kana and the prolonged mark may start a line.
    static constexpr std::u32string_view kClosing
        = U"!%),.:;?]}¢°’”‰′″℃、。々〉》」』】〕゛゜ゝゞ・ヽヾ！％），．：；？］｝｡｣､･ﾞﾟ￠";
    return kClosing.find(code) != std::u32string_view::npos;
}

size_t cp932LineCut(std::string_view text, size_t lineStart, size_t cut)
{
    std::vector<size_t> starts;
    char32_t code = 0;
    for (size_t i = lineStart; i < cut;) {
        starts.push_back(i);
        i += decodeCp932(text, i, code);
    }
    size_t at = cut;
    while (at < text.size()) {
        decodeCp932(text, at, code);
        if (!neverStartsLine(code))
            break;
        if (starts.size() < 2)
            return cut;
        at = starts.back();
        starts.pop_back();
    }
    return at;
}

std::u32string cp932ToUtf32(std::string_view cp932)
{
    std::u32string result;
    result.reserve(cp932.size());
    for (size_t pos = 0; pos < cp932.size();) {
        char32_t unicode;
        pos += decodeCp932(cp932, pos, unicode);
        result.push_back(unicode == kUnmappable ? U'?' : unicode);
    }
    return result;
}

std::string utf32ToCp932(std::u32string_view text)
{
    std::string result;
    result.reserve(text.size() * 2);
    for (char32_t unicode : text)
        encodeCp932(unicode, result);
    return result;
}

std::string cp932ToUtf8(std::string_view cp932)
{
    std::string result;
    result.reserve(cp932.size() * 3 / 2);
    for (size_t pos = 0; pos < cp932.size();) {
        char32_t unicode;
        pos += decodeCp932(cp932, pos, unicode);
        appendUtf8(unicode == kUnmappable ? U'?' : unicode, result);
    }
    return result;
}

std::string utf8ToCp932(std::string_view utf8)
{
    std::string result;
    result.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t unicode;
        pos += decodeUtf8(utf8, pos, unicode);
        encodeCp932(unicode == kUnmappable ? U'?' : unicode, result);
    }
    return result;
}

} // namespace platform
