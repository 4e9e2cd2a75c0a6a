// The KTX and DDS readers on any bytes: they must never read past them, a file they take holds
// exactly the texels its description needs, and a file they refuse says why in one line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/gfx/TextureContainer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    gfx::ContainerImage image;
    std::string fault;
    if (gfx::readTextureContainer(data, size, image, fault)) {
        if (image.texels.size() != gfx::storageSize(image.desc)) __builtin_trap();
    } else if (fault.empty() || fault.find('\n') != std::string::npos || !image.texels.empty()) {
        __builtin_trap();
    }
    return 0;
}
