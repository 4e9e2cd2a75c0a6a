#include "game/world/systems/PlayerInputSys.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/VectorGraphics_generated.h"
#include "engine/data/Globals.h"
#include "engine/shell/AppContext.h"
#include "engine/tween/Penner.h"
#include "engine/util/Fatal.h"
#include "engine/vector/GameVectors.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/vector/ShapeIds.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"

namespace Zelmo {
namespace {

using namespace AnimIds;

constexpr int kPosePunch = 4;
constexpr int kPoseShield = 2;
constexpr int kSoundPowerPunch = 25;
constexpr int kSoundPunch = 26;
constexpr int kSoundCharge = 27;
constexpr float kFullChargeMs = 10000.0f;
constexpr float kTrailStepMs = 100.0f;
constexpr float kTrailLifeMs = 500.0f;
constexpr uint32_t kTrailColour = 0xffb31c1c;
constexpr float kStrikeZapMs = 10.0f * 16.666666f;

enum Column { kStand, kRun, kShield, kCrouch, kCharge, kPunch };

// Per facing (up, down, left, right): stand, run, shield, crouch, charge, punch.
constexpr std::array<std::array<uint32_t, 6>, 4> kAnimGroups = {{
    {KROMB_UP, KROMB_UP_RUN, KROMB_UP_SHIELD, KROMB_UP_CROUCH, KROMB_UP_CHARGE, KROMB_UP_PUNCH},
    {KROMB_DN, KROMB_DN_RUN, KROMB_DN_SHIELD, KROMB_DN_CROUCH, KROMB_DN_CHARGE, KROMB_DN_PUNCH},
    {KROMB_LF, KROMB_LF_RUN, KROMB_LF_SHIELD, KROMB_LF_CROUCH, KROMB_LF_CHARGE, KROMB_LF_PUNCH},
    {KROMB_RT, KROMB_RT_RUN, KROMB_RT_SHIELD, KROMB_RT_CROUCH, KROMB_RT_CHARGE, KROMB_RT_PUNCH},
}};

// A heading for a held-direction value (-1: no move) and the drawings that may show while it is
// held, the first chosen when the current one is not among them.
struct DirectionRow {
    int heading;
    std::vector<uint32_t> anims;
    bool holds(uint32_t anim) const { return std::find(anims.begin(), anims.end(), anim) != anims.end(); }
};
using DirectionTable = std::array<DirectionRow, 16>;

constexpr std::array<int, 16> kHeadings = {-1, 0, 180, -1, 270, 315, 225, -1, 90, 45, 135, -1, -1, -1, -1, -1};

DirectionTable directionTable(const std::array<std::vector<uint32_t>, 16>& lists) {
    DirectionTable table;
    for (size_t i = 0; i < table.size(); ++i) table[i] = {kHeadings[i], lists[i]};
    return table;
}

const DirectionTable& runDirectionTable() {
    static const DirectionTable s_table = directionTable({{
        {KROMB_DN},
        {KROMB_UP_RUN},
        {KROMB_DN_RUN},
        {KROMB_DN},
        {KROMB_LF_RUN},
        {KROMB_LF_RUN, KROMB_UP_RUN},
        {KROMB_LF_RUN, KROMB_DN_RUN},
        {KROMB_DN},
        {KROMB_RT_RUN},
        {KROMB_RT_RUN, KROMB_UP_RUN},
        {KROMB_RT_RUN, KROMB_DN_RUN},
        {KROMB_RT},
        {KROMB_DN},
        {KROMB_UP},
        {KROMB_DN},
        {KROMB_DN},
    }});
    return s_table;
}

const DirectionTable& punchDirectionTable() {
    static const DirectionTable s_table = directionTable({{
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_UP_CROUCH, KROMB_UP_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_LF_CROUCH, KROMB_LF_CHARGE},
        {KROMB_LF_CROUCH, KROMB_UP_CROUCH, KROMB_LF_CHARGE, KROMB_UP_CHARGE},
        {KROMB_LF_CROUCH, KROMB_DN_CROUCH, KROMB_LF_CHARGE, KROMB_DN_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_RT_CROUCH, KROMB_RT_CHARGE},
        {KROMB_RT_CROUCH, KROMB_UP_CROUCH, KROMB_RT_CHARGE, KROMB_UP_CHARGE},
        {KROMB_RT_CROUCH, KROMB_DN_CROUCH, KROMB_RT_CHARGE, KROMB_DN_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_UP_CROUCH, KROMB_UP_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
        {KROMB_DN_CROUCH, KROMB_DN_CHARGE},
    }});
    return s_table;
}

const DirectionTable& shieldDirectionTable() {
    static const DirectionTable s_table = directionTable({{
        {KROMB_DN_SHIELD},
        {KROMB_UP_SHIELD},
        {KROMB_DN_SHIELD},
        {KROMB_DN_SHIELD},
        {KROMB_LF_SHIELD},
        {KROMB_LF_SHIELD},
        {KROMB_LF_SHIELD},
        {KROMB_DN_SHIELD},
        {KROMB_RT_SHIELD},
        {KROMB_RT_SHIELD},
        {KROMB_RT_SHIELD},
        {KROMB_RT_SHIELD},
        {KROMB_DN_SHIELD},
        {KROMB_UP_SHIELD},
        {KROMB_DN_SHIELD},
        {KROMB_DN_SHIELD},
    }});
    return s_table;
}

std::string animName(uint32_t anim) {
    const char* name = animIdName(anim);
    return name ? name : std::to_string(anim);
}

const std::array<uint32_t, 6>& findAnimGroup(uint32_t anim) {
    for (const auto& group : kAnimGroups) {
        if (std::find(group.begin(), group.end(), anim) != group.end()) return group;
    }
    Util::fatal("EEK AnimId AnimGroup not found: " + animName(anim));
}

bool isCrouchChargeOrPunch(uint32_t anim) {
    const auto& group = findAnimGroup(anim);
    return anim == group[kCrouch] || anim == group[kCharge] || anim == group[kPunch];
}

struct Offset {
    uint32_t anim;
    int dx;
    int dy;
};

const Offset& findOffset(std::initializer_list<Offset> rows, uint32_t anim, const char* message) {
    for (const Offset& row : rows) {
        if (row.anim == anim) return row;
    }
    Util::fatal(message + animName(anim));
}

Offset chargeAnimToDir(uint32_t anim) {
    return findOffset(
        {{KROMB_UP_CHARGE, 33, -20}, {KROMB_DN_CHARGE, -30, 38}, {KROMB_LF_CHARGE, 25, 20}, {KROMB_RT_CHARGE, -25, 20}},
        anim, "CHARGE AniId not found in chargeAnimToDir: ");
}

Offset punchAnimToEmitterPos(uint32_t anim) {
    return findOffset(
        {{KROMB_UP_PUNCH, 28, -7}, {KROMB_DN_PUNCH, -24, -84}, {KROMB_LF_PUNCH, -79, 0}, {KROMB_RT_PUNCH, 79, 0}}, anim,
        "PUNCH anim not found in punchAnimToEmitterPos: ");
}

int punchAnimToDir(uint32_t anim) {
    return findOffset(
               {{KROMB_UP_PUNCH, 0, 0}, {KROMB_DN_PUNCH, 180, 0}, {KROMB_LF_PUNCH, 270, 0}, {KROMB_RT_PUNCH, 90, 0}},
               anim, "PUNCH AniId not found in punchAnimToDir: ")
        .dx;
}

uint32_t followOn(uint32_t anim) {
    const Vector::AnimationDef* def = GameVectors::instance().animation(anim);
    return def ? def->next() : 0;
}

int lastFrame(uint32_t anim) {
    const Vector::AnimationDef* def = GameVectors::instance().animation(anim);
    return def && def->frames() ? int(def->frames()->size()) - 1 : 0;
}

void showAnim(AnimationComp& animation, uint32_t anim, float speed = 1.0f) {
    animation.animation = int32_t(anim);
    animation.frame = 0;
    animation.frameTime = 0;
    animation.speed = speed;
}

void stand(PVAComp& pva) {
    pva.speed.from = 0.0f;
    pva.speed.to = 0.0f;
    pva.speed.elapsed = 0.0f;
}

PVAComp stillCopy(const PVAComp& pva) {
    PVAComp copy = pva;
    stand(copy);
    return copy;
}

size_t facingIndex(int32_t stateCode) {
    const int32_t facing = (stateCode >> 4) - 1;
    return facing >= 0 && facing < 4 ? size_t(facing) : 0;
}

float clampedTime(float time, float limit) { return std::min(std::max(time, 0.0f), limit); }

}  // namespace

void PlayerInputSys::init(AppContext& context, GameLogic& logic, float playerSpeed, float punchSpeed) {
    m_context = &context;
    m_logic = &logic;
    m_playerSpeed = playerSpeed;
    m_punchSpeed = punchSpeed;
}

void PlayerInputSys::onMove(const MoveEvent& event) {
    if (event.pressed()) {
        m_heldDirections |= event.direction();
    } else {
        m_heldDirections &= ~int32_t(event.direction());
    }
    for (const ecs::Entity& entity : entities()) takeUpHeldDirections(entity.get<PlayerComp>());
}

// The dead walk nowhere, whatever is held.
void PlayerInputSys::takeUpHeldDirections(PlayerComp& player) const {
    player.heldDirections = player.health > 0.0f ? m_heldDirections : 0;
}

void PlayerInputSys::onAction(const ActionEvent& event) {
    const int action = event.action();
    if (action < 0 || action > 2) return;
    for (const ecs::Entity& entity : entities()) {
        FireComp& fire = entity.get<FireComp>();
        if (action == 2) {
            if (entity.get<PlayerComp>().powerPunches <= 0) continue;
            fire.isDown[0] = event.pressed();
            fire.power = !event.pressed();
        } else {
            fire.isDown[size_t(action)] = event.pressed();
            fire.power = false;
        }
    }
}

void PlayerInputSys::releaseAll() {
    m_heldDirections = 0;
    for (const ecs::Entity& entity : entities()) {
        entity.get<PlayerComp>().heldDirections = 0;
        entity.get<FireComp>().isDown = {false, false};
        dropCharge(entity);
    }
}

// The player did not let go of the punch: nothing is thrown, the player stands again.
void PlayerInputSys::dropCharge(const ecs::Entity& entity) {
    AnimationComp& animation = entity.get<AnimationComp>();
    const uint32_t anim = uint32_t(animation.animation);
    const auto& group = findAnimGroup(anim);
    if (anim != group[kCrouch] && anim != group[kCharge]) return;
    FireComp& fire = entity.get<FireComp>();
    fire.wasDown[0] = false;
    fire.power = false;
    showAnim(animation, group[kStand]);
    PlayerComp& player = entity.get<PlayerComp>();
    const PVAComp& pva = entity.get<PVAComp>();
    player.placeChargeEmitters(pva.x, pva.y, -1);
    if (player.voice != 0 && m_logic) m_logic->stopSound(player.voice);
    player.voice = 0;
}

void PlayerInputSys::update(float dt) {
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) control(entity, dt);
}

