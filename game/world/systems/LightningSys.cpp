#include "game/world/systems/LightningSys.h"

#include <algorithm>
#include <cmath>

#include "game/effects/WeaponTable.h"
#include "game/vector/PolyComp.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {
namespace {

constexpr int kStrikeSound = 10;
constexpr int kDeathBeam = 12;
// A collision value of 0 or 5 lets bolts through; beyond the map is a wall.
constexpr uint16_t kOutside = 0xffff;

bool stopsBolt(uint16_t value) { return value != 0 && value != 5; }

bool inside(const IntBox& box, int x, int y) {
    return box.x <= x && x < box.x + box.w && box.y <= y && y < box.y + box.h;
}

// The entity's hit box where the entity stands.
IntBox placedHitBox(const ecs::Entity& entity) {
    const PVAComp& pva = entity.get<PVAComp>();
    const IntBox& hit = entity.get<HBoxComp>();
    return {int(pva.x) + hit.x, int(pva.y) + hit.y, hit.w, hit.h};
}

bool isUp(const ecs::Entity& entity) {
    return entity.isValid() && entity.isActivated() && entity.has<PVAComp>() && entity.has<HBoxComp>();
}

}  // namespace

void LightningSys::init(GameLogic* logic, PlayerDamage damage) {
    m_logic = logic;
    m_damage = std::move(damage);
}

bool LightningSys::shieldBlocks(int facing, int heading) {
    switch (facing) {
        case 16:
            return heading >= 135 && heading <= 225;
        case 32:
            return heading < 85 || heading > 275;
        case 48:
            return heading >= 45 && heading <= 165;
        case 64:
            return heading >= 195 && heading <= 315;
        default:
            return false;
    }
}

void LightningSys::update(float) {
    if (!m_logic) return;
    const ecs::Entity player = m_logic->player();
    if (!player.isValid() || !player.has<PlayerComp>() || !player.has<HBoxComp>()) return;
    const PlayerComp& state = player.get<PlayerComp>();
    const IntBox playerBox = placedHitBox(player);
    const bool armourOn = isUp(state.armour);
    const bool shieldOn = isUp(state.shield);
    const IntBox shieldBox = shieldOn ? placedHitBox(state.shield) : IntBox{};
    const int facing = shieldOn ? state.stateCode & 0xF0 : 0;
    const Map::TileCollisionMap& walls = m_logic->collisionMap();

    const std::vector<ecs::Entity> strikes = entities();
    for (const ecs::Entity& strike : strikes) {
        if (!strike.isValid() || !strike.has<LightningComp>() || !strike.has<PolyComp>()) continue;
        LightningComp& lightning = strike.get<LightningComp>();
        const std::vector<int32_t> old = lightning.boltsHit;
        lightning.boltsHit.clear();
        const PVAComp& pva = strike.get<PVAComp>();
        const float sx = pva.x, sy = pva.y;
        std::vector<std::vector<float>>& bolts = strike.get<PolyComp>().pointLists;
        for (size_t bolt = 0; bolt < bolts.size(); ++bolt) {
            std::vector<float>& points = bolts[bolt];
            if (points.size() < 2) continue;
            float& lastX = points[points.size() - 2];
            float& lastY = points[points.size() - 1];
            const int ex = int(std::nearbyint(lastX + sx));
            const int ey = int(std::nearbyint(lastY + sy));
            const auto index = int32_t(bolt);
            const bool hitBefore = std::find(old.begin(), old.end(), index) != old.end();
            auto record = [&] { lightning.boltsHit.push_back(index); };
            auto pin = [&] {
                lastX = float(shieldBox.w / 2 + shieldBox.x) - sx;
                lastY = float(shieldBox.h / 2 + shieldBox.y) - sy;
                record();
            };
            if (stopsBolt(walls.valueAtPixel(ex, ey, kOutside))) continue;
            // The armour lets a bolt that hit it rest for one update.
            if (armourOn && hitBefore) continue;
            if (shieldOn && hitBefore) {
                pin();
            } else if (shieldOn && inside(shieldBox, ex, ey)) {
                record();
            } else if (inside(playerBox, ex, ey)) {
                if (armourOn) {
                    record();
                } else if (!shieldOn) {
                    strikeHit(strike, player);
                } else if (facing == 16 || facing == 32 || facing == 48 || facing == 64) {
                    if (shieldBlocks(facing, headingOf(float(ex) - sx, sy - float(ey)))) {
                        pin();
                    } else {
                        strikeHit(strike, player);
                    }
                }
            }
        }
    }
}

void LightningSys::strikeHit(const ecs::Entity& strike, const ecs::Entity& player) {
    PlayerComp& state = player.get<PlayerComp>();
    state.pendingStrikes += 1;
    // Health at or below 0 is dead: one death, however many bolts land.
    if (state.health <= 0.0f) return;
    if (m_damage) m_damage(player, strikeDamage(strike.get<LightningComp>().strikeType));
    m_logic->playSound(kStrikeSound);
    if (state.health > 0.0f) return;
    VectorComp& vector = player.get<VectorComp>();
    player.get<FXsComp>().setTweenChain(FloatChain{{FloatStep{vector.scale, 0.1f, 1000.0f}}, &vector.scale});
    const PVAComp& pva = player.get<PVAComp>();
    ecs::Entity burst = m_logic->createBeamEffect(kDeathBeam, pva.x, pva.y, 0.0f, 100.0f, 0.0f, false);
    burst.get<BeamComp>().killOwner = true;
}

}  // namespace Zelmo
