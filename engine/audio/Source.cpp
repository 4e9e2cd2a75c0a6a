#include "engine/audio/Source.h"

#include <atomic>

namespace Audio {

namespace {
std::atomic<std::uint64_t> g_nextSourceId{1};
}

Source::Source() : m_id(g_nextSourceId++) {}

void Source::setLooping(bool looping) { m_looping = looping; }

bool Source::isLooping() const { return m_looping; }

void Source::setSingleInstance(bool singleInstance) { m_singleInstance = singleInstance; }

bool Source::isSingleInstance() const { return m_singleInstance; }

std::uint64_t Source::id() const { return m_id; }

}  // namespace Audio
