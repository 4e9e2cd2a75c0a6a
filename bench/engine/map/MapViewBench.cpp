// The map view's texture work at the game's window sizes (1024 x zoom less a tile): the level
// start (texture, atlas read-back and packing, first fill) and scroll steps, on the recording
// back end (the view's own cost) and on OpenGL when an X display is there.
#include <benchmark/benchmark.h>

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "engine/gfx/Gfx.h"
#include "engine/map/MapTexture.h"
#include "engine/map/MapView.h"
#include "engine/maze/LevelMap.h"
#include "tests/engine/maze/LevelParamsFixture.h"

namespace {

const std::string kAtlas = std::string(ZELMO_SOURCE_DIR) + "/data/tiles.png";
constexpr int kTile = 32;
// The punch lunge, the fastest the camera follows the player, in pixels per update.
constexpr int kFullSpeed = 12;

// A 40 x 40 cell level of 32-pixel tiles: 165 x 165 tiles, larger than the zoom 2 window.
std::unique_ptr<Map::TileMap> bigLevel() {
    Maze::LevelParams params = MazeTest::levelParams(99, 10, {{40, 40}, {3, 3}, {2, 2, 2, 2}});
    params.tileShiftX = 5;
    params.tileShiftY = 5;
    return Maze::buildLevelMap(params);
}

// Zoom from the benchmark argument, in halves.
Map::MapViewParams gameParams(const benchmark::State& state) {
    const float zoom = float(state.range(0)) / 2.0f;
    Map::MapViewParams params;
    params.width = int(1024 * zoom - kTile);
    params.height = int(1024 * zoom - kTile);
    params.x = 1500;
    params.y = 1500;
    params.atlasName = kAtlas;
    return params;
}

// The renderer for one benchmark run; OpenGL on a hidden window.
class Renderer {
public:
    Renderer(gfx::Backend backend, benchmark::State& state) {
        gfx::Init init;
        init.backend = backend;
        if (backend == gfx::Backend::OpenGL) {
            if (std::getenv("DISPLAY") == nullptr || glfwInit() != GLFW_TRUE) {
                state.SkipWithError("no X display for OpenGL");
                return;
            }
            glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
            glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
            glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
            glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
            glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
            m_window = glfwCreateWindow(640, 480, "map bench", nullptr, nullptr);
            if (m_window == nullptr) {
                state.SkipWithError("no OpenGL 3.3 window");
                return;
            }
            glfwMakeContextCurrent(m_window);
            init.window = m_window;
        }
        m_running = gfx::init(init);
        if (!m_running) state.SkipWithError("renderer did not start");
    }
    ~Renderer() {
        if (m_running) gfx::shutdown();
        if (m_window != nullptr) glfwDestroyWindow(m_window);
    }
    bool running() const { return m_running; }

private:
    GLFWwindow* m_window = nullptr;
    bool m_running = false;
};

template <gfx::Backend B>
void BM_LevelStart(benchmark::State& state) {
    Renderer renderer(B, state);
    if (!renderer.running()) return;
    std::unique_ptr<Map::TileMap> map = bigLevel();
    const Map::MapViewParams params = gameParams(state);
    int tiles = 0;
    for (auto _ : state) {
        Map::MapView view(*map, params);
        tiles = view.getColsVisible() * view.getRowsVisible();
        benchmark::DoNotOptimize(view.getTexture());
    }
    state.counters["tiles"] = tiles;
}

template <gfx::Backend B>
void BM_AtlasPack(benchmark::State& state) {
    Renderer renderer(B, state);
    if (!renderer.running()) return;
    Map::IMapRenderer& gfx = Map::gfxMapRenderer();
    const Game::TextureRecord texture = gfx.createTileTexture(64, 64);
    const Game::TextureRecord atlas = gfx.loadAtlas(kAtlas);
    for (auto _ : state) {
        Map::MapTexture mapTexture(gfx, texture, atlas, 5, 5);
        benchmark::DoNotOptimize(mapTexture.getAtlasTileCount());
    }
    gfx.destroyTexture(atlas);
    gfx.destroyTexture(texture);
}

// One step that crosses a tile boundary both ways: a column and a row enter.
template <gfx::Backend B>
void BM_ScrollStepAcrossATile(benchmark::State& state) {
    Renderer renderer(B, state);
    if (!renderer.running()) return;
    std::unique_ptr<Map::TileMap> map = bigLevel();
    const Map::MapViewParams params = gameParams(state);
    Map::MapView view(*map, params);
    int offset = 0;
    for (auto _ : state) {
        offset = kTile - offset;
        view.scrollTo(params.x + offset, params.y + offset, false);
    }
    state.counters["tiles/step"] = view.getColsVisible() + view.getRowsVisible();
}

// Steps at full speed along the diagonal, back and forth across the map: the mean cost of a
// frame's scroll while the camera follows the fastest player.
template <gfx::Backend B>
void BM_ScrollAtFullSpeed(benchmark::State& state) {
    Renderer renderer(B, state);
    if (!renderer.running()) return;
    std::unique_ptr<Map::TileMap> map = bigLevel();
    const Map::MapViewParams params = gameParams(state);
    Map::MapView view(*map, params);
    const int far = view.getMaxX();
    int position = 0;
    int step = kFullSpeed;
    for (auto _ : state) {
        if (position + step < 0 || position + step > far) step = -step;
        position += step;
        view.scrollTo(position, position, false);
    }
}

constexpr auto kRec = gfx::Backend::Recording;
constexpr auto kGl = gfx::Backend::OpenGL;

// Arguments: zoom in halves (1, 1.5 and 2).
BENCHMARK_TEMPLATE(BM_LevelStart, kRec)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_AtlasPack, kRec)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ScrollStepAcrossATile, kRec)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ScrollAtFullSpeed, kRec)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_LevelStart, kGl)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_AtlasPack, kGl)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ScrollStepAcrossATile, kGl)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ScrollAtFullSpeed, kGl)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
