// A level-sized world: 10,000 entities with three components, three systems passing over
// copies of their lists, and a tenth of the entities killed and replaced every frame.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstddef>
#include <vector>

#include "engine/ecs/System.h"
#include "engine/ecs/World.h"

namespace {

// Heap bytes in use, for the memory a world takes per entity.
std::size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks and the large ones mapped on their own
}

}  // namespace

namespace {

constexpr int entityCount = 10000;
constexpr float frameMs = 16.0f;

struct Position {
    float x = 0.0f;
    float y = 0.0f;
};
struct Velocity {
    float dx = 0.0f;
    float dy = 0.0f;
};
struct Lifetime {
    float remainingMs = 0.0f;
};

class MovementSys : public ecs::System {
public:
    MovementSys() : System(ecs::componentMask<Position, Velocity>()) {}
    void update(float dt) {
        const std::vector<ecs::Entity> pass = entities();
        for (const ecs::Entity& e : pass) {
            Position& p = e.get<Position>();
            const Velocity& v = e.get<Velocity>();
            p.x += v.dx * dt;
            p.y += v.dy * dt;
        }
    }
};

class AgeSys : public ecs::System {
public:
    AgeSys() : System(ecs::componentMask<Lifetime>()) {}
    void update(float dt) {
        const std::vector<ecs::Entity> pass = entities();
        for (const ecs::Entity& e : pass) {
            e.get<Lifetime>().remainingMs -= dt;
        }
    }
};

class WrapSys : public ecs::System {
public:
    WrapSys() : System(ecs::componentMask<Position, Velocity, Lifetime>()) {}
    void update(float) {
        const std::vector<ecs::Entity> pass = entities();
        for (const ecs::Entity& e : pass) {
            Position& p = e.get<Position>();
            if (p.x > 1000.0f) p.x -= 1000.0f;
            if (p.y > 1000.0f) p.y -= 1000.0f;
        }
    }
};

ecs::Entity spawn(ecs::World& world, int i) {
    ecs::Entity e = world.createEntity();
    e.add<Position>(Position{float(i % 1000), float(i / 10)});
    e.add<Velocity>(Velocity{0.01f, 0.02f});
    e.add<Lifetime>(Lifetime{5000.0f});
    e.activate();
    return e;
}

struct Level {
    MovementSys movement;
    AgeSys age;
    WrapSys wrap;
    ecs::World world;
    std::vector<ecs::Entity> living;
    std::size_t nextVictim = 0;

    Level() {
        world.addSystem(movement);
        world.addSystem(age);
        world.addSystem(wrap);
        living.reserve(entityCount);
        for (int i = 0; i < entityCount; ++i) {
            living.push_back(spawn(world, i));
        }
    }

    // As a game frame: refresh, the systems, then a tenth killed and as many spawned (both
    // seen by the systems from the next frame's refresh).
    void frame() {
        world.refresh();
        movement.update(frameMs);
        age.update(frameMs);
        wrap.update(frameMs);
        for (int k = 0; k < entityCount / 10; ++k) {
            ecs::Entity& victim = living[nextVictim];
            victim.kill();
            victim = spawn(world, int(nextVictim));
            nextVictim = (nextVictim + 7) % living.size();
        }
    }
};

void BM_WorldFrame(benchmark::State& state) {
    const std::size_t before = heapInUse();
    Level level;
    for (int warmUp = 0; warmUp < 20; ++warmUp) {
        level.frame();
    }
    const std::size_t worldBytes = heapInUse() - before;

    for (auto _ : state) {
        level.frame();
    }
    level.world.refresh();
    state.counters["entities"] = double(level.world.entityCount());
    state.counters["bytes_per_entity"] = double(worldBytes) / entityCount;
}
BENCHMARK(BM_WorldFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
