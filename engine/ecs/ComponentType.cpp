#include "engine/ecs/ComponentType.h"

#include <atomic>
#include <string>

#include "engine/util/Fatal.h"

namespace ecs::detail {

ComponentTypeId nextComponentTypeId() {
    static std::atomic<ComponentTypeId> next{0};
    const ComponentTypeId id = next.fetch_add(1);
    if (id >= maxComponentTypes) {
        Util::fatal("ecs: more than " + std::to_string(maxComponentTypes) + " component types");
    }
    return id;
}

}  // namespace ecs::detail
