#include "engine/gfx/FileRead.h"

#include <fstream>

namespace gfx {

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return false;
    }
    std::streamoff size = file.tellg();
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace gfx
