#pragma once
#include <vector>

#include "engine/map/TileChange.h"

namespace Map {

// Told about every write into a tile map it watches, after the write is stored.
class IMapWatcher {
public:
    virtual ~IMapWatcher() = default;
    // One call per batch, even for an empty batch.
    virtual void cellsChanged(const std::vector<TileChange>& changes) = 0;
    virtual void cellChanged(const TileChange& change) = 0;
};

}  // namespace Map
