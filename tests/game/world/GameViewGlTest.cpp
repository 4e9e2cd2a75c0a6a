// The in-game picture on OpenGL: a shipped level drawn as the window would show it, read back
// and probed where the world says the player, the robots and the walls are, at zoom 1 and 2.
// With ZELMO_PICTURES set to a folder, each picture is written there as a PNG to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/world/GameViewRenderer.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameViewRenderer;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kDrawnRobotShape = 1;
constexpr int kFloorTile = 0;
constexpr int kLargestLevel = 1;

struct Picture {
    std::vector<uint8_t> rgba;  // bottom row first, as screen positions count

    int brightness(int x, int y) const {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return 0;
        const uint8_t* p = &rgba[(size_t(y) * kWidth + size_t(x)) * 4];
        return std::max({p[0], p[1], p[2]});
    }
    // Pixels brighter than the floor ever is within the square of half-side r around (x, y).
    int litAround(int x, int y, int r) const {
        int count = 0;
        for (int dy = -r; dy <= r; ++dy) {
            for (int dx = -r; dx <= r; ++dx) count += brightness(x + dx, y + dy) > 80;
        }
        return count;
    }
    double meanBrightness(int x0, int y0, int x1, int y1) const {
        double sum = 0;
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                sum += brightness(x, y);
                ++count;
            }
        }
        return count ? sum / count : 0.0;
    }
};

class GameViewGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_target = gfx::createFrameBuffer(kWidth, kHeight, gfx::TextureFormat::RGBA8, gfx::Sampler::Point);
        gfx::setWindowTarget(m_target);
    }

    void TearDown() override {
        harness.reset();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        gfx::destroy(m_target);
        GlTest::TearDown();
    }

    // The largest level, with the player moved to a cell in its middle and the camera on it, as
    // the camera keeps it wherever the map leaves room.
    void startLevel(int zoomIndex) {
        harness = std::make_unique<WorldHarness>("data/config", 1, WorldHarness::Picture::Drawn);
        Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "GAME_ZOOM", std::to_string(zoomIndex));
        harness->startLevel(kLargestLevel);
        int x = logic().params().cellsWide / 2, y = logic().params().cellsHigh / 2;
        logic().cellToWorld(x, y, 0.0f, 0.0f);
        Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
        player.x = float(x);
        player.y = float(y);
        logic().mapView().scrollTo(x, y, true);
    }

    ecs::Entity placeRobot(float x, float y) {
        ecs::Entity robot = logic().world().createEntity();
        Zelmo::PVAComp& pva = robot.add<Zelmo::PVAComp>();
        pva.x = x;
        pva.y = y;
        Zelmo::VectorComp& vector = robot.add<Zelmo::VectorComp>();
        vector.shape = kDrawnRobotShape;
        vector.filled = true;
        static_cast<IntBox&>(robot.add<Zelmo::BBoxComp>()) = GameVectors::instance().bbox(kDrawnRobotShape, 1.0f);
        robot.activate();
        return robot;
    }

    // Updates and draws as the main loop does, a few frames so that the trail settles; what the
    // window would show goes to the target.
    Picture show(int frames = 3) {
        auto& renderer = static_cast<GameViewRenderer&>(logic().viewRenderer());
        for (int i = 0; i < frames; ++i) {
            harness->step();
            renderer.render(Util::FrameGeometry{kWidth, kHeight, kWidth, kHeight, kWidth, kHeight});
            gfx::frame();
        }
        return Picture{readBack(m_target, kWidth, kHeight)};
    }

    void screenOf(float wx, float wy, int& sx, int& sy) {
        logic().view().worldToScreen(int(wx), int(wy), sx, sy);
        // Screen positions of a zoomed picture span zoom windows, centred on this one.
        float left = 0, right = 0, bottom = 0, top = 0;
        logic().view().screenProjection(left, right, bottom, top);
        sx = int((float(sx) - left) / logic().view().zoom());
        sy = int((float(sy) - bottom) / logic().view().zoom());
    }

    Zelmo::GameLogic& logic() { return harness->logic(); }

    std::unique_ptr<WorldHarness> harness;

private:
    gfx::FrameBufferHandle m_target;
};

TEST_F(GameViewGl, ShowsWallsThePlayerAndRobotsWhereTheWorldHasThem) {
    for (int zoomIndex : {0, 1}) {
        startLevel(zoomIndex);
        const int zoom = int(logic().view().zoom());
        SCOPED_TRACE("zoom " + std::to_string(zoom));
        const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
        const float robotX[2] = {player.x - 160.0f, player.x + 160.0f};
        for (float x : robotX) placeRobot(x, player.y + 64.0f);

        const Picture picture = show();
        keepPicture("gameview-zoom" + std::to_string(zoom) + ".png", picture.rgba, kWidth, kHeight);

        int sx = 0, sy = 0;
        screenOf(player.x, player.y, sx, sy);
        EXPECT_GT(picture.litAround(sx, sy, 12 / zoom + 2), 10) << "the player at " << sx << ", " << sy;
        for (float x : robotX) {
            screenOf(x, player.y + 64.0f, sx, sy);
            EXPECT_GT(picture.litAround(sx, sy, 12 / zoom + 2), 10) << "a robot at " << sx << ", " << sy;
        }

        // Walls glow and floors stay dark, tile by tile across the window.
        const Map::TileMap& map = logic().tileMap();
        const int shift = logic().params().tileShiftX;
        double wallLight = 0, floorLight = 0;
        int walls = 0, floors = 0;
        for (int ty = 0; ty < map.getHeight(); ++ty) {
            for (int tx = 0; tx < map.getWidth(); ++tx) {
                const int tile = map.getCell(tx, ty) & 31;
                const bool wall = tile >= 1 && tile <= 14;
                if (!wall && tile != kFloorTile) continue;
                int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                screenOf(float(tx << shift), float(ty << shift), x0, y0);
                screenOf(float((tx + 1) << shift), float((ty + 1) << shift), x1, y1);
                if (x0 < 0 || y0 < 0 || x1 > kWidth || y1 > kHeight) continue;
                const double light = picture.meanBrightness(x0, y0, x1, y1);
                (wall ? wallLight : floorLight) += light;
                (wall ? walls : floors) += 1;
            }
        }
        ASSERT_GT(walls, 4);
        ASSERT_GT(floors, 4);
        EXPECT_GT(wallLight / walls, 1.5 * floorLight / floors)
            << "walls " << wallLight / walls << " against floors " << floorLight / floors;
        harness.reset();
    }
}

}  // namespace
