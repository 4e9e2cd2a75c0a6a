#pragma once
// The shipped robot kinds (data/robots), read by field position as the game reads them, and the
// drawings each kind can show. The shape library must be loaded.
#include <flatbuffers/flatbuffers.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/VectorGraphics_generated.h"
#include "engine/data/Info.h"
#include "engine/vector/GameVectors.h"
#include "game/vector/AnimId.h"

namespace WorldTest {

struct ShippedRobotKind {
    uint32_t type = 0;
    int animation = 0;
    float scale = 1.0f;
    float health = 0.0f;
    float mass = 1.0f;
    std::string walk;
    float speed = 0.0f;
    std::string scan;
    int scanInterval = 0;
    float attentionWindow = 0.0f;
    int weapon = 0;
    int beamType = 0;
    int strikeType = 0;
    int particleDef = 0;
    int sound = 0;
};

namespace ShippedRobotFields {

inline std::string text(const flatbuffers::Table* table, int field) {
    const auto* value = table->GetPointer<const flatbuffers::String*>(flatbuffers::FieldIndexToOffset(field));
    return value ? value->str() : std::string();
}

template <typename T>
T scalar(const flatbuffers::Table* table, int field, T absent) {
    return table->GetField<T>(flatbuffers::FieldIndexToOffset(field), absent);
}

}  // namespace ShippedRobotFields

// In type order.
inline std::vector<ShippedRobotKind> shippedRobotKinds() {
    using namespace ShippedRobotFields;
    Game::Info robots;
    EXPECT_TRUE(robots.loadSchema("data/Robots.fbs"));
    EXPECT_NE(robots.loadData("data/robots"), nullptr);
    std::vector<ShippedRobotKind> kinds;
    if (!robots.root()) return kinds;
    using Tables = flatbuffers::Vector<flatbuffers::Offset<flatbuffers::Table>>;
    const Tables* list = robots.root()->GetPointer<const Tables*>(flatbuffers::FieldIndexToOffset(0));
    for (flatbuffers::uoffset_t i = 0; list && i < list->size(); ++i) {
        const flatbuffers::Table* t = list->Get(i);
        ShippedRobotKind kind;
        kind.type = scalar<uint32_t>(t, 0, 0);
        kind.animation = scalar<int32_t>(t, 1, 0);
        kind.scale = scalar<float>(t, 3, 1.0f);
        kind.health = scalar<float>(t, 4, 0.0f);
        kind.mass = scalar<float>(t, 5, 1.0f);
        kind.walk = text(t, 9);
        kind.speed = scalar<float>(t, 14, 0.0f);
        kind.scan = text(t, 21);
        kind.scanInterval = scalar<int32_t>(t, 22, 0);
        kind.attentionWindow = scalar<float>(t, 25, 0.0f);
        kind.weapon = scalar<int32_t>(t, 26, 0);
        kind.beamType = scalar<int32_t>(t, 27, 0);
        kind.strikeType = scalar<int32_t>(t, 29, 0);
        kind.particleDef = scalar<int32_t>(t, 30, 0);
        kind.sound = scalar<int32_t>(t, 34, 0);
        kinds.push_back(kind);
    }
    std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.type < b.type; });
    return kinds;
}

// Every drawing a kind can show: its own, those the game switches it to (the walking looks, the
// tower's rising and lowering, the spinner's turn, the fish's headings) and their follow-ons.
inline std::vector<int> drawingsOf(const ShippedRobotKind& kind) {
    static const std::map<int, std::vector<int>> s_switched = {
        {AnimIds::BEZERK_STAND, {AnimIds::BEZERK_MOVE}},
        {AnimIds::VINCENT_STAND, {AnimIds::VINCENT_MOVE}},
        {AnimIds::TOWER_PAD, {AnimIds::TOWER_RISE, AnimIds::TOWER_RISEN, AnimIds::TOWER, AnimIds::TOWER_LOWER}},
        {AnimIds::SPINNER_CW, {AnimIds::SPINNER_CCW}},
        {AnimIds::FISH_W, {AnimIds::FISH_E}},
    };
    std::vector<int> pending = {kind.animation};
    const auto switched = s_switched.find(kind.animation);
    if (switched != s_switched.end()) pending.insert(pending.end(), switched->second.begin(), switched->second.end());
    std::vector<int> drawings;
    for (size_t i = 0; i < pending.size(); ++i) {
        const int id = pending[i];
        if (std::find(drawings.begin(), drawings.end(), id) != drawings.end()) continue;
        drawings.push_back(id);
        if (const Vector::AnimationDef* animation = GameVectors::instance().animation(uint32_t(id)))
            pending.push_back(int(animation->next()));
    }
    return drawings;
}

// The shapes of every frame of those drawings, each once; the first is the shape the kind shows
// first.
inline std::vector<uint32_t> frameShapesOf(const ShippedRobotKind& kind) {
    std::vector<uint32_t> shapes;
    for (const int id : drawingsOf(kind)) {
        const Vector::AnimationDef* animation = GameVectors::instance().animation(uint32_t(id));
        if (!animation || !animation->frames()) continue;
        for (const Vector::AnimationFrame* frame : *animation->frames()) {
            if (frame->shape() < 0) continue;  // hands over to the follow-on
            const auto shape = uint32_t(frame->shape());
            if (std::find(shapes.begin(), shapes.end(), shape) == shapes.end()) shapes.push_back(shape);
        }
    }
    return shapes;
}

}  // namespace WorldTest
