// JSON against the configuration schema: parsing must fail cleanly or give data that verifies
// and that every configuration reader can read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/ConfigFuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game::Info& info = configLoader();
    const uint8_t* stored = info.storeData(std::string(reinterpret_cast<const char*>(data), size), false);
    if (!stored) return 0;
    const std::string encoded(reinterpret_cast<const char*>(stored), info.dataSize());
    Game::Info check(info.getParser());
    if (!check.storeData(encoded, true)) __builtin_trap();
    readEverything(Zelmo::GetConfigRoot(stored));
    return 0;
}
