#pragma once
#include <array>
#include <memory>

#include "engine/gfx/Handles.h"
#include "engine/vector/FillStrip.h"
#include "engine/vector/VectorDisplay.h"
#include "game/world/GameView.h"
#include "game/world/IGameViewRenderer.h"

namespace Zelmo {

class GameLogic;

// A rectangle of the 2D overlay: window pixels from the top-left corner.
struct OverlayRect {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
};

// The player's health bar: 60 world units wide and 20 high, from 100 units above the player's
// position, wherever the zoom puts that on the window.
OverlayRect healthBarRect(const GameView& view, float playerX, float playerY);

// Draws a running level through the renderer layer, on the views of its glow-line display
// (kFirstDisplayView + 25 x the "VECTOR_SETTINGS" option upward): the outlines, beams,
// particles and status icons as lines; the filled shapes, polygons, beam segments and icons
// batched into one draw into the display's scene once its trail and glow have taken it (fills
// neither glow nor trail); and the display's composite, the last of its views, is the one view
// that draws on the window: first the maze read straight from the map view's texture with the
// floor's light, then, on the tiles the picture reaches, the fills over them and the lines,
// trail and glow. Then the minimap and the player's health bar on the 2D overlay.
class GameViewRenderer : public IGameViewRenderer {
public:
    static constexpr int kFirstDisplayView = 10;
    static constexpr int kDisplayViewsPerSetting = 25;

    GameViewRenderer(GameLogic& owner, GameView& view);
    ~GameViewRenderer() override;

    void init(AppContext& context, Map::MapView& mapView, int level) override;
    void render(const Util::FrameGeometry& frame) override;
    // Frees the level's renderer resources; view 1 then clears nothing.
    void releaseGpu();

    // The first view after those the glow display used in the last frame.
    int nextFreeView() const { return m_nextFreeView; }

private:
    void resize(int windowWidth, int windowHeight);
    // The maze and the floor's light on the window, under the display's picture.
    void submitGround(gfx::ViewId view);
    // Every fill of the frame in one draw, on the display's view over its scene.
    void submitFills(gfx::ViewId view);
    void entityPass();
    void statusIcons();
    void healthBar();

    GameLogic& m_owner;
    GameView& m_view;
    AppContext* m_context = nullptr;
    Map::MapView* m_mapView = nullptr;
    std::unique_ptr<VectorDisplay> m_display;
    bool m_halfTexel = false;
    int m_nextFreeView = 0;

    FillBatch m_fills;
    gfx::UniformHandle m_mapSampler;
    gfx::UniformHandle m_textureSampler;
    gfx::UniformHandle m_mapRect;
    gfx::UniformHandle m_paramVec;
    gfx::UniformHandle m_param2Vec;
    gfx::UniformHandle m_colour;
    gfx::UniformHandle m_resolution;
    gfx::UniformHandle m_time;
    gfx::UniformHandle m_lineVec;
    gfx::ProgramHandle m_shapeProgram;
    gfx::ProgramHandle m_mazeProgram;
    gfx::ProgramHandle m_floorProgram;
    gfx::ProgramHandle m_floorLinesProgram;

    std::array<float, 4> m_floorColour{};
    bool m_floorOn = true;
    float m_floorScale = 1.0f;
    std::array<float, 4> m_floorParams{};
};

}  // namespace Zelmo
