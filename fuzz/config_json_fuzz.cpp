// JSON against the configuration schema: parsing must fail cleanly or give data that verifies
// and that every configuration reader can read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/ConfigFuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Game::Info& l_info = configLoader();
    const uint8_t* l_stored = l_info.storeData(std::string(reinterpret_cast<const char*>(data), size), false);
    if (!l_stored) return 0;
    const std::string l_encoded(reinterpret_cast<const char*>(l_stored), l_info.dataSize());
    Game::Info l_check(l_info.getParser());
    if (!l_check.storeData(l_encoded, true)) __builtin_trap();
    readEverything(Zelmo::GetConfigRoot(l_stored));
    return 0;
}
