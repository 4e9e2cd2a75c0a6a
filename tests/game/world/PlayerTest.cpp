#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "data/VectorGraphics_generated.h"
#include "engine/psys/System.h"
#include "engine/vector/GameVectors.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/world/DisplayComps.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/Room.h"

namespace {

using namespace AnimIds;
using WorldTest::Room;
using WorldTest::WorldHarness;
using Zelmo::PlayerComp;
using Zelmo::PVAComp;

constexpr float kPlayerSpeed = 3.0f;  // pixels per update
constexpr float kPunchSpeed = 6.0f;
constexpr int kSoundPowerPunch = 25;
constexpr int kSoundPunch = 26;
constexpr int kSoundCharge = 27;

// What the animations would show once the crouch has played out: the charge, held at its last
// frame.
void playOutCrouch(WorldHarness& harness) {
    Zelmo::AnimationComp& animation = harness.logic().player().get<Zelmo::AnimationComp>();
    const Vector::AnimationDef* crouch = GameVectors::instance().animation(uint32_t(animation.animation));
    ASSERT_NE(crouch, nullptr);
    const Vector::AnimationDef* charge = GameVectors::instance().animation(crouch->next());
    ASSERT_NE(charge, nullptr);
    animation.animation = int32_t(crouch->next());
    animation.frame = int32_t(charge->frames()->size()) - 1;
    animation.frameTime = 0;
}

// Press, crouch, charge and let go: the punch flies in the last update.
void throwPunch(WorldHarness& harness, const std::string& button) {
    harness.send("START_ACTION", button);
    harness.step();
    playOutCrouch(harness);
    harness.step();
    harness.send("STOP_ACTION", button);
    harness.step();
}

// The player stands in the middle of an empty room and is worked through the game's actions.
class Player : public ::testing::Test {
protected:
    Player() : m_room(m_harness) { placeInMiddle(); }

    void placeInMiddle() {
        PVAComp& pva = player().get<PVAComp>();
        pva.x = pva.nextX = Room::middle();
        pva.y = pva.nextY = Room::middle();
    }
    ecs::Entity player() { return m_harness.logic().player(); }
    PlayerComp& state() { return player().get<PlayerComp>(); }
    PVAComp& pva() { return player().get<PVAComp>(); }
    Zelmo::AnimationComp& animation() { return player().get<Zelmo::AnimationComp>(); }
    uint32_t anim() { return uint32_t(animation().animation); }
    const std::vector<int>& played() { return m_harness.sound().played; }
    bool playedSound(int id) { return std::count(played().begin(), played().end(), id) > 0; }

    void punch(const std::string& button = "0") { throwPunch(m_harness, button); }
    void crouchPlaysOut() { playOutCrouch(m_harness); }

    WorldHarness m_harness;
    Room m_room;
};

struct Walk {
    const char* direction;
    int heading;
    uint32_t run;
    uint32_t stand;
    float dx;
    float dy;
};

TEST_F(Player, WalksEachWayAndStopsWhenLetGo) {
    const Walk walks[] = {{"UP", 0, KROMB_UP_RUN, KROMB_UP, 0, 1},
                          {"DN", 180, KROMB_DN_RUN, KROMB_DN, 0, -1},
                          {"LF", 270, KROMB_LF_RUN, KROMB_LF, -1, 0},
                          {"RT", 90, KROMB_RT_RUN, KROMB_RT, 1, 0}};
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.direction);
        placeInMiddle();
        m_harness.send("START_MOVE", walk.direction);
        m_harness.step(10);
        EXPECT_EQ(pva().heading, walk.heading);
        EXPECT_EQ(anim(), walk.run);
        EXPECT_EQ(state().stateCode & 0xf, 1) << "running";
        EXPECT_NEAR(pva().x, Room::middle() + walk.dx * 10 * kPlayerSpeed, 0.01f);
        EXPECT_NEAR(pva().y, Room::middle() + walk.dy * 10 * kPlayerSpeed, 0.01f);

        m_harness.send("STOP_MOVE", walk.direction);
        m_harness.step();
        EXPECT_EQ(anim(), walk.stand) << "a run falls back to its stand";
        const float x = pva().x, y = pva().y;
        m_harness.step(5);
        EXPECT_EQ(pva().x, x);
        EXPECT_EQ(pva().y, y);
    }
}

