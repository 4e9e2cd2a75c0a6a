#pragma once
#include <cstdint>
#include <vector>

#include "engine/psys/ParticleDef.h"
#include "engine/psys/ParticleEmitter.h"

namespace PSys {

// The id that names no emitter: what add returns when the system is full.
constexpr int kNoEmitter = 0;

struct EmitterEntry {
    int32_t id;
    ParticleEmitter emitter;
};

// A bounded set of emitters addressed by id. Ids count 1, 2, 3 ... from the last reset and are
// never reused before the next one; kNoEmitter names none. Finished emitters are removed by
// update, so a pointer from findEmitter or findEmitterDef is good only until the next update
// or reset: keep the id instead.
class System {
public:
    System() = default;
    virtual ~System() = default;

    // Drops every emitter and sets the capacity; ids restart at 1.
    void reserve(int n);
    // Adds an emitter at (x, y) with a copy of def, starting after delay ms; kNoEmitter when full.
    int add(int x, int y, const ParticleDef& def, float delay, float speedScale);
    ParticleEmitter* findEmitter(int id);
    ParticleDef* findEmitterDef(int id);
    // Drops every emitter, keeping the capacity; ids restart at 1.
    void reset();
    // Counts down delays and durations, removes finished emitters and updates the running ones.
    void update(float dt);

    // For the drawing pass, which also kills particles that hit something.
    std::vector<EmitterEntry>& getEntries() { return m_entries; }
    const std::vector<EmitterEntry>& getEntries() const { return m_entries; }

private:
    int32_t m_lastId = 0;
    int32_t m_maxEmitters = 0;
    std::vector<EmitterEntry> m_entries;
};

}  // namespace PSys
