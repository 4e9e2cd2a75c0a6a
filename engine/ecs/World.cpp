#include "engine/ecs/World.h"

#include <algorithm>
#include <string>

#include "engine/ecs/System.h"
#include "engine/util/Fatal.h"

namespace ecs {

World::~World() {
    while (!m_systems.empty()) {
        removeSystem(*m_systems.back());
    }
    for (std::uint32_t index = 0; index < m_slots.size(); ++index) {
        destroyComponents(index);
    }
}

void World::failInvalid(const char* operation) {
    Util::fatal(std::string("ecs: cannot ") + operation + " an invalid entity");
}

void World::failMissing(ComponentTypeId type) {
    Util::fatal("ecs: the entity has no component of type " + std::to_string(type));
}

Entity World::createEntity() {
    std::uint32_t index;
    if (m_freeIndices.empty()) {
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    } else {
        index = m_freeIndices.back();
        m_freeIndices.pop_back();
    }
    ++m_livingCount;
    return Entity(this, index, m_slots[index].generation);
}

void World::request(const Entity& entity, Request request) {
    if (!isAlive(entity)) {
        return;
    }
    EntitySlot& slot = m_slots[entity.m_index];
    if (slot.request == Request::Kill) {
        return;
    }
    if (slot.request == Request::None) {
        m_requested.push_back(entity.m_index);
    }
    slot.request = request;
}

void World::refresh() {
    m_applying.swap(m_requested);
    for (const std::uint32_t index : m_applying) {
        EntitySlot& slot = m_slots[index];
        const Request request = std::exchange(slot.request, Request::None);
        slot.activated = request == Request::Activate;
        for (System* system : m_systems) {
            updateMembership(*system, index);
        }
        if (request == Request::Kill) {
            destroyComponents(index);
            ++slot.generation;
            m_freeIndices.push_back(index);
            --m_livingCount;
        }
    }
    m_applying.clear();

    for (System* system : m_systems) {
        if (system->m_lostEntities) {
            std::vector<Entity>& entities = system->m_entities;
            const std::vector<std::uint8_t>& held = system->m_holds;
            entities.erase(std::remove_if(entities.begin(), entities.end(),
                                          [&held](const Entity& e) { return !held[e.m_index]; }),
                           entities.end());
            system->m_lostEntities = false;
        }
    }
}

void World::addSystem(System& system) {
    if (system.m_world == this) {
        return;
    }
    if (system.m_world) {
        system.m_world->removeSystem(system);
    }
    system.m_world = this;
    m_systems.push_back(&system);
    for (std::uint32_t index = 0; index < m_slots.size(); ++index) {
        updateMembership(system, index);
    }
}

void World::removeSystem(System& system) {
    if (system.m_world != this) {
        return;
    }
    m_systems.erase(std::find(m_systems.begin(), m_systems.end(), &system));
    system.m_world = nullptr;
    system.m_entities = {};
    system.m_holds = {};
    system.m_lostEntities = false;
}

void World::destroyComponents(std::uint32_t index) {
    ComponentMask components = std::exchange(m_slots[index].components, 0);
    while (components) {
        const auto type = static_cast<ComponentTypeId>(__builtin_ctzll(components));
        components &= components - 1;
        ComponentStore& store = m_stores[type];
        store.pool->destroy(std::exchange(store.byEntity[index], nullptr));
    }
}

void World::updateMembership(System& system, std::uint32_t index) {
    const EntitySlot& slot = m_slots[index];
    const bool belongs = slot.activated &&
                         (slot.components & system.m_required) == system.m_required;
    const bool held = index < system.m_holds.size() && system.m_holds[index];
    if (belongs && !held) {
        join(system, index);
    } else if (!belongs && held) {
        leave(system, index);
    }
}

void World::join(System& system, std::uint32_t index) {
    if (system.m_holds.size() <= index) {
        system.m_holds.resize(m_slots.size());
    }
    system.m_holds[index] = 1;
    system.m_entities.push_back(Entity(this, index, m_slots[index].generation));
}

void World::leave(System& system, std::uint32_t index) {
    system.m_holds[index] = 0;
    system.m_lostEntities = true;
}

}  // namespace ecs
