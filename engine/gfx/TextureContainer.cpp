#include "engine/gfx/TextureContainer.h"

#include "engine/gfx/DdsFile.h"
#include "engine/gfx/KtxFile.h"

namespace gfx {

bool isTextureContainer(const uint8_t* bytes, size_t size) { return isKtx(bytes, size) || isDds(bytes, size); }

bool readTextureContainer(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault) {
    image = ContainerImage();
    if (isKtx(bytes, size)) {
        return readKtx(bytes, size, image, fault);
    }
    if (isDds(bytes, size)) {
        return readDds(bytes, size, image, fault);
    }
    fault = "neither a KTX nor a DDS file";
    return false;
}

}  // namespace gfx
