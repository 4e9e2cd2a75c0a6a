// Time of generating one maze, on the level builder's template for the sizes of the level benchmark.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/maze/Generator.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/TileData.h"
#include "engine/util/Random.h"

namespace {

void BM_GenerateMaze(benchmark::State& state) {
    const int cells = int(state.range(0));
    Maze::TileData tiles;
    Maze::addFourWayConnections(tiles, 0);
    Maze::MazeData pattern(tiles, {cells, cells}, {0, 0}, false, false, false, int(state.range(1)));
    Util::Random random(4242);
    Maze::Generator generator(pattern, &random);
    for (auto _ : state) {
        std::unique_ptr<Maze::MazeData> maze = generator.generate(0);
        benchmark::DoNotOptimize(maze->getStartNode());
    }
}

const std::vector<std::vector<int64_t>> kSizesAndLoops{{32, 128, 256}, {0, 10}};

}  // namespace

BENCHMARK(BM_GenerateMaze)->ArgsProduct(kSizesAndLoops)->ArgNames({"cells", "loop"})->Unit(benchmark::kMillisecond);
