// The pictures embedded in the sample scenario, as whole BMP files.
#pragma once

#include <vector>

namespace mkdata::maps {

std::vector<unsigned char> riversideBriefingPicture();
std::vector<unsigned char> riversideNewsPicture();

} // namespace mkdata::maps
