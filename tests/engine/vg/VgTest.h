#pragma once

#include <memory>

#include "engine/vg/Context.h"
#include "tests/engine/gfx/RecordingTest.h"

constexpr const char* SansPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* MonoPath = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr gfx::ViewId OverlayView = 200;

// An overlay on the recording renderer with DejaVu Sans Mono ("MONO", the default face) and
// DejaVu Sans ("SANS") loaded.
class VgTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        startOverlay();
    }

    void TearDown() override {
        overlay.reset();
        RecordingTest::TearDown();
    }

    void startOverlay() {
        overlay = std::make_unique<vg::Context>(OverlayView);
        ASSERT_EQ(overlay->createFont("MONO", MonoPath), 0);
        ASSERT_EQ(overlay->createFont("SANS", SansPath), 1);
        overlay->beginFrame(320, 240, 1.0f);
    }

    // The advance of one character of the monospaced face at the current size.
    float monoAdvance() {
        overlay->fontFace("MONO");
        return overlay->textBounds(0, 0, "M", nullptr);
    }

    std::unique_ptr<vg::Context> overlay;
};
