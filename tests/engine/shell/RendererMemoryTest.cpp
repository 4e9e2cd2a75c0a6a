// The renderer's start when memory runs out, as under a memory limit (ulimit -v): every allocation
// of the program's own above a size fails while the window starts. The renderer's buffers are
// megabytes; the rest of its start asks for far less.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "engine/shell/AppContext.h"

namespace {

std::size_t g_largestAllocation = SIZE_MAX;

void* allocate(std::size_t size) {
    if (size > g_largestAllocation) throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

void* allocateOrNull(std::size_t size) noexcept {
    try {
        return allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Allocations above the size fail for as long as it lives.
class MemoryLimit {
public:
    explicit MemoryLimit(std::size_t largest) { g_largestAllocation = largest; }
    ~MemoryLimit() { g_largestAllocation = SIZE_MAX; }
    MemoryLimit(const MemoryLimit&) = delete;
    MemoryLimit& operator=(const MemoryLimit&) = delete;
};

TEST(RendererStart, RunningOutOfMemoryFailsTheStartWithOneLine) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    AppContext context(false, 640, 480, false, 60, 0);
    ::testing::internal::CaptureStderr();
    bool started = true;
    {
        const MemoryLimit limit(1u << 20);
        started = context.run("ZELMO", 640, 480, false, 1.0f);
    }
    EXPECT_FALSE(started);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Not enough memory to start the renderer.\n");
}

}  // namespace

// Every form that plain, array and nothrow allocations take, so that each pair of allocation and
// release meets here (the sanitizers check that they match).
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocateOrNull(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
