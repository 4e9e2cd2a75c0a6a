#pragma once

// A vector display on the renderer's recording back end, 320 x 240 from view 10.

#include <memory>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"
#include "tests/engine/gfx/RecordingTest.h"

class RecordedDisplay : public RecordingTest {
protected:
    static constexpr int FirstView = 10;
    // A lone segment: a body of two triangles and a one-triangle cap at each end.
    static constexpr size_t SegmentVertices = 3 * (2 + 2);
    static constexpr uint16_t Width = 320;
    static constexpr uint16_t Height = 240;

    void SetUp() override {
        RecordingTest::SetUp();
        remakeDisplay(1, Width, Height, 0);
    }

    void TearDown() override {
        display.reset();
        RecordingTest::TearDown();
    }

    // The old display goes first: its destructor stops the clear of the view the new one uses.
    void remakeDisplay(uint16_t superSample, uint16_t width, uint16_t height, int budget) {
        display.reset();
        display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        display->init(superSample, width, height, FirstView, budget);
    }

    // The vertices one polyline adds to the frame.
    std::vector<PosTexCoordColorVertex> polyline(std::initializer_list<std::pair<float, float>> points,
                                                 bool flip = false) {
        display->beginFrame();
        bool first = true;
        for (const auto& [x, y] : points) {
            if (first) {
                display->beginDraw(x, y, flip);
                first = false;
            } else {
                display->drawTo(x, y);
            }
        }
        display->endDraw();
        return display->frameVertices();
    }

    // A frame with one short line, ended as the bottom layer; returns endFrame's view.
    int lineFrame(float y = 100.0f) {
        display->beginFrame();
        display->beginDraw(10, y);
        display->drawTo(200, y);
        display->endDraw();
        return display->endFrame(true);
    }

    // Vertices of line bodies, not of caps: across the line texture and along its middle row
    // (a cap's corners reach beyond the texture, around the half disc at the line's end).
    static bool inBody(const PosTexCoordColorVertex& v) { return v.u >= 0.0f && v.u <= 1.0f && v.v == 0.5f; }

    std::unique_ptr<VectorDisplay> display;
};
