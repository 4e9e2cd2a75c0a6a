// The power punch's direction outline on OpenGL: the player in the middle of an empty room,
// held in a power punch facing each way in turn, drawn by the game's own renderer and read back.
// With its charge particles silenced, the outline along the charge curves must be lit from end
// to end in the facing and nowhere else. With ZELMO_PICTURES set to a folder, the four facings
// are kept there side by side as one contact sheet to look at: above as the game shows them, with
// the charge particles, and below the outline alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/world/GameViewRenderer.h"
#include "game/world/PlayerComps.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Zelmo::GameViewRenderer;

constexpr int kOutlineWindowW = 640;
constexpr int kOutlineWindowH = 480;
constexpr int kOutlineSheetCell = 300;  // each view's square on the sheet, about the player
constexpr int kOutlineSheetRows = 2;    // with the charge particles, and the outline alone

struct HeldPunch {
    const char* name;
    uint32_t animation;
};
// In the order of the facing index: up, down, left, right.
constexpr HeldPunch kHeldPunches[] = {{"up", AnimIds::KROMB_UP_PUNCH},
                                      {"down", AnimIds::KROMB_DN_PUNCH},
                                      {"left", AnimIds::KROMB_LF_PUNCH},
                                      {"right", AnimIds::KROMB_RT_PUNCH}};

// The outline's azure (packed ABGR 0xdfff7f00: red 0, green 0x7f, blue 0xff) burns white where
// the thick line runs and glows azure about it; near the player only the outline is so blue (the
// player and the hint text are green, the floor dim, the walls far away).
bool azure(const std::vector<uint8_t>& rgba, int x, int y) {
    if (x < 0 || y < 0 || x >= kOutlineWindowW || y >= kOutlineWindowH) return false;
    const uint8_t* p = &rgba[(size_t(y) * kOutlineWindowW + size_t(x)) * 4];
    return p[2] > 200;
}

bool azureAround(const std::vector<uint8_t>& rgba, int x, int y, int r) {
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            if (azure(rgba, x + dx, y + dy)) return true;
        }
    }
    return false;
}

class PowerPunchOutlineGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        m_target = gfx::createFrameBuffer(kOutlineWindowW, kOutlineWindowH, gfx::TextureFormat::RGBA8,
                                          gfx::Sampler::Point);
        gfx::setWindowTarget(m_target);
        harness = std::make_unique<WorldHarness>("data/config", 1, WorldHarness::Picture::Drawn);
        Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "GAME_ZOOM", "0");
        room = std::make_unique<Room>(*harness);
    }

    void TearDown() override {
        room.reset();
        harness.reset();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        if (m_target.valid()) gfx::destroy(m_target);
        GlTest::TearDown();
    }

    Zelmo::GameLogic& logic() { return harness->logic(); }

    // Standing still in the middle of the room in the long second frame of the facing's punch,
    // its charge running as a power punch's does.
    void holdPowerPunch(const HeldPunch& punch) {
        ecs::Entity player = logic().player();
        Zelmo::PVAComp& pva = player.get<Zelmo::PVAComp>();
        pva.x = pva.nextX = Room::middle();
        pva.y = pva.nextY = Room::middle();
        pva.speed = {};
        pva.speed.duration = 1.0f;
        Zelmo::AnimationComp& animation = player.get<Zelmo::AnimationComp>();
        animation.animation = int32_t(punch.animation);
        animation.frame = 1;
        animation.frameTime = 0;
        Zelmo::PlayerComp& state = player.get<Zelmo::PlayerComp>();
        state.setState(punch.animation);
        state.dashTime = 0.0f;
        state.placeChargeEmitters(pva.x, pva.y, 1);
        logic().mapView().scrollTo(int(pva.x), int(pva.y), true);
    }

    void silenceChargeParticles() {
        for (const auto& direction : logic().player().get<Zelmo::PlayerComp>().chargeEmitters) {
            for (int32_t id : direction) {
                if (PSys::ParticleEmitter* emitter = Zelmo::particleSystem(Zelmo::kChargeSystem)->findEmitter(id)) {
                    emitter->def.rate = 0;
                    emitter->liveCount = 0;
                }
            }
        }
    }

    // The square about the player from a picture onto a row of the sheet.
    void keepOnSheet(const std::vector<uint8_t>& picture, std::vector<uint8_t>& sheet, size_t column, int row) {
        const int sheetW = kOutlineSheetCell * int(std::size(kHeldPunches));
        int cx = 0, cy = 0;
        const Zelmo::PVAComp& pva = logic().player().get<Zelmo::PVAComp>();
        logic().view().worldToScreen(int(pva.x), int(pva.y), cx, cy);
        for (int y = 0; y < kOutlineSheetCell; ++y) {
            for (int x = 0; x < kOutlineSheetCell; ++x) {
                const int px = cx - kOutlineSheetCell / 2 + x, py = cy - kOutlineSheetCell / 2 + y;
                if (px < 0 || py < 0 || px >= kOutlineWindowW || py >= kOutlineWindowH) continue;
                // Read-back rows run bottom-up: row 0 of the sheet is its upper row.
                const size_t sheetY = size_t((kOutlineSheetRows - 1 - row) * kOutlineSheetCell + y);
                std::copy_n(&picture[(size_t(py) * kOutlineWindowW + size_t(px)) * 4], 4,
                            &sheet[(sheetY * size_t(sheetW) + column * kOutlineSheetCell + size_t(x)) * 4]);
            }
        }
    }

    // Updates and draws as the main loop does, what the window shows going to the target.
    std::vector<uint8_t> show(int frames) {
        auto& renderer = static_cast<GameViewRenderer&>(logic().viewRenderer());
        for (int i = 0; i < frames; ++i) {
            harness->step();
            renderer.render(Util::FrameGeometry{kOutlineWindowW, kOutlineWindowH, kOutlineWindowW, kOutlineWindowH,
                                                kOutlineWindowW, kOutlineWindowH});
            gfx::frame();
        }
        return readBack(m_target, kOutlineWindowW, kOutlineWindowH);
    }

    // Where a point of a direction entity's outline lands in the picture.
    void outlinePointOnScreen(const ecs::Entity& direction, float px, float py, int& sx, int& sy) {
        const Zelmo::PVAComp& at = direction.get<Zelmo::PVAComp>();
        logic().view().worldToScreen(int(at.x), int(at.y), sx, sy);
        sx = int(std::lround(float(sx) + px * logic().view().scaleX()));
        sy = int(std::lround(float(sy) + py * logic().view().scaleY()));
    }

    // Of the points every 4 pixels along the outline, how many have the outline's colour close by.
    double litAlongOutline(const std::vector<uint8_t>& rgba, const ecs::Entity& direction) {
        const Zelmo::PolyComp& poly = direction.get<Zelmo::PolyComp>();
        if (poly.pointLists.empty()) return 0.0;
        const std::vector<float>& points = poly.pointLists[0];
        int lit = 0, all = 0;
        for (size_t i = 0; i + 3 < points.size(); i += 2) {
            const float length = std::hypot(points[i + 2] - points[i], points[i + 3] - points[i + 1]);
            const int steps = std::max(1, int(length / 4.0f));
            for (int k = 0; k < steps; ++k) {
                const float t = float(k) / float(steps);
                int sx = 0, sy = 0;
                outlinePointOnScreen(direction, points[i] + t * (points[i + 2] - points[i]),
                                     points[i + 1] + t * (points[i + 3] - points[i + 1]), sx, sy);
                lit += azureAround(rgba, sx, sy, 2);
                ++all;
            }
        }
        return all ? double(lit) / double(all) : 0.0;
    }

    std::unique_ptr<WorldHarness> harness;
    std::unique_ptr<Room> room;

