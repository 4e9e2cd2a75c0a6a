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

// In a process of its own, which ends without unloading the GL driver: the leak checker could
// neither name nor be told to ignore what the driver keeps once it is gone.
TEST(RendererStartDeathTest, RunningOutOfMemoryFailsTheStartWithOneLine) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    EXPECT_EXIT(
        {
            AppContext context(false, 640, 480, false, 60, 0);
            g_largestAllocation = 1u << 20;
            std::_Exit(context.run("ZELMO", 640, 480, false, 1.0f) ? 2 : 0);
        },
        ::testing::ExitedWithCode(0), "^Not enough memory to start the renderer\\.\n$");
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
