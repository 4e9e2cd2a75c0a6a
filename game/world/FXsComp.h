#pragma once
#include <vector>

#include "game/world/TweenChain.h"

namespace Zelmo {

// The running tween chains of an entity, each aimed at one field of another of its components.
// At most one chain per field: setting a chain on a field that has one replaces its steps and
// starts them from the field's current value.
struct FXsComp {
    std::vector<IntChain> intChains;
    std::vector<FloatChain> floatChains;
    std::vector<ColourChain> colourChains;

    void setTweenChain(const IntChain& chain);
    void setTweenChain(const FloatChain& chain);
    void setColourTweenChain(const ColourChain& chain);

    // Drops every chain whose target lies in [begin, end): called with a component's address
    // range before the component is removed, so that no chain writes into freed memory.
    void removeTargetsIn(const void* begin, const void* end);
    template <class C>
    void removeTargetsOf(const C& component) {
        removeTargetsIn(&component, &component + 1);
    }

    // Advances the first step of every chain by dt ms, writes the targets and drops used-up
    // steps and chains.
    void advance(float dt);

    bool empty() const { return intChains.empty() && floatChains.empty() && colourChains.empty(); }
};

}  // namespace Zelmo
