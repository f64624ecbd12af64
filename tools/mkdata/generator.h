// Generators of the program folder's data. Each generator file registers itself with
// MKDATA_GENERATOR; mkdata runs them all in name order.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mkdata {

using GeneratorFn = std::function<void(const std::filesystem::path& programFolder)>;

struct Generator {
    std::string name;
    GeneratorFn run;
};

std::vector<Generator>& generators();

struct GeneratorRegistration {
    GeneratorRegistration(std::string name, GeneratorFn run)
    {
        generators().push_back({std::move(name), std::move(run)});
    }
};

// Writes bytes to a file below the program folder, creating its folders; throws on failure.
void writeFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
void writeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace mkdata

#define MKDATA_CONCAT2(a, b) a##b
#define MKDATA_CONCAT(a, b) MKDATA_CONCAT2(a, b)
#define MKDATA_GENERATOR(name, fn) \
    static ::mkdata::GeneratorRegistration MKDATA_CONCAT(mkdataRegistration, __LINE__)(name, fn)
