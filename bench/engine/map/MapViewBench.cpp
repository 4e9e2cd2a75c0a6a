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

namespace {

const std::string kAtlas = std::string(ZELMO_SOURCE_DIR) + "/data/tiles.png";
constexpr int kTile = 32;
// The punch lunge, the fastest the camera follows the player, in pixels per update.
constexpr int kFullSpeed = 12;

// A 40 x 40 cell level of 32-pixel tiles: 165 x 165 tiles, larger than the zoom 2 window.
std::unique_ptr<Map::TileMap> bigLevel() {
    Maze::LevelParams l_params;
    l_params.seed = 99;
    l_params.loopPercent = 10;
    l_params.cellsWide = 40;
    l_params.cellsHigh = 40;
    l_params.cellWidthTiles = 3;
    l_params.cellHeightTiles = 3;
    l_params.tileShiftX = 5;
    l_params.tileShiftY = 5;
    l_params.marginLeft = l_params.marginRight = l_params.marginTop = l_params.marginBottom = 2;
    return Maze::buildLevelMap(l_params);
}

// Zoom from the benchmark argument, in halves.
Map::MapViewParams gameParams(const benchmark::State& state) {
    const float l_zoom = float(state.range(0)) / 2.0f;
    Map::MapViewParams l_params;
    l_params.width = int(1024 * l_zoom - kTile);
    l_params.height = int(1024 * l_zoom - kTile);
    l_params.x = 1500;
    l_params.y = 1500;
    l_params.atlasName = kAtlas;
    return l_params;
}

// The renderer for one benchmark run; OpenGL on a hidden window.
class Renderer {
public:
    Renderer(gfx::Backend backend, benchmark::State& state) {
        gfx::Init l_init;
        l_init.backend = backend;
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
            l_init.window = m_window;
        }
        m_running = gfx::init(l_init);
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
    Renderer l_renderer(B, state);
    if (!l_renderer.running()) return;
    std::unique_ptr<Map::TileMap> l_map = bigLevel();
    const Map::MapViewParams l_params = gameParams(state);
    int l_tiles = 0;
    for (auto _ : state) {
        Map::MapView l_view(*l_map, l_params);
        l_tiles = l_view.getColsVisible() * l_view.getRowsVisible();
        benchmark::DoNotOptimize(l_view.getTexture());
    }
    state.counters["tiles"] = l_tiles;
}

template <gfx::Backend B>
void BM_AtlasPack(benchmark::State& state) {
    Renderer l_renderer(B, state);
    if (!l_renderer.running()) return;
    Map::I_MapRenderer& l_gfx = Map::gfxMapRenderer();
    const Game::TextureRecord l_texture = l_gfx.createTileTexture(64, 64);
    const Game::TextureRecord l_atlas = l_gfx.loadAtlas(kAtlas);
    for (auto _ : state) {
        Map::MapTexture l_mapTexture(l_gfx, l_texture, l_atlas, 5, 5);
        benchmark::DoNotOptimize(l_mapTexture.getAtlasTileCount());
    }
    l_gfx.destroyTexture(l_atlas);
    l_gfx.destroyTexture(l_texture);
}

// One step that crosses a tile boundary both ways: a column and a row enter.
template <gfx::Backend B>
void BM_ScrollStepAcrossATile(benchmark::State& state) {
    Renderer l_renderer(B, state);
    if (!l_renderer.running()) return;
    std::unique_ptr<Map::TileMap> l_map = bigLevel();
    const Map::MapViewParams l_params = gameParams(state);
    Map::MapView l_view(*l_map, l_params);
    int l_offset = 0;
    for (auto _ : state) {
        l_offset = kTile - l_offset;
        l_view.scrollTo(l_params.x + l_offset, l_params.y + l_offset, false);
    }
    state.counters["tiles/step"] = l_view.getColsVisible() + l_view.getRowsVisible();
}

// Steps at full speed along the diagonal, back and forth across the map: the mean cost of a
// frame's scroll while the camera follows the fastest player.
template <gfx::Backend B>
void BM_ScrollAtFullSpeed(benchmark::State& state) {
    Renderer l_renderer(B, state);
    if (!l_renderer.running()) return;
    std::unique_ptr<Map::TileMap> l_map = bigLevel();
    const Map::MapViewParams l_params = gameParams(state);
    Map::MapView l_view(*l_map, l_params);
    const int l_far = l_view.getMaxX();
    int l_position = 0;
    int l_step = kFullSpeed;
    for (auto _ : state) {
        if (l_position + l_step < 0 || l_position + l_step > l_far) l_step = -l_step;
        l_position += l_step;
        l_view.scrollTo(l_position, l_position, false);
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
