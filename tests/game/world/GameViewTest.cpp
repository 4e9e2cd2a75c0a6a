// The in-game picture on the renderer's recording back end: what a level's frame submits, the
// camera and the mapping from world to screen at both zooms, the health bar's place and the
// layout of vector text.
#include <gtest/gtest.h>

#include <set>

#include "engine/gfx/Gfx.h"
#include "engine/gfx/Recording.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/world/GameViewRenderer.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameView;
using Zelmo::GameViewRenderer;

constexpr int kRobotShape = 1;

class GameViewFrame : public ::testing::Test {
protected:
    void SetUp() override {
        gfx::Init init;
        init.backend = gfx::Backend::Recording;
        ASSERT_TRUE(gfx::init(init));
    }
    void TearDown() override {
        harness.reset();
        gfx::shutdown();
    }

    void start(float zoomIndex = 0) {
        harness = std::make_unique<WorldHarness>(WorldTest::kWorldFixture, 1, WorldHarness::Picture::Drawn);
        Zelmo::setPref(Zelmo::Setting::kOptionPrefix + "GAME_ZOOM", std::to_string(int(zoomIndex)));
        harness->startLevel(1);
    }

    Zelmo::GameLogic& logic() { return harness->logic(); }
    GameView& view() { return logic().view(); }

    // A robot's shape placed at a world position.
    ecs::Entity placeRobot(float x, float y, bool filled = true) {
        ecs::Entity robot = logic().world().createEntity();
        Zelmo::PVAComp& pva = robot.add<Zelmo::PVAComp>();
        pva.x = x;
        pva.y = y;
        Zelmo::VectorComp& vector = robot.add<Zelmo::VectorComp>();
        vector.shape = kRobotShape;
        vector.filled = filled;
        static_cast<IntBox&>(robot.add<Zelmo::BBoxComp>()) = GameVectors::instance().bbox(kRobotShape, 1.0f);
        robot.activate();
        return robot;
    }

    void renderFrame() {
        logic().viewRenderer().render(Util::FrameGeometry{640, 480, 640, 480, 640, 480});
        gfx::frame();
    }

    const gfx::Recording& recording() const { return *gfx::recording(); }

    std::unique_ptr<WorldHarness> harness;
};

TEST_F(GameViewFrame, QueuesEachVisibleEntityOnceAndNothingOutsideTheCamera) {
    start();
    const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
    const IntBox camera = view().cameraRect();
    placeRobot(player.x + 100.0f, player.y);
    placeRobot(float(camera.x + camera.w + 200), player.y);
    placeRobot(float(camera.x - 200), float(camera.y - 200));
    harness->step();

    const int playerShape = logic().player().get<Zelmo::VectorComp>().shape;
    int robotsQueued = 0;
    int playersQueued = 0;
    for (const Zelmo::VectorComp& shape : view().shapeDraws()) {
        robotsQueued += shape.shape == kRobotShape;
        playersQueued += shape.shape == playerShape;
        EXPECT_GE(shape.screenX, -64) << "shape " << shape.shape << " queued left of the window";
        EXPECT_LE(shape.screenX, 640 + 64) << "shape " << shape.shape << " queued right of the window";
    }
    EXPECT_EQ(robotsQueued, 1);
    EXPECT_EQ(playersQueued, 1);
}

// The display's views end with the one over its scene that the fills go to, then the composite.
const gfx::ViewPass* fillPass(const gfx::Recording& recording, const Zelmo::IGameViewRenderer& renderer) {
    return recording.pass(gfx::ViewId(static_cast<const GameViewRenderer&>(renderer).nextFreeView() - 2));
}

// How many corners the frame's fills have.
uint32_t filledCorners(const gfx::Recording& recording, const Zelmo::IGameViewRenderer& renderer) {
    const gfx::ViewPass* fills = fillPass(recording, renderer);
    if (fills == nullptr) return 0;
    uint32_t corners = 0;
    for (uint32_t i = 0; i < fills->numDraws; ++i) corners += recording.draw(*fills, i).numVertices;
    return corners;
}

