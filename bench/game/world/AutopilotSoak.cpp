// Plays the game with the autopilot for a while, levels cycling, and reports the process's
// memory after each level; run by script/soak, under the sanitizers or not. Fails when the heap
// the program holds in later rounds of levels grows past the highest of the first two: the first
// round fills the game's caches, the second shows what a round holds once they are full.
//
// The rule reads the heap in use, not the resident memory. Under AddressSanitizer the resident
// memory also counts the freed blocks the sanitizer holds back, the allocator's free lists and
// the shadow of both: it climbs by some fifteen megabytes over the first rounds and then swings
// by several from one level to the next, while the heap in use after a level stays within some
// forty kilobytes of the last round's. A slow leak would hide in that swing for the whole run.
// The resident memory is still printed; the plain build (script/soak --plain) shows it flat.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/game/world/Autopilot.h"
#include "tests/game/world/ProcessMemory.h"

namespace {

// Room for what a level's heap may differ by from one round to the next with nothing kept: the
// robots, shots and sparks alive when it ends are not the same each time (seen: under 50 KiB).
// A leak of 40 KiB a round still crosses it within some five minutes of a sanitizer run.
constexpr long kSlackKiB = 1024;
constexpr int kWarmUpRounds = 2;

}  // namespace

int main(int argc, char** argv) {
    const double minutes = argc > 1 ? std::atof(argv[1]) : 30.0;
    if (minutes <= 0.0) {
        std::fprintf(stderr, "usage: %s [minutes > 0]\n", argv[0]);
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(minutes * 60));

    WorldTest::WorldHarness harness;
    WorldTest::Autopilot pilot(harness);
    int played = 0, unfinished = 0, round = 1;
    long warmUpHighest = 0, laterHighest = 0;
    pilot.playLevelsWhile(WorldTest::Autopilot::kLevelUpdates, [&](int level, const std::string& command) {
        const long heap = WorldTest::heapInUseKiB();
        played += 1;
        if (command.empty()) unfinished += 1;
        long& highest = round <= kWarmUpRounds ? warmUpHighest : laterHighest;
        highest = std::max(highest, heap);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%8.1f s  round %d  level %d  %-10s  entities %zu  heap %ld KiB  rss %ld KiB  peak %ld KiB  %s\n",
                    seconds, round, level, command.empty() ? "(given up)" : command.c_str(),
                    size_t(harness.logic().world().entityCount()), heap, WorldTest::residentKiB(),
                    WorldTest::peakResidentKiB(), command.empty() ? pilot.trouble().c_str() : "");
        std::fflush(stdout);
        // The game starts again from the first level after these.
        if ((level == 0 && command != "DEAD") || command == "LOST") round += 1;
        return Clock::now() < end;
    });
    const double gameMinutes = double(pilot.updates()) * double(WorldTest::WorldHarness::kStepMs) / 60000.0;
    std::printf(
        "%d levels in %d rounds (%d given up), %.1f min of play; highest heap in the first %d rounds %ld KiB, "
        "after them %ld KiB; rss %ld KiB, peak %ld KiB\n",
        played, round - 1, unfinished, gameMinutes, kWarmUpRounds, warmUpHighest, laterHighest,
        WorldTest::residentKiB(), WorldTest::peakResidentKiB());
    if (round <= kWarmUpRounds + 1) {
        std::printf("too short a run to tell whether memory grows\n");
    } else if (laterHighest > warmUpHighest + kSlackKiB) {
        std::printf("the heap grew by %ld KiB after the first %d rounds\n", laterHighest - warmUpHighest,
                    kWarmUpRounds);
        return 1;
    }
    return 0;
}
