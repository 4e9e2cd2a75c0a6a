#pragma once
#include <utility>
#include <vector>

// Small component records shared by the ecs tests.
namespace ecstest {

struct Position {
    float x = 0.0f;
    float y = 0.0f;
};

struct Velocity {
    float dx = 0.0f;
    float dy = 0.0f;
};

struct Health {
    int points = 100;
};

// Counts the live instances, so tests see when the world builds and destroys components.
struct Tracked {
    inline static int live = 0;
    std::vector<int> values;
    explicit Tracked(std::vector<int> v = {}) : values(std::move(v)) { ++live; }
    Tracked(const Tracked& other) : values(other.values) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};

}  // namespace ecstest
