#include "data/VectorGraphics_generated.h"
#include "engine/shell/AppContext.h"
#include "engine/vector/GameVectors.h"
#include "game/vector/ShapeIds.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/MotionComps.h"
#include "game/world/factories/CubicFades.h"

// Entities made during play that are not weapons: drawings, map nodes, texts and door pieces.
namespace Zelmo {
namespace {

constexpr int kFishType = 15;
constexpr int kFishHeading = 270;
constexpr int kMapNodeShape = ShapeIds::kMapNode;
constexpr uint32_t kDoorColour = 0xffff0000;
constexpr float kDoorPieceMs = 1000.0f;
constexpr float kDoorPieceSpeed = 8.0f;
constexpr uint32_t kSweepColour = 0xff00ffff;

int firstFrameShape(int animation) {
    const Vector::AnimationDef* def = GameVectors::instance().animation(uint32_t(animation));
    if (!def || !def->frames() || def->frames()->size() == 0) return 0;
    return def->frames()->Get(0)->shape();
}

}  // namespace

ecs::Entity GameLogic::createEntity() { return m_world->createEntity(); }

ecs::Entity GameLogic::createAnimatedEntity(int animation, bool withBoxes) {
    ecs::Entity entity = createEntity();
    entity.add<AnimationComp>().animation = animation;
    VectorComp& vector = entity.add<VectorComp>();
    vector.shape = firstFrameShape(animation);
    vector.filled = true;
    if (withBoxes) {
        addShapeBoxes(entity, vector.shape, vector.scale);
    } else {
        static_cast<IntBox&>(entity.add<BBoxComp>()) =
            GameVectors::instance().bbox(uint32_t(vector.shape), vector.scale);
    }
    entity.add<PVAComp>();
    return entity;
}

ecs::Entity GameLogic::createFish(int x, int y) {
    ecs::Entity fish = createRobot(kFishType, x, y);
    fish.get<PVAComp>().heading = kFishHeading;
    return fish;
}

ecs::Entity GameLogic::createMapNode(int x, int y, int animation) {
    ecs::Entity node = createEntity();
    PVAComp& pva = node.add<PVAComp>();
    pva.x = float(x);
    pva.y = float(y);
    node.add<AnimationComp>().animation = animation;
    VectorComp& vector = node.add<VectorComp>();
    vector.shape = kMapNodeShape;
    vector.filled = true;
    const GameVectors& shapes = GameVectors::instance();
    static_cast<IntBox&>(node.add<BBoxComp>()) = shapes.bbox(kMapNodeShape, vector.scale);
    static_cast<IntBox&>(node.add<CBoxComp>()) = shapes.cbox(kMapNodeShape, vector.scale);
    node.add<MazeMapDisplayComp>().shape = kMapNodeShape;
    node.activate();
    return node;
}

ecs::Entity GameLogic::createText(float xPercent, float yPercent, const std::string& text, uint32_t colour, bool centre,
                                  float scale, float lifetime, bool filled, bool scroll) {
    const Util::FrameGeometry& frame = m_context.geometry();
    ecs::Entity entity = createEntity();
    TextComp& placed = entity.add<TextComp>();
    placed.text = text;
    placed.x = xPercent;
    placed.y = yPercent;
    VectorComp& style = entity.add<VectorComp>();
    style.scale = m_zoom * scale;
    style.colour = colour;
    style.filled = filled;
    style.lifetime = lifetime;
    style.screenX = int(float(frame.windowWidth) * xPercent / 100.0f);
    style.screenY = int(float(frame.windowHeight) * yPercent / 100.0f);
    IntBox bounds = m_view.textBounds(style, text);
    if (centre) {
        const int x = style.screenX;
        style.screenX = int(float(x) - float(bounds.w) * 0.5f + float(x - bounds.x));
        placed.x = float(style.screenX) * 100.0f / float(frame.windowWidth);
        bounds = m_view.textBounds(style, text);
    }
    if (scroll) {
        VectorScopeComp& scope = entity.add<VectorScopeComp>();
        scope.box = bounds;
        scope.sweep.upperSide = true;
        scope.sweepSpeedX = float(bounds.w) / 10.0f;
        scope.sweepSpeedY = float(bounds.h) / 40.0f;
        scope.sweep.beamEndX = float(bounds.w) * 0.5f + float(style.screenX);
        scope.sweep.beamEndY = float(style.screenY) - float(bounds.h) * 0.5f;
        scope.sweep.beamColour = kSweepColour;
        scope.sweep.sweepX = float(bounds.x);
        scope.sweep.sweepY = float(bounds.y + bounds.h);
    }
    entity.activate();
    return entity;
}

ecs::Entity GameLogic::createDoorPiece(int x, int y, int heading, float finalAngle) {
    const float hx = float(1 << m_params.tileShiftX) * 0.5f;
    const float hy = float(1 << m_params.tileShiftY) * 0.25f;
    ecs::Entity piece = createEntity();
    PolyComp& poly = piece.add<PolyComp>();
    PVAComp& pva = piece.add<PVAComp>();
    BBoxComp& box = piece.add<BBoxComp>();
    CollisionPointsComp& probes = piece.add<CollisionPointsComp>();
    FXsComp& effects = piece.add<FXsComp>();

    poly.colour = kDoorColour;
    poly.lifetime = kDoorPieceMs;
    poly.pointLists.push_back({-hx, -hy, -hx, hy, hx, hy, hx, -hy});
    static_cast<IntBox&>(box) = {int(-hx), int(-hy), int(2.0f * hx), int(2.0f * hy)};
    fadeOut(effects, poly.colour, kDoorPieceMs);
    easeTo(effects, poly.angle, finalAngle, kDoorPieceMs);

    const FloatBox rectangle{-hx, -hy, 2.0f * hx, 2.0f * hy};
    for (int side = 0; side < 4; ++side) makeEdgeProbes(side, rectangle, probes.probes[size_t(side)]);
    probes.slide = false;

    pva.x = float(x);
    pva.y = float(y);
    pva.heading = heading;
    pva.speed.from = kDoorPieceSpeed;
    pva.speed.to = kDoorPieceSpeed;
    pva.moved = true;
    piece.activate();
    return piece;
}

}  // namespace Zelmo
