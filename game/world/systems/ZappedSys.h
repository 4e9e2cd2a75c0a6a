#pragma once
#include <vector>

#include "engine/ecs/System.h"
#include "game/world/DisplayComps.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

// The zapped look: while an entity's zapped time runs, short lightning arcs are laid along
// every line of its outline each update. The arcs are strikes without a lightning component, so
// they hurt nothing, and live as long as their lightning definition says.
class ZappedSys : public ecs::System {
public:
    ZappedSys() : System(ecs::componentMask<PVAComp, ZappedComp>()) {}
    void update(float dt);

    // One arc per pair of neighbouring points of a list (x, y alternating), turned by the cosine
    // and sine given, scaled and placed at (x, y). A trailing odd value is ignored; a list of
    // fewer than two points lays nothing.
    void arcPointList(int kind, const std::vector<float>& points, float x, float y, float cosA, float sinA,
                      float scale);

private:
    void arcs(int kind, const float* points, size_t count, float x, float y, float cosA, float sinA, float scale);
};

}  // namespace Zelmo
