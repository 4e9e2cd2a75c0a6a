// Encoded bytes offered as configuration: whatever passes verification must be safe to read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/ConfigFuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game::Info& info = configLoader();
    const uint8_t* stored = info.storeData(std::string(reinterpret_cast<const char*>(data), size), true);
    if (stored) readEverything(Zelmo::GetConfigRoot(stored));
    return 0;
}
