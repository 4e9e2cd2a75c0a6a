#include "engine/ecs/Entity.h"

namespace ecs {

bool Entity::isValid() const {
    return m_world && m_world->isAlive(*this);
}

bool Entity::isActivated() const {
    return m_world && m_world->isActivated(*this);
}

void Entity::activate() {
    if (m_world) {
        m_world->request(*this, World::Request::Activate);
    }
}

void Entity::deactivate() {
    if (m_world) {
        m_world->request(*this, World::Request::Deactivate);
    }
}

void Entity::kill() {
    if (m_world) {
        m_world->request(*this, World::Request::Kill);
    }
}

}  // namespace ecs