TEST_F(Player, ADiagonalKeepsTheRunShowingAndOppositesStandStill) {
    m_harness.send("START_MOVE", "LF");
    m_harness.step();
    m_harness.send("START_MOVE", "UP");
    m_harness.step(4);
    EXPECT_EQ(pva().heading, 315);
    EXPECT_EQ(anim(), KROMB_LF_RUN);

    m_harness.send("STOP_MOVE", "LF UP");
    m_harness.send("START_MOVE", "UP");
    m_harness.step();
    m_harness.send("START_MOVE", "RT");
    m_harness.step();
    EXPECT_EQ(pva().heading, 45);
    EXPECT_EQ(anim(), KROMB_UP_RUN);

    m_harness.send("STOP_MOVE", "RT");
    m_harness.send("START_MOVE", "DN");
    m_harness.step();
    const float x = pva().x, y = pva().y;
    m_harness.step(3);
    EXPECT_EQ(anim(), KROMB_UP) << "up and down together: the run falls back to its stand";
    EXPECT_EQ(pva().x, x);
    EXPECT_EQ(pva().y, y);
}

TEST_F(Player, LettingGoDuringTheCrouchThrowsNoPunch) {
    m_harness.send("START_ACTION", "0");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_LF_CROUCH) << "the level starts facing left";
    EXPECT_EQ(state().stateCode, 51);
    m_harness.send("START_MOVE", "RT");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_RT_CROUCH) << "turning while holding restarts the crouch";
    EXPECT_EQ(pva().x, Room::middle()) << "no walking while the punch is held";
    m_harness.send("STOP_MOVE", "RT");
    m_harness.send("STOP_ACTION", "0");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_RT);
    EXPECT_FALSE(playedSound(kSoundPunch));
}

TEST_F(Player, AReleasedChargeLungesAlongThePunch) {
    m_harness.send("START_ACTION", "0");
    m_harness.step();
    crouchPlaysOut();
    m_harness.step();
    EXPECT_TRUE(playedSound(kSoundCharge));
    const PSys::ParticleEmitter* glow = Zelmo::particleSystem(Zelmo::kEffectsSystem)->findEmitter(state().glowEmitter);
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->def.rate, 40) << "a charge just begun glows at its least";

    m_harness.send("STOP_ACTION", "0");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_LF_PUNCH);
    EXPECT_EQ(state().stateCode, 52);
    EXPECT_EQ(pva().heading, 270);
    EXPECT_EQ(pva().speed.from, kPunchSpeed);
    EXPECT_EQ(pva().speed.to, 2 * kPunchSpeed);
    EXPECT_EQ(played().back(), kSoundPunch);
    EXPECT_LT(pva().x, Room::middle());
    EXPECT_GE(glow->def.rate, 1000) << "the charge bursts as the punch flies";

    const float health = state().health;
    PlayerComp::takeDamage(player(), 100.0f);
    EXPECT_EQ(state().health, health) << "a punching player cannot be hurt";

    const size_t entities = m_harness.logic().world().entityCount();
    m_harness.step(7);
    EXPECT_GT(m_harness.logic().world().entityCount(), entities) << "after-images";
}

// Every drawing in the world, as the display systems would see them.
struct PlayerTestDrawings : ecs::System {
    PlayerTestDrawings() : System(ecs::componentMask<Zelmo::VectorComp>()) {}
};

TEST_F(Player, AfterImagesKeepTheirOwnLookWhileThePlayerFlashes) {
    player().get<Zelmo::VectorComp>().shapeSet = 1;
    punch();
    m_harness.step(7);
    PlayerTestDrawings drawings;
    m_harness.logic().world().addSystem(drawings);
    int images = 0;
    for (const ecs::Entity& entity : drawings.entities()) {
        const Zelmo::VectorComp& look = entity.get<Zelmo::VectorComp>();
        if (look.shape < 109 || look.shape > 116) continue;
        ++images;
        EXPECT_EQ(look.shapeSet, 0) << "the flash look has no after-image shapes";
    }
    m_harness.logic().world().removeSystem(drawings);
    EXPECT_GT(images, 0);
}

TEST_F(Player, APunchIntoAWallStopsThere) {
    pva().x = Room::edge(Room::kFirst) + 40.0f;
    punch();
    ASSERT_EQ(anim(), KROMB_LF_PUNCH);
    const int voice = state().voice;
    m_harness.step(10);
    EXPECT_EQ(anim(), KROMB_LF);
    EXPECT_EQ(pva().speed.to, 0.0f);
    EXPECT_EQ(state().voice, 0);
    EXPECT_EQ(m_harness.sound().stopped.back(), voice);
    EXPECT_FALSE(m_room.probesBlocked(player()));
}

