#pragma once
// The shipped robot kinds (data/robots) and the drawings each kind can show. The shape library
// must be loaded.
#include <flatbuffers/flatbuffers.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "data/Robots_generated.h"
#include "data/VectorGraphics_generated.h"
#include "engine/data/Info.h"
#include "engine/vector/GameVectors.h"
#include "game/vector/AnimId.h"

namespace WorldTest {

// The kinds of the shipped robot data, in type order, read in place while this lives.
class ShippedRobotKinds {
public:
    ShippedRobotKinds() {
        EXPECT_TRUE(m_info.loadSchema("data/Robots.fbs"));
        EXPECT_NE(m_info.loadData("data/robots"), nullptr);
        if (!m_info.data()) return;
        const auto* robots = flatbuffers::GetRoot<Zelmo::RobotData>(m_info.data())->robots();
        if (robots) m_kinds.assign(robots->begin(), robots->end());
        std::stable_sort(m_kinds.begin(), m_kinds.end(),
                         [](const Zelmo::RobotDef* a, const Zelmo::RobotDef* b) { return a->type() < b->type(); });
    }
    const std::vector<const Zelmo::RobotDef*>& all() const { return m_kinds; }

private:
    Game::Info m_info;
    std::vector<const Zelmo::RobotDef*> m_kinds;
};

// Every drawing a kind can show: its own, those the game switches it to (the walking looks, the
// tower's rising and lowering, the spinner's turn, the fish's headings) and their follow-ons.
inline std::vector<int> drawingsOf(const Zelmo::RobotDef& kind) {
    static const std::map<int, std::vector<int>> s_switched = {
        {AnimIds::BEZERK_STAND, {AnimIds::BEZERK_MOVE}},
        {AnimIds::VINCENT_STAND, {AnimIds::VINCENT_MOVE}},
        {AnimIds::TOWER_PAD, {AnimIds::TOWER_RISE, AnimIds::TOWER_RISEN, AnimIds::TOWER, AnimIds::TOWER_LOWER}},
        {AnimIds::SPINNER_CW, {AnimIds::SPINNER_CCW}},
        {AnimIds::FISH_W, {AnimIds::FISH_E}},
    };
    std::vector<int> pending = {kind.animation()};
    const auto switched = s_switched.find(kind.animation());
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
inline std::vector<uint32_t> frameShapesOf(const Zelmo::RobotDef& kind) {
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
