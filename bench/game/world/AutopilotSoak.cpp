// Plays the game with the autopilot for a while, levels cycling, and reports the process's
// memory after each level; run by script/soak under the sanitizers. Fails when the memory held
// in later rounds of levels grows past the highest of the first two: the first round fills the
// allocator's and the sanitizer's caches, the second shows what a round holds once they are full.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/game/world/Autopilot.h"
#include "tests/game/world/ProcessMemory.h"

namespace {

// Room for what the allocator and the sanitizer keep in hand from one round to the next.
constexpr long kSlackKiB = 8192;
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
        const long resident = WorldTest::residentKiB();
        played += 1;
        if (command.empty()) unfinished += 1;
        long& highest = round <= kWarmUpRounds ? warmUpHighest : laterHighest;
        highest = std::max(highest, resident);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%8.1f s  round %d  level %d  %-10s  entities %zu  rss %ld KiB  peak %ld KiB  %s\n", seconds,
                    round, level, command.empty() ? "(given up)" : command.c_str(),
                    size_t(harness.logic().world().entityCount()), resident, WorldTest::peakResidentKiB(),
                    command.empty() ? pilot.trouble().c_str() : "");
        std::fflush(stdout);
        // The game starts again from the first level after these.
        if ((level == 0 && command != "DEAD") || command == "LOST") round += 1;
        return Clock::now() < end;
    });
    const double gameMinutes = double(pilot.updates()) * double(WorldTest::WorldHarness::kStepMs) / 60000.0;
    std::printf(
        "%d levels in %d rounds (%d given up), %.1f min of play; highest rss in the first %d rounds %ld KiB, "
        "after them %ld KiB\n",
        played, round - 1, unfinished, gameMinutes, kWarmUpRounds, warmUpHighest, laterHighest);
    if (round <= kWarmUpRounds + 1) {
        std::printf("too short a run to tell whether memory grows\n");
    } else if (laterHighest > warmUpHighest + kSlackKiB) {
        std::printf("memory grew by %ld KiB after the first %d rounds\n", laterHighest - warmUpHighest, kWarmUpRounds);
        return 1;
    }
    return 0;
}
