#pragma once
#include <cstdint>
#include <typeinfo>
#include <vector>

#include "engine/ecs/ComponentType.h"
#include "engine/ecs/Entity.h"

namespace ecs {

// A system holds the entities of its world that are activated and carry every required
// component, in the order they joined. The world does not own its systems: a system outlives
// the world it was added to, forgets it when the world dies, and can then join the next one.
//
// Derived systems name their components by type:
//     MovementSys() : System(ecs::componentMask<PVAComp>()) {}
class System {
public:
    explicit System(ComponentMask required) : m_required(required) {}
    virtual ~System();

    System(const System&) = delete;
    System& operator=(const System&) = delete;

    ComponentMask requiredComponents() const { return m_required; }

    // Any refresh may change this list, so a pass that can refresh (directly or by killing,
    // adding or removing components and refreshing) iterates over a copy of it.
    const std::vector<Entity>& entities() const { return m_entities; }

    bool hasWorld() const { return m_world != nullptr; }
    // Stops the process when the system belongs to no world.
    World& world() const;

    // The game object the system works for. owner<T>() is null unless it was set with
    // exactly the type T.
    template <class T>
    void setOwner(T* owner) {
        m_owner = owner;
        m_ownerType = &typeid(T);
    }
    template <class T>
    T* owner() const {
        return m_ownerType && *m_ownerType == typeid(T) ? static_cast<T*>(m_owner) : nullptr;
    }

private:
    friend class World;

    ComponentMask m_required;
    World* m_world = nullptr;
    std::vector<Entity> m_entities;
    // By entity index: whether m_entities holds that entity.
    std::vector<std::uint8_t> m_holds;
    // Some entities left during the running refresh and must be swept out of m_entities.
    bool m_lostEntities = false;
    void* m_owner = nullptr;
    const std::type_info* m_ownerType = nullptr;
};

}  // namespace ecs
