#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gfx {

// The whole file, byte for byte; false, with bytes emptied, when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace gfx
