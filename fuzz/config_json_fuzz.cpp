// JSON against the configuration schema: parsing must fail cleanly or give data that verifies
// and that every configuration reader can read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/ConfigFuzzReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each input is read by a parser of its own, as the game reads its one file: a parser keeps
    // what a failed parse left behind, which over a long run would grow until the harness, not the
    // reader, ran out of memory.
    Game::Info info;
    if (!info.loadSchema(ZELMO_SOURCE_DIR "/data/config.fbs")) __builtin_trap();
    const uint8_t* stored = info.storeData(std::string(reinterpret_cast<const char*>(data), size), false);
    if (!stored) return 0;
    const std::string encoded(reinterpret_cast<const char*>(stored), info.dataSize());
    Game::Info check(info.getParser());
    if (!check.storeData(encoded, true)) __builtin_trap();
    readEverything(Zelmo::GetConfigRoot(stored));
    return 0;
}
