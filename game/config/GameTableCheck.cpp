#include "game/config/GameTableCheck.h"

#include <cmath>

namespace Zelmo {
namespace {

// A time scale of 0, below it or not a number stops the game's clock; a very large one makes a
// frame's elapsed time endless.
constexpr float kLeastTimeScale = 0.1f;
constexpr float kMostTimeScale = 10.0f;
// The design size becomes the sizes of textures and the divisor of every screen position.
constexpr int kLeastDesignSize = 64;
constexpr int kMostDesignSize = 4096;
constexpr int kMostRate = 1000;
constexpr int kMostFrameSkip = 10;
// The map view's texture is this size times the zoom (up to 4) plus a tile on each axis.
constexpr int kLeastMapView = 64;
constexpr int kMostMapView = 2048;

std::string fault(const std::string& fileName, const std::string& field, const std::string& range) {
    return fileName + ": field game." + field + ": must be " + range;
}

}  // namespace

std::string gameTableError(const GameTable& table, const std::string& fileName) {
    if (!(std::isfinite(table.timeScale) && table.timeScale >= kLeastTimeScale && table.timeScale <= kMostTimeScale)) {
        return fault(fileName, "time_scale", "0.1 to 10");
    }
    const struct {
        const char* field;
        int value;
        int least;
        int most;
    } counts[] = {
        {"design_width", table.designWidth, kLeastDesignSize, kMostDesignSize},
        {"design_height", table.designHeight, kLeastDesignSize, kMostDesignSize},
        {"rate", table.rate, 1, kMostRate},
        {"frame_skip", table.frameSkip, 0, kMostFrameSkip},
        {"map_view_width", table.mapViewWidth, kLeastMapView, kMostMapView},
        {"map_view_height", table.mapViewHeight, kLeastMapView, kMostMapView},
    };
    for (const auto& count : counts) {
        if (count.value < count.least || count.value > count.most) {
            return fault(fileName, count.field, std::to_string(count.least) + " to " + std::to_string(count.most));
        }
    }
    return "";
}

}  // namespace Zelmo