TEST_F(Player, TheShieldIsHeldOnTheFacingSide) {
    m_harness.send("START_ACTION", "1");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_LF_SHIELD);
    ecs::Entity shield = state().shield;
    m_harness.step();
    ASSERT_TRUE(shield.isActivated());
    EXPECT_EQ(shield.get<Zelmo::VectorComp>().shape, 117);
    EXPECT_EQ(shield.get<PVAComp>().x, pva().x);
    EXPECT_EQ(pva().x, Room::middle()) << "the shield is held standing";

    m_harness.send("STOP_ACTION", "1");
    m_harness.step(2);
    EXPECT_EQ(anim(), KROMB_LF);
    EXPECT_FALSE(shield.isActivated());
}

TEST_F(Player, APowerPunchTakesOneAndDashes) {
    const int stock = state().powerPunches;
    ASSERT_GT(stock, 0);
    punch("2");
    EXPECT_EQ(anim(), KROMB_LF_PUNCH);
    EXPECT_EQ(state().powerPunches, stock - 1);
    EXPECT_GT(state().dashTime, 0.0f);
    EXPECT_TRUE(state().chargeEmittersOn);
    EXPECT_EQ(played().back(), kSoundPowerPunch);
}

TEST_F(Player, APowerPunchThatPlaysOutLeavesTheNextPunchOrdinary) {
    punch("2");
    ASSERT_TRUE(state().chargeEmittersOn);
    // Held in place, so that the pose ends by its animation rather than at a wall.
    pva().speed.from = pva().speed.to = 0.0f;
    for (int i = 0; i < 600 && (state().stateCode & 0xf) == 4; ++i) m_harness.step();
    ASSERT_NE(state().stateCode & 0xf, 4) << "the punch pose plays out";
    EXPECT_FALSE(state().chargeEmittersOn) << "a later ordinary punch would hit with the power punch's damage";
    m_harness.step();
    for (const ecs::Entity& side : state().directionEntities) EXPECT_FALSE(side.isActivated());
}

TEST_F(Player, ActionsOutsideItsButtonsAreIgnored) {
    for (const char* action : {"3", "-1", "99", "-2147483648"}) {
        SCOPED_TRACE(action);
        m_harness.send("START_ACTION", action);
        m_harness.step();
        m_harness.send("STOP_ACTION", action);
        m_harness.step();
        EXPECT_EQ(anim(), KROMB_LF);
    }
}

TEST_F(Player, ThePowerPunchDoesNothingWithNoneLeft) {
    state().powerPunches = 0;
    m_harness.send("START_ACTION", "2");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_LF);
    m_harness.send("STOP_ACTION", "2");
    m_harness.step();
    EXPECT_EQ(anim(), KROMB_LF);
}

TEST_F(Player, HealthComesBackOnlyAfterTheDelayAndUpToTheMost) {
    PlayerComp::takeDamage(player(), 300.0f);
    const float hurt = state().health;
    const int waiting = int(state().rechargeDelay / WorldHarness::kStepMs);
    m_harness.step(waiting);
    EXPECT_EQ(state().health, hurt);
    m_harness.step();
    EXPECT_FLOAT_EQ(state().health, hurt + WorldHarness::kStepMs / 1000.0f * state().rechargeSpeed);
    m_harness.step(200);
    EXPECT_EQ(state().health, state().maxHealth);
}

TEST_F(Player, LettingGoWhilePausedLeavesThePlayerStanding) {
    m_harness.send("START_MOVE", "RT");
    m_harness.send("START_ACTION", "1");
    m_harness.step();
    m_harness.reenter("PAUSE", "");
    m_harness.step(2);
    const float x = pva().x;
    m_harness.step(3);
    EXPECT_EQ(pva().x, x);
    EXPECT_EQ(state().heldDirections, 0);
    EXPECT_FALSE(state().shield.isActivated());
}

TEST_F(Player, AChargeHeldWhenTheGamePausesIsDroppedNotThrownOnResuming) {
    m_harness.send("START_ACTION", "0");
    m_harness.step();
    crouchPlaysOut();
    m_harness.step();
    ASSERT_EQ(state().stateCode & 0xf, 3) << "charging";
    const int facing = state().stateCode & 0xf0;
    m_harness.reenter("PAUSE", "");
    for (int i = 0; i < 10; ++i) {
        m_harness.step();
        EXPECT_NE(state().stateCode & 0xf, 4) << "a punch was thrown";
    }
    EXPECT_EQ(state().stateCode, facing) << "standing the way it faced";
    EXPECT_FALSE(playedSound(kSoundPunch));
    const float x = pva().x, y = pva().y;
    m_harness.step(5);
    EXPECT_EQ(pva().x, x);
    EXPECT_EQ(pva().y, y);
}

