#include "engine/ecs/System.h"

#include "engine/ecs/World.h"
#include "engine/util/Fatal.h"

namespace ecs {

System::~System() {
    if (m_world) {
        m_world->removeSystem(*this);
    }
}

World& System::world() const {
    if (!m_world) {
        Util::fatal("ecs: the system belongs to no world");
    }
    return *m_world;
}

}  // namespace ecs
