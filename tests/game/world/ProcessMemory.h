#pragma once
#include <cstdio>
#include <cstring>

namespace WorldTest {

// A "VmRSS"-style line of /proc/self/status, in KiB; 0 where the system does not tell.
inline long processStatusKiB(const char* field) {
    std::FILE* file = std::fopen("/proc/self/status", "r");
    if (!file) return 0;
    char line[256];
    long value = 0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            std::sscanf(line + length + 1, "%ld", &value);
            break;
        }
    }
    std::fclose(file);
    return value;
}

// The memory the process holds now.
inline long residentKiB() { return processStatusKiB("VmRSS"); }
// The most memory the process has held at once.
inline long peakResidentKiB() { return processStatusKiB("VmHWM"); }

}  // namespace WorldTest
