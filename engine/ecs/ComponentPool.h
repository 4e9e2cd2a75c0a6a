#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace ecs {

// Type-erased face of a pool, so a world can destroy components of any type it holds.
class ComponentPoolBase {
public:
    virtual ~ComponentPoolBase() = default;
    virtual void destroy(void* component) = 0;
};

// Storage for one component type. Chunks are never moved or freed before the pool dies, so a
// component keeps its address for its whole life (effects keep pointers into their fields).
// Freed slots are chained through their own storage and reused first.
// The pool does not track live components: its owner destroys them before the pool goes.
template <class T>
class ComponentPool final : public ComponentPoolBase {
public:
    template <class... Args>
    T* create(Args&&... args) {
        Slot* slot = takeSlot();
        try {
            return ::new (static_cast<void*>(slot->bytes)) T(std::forward<Args>(args)...);
        } catch (...) {
            giveBack(slot);
            throw;
        }
    }

    void destroy(void* component) override {
        T* object = static_cast<T*>(component);
        object->~T();
        giveBack(reinterpret_cast<Slot*>(object));
    }

private:
    union Slot {
        Slot* nextFree;
        alignas(T) unsigned char bytes[sizeof(T)];
    };
    // About 16 KiB a chunk, but never so few slots that big components allocate one by one.
    static constexpr std::size_t slotsPerChunk =
        sizeof(Slot) * 32 > 16384 ? 32 : 16384 / sizeof(Slot);

    Slot* takeSlot() {
        if (!m_firstFree) {
            addChunk();
        }
        Slot* slot = m_firstFree;
        m_firstFree = slot->nextFree;
        return slot;
    }

    void giveBack(Slot* slot) {
        slot->nextFree = m_firstFree;
        m_firstFree = slot;
    }

    // Chained so that the chunk is handed out from its lowest address upward.
    void addChunk() {
        m_chunks.emplace_back(new Slot[slotsPerChunk]);
        Slot* chunk = m_chunks.back().get();
        for (std::size_t i = slotsPerChunk; i-- > 0;) {
            giveBack(&chunk[i]);
        }
    }

    std::vector<std::unique_ptr<Slot[]>> m_chunks;
    Slot* m_firstFree = nullptr;
};

}  // namespace ecs
