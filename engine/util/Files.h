#pragma once
#include <cstddef>
#include <string>

namespace Util {

// Size in bytes; 0 when the file cannot be opened.
size_t fileSize(const std::string& path);

// Appends every line followed by the separator (a line feed for empty lines).
// False, with the text untouched, when the file is empty or missing.
bool readTextFile(const std::string& path, std::string& text, const std::string& separator = "\n");

// Replaces the file whole or not at all: the contents go to PATH.tmp, on to the disk, and then
// take the file's place, with the old file's permissions (a new file gets the usual ones). False,
// with the system's reason and any old file untouched, when a step fails.
bool replaceFile(const std::string& path, const std::string& contents, std::string& reason);

}  // namespace Util
