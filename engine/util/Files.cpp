#include "engine/util/Files.h"

#include <fstream>

namespace Util {

size_t fileSize(const std::string& path) {
    std::ifstream l_file(path, std::ios::binary | std::ios::ate);
    if (!l_file) return 0;
    const auto l_size = l_file.tellg();
    return l_size < 0 ? 0 : size_t(l_size);
}

bool readTextFile(const std::string& path, std::string& text, const std::string& separator) {
    if (fileSize(path) == 0) return false;
    std::ifstream l_file(path);
    std::string l_line;
    while (std::getline(l_file, l_line)) {
        text += l_line;
        text += l_line.empty() ? std::string("\n") : separator;
    }
    return true;
}

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream l_file(path, std::ios::trunc);
    if (!l_file) return false;
    for (const auto& l_line : lines) l_file << l_line << '\n';
    l_file.flush();
    return bool(l_file);
}

}  // namespace Util