private:
    gfx::FrameBufferHandle m_target;
};

TEST_F(PowerPunchOutlineGl, EachFacingLightsItsOwnOutlineAndNoOther) {
    const int sheetW = kOutlineSheetCell * int(std::size(kHeldPunches));
    std::vector<uint8_t> sheet(size_t(sheetW) * kOutlineSheetCell * kOutlineSheetRows * 4, 0);
    for (size_t facing = 0; facing < std::size(kHeldPunches); ++facing) {
        SCOPED_TRACE(kHeldPunches[facing].name);
        holdPowerPunch(kHeldPunches[facing]);
        keepOnSheet(show(3), sheet, facing, 0);
        silenceChargeParticles();
        // The screen keeps a fading trace of its last frames (five at the first vector setting):
        // the particles are gone once as many have been drawn without them.
        const std::vector<uint8_t> picture = show(6);
        keepOnSheet(picture, sheet, facing, 1);
        const Zelmo::PlayerComp& state = logic().player().get<Zelmo::PlayerComp>();
        ASSERT_EQ(state.stateCode & 0xf, 4) << "the punch ended early";

        EXPECT_GT(litAlongOutline(picture, state.directionEntities[facing]), 0.95)
            << "the outline of the facing is not drawn along its whole length";
        // The other facings' outlines reach where this one does not: their far ends stay dark.
        for (size_t other = 0; other < std::size(kHeldPunches); ++other) {
            if (other == facing || other / 2 == facing / 2) continue;
            const auto& lists = state.directionEntities[other].get<Zelmo::PolyComp>().pointLists;
            if (lists.empty()) continue;
            const std::vector<float>& points = lists[0];
            for (size_t end : {size_t(0), points.size() / 2 - 2}) {
                int sx = 0, sy = 0;
                outlinePointOnScreen(state.directionEntities[other], points[end], points[end + 1], sx, sy);
                EXPECT_FALSE(azureAround(picture, sx, sy, 2))
                    << kHeldPunches[other].name << "'s outline shows at " << sx << ", " << sy;
            }
        }
    }
    keepPicture("power-punch-directions-contact-sheet.png", sheet, sheetW, kOutlineSheetCell * kOutlineSheetRows);
}

}  // namespace