TEST_F(Player, TwoStrikesInOneUpdateZapHarderAndLonger) {
    state().pendingStrikes = 2;
    m_harness.step();
    const Zelmo::ZappedComp& zapped = player().get<Zelmo::ZappedComp>();
    EXPECT_FLOAT_EQ(zapped.factorTo, 1.4f);
    EXPECT_GE(zapped.remaining, 333.3f - WorldHarness::kStepMs);
    EXPECT_EQ(state().pendingStrikes, 0);
}

TEST(PlayerState, EveryPlayerDrawingHasACodeAndAnyOtherStops) {
    EXPECT_EQ(PlayerComp::stateFromAnim(KROMB_UP), 16);
    EXPECT_EQ(PlayerComp::stateFromAnim(KROMB_RT_RUN), 65);
    EXPECT_EQ(PlayerComp::stateFromAnim(KROMB_LF_CHARGE), 51);
    EXPECT_EQ(PlayerComp::stateFromAnim(KROMB_DN_PUNCH), 36);
    EXPECT_EXIT(PlayerComp::stateFromAnim(KROMB_CHAINED), ::testing::ExitedWithCode(1),
                "EEK! Player Ani no mapped to state: KROMB_CHAINED");
}

TEST(PlayerState, LeavingThePunchEndsTheDash) {
    PlayerComp player;
    player.setState(KROMB_LF_PUNCH);
    player.dashTime = 300.0f;
    player.setState(KROMB_UP_PUNCH);
    EXPECT_EQ(player.dashTime, 300.0f) << "a turn keeps punching";
    player.setState(KROMB_UP);
    EXPECT_EQ(player.dashTime, 0.0f);
}

// Each death costs a life after three seconds; the last one ends the game.
TEST(PlayerDeath, RestartsTheLevelWhileLivesAreLeftAndLosesOnTheLast) {
    WorldHarness harness;
    harness.startLevel(2);
    const int lives = harness.logic().lives();
    ASSERT_GT(lives, 1);
    for (int life = lives; life > 0; --life) {
        ecs::Entity player = harness.logic().player();
        PlayerComp::takeDamage(player, player.get<PlayerComp>().health);
        // The life is lost three seconds on.
        EXPECT_EQ(harness.step(int(std::lround(3000.0f / WorldHarness::kStepMs)) - 1), "");
        const std::string command = harness.step();
        EXPECT_EQ(command, life > 1 ? "DEAD" : "LOST");
        if (life > 1) harness.reenter("RUNNING", "DEAD");
        EXPECT_EQ(harness.logic().level(), 2);
    }
}

// What is pressed as a level is made works from its first update; what the controls held as a
// life or level ended is let go of: a new life, the level started again and the next level start
// standing still, as a game begun from another screen does.
TEST(PlayerLevelStart, TakesUpWhatIsPressedAndLetsGoOfWhatWasHeld) {
    WorldHarness harness;
    harness.startLevel(2);
    auto player = [&harness] { return harness.logic().player(); };
    auto running = [&player](int heading) {
        const PVAComp& pva = player().get<PVAComp>();
        return pva.heading == heading && (player().get<PlayerComp>().stateCode & 0xf) == 1 && pva.speed.to > 0.0f;
    };

    harness.send("START_MOVE", "RT");
    harness.step();
    EXPECT_TRUE(running(90)) << "pressed before the level's first update";

    PlayerComp::takeDamage(player(), player().get<PlayerComp>().health);
    harness.step(187);
    EXPECT_FALSE(running(90)) << "the dead do not walk";
    ASSERT_EQ(harness.step(), "DEAD");
    harness.reenter("RUNNING", "DEAD");
    harness.step(2);
    EXPECT_FALSE(running(90)) << "the new life walked on what the last one held";
    EXPECT_EQ(player().get<PlayerComp>().heldDirections, 0);
    harness.send("STOP_MOVE", "RT");
    harness.send("START_MOVE", "RT");
    harness.step();
    EXPECT_TRUE(running(90)) << "pressed again in the new life";

    harness.reenter("TITLE", "NEWGAME");
    harness.step(2);
    EXPECT_FALSE(running(90)) << "let go of on the title, where the game did not hear it";

    harness.reenter("TITLE", "NEWGAME");
    harness.send("START_ACTION", "1");
    harness.step();
    EXPECT_EQ(player().get<PlayerComp>().stateCode & 0xf, 2) << "the shield raised before the first update";
}