TEST_F(GameViewFrame, FrameFillsInOneDrawThenCompositesMapFloorFillsAndLinesInOnePass) {
    start();
    const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
    harness->step();
    renderFrame();
    const uint32_t cornersWithoutRobot = filledCorners(recording(), logic().viewRenderer());
    placeRobot(player.x + 100.0f, player.y);
    harness->step();
    ASSERT_FALSE(view().shapeDraws().empty());
    renderFrame();

    const gfx::ViewPass* lines = recording().pass(GameViewRenderer::kFirstDisplayView);
    ASSERT_NE(lines, nullptr) << "the glow display's scene";
    EXPECT_EQ(lines->numDraws, 1u);
    const gfx::ViewPass* fills = fillPass(recording(), logic().viewRenderer());
    ASSERT_NE(fills, nullptr);
    ASSERT_EQ(fills->numDraws, 1u) << "every fill in one draw";
    EXPECT_EQ(fills->state.frameBuffer, lines->state.frameBuffer) << "into the scene, after its trail and glow";
    EXPECT_EQ(fills->state.clearFlags, gfx::Clear::None);
    EXPECT_GT(cornersWithoutRobot, 0u) << "the player's fill";
    EXPECT_GT(filledCorners(recording(), logic().viewRenderer()), cornersWithoutRobot) << "and the robot's";

    // The composite: the last view the display used, the one that draws on the window: the maze
    // straight from the map view's texture, the floor's light added along its grid's lines (the
    // walls, read again, cover it), then the picture over them on the tiles it reaches, where
    // the fills' cover in the scene's alpha takes the floor away.
    const auto& renderer = static_cast<const GameViewRenderer&>(logic().viewRenderer());
    const gfx::ViewPass* composite = recording().pass(gfx::ViewId(renderer.nextFreeView() - 1));
    ASSERT_NE(composite, nullptr);
    ASSERT_EQ(composite->numDraws, 3u);
    EXPECT_FALSE(composite->state.frameBuffer.valid());
    const gfx::Draw& maze = recording().draw(*composite, 0);
    const gfx::Draw& floorLight = recording().draw(*composite, 1);
    const gfx::Draw& picture = recording().draw(*composite, 2);
    for (const gfx::Draw* each : {&maze, &floorLight}) {
        EXPECT_EQ(each->textures[0].texture, logic().mapView().getTexture().handle);
    }
    EXPECT_EQ(maze.state, gfx::DrawState()) << "opaque: it covers the window";
    EXPECT_EQ(floorLight.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::One));
    EXPECT_EQ(picture.textures[VectorDisplay::kSceneStage].texture, gfx::getTexture(lines->state.frameBuffer));
    EXPECT_EQ(picture.state, gfx::DrawState().blend(gfx::BlendFactor::One, gfx::BlendFactor::InvSrcAlpha));
    int onTheWindow = 0;
    for (const gfx::ViewPass& pass : recording().lastFrame().passes) {
        EXPECT_LT(pass.id, 136) << "the menus' views start at 136";
        onTheWindow += !pass.state.frameBuffer.valid() && pass.numDraws > 0 && pass.id < 200;
    }
    EXPECT_EQ(onTheWindow, 1) << "the composite alone draws on the window, before the overlay";
}

// A display faster than the game's steps draws frames with no step between them: each shows the
// last step's picture again, not an empty level.
TEST_F(GameViewFrame, AFrameDrawnBeforeTheNextStepShowsTheSamePicture) {
    start();
    const Zelmo::PVAComp& player = logic().player().get<Zelmo::PVAComp>();
    placeRobot(player.x + 100.0f, player.y);
    harness->step();
    renderFrame();
    const uint32_t corners = filledCorners(recording(), logic().viewRenderer());
    EXPECT_GT(corners, 0u);
    renderFrame();
    EXPECT_EQ(filledCorners(recording(), logic().viewRenderer()), corners) << "the queued shapes' fills again";
}

TEST_F(GameViewFrame, FilledBeamSegmentsAndPolygonsGoIntoTheFillsDraw) {
    start();
    renderFrame();
    const uint32_t cornersWithout = filledCorners(recording(), logic().viewRenderer());
    Zelmo::PolyComp poly;
    poly.pointLists = {{-10, -10, 10, -10, 10, 10, -10, -10}};
    poly.colour = 0xffffffff;
    poly.x = 320;
    poly.y = 240;
    view().addPolyDraw(poly);
    poly.filled = false;
    view().addPolyDraw(poly);
    renderFrame();
    EXPECT_EQ(fillPass(recording(), logic().viewRenderer())->numDraws, 1u);
    EXPECT_EQ(filledCorners(recording(), logic().viewRenderer()), cornersWithout + 3)
        << "the filled triangle's three corners, once";
}

// Several steps may run before a frame is drawn (and none is, headless): each step's draws replace
// the last one's, or a frame would show a picture twice over and a long game hold every picture it
// ever queued.
TEST_F(GameViewFrame, EachStepOfTheGameDropsWhatTheLastOneQueued) {
    start();
    logic().update(WorldHarness::kStepMs);
    const size_t shapes = view().shapeDraws().size();
    ASSERT_GT(shapes, 0u) << "the update queues what it shows";
    Zelmo::PolyComp stale;
    stale.colour = 0x12345678;
    view().addPolyDraw(stale);
    logic().update(WorldHarness::kStepMs);
    EXPECT_EQ(view().shapeDraws().size(), shapes);
    for (const Zelmo::PolyComp& poly : view().polyDraws()) EXPECT_NE(poly.colour, stale.colour);
}

