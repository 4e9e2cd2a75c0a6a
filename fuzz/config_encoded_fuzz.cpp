// Encoded bytes offered as configuration: whatever passes verification must be safe to read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/ConfigFuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game::Info& l_info = configLoader();
    const uint8_t* l_stored = l_info.storeData(std::string(reinterpret_cast<const char*>(data), size), true);
    if (l_stored) readEverything(Zelmo::GetConfigRoot(l_stored));
    return 0;
}
