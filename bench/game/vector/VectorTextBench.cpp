// Writing a 200-character text in the vector font every frame, on the recording back end: the
// CPU time of laying it out, turning its glyphs into glow lines (and fills) and ending the
// display's frame. Goal: under 0.5 ms a frame.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"
#include "game/vector/DrawVectorText.h"

namespace {

constexpr uint16_t Width = 1280;
constexpr uint16_t Height = 720;
constexpr int FirstView = 10;

// Five lines of forty characters: capitals, digits, punctuation and blanks.
std::string twoHundredCharacters() {
    const std::string line = "THE QUICK BROWN FOX JUMPS OVER 12345678";
    std::string text;
    for (int i = 0; i < 5; ++i) {
        text += line + (i < 4 ? "\n" : "!");
    }
    return text;
}

void writeEveryFrame(benchmark::State& state, bool filled) {
    // The shaders and the data are read from the repository's data folder.
    if (chdir(ZELMO_SOURCE_DIR) != 0) {
        state.SkipWithError("cannot enter the source folder");
        return;
    }
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    {
        GameVectors library;
        if (!library.init("data", "data/shapes", "data/vectorfont")) {
            state.SkipWithError("the shape data does not load");
            gfx::shutdown();
            return;
        }
        VectorDisplay display(gfx::caps().originBottomLeft, 0.0f);
        display.init(1, Width, Height, FirstView, 0);
        const gfx::ProgramHandle fillProgram = gfx::createProgram("vs", "fs", "fills");
        Zelmo::DrawVectorText writer(Width / 640.0f, Height / 480.0f, 512.0f, library);
        Vector::VectorTextStyle style;
        style.x = 40;
        style.y = 600;
        style.scale = 3.0f;
        style.filled = filled;
        const std::string text = twoHundredCharacters();
        Vector::TextRect rect;
        for (auto _ : state) {
            display.beginFrame();
            benchmark::DoNotOptimize(writer.draw(rect, &display, style, text, nullptr, fillProgram));
            benchmark::DoNotOptimize(display.endFrame(true));
            state.PauseTiming();
            gfx::frame();
            state.ResumeTiming();
        }
        state.counters["characters"] = double(text.size());
        state.counters["vertices"] = double(display.frameVertices().size());
    }
    gfx::shutdown();
}

void BM_Write200CharactersLines(benchmark::State& state) { writeEveryFrame(state, false); }
void BM_Write200CharactersFilled(benchmark::State& state) { writeEveryFrame(state, true); }

BENCHMARK(BM_Write200CharactersLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Write200CharactersFilled)->Unit(benchmark::kMicrosecond);

}  // namespace
