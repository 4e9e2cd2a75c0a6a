#pragma once
#include <functional>

#include "engine/ecs/Entity.h"

namespace Zelmo {

// Damage to the player, through the player's own damage handling (which decides what a hit
// does while punching and handles the death once). Systems that hurt the player are given one.
using PlayerDamage = std::function<void(const ecs::Entity& player, float damage)>;

}  // namespace Zelmo
