#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace Util {

// Size in bytes; 0 when the file cannot be opened.
size_t fileSize(const std::string& path);

// Appends every line followed by the separator (a line feed for empty lines).
// False, with the text untouched, when the file is empty or missing.
bool readTextFile(const std::string& path, std::string& text, const std::string& separator = "\n");

// Creates or replaces the file, each text followed by a line break; false on any failure.
bool writeTextFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace Util
