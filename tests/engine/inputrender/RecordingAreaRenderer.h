#pragma once
#include <string>
#include <vector>

#include "engine/input/IScreenAreaRenderer.h"

// Keeps every render record it is given, in order.
class RecordingAreaRenderer : public Input::IScreenAreaRenderer {
public:
    void renderArea(const ScreenAreaRenderInfo& info) override { drawn.push_back(info); }

    // The labels drawn, in order; tests label each area with its name.
    std::vector<std::string> labels() const {
        std::vector<std::string> result;
        for (const auto& info : drawn) result.push_back(info.label);
        return result;
    }
    const ScreenAreaRenderInfo& byLabel(const std::string& label) const {
        for (const auto& info : drawn) {
            if (info.label == label) return info;
        }
        static const ScreenAreaRenderInfo none;
        return none;
    }

    std::vector<ScreenAreaRenderInfo> drawn;
};
