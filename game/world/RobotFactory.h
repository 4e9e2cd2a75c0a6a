#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "data/Robots_generated.h"
#include "engine/data/Info.h"
#include "engine/ecs/Entity.h"

namespace Zelmo {

class GameLogic;

// The robot kinds, loaded once at start-up, and the robots built from them; also the two combat
// outcomes every damage source shares.
class RobotFactory {
public:
    static RobotFactory& instance();
    RobotFactory(const RobotFactory&) = delete;
    RobotFactory& operator=(const RobotFactory&) = delete;

    // Loads the robot data the configuration names.
    bool init();
    // Loads robot data ("data/robots" takes ".fb" or ".json") against "data/Robots.fbs". False,
    // with error() naming the file, the kind and the field, when the data cannot be loaded or a
    // kind cannot be built; no kind is then known.
    bool load(const std::string& dataName);
    const std::string& error() const { return m_error; }
    // The kind's definition, read in place; null for a type the data does not have.
    const RobotDef* def(uint32_t type) const;

    // Gives an entity that has its position the components of the kind; a type the data does not
    // have adds nothing.
    void create(GameLogic& logic, uint32_t type, const ecs::Entity& robot) const;

    // A hit from heading degrees at the world point (x, y): knock-back divided by the robot's
    // mass, damage, sparks and the kind's reaction; a robot whose health runs out is destroyed.
    // A robot already dead is left alone.
    static void robotHit(GameLogic& logic, const ecs::Entity& robot, int heading, float x, float y, float knockBack,
                         float damage);
    // Emitters stopped, an explosion, the robot shattered and what it leaves behind; once only,
    // however many blows land in one update.
    static void robotDestroyed(GameLogic& logic, const ecs::Entity& robot);

    // The shape of the animation's first frame, drawn and boxed for the robot; -1 when the
    // animation is missing or has no frame. Kinds whose shape is not in the library are refused.
    static int firstFrameShape(int animation);

private:
    RobotFactory() = default;
    // The first reason the loaded kinds cannot be built, or empty.
    std::string checkKinds(const std::string& fileName) const;

    Game::Info m_info;
    std::unordered_map<uint32_t, const RobotDef*> m_defs;
    std::string m_error;
};

}  // namespace Zelmo
