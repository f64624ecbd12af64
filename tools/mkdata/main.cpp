// mkdata: writes the game's original data set into a program folder.
#include "tools/mkdata/fuzz_corpus.h"
#include "tools/mkdata/generator.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace mkdata {

std::vector<Generator>& generators()
{
    static std::vector<Generator> list;
    return list;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

namespace {

// The folders the game starts its file dialogs in: saved games, and the person's own tables. They
// hold no data of ours, but a dialog whose folder is missing would start somewhere else.
void writeEmptyFolders(const std::filesystem::path& folder)
{
    for (const char* name : { "save", "data" })
        std::filesystem::create_directories(folder / name);
}

MKDATA_GENERATOR("empty_folders", writeEmptyFolders);

} // namespace

} // namespace mkdata

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--fuzz-corpus") {
        try {
            mkdata::writeFuzzCorpus(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "mkdata: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkdata <program folder>\n       mkdata --fuzz-corpus <corpus folder> <program folder>\n");
        return 2;
    }
    std::filesystem::path folder = argv[1];
    auto list = mkdata::generators();
    std::sort(list.begin(), list.end(), [](auto& a, auto& b) { return a.name < b.name; });
    try {
        for (auto& generator : list)
            generator.run(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkdata: %s\n", e.what());
        return 1;
    }
    return 0;
}
