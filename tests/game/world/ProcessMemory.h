#pragma once
#include <malloc.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#define ZELMO_PROCESS_MEMORY_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELMO_PROCESS_MEMORY_ASAN 1
#endif
#endif

#ifdef ZELMO_PROCESS_MEMORY_ASAN
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

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

// The heap blocks the program has allocated and not yet freed. Unlike the resident memory, it
// leaves out what the allocator keeps in hand for later and, under AddressSanitizer, the freed
// blocks it holds back and its shadow memory.
inline long heapInUseKiB() {
#ifdef ZELMO_PROCESS_MEMORY_ASAN
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
#endif
}

}  // namespace WorldTest