int PlayerInputSys::playSound(int id) { return m_context->soundController().play(id, 100, 0.0f); }

void PlayerInputSys::control(const ecs::Entity& entity, float dt) {
    AnimationComp& animation = entity.get<AnimationComp>();
    PVAComp& pva = entity.get<PVAComp>();
    FireComp& fire = entity.get<FireComp>();
    PlayerComp& player = entity.get<PlayerComp>();
    takeUpHeldDirections(player);
    auto anim = [&animation] { return uint32_t(animation.animation); };
    const auto& group = findAnimGroup(anim());
    PSys::ParticleEmitter* glow = particleSystem(kEffectsSystem)->findEmitter(player.glowEmitter);

    bool canMove = !isCrouchChargeOrPunch(anim()) && !fire.wasDown[0] && !fire.wasDown[1] && player.health > 0.0f;
    const int32_t direction = player.heldDirections != 0 ? player.heldDirections : player.lastDirection;
    const size_t row = size_t(direction & 15);

    // Whatever the lunge hits ends it.
    if (pva.collisionValue != 0 && (anim() == group[kPunch] || anim() == group[kCrouch] || anim() == group[kCharge])) {
        showAnim(animation, group[kStand]);
        stand(pva);
        fire.wasDown[0] = false;
        fire.isDown[0] = false;
        player.placeChargeEmitters(pva.x, pva.y, -1);
        if (player.voice != 0) m_logic->stopSound(player.voice);
        player.voice = 0;
    } else if (anim() == group[kPunch] || player.health <= 0.0f) {
        fire.isDown = {false, false};
    }

    bool powerStart = false;
    for (size_t button = 0; button < 2; ++button) {
        const DirectionRow& choice = (button == 0 ? punchDirectionTable() : shieldDirectionTable())[row];
        const bool down = fire.isDown[button];
        const bool wasDown = fire.wasDown[button];
        fire.wasDown[button] = down;
        if (down && wasDown) {
            if (!choice.holds(anim())) {
                player.lastDirection = direction;
                showAnim(animation, choice.anims.front());
            }
        } else if (down) {
            canMove = false;
            stand(pva);
            if (choice.heading == -1 || choice.holds(anim())) continue;
            player.lastDirection = direction;
            const uint32_t next = choice.anims.front();
            showAnim(animation, next, next == findAnimGroup(next)[kCrouch] ? getOptionValue("PUNCH_DELAY") : 1.0f);
        } else if (wasDown) {
            // Letting go during the crouch is too early: no punch.
            const uint32_t next = anim() == group[kCrouch] ? group[kStand] : followOn(anim());
            if (next != 0 && next != anim()) showAnim(animation, next);
            if (next != findAnimGroup(next)[kPunch]) continue;
            pva.speed.elapsed = 0.0f;
            pva.speed.duration = Globals::getFloat("PUNCHSPEEDMAXTIME");
            pva.speed.from = m_punchSpeed;
            pva.speed.to = Globals::getFloat("PUNCHSPEEDMULT") * m_punchSpeed;
            pva.speed.easer = Penner::Sine::easeIn;
            pva.heading = punchAnimToDir(anim());
            if (glow) glow->liveCount = 0;
            if (fire.power) {
                player.powerPunches -= 1;
                player.dashTime = Globals::getFloat("POWERPUNCHTIME") * getOptionValue("DBZ_TIME");
                powerStart = true;
            }
            if (player.voice != 0) m_logic->stopSound(player.voice);
            player.voice = playSound(powerStart ? kSoundPowerPunch : kSoundPunch);
        }
    }

    if (canMove) {
        const DirectionRow& run = runDirectionTable()[size_t(player.heldDirections & 15)];
        if (run.heading == -1) {
            stand(pva);
            const uint32_t next = followOn(anim());
            if (next != 0 && next != anim()) showAnim(animation, next);
        } else {
            const int lastHeading = runDirectionTable()[size_t(player.lastDirection & 15)].heading;
            const bool turned =
                pva.moved && lastHeading != -1 && lastHeading != pva.heading && lastHeading == run.heading;
            const int previousHeading = pva.heading;
            player.lastDirection = player.heldDirections;
            pva.heading = run.heading;
            pva.speed.from = m_playerSpeed;
            pva.speed.to = m_playerSpeed;
            pva.speed.elapsed = 0.0f;
            if (!run.holds(anim())) {
                showAnim(animation, run.anims.front());
            } else if (turned) {
                // The walls turned the player: show the run of the way it actually goes.
                const int actual = (int(std::nearbyint(previousHeading / 90.0)) * 90 % 360 + 360) % 360;
                for (const DirectionRow& other : runDirectionTable()) {
                    if (other.heading == actual && !other.holds(anim())) {
                        showAnim(animation, other.anims.front());
                        break;
                    }
                }
            }
        }
    }

    const auto& shown = findAnimGroup(anim());
    if (glow && anim() == shown[kCharge] && animation.frame == lastFrame(anim())) {
        const Offset offset = chargeAnimToDir(anim());
        glow->x = int32_t(pva.x) + offset.dx;
        glow->y = int32_t(pva.y) + offset.dy;
        const float held = clampedTime(float(animation.frameTime), kFullChargeMs);
        glow->def.rate = int32_t(Penner::Circ::easeInOut(held, 40.0f, 260.0f, kFullChargeMs));
        glow->def.thicknessScale = 0.0f;
        glow->def.maxParticles = 120;
        if (player.voice == 0) player.voice = playSound(kSoundCharge);
    } else if (glow && anim() == shown[kPunch] && pva.collisionValue == 0) {
        player.placeChargeEmitters(pva.x, pva.y, powerStart ? 1 : 0);
        if (powerStart) {
            glow->liveCount = 0;
        } else {
            Offset offset = punchAnimToEmitterPos(anim());
            if (pva.speed.to == 0.0f) {
                const double angle = double(pva.heading + 90) * M_PI / 180.0;
                offset.dx += int(double(m_punchSpeed) * -std::cos(angle));
                offset.dy += int(double(m_punchSpeed) * std::sin(angle));
            }
            glow->x = int32_t(pva.x) + offset.dx;
            glow->y = int32_t(pva.y) + offset.dy;
            if (glow->def.thicknessScale == 0.0f) {
                const float charge = clampedTime(float(glow->def.rate), 260.0f);
                glow->def.rate = int32_t(Penner::Cubic::easeIn(charge, 1000.0f, 1000.0f, 260.0f));
                glow->def.thicknessScale = 8.0f;
                glow->def.maxParticles = 2000;
            }
        }
    } else if (glow) {
        glow->def.thicknessScale = 1.0f;
        glow->def.rate = 0;
    }

    for (int32_t id : player.bodyEmitters) {
        if (PSys::ParticleEmitter* body = particleSystem(kEffectsSystem)->findEmitter(id)) {
            body->x = int32_t(pva.x);
            body->y = int32_t(pva.y);
        }
    }
    player.setState(anim());
    // A power punch that plays out ends its charge, or the next ordinary punch would hit with its damage.
    if (player.chargeEmittersOn && (player.stateCode & 0xf) != kPosePunch) player.placeChargeEmitters(pva.x, pva.y, -1);
    leaveAfterImage(entity, player, dt);
    holdShield(entity, player);

    if (player.pendingStrikes > 0 && entity.has<ZappedComp>()) {
        ZappedComp& zapped = entity.get<ZappedComp>();
        zapped.remaining = std::max(zapped.remaining, float(player.pendingStrikes) * kStrikeZapMs);
        zapped.factorFrom = 1.0f;
        zapped.factorTo = float(player.pendingStrikes) / 5.0f + 1.0f;
    }
    player.pendingStrikes = 0;
    if (player.chargeEmittersOn) {
        for (ecs::Entity& side : player.directionEntities) side.get<PVAComp>() = stillCopy(pva);
    }
    if (player.armour.has<PVAComp>()) player.armour.get<PVAComp>() = stillCopy(pva);

    player.rechargeTimer += dt;
    if (player.rechargeTimer > player.rechargeDelay && player.health > 0.0f && player.maxHealth > player.health) {
        player.health = std::min(player.health + dt / 1000.0f * player.rechargeSpeed, player.maxHealth);
    }
}