TEST_F(GameViewFrame, ANewLevelDropsWhatTheLastOneQueued) {
    start();
    harness->step();
    ASSERT_FALSE(view().shapeDraws().empty());
    logic().startLevel(1);
    EXPECT_TRUE(view().shapeDraws().empty());
    EXPECT_TRUE(view().glyphDraws().empty());
}

// The camera covers zoom times the design size around the map view's centre; that centre is
// the window's centre, and the camera's edges the edges of what the picture shows.
TEST_F(GameViewFrame, CameraAndScreenPositionsAtZoomOneAndTwo) {
    struct Case {
        int zoomIndex;
        int zoom;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 2}}) {
        start(float(c.zoomIndex));
        SCOPED_TRACE("zoom " + std::to_string(c.zoom));
        ASSERT_EQ(view().zoom(), float(c.zoom));
        const IntBox camera = view().cameraRect();
        EXPECT_EQ(camera.w, 640 * c.zoom);
        EXPECT_EQ(camera.h, 480 * c.zoom);
        int cx = 0, cy = 0;
        logic().mapView().getCentre(cx, cy);
        int sx = 0, sy = 0;
        view().worldToScreen(cx, cy, sx, sy);
        EXPECT_EQ(sx, 320);
        EXPECT_EQ(sy, 240);
        float left = 0, right = 0, bottom = 0, top = 0;
        view().screenProjection(left, right, bottom, top);
        view().worldToScreen(camera.x, camera.y, sx, sy);
        EXPECT_EQ(float(sx), left);
        EXPECT_EQ(float(sy), bottom);
        view().worldToScreen(camera.x + camera.w, camera.y + camera.h, sx, sy);
        EXPECT_EQ(float(sx), right);
        EXPECT_EQ(float(sy), top);
        harness.reset();
    }
}

// The bar stands 100 to 120 world units above the player, 60 wide, at any zoom.
TEST_F(GameViewFrame, HealthBarSitsAboveThePlayerAtZoomOneAndTwo) {
    for (int zoom : {1, 2}) {
        start(float(zoom - 1));
        SCOPED_TRACE("zoom " + std::to_string(zoom));
        int cx = 0, cy = 0;
        logic().mapView().getCentre(cx, cy);
        view().cameraRect();
        const Zelmo::OverlayRect bar = Zelmo::healthBarRect(view(), float(cx), float(cy));
        EXPECT_FLOAT_EQ(bar.x, 320.0f - 30.0f / float(zoom));
        EXPECT_FLOAT_EQ(bar.w, 60.0f / float(zoom));
        EXPECT_FLOAT_EQ(bar.y, 240.0f - 120.0f / float(zoom));
        EXPECT_FLOAT_EQ(bar.h, 20.0f / float(zoom));
        harness.reset();
    }
}

class VectorTextLayout : public ::testing::Test {
protected:
    void SetUp() override { harness.startLevel(1); }
    GameView& view() { return harness.logic().view(); }

    WorldHarness harness{WorldTest::kWorldFixture};
};

TEST_F(VectorTextLayout, QueuesOneShapePerGlyphAndMeasuresWithoutQueuing) {
    Zelmo::VectorComp style;
    style.screenX = 100;
    style.screenY = 200;
    const IntBox measured = view().textBounds(style, "AB C\nDE");
    EXPECT_TRUE(view().shapeDraws().empty());
    const IntBox laid = view().addTextDraw(style, "AB C\nDE", nullptr);
    EXPECT_EQ(laid, measured);
    ASSERT_EQ(view().shapeDraws().size(), 5u);
    // Each line starts centred on the style's x; the second line lies one line step lower.
    EXPECT_EQ(view().shapeDraws()[0].screenX, 100);
    EXPECT_EQ(view().shapeDraws()[3].screenX, 100);
    EXPECT_LT(view().shapeDraws()[3].screenY, 200);
    EXPECT_GT(view().shapeDraws()[1].screenX, 100);
    EXPECT_LT(laid.x, 100);
    EXPECT_GT(laid.w, 0);
    EXPECT_LE(laid.y, view().shapeDraws()[3].screenY);

    ScopeSweep sweep;
    view().addTextDraw(style, "AB", &sweep);
    EXPECT_EQ(view().glyphDraws().size(), 2u);
    EXPECT_EQ(view().shapeDraws().size(), 5u);
}

TEST_F(VectorTextLayout, AnEmptyTextHasASmallNegativeWidthAtItsPlace) {
    Zelmo::VectorComp style;
    style.screenX = 100;
    style.screenY = 200;
    const IntBox box = view().addTextDraw(style, "", nullptr);
    EXPECT_TRUE(view().shapeDraws().empty());
    EXPECT_EQ(box.x, 100);
    EXPECT_EQ(box.w, int(100 - GameVectors::instance().fontMetrics().spacing * view().scaleX()) - 100);
}

}  // namespace
