// CPU time of one overlay frame as the input-area renderer draws it: 200 boxes, each with a
// progress bar and a label broken into its box, handed to the recording renderer.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/vg/Context.h"

namespace {

constexpr float Width = 1280, Height = 960;

void drawBoxes(vg::Context& overlay, const std::vector<std::string>& labels) {
    overlay.beginFrame(Width, Height, 1.0f);
    overlay.save();
    overlay.fontFace("DEFAULT");
    overlay.textAlign(vg::Align::Center | vg::Align::Middle);
    for (size_t i = 0; i < labels.size(); ++i) {
        float x = float(i % 10) * 128 + 4, y = float(i / 10) * 48 + 4, w = 120, h = 40;
        overlay.beginPath();
        overlay.roundedRect(x, y, w, h, 4);
        overlay.fillColor(vg::rgba(0, 128, 0, 160));
        overlay.fill();
        overlay.beginPath();
        overlay.roundedRectVarying(x, y, w, h * 0.4f, 4, 4, 0, 0);
        overlay.fillColor(vg::rgba(255, 200, 0, 255));
        overlay.fill();
        overlay.fontSize(18);
        overlay.fillColor(vg::rgba(255, 255, 255, 255));
        size_t rows = overlay.textBreakLines(labels[i], w, 20).size();
        vg::Bounds bounds = overlay.textBoxBounds(x, y + h / 2, w, labels[i]);
        float offset = (bounds.height() - bounds.height() / float(rows)) / 2;
        overlay.textBox(x, y + h / 2 - offset, w, labels[i]);
    }
    overlay.restore();
}

void BM_TwoHundredLabelledBoxes(benchmark::State& state) {
    gfx::Init init;
    init.backend = gfx::Backend::Recording;
    gfx::init(init);
    {
        vg::Context overlay(200);
        if (overlay.createFont("DEFAULT", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf") == vg::kInvalidFont) {
            state.SkipWithError("DejaVu Sans is not installed");
        }
        std::vector<std::string> labels;
        for (int i = 0; i < 200; ++i) {
            labels.push_back(i % 3 == 0 ? "Option " + std::to_string(i) + ": music volume"
                                        : "Item " + std::to_string(i));
        }
        for (auto _ : state) {
            drawBoxes(overlay, labels);
            benchmark::DoNotOptimize(overlay.endFrame());
            gfx::frame();
        }
    }
    gfx::shutdown();
}
BENCHMARK(BM_TwoHundredLabelledBoxes)->Unit(benchmark::kMicrosecond);

}  // namespace
