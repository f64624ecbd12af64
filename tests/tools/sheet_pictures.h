// Reads the generated sheets of the program folder as 0xRRGGBB pixels for the picture tests.
#pragma once

#include "platform/gdi/bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testing_sheets {

constexpr uint32_t kMagenta = 0xFF00FF;

struct Picture {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool clear(int x, int y) const { return at(x, y) == kMagenta; }
};

inline std::vector<uint8_t> readProgramFile(const std::string& name)
{
    std::ifstream in(std::filesystem::path(DERAZODO_PROGRAM_DIR) / name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// An 8-bit picture of the program folder as written by the data generator; an empty picture when
// it cannot be read.
inline Picture readPicture(const std::string& path)
{
    const std::vector<uint8_t> bytes = readProgramFile(path);
    BmpReadResult read = bmpReadBytes(bytes);
    Picture picture;
    if (!read || read.dib.header().biBitCount != 8)
        return picture;
    const BITMAPINFOHEADER& header = read.dib.header();
    picture.width = header.biWidth;
    picture.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    picture.bits = header.biBitCount;
    const RGBQUAD* colours = read.dib.colours();
    const size_t stride = size_t(bmpRowStride(8, picture.width));
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const int row = header.biHeight < 0 ? y : picture.height - 1 - y;
        const uint8_t* src = read.dib.pixels() + size_t(row) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const RGBQUAD& c = colours[src[x]];
            picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] =
                uint32_t(c.rgbRed) << 16 | uint32_t(c.rgbGreen) << 8 | c.rgbBlue;
        }
    }
    return picture;
}

// A sheet of the bitmap folder.
inline Picture readSheet(const std::string& name) { return readPicture("tkbmp/" + name); }

// Pixels of one cell that are not magenta.
inline int drawnPixels(const Picture& sheet, int column, int row, int size)
{
    int count = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            count += !sheet.clear(column * size + x, row * size + y);
    return count;
}

// Blue or grey: what the owner's hue turn tints (blue) or spares (grey).
inline bool blueOrGrey(uint32_t c)
{
    const int r = int(c >> 16 & 255), g = int(c >> 8 & 255), b = int(c & 255);
    return (r == g && g == b) || (b > r && b > g);
}

// The lines of a master file of the program folder, split at its commas (comma-separated CP932,
// where commas and digits read as in ASCII); column n is field n - 1.
inline std::vector<std::vector<std::string>> masterLines(const std::string& file)
{
    const std::vector<uint8_t> bytes = readProgramFile(file);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::vector<std::string>> lines;
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string>& fields = lines.emplace_back(1);
        for (char ch : line) {
            if (ch == ',')
                fields.emplace_back();
            else
                fields.back().push_back(ch);
        }
    }
    return lines;
}

// Unit type id (column 1) to imageNumber (column 131) of each line of a unit type master file.
inline std::map<int, int> unitPictures(const std::string& file)
{
    std::map<int, int> pictures;
    for (const std::vector<std::string>& fields : masterLines(file))
        if (fields.size() >= 131 && !fields[0].empty())
            pictures[std::atoi(fields[0].c_str())] = std::atoi(fields[130].c_str());
    return pictures;
}

} // namespace testing_sheets
