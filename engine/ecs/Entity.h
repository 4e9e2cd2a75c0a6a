#pragma once
#include <cstdint>

namespace ecs {

class World;

// A handle to an entity of one world: its slot index and the generation of that slot. Handles
// are plain values that own nothing; once the entity is killed and the world refreshed, every
// copy reads invalid, and the slot's next occupant has a new generation.
//
// Activating, deactivating and killing are queued and take effect for the systems at the
// world's next refresh; the last request before a refresh wins, except that a kill is final.
// Adding and removing components take effect at once for get/has; systems see the change
// once the entity is activated again and the world refreshed.
//
// A handle must not be used after its world is destroyed. A default handle belongs to no world
// and is never valid.
class Entity {
public:
    Entity() = default;

    // The entity exists: created and not yet removed by a refresh after its kill.
    bool isValid() const;
    // Valid and activated as of the last refresh (systems may hold it).
    bool isActivated() const;

    // On an invalid handle these do nothing.
    void activate();
    void deactivate();
    void kill();

    // Constructs the component in place; an existing component of the type is replaced.
    // Stops the process on an invalid handle.
    template <class T, class... Args>
    T& add(Args&&... args) const;
    // Stops the process when the entity is invalid or lacks the component.
    template <class T>
    T& get() const;
    template <class T>
    bool has() const;
    // Destroys the component at once; does nothing when there is none.
    template <class T>
    void remove() const;

    World* world() const { return m_world; }
    std::uint32_t index() const { return m_index; }
    std::uint32_t generation() const { return m_generation; }

    friend bool operator==(const Entity& a, const Entity& b) {
        return a.m_world == b.m_world && a.m_index == b.m_index &&
               a.m_generation == b.m_generation;
    }
    friend bool operator!=(const Entity& a, const Entity& b) { return !(a == b); }

private:
    friend class World;
    Entity(World* world, std::uint32_t index, std::uint32_t generation)
        : m_world(world), m_index(index), m_generation(generation) {}

    World* m_world = nullptr;
    std::uint32_t m_index = 0;
    std::uint32_t m_generation = 0;
};

}  // namespace ecs

// The member templates above are defined with the world they work on.
#include "engine/ecs/World.h"
