#include <cmath>

#include "engine/psys/System.h"
#include "engine/util/Colour.h"
#include "game/effects/LightningDef.h"
#include "game/effects/LightningGenerator.h"
#include "game/effects/ParticleSystems.h"
#include "game/effects/WeaponTable.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/GrowingBox.h"
#include "game/world/Heading.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"

// Beams, particle shots and lightning made during play.
namespace Zelmo {
namespace {

constexpr int kBossBulletTrail = 14;
constexpr int kBossBulletPassThrough = -60;
constexpr int kTrailRate = 200;
constexpr float kTrailMs = 1000.0f;
constexpr int kMaxBoltPoints = 500;

float drawIn(Util::Random& random, const LightningDef::Range& range) {
    if (range.min == range.max) return range.min;
    return range.min + random.nextFloat() * (range.max - range.min);
}

}  // namespace

void GameLogic::addBeam(int type, ecs::Entity entity, float originX, float originY, float aimX, float aimY,
                        float growthStep, bool trace) {
    if (entity.has<BeamComp>() && entity.has<FXsComp>()) {
        entity.get<FXsComp>().removeTargetsOf(entity.get<BeamComp>());
    }
    BeamComp& beam = entity.add<BeamComp>();
    beam.type = type;
    beamTimeline(type, beam.timeline);
    beam.originX = int(originX);
    beam.originY = int(originY);
    beam.angle = float(headingOf(aimX - originX, originY - aimY));
    beam.length = 0.0f;
    beam.growthStep = growthStep;
    beam.trace = trace;
    entity.activate();
    const int sound = beamSound(type);
    if (sound != 0) playSound(sound);
}

ecs::Entity GameLogic::createBeamEffect(int type, float x, float y, float targetX, float targetY, float growthStep,
                                        bool trace) {
    ecs::Entity effect = createEntity();
    PVAComp& pva = effect.add<PVAComp>();
    pva.x = x;
    pva.y = y;
    addBeam(type, effect, 0.0f, 0.0f, targetX - x, targetY - y, growthStep, trace);
    return effect;
}

int GameLogic::fireParticles(float x, float y, int definition, float ox, float oy, float tx, float ty) {
    const int id = spawnParticles(int(x + ox), int(y + oy), kHostileSystem, definition, 0.0f);
    aimEmitter(id, x + ox, y + oy, tx, ty);
    return id;
}

void GameLogic::aimEmitter(int id, float fromX, float fromY, float toX, float toY) {
    PSys::ParticleDef* def = particleSystem(kHostileSystem)->findEmitterDef(id);
    if (!def) return;
    const float heading = float(headingOf(toX - fromX, fromY - toY));
    def->angle.min = heading;
    def->angle.max = heading;
    if (def->aimSpread != 0.0f) {
        const float spread = float(m_random.nextInt(uint32_t(def->aimSpread + 1.0f)));
        def->angle.min -= spread;
        def->angle.max += spread;
    }
}

ecs::Entity GameLogic::fireBossBullet(int x, int y) {
    ecs::Entity bullet = createRobot(kBossBulletRobotType, x, y);
    PVAComp& pva = bullet.get<PVAComp>();
    const PVAComp& target = m_player.get<PVAComp>();
    pva.heading = headingOf(target.x - pva.x, pva.y - target.y);
    pva.contactCounter = kBossBulletPassThrough;
    EmittersComp& emitters = bullet.add<EmittersComp>();
    for (EmittersComp::Slot& slot : emitters.slots) {
        slot.system = kTrailSystem;
        slot.emitter = spawnParticles(int(pva.x), int(pva.y), kTrailSystem, kBossBulletTrail, 0.0f);
        if (PSys::ParticleEmitter* emitter = particleSystem(kTrailSystem)->findEmitter(slot.emitter)) {
            emitter->def.rate = kTrailRate;
            emitter->def.duration = kTrailMs;
        }
    }
    return bullet;
}

ecs::Entity GameLogic::createLightning(int strikeType, int boltCount, int passCount, float x0, float y0, float x1,
                                       float y1, bool withComponent) {
    const LightningDef* def = lightningDef(strikeType);
    if (def->jitter != 0) {
        const float angle = float(m_random.nextInt(360)) * kRadiansPerDegree;
        const float reach = float(int(m_random.nextInt(uint32_t(2 * def->jitter + 1))) - def->jitter);
        x1 += std::sin(angle) * reach;
        y1 += std::cos(angle) * reach;
    }
    BoltLook look;
    look.amplitude = def->amplitude;
    look.decay = def->decay;
    look.threshold = def->threshold;
    look.midpointScale = drawIn(m_random, def->midpointScale);
    look.thickness = drawIn(m_random, def->thickness);
    look.lifeMs = drawIn(m_random, def->life);
    look.colour = Util::rgbaToAbgr(def->palette[m_random.nextInt(4)]);
    ecs::Entity strike = createLightningBolt(look, boltCount, passCount, x0, y0, x1, y1, withComponent);
    if (withComponent) strike.get<LightningComp>().strikeType = strikeType;
    const int sound = strikeSound(strikeType);
    if (sound != 0) playSound(sound);
    return strike;
}

ecs::Entity GameLogic::createLightningBolt(const BoltLook& look, int boltCount, int passCount, float x0, float y0,
                                           float x1, float y1, bool withComponent) {
    ecs::Entity strike = createEntity();
    PVAComp& pva = strike.add<PVAComp>();
    pva.x = x0;
    pva.y = y0;
    PolyComp& poly = strike.add<PolyComp>();
    poly.colour = look.colour;
    poly.thickness = look.thickness;
    poly.passCount = passCount;
    poly.lifetime = look.lifeMs;
    poly.scale = 1.0f;
    poly.filled = false;

    BoltParams params;
    params.x1 = x1 - x0;
    params.y1 = y1 - y0;
    params.amplitude = look.amplitude;
    params.decay = look.decay;
    params.threshold = look.threshold;
    params.midpointScale = look.midpointScale;
    params.maxPoints = kMaxBoltPoints;
    // Stream 0 would mean the time-stamp counter: the bolts come from the game's own numbers.
    LightningGenerator generator(uint64_t(m_random.next()) | 1u);
    GrowingBox extent;
    for (int i = 0; i < boltCount; ++i) {
        poly.pointLists.emplace_back();
        generator.generate(params, poly.pointLists.back());
        const FloatBox bolt = pointListBounds(poly.pointLists.back());
        const int left = int(std::floor(bolt.x)), bottom = int(std::floor(bolt.y));
        extent.add(left, bottom, int(std::ceil(bolt.x + bolt.w)) - left, int(std::ceil(bolt.y + bolt.h)) - bottom);
    }
    static_cast<IntBox&>(strike.add<BBoxComp>()) = extent.box();
    if (withComponent) strike.add<LightningComp>();
    return strike;
}

ecs::Entity GameLogic::createLinkedLightning(const ecs::Entity& source, int dx, int dy, int strikeType, int boltCount,
                                             int passCount, float x0, float y0, float x1, float y1) {
    ecs::Entity strike = createLightning(strikeType, boltCount, passCount, x0, y0, x1, y1, true);
    linkPVA(source, strike, dx, dy);
    return strike;
}

void GameLogic::linkPVA(const ecs::Entity& source, const ecs::Entity& follower, int dx, int dy) {
    LinkedPVAComp& link = follower.add<LinkedPVAComp>();
    link.source = source;
    link.dx = dx;
    link.dy = dy;
}

}  // namespace Zelmo