// A walk, a raised shield or a charge held as the life is lost, the level is started again or the
// next one begins is let go of: the new player stands, until the controls press again.
TEST(PlayerLevelStart, ANewLifeOrLevelStartsStandingStill) {
    struct Held {
        const char* name;
        const char* action;
        const char* param;
        int pose;  // 1 run, 2 shield, 3 crouch or charge
    };
    const Held holds[] = {
        {"walk", "START_MOVE", "RT", 1}, {"shield", "START_ACTION", "1", 2}, {"charge", "START_ACTION", "0", 3}};
    const char* const ends[] = {"DEAD", "NEXTLEVEL"};
    for (const Held& held : holds) {
        for (const char* end : ends) {
            SCOPED_TRACE(std::string(held.name) + " held to " + end);
            WorldHarness harness;
            harness.startLevel(2);
            Zelmo::GameLogic& logic = harness.logic();
            harness.send("START_MOVE", "RT");
            harness.step();
            harness.send("STOP_MOVE", "RT");
            harness.send(held.action, held.param);
            harness.step(40);
            ASSERT_EQ(logic.player().get<PlayerComp>().stateCode & 0xf, held.pose);
            if (std::string(end) == "DEAD") {
                logic.loseLife();
            } else {
                logic.setPrisonersLeft(0);
                logic.checkLevelEnd();
            }
            ASSERT_EQ(harness.step(), end);
            harness.reenter("RUNNING", end);
            const PVAComp start = logic.player().get<PVAComp>();
            harness.step(40);
            const PlayerComp& state = logic.player().get<PlayerComp>();
            EXPECT_EQ(state.stateCode & 0xf, 0) << "the new player does not stand";
            EXPECT_EQ(state.heldDirections, 0);
            EXPECT_FALSE(state.shield.isActivated());
            EXPECT_EQ(logic.player().get<PVAComp>().x, start.x);
            EXPECT_EQ(logic.player().get<PVAComp>().y, start.y);
        }
    }
}

// A power punch in the maze of a real level, steered by the exits of the player's cell.
class Dash : public ::testing::Test {
protected:
    // Alone in the maze, so that nothing but walls stands in the way; one update lets the systems
    // take in what is left.
    Dash() {
        m_harness.startLevel(2);
        m_harness.step();
        m_harness.leavePlayerAlone();
    }

    Zelmo::GameLogic& logic() { return m_harness.logic(); }
    PlayerComp& state() { return logic().player().get<PlayerComp>(); }
    PVAComp& pva() { return logic().player().get<PVAComp>(); }
    uint32_t anim() { return uint32_t(logic().player().get<Zelmo::AnimationComp>().animation); }

    // The first cell whose exits, masked, are as wanted.
    bool findCell(int mask, int wanted, int& cellX, int& cellY) {
        for (cellY = 0; cellY < logic().params().cellsHigh; ++cellY) {
            for (cellX = 0; cellX < logic().params().cellsWide; ++cellX) {
                if ((logic().exitsAt(cellX, cellY) & mask) == wanted) return true;
            }
        }
        return false;
    }
    void placeInCell(int cellX, int cellY) {
        int x = cellX, y = cellY;
        logic().cellToWorld(x, y, 0.0f, 0.0f);
        pva().x = pva().nextX = float(x);
        pva().y = pva().nextY = float(y);
    }
    // Mid-punch facing up, standing still, with the way ahead found blocked.
    void dashingUpIn(int cellX, int cellY) {
        placeInCell(cellX, cellY);
        pva().heading = 0;
        pva().speed = {};
        pva().speed.duration = 1.0f;
        logic().player().get<Zelmo::AnimationComp>().animation = KROMB_UP_PUNCH;
        state().setState(KROMB_UP_PUNCH);
        state().dashTime = 500.0f;
        state().dashing = true;
        m_harness.step();
    }

    WorldHarness m_harness;
};