void PlayerInputSys::leaveAfterImage(const ecs::Entity& entity, PlayerComp& player, float dt) {
    if ((player.stateCode & 0xf) != kPosePunch) {
        player.trailTimer = 0.0f;
        return;
    }
    const float before = player.trailTimer;
    player.trailTimer += dt;
    if (int(player.trailTimer / kTrailStepMs) <= int(before / kTrailStepMs)) return;

    ecs::Entity image = m_logic->createEntity();
    image.add<PVAComp>(stillCopy(entity.get<PVAComp>()));
    image.add<BBoxComp>(entity.get<BBoxComp>());
    VectorComp& look = image.add<VectorComp>(entity.get<VectorComp>());
    look.shapeSet = 0;  // a flashing player's look has no after-images: they keep their own red
    look.lifetime = kTrailLifeMs;
    look.colour = kTrailColour;
    look.filled = true;
    look.shape =
        ShapeIds::kPunchTrails[facingIndex(player.stateCode)] + (entity.get<AnimationComp>().frame > 0 ? 1 : 0);
    ColourChain fade;
    fade.target = &look.colour;
    fade.steps.push_back({{kTrailColour, kTrailColour & 0x00ffffffu}, kTrailLifeMs, Penner::Linear::easeIn, 0.0f});
    image.add<FXsComp>().setColourTweenChain(fade);
    image.activate();
}

void PlayerInputSys::holdShield(const ecs::Entity& entity, PlayerComp& player) {
    ecs::Entity& shield = player.shield;
    if ((player.stateCode & 0xf) != kPoseShield) {
        shield.deactivate();
        return;
    }
    shield.get<PVAComp>() = stillCopy(entity.get<PVAComp>());
    VectorComp& look = shield.get<VectorComp>();
    const uint32_t colour = look.colour;
    const float angle = look.angle;
    look = entity.get<VectorComp>();
    look.colour = colour;
    look.angle = angle;
    look.shape = ShapeIds::kHeldShields[facingIndex(player.stateCode)];
    addShapeBoxes(shield, look.shape, look.scale);
    shield.activate();
}

}  // namespace Zelmo
