// The seed inputs of the fuzz targets, made from the generated data and by the writers.
#pragma once

#include <filesystem>

namespace mkdata {

// Writes corpus/<target>/seed-<name> for every fuzz target; the program folder must hold the
// generated data already.
void writeFuzzCorpus(const std::filesystem::path& corpus, const std::filesystem::path& program);

} // namespace mkdata
