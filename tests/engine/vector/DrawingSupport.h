#pragma once

// Drawings written for one test and loaded against the real schema, and a text writer that
// measures every text as one fixed rectangle and keeps what it was asked to draw.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/vector/DrawingFactory.h"
#include "engine/vector/IDrawVectorText.h"
#include "tests/engine/util/TempFolder.h"

// One definition "D" (the JSON members of a DrawingDef) placed once as "obj" with the given
// further JSON members of the placement, then further placements.
inline std::string single(const std::string& definition, const std::string& placement = "",
                          const std::string& morePlacements = "") {
    return R"({ "definitions": [{ "name": "D", )" + definition +
           R"( }], "placements": [{ "name": "obj", "definition": "D")" + (placement.empty() ? "" : ", " + placement) +
           " }" + (morePlacements.empty() ? "" : ", " + morePlacements) + "] }";
}

class DrawingTest : public ::testing::Test {
protected:
    std::unique_ptr<DrawingLibrary> load(const std::string& json) const {
        return factory.create(folder.write("drawing.json", json));
    }

    // Moves the drawing's clocks to the time (seconds) and evaluates the points there once.
    static void evaluateAt(DrawingLibrary& drawing, const std::string& objectName, float seconds) {
        const float now = drawing.object(objectName)->clock();
        drawing.update((seconds - now) * 1000.0f);
        drawing.update(0.0f);
    }

    TempFolder folder;
    Vector::DrawingFactory factory{"data/VectorDrawing.fbs"};
};

class FakeTextWriter : public Vector::IDrawVectorText {
public:
    struct Call {
        Vector::VectorTextStyle style;
        std::string text;
        bool swept = false;
        ScopeSweep sweep;
    };

    int lineHeight(float) override { return 10; }

    Vector::TextRect& measure(Vector::TextRect& out, const Vector::VectorTextStyle& style,
                              const std::string&) override {
        ++measures;
        measuredStyles.push_back(style);
        out = rect;
        return out;
    }

    Vector::TextRect& draw(Vector::TextRect& out, VectorDisplay*, const Vector::VectorTextStyle& style,
                           const std::string& text, const ScopeSweep* sweep, gfx::ProgramHandle) override {
        Call call{style, text, sweep != nullptr, sweep != nullptr ? *sweep : ScopeSweep()};
        calls.push_back(call);
        out = rect;
        return out;
    }

    Vector::TextRect rect{100, 50, 40, 20};
    int measures = 0;
    std::vector<Vector::VectorTextStyle> measuredStyles;
    std::vector<Call> calls;
};
