#include "engine/psys/System.h"

#include <algorithm>
#include <utility>

namespace PSys {

void System::reserve(int n) {
    m_lastId = 0;
    m_maxEmitters = std::max(n, 0);
    m_entries.clear();
    m_entries.reserve(static_cast<size_t>(m_maxEmitters));
}

int System::add(int x, int y, const ParticleDef& def, float delay, float speedScale) {
    if (static_cast<int32_t>(m_entries.size()) >= m_maxEmitters) return kNoEmitter;
    const int32_t id = ++m_lastId;
    m_entries.push_back({id, ParticleEmitter(x, y, def, speedScale)});
    m_entries.back().emitter.start(delay);
    return id;
}

ParticleEmitter* System::findEmitter(int id) {
    for (EmitterEntry& entry : m_entries) {
        if (entry.id == id) return &entry.emitter;
    }
    return nullptr;
}

ParticleDef* System::findEmitterDef(int id) {
    ParticleEmitter* emitter = findEmitter(id);
    return emitter ? &emitter->def : nullptr;
}

void System::reset() {
    m_lastId = 0;
    m_entries.clear();
}

void System::update(float dt) {
    for (size_t i = 0; i < m_entries.size();) {
        ParticleEmitter& emitter = m_entries[i].emitter;
        ParticleDef& def = emitter.def;
        if (def.startDelay != 0.0f) {
            def.startDelay = std::max(0.0f, def.startDelay - dt);
        } else if (def.duration != 0.0f) {
            if (def.duration > 0.0f) def.duration = std::max(0.0f, def.duration - dt);
        } else if (emitter.liveCount == 0) {
            // Finished: the last entry takes its place and is examined next.
            if (i + 1 != m_entries.size()) m_entries[i] = std::move(m_entries.back());
            m_entries.pop_back();
            continue;
        }
        ++i;
    }
    for (EmitterEntry& entry : m_entries) {
        if (entry.emitter.def.startDelay == 0.0f) entry.emitter.update(dt);
    }
}

}  // namespace PSys
