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
    const int l_cells = int(state.range(0));
    Maze::TileData l_tiles;
    Maze::addFourWayConnections(l_tiles, 0);
    Maze::MazeData l_template(l_tiles, {l_cells, l_cells}, {0, 0}, false, false, false, int(state.range(1)));
    Util::Random l_random(4242);
    Maze::Generator l_generator(l_template, &l_random);
    for (auto _ : state) {
        std::unique_ptr<Maze::MazeData> l_maze = l_generator.generate(0);
        benchmark::DoNotOptimize(l_maze->getStartNode());
    }
}

const std::vector<std::vector<int64_t>> kSizesAndLoops{{32, 128, 256}, {0, 10}};

}  // namespace

BENCHMARK(BM_GenerateMaze)->ArgsProduct(kSizesAndLoops)->ArgNames({"cells", "loop"})->Unit(benchmark::kMillisecond);
