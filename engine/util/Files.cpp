#include "engine/util/Files.h"

#include <fstream>

namespace Util {

size_t fileSize(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return 0;
    const auto count = file.tellg();
    return count < 0 ? 0 : size_t(count);
}

bool readTextFile(const std::string& path, std::string& text, const std::string& separator) {
    if (fileSize(path) == 0) return false;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        text += line;
        text += line.empty() ? std::string("\n") : separator;
    }
    return true;
}

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::trunc);
    if (!file) return false;
    for (const auto& line : lines) file << line << '\n';
    file.flush();
    return bool(file);
}

}  // namespace Util
