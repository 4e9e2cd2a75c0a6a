#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/ecs/ComponentPool.h"
#include "engine/ecs/ComponentType.h"
#include "engine/ecs/Entity.h"

namespace ecs {

class System;

// The entities of one level, their components and the systems that watch them. Components
// stay at one address from their addition to their removal (or the refresh after their
// entity's kill). Single-threaded.
class World {
public:
    World() = default;
    ~World();

    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // A new entity without components, not yet activated.
    Entity createEntity();

    // Carries out the queued activations, deactivations and kills: systems take in and let go
    // of entities, and killed entities lose their components and their handles turn invalid.
    // Calls back into no system, so it may be called in the middle of a system pass.
    void refresh();

    // The system leaves any other world first; the activated entities that match it join it
    // at once. Adding a system twice changes nothing.
    void addSystem(System& system);
    // The system forgets this world and its entities. Does nothing for a system of another
    // world.
    void removeSystem(System& system);

    // Entities created and not yet removed by a refresh after their kill.
    std::size_t entityCount() const { return m_livingCount; }

private:
    friend class Entity;

    enum class Request : std::uint8_t { None, Activate, Deactivate, Kill };

    struct EntitySlot {
        ComponentMask components = 0;
        std::uint32_t generation = 0;
        bool activated = false;
        Request request = Request::None;
    };

    struct ComponentStore {
        std::unique_ptr<ComponentPoolBase> pool;
        std::vector<void*> byEntity;  // by entity index; null where absent
    };

    static bool holds(ComponentMask components, ComponentTypeId type) {
        return (components >> type) & 1u;
    }
    [[noreturn]] static void failInvalid(const char* operation);
    [[noreturn]] static void failMissing(ComponentTypeId type);

    bool isAlive(const Entity& entity) const {
        return entity.m_index < m_slots.size() &&
               m_slots[entity.m_index].generation == entity.m_generation;
    }
    bool isActivated(const Entity& entity) const {
        return isAlive(entity) && m_slots[entity.m_index].activated;
    }
    void request(const Entity& entity, Request request);

    template <class T, class... Args>
    T& addComponent(const Entity& entity, Args&&... args);
    template <class T>
    T& getComponent(const Entity& entity) const;
    template <class T>
    bool hasComponent(const Entity& entity) const {
        return isAlive(entity) && holds(m_slots[entity.m_index].components, componentTypeId<T>());
    }
    template <class T>
    void removeComponent(const Entity& entity);

    void destroyComponents(std::uint32_t index);
    void join(System& system, std::uint32_t index);
    void leave(System& system, std::uint32_t index);
    void updateMembership(System& system, std::uint32_t index);

    std::vector<EntitySlot> m_slots;
    std::vector<std::uint32_t> m_freeIndices;
    std::vector<std::uint32_t> m_requested;
    std::vector<std::uint32_t> m_applying;  // m_requested's buffer while a refresh runs
    std::vector<System*> m_systems;
    std::array<ComponentStore, maxComponentTypes> m_stores;
    std::size_t m_livingCount = 0;
};

template <class T, class... Args>
T& World::addComponent(const Entity& entity, Args&&... args) {
    if (!isAlive(entity)) {
        failInvalid("add a component to");
    }
    const ComponentTypeId type = componentTypeId<T>();
    ComponentStore& store = m_stores[type];
    if (!store.pool) {
        store.pool = std::make_unique<ComponentPool<T>>();
    }
    // Built before the old one goes, so it may be made from the component it replaces.
    T* component =
        static_cast<ComponentPool<T>&>(*store.pool).create(std::forward<Args>(args)...);
    if (store.byEntity.size() <= entity.m_index) {
        store.byEntity.resize(m_slots.size());
    }
    EntitySlot& slot = m_slots[entity.m_index];
    if (holds(slot.components, type)) {
        store.pool->destroy(store.byEntity[entity.m_index]);
    }
    store.byEntity[entity.m_index] = component;
    slot.components |= ComponentMask{1} << type;
    return *component;
}

template <class T>
T& World::getComponent(const Entity& entity) const {
    const ComponentTypeId type = componentTypeId<T>();
    if (!isAlive(entity)) {
        failInvalid("get a component of");
    }
    if (!holds(m_slots[entity.m_index].components, type)) {
        failMissing(type);
    }
    return *static_cast<T*>(m_stores[type].byEntity[entity.m_index]);
}

template <class T>
void World::removeComponent(const Entity& entity) {
    const ComponentTypeId type = componentTypeId<T>();
    if (!isAlive(entity) || !holds(m_slots[entity.m_index].components, type)) {
        return;
    }
    m_slots[entity.m_index].components &= ~(ComponentMask{1} << type);
    ComponentStore& store = m_stores[type];
    void* component = std::exchange(store.byEntity[entity.m_index], nullptr);
    store.pool->destroy(component);
}

// Entity's member templates, which need the whole world.

template <class T, class... Args>
T& Entity::add(Args&&... args) const {
    if (!m_world) {
        World::failInvalid("add a component to");
    }
    return m_world->addComponent<T>(*this, std::forward<Args>(args)...);
}

template <class T>
T& Entity::get() const {
    if (!m_world) {
        World::failInvalid("get a component of");
    }
    return m_world->getComponent<T>(*this);
}

template <class T>
bool Entity::has() const {
    return m_world && m_world->hasComponent<T>(*this);
}

template <class T>
void Entity::remove() const {
    if (m_world) {
        m_world->removeComponent<T>(*this);
    }
}

}  // namespace ecs