// Facing up, the way straight on is exit 2; a -90 turn leads into exit 8, a +90 turn into 4.
TEST_F(Dash, AtABendTurnsToTheOpenSide) {
    int cellX = 0, cellY = 0;
    ASSERT_TRUE(findCell(2 | 4 | 8, 4, cellX, cellY));
    dashingUpIn(cellX, cellY);
    EXPECT_EQ(pva().heading, 90);
    EXPECT_EQ(anim(), KROMB_RT_PUNCH);
    EXPECT_EQ(state().lastDirection, 8);
    EXPECT_EQ(state().stateCode, 68);
    EXPECT_FALSE(state().dashing);
    EXPECT_TRUE(state().chargeEmittersOn);

    ASSERT_TRUE(findCell(2 | 4 | 8, 8, cellX, cellY));
    dashingUpIn(cellX, cellY);
    EXPECT_EQ(pva().heading, 270) << "0 - 90 comes round to 270";
    EXPECT_EQ(anim(), KROMB_LF_PUNCH);
    EXPECT_EQ(state().lastDirection, 4);
}

TEST_F(Dash, AtADeadEndRunsOnIntoTheWall) {
    int cellX = 0, cellY = 0;
    ASSERT_TRUE(findCell(2 | 4 | 8, 0, cellX, cellY));
    dashingUpIn(cellX, cellY);
    EXPECT_EQ(pva().heading, 0);
    EXPECT_EQ(anim(), KROMB_UP_PUNCH);
    EXPECT_TRUE(state().dashing) << "the next blocked step ends the punch";
}

TEST_F(Dash, AnOrdinaryPunchIsNotSteered) {
    int cellX = 0, cellY = 0;
    ASSERT_TRUE(findCell(2 | 4 | 8, 4, cellX, cellY));
    placeInCell(cellX, cellY);
    logic().player().get<Zelmo::AnimationComp>().animation = KROMB_UP_PUNCH;
    state().setState(KROMB_UP_PUNCH);
    pva().heading = 0;
    state().dashTime = 0.0f;
    state().dashing = true;
    m_harness.step();
    EXPECT_EQ(pva().heading, 0);
    EXPECT_FALSE(state().dashing);
}

// Thrown at the closed end of a dead end, the power punch turns nowhere and stops at the wall.
// The start room's door stops the dash twice: the first blocked step only sets the dash going
// on, and the second, with no side way out of the room, breaks the door.
TEST_F(Dash, APowerPunchBreaksTheStartRoomsDoor) {
    const Map::TileMap& map = logic().tileMap();
    auto doorTiles = [&map] {
        int count = 0, sumX = 0, sumY = 0;
        for (int ty = 0; ty < map.getHeight(); ++ty) {
            for (int tx = 0; tx < map.getWidth(); ++tx) {
                if (map.getCell(tx, ty) < 17 || map.getCell(tx, ty) > 19) continue;
                ++count;
                sumX += tx;
                sumY += ty;
            }
        }
        return std::array<int, 3>{count, count ? sumX / count : 0, count ? sumY / count : 0};
    };
    const std::array<int, 3> before = doorTiles();
    ASSERT_GT(before[0], 0);
    const int dx = (before[1] << map.getTileShiftX()) - int(pva().x);
    const int dy = (before[2] << map.getTileShiftY()) - int(pva().y);
    // Direction bits: 1 up (+y), 2 down, 4 left, 8 right.
    state().lastDirection = std::abs(dx) > std::abs(dy) ? (dx > 0 ? 8 : 4) : (dy > 0 ? 1 : 2);
    throwPunch(m_harness, "2");
    ASSERT_GT(state().dashTime, 0.0f);
    for (int i = 0; i < 120 && (state().stateCode & 0xf) == 4; ++i) m_harness.step();
    EXPECT_LT(doorTiles()[0], before[0]) << "the door broke";
    EXPECT_FALSE(state().chargeEmittersOn);
}

TEST_F(Dash, APowerPunchEndsAtAWall) {
    int cellX = 0, cellY = 0;
    ASSERT_TRUE(findCell(2 | 4 | 8, 0, cellX, cellY));
    placeInCell(cellX, cellY);
    state().lastDirection = 1;
    throwPunch(m_harness, "2");
    ASSERT_EQ(anim(), KROMB_UP_PUNCH);
    ASSERT_GT(state().dashTime, 0.0f);
    m_harness.step(20);
    EXPECT_EQ(anim(), KROMB_UP) << "the wall stopped the punch";
    EXPECT_EQ(state().dashTime, 0.0f);
    EXPECT_FALSE(state().chargeEmittersOn);
}

}  // namespace
