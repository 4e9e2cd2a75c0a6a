// Plays the game with the autopilot for a while, levels cycling, and reports the process's
// memory after each level; run by script/soak under the sanitizers. Fails when the memory held
// after the first round of levels grows past the first round's highest.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/game/world/Autopilot.h"
#include "tests/game/world/ProcessMemory.h"

namespace {

// Room for what the allocator and the sanitizer keep in hand between rounds.
constexpr long kSlackKiB = 4096;
constexpr int kLevelUpdates = 3 * 60 * 1000 / 16;

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
    long firstRoundHighest = 0, laterHighest = 0;
    pilot.playLevelsWhile(kLevelUpdates, [&](int level, const std::string& command) {
        const long resident = WorldTest::residentKiB();
        played += 1;
        if (command.empty()) unfinished += 1;
        long& highest = round == 1 ? firstRoundHighest : laterHighest;
        highest = std::max(highest, resident);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::printf("%8.1f s  round %d  level %d  %-10s  rss %ld KiB  peak %ld KiB  %s\n", seconds, round, level,
                    command.empty() ? "(given up)" : command.c_str(), resident, WorldTest::peakResidentKiB(),
                    command.empty() ? pilot.trouble().c_str() : "");
        std::fflush(stdout);
        // The game starts again from the first level after these.
        if ((level == 0 && command != "DEAD") || command == "LOST") round += 1;
        return Clock::now() < end;
    });
    std::printf(
        "%d levels in %d rounds (%d given up), %.1f min of play; highest rss in the first round %ld KiB, "
        "after it %ld KiB\n",
        played, round - 1, unfinished, double(pilot.updates()) * double(WorldTest::WorldHarness::kStepMs) / 60000.0,
        firstRoundHighest, laterHighest);
    if (laterHighest > firstRoundHighest + kSlackKiB) {
        std::printf("memory grew after the first round by %ld KiB\n", laterHighest - firstRoundHighest);
        return 1;
    }
    return 0;
}
